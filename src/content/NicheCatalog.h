#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace veltrane {

inline constexpr std::size_t kNicheCount = 6;
inline constexpr std::size_t kSubnicheCount = 8;

struct NicheEntry {
  int menuIndex;
  std::string_view name;
  std::string_view menuCaption;
  std::array<std::string_view, kSubnicheCount> subniches;
};

// The six niches with their eight subniches each, addressed by menu index.
const std::array<NicheEntry, kNicheCount>& NicheCatalog();

// Looks a niche up by the decimal text of its menu index ("0" to "5"). The text must match
// exactly: " 1", "01" or "1.0" find nothing. Returns nullptr when nothing matches.
const NicheEntry* LookupNiche(std::string_view menuIndexText);

}  // namespace veltrane
