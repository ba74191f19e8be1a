#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// Replaces every occurrence of searchText in originalText, left to right and without overlap;
// inserted text is never searched again. One pass, whatever the length. An empty searchText
// leaves the text as it is.
std::string CustomReplace(std::string_view originalText, std::string_view searchText,
                          std::string_view replaceText);

// CustomReplace in two steps: the occurrences are found first, so the result's size is known
// before anything is built. The texts must outlive the plan.
class ReplacePlan {
 public:
  ReplacePlan(std::string_view originalText, std::string_view searchText,
              std::string_view replaceText);

  // The result's length in bytes; the largest value rather than a wrapped one where it would
  // not fit.
  std::uint64_t ResultSize() const;
  // The result, allocated once at its exact size.
  std::string Build() const;

 private:
  std::string_view original_;
  std::string_view search_;
  std::string_view replace_;
  std::vector<std::size_t> hits_;
};

}  // namespace veltrane
