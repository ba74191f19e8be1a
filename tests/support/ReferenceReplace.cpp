#include "support/ReferenceReplace.h"

namespace veltrane::test {

std::string ReferenceReplace(std::string text, const std::string& search,
                             const std::string& replacement) {
  if (search.empty()) return text;
  std::size_t p = 1;  // where the next search starts
  for (;;) {
    const std::size_t found = text.find(search, p - 1);
    if (found == std::string::npos) return text;
    text = text.substr(0, found) + replacement + text.substr(found + search.size());
    p = found + 1 + replacement.size();
  }
}

std::string ReferenceFill(const std::string& text,
                          const std::vector<std::pair<std::string, std::string>>& values) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    bool replaced = false;
    for (const auto& [placeholder, value] : values) {
      if (!placeholder.empty() && text.compare(i, placeholder.size(), placeholder) == 0) {
        out += value;
        i += placeholder.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) out += text[i++];
  }
  return out;
}

std::size_t CountOccurrences(std::string_view text, std::string_view search) {
  if (search.empty()) return 0;
  std::size_t count = 0;
  for (std::size_t i = 0; i + search.size() <= text.size();) {
    if (text.substr(i, search.size()) == search) {
      ++count;
      i += search.size();
    } else {
      ++i;
    }
  }
  return count;
}

}  // namespace veltrane::test
