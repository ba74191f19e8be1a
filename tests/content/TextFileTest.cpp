#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <set>
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

// The names in a folder, hidden ones included.
std::set<std::string> Entries(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

mode_t ModeOf(const fs::path& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
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
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.string());
    EXPECT_EQ(ReadFailure(c.path),
              "Could not read the file \"" + c.path.string() + "\": " + c.reason + ".");
  }
}

TEST(ReadTextFile, RefusesFilesOverTheSizeLimit) {
  TempDir dir;
  const fs::path atLimit = dir.Write("at.txt", std::string(kMaxTextFileBytes, 'a'));
  EXPECT_EQ(ReadTextFile(atLimit).size(), kMaxTextFileBytes);

  const fs::path over = dir.Write("over.txt", "");
  fs::resize_file(over, kMaxTextFileBytes + 1);
  const std::string message = ReadFailure(over);
  EXPECT_NE(message.find(over.string()), std::string::npos) << message;
  EXPECT_NE(message.find("16 MiB"), std::string::npos) << message;
}

TEST(ReadTextFile, UnreadableFileFailsUnlessRunByRoot) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads past file permissions";
  TempDir dir;
  const fs::path file = dir.Write("secret.txt", "x");
  fs::permissions(file, fs::perms::none);
  EXPECT_EQ(ReadFailure(file),
            "Could not read the file \"" + file.string() + "\": " + std::strerror(EACCES) + ".");
}

TEST(WriteFileAtomically, NewFilesTakeTheUmaskReplacedFilesKeepTheirMode) {
  const struct {
    mode_t umask;
    int before;  // the mode of the file replaced; -1 when there is none
    mode_t after;
  } cases[] = {
      {022, -1, 0644},   {077, -1, 0600},   {002, -1, 0664},
      {022, 0600, 0600}, {077, 0664, 0664}, {022, 0755, 0755},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << std::oct << "umask " << c.umask << ", replacing mode " << c.before);
    TempDir dir;
    const fs::path file = dir.path() / "f.txt";
    if (c.before >= 0) {
      dir.Write("f.txt", "old");
      ASSERT_EQ(::chmod(file.c_str(), static_cast<mode_t>(c.before)), 0);
    }
    const mode_t previous = ::umask(c.umask);
    WriteFileAtomically(file, "new");
    ::umask(previous);
    EXPECT_EQ(ReadTextFile(file), "new");
    EXPECT_EQ(ModeOf(file), c.after);
    EXPECT_EQ(Entries(dir.path()), std::set<std::string>{"f.txt"});  // no temporary left
  }
}

TEST(WriteFileAtomically, WritesWhereALinkPointsAndKeepsTheLink) {
  using Links = std::vector<std::pair<std::string, std::string>>;  // link, what it holds
  const struct {
    const char* what;
    Links links;
    std::string written;  // below the folder; empty when the save fails
    std::string failure = {};
  } cases[] = {
      {"to a file in another folder", {{"user/mine.txt", "/other/real.txt"}}, "other/real.txt"},
      {"chain of two",
       {{"user/mine.txt", "/user/hop.txt"}, {"user/hop.txt", "/other/real.txt"}},
       "other/real.txt"},
      {"relative", {{"user/mine.txt", "../other/real.txt"}}, "other/real.txt"},
      {"relative to the folder of each link",
       {{"user/mine.txt", "../other/hop.txt"}, {"other/hop.txt", "sub/real.txt"}},
       "other/sub/real.txt"},
      {"dangling, its folder there", {{"user/mine.txt", "../other/new.txt"}}, "other/new.txt"},
      {"dangling, its folder missing",
       {{"user/mine.txt", "../gone/new.txt"}},
       "",
       "it is a link to \"{}/user/../gone/new.txt\", whose folder does not exist"},
      {"loop", {{"user/mine.txt", "mine.txt"}}, "", std::strerror(ELOOP)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const std::string root = dir.path().string();
    dir.Write("other/real.txt", "old");
    dir.Write("other/sub/real.txt", "old");
    fs::permissions(dir.path() / "other/real.txt", fs::perms(0600));
    fs::permissions(dir.path() / "other/sub/real.txt", fs::perms(0600));
    fs::create_directory(dir.path() / "user");
    for (const auto& [link, target] : c.links) {
      fs::create_symlink(target.starts_with('/') ? root + target : target, dir.path() / link);
    }
    const fs::path mine = dir.path() / "user/mine.txt";
    std::string failure;
    try {
      WriteFileAtomically(mine, "new");
    } catch (const Failure& f) {
      failure = f.what();
    }

    for (const std::string& name : Entries(dir.path() / "user")) {  // the links, nothing more
      EXPECT_TRUE(fs::is_symlink(dir.path() / "user" / name)) << name;
    }
    if (c.written.empty()) {
      std::string reason = c.failure;
      if (const auto at = reason.find("{}"); at != std::string::npos) reason.replace(at, 2, root);
      EXPECT_EQ(failure, "Could not save the file \"" + mine.string() + "\": " + reason + ".");
      EXPECT_FALSE(fs::exists(dir.path() / "gone"));
    } else {
      EXPECT_EQ(failure, "");
      const fs::path written = dir.path() / c.written;
      EXPECT_FALSE(fs::is_symlink(written));
      EXPECT_NO_THROW(EXPECT_EQ(ReadTextFile(written), "new"));
      if (c.written.ends_with("real.txt")) {
        EXPECT_EQ(ModeOf(written), 0600u);
      }
      for (const std::string& name : Entries(written.parent_path())) {
        EXPECT_FALSE(IsSaveTemporaryName(name)) << name;
      }
    }
  }
}

TEST(WriteFileAtomically, RemovesTemporaryFilesLeftOverAnHourAgo) {
  const struct {
    std::string name;
    int minutesOld;
    bool folder;
    bool removed;
  } cases[] = {
      {".veltrane-save-AbC123", 120, false, true},
      {".veltrane-save-zzzzz9", 61, false, true},
      {".veltrane-save-AbC124", 59, false, false},  // a save that may still be going on
      {".veltrane-save-AbC12", 120, false, false},  // not a name a save gives
      {".veltrane-save-AbC1234", 120, false, false},
      {".veltrane-save-AbC_12", 120, false, false},
      {"veltrane-save-AbC123", 120, false, false},
      {".hidden", 120, false, false},
      {".f.txt.AbC123", 120, false, false},
      {".veltrane-save-AbC125", 120, true, false},  // only files are removed
  };
  TempDir dir;
  const auto now = fs::file_time_type::clock::now();
  for (const auto& c : cases) {
    const fs::path path = dir.path() / c.name;
    if (c.folder) {
      fs::create_directory(path);
    } else {
      dir.Write(c.name, "left");
    }
    fs::last_write_time(path, now - std::chrono::minutes(c.minutesOld));
  }
  WriteFileAtomically(dir.path() / "f.txt", "new");
  for (const auto& c : cases) {
    EXPECT_EQ(fs::exists(dir.path() / c.name), !c.removed) << c.name;
  }
}

}  // namespace
}  // namespace veltrane
