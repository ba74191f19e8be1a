#include "content/ContentPaths.h"

namespace veltrane {
namespace fs = std::filesystem;

fs::path NicheImagePath(const fs::path& appDir, std::string_view menuIndex) {
  return appDir / "images" / (std::string(menuIndex) + ".jpg");
}

fs::path ProblemFolderPath(const fs::path& appDir, std::string_view menuIndex,
                           std::string_view subnicheIndex) {
  return appDir / "niches" / fs::path(menuIndex) / fs::path(subnicheIndex);
}

fs::path ProblemFilePath(const fs::path& appDir, std::string_view menuIndex,
                         std::string_view subnicheIndex, std::string_view problemName) {
  return ProblemFolderPath(appDir, menuIndex, subnicheIndex) / (std::string(problemName) + ".txt");
}

fs::path TemplatePath(const fs::path& appDir, bool includeFree) {
  return appDir / "templates" / (includeFree ? "template-free.txt" : "template.txt");
}

}  // namespace veltrane
