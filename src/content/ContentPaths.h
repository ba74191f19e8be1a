#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace veltrane {

// Where content lies below the application directory. Index texts are used as they stand.
std::filesystem::path NicheImagePath(const std::filesystem::path& appDir,
                                     std::string_view menuIndex);
std::filesystem::path ProblemFolderPath(const std::filesystem::path& appDir,
                                        std::string_view menuIndex, std::string_view subnicheIndex);
std::filesystem::path ProblemFilePath(const std::filesystem::path& appDir,
                                      std::string_view menuIndex, std::string_view subnicheIndex,
                                      std::string_view problemName);
std::filesystem::path TemplatePath(const std::filesystem::path& appDir, bool includeFree);

}  // namespace veltrane
