#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/ContentTree.h"

namespace veltrane::cli {
namespace {
namespace fs = std::filesystem;

std::variant<Options, std::string> ParseWords(std::vector<std::string_view> words) {
  return Parse(words);
}

TEST(CommandLine, ParsesWhatTheHelpShows) {
  using Mode = Options::Mode;
  const struct {
    std::vector<std::string_view> arguments;
    Mode mode;
    int niche, subniche;  // -1: none
    const char* problem;
    bool includeFree;
    const char* search = "";
  } cases[] = {
      {{}, Mode::Window, -1, -1, nullptr, true},
      {{"--niche", "3"}, Mode::Window, 3, -1, nullptr, true},
      {{"--niche=health and wellness"}, Mode::Window, 3, -1, nullptr, true},
      {{"--niche", "PERSONAL FINANCE"}, Mode::Window, 5, -1, nullptr, true},
      {{"--list", "--niche", "0", "--subniche", "seo"}, Mode::List, 0, 2, nullptr, true},
      {{"--print", "--niche", "4", "--subniche", "Self Esteem & Body Image", "--problem", "X",
        "--no-free"},
       Mode::Print,
       4,
       4,
       "X",
       false},
      {{"--print", "--niche=1", "--subniche=7", "--problem=A=B"}, Mode::Print, 1, 7, "A=B", true},
      {{"--list", "--help"}, Mode::Help, -1, -1, nullptr, true},  // help before anything else
      {{"--version"}, Mode::Version, -1, -1, nullptr, true},
      {{"-h"}, Mode::Help, -1, -1, nullptr, true},
      {{"-v"}, Mode::Version, -1, -1, nullptr, true},
      {{"--list"}, Mode::List, -1, -1, nullptr, true},                 // the niches
      {{"--list", "--niche", "0"}, Mode::List, 0, -1, nullptr, true},  // its subniches
      {{"--search", " Slow  site"}, Mode::Search, -1, -1, nullptr, true, " Slow  site"},
      {{"--search=caf\u00E9"}, Mode::Search, -1, -1, nullptr, true, "caf\u00E9"},
      {{"--print", "--all", "--niche", "1", "--out", "d"}, Mode::Print, 1, -1, nullptr, true},
      {{"--print", "--all", "--niche", "1", "--subniche", "3", "--out", "d", "--every", "2weeks"},
       Mode::Print,
       1,
       3,
       nullptr,
       true},
      {{"--generate", "--niche", "0", "--subniche", "2", "--problem", "P", "--base", "b"},
       Mode::Generate,
       0,
       2,
       "P",
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.arguments));
    const auto parsed = ParseWords(c.arguments);
    ASSERT_TRUE(std::holds_alternative<Options>(parsed)) << std::get<std::string>(parsed);
    const Options& options = std::get<Options>(parsed);
    EXPECT_EQ(options.mode, c.mode);
    EXPECT_EQ(options.niche.value_or(-1), c.niche);
    EXPECT_EQ(options.subniche.value_or(-1), c.subniche);
    EXPECT_EQ(options.problem.value_or("(none)"), c.problem ? c.problem : "(none)");
    EXPECT_EQ(options.includeFree, c.includeFree);
    EXPECT_EQ(options.search, c.search);
  }
}

TEST(CommandLine, MistakesSayWhatIsWrong) {
  const struct {
    std::vector<std::string_view> arguments;
    const char* says;
  } cases[] = {
      {{"--niche", "6"}, "unknown niche \"6\""},
      {{"--niche", "01"}, "unknown niche"},
      {{"--niche", " 1"}, "unknown niche"},
      {{"--niche", "-1"}, "unknown niche"},
      {{"--niche", "Health"}, "5  Personal Finance"},  // the six valid choices are listed
      {{"--niche"}, "--niche needs a value"},
      {{"--print", "--niche", "0", "--problem", "X"}, "--print needs --niche and --subniche"},
      {{"--list", "--subniche", "2"}, "--subniche needs --niche"},
      {{"--list", "--niche", "0", "--subniche", "8"}, "7  Affiliate Marketing"},
      {{"--print", "--niche", "0", "--subniche", "2"}, "--print needs --problem"},
      {{"--list", "--print", "--niche", "0", "--subniche", "2"}, "cannot be used together"},
      {{"--subniche", "2"}, "go with --list or --print"},
      {{"--list", "--niche", "0", "--subniche", "2", "--no-free"}, "go with --print"},
      {{"--help=yes"}, "takes no value"},
      {{"--colour"}, "unknown option \"--colour\""},
      {{"--version", "--bogus"}, "unknown option \"--bogus\""},  // no mistake is skipped
      {{"stray"}, "unexpected argument \"stray\""},
      {{"-x"}, "unknown option \"-x\""},
      {{"-help"}, "unknown option \"-help\""},
      {{"-reverse=1"}, "unknown option \"-reverse=1\""},         // takes no value
      {{"-reverse", "stray"}, "unexpected argument \"stray\""},  // nor the next argument
      {{"-style"}, "-style needs a value"},
      {{"--list", "--niche", "0", "--subniche", "2", "-style", "fusion"}, "unknown option"},
      {{"--search"}, "--search needs a value"},
      {{"--search", " \t"}, "--search needs a word"},
      {{"--search", "x", "--print"}, "cannot be used together"},
      {{"--search", "x", "--niche", "0"}, "takes no --niche"},
      {{"--search", "x", "-style", "fusion"}, "unknown option \"-style\""},
      {{"--print", "--all", "--niche", "1"}, "--all needing --out"},
      {{"--all", "--niche", "1", "--out", "d"}, "go together with --print"},
      {{"--print", "--all", "--niche", "1", "--out", "d", "--every", "yearly"},
       "--every takes daily, weekly, 2weeks or monthly"},
      {{"--print", "--all", "--niche", "1", "--subniche", "0", "--problem", "P", "--out", "d"},
       "--problem goes without it"},
      {{"--generate", "--niche", "0", "--subniche", "2"}, "--generate needs --problem"},
      {{"--print", "--generate", "--niche", "0", "--subniche", "2"}, "cannot be used together"},
      {{"--print", "--niche", "0", "--subniche", "2", "--problem", "P", "--model", "m"},
       "--base and --model go with --generate"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.arguments));
    const auto parsed = ParseWords(c.arguments);
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed));
    const std::string& message = std::get<std::string>(parsed);
    EXPECT_NE(message.find(c.says), std::string::npos) << message;
    EXPECT_TRUE(message.starts_with("veltrane: ")) << message;
  }
  // Qt's own options go on to Qt, with their values.
  const auto window = ParseWords(
      {"-style", "fusion", "--niche", "2", "-reverse", "-qwindowgeometry", "-0+0", "-style=gtk"});
  ASSERT_TRUE(std::holds_alternative<Options>(window));
  EXPECT_EQ(std::get<Options>(window).toolkitArguments,
            (std::vector<std::string>{"-style", "fusion", "-reverse", "-qwindowgeometry", "-0+0",
                                      "-style=gtk"}));
}

TEST(CommandLine, DisplayIsAnyOfTheThree) {
  EXPECT_FALSE(HasDisplay(nullptr, nullptr, nullptr));
  EXPECT_FALSE(HasDisplay("", "", ""));
  EXPECT_TRUE(HasDisplay(":0", nullptr, nullptr));
  EXPECT_TRUE(HasDisplay(nullptr, "wayland-0", nullptr));
  EXPECT_TRUE(HasDisplay(nullptr, nullptr, "offscreen"));
}

class CommandLineRun : public testing::Test {
 protected:
  CommandLineRun() {
    test::ContentTree(app)
        .Templates("#NICHE# / #SUBNICHE#\r\n#PROBLEM#\r\n#FREE#\r\n#PAID#",
                   "#NICHE#: #PROBLEM#\r\n#PAID#|#FREE#")
        .Problem("niches/0/2/Slow Website.txt",
                 test::ProblemText("My site is slow.", "PageSpeed: finds it.", "Kinsta: hosts."))
        .Problem("niches/0/2/Broken Links.txt",
                 "[PROBLEM]\r\nLinks \xE2\x80\xA9 break.\r\n\r\n"
                 "[FREE]\r\nA\rB\r\n\r\n[PAID]\r\nC: d\r\n");
    user.Write("niches/0/2/broken links.txt", test::ProblemText("Mine.", "F", "P: q"));
    user.Write("niches/0/2/Extra.txt", test::ProblemText("Extra.", "F", "P: q"));
  }

  Outcome RunWords(std::vector<std::string_view> words) {
    const auto parsed = ParseWords(words);
    EXPECT_TRUE(std::holds_alternative<Options>(parsed));
    return cli::Run(std::get<Options>(parsed), {user.path(), app.path()});
  }

  test::TempDir user;
  test::TempDir app;
};

TEST_F(CommandLineRun, ListsAsTheWindowDoes) {
  const struct {
    std::vector<std::string_view> arguments;
    std::string out;
  } cases[] = {
      {{"--list", "--niche", "0", "--subniche", "SEO"}, "broken links\nExtra\nSlow Website\n"},
      {{"--list", "--niche", "1", "--subniche", "0"}, ""},
      // With the window's keys: Ctrl+1 to Ctrl+6 for the niches, 1 to 8 for the subniches.
      {{"--list"},
       "0\tCtrl+1\tInternet Marketing\n1\tCtrl+2\tCareers and Employment\n"
       "2\tCtrl+3\tSelf Improvement\n3\tCtrl+4\tHealth and Wellness\n"
       "4\tCtrl+5\tRelationships\n5\tCtrl+6\tPersonal Finance\n"},
      {{"--list", "--niche", "relationships"},
       "0\t1\tRelationships Coaching\n1\t2\tDating Advice\n2\t3\tMarriage Counseling\n"
       "3\t4\tPersonal Confidence\n4\t5\tSelf Esteem & Body Image\n"
       "5\t6\tCommunication Skills\n6\t7\tFriendship & Networking\n"
       "7\t8\tConflict Resolution\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.arguments));
    const Outcome listed = RunWords(c.arguments);
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out, c.out);
    EXPECT_EQ(listed.err, "");
  }
}

TEST_F(CommandLineRun, PrintsThePromptTheClipboardWouldGet) {
  app.Write("niches/0/3/Empty.txt", "");
  app.Write("niches/0/3/Lower.txt", "[problem]\r\nP\r\n\r\n[free]\r\nF");
  const struct {
    std::vector<std::string_view> arguments;
    std::string out;
    const char* warns = nullptr;  // on standard error
  } cases[] = {
      {{"--print", "--niche", "0", "--subniche", "2", "--problem", "Slow Website"},
       "Internet Marketing / SEO\nMy site is slow.\nPageSpeed: finds it.\nKinsta: hosts.\n"},
      {{"--print", "--niche", "0", "--subniche", "2", "--problem", "Slow Website", "--no-free"},
       "Internet Marketing: My site is slow.\nKinsta: hosts.\n|#FREE#"},
      {{"--print", "--niche", "0", "--subniche", "2", "--problem", "broken links"},
       "Internet Marketing / SEO\nMine.\nF\nP: q\n"},  // the user's file
      // Letter case aside, when that leaves one: the shipped name finds the user's copy.
      {{"--print", "--niche", "0", "--subniche", "2", "--problem", "Broken Links"},
       "Internet Marketing / SEO\nMine.\nF\nP: q\n"},
      {{"--print", "--niche", "0", "--subniche", "2", "--problem", "slow WEBSITE"},
       "Internet Marketing / SEO\nMy site is slow.\nPageSpeed: finds it.\nKinsta: hosts.\n"},
      // No section at all: said, and the prompt printed all the same.
      {{"--print", "--niche", "0", "--subniche", "3", "--problem", "Empty"},
       "Internet Marketing / PPC\n\n\n",
       "niches/0/3/Empty.txt\" has no [PROBLEM], [FREE] or [PAID] block"},
      {{"--print", "--niche", "0", "--subniche", "3", "--problem", "Lower"},
       "Internet Marketing / PPC\n\n\n",
       "niches/0/3/Lower.txt\" has no"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.arguments));
    const Outcome printed = RunWords(c.arguments);
    EXPECT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(printed.out, c.out);  // no newline added
    if (c.warns == nullptr) {
      EXPECT_EQ(printed.err, "");
    } else {
      EXPECT_NE(printed.err.find(c.warns), std::string::npos) << printed.err;
    }
  }
  // Line breaks as the boxes hold them: a lone CR and U+2029 in the boxes are line breaks.
  app.Write("niches/0/3/Odd.txt",
            "[PROBLEM]\r\nP \xE2\x80\xA9 q\r\n\r\n[FREE]\r\nA\rB\r\n\r\n[PAID]\r\nC\r\n");
  EXPECT_EQ(RunWords({"--print", "--niche", "0", "--subniche", "3", "--problem", "Odd"}).out,
            "Internet Marketing / PPC\nP \n q\nA\nB\nC\n");
}

TEST_F(CommandLineRun, SearchPrintsWhatPrintTakes) {
  const struct {
    const char* text;
    const char* out;
  } cases[] = {
      {"slow", "0\t2\tSlow Website\n"},
      {"BROKEN", "0\t2\tbroken links\n"},  // the user's file, not the shipped one
      {"mine", "0\t2\tbroken links\n"},
      {"extra F", "0\t2\tExtra\n"},
      {"kinsta hosts", "0\t2\tSlow Website\n"},
      {"links break", ""},  // the shipped text the user's file replaces
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const Outcome found = RunWords({"--search", c.text});
    EXPECT_EQ(found.out, c.out);
    EXPECT_EQ(found.status, *c.out == '\0' ? 1 : 0);
    EXPECT_EQ(found.err, "");
  }
}

TEST_F(CommandLineRun, FailuresGoToStandardErrorWithStatusOne) {
  fs::remove(app.path() / "templates/template.txt");
  fs::resize_file(user.path() / "niches/0/2/Extra.txt", 17 * 1024 * 1024);
  user.Write("niches/0/5", "a file where a folder should be");
  app.Write("niches/0/4/Tips.txt", test::ProblemText("P", "F", "P: q"));
  app.Write("niches/0/4/TIPS.txt", test::ProblemText("P", "F", "P: q"));
  const struct {
    std::vector<std::string_view> arguments;
    const char* says;
  } cases[] = {
      {{"--print", "--niche", "0", "--subniche", "2", "--problem", "Nope"},
       "no problem \"Nope\" in Internet Marketing / SEO"},
      {{"--print", "--niche", "0", "--subniche", "2", "--problem", "Slow Websites"},
       "; the nearest: \"Slow Website\", \"broken links\", \"Extra\". \"veltrane --list --niche 0 "
       "--subniche 2\" lists them all."},
      {{"--print", "--niche", "0", "--subniche", "4", "--problem", "tips"},
       "more than one problem in Internet Marketing / Video Creation is named \"tips\" but for "
       "letter case: \"TIPS\", \"Tips\"; give the name exactly"},
      {{"--print", "--niche", "1", "--subniche", "0", "--problem", "X"}, "which has no problems"},
      {{"--print", "--niche", "0", "--subniche", "2", "--problem", "Slow Website", "--no-free"},
       "templates/template.txt"},
      {{"--print", "--niche", "0", "--subniche", "2", "--problem", "Extra"},
       "niches/0/2/Extra.txt\": it is larger than the limit"},
      {{"--list", "--niche", "0", "--subniche", "5"}, "the folder \""},  // not an empty list
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.arguments));
    const Outcome failed = RunWords(c.arguments);
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_NE(failed.err.find(c.says), std::string::npos) << failed.err;
  }
}

}  // namespace
}  // namespace veltrane::cli
