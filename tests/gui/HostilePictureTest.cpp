// Whatever lies at a niche picture's path, the window decides at once: it shows a picture or
// reports a failure that names the path.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "content/Failure.h"
#include "support/TempDir.h"
#include "ui/qt/PictureFile.h"

namespace veltrane::test {
namespace {
namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A JPEG whose frame header claims `side` x `side` pixels.
std::string WithFrameSide(std::string jpeg, unsigned side) {
  const std::size_t sof = jpeg.find("\xFF\xC0");
  if (sof == std::string::npos || sof + 9 > jpeg.size()) return {};
  for (std::size_t i = sof + 5; i < sof + 9; i += 2) {
    jpeg[i] = static_cast<char>(side >> 8);
    jpeg[i + 1] = static_cast<char>(side & 0xFF);
  }
  return jpeg;
}

enum class Outcome { Shown, Fails, Either };

TEST(HostilePictures, EachIsShownOrFailsNamingThePath) {
  TempDir dir;
  const fs::path fixtures = VELTRANE_TEST_DATA "/pictures";
  const std::string niche = ReadAll(fs::path(VELTRANE_CONTENT_DIR) / "images/0.jpg");
  std::mt19937 rng(5);
  std::string noise(4096, '\0');
  for (char& c : noise) c = static_cast<char>(rng());

  fs::create_directory(dir.path() / "folder.jpg");
  ASSERT_EQ(::mkfifo((dir.path() / "fifo.jpg").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", dir.path() / "zero.jpg");
  const std::string missing = std::strerror(ENOENT);  // in the user's language

  const struct {
    std::string name;
    std::string bytes;  // written unless the file was made above
    Outcome outcome;
    const char* reason;  // part of the failure message
  } cases[] = {
      {"baseline.jpg", ReadAll(fixtures / "baseline.jpg"), Outcome::Shown, ""},
      {"progressive.jpg", ReadAll(fixtures / "progressive.jpg"), Outcome::Shown, ""},
      {"cmyk.jpg", ReadAll(fixtures / "cmyk.jpg"), Outcome::Shown, ""},
      {"niche.jpg", niche, Outcome::Shown, ""},
      {"cut10.jpg", niche.substr(0, niche.size() / 10), Outcome::Either, ""},
      {"cut50.jpg", niche.substr(0, niche.size() / 2), Outcome::Either, ""},
      {"huge.jpg", WithFrameSide(ReadAll(fixtures / "baseline.jpg"), 60000), Outcome::Fails,
       "too large (60000 x 60000 pixels)"},
      {"beyond.jpg", WithFrameSide(ReadAll(fixtures / "baseline.jpg"), 65535), Outcome::Fails,
       "not a readable JPEG"},
      {"empty.jpg", "", Outcome::Fails, "not a readable JPEG picture"},
      {"png-named.jpg", ReadAll(fixtures / "png-named.jpg"), Outcome::Fails, "not a readable JPEG"},
      {"gif-named.jpg", ReadAll(fixtures / "gif-named.jpg"), Outcome::Fails, "not a readable JPEG"},
      {"bmp-named.jpg", ReadAll(fixtures / "bmp-named.jpg"), Outcome::Fails, "not a readable JPEG"},
      {"noise.jpg", noise, Outcome::Fails, "not a readable JPEG"},
      {"folder.jpg", "", Outcome::Fails, "it is a folder"},
      {"fifo.jpg", "", Outcome::Fails, "not a regular file"},
      {"zero.jpg", "", Outcome::Fails, "not a regular file"},
      {"missing.jpg", "", Outcome::Fails, missing.c_str()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path path = dir.path() / c.name;
    if (!fs::exists(fs::symlink_status(path)) && c.name != "missing.jpg")
      dir.Write(c.name, c.bytes);

    std::string failure;
    QImage image;
    try {
      image = qt::ReadJpeg(path);
    } catch (const Failure& f) {
      failure = f.what();
    }
    if (failure.empty()) {
      EXPECT_NE(c.outcome, Outcome::Fails) << "shown";
      EXPECT_FALSE(image.isNull());
    } else {
      EXPECT_NE(c.outcome, Outcome::Shown) << failure;
      EXPECT_NE(failure.find(path.string()), std::string::npos) << failure;
      EXPECT_NE(failure.find(c.reason), std::string::npos) << failure;
    }
  }
}

}  // namespace
}  // namespace veltrane::test
