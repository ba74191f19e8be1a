#include "prompt/CustomReplace.h"

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

  std::string result;
  result.reserve(originalText.size() - hits.size() * searchText.size() +
                 hits.size() * replaceText.size());
  std::size_t from = 0;
  for (const std::size_t at : hits) {
    result.append(originalText.data() + from, at - from);
    result.append(replaceText);
    from = at + searchText.size();
  }
  result.append(originalText.data() + from, originalText.size() - from);
  return result;
}

}  // namespace veltrane
