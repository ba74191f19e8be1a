#include "prompt/CustomReplace.h"

#include <limits>

namespace veltrane {

std::string CustomReplace(std::string_view originalText, std::string_view searchText,
                          std::string_view replaceText) {
  return ReplacePlan(originalText, searchText, replaceText).Build();
}

ReplacePlan::ReplacePlan(std::string_view originalText, std::string_view searchText,
                         std::string_view replaceText)
    : original_(originalText), search_(searchText), replace_(replaceText) {
  if (search_.empty()) return;
  for (std::size_t at = original_.find(search_); at != std::string_view::npos;
       at = original_.find(search_, at + search_.size())) {
    hits_.push_back(at);
  }
}

std::uint64_t ReplacePlan::ResultSize() const {
  const std::uint64_t kept = original_.size() - hits_.size() * search_.size();
  const std::uint64_t hits = hits_.size();
  const std::uint64_t each = replace_.size();
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  if (each != 0 && hits > (kMax - kept) / each) return kMax;
  return kept + hits * each;
}

std::string ReplacePlan::Build() const {
  if (hits_.empty()) return std::string(original_);

  // Allocated once at the exact size: no doubling, which would copy the text again and push
  // large results past the allocator's reuse threshold.
  std::string result;
  result.reserve(original_.size() - hits_.size() * search_.size() + hits_.size() * replace_.size());
  std::size_t from = 0;
  for (const std::size_t at : hits_) {
    result.append(original_.data() + from, at - from);
    result.append(replace_);
    from = at + search_.size();
  }
  result.append(original_.data() + from, original_.size() - from);
  return result;
}

}  // namespace veltrane
