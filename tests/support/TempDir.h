#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace veltrane::test {

// A fresh folder under the system's temporary directory, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Writes bytes to a file below the folder, creating the folders on the way.
  std::filesystem::path Write(const std::filesystem::path& relative, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

// A problem file's text in the shape writers use, with CR LF line ends.
std::string ProblemText(std::string_view problem, std::string_view free, std::string_view paid);

}  // namespace veltrane::test
