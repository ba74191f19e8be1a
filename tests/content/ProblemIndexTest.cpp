#include "content/ProblemIndex.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "content/NameFold.h"
#include "content/SearchText.h"
#include "support/TempDir.h"

namespace veltrane {
namespace {
namespace fs = std::filesystem;
using test::ProblemText;

// Decomposed and composed accents, marks in any order, Hangul jamo that compose, case folds
// that change length, a mark with nothing before it.
TEST(SearchText, FoldsAsSearchKeyDoes) {
  const std::vector<std::string> alphabet{
      "a",      "Z",      " ",      "\r\n",   "\u0301", "\u0323", "\u00E9", "\u1100",
      "\u1161", "\u11A8", "\uAC00", "\u00DF", "\u0130", "\uFB01", "\u212B", "\u0345",
      "\u03A3", "\u1F88", "\u2019", "\u0F73", "\u0B47", "\u0B3E", "!",      "\U0001F600"};
  std::mt19937 random(7);
  for (int i = 0; i < 2000; ++i) {
    std::string text;
    for (std::size_t n = random() % 12; n > 0; --n) text += alphabet[random() % alphabet.size()];
    SearchText folded;
    folded.AddField(text);
    ASSERT_EQ(folded.KeyField(0), SearchKey(text)) << testing::PrintToString(text);
  }
}

TEST(SearchText, ExcerptShowsTheOriginalAroundTheMatchOnOneLine) {
  const std::string a39(39, 'a');
  const std::string b39(39, 'b');
  const struct {
    std::string field, query, excerpt, match;
  } cases[] = {
      {"Slow website", "WEBSITE", "Slow website", "website"},
      {"My Caf\u00E9 is slow", "cafe", "My Caf\u00E9 is slow", "Caf\u00E9"},
      {"My Cafe\u0301 is slow", "caf", "My Cafe\u0301 is slow", "Caf"},
      {"Gro\u00DFe Stra\u00DFe", "strasse", "Gro\u00DFe Stra\u00DFe", "Stra\u00DFe"},
      {"\uFB01le it", "ile", "\uFB01le it", "\uFB01le"},  // the ligature is one character
      {"  A line\r\n\r\nthen \t another\u2028end  ", "another", "A line then another end",
       "another"},
      {"x" + a39 + " needle " + b39 + "y", "needle", "\u2026" + a39 + " needle " + b39 + "\u2026",
       "needle"},
      {"\u00E9" + a39 + "\u00E9 \u00E9t\u00E9", "ete",
       "\u2026" + a39.substr(1) + "\u00E9 \u00E9t\u00E9",
       "\u00E9t\u00E9"},  // forty characters, not bytes
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    SearchText text;
    text.AddField("first field");
    text.AddField(c.field);
    text.AddField("last field");
    const std::string word = QueryWords(c.query).at(0);
    const std::size_t at = FindWord(text.Key(), word);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(text.FieldAt(at), 1u);
    const SearchText::Excerpt excerpt = text.ExcerptAt(at, at + word.size(), 40);
    EXPECT_EQ(excerpt.text, c.excerpt);
    EXPECT_EQ(excerpt.text.substr(excerpt.matchStart, excerpt.matchLength), c.match);
  }
}

TEST(SearchText, QueryWordsAreFoldedAndSplitAtAnySpace) {
  const struct {
    const char* query;
    std::vector<std::string> words;
  } cases[] = {
      {"  Slow  WEBSITE ", {"slow", "website"}},
      {"Caf\u00E9\u00A0CR\u00C8ME\u3000x", {"cafe", "creme", "x"}},
      {"\t\r\n\u2029", {}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(QueryWords(c.query), c.words) << c.query;
}

// Near-misses everywhere, the word at every place of a block of sixteen and in the tail.
TEST(SearchText, FindWordAgreesWithPlainFind) {
  for (const std::string word : {"b", "bd", "bcd", "bcad", "bcbcd", "bcbbcbd"}) {
    for (std::size_t size = 0; size < 50; ++size) {
      for (std::size_t at = 0; at + word.size() <= size; ++at) {
        std::string text;
        while (text.size() < size) text += "bcbcbd";
        text.resize(size);
        text.replace(at, word.size(), word);
        for (const std::size_t from : {std::size_t{0}, at, at + 1}) {
          ASSERT_EQ(FindWord(text, word, from), text.find(word, from)) << text << " " << from;
        }
      }
    }
  }
}

class ProblemIndexTest : public testing::Test {
 protected:
  ProblemIndexTest() {
    app.Write("niches/0/2/Slow Website.txt",
              ProblemText("My site is slow.", "PageSpeed Insights: finds what slows it.",
                          "Kinsta: fast managed hosting."));
    app.Write("niches/0/2/Broken Links.txt",
              ProblemText("Links are broken.", "Ahrefs: finds them.", "Semrush: site audits."));
    app.Write("niches/0/2/Problem 10.txt", ProblemText("A caf\u00E9 nobody finds.", "F", "P: p"));
    app.Write("niches/0/2/Problem 2.txt", ProblemText("Too many CAFES nearby.", "F", "P: p"));
    app.Write("niches/3/1/Slow Mornings.txt",
              ProblemText("Yoga before work.", "F", "Hosting: no."));
    app.Write("niches/4/4/Latin.txt", "[PROBLEM]\r\nCr\xE8me br\xFBl\xE9\x65\r\n");  // not UTF-8
    fs::resize_file(app.Write("niches/5/0/Huge.txt", "[PROBLEM]\r\nunfindable\r\n"),
                    17 * 1024 * 1024);
    user.Write("niches/0/2/broken links.txt", ProblemText("Mine break too.", "F", "P: p"));
    user.Write("niches/1/0/Slow Replies.txt", ProblemText("Recruiters answer late.", "F", "P: p"));
  }

  std::vector<std::string> Found(const std::string& query) const {
    static const char* const kFields[] = {"name", "problem", "free", "paid"};
    std::vector<std::string> found;
    for (const SearchHit& hit : index.Search(query)) {
      found.push_back(std::to_string(hit.niche) + "/" + std::to_string(hit.subniche) + " " +
                      std::string(hit.name()) + (hit.mine ? " (mine) " : " ") +
                      kFields[static_cast<int>(hit.field)]);
    }
    return found;
  }

  test::TempDir user;
  test::TempDir app;
  ProblemIndex index{{user.path(), app.path()}};
};

TEST_F(ProblemIndexTest, FindsEveryWordInAnyTextNamesFirst) {
  ASSERT_TRUE(index.Refresh());
  const struct {
    const char* query;
    std::vector<std::string> found;
  } cases[] = {
      {"slow", {"0/2 Slow Website name", "1/0 Slow Replies (mine) name", "3/1 Slow Mornings name"}},
      {"CAF\u00C9", {"0/2 Problem 2 problem", "0/2 Problem 10 problem"}},  // natural order
      {"finds", {"0/2 Problem 10 problem", "0/2 Slow Website free"}},
      {"hosting slow", {"0/2 Slow Website paid", "3/1 Slow Mornings paid"}},
      {"broken", {"0/2 broken links (mine) name"}},  // the user's file replaces the shipped one
      {"links mine", {"0/2 broken links (mine) problem"}},
      {"semrush", {}},
      {"creme brulee", {"4/4 Latin problem"}},  // read as Windows-1252, as the window reads it
      {"huge", {"5/0 Huge name"}},              // over the size limit: its name only
      {"unfindable", {}},
      {"slow nothing", {}},
      {" \t ", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Found(c.query), c.found) << c.query;

  const std::vector<SearchHit> cafe = index.Search("cafe nobody");
  ASSERT_EQ(cafe.size(), 1u);
  const SearchText::Excerpt excerpt = cafe[0].Excerpt();
  EXPECT_EQ(excerpt.text, "A caf\u00E9 nobody finds.");
  EXPECT_EQ(excerpt.text.substr(excerpt.matchStart, excerpt.matchLength), "caf\u00E9");
}

TEST_F(ProblemIndexTest, NextRefreshFindsChangesReadingOnlyThose) {
  const struct {
    const char* what;
    std::function<void()> change;
    std::vector<std::string> hosting;  // found by "hosting"
    std::size_t reads;
  } steps[] = {
      {"built", [] {}, {"0/2 Slow Website paid", "3/1 Slow Mornings paid"}, 8},
      {"nothing changed", [] {}, {"0/2 Slow Website paid", "3/1 Slow Mornings paid"}, 0},
      {"changed in place",
       [&] {
         app.Write("niches/3/1/Slow Mornings.txt", ProblemText("Yoga.", "F", "None: at all"));
       },
       {"0/2 Slow Website paid"},
       1},
      {"the user's file added",
       [&] { user.Write("niches/0/2/Slow Website.txt", ProblemText("Mine.", "F", "Hosting: m")); },
       {"0/2 Slow Website (mine) paid"},
       1},
      {"the user's file removed, the shipped one back",
       [&] { fs::remove(user.path() / "niches/0/2/Slow Website.txt"); },
       {"0/2 Slow Website paid"},
       1},
      {"a folder added",
       [&] { user.Write("niches/2/7/Focus.txt", ProblemText("Hosting apps.", "F", "P: p")); },
       {"0/2 Slow Website paid", "2/7 Focus (mine) problem"},
       1},
      {"a folder removed",
       [&] { fs::remove_all(user.path() / "niches/2"); },
       {"0/2 Slow Website paid"},
       0},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    step.change();
    const std::size_t before = index.FilesRead();
    ASSERT_TRUE(index.Refresh());
    EXPECT_EQ(Found("hosting"), step.hosting);
    EXPECT_EQ(index.FilesRead() - before, step.reads);
  }
}

TEST_F(ProblemIndexTest, BuildsInSlicesAndChecksFilesInTurn) {
  EXPECT_FALSE(index.Ready());
  EXPECT_FALSE(index.Refresh(3));
  EXPECT_EQ(index.FilesRead(), 3u);
  EXPECT_EQ(Found("slow").size(), 3u);  // names are there from the start
  EXPECT_FALSE(index.Refresh(3));
  EXPECT_TRUE(index.Refresh(3));
  EXPECT_TRUE(index.Ready());
  EXPECT_EQ(index.FilesRead(), 8u);

  // A file changed in place is found once the round of checks reaches it; added ones at once.
  app.Write("niches/3/1/Slow Mornings.txt", ProblemText("Yoga.", "F", "None: at all"));
  user.Write("niches/0/0/New.txt", ProblemText("Hosting.", "F", "P: p"));
  EXPECT_TRUE(index.Refresh(1));  // reads the new file, checks none
  EXPECT_EQ(Found("hosting").size(), 3u);
  std::size_t calls = 1;
  for (; Found("hosting").size() == 3u && calls <= index.size(); ++calls) index.Refresh(1);
  EXPECT_EQ(Found("hosting"),
            (std::vector<std::string>{"0/0 New (mine) problem", "0/2 Slow Website paid"}));
  EXPECT_LE(calls, index.size());
}

}  // namespace
}  // namespace veltrane
