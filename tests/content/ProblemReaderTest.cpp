#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <variant>

#include "content/Failure.h"
#include "content/ProblemReader.h"
#include "content/ProblemWriter.h"
#include "content/TextFile.h"
#include "support/Printers.h"
#include "support/ReferenceSplit.h"
#include "support/TempDir.h"

namespace veltrane {
namespace {

// Split while static objects are being built, in no fixed order with the splitter's own file.
const ProblemSections kSplitDuringStartUp = SplitProblemText("[FREE]\r\nF\r\n\r\n[PAID]\r\nA");

struct SplitCase {
  const char* what;
  std::string text;
  ProblemSections expected;
  bool anyBlock = true;  // a block that starts a section
};

TEST(SplitProblemText, BlocksMarkersAndSeparators) {
  const SplitCase cases[] = {
      {"well formed; the last section keeps the file's final line break",
       "[PROBLEM]\r\nP1\r\nP2\r\n\r\n[FREE]\r\nF\r\n\r\n[PAID]\r\nA: x\r\nB: y\r\n",
       {"P1\r\nP2", "F", "A: x\r\nB: y\r\n"}},
      {"a file ending in an empty line keeps no line break",
       "[PROBLEM]\r\nP\r\n\r\n[PAID]\r\nA\r\n\r\n",
       {"P", "", "A"}},
      {"sections in any order",
       "[PAID]\r\nA\r\n\r\n[FREE]\r\nF\r\n\r\n[PROBLEM]\r\nP",
       {"P", "F", "A"}},
      {"empty text", "", {"", "", ""}, false},
      {"no bracket at all", "just words\r\n\r\nmore words\r\n", {"", "", ""}, false},
      {"lower-case markers only",
       "[problem]\r\nP\r\n\r\n[free]\r\nF\r\n\r\n[paid]\r\nA",
       {"", "", ""},
       false},
      {"brackets, but no marker", "[NOTE]\r\nn\r\n\r\n[PAID\r\n[FREE ]", {"", "", ""}, false},
      {"a marker that leaves its block empty is still a block", "[FREE]", {"", "", ""}},
      {"a marker in a paragraph, after another bracket",
       "words\r\nmore [x] and [PAID]\r\nA",
       {"", "", "[PAID]\r\nA"}},
      {"a missing section stays empty", "[PROBLEM]\r\nP\r\n\r\n[PAID]\r\nA", {"P", "", "A"}},
      {"a marker in two blocks joins them with nothing between",
       "[PAID]\r\nA\r\n\r\n[PAID]\r\nB",
       {"", "", "AB"}},
      {"an unmarked bracketed block goes to the current section",
       "[PROBLEM]\r\nP\r\n\r\n[NOTE] n",
       {"P[NOTE] n", "", ""}},
      {"an unmarked block before any marker is dropped",
       "[NOTE] n\r\n\r\n[FREE]\r\nF",
       {"", "F", ""}},
      {"a paragraph without a bracket is ignored",
       "[PROBLEM]\r\nP\r\n\r\nmore\r\n\r\n[FREE]\r\nF",
       {"P", "F", ""}},
      {"a paragraph with a bracket inside: only the part from it counts",
       "[PROBLEM]\r\nP\r\n\r\nsee [link] here",
       {"P[link] here", "", ""}},
      {"no empty lines: one problem block holds everything",
       "[PROBLEM]\r\nP\r\n[FREE]\r\nF\r\n[PAID]\r\nX",
       {"P\r\n[FREE]\r\nF\r\n[PAID]\r\nX", "", ""}},
      {"LF-only lines: one block, and a marker line one short",
       "[PROBLEM]\nProblem\n\n[FREE]\nF",
       {"roblem\n\n[FREE]\nF", "", ""}},
      {"a marker in another letter case is no marker",
       "[PROBLEM]\r\nP\r\n\r\n[free]\r\nF",
       {"P[free]\r\nF", "", ""}},
      {"precedence: a paid block mentioning [FREE] is a free block",
       "[PAID]\r\nsee [FREE] tier",
       {"", "see [FREE] tier", ""}},
      {"precedence: [PROBLEM] wins over both, and its 11 characters go",
       "[FREE]\r\n[PAID] or [PROBLEM]",
       {"ID] or [PROBLEM]", "", ""}},
      {"a marker not at the block's start still removes the first 11 characters",
       "[x] [PROBLEM]\r\nProblem",
       {"M]\r\nProblem", "", ""}},
      {"a marker line followed by an empty line gives an empty section",
       "[FREE]\r\n\r\nignored\r\n\r\n[PAID]\r\nA",
       {"", "", "A"}},
      {"one space after the marker leaves the line feed", "[FREE] \r\nF", {"", "\nF", ""}},
      {"a title before the first bracket is ignored", "Title\r\n[PROBLEM]\r\nP", {"P", "", ""}},
      {"a block shorter than its marker line becomes empty", "[PAID]", {"", "", ""}},
      {"three empty lines: the scan resumes inside the separator",
       "[PROBLEM]\r\nP\r\n\r\n\r\n[FREE]\r\nF",
       {"P", "F", ""}},
      {"removal counts characters, not bytes",
       "[x]\xC3\xA9\xC3\xA9[PAID]\r\nA",
       {"", "", "ID]\r\nA"}},
      {"a stray continuation byte after the marker line goes with its line feed",
       "[FREE]\r\n\x97x",
       {"", "x", ""}},
      {"non-ASCII text passes whole",
       "[PROBLEM]\r\nCaf\xC3\xA9 \xE2\x80\x9Cx\xE2\x80\x9D",
       {"Caf\xC3\xA9 \xE2\x80\x9Cx\xE2\x80\x9D", "", ""}},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(SplitProblemText(c.text), c.expected);
    EXPECT_EQ(HasAnyBlock(c.text), c.anyBlock);
  }
}

std::string RandomProblemText(std::mt19937& rng) {
  static const char* const kPieces[] = {
      "[PROBLEM]", "[FREE]", "[PAID]", "[", "]", "\r\n", "\r\n\r\n", "\n", "\r", "a", "bc d", " ",
      "[free]", "[PAID", "PROBLEM]", "\r\n\r\n\r\n", "x: y",
      // a character of two bytes and a stray continuation byte: removal counts characters
      "\xC3\xA9", "\x97"};
  std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
  std::uniform_int_distribution<int> count(0, 40);
  std::string text;
  for (int n = count(rng); n > 0; --n) text += kPieces[piece(rng)];
  return text;
}

TEST(SplitProblemText, AgreesWithTheStepByStepReference) {
  std::mt19937 rng(20261207);
  for (int i = 0; i < 20000; ++i) {
    const std::string text = RandomProblemText(rng);
    ASSERT_EQ(SplitProblemText(text), test::ReferenceSplit(text)) << testing::PrintToString(text);
    // Without a block every section is empty.
    if (!HasAnyBlock(text)) {
      ASSERT_EQ(SplitProblemText(text), ProblemSections{}) << testing::PrintToString(text);
    }
  }
}

TEST(SplitProblemText, WorksBeforeMainStarts) {
  EXPECT_EQ(kSplitDuringStartUp, (ProblemSections{"", "F", "A"}));
}

TEST(NormalizeLineEnds, OnlyLoneLineFeedsChange) {
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"", ""},
      {"a\nb", "a\r\nb"},
      {"a\r\nb", "a\r\nb"},
      {"\n", "\r\n"},
      {"\n\n", "\r\n\r\n"},
      {"a\r\n\nb", "a\r\n\r\nb"},
      {"\r", "\r"},
      {"\r\r\n", "\r\r\n"},
      {"\n\r", "\r\n\r"},
      {"no breaks", "no breaks"},
  };
  for (const auto& c : cases) EXPECT_EQ(NormalizeLineEnds(c.in), c.out) << c.in;
}

// The ASCII text as UTF-16 with its byte-order mark.
std::string Utf16(std::string_view ascii, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char c : ascii) {
    bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  }
  return bytes;
}

TEST(ReadProblemFile, LinuxLineEndsReadAsTheWellFormedFile) {
  test::TempDir dir;
  const ProblemSections expected{"P1\r\nP2", "F", "A: x\r\nB: y\r\n"};
  const struct {
    const char* name;
    std::string bytes;
  } files[] = {
      {"crlf.txt", "[PROBLEM]\r\nP1\r\nP2\r\n\r\n[FREE]\r\nF\r\n\r\n[PAID]\r\nA: x\r\nB: y\r\n"},
      {"lf.txt", "[PROBLEM]\nP1\nP2\n\n[FREE]\nF\n\n[PAID]\nA: x\nB: y\n"},
      {"mixed.txt", "[PROBLEM]\r\nP1\nP2\n\r\n[FREE]\nF\r\n\n[PAID]\nA: x\r\nB: y\n"},
      {"bom.txt", "\xEF\xBB\xBF[PROBLEM]\nP1\nP2\n\n[FREE]\nF\n\n[PAID]\nA: x\nB: y\n"},
      {"utf16le.txt",
       Utf16("[PROBLEM]\r\nP1\r\nP2\r\n\r\n[FREE]\r\nF\r\n\r\n[PAID]\r\nA: x\r\nB: y\r\n", false)},
      {"utf16be.txt", Utf16("[PROBLEM]\nP1\nP2\n\n[FREE]\nF\n\n[PAID]\nA: x\nB: y\n", true)},
  };
  for (const auto& f : files) {
    SCOPED_TRACE(f.name);
    bool anyBlock = false;
    EXPECT_EQ(ReadProblemFile(dir.Write(f.name, f.bytes), anyBlock), expected);
    EXPECT_TRUE(anyBlock);
  }
  EXPECT_EQ(ReadProblemFile(dir.Write("1252.txt", "[FREE]\n\x93Quoted\x94 \x80 5")).freeText,
            "\xE2\x80\x9CQuoted\xE2\x80\x9D \xE2\x82\xAC 5");
}

TEST(ReadProblemFile, MissingFileFailsWithItsPath) {
  test::TempDir dir;
  const auto path = dir.path() / "gone.txt";
  try {
    ReadProblemFile(path);
    FAIL() << "read a file that does not exist";
  } catch (const Failure& failure) {
    EXPECT_NE(std::string(failure.what()).find(path.string()), std::string::npos);
  }
}

// What the boxes hold is saved so that it reads back as exactly the texts saved.
TEST(ProblemFileText, BoxTextsSaveAndReadBackExactly) {
  test::TempDir dir;
  const struct {
    const char* what;
    std::string problem, free, paid;
    ProblemSections saved;
    bool dropped;
  } cases[] = {
      {"as read from a shipped file",
       "P",
       "F: f",
       "A: a\nB: b\n",
       {"P", "F: f", "A: a\r\nB: b\r\n"},
       false},
      {"line feeds become CR LF",
       "P1\nP2",
       "F1\r\nF2",
       "A: a\rB: b",
       {"P1\r\nP2", "F1\r\nF2", "A: a\r\nB: b"},
       false},
      {"empty lines are dropped",
       "P\n\nQ",
       "\nF",
       "A\n\n\nB\n\n",
       {"P\r\nQ", "F", "A\r\nB\r\n"},
       true},
      {"a final line break only the last block keeps",
       "P\n",
       "F\r\n",
       "A\n",
       {"P", "F", "A\r\n"},
       true},
      {"empty texts", "", "", "", {"", "", ""}, false},
      {"a line of spaces is no empty line",
       "P",
       " ",
       "A\n  \nB",
       {"P", " ", "A\r\n  \r\nB"},
       false},
      {"markers of later sections and lower-case ones are text",
       "[x] [FREE] [PAID]",
       "[PAID] x",
       "[free] [PAID",
       {"[x] [FREE] [PAID]", "[PAID] x", "[free] [PAID"},
       false},
      {"non-ASCII",
       "caf\xC3\xA9",
       "\xE2\x82\xAC 5",
       "\xC2\xA0x",
       {"caf\xC3\xA9", "\xE2\x82\xAC 5", "\xC2\xA0x"},
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ProblemToSave prepared = PrepareProblem(c.problem, c.free, c.paid);
    EXPECT_EQ(prepared.sections, c.saved);
    EXPECT_EQ(prepared.emptyLinesDropped, c.dropped);
    const std::string file = ProblemFileText(prepared.sections);
    EXPECT_TRUE(file.starts_with("[PROBLEM]\r\n"));
    EXPECT_EQ(NormalizeLineEnds(file), file);
    EXPECT_EQ(ReadProblemFile(dir.Write("saved.txt", file)), c.saved);
  }
  // A marker of an earlier section inside a later one would move the text: refused.
  for (const ProblemSections& moving :
       {ProblemSections{"P", "see [PROBLEM]", "A"}, ProblemSections{"P", "F", "x [FREE] y"},
        ProblemSections{"P", "F", "[PROBLEM]"}}) {
    EXPECT_THROW(ProblemFileText(moving), Failure) << testing::PrintToString(moving);
  }
}

TEST(CheckProblemName, RefusesNamesThatCannotBeTheUsersFile) {
  test::TempDir dir;
  const std::optional<std::string> refused;
  const struct {
    std::string name;
    std::optional<std::string> saved;  // the name to save under; nothing when refused
  } cases[] = {
      {"Slow Website", "Slow Website"},
      {"a.b", "a.b"},
      {" spaced ", "spaced"},
      {"\t Mine \r\n", "Mine"},                        // white space at the ends goes first...
      {"\xC2\xA0Mine\xE3\x80\x80", "Mine"},            // ...Unicode's too: no-break, ideographic
      {"a  b\xC2\xA0z", "a  b\xC2\xA0z"},              // inside, it stays
      {std::string(251, 'x'), std::string(251, 'x')},  // 255 bytes with ".txt"
      {" " + std::string(251, 'x') + " ", std::string(251, 'x')},  // measured once trimmed
      {"", refused},
      {"\xE2\x80\xA8\t", refused},  // nothing but white space
      {".hidden", refused},
      {" .hidden", refused},
      {".", refused},
      {"a/b", refused},
      {"/", refused},
      {std::string("a\0b", 3), refused},
      {"a\tb", refused},
      {"a\nb", refused},
      {"a\x7Fz", refused},          // DEL
      {"a\xC2\x85z", refused},      // NEL, a C1 control, inside the name
      {"a\xE2\x80\xA8z", refused},  // line separator
      {"caf\xE9", refused},         // not UTF-8
      {std::string(252, 'x'), refused},
      {"\xC3\xA9" + std::string(249, 'x'), "\xC3\xA9" + std::string(249, 'x')},  // 251 bytes
      {"\xC3\xA9" + std::string(250, 'x'), refused},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.name));
    const auto checked = CheckProblemName(c.name);
    const auto* saved = std::get_if<std::string>(&checked);
    EXPECT_EQ(saved != nullptr ? std::optional(*saved) : std::nullopt, c.saved);
    if (saved != nullptr) {  // any name taken saves, the temporary file beside it included
      WriteFileAtomically(dir.path() / (*saved + ".txt"), "x");
      EXPECT_EQ(ReadTextFile(dir.path() / (*saved + ".txt")), "x");
    }
    EXPECT_EQ(std::holds_alternative<NameRefusal>(checked), !c.saved.has_value());
  }
}

}  // namespace
}  // namespace veltrane
