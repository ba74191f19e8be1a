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
    EXPECT_EQ(FillTemplate(c.templateText, PromptPlaceholders(c.includeFree, "N", "S", c.sections)),
              c.expected);
  }
}

TEST(ComposePrompt, ReadsTheTemplateTheCheckBoxChooses) {
  test::TempDir app;
  app.Write("templates/template-free.txt", "FREE VARIANT #SUBNICHE# #FREE#\r\n");
  app.Write("templates/template.txt", "PLAIN VARIANT #SUBNICHE# #FREE#\r\n");
  const ProblemSections sections{"P", "F", "A"};
  EXPECT_EQ(ComposePrompt({app.path()}, true, "N", "S", sections), "FREE VARIANT S F\r\n");
  EXPECT_EQ(ComposePrompt({app.path()}, false, "N", "S", sections), "PLAIN VARIANT S #FREE#\r\n");

  // Read anew each time: a change on disk shows at once.
  app.Write("templates/template.txt", "CHANGED #NICHE#");
  EXPECT_EQ(ComposePrompt({app.path()}, false, "N", "S", sections), "CHANGED N");
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
      EXPECT_EQ(ComposePrompt({app.path()}, true, "N", "S", c.sections).size(), c.promptBytes);
      continue;
    }
    try {
      ComposePrompt({app.path()}, true, "N", "S", c.sections);
      ADD_FAILURE() << "composed a prompt over the limit";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.what(), "Could not compose the prompt from the template \"" +
                                    file.string() + "\": it would be " + c.refusedSize +
                                    ", larger than the limit of 16 MiB for a prompt.");
    }
  }
}

// Each type is a folder of templates; the user's folder adds types and overrides files one by
// one. The options fill their placeholders, and a template without them fills as it always did.
TEST(ComposePrompt, ArticleTypesAndOptions) {
  test::TempDir app;
  test::TempDir user;
  const std::string options = "#LANGUAGE#|#TONE#|#LENGTH#|#EXPERIENCE#";
  app.Write("templates/template-free.txt", "PS " + options);
  app.Write("templates/template.txt", "PS plain #FREE# #TONE#");
  app.Write("templates/review/name.txt", "Product Review\r\n");
  app.Write("templates/review/template-free.txt", "REVIEW #PAID#");
  app.Write("templates/review/template.txt", "REVIEW plain");
  app.Write("templates/how-to/name.txt", "How-To Guide");
  app.Write("templates/how-to/template-free.txt", "HOWTO");
  app.Write("templates/no-name/template-free.txt", "never listed");
  user.Write("templates/review/template-free.txt", "MY REVIEW #PROBLEM#");  // file by file
  user.Write("templates/mine/name.txt", "A Type of Mine");
  user.Write("templates/mine/template-free.txt", "MINE #NICHE#");
  const ContentRoots roots{user.path(), app.path()};
  EXPECT_EQ(ListArticleTypes(roots), (std::vector<ArticleType>{{"", "Problem and Solution"},
                                                               {"mine", "A Type of Mine"},
                                                               {"how-to", "How-To Guide"},
                                                               {"review", "Product Review"}}));
  ArticleOptions german;
  german.language = "German";
  german.tone = "direct";
  german.length = 1200;
  german.experience = "I tried three hosts.";
  ArticleOptions typedTone;
  typedTone.tone = "warm & witty";
  const struct {
    const char* type;
    bool includeFree;
    ArticleOptions options;
    std::string expected;
  } cases[] = {
      {"",
       true,
       {},
       "PS English|friendly and encouraging, like a knowledgeable friend|about 1,500 to 2,000 "
       "words|put this line on its own, exactly as written, for the writer to replace later "
       "with their own experience of the problem or the resources:\r\n[WRITER'S EXPERIENCE: "
       "add your own experience here, or delete this line]"},
      {"", true, german,
       "PS German|direct and to the point, like a busy expert|about 1,200 words|write a short "
       "first-person passage from the writer's own experience below; use only what it says, "
       "adding no results, figures or details:\r\nI tried three hosts."},
      {"", false, typedTone, "PS plain #FREE# warm & witty"},
      {"review", true, german, "MY REVIEW P"},
      {"review", false, german, "REVIEW plain"},
      {"mine", true, {}, "MINE N"},
      {"how-to", true, german, "HOWTO"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.type) + (c.includeFree ? " free" : " plain"));
    EXPECT_EQ(ComposePrompt(roots, c.includeFree, "N", "S", {"P", "F", "A"}, c.type, c.options),
              c.expected);
  }
  // A type without the other variant's file fails naming the file it looked for.
  EXPECT_THROW(ComposePrompt(roots, false, "N", "S", {}, "how-to", {}), Failure);
  // Lengths a writer might mean, and ones that cannot be.
  for (const auto& [length, fine] : std::vector<std::pair<std::size_t, bool>>{
           {0, true}, {299, false}, {300, true}, {10000, true}, {10001, false}}) {
    ArticleOptions o;
    o.length = length;
    EXPECT_EQ(!ArticleOptionsError(o).has_value(), fine) << length;
  }
  EXPECT_EQ(LengthText(ArticleOptions{"English", "friendly", 10000, ""}), "about 10,000 words");
}

TEST(ComposePrompt, MissingTemplateFailsNamingIt) {
  test::TempDir app;
  app.Write("templates/template-free.txt", "x");
  try {
    ComposePrompt({app.path()}, false, "N", "S", {});
    FAIL() << "composed without a template";
  } catch (const Failure& failure) {
    EXPECT_NE(std::string(failure.what()).find("templates/template.txt"), std::string::npos)
        << failure.what();
  }
}

}  // namespace
}  // namespace veltrane
