#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

struct ProblemEntry {
  std::string name;      // shown in the list: the file name less ".txt", as UTF-8
  std::string fileName;  // the file's actual name on disk, bytes as they are

  bool operator==(const ProblemEntry&) const = default;
};

// Case-insensitive natural order ("Problem 2" before "Problem 10"); equal names under that
// order fall back to plain byte order, so the result is a strict total order.
bool NaturalLess(std::string_view a, std::string_view b);

// The problems of one subniche: the regular files (or links to them) in its folder whose name
// ends in ".txt" in any letter case, hidden files excluded, in natural order. A missing or
// unreadable folder gives an empty list.
std::vector<ProblemEntry> ListProblems(const std::filesystem::path& appDir,
                                       std::string_view menuIndex, std::string_view subnicheIndex);

}  // namespace veltrane
