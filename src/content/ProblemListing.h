#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "content/ContentPaths.h"

namespace veltrane {

struct ProblemEntry {
  std::string name;      // shown in the list: the file name less ".txt", as UTF-8
  std::string fileName;  // the file's actual name on disk, bytes as they are
  std::size_t root = 0;  // index of the content root it lies below

  bool operator==(const ProblemEntry&) const = default;
};

// Case-insensitive natural order ("Problem 2" before "Problem 10"); equal names under that
// order fall back to plain byte order, so the result is a strict total order.
bool NaturalLess(std::string_view a, std::string_view b);

// The problems of one subniche: the regular files (or links to them) in its folder whose name
// ends in ".txt" in any letter case, hidden files excluded, in natural order. A missing folder
// gives an empty list; one that is there but cannot be read throws Failure naming it.
// With several roots, their lists are merged in the same order. Where two roots hold
// the same problem name, letter case ignored (in the whole of Unicode), the earlier root's file is
// listed and the other is not: a user's own problem replaces the shipped one.
std::vector<ProblemEntry> ListProblems(const ContentRoots& roots, std::string_view menuIndex,
                                       std::string_view subnicheIndex);

// The file name on disk of what `folder` already holds under the problem name `name`, letter
// case ignored as the listing ignores it: an entry not hidden, ending in ".txt" in any letter
// case, whose name less that is shown as `name`. Dangling links count, since a save writes
// through them. Of several, the one spelled `name` + ".txt" wins, else the first in byte order.
// Nothing when there is none or the folder is missing; throws Failure when it cannot be read.
std::optional<std::string> FindProblemFile(const std::filesystem::path& folder,
                                           std::string_view name);

// Whether a root after the first (the user's) lists a problem named `name`, letter case
// ignored: saved in the user's folder, it will be listed instead of that one. Throws Failure
// as ListProblems does.
bool OverridesShipped(const ContentRoots& roots, std::string_view menuIndex,
                      std::string_view subnicheIndex, std::string_view name);

}  // namespace veltrane
