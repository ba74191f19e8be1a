#include "content/ContentPaths.h"

namespace veltrane {
namespace fs = std::filesystem;
namespace {

fs::path TemplateIn(const fs::path& root, bool includeFree) {
  return root / "templates" / (includeFree ? "template-free.txt" : "template.txt");
}

}  // namespace

fs::path NicheImagePath(const fs::path& appDir, std::string_view menuIndex) {
  return appDir / "images" / (std::string(menuIndex) + ".jpg");
}

fs::path ProblemFolderPath(const fs::path& appDir, std::string_view menuIndex,
                           std::string_view subnicheIndex) {
  return appDir / "niches" / fs::path(menuIndex) / fs::path(subnicheIndex);
}

fs::path UserContentRoot(const char* xdgDataHome, const char* home) {
  const auto absolute = [](const char* text) {
    return text != nullptr && text[0] == '/' ? fs::path(text) : fs::path();
  };
  if (const fs::path data = absolute(xdgDataHome); !data.empty()) return data / "veltrane";
  if (const fs::path user = absolute(home); !user.empty()) {
    return user / ".local" / "share" / "veltrane";
  }
  return {};
}

bool IsPresent(const fs::path& path) {
  // Missing things, dangling links included, come as not_found; other errors (no access on
  // the way) mean something may be there.
  std::error_code error;
  return fs::status(path, error).type() != fs::file_type::not_found;
}

fs::path TemplatePath(const ContentRoots& roots, bool includeFree) {
  for (const fs::path& root : roots) {
    const fs::path path = TemplateIn(root, includeFree);
    if (IsPresent(path)) return path;
  }
  return roots.empty() ? fs::path() : TemplateIn(roots.back(), includeFree);
}

std::vector<NichePicture> NichePictureChoices(const ContentRoots& roots,
                                              std::string_view menuIndex) {
  std::vector<NichePicture> choices;
  for (const fs::path& root : roots) {
    const fs::path plain = NicheImagePath(root, menuIndex);
    if (!IsPresent(plain)) continue;
    const fs::path doubleSize = root / "images" / (std::string(menuIndex) + "@2x.jpg");
    choices.push_back({plain, IsPresent(doubleSize) ? doubleSize : fs::path()});
  }
  if (choices.empty()) {
    choices.push_back({roots.empty() ? fs::path() : NicheImagePath(roots.back(), menuIndex), {}});
  }
  return choices;
}

}  // namespace veltrane
