#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "content/Failure.h"
#include "content/NameFold.h"
#include "content/ProblemListing.h"
#include "support/TempDir.h"

namespace veltrane {
namespace {
namespace fs = std::filesystem;
using test::TempDir;

std::vector<std::string> Names(const std::vector<ProblemEntry>& entries) {
  std::vector<std::string> names;
  for (const ProblemEntry& e : entries) names.push_back(e.name);
  return names;
}

TEST(ListProblems, KeepsOnlyVisibleRegularTxtFiles) {
  TempDir app;
  const fs::path folder = app.path() / "niches/0/2";
  for (const char* name : {"a.txt", "Readme.TXT", "notes.text", "old.txt.bak", ".txt", ".h.txt",
                           "a.b.txt", "Mixed.TxT", "txt", ".TXT", "target"}) {
    app.Write(folder / name, "x");
  }
  fs::create_directory(folder / "x.txt");
  fs::create_symlink("target", folder / "link.txt");       // link to a regular file: listed
  fs::create_symlink("nowhere", folder / "dangling.txt");  // dangling link: not listed
  fs::create_symlink("x.txt", folder / "dirlink.txt");     // link to a folder: not listed

  const std::vector<ProblemEntry> expected{{"a", "a.txt"},
                                           {"a.b", "a.b.txt"},
                                           {"link", "link.txt"},
                                           {"Mixed", "Mixed.TxT"},
                                           {"Readme", "Readme.TXT"}};
  EXPECT_EQ(ListProblems({app.path()}, "0", "2"), expected);
}

TEST(ListProblems, MissingOrEmptyFolderGivesNoProblemsUnreadableOneFails) {
  TempDir app;
  fs::create_directories(app.path() / "niches/1/1");
  app.Write("niches/1/2/readme.md", "x");
  app.Write("niches/1/3", "a file where a folder should be");
  app.Write("niches/2", "a file where the niche's folder should be");
  fs::create_directories(app.path() / "niches/1/4");
  fs::permissions(app.path() / "niches/1/4", fs::perms::none);
  EXPECT_TRUE(ListProblems({app.path() / "nowhere"}, "0", "0").empty());
  const struct {
    const char* menu;
    const char* subniche;
    int error;  // 0 when the list is simply empty
  } cases[] = {{"1", "0", 0},       {"1", "1", 0},       {"1", "2", 0},
               {"1", "3", ENOTDIR}, {"2", "0", ENOTDIR}, {"1", "4", EACCES}};
  for (const auto& c : cases) {
    if (c.error == EACCES && ::geteuid() == 0) continue;  // root reads past folder modes
    const fs::path folder = app.path() / "niches" / c.menu / c.subniche;
    std::string failure;
    try {
      EXPECT_TRUE(ListProblems({app.path()}, c.menu, c.subniche).empty()) << folder;
    } catch (const Failure& f) {
      failure = f.what();
    }
    EXPECT_EQ(failure, c.error == 0 ? ""
                                    : "Could not read the folder \"" + folder.string() +
                                          "\": " + std::strerror(c.error) + ".");
  }
}

TEST(ListProblems, ShowsUndecodableNamesButReadsTheRealFile) {
  TempDir app;
  const std::string raw = "caf\xE9.txt";  // Latin-1 bytes, not UTF-8
  app.Write(fs::path("niches/0/0") / raw, "x");
  const std::vector<ProblemEntry> expected{{"caf\xC3\xA9", raw}};
  EXPECT_EQ(ListProblems({app.path()}, "0", "0"), expected);
}

TEST(ListProblems, SortsNaturallyWhateverTheDiskOrder) {
  const std::vector<std::string> sorted{"apple",       "Banana",      "banana",     "Problem 1",
                                        "Problem 2",   "problem 3",   "Problem 10", "Problem 010x",
                                        "Problem 10x", "Problem 100", "zebra"};
  std::vector<std::string> shuffled = sorted;
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
  TempDir app;
  for (const std::string& name : shuffled) app.Write("niches/0/0/" + name + ".txt", "x");
  EXPECT_EQ(Names(ListProblems({app.path()}, "0", "0")), sorted);
}

TEST(ListProblems, MergesTheUsersFolderFirst) {
  TempDir user;
  TempDir app;
  for (const char* name :
       {"Shipped Only.txt", "Slow Site.txt", "Problem 10.txt", "b.txt", "\xC3\xA9mile.txt"}) {
    app.Write(fs::path("niches/0/2") / name, "x");
  }
  for (const char* name :
       {"slow site.txt", "Mine.txt", "Problem 9.txt", "B.TXT", "b.txt", "\xC3\x89mile.txt"}) {
    user.Write(fs::path("niches/0/2") / name, "x");
  }
  const std::vector<ProblemEntry> expected{
      {"B", "B.TXT", 0},
      {"b", "b.txt", 0},  // both the user's; the shipped b is replaced
      {"Mine", "Mine.txt", 0},
      {"Problem 9", "Problem 9.txt", 0},
      {"Problem 10", "Problem 10.txt", 1},
      {"Shipped Only", "Shipped Only.txt", 1},
      {"slow site", "slow site.txt", 0},        // the user's file wins, letter case ignored
      {"\xC3\x89mile", "\xC3\x89mile.txt", 0},  // ...beyond ASCII too
  };
  EXPECT_EQ(ListProblems(ContentRoots{user.path(), app.path()}, "0", "2"), expected);
  // A missing user folder is simply empty.
  EXPECT_EQ(ListProblems(ContentRoots{user.path() / "none", app.path()}, "0", "2").size(), 5u);

  // Saving under a name: which of the user's files it replaces, and whether a shipped problem
  // stops being listed.
  const fs::path mine = user.path() / "niches/0/2";
  user.Write(mine / "caf\xE9.txt", "x");  // Windows-1252, shown as "café"
  user.Write(mine / "upper.TXT", "x");
  fs::create_symlink("nowhere.txt", mine / "Gone.txt");
  const ContentRoots roots{user.path(), app.path()};
  const std::optional<std::string> none;
  const struct {
    const char* name;
    std::optional<std::string> found;
    bool overrides;
  } cases[] = {
      {"Mine", "Mine.txt", false},
      {"mine", "Mine.txt", false},
      {"\xC3\xA9mile", "\xC3\x89mile.txt", true},  // émile: Émile.txt
      {"b", "b.txt", true},                        // spelled exactly: b.txt, not B.TXT
      {"caf\xC3\xA9", "caf\xE9.txt", false},       // café
      {"Caf\xC3\xA9", "caf\xE9.txt", false},
      {"cafe", none, false},  // an accent is a letter of a name
      {"Upper", "upper.TXT", false},
      {"gone", "Gone.txt", false},  // a save writes through the link
      {"Shipped Only", none, true},
      {"Nobody", none, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FindProblemFile(mine, c.name), c.found);
    EXPECT_EQ(OverridesShipped(roots, "0", "2", c.name), c.overrides);
  }
  EXPECT_EQ(FindProblemFile(user.path() / "none", "Mine"), none);
  EXPECT_FALSE(OverridesShipped(ContentRoots{app.path()}, "0", "2", "Shipped Only"));
}

TEST(SameName, FoldsLetterCaseInTheWholeOfUnicode) {
  const struct {
    const char* a;
    const char* b;
    bool same;
    bool sameForSearch;
  } cases[] = {
      {"Mine", "mine", true, true},
      {"\xC3\x89mile", "\xC3\xA9mile", true, true},   // Émile, émile
      {"E\xCC\x81mile", "\xC3\xA9mile", true, true},  // decomposed É, composed é
      {"Stra\xC3\x9F"
       "e",
       "STRASSE", true, true},                                               // ß folds to ss
      {"\xCE\xA3\xCE\x9F\xCE\xA6", "\xCF\x83\xCE\xBF\xCF\x86", true, true},  // ΣΟΦ, σοφ
      {"caf\xC3\xA9", "cafe", false, true},  // an accent is a letter of a name
      {"caf\xE9", "CAF\xE9", false, false},  // not UTF-8: the bytes must match
      {"caf\xE9", "caf\xE9", true, true},
      {"a", "b", false, false},
      {"", "", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " ~ " + c.b);
    EXPECT_EQ(SameName(c.a, c.b), c.same);
    EXPECT_EQ(SearchKey(c.a) == SearchKey(c.b), c.sameForSearch);
  }
}

TEST(NaturalLess, OrdersByNumberValueThenCaseThenBytes) {
  const struct {
    const char* a;
    const char* b;
    bool less;
  } cases[] = {
      {"Problem 2", "Problem 10", true},
      {"Problem 10", "Problem 2", false},
      {"a", "B", true},  // case does not decide the order
      {"B", "a", false},
      {"B", "b", true},  // ...except between otherwise equal names
      {"b", "B", false},
      {"x9", "x09", false},  // same value: byte order, '0' < '9'
      {"x09", "x9", true},
      {"x", "x1", true},
      {"", "a", true},
      {"a", "a", false},
      {"00000000000000000000000001", "2", true},  // no overflow on long digit runs
      {"99999999999999999999999999", "100000000000000000000000000", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " < " + c.b);
    EXPECT_EQ(NaturalLess(c.a, c.b), c.less);
  }
}

}  // namespace
}  // namespace veltrane
