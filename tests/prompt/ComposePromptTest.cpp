#include <gtest/gtest.h>

#include <string>

#include "content/Failure.h"
#include "prompt/ComposePrompt.h"
#include "support/TempDir.h"

namespace veltrane {
namespace {

const std::string kAllFive = "#NICHE#|#SUBNICHE#|#PROBLEM#|#FREE#|#PAID#";

TEST(FillTemplate, EachVariantFillsItsPlaceholdersInOnePass) {
  const ProblemSections plain{"P", "F", "A: a\r\nB: b\r\n"};
  const struct {
    const char* what;
    std::string templateText;
    bool includeFree;
    ProblemSections sections;
    std::string expected;
  } cases[] = {
      {"with free: all five", kAllFive, true, plain, "N|S|P|F|A: a\r\nB: b\r\n"},
      {"without free: #FREE# stays", kAllFive, false, plain, "N|S|P|#FREE#|A: a\r\nB: b\r\n"},
      {"no placeholders: the template as it is", "Write.\r\nThanks.\r\n", true, plain,
       "Write.\r\nThanks.\r\n"},
      {"every occurrence, inside lines too", "#NICHE##NICHE# in #NICHE#.", false, plain,
       "NN in N."},
      // One pass: a placeholder inside a value reaches the prompt as written.
      {"a problem text holding #PAID# keeps it",
       "#PROBLEM#|#PAID#",
       true,
       {"see #PAID#", "", "X"},
       "see #PAID#|X"},
      {"...also without free", "#PROBLEM#", false, {"see #PAID#", "", "X"}, "see #PAID#"},
      {"a free text's own #PAID# stays", "#FREE#", true, {"", "#PAID#", "X"}, "#PAID#"},
      {"a paid text holding #NICHE# keeps it", "#PAID#", true, {"", "", "#NICHE#"}, "#NICHE#"},
      {"a niche name never joins with the text after it", "#NICHE#PAID#", true, plain, "NPAID#"},
      {"a half placeholder before a whole one", "##NICHE#", true, plain, "#N"},
      {"lower case or spaced placeholders stay", "#niche# # NICHE # #Niche#", true, plain,
       "#niche# # NICHE # #Niche#"},
      {"empty sections remove their placeholders",
       "[#PROBLEM#][#FREE#][#PAID#]",
       true,
       {"", "", ""},
       "[][][]"},
      {"a lone # passes", "# 1 #PROBLEM# #", true, plain, "# 1 P #"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(FillTemplate(c.templateText, c.includeFree, "N", "S", c.sections), c.expected);
  }
}

TEST(ComposePrompt, ReadsTheTemplateTheCheckBoxChooses) {
  test::TempDir app;
  app.Write("templates/template-free.txt", "FREE VARIANT #SUBNICHE# #FREE#\r\n");
  app.Write("templates/template.txt", "PLAIN VARIANT #SUBNICHE# #FREE#\r\n");
  const ProblemSections sections{"P", "F", "A"};
  EXPECT_EQ(ComposePrompt(app.path(), true, "N", "S", sections), "FREE VARIANT S F\r\n");
  EXPECT_EQ(ComposePrompt(app.path(), false, "N", "S", sections), "PLAIN VARIANT S #FREE#\r\n");

  // Read anew each time: a change on disk shows at once.
  app.Write("templates/template.txt", "CHANGED #NICHE#");
  EXPECT_EQ(ComposePrompt(app.path(), false, "N", "S", sections), "CHANGED N");
}

std::string Repeated(std::string_view piece, std::size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

// Placeholders multiply the texts: a prompt over the limit is refused, naming the template
// and the size it would have reached, before it is built.
TEST(ComposePrompt, BuildsUpToTheLimitAndRefusesMore) {
  constexpr std::size_t kLimit = kMaxPromptBytes;
  const std::string oneMiB(1024 * 1024, 'x');
  // The paid text makes up the rest of the prompt.
  const std::string paidTemplate = "#PAID#" + oneMiB;
  const auto paidFor = [&](std::size_t promptBytes) {
    return ProblemSections{"", "", std::string(promptBytes - oneMiB.size(), 'p')};
  };
  const struct {
    const char* what;
    std::string templateText;
    ProblemSections sections;
    std::size_t promptBytes;  // 0: refused
    const char* refusedSize;
  } cases[] = {
      {"one byte under the limit", paidTemplate, paidFor(kLimit - 1), kLimit - 1, ""},
      {"at the limit", paidTemplate, paidFor(kLimit), kLimit, ""},
      {"one byte over the limit: the size is rounded up", paidTemplate, paidFor(kLimit + 1), 0,
       "16.1 MiB"},
      {"a 15 MiB template of #PAID# with a 1,000-byte paid text: 2,621,440,000 bytes",
       Repeated("#PAID#", 15 * 1024 * 1024 / 6),
       {"", "", std::string(1000, 'p')},
       0,
       "2.5 GiB"},
      {"a problem text of 1,200 bytes in 116,508 places",
       Repeated("#PROBLEM#", 1024 * 1024 / 9),
       {Repeated("#PAID#", 200), "", ""},
       0,
       "133.4 MiB"},
  };
  test::TempDir app;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto file = app.Write("templates/template-free.txt", c.templateText);
    if (c.promptBytes > 0) {
      EXPECT_EQ(ComposePrompt(app.path(), true, "N", "S", c.sections).size(), c.promptBytes);
      continue;
    }
    try {
      ComposePrompt(app.path(), true, "N", "S", c.sections);
      ADD_FAILURE() << "composed a prompt over the limit";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.what(), "Could not compose the prompt from the template \"" +
                                    file.string() + "\": it would be " + c.refusedSize +
                                    ", larger than the limit of 16 MiB for a prompt.");
    }
  }
}

TEST(ComposePrompt, MissingTemplateFailsNamingIt) {
  test::TempDir app;
  app.Write("templates/template-free.txt", "x");
  try {
    ComposePrompt(app.path(), false, "N", "S", {});
    FAIL() << "composed without a template";
  } catch (const Failure& failure) {
    EXPECT_NE(std::string(failure.what()).find("templates/template.txt"), std::string::npos)
        << failure.what();
  }
}

}  // namespace
}  // namespace veltrane
