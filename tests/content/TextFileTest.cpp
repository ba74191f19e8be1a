#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "content/Failure.h"
#include "content/TextFile.h"
#include "support/TempDir.h"

namespace veltrane {
namespace {
namespace fs = std::filesystem;
using test::TempDir;

// The failure's message, or "" when the read succeeded.
std::string ReadFailure(const fs::path& path) {
  try {
    ReadTextFile(path);
  } catch (const Failure& failure) {
    return failure.what();
  }
  return "";
}

mode_t ModeOf(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST(ReadTextFile, ReadsWholeFileAsItIs) {
  TempDir dir;
  const struct {
    const char* name;
    std::string bytes;
    std::string expected;
  } cases[] = {
      {"empty.txt", "", ""},
      {"crlf.txt", "one\r\ntwo\r\n", "one\r\ntwo\r\n"},
      {"lf.txt", "one\ntwo", "one\ntwo"},  // line ends are the problem reader's business
      {"blanks.txt", "  \t \r\n\r\n", "  \t \r\n\r\n"},
      {"bom.txt", "\xEF\xBB\xBFtext", "text"},
      {"cp1252.txt", "na\xEFve \x93x\x94", "na\xC3\xAFve \xE2\x80\x9Cx\xE2\x80\x9D"},
      {"nul.txt", std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadTextFile(dir.Write(c.name, c.bytes)), c.expected);
  }
}

TEST(ReadTextFile, FailuresNameThePathAndTheReason) {
  TempDir dir;
  const fs::path folder = dir.path() / "d.txt";
  fs::create_directory(folder);
  const fs::path fifo = dir.path() / "x.txt";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path zero = dir.path() / "z.txt";
  fs::create_symlink("/dev/zero", zero);
  const fs::path dangling = dir.path() / "gone.txt";
  fs::create_symlink(dir.path() / "nowhere", dangling);
  const fs::path loop = dir.path() / "loop.txt";
  fs::create_symlink(loop, loop);
  const fs::path atLimit = dir.Write("at.txt", std::string(kMaxTextFileBytes, 'a'));
  EXPECT_EQ(ReadTextFile(atLimit).size(), kMaxTextFileBytes);
  const fs::path over = dir.Write("over.txt", "");
  fs::resize_file(over, kMaxTextFileBytes + 1);

  const struct {
    fs::path path;
    std::string reason;
  } cases[] = {
      {dir.path() / "missing.txt", std::strerror(ENOENT)},
      {folder, "it is a folder, not a file"},
      {fifo, "it is not a regular file"},  // must not wait for a writer
      {zero, "it is not a regular file"},  // must not read without end
      {dangling, std::strerror(ENOENT)},
      {loop, std::strerror(ELOOP)},
      {over, "it is larger than the limit of 16 MiB for a content file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.string());
    EXPECT_EQ(ReadFailure(c.path),
              "Could not read the file \"" + c.path.string() + "\": " + c.reason + ".");
  }
}

TEST(ReadTextFile, UnreadableFileFailsUnlessRunByRoot) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads past file permissions";
  TempDir dir;
  const fs::path file = dir.Write("secret.txt", "x");
  fs::permissions(file, fs::perms::none);
  EXPECT_EQ(ReadFailure(file),
            "Could not read the file \"" + file.string() + "\": " + std::strerror(EACCES) + ".");
}

TEST(WriteFileAtomically, KeepsTheModeAndTheLinkOfWhatItReplaces) {
  using Links = std::vector<std::pair<std::string, std::string>>;  // "/" is the test's folder
  const struct {
    const char* what;
    mode_t umask;
    Links links;
    const char* written;  // nullptr when the save fails with `failure`
    mode_t mode = 0600;
    std::string failure = {};  // part of the message
    const char* saved = "user/mine.txt";
  } cases[] = {
      {"new, umask 022", 022, {}, "user/mine.txt", 0644},
      {"new, umask 077", 077, {}, "user/mine.txt", 0600},
      {"new, umask 002", 002, {}, "user/mine.txt", 0664},
      {.what = "replacing a 0600 file",
       .umask = 022,
       .links = {},
       .written = "other/real.txt",
       .saved = "other/real.txt"},
      {"link to another folder", 022, {{"user/mine.txt", "/other/real.txt"}}, "other/real.txt"},
      {"chain of two",
       022,
       {{"user/mine.txt", "/user/hop.txt"}, {"user/hop.txt", "/other/real.txt"}},
       "other/real.txt"},
      {"relative link", 022, {{"user/mine.txt", "../other/real.txt"}}, "other/real.txt"},
      {"relative to each link's folder",
       022,
       {{"user/mine.txt", "../other/hop.txt"}, {"other/hop.txt", "sub/real.txt"}},
       "other/sub/real.txt"},
      {"dangling", 022, {{"user/mine.txt", "../other/new.txt"}}, "other/new.txt", 0644},
      {"dangling, no folder",
       022,
       {{"user/mine.txt", "../gone/new.txt"}},
       nullptr,
       0,
       "/user/../gone/new.txt\", whose folder does not exist."},
      {"loop", 022, {{"user/mine.txt", "mine.txt"}}, nullptr, 0, std::strerror(ELOOP)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    for (const char* real : {"other/real.txt", "other/sub/real.txt"}) {
      fs::permissions(dir.Write(real, "old"), fs::perms(0600));
    }
    fs::create_directory(dir.path() / "user");
    for (const auto& [link, to] : c.links) {
      fs::create_symlink(to.starts_with('/') ? dir.path().string() + to : to, dir.path() / link);
    }
    const fs::path saved = dir.path() / c.saved;
    const mode_t previous = ::umask(c.umask);
    std::string failure;
    try {
      WriteFileAtomically(saved, "new");
    } catch (const Failure& f) {
      failure = f.what();
    }
    ::umask(previous);
    EXPECT_EQ(fs::is_symlink(saved), !c.links.empty());
    if (c.written == nullptr) {
      EXPECT_TRUE(failure.starts_with("Could not save the file \"" + saved.string())) << failure;
      EXPECT_NE(failure.find(c.failure), std::string::npos) << failure;
      continue;
    }
    EXPECT_EQ(failure, "");
    EXPECT_EQ(ModeOf(dir.path() / c.written), c.mode);
    EXPECT_NO_THROW(EXPECT_EQ(ReadTextFile(dir.path() / c.written), "new"));
  }
}

TEST(WriteFileAtomically, RemovesTemporaryFilesLeftOverAnHourAgo) {
  const struct {
    const char* name;
    int minutesOld;
    bool removed;  // younger ones may be of a save going on; folders are not ours
  } cases[] = {
      {".veltrane-save-AbC123", 120, true},   {".veltrane-save-zzzzz9", 61, true},
      {".veltrane-save-AbC124", 59, false},   {".veltrane-save-AbC12", 120, false},
      {"veltrane-save-AbC123", 120, false},   {".hidden", 120, false},
      {".veltrane-save-AbC125/", 120, false},
  };
  TempDir dir;
  for (const auto& c : cases) {
    const fs::path path = dir.path() / c.name;
    path.has_filename() ? (void)dir.Write(c.name, "left") : (void)fs::create_directory(path);
    fs::last_write_time(path,
                        fs::file_time_type::clock::now() - std::chrono::minutes(c.minutesOld));
  }
  WriteFileAtomically(dir.path() / "f.txt", "new");
  for (const auto& c : cases) EXPECT_EQ(fs::exists(dir.path() / c.name), !c.removed) << c.name;
}

}  // namespace
}  // namespace veltrane
