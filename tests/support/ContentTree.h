#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "content/NicheCatalog.h"
#include "support/TempDir.h"

namespace veltrane::test {

// Fills a content folder for a test, each call writing at once:
//   ContentTree(app).Pictures("jpeg").Templates(free, plain).Problem("niches/0/2/A.txt", text);
class ContentTree {
 public:
  explicit ContentTree(const TempDir& dir) : dir_(dir) {}

  // The six niche pictures images/0.jpg to images/5.jpg, each holding `bytes`.
  ContentTree& Pictures(std::string_view bytes) {
    for (std::size_t i = 0; i < kNicheCount; ++i) dir_.Write(Picture(i), bytes);
    return *this;
  }
  // The same six, each a copy of `picture`: for tests that draw them.
  ContentTree& PicturesCopiedFrom(const std::filesystem::path& picture) {
    std::filesystem::create_directories(dir_.path() / "images");
    for (std::size_t i = 0; i < kNicheCount; ++i) {
      std::filesystem::copy_file(picture, dir_.path() / Picture(i));
    }
    return *this;
  }
  // templates/template-free.txt and templates/template.txt.
  ContentTree& Templates(std::string_view free, std::string_view plain) {
    dir_.Write("templates/template-free.txt", free);
    dir_.Write("templates/template.txt", plain);
    return *this;
  }
  // A problem file below the folder, such as "niches/0/2/Slow Website.txt".
  ContentTree& Problem(const std::filesystem::path& relative, std::string_view bytes) {
    dir_.Write(relative, bytes);
    return *this;
  }

 private:
  static std::string Picture(std::size_t i) { return "images/" + std::to_string(i) + ".jpg"; }
  const TempDir& dir_;
};

}  // namespace veltrane::test
