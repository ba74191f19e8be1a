#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// Where content is looked for, in order: the user's own folder first, then the program's.
using ContentRoots = std::vector<std::filesystem::path>;

// The user's own content folder by the XDG Base Directory rules: $XDG_DATA_HOME/veltrane, or
// $HOME/.local/share/veltrane when XDG_DATA_HOME is unset, empty or not absolute. Empty when
// neither gives an absolute path. Nothing is created.
std::filesystem::path UserContentRoot(const char* xdgDataHome, const char* home);

// Whether something is at `path` for the purpose of overriding: a dangling link or a missing
// file is not; anything else is, even what cannot be read, so that reading it names the user's
// file and the reason.
bool IsPresent(const std::filesystem::path& path);

// Where content lies below the application directory. Index texts are used as they stand.
std::filesystem::path NicheImagePath(const std::filesystem::path& appDir,
                                     std::string_view menuIndex);
std::filesystem::path ProblemFolderPath(const std::filesystem::path& appDir,
                                        std::string_view menuIndex, std::string_view subnicheIndex);

// The template of the first root that has one; the last root's path when none has.
std::filesystem::path TemplatePath(const ContentRoots& roots, bool includeFree);

// A niche's picture and, where the same folder has it, the one drawn at twice the size for
// high-density screens (`<menu>@2x.jpg`). The first root with a `<menu>.jpg` gives both, so a
// user's own picture replaces the shipped ones of either size.
struct NichePicture {
  std::filesystem::path plain;
  std::filesystem::path doubleSize;  // empty when there is none

  bool operator==(const NichePicture&) const = default;
};
// Each root's picture in turn, to fall back on when one cannot be shown; at least one entry.
std::vector<NichePicture> NichePictureChoices(const ContentRoots& roots,
                                              std::string_view menuIndex);

}  // namespace veltrane
