#include "prompt/CustomReplace.h"

#include <cstring>
#include <vector>

namespace veltrane {

std::string CustomReplace(std::string_view originalText, std::string_view searchText,
                          std::string_view replaceText) {
  if (searchText.empty()) return std::string(originalText);

  // Find every occurrence first, so the result is allocated once at its exact size: no
  // doubling, which would copy the text again and push large results past the allocator's
  // reuse threshold.
  std::vector<std::size_t> hits;
  for (std::size_t at = originalText.find(searchText); at != std::string_view::npos;
       at = originalText.find(searchText, at + searchText.size())) {
    hits.push_back(at);
  }
  if (hits.empty()) return std::string(originalText);

  std::string result(
      originalText.size() - hits.size() * searchText.size() + hits.size() * replaceText.size(),
      '\0');
  char* out = result.data();
  std::size_t from = 0;
  for (const std::size_t at : hits) {
    std::memcpy(out, originalText.data() + from, at - from);
    out += at - from;
    std::memcpy(out, replaceText.data(), replaceText.size());
    out += replaceText.size();
    from = at + searchText.size();
  }
  std::memcpy(out, originalText.data() + from, originalText.size() - from);
  return result;
}

}  // namespace veltrane
