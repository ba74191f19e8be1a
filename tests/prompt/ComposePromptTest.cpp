#include <gtest/gtest.h>

#include <string>

#include "content/Failure.h"
#include "prompt/ComposePrompt.h"
#include "support/TempDir.h"

namespace veltrane {
namespace {

const std::string kAllFive = "#NICHE#|#SUBNICHE#|#PROBLEM#|#FREE#|#PAID#";

TEST(FillTemplate, EachVariantFillsItsPlaceholdersInOrder) {
  const ProblemSections plain{"P", "F", "A: a\r\nB: b\r\n"};
  const struct {
    const char* what;
    std::string templateText;
    bool includeFree;
    ProblemSections sections;
    std::string expected;
  } cases[] = {
      {"with free: all five", kAllFive, true, plain, "N|S|P|F|A: a\r\nB: b\r\n"},
      {"without free: #SUBNICHE# and #FREE# stay", kAllFive, false, plain,
       "N|#SUBNICHE#|P|#FREE#|A: a\r\nB: b\r\n"},
      {"no placeholders: the template as it is", "Write.\r\nThanks.\r\n", true, plain,
       "Write.\r\nThanks.\r\n"},
      {"every occurrence, inside lines too", "#NICHE##NICHE# in #NICHE#.", false, plain,
       "NN in N."},
      {"a problem text holding #PAID# gets it filled (with free)",
       "#PROBLEM#",
       true,
       {"see #PAID#", "", "X"},
       "see X"},
      {"a problem text holding #PAID# gets it filled (without free)",
       "#PROBLEM#",
       false,
       {"see #PAID#", "", "X"},
       "see X"},
      {"a paid text holding #NICHE# keeps it", "#PAID#", true, {"", "", "#NICHE#"}, "#NICHE#"},
      {"a free text holding #SUBNICHE# keeps it",
       "#FREE#",
       true,
       {"", "#SUBNICHE#", ""},
       "#SUBNICHE#"},
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
  EXPECT_EQ(ComposePrompt(app.path(), false, "N", "S", sections),
            "PLAIN VARIANT #SUBNICHE# #FREE#\r\n");

  // Read anew each time: a change on disk shows at once.
  app.Write("templates/template.txt", "CHANGED #NICHE#");
  EXPECT_EQ(ComposePrompt(app.path(), false, "N", "S", sections), "CHANGED N");
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
