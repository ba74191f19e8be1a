#include "ui/frmMain.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "content/TextFile.h"
#include "prompt/ComposePrompt.h"
#include "support/ContentTree.h"
#include "ui/FakeView.h"

namespace veltrane {
namespace {
namespace fs = std::filesystem;
using test::FakeView;
using test::ProblemText;

const std::string kTemplate =
    "Niche #NICHE# / #SUBNICHE#\r\nProblem: #PROBLEM#\r\nFree: #FREE#\r\nPaid:\r\n#PAID#";

class frmMainTest : public testing::Test {
 protected:
  frmMainTest() : controller(view, app.path(), user.path()) {
    view.controller = &controller;
    test::ContentTree(app)
        .Pictures("jpeg")
        .Templates(kTemplate, kTemplate)
        .Problem("niches/0/2/Slow Website.txt",
                 ProblemText("My site is slow.", "PageSpeed Insights: finds what slows it.",
                             "Kinsta: fast managed hosting.\r\nWP Rocket: page caching."))
        .Problem("niches/0/2/Broken Links.txt",
                 ProblemText("Links are broken.", "Ahrefs Webmaster Tools: finds them.",
                             "Semrush: site audits.\r\nAhrefs: link reports."))
        .Problem("niches/0/2/Thin Content.txt", ProblemText("Pages say little.", "F3", "A3\r\nB3"))
        .Problem("niches/4/4/Mirror Anxiety.txt",
                 ProblemText("I avoid mirrors.", "F4", "A4\r\nB4"));
  }

  void StartUp() {
    ASSERT_TRUE(controller.Form_Load());
    controller.Form_Activate();
  }

  // The user's problems of niche 0, subniche 2, as the list names them.
  std::vector<std::string> SavedList() {
    controller.lblItem_Click(2);
    return view.list;
  }

  test::TempDir app;
  test::TempDir user;  // the user's own folder, empty unless a test fills it
  FakeView view;
  frmMain controller;
};

TEST_F(frmMainTest, StartUpSelectsTheFirstNicheAndShowsThePictureView) {
  StartUp();
  EXPECT_EQ(controller.txtMenuIndex(), "0");
  EXPECT_EQ(view.picture, (app.path() / "images/0.jpg").string());
  EXPECT_FALSE(view.visible[Panel::Menu]);
  EXPECT_FALSE(view.visible[Panel::Niche]);
  EXPECT_FALSE(view.visible[Panel::Prompt]);
  EXPECT_EQ(view.markerTop, 410);
  EXPECT_EQ(view.pictureLeft, 4335);
  EXPECT_EQ(view.pictureName, "Internet Marketing: choose a subniche");
  EXPECT_EQ(view.regionNames[0], "Sales Funnel Creation");
  EXPECT_EQ(view.regionNames[7], "Affiliate Marketing");
  EXPECT_TRUE(view.failures.empty());
  // Nothing is looked up before a subniche is chosen.
  EXPECT_EQ(controller.txtActiveNicheText(), "");
  EXPECT_EQ(controller.RegionTag(0), "");
}

TEST_F(frmMainTest, MenuClickMovesPictureAndMarkerOnly) {
  StartUp();
  controller.lblItem_Click(2);
  const float markerTops[] = {410, 860, 1310, 1760, 2210, 2660};
  for (int i = 0; i < 6; ++i) {
    controller.lblMenu_Click(i);
    EXPECT_EQ(controller.txtMenuIndex(), std::to_string(i));
    EXPECT_EQ(view.picture, (app.path() / "images" / (std::to_string(i) + ".jpg")).string());
    EXPECT_EQ(view.markerTop, markerTops[i]);
    EXPECT_EQ(view.regionNames[0], NicheCatalog()[static_cast<std::size_t>(i)].subniches[0]);
    // The new niche takes effect at the next subniche choice.
    EXPECT_EQ(controller.txtActiveNicheText(), "Internet Marketing");
    EXPECT_EQ(controller.RegionTag(2), "SEO");
    EXPECT_TRUE(view.visible[Panel::Niche]);
  }
}

TEST_F(frmMainTest, TheRoadOfOnePrompt) {
  StartUp();

  // A click on region 2 opens the niche panel on SEO with its first problem.
  controller.lblItem_Click(2);
  EXPECT_EQ(controller.txtActiveSubniche(), "2");
  EXPECT_EQ(controller.txtActiveNicheText(), "Internet Marketing");
  EXPECT_EQ(controller.txtActiveSubnicheText(), "SEO");
  EXPECT_EQ(view.caption, "Niche: SEO");
  EXPECT_EQ(view.list, (std::vector<std::string>{"Broken Links", "Slow Website", "Thin Content"}));
  EXPECT_EQ(view.selected, 0);
  EXPECT_EQ(view.selectionRuns, 1);
  EXPECT_TRUE(view.visible[Panel::Niche]);
  EXPECT_FALSE(view.visible[Panel::Prompt]);
  EXPECT_EQ(view.nichePanelLeft, 1410);
  EXPECT_EQ(view.nichePanelTop, 765);
  EXPECT_EQ(view.Text(TextBox::Problem), "Links are broken.");
  EXPECT_EQ(view.Text(TextBox::Free), "Ahrefs Webmaster Tools: finds them.");
  EXPECT_EQ(view.Text(TextBox::Paid), "Semrush: site audits.\r\nAhrefs: link reports.\r\n");

  // The user picks another problem and edits it.
  view.UserSelects(1);
  EXPECT_EQ(view.Text(TextBox::Problem), "My site is slow.");
  view.texts[TextBox::Problem] = "My shop is slow.";

  // Generate with free resources.
  controller.cmdGenerate_Click();
  EXPECT_TRUE(view.visible[Panel::Prompt]);
  EXPECT_EQ(view.promptPanelLeft, 585);
  EXPECT_EQ(view.promptPanelTop, 765);
  const std::string withFree =
      "Niche Internet Marketing / SEO\r\nProblem: My shop is slow.\r\n"
      "Free: PageSpeed Insights: finds what slows it.\r\n"
      "Paid:\r\nKinsta: fast managed hosting.\r\nWP Rocket: page caching.\r\n";
  EXPECT_EQ(view.Text(TextBox::Prompt), withFree);

  // Copy what the box holds, the user's edits included.
  view.texts[TextBox::Prompt] += "Thanks!";
  controller.lblCopyToClipboard_Click();
  EXPECT_EQ(view.clipboard, withFree + "Thanks!");
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].first, "Done! Prompt copied to clipboard.");
  EXPECT_EQ(view.messages[0].second, "Done");

  // Without free resources: "#FREE#" stays; the niche and subniche are filled.
  view.freeCheck = 0;
  controller.cmdGenerate_Click();
  EXPECT_EQ(
      view.Text(TextBox::Prompt),
      "Niche Internet Marketing / SEO\r\nProblem: My shop is slow.\r\n"
      "Free: #FREE#\r\nPaid:\r\nKinsta: fast managed hosting.\r\nWP Rocket: page caching.\r\n");
  view.freeCheck = 2;  // greyed counts as unticked
  controller.cmdGenerate_Click();
  EXPECT_NE(view.Text(TextBox::Prompt).find("#FREE#"), std::string::npos);

  // X closes the prompt panel, then the niche panel; the list and texts stay as they were.
  controller.lblClose_Click();
  EXPECT_TRUE(view.visible[Panel::Niche]);
  EXPECT_FALSE(view.visible[Panel::Prompt]);
  EXPECT_EQ(view.selected, 1);
  EXPECT_EQ(view.Text(TextBox::Problem), "My shop is slow.");
  controller.lblClose_Click();
  EXPECT_FALSE(view.visible[Panel::Niche]);
  EXPECT_FALSE(view.visible[Panel::Prompt]);
  EXPECT_EQ(view.list.size(), 3u);
  EXPECT_TRUE(view.failures.empty());
}

TEST_F(frmMainTest, CentringUsesTheOuterWidthUnclamped) {
  StartUp();
  const struct {
    float outerWidth, pictureLeft, panelLeft;
  } cases[] = {
      {18000, 4335, 1410}, {19200, 4935, 2010}, {15180, 2925, 0},
      {10000, 335, -2590},  // narrower than the panel: it starts left of the window
      {9000, -165, -3090},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.outerWidth);
    view.outerWidth = c.outerWidth;
    controller.Form_Activate();
    EXPECT_EQ(view.pictureLeft, c.pictureLeft);
    controller.lblItem_Click(2);
    EXPECT_EQ(view.nichePanelLeft, c.panelLeft);
    EXPECT_EQ(view.nichePanelTop, view.pictureTop);
    controller.lblClose_Click();
  }
}

TEST_F(frmMainTest, AmpersandNamesReachCaptionAndPromptIntact) {
  StartUp();
  controller.lblMenu_Click(4);
  controller.lblItem_Click(4);
  EXPECT_EQ(view.caption, "Niche: Self Esteem & Body Image");
  controller.cmdGenerate_Click();
  EXPECT_EQ(view.Text(TextBox::Prompt).substr(0, 49),
            "Niche Relationships / Self Esteem & Body Image\r\nP");
}

TEST_F(frmMainTest, EmptySubnicheClearsTheTextsAndSelectsNothing) {
  StartUp();
  controller.lblItem_Click(2);
  ASSERT_FALSE(view.Text(TextBox::Problem).empty());
  controller.lblClose_Click();
  controller.lblItem_Click(5);  // no files at all
  EXPECT_TRUE(view.list.empty());
  EXPECT_EQ(view.selected, -1);
  EXPECT_EQ(view.selectionRuns, 1);
  EXPECT_EQ(view.caption, "Niche: Hosting");
  EXPECT_TRUE(view.visible[Panel::Niche]);
  EXPECT_EQ(view.nichePanelLeft, 1410);
  for (TextBox box : {TextBox::Problem, TextBox::Free, TextBox::Paid}) {
    EXPECT_EQ(view.Text(box), "");
  }
  EXPECT_TRUE(view.failures.empty());
}

TEST_F(frmMainTest, SubnicheChoiceBeforeANicheLooksNothingUp) {
  // Without Form_Load the menu index is empty: the lookup finds nothing and changes nothing.
  controller.lblItem_Click(3);
  EXPECT_EQ(controller.txtActiveSubniche(), "3");
  EXPECT_EQ(controller.txtActiveNicheText(), "");
  EXPECT_EQ(controller.RegionTag(3), "");
  EXPECT_EQ(view.caption, "Niche: ");
  EXPECT_TRUE(view.list.empty());
}

TEST_F(frmMainTest, IndicesOutsideTheArraysDoNothing) {
  StartUp();
  const FakeView before = view;
  controller.lblItem_Click(8);
  controller.lblItem_Click(-1);
  controller.lblMenu_Click(6);
  controller.lblMenu_Click(-1);
  EXPECT_EQ(controller.txtMenuIndex(), "0");
  EXPECT_EQ(controller.txtActiveSubniche(), "");
  EXPECT_EQ(view.visible, before.visible);
  EXPECT_EQ(view.markerTop, before.markerTop);
  EXPECT_TRUE(view.failures.empty());
}

// --- Failures: each ends its event at the failing step, is reported once, and the program goes on.

TEST_F(frmMainTest, MissingPictureAtStartUpEndsTheStart) {
  fs::remove(app.path() / "images/0.jpg");
  EXPECT_FALSE(controller.Form_Load());
  ASSERT_EQ(view.failures.size(), 1u);
  EXPECT_NE(view.failures[0].find("images/0.jpg"), std::string::npos);
  EXPECT_EQ(controller.txtMenuIndex(), "");
  EXPECT_EQ(view.markerTop, 405);
}

TEST_F(frmMainTest, MissingPictureOnAMenuClickKeepsTheNiche) {
  StartUp();
  fs::remove(app.path() / "images/4.jpg");
  controller.lblMenu_Click(4);
  ASSERT_EQ(view.failures.size(), 1u);
  EXPECT_NE(view.failures[0].find("images/4.jpg"), std::string::npos);
  EXPECT_EQ(controller.txtMenuIndex(), "0");
  EXPECT_EQ(view.markerTop, 410);
}

TEST_F(frmMainTest, ProblemFileGoneBeforeSelectionEmptiesTheBoxes) {
  StartUp();
  controller.lblItem_Click(2);
  fs::remove(app.path() / "niches/0/2/Thin Content.txt");
  // The boxes are empty by the time the message shows, and stay so.
  std::vector<std::string> boxesDuringMessage;
  view.whileFailure = [&] { boxesDuringMessage.push_back(view.Text(TextBox::Paid)); };
  view.UserSelects(2);
  ASSERT_EQ(view.failures.size(), 1u);
  EXPECT_NE(view.failures[0].find("niches/0/2/Thin Content.txt"), std::string::npos);
  EXPECT_NE(view.failures[0].find(std::strerror(ENOENT)), std::string::npos);
  EXPECT_EQ(boxesDuringMessage, std::vector<std::string>{""});
  for (TextBox box : {TextBox::Problem, TextBox::Free, TextBox::Paid}) {
    EXPECT_EQ(view.Text(box), "") << static_cast<int>(box);
  }
  // A Generate now has no text of the problem left before.
  controller.cmdGenerate_Click();
  EXPECT_EQ(view.Text(TextBox::Prompt).find("Links are broken"), std::string::npos);

  // The program goes on: the next selection reads its file.
  view.UserSelects(1);
  EXPECT_EQ(view.Text(TextBox::Problem), "My site is slow.");
}

TEST_F(frmMainTest, UnreadableFirstProblemStillOpensAndCentersThePanel) {
  StartUp();
  controller.lblMenu_Click(4);
  controller.lblItem_Click(4);
  ASSERT_EQ(view.Text(TextBox::Problem), "I avoid mirrors.");
  controller.lblClose_Click();

  // A regular file, so it is listed, but over the size cap, so reading it fails. Sparse: no
  // 16 MiB written. A file without permissions would not do, as root reads it anyway.
  const fs::path huge = app.Write("niches/0/2/A Huge Problem.txt", "");
  fs::resize_file(huge, kMaxTextFileBytes + 1);
  controller.lblMenu_Click(0);
  controller.lblItem_Click(2);
  EXPECT_EQ(view.list, (std::vector<std::string>{"A Huge Problem", "Broken Links", "Slow Website",
                                                 "Thin Content"}));
  EXPECT_EQ(view.selected, 0);
  EXPECT_EQ(view.failures, std::vector<std::string>{
                               "Could not read the file \"" + huge.string() +
                               "\": it is larger than the limit of 16 MiB for a content file."});
  EXPECT_TRUE(view.visible[Panel::Niche]);
  EXPECT_EQ(view.caption, "Niche: SEO");
  EXPECT_EQ(view.nichePanelLeft, 1410);
  EXPECT_EQ(view.nichePanelTop, 765);
  // Nothing of the other subniche's problem is left to reach a prompt.
  for (TextBox box : {TextBox::Problem, TextBox::Free, TextBox::Paid}) {
    EXPECT_EQ(view.Text(box), "") << static_cast<int>(box);
  }
}

TEST_F(frmMainTest, FailedGenerateLeavesNoEarlierPromptToCopy) {
  StartUp();
  controller.lblItem_Click(2);
  controller.cmdGenerate_Click();
  controller.lblClose_Click();
  ASSERT_FALSE(view.Text(TextBox::Prompt).empty());
  const std::string big(kMaxPromptBytes, 'x');
  const struct {
    const char* what;
    std::function<void()> breakIt;
    const char* named;
  } cases[] = {
      {"missing", [&] { fs::remove(app.path() / "templates/template-free.txt"); },
       "templates/template-free.txt"},
      {"a folder", [&] { fs::create_directory(app.path() / "templates/template-free.txt"); },
       "templates/template-free.txt"},
      {"oversized prompt",
       [&] {
         fs::remove_all(app.path() / "templates/template-free.txt");
         app.Write("templates/template-free.txt", "#PROBLEM#");
         view.texts[TextBox::Problem] = big + "!";
       },
       "larger than the limit"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    view.failures.clear();
    view.texts[TextBox::Prompt] = "earlier prompt";
    c.breakIt();
    controller.cmdGenerate_Click();
    EXPECT_FALSE(view.visible[Panel::Prompt]);
    EXPECT_EQ(view.Text(TextBox::Prompt), "");
    ASSERT_EQ(view.failures.size(), 1u);
    EXPECT_NE(view.failures[0].find(c.named), std::string::npos) << view.failures[0];
    view.messages.clear();
    controller.lblCopyToClipboard_Click();  // by Ctrl+Shift+C, say: nothing stale is copied
    EXPECT_NE(view.clipboard, "earlier prompt");
  }
  view.texts[TextBox::Problem] = "P";

  // The other variant still works.
  view.freeCheck = 0;
  controller.cmdGenerate_Click();
  EXPECT_EQ(view.Text(TextBox::Prompt).substr(0, 24), "Niche Internet Marketing");
}

TEST_F(frmMainTest, CopyFailureShowsNoDoneMessage) {
  StartUp();
  controller.lblItem_Click(2);
  controller.cmdGenerate_Click();
  view.clipboardFails = true;
  controller.lblCopyToClipboard_Click();
  EXPECT_TRUE(view.messages.empty());
  ASSERT_EQ(view.failures.size(), 1u);
  EXPECT_NE(view.failures[0].find("clipboard"), std::string::npos);
}

TEST_F(frmMainTest, OnlyFailuresSpeakToTheUser) {
  StartUp();
  const std::exception_ptr faults[] = {std::make_exception_ptr(std::out_of_range("array::at")),
                                       std::make_exception_ptr(std::bad_alloc()),
                                       std::make_exception_ptr(42)};
  for (const std::exception_ptr& fault : faults) {
    view.failures.clear();
    view.clipboardThrows = fault;
    controller.lblCopyToClipboard_Click();
    EXPECT_EQ(view.failures, std::vector<std::string>{"The action could not be completed."});
  }
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(frmMainTest, CopyingAnEmptyPromptStillConfirms) {
  StartUp();
  controller.lblCopyToClipboard_Click();
  EXPECT_EQ(view.clipboard, "");
  EXPECT_EQ(view.messages.size(), 1u);
}

TEST_F(frmMainTest, RegeneratingDiscardsPromptEditsAndUsesBoxEdits) {
  StartUp();
  controller.lblItem_Click(2);
  controller.cmdGenerate_Click();
  const std::string first = view.Text(TextBox::Prompt);
  view.texts[TextBox::Prompt] = "edited";
  controller.cmdGenerate_Click();
  EXPECT_EQ(view.Text(TextBox::Prompt), first);
  view.texts[TextBox::Free] = "";
  view.texts[TextBox::Paid] = "Only: one";
  controller.cmdGenerate_Click();
  EXPECT_NE(view.Text(TextBox::Prompt).find("Free: \r\nPaid:\r\nOnly: one"), std::string::npos);
}

TEST_F(frmMainTest, InformationWindowsReturnToTheSameViewAndRecenter) {
  StartUp();
  controller.lblItem_Click(2);
  const auto visibleBefore = view.visible;
  const std::string subniche = controller.txtActiveSubnicheText();

  view.whileModal = [this] { view.outerWidth = 20000; };  // the window changed meanwhile
  controller.lblHelp_Click();
  EXPECT_EQ(view.helpShown, 1);
  EXPECT_EQ(view.pictureLeft, 10000 - 4665);
  view.whileModal = [this] { view.outerWidth = 16000; };
  controller.lblInstructions_Click();
  EXPECT_EQ(view.instructionsShown, 1);
  EXPECT_EQ(view.pictureLeft, 8000 - 4665);

  EXPECT_EQ(view.visible, visibleBefore);
  EXPECT_EQ(controller.txtActiveSubnicheText(), subniche);
  EXPECT_EQ(view.list.size(), 3u);
}

// --- Beyond the mouse: niches, keys, the user's own content

std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST_F(frmMainTest, StartsWithTheNicheAskedFor) {
  ASSERT_TRUE(controller.Form_Load(3));
  EXPECT_EQ(controller.txtMenuIndex(), "3");
  EXPECT_EQ(view.picture, (app.path() / "images/3.jpg").string());
  EXPECT_EQ(view.markerTop, 1760);
  EXPECT_FALSE(view.visible[Panel::Menu]);
  EXPECT_EQ(view.regionNames[0], "Weight Loss");
}

// A niche change closes both panels before the niche changes: no list of the old niche stays
// in view to be read from the new one's folders.
TEST_F(frmMainTest, ChoosingANicheClosesThePanelsFirst) {
  StartUp();
  const struct {
    const char* from;
    int niche;
    std::string menuIndex;
  } cases[] = {{"picture view", 4, "4"},
               {"niche view", 1, "1"},
               {"prompt view", 0, "0"},
               {"out of range", 6, "0"},
               {"negative", -1, "0"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.from);
    if (std::string(c.from) != "picture view") controller.lblItem_Click(2);
    if (std::string(c.from) == "prompt view") controller.cmdGenerate_Click();
    const bool inRange = c.niche >= 0 && c.niche < static_cast<int>(kNicheCount);
    controller.ChooseNiche(c.niche);
    EXPECT_EQ(controller.txtMenuIndex(), c.menuIndex);
    EXPECT_EQ(controller.CurrentNiche(), std::stoi(c.menuIndex));
    if (inRange) {
      EXPECT_FALSE(view.visible[Panel::Niche]);
      EXPECT_FALSE(view.visible[Panel::Prompt]);
      EXPECT_EQ(view.focus, std::make_pair(Focus::Region, 0));
    }
    while (view.visible[Panel::Niche]) controller.lblClose_Click();
    controller.ChooseNiche(0);
  }
  // Then a subniche of the new niche lists that niche's problems.
  controller.ChooseNiche(4);
  controller.lblItem_Click(4);
  EXPECT_EQ(view.list, std::vector<std::string>{"Mirror Anxiety"});
  EXPECT_EQ(view.Text(TextBox::Problem), "I avoid mirrors.");

  // A niche whose picture is missing: the panels are closed, the niche stays.
  fs::remove(app.path() / "images/5.jpg");
  controller.ChooseNiche(5);
  EXPECT_FALSE(view.visible[Panel::Niche]);
  EXPECT_EQ(controller.txtMenuIndex(), "4");
  EXPECT_EQ(view.failures.size(), 1u);
}

// A search result opens as the clicks on its niche, subniche and problem would, from any view.
TEST_F(frmMainTest, OpenProblemGoesWhereTheClicksWould) {
  StartUp();
  const struct {
    const char* from;
    int niche, subniche;
    const char* name;
    const char* menuIndex;  // "0" with a panel closed: nothing was opened
    int selected;
    const char* problem;
  } cases[] = {
      {"picture", 0, 2, "Thin Content", "0", 2, "Pages say little."},
      {"prompt", 0, 2, "Slow Website", "0", 1, "My site is slow."},  // the old prompt closes
      {"niche", 4, 4, "Mirror Anxiety", "4", 0, "I avoid mirrors."},
      {"prompt", 0, 2, "Broken Links", "0", 0, "Links are broken."},
      {"niche", 0, 2, "Removed Since", "0", 0, "Links are broken."},  // the first, as a click
      {"niche", 0, 2, "slow website", "0", 0, "Links are broken."},   // names as listed
      {"niche", 6, 0, "Thin Content", "0", -1, ""},
      {"niche", 0, 8, "Thin Content", "0", -1, ""},
      {"niche", 5, 0, "Thin Content", "0", -1, ""},  // the niche's picture is missing
  };
  fs::remove(app.path() / "images/5.jpg");
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.from) + " " + c.name + " " + std::to_string(c.niche));
    while (view.visible[Panel::Niche]) controller.lblClose_Click();
    controller.ChooseNiche(0);
    if (std::string(c.from) != "picture") controller.lblItem_Click(3);
    if (std::string(c.from) == "prompt") controller.cmdGenerate_Click();
    view.failures.clear();
    controller.OpenProblem(c.niche, c.subniche, c.name);
    EXPECT_EQ(controller.txtMenuIndex(), c.menuIndex);
    EXPECT_FALSE(view.visible[Panel::Prompt] && c.selected >= 0);
    if (c.selected < 0) {
      EXPECT_NE(controller.txtActiveSubniche(), std::to_string(c.subniche));
      EXPECT_EQ(view.failures.size(), c.niche == 5 ? 1u : 0u);
      continue;
    }
    EXPECT_TRUE(view.visible[Panel::Niche]);
    EXPECT_EQ(controller.txtActiveSubniche(), std::to_string(c.subniche));
    EXPECT_EQ(view.selected, c.selected);
    EXPECT_EQ(view.Text(TextBox::Problem), c.problem);
    EXPECT_EQ(view.focus, std::make_pair(Focus::ProblemList, 0));
    EXPECT_TRUE(view.failures.empty());
  }
}

// Keys do what a click on an uncovered control would, and nothing where it is covered.
TEST_F(frmMainTest, KeysActOnlyWhereTheirControlCanBeClicked) {
  StartUp();
  enum class View { Picture, Niche, Prompt };
  const auto now = [this] {
    return view.visible[Panel::Prompt]  ? View::Prompt
           : view.visible[Panel::Niche] ? View::Niche
                                        : View::Picture;
  };
  const struct {
    const char* key;
    std::function<void()> press;
    View picture, niche, prompt;  // the view each starts from leads to
  } keys[] = {
      {"digit 3", [this] { controller.RegionKey(2); }, View::Niche, View::Niche, View::Prompt},
      {"Ctrl+Return", [this] { controller.GenerateKey(); }, View::Picture, View::Prompt,
       View::Prompt},
      {"Escape", [this] { controller.CloseKey(); }, View::Picture, View::Picture, View::Niche},
      {"Ctrl+Shift+C", [this] { controller.CopyKey(); }, View::Picture, View::Niche, View::Prompt},
  };
  for (const auto& k : keys) {
    for (const View from : {View::Picture, View::Niche, View::Prompt}) {
      SCOPED_TRACE(std::string(k.key) + " from view " + std::to_string(static_cast<int>(from)));
      while (view.visible[Panel::Niche]) controller.lblClose_Click();
      if (from != View::Picture) controller.lblItem_Click(2);
      if (from == View::Prompt) controller.cmdGenerate_Click();
      const std::size_t copies = view.messages.size();
      const int reads = view.selectionRuns;
      k.press();
      EXPECT_EQ(view.selectionRuns - reads,
                std::string(k.key) == "digit 3" && from == View::Picture ? 1 : 0);
      EXPECT_EQ(now(), from == View::Picture ? k.picture
                       : from == View::Niche ? k.niche
                                             : k.prompt);
      EXPECT_EQ(view.messages.size() - copies,
                std::string(k.key) == "Ctrl+Shift+C" && from == View::Prompt ? 1u : 0u);
    }
  }
  EXPECT_TRUE(view.failures.empty());
}

// The focus never rests on what is hidden or covered: it goes to what is on top.
TEST_F(frmMainTest, FocusFollowsThePanels) {
  StartUp();
  controller.lblItem_Click(5);  // an empty subniche still opens its panel
  EXPECT_EQ(view.focus, std::make_pair(Focus::ProblemList, 0));
  controller.lblClose_Click();
  EXPECT_EQ(view.focus, std::make_pair(Focus::Region, 5));
  controller.RegionKey(2);
  EXPECT_EQ(view.focus, std::make_pair(Focus::ProblemList, 0));
  controller.GenerateKey();
  EXPECT_EQ(view.focus, std::make_pair(Focus::PromptBox, 0));
  controller.CloseKey();
  EXPECT_EQ(view.focus, std::make_pair(Focus::GenerateButton, 0));
  fs::remove(app.path() / "templates/template-free.txt");
  controller.cmdGenerate_Click();  // fails before the panel is shown: the focus stays
  EXPECT_EQ(view.focus, std::make_pair(Focus::GenerateButton, 0));
  controller.CloseKey();
  EXPECT_EQ(view.focus, std::make_pair(Focus::Region, 2));
}

// Edits are drafts of their problem for the life of the window: kept across selections and
// niches, marked in the list, asked about once on closing, dropped only on request.
TEST_F(frmMainTest, EditsSurviveUntilRevertedOrDiscarded) {
  StartUp();
  EXPECT_TRUE(controller.Form_QueryUnload());  // nothing edited: nothing asked
  controller.lblItem_Click(2);
  ASSERT_EQ(view.list[0], "Broken Links");
  view.UserTypes(TextBox::Problem, "Links are broken, mine too.");
  EXPECT_TRUE(view.marks[0].edited);
  EXPECT_TRUE(controller.SelectedHasEdits());
  view.UserSelects(1);
  EXPECT_EQ(view.Text(TextBox::Problem), "My site is slow.");
  view.UserSelects(0);
  EXPECT_EQ(view.Text(TextBox::Problem), "Links are broken, mine too.");
  EXPECT_EQ(view.Text(TextBox::Free), "Ahrefs Webmaster Tools: finds them.");

  // Typed back to the file's text: no longer an edit.
  view.UserTypes(TextBox::Problem, "Links are broken.");
  EXPECT_FALSE(view.marks[0].edited);
  view.UserTypes(TextBox::Paid, "Semrush: site audits.");

  // Another niche and back: the draft and its mark are there.
  controller.ChooseNiche(4);
  controller.lblItem_Click(4);
  view.texts[TextBox::Free] = "my own free";  // typed without an edit event: kept on leaving
  controller.ChooseNiche(0);
  controller.lblItem_Click(2);
  EXPECT_TRUE(view.marks[0].edited);
  EXPECT_EQ(view.Text(TextBox::Paid), "Semrush: site audits.");

  // Closing asks once, with the count; Cancel keeps the window.
  view.confirmAnswers = {false, true};
  EXPECT_FALSE(controller.Form_QueryUnload());
  EXPECT_TRUE(controller.Form_QueryUnload());
  EXPECT_EQ(view.confirmQuestions, (std::vector<std::string>{"Discard your edits of 2 problems?",
                                                             "Discard your edits of 2 problems?"}));

  // Revert to File drops one draft and reads the file again.
  controller.RevertToFile();
  EXPECT_EQ(view.Text(TextBox::Paid), "Semrush: site audits.\r\nAhrefs: link reports.\r\n");
  EXPECT_FALSE(view.marks[0].edited);
  EXPECT_FALSE(controller.SelectedHasEdits());
  view.confirmQuestions.clear();
  controller.Form_QueryUnload();
  EXPECT_EQ(view.confirmQuestions, std::vector<std::string>{"Discard your edits of 1 problem?"});
  EXPECT_TRUE(view.failures.empty());
}

// A file the reader cannot make sense of opens with a word, not as an empty problem.
TEST_F(frmMainTest, ProblemFilesWithoutBlocksOpenWithAWarning) {
  const struct {
    const char* what;
    std::string bytes;
    std::string problem;
    bool warned;
  } cases[] = {
      {"empty", "", "", true},
      {"lower-case markers", "[problem]\r\nP\r\n\r\n[free]\r\nF\r\n", "", true},
      {"UTF-16 with a byte-order mark",
       std::string("\xFF\xFE[\0P\0R\0O\0B\0L\0E\0M\0]\0\r\0\n\0\xE9\0\r\0\n\0", 30), "\xC3\xA9\r\n",
       false},
      {"one block is enough", "[PAID]\r\nA: a\r\n", "", false},
  };
  StartUp();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path file = app.Write("niches/0/6/Odd.txt", c.bytes);
    view.warnings.clear();
    controller.lblItem_Click(6);
    EXPECT_EQ(view.Text(TextBox::Problem), c.problem);
    ASSERT_EQ(view.warnings.size(), c.warned ? 1u : 0u);
    if (c.warned) {
      EXPECT_NE(view.warnings[0].find(file.string()), std::string::npos);
    }
    controller.lblClose_Click();
  }
  EXPECT_TRUE(view.failures.empty());
}

// The type chosen where the prompt is made stays for the run; the options are read from the
// settings once, asked for again while they cannot be used, and written only when changed.
TEST_F(frmMainTest, ArticleTypeAndOptionsShapeThePrompt) {
  app.Write("templates/review/name.txt", "Product Review");
  app.Write("templates/review/template-free.txt", "REVIEW of #PROBLEM# in #LANGUAGE#");
  app.Write("templates/template-free.txt", "PS in #LANGUAGE#, #LENGTH#");
  view.savedOptions.language = "Dutch";
  StartUp();
  controller.lblItem_Click(2);
  EXPECT_EQ(view.types,
            (std::vector<ArticleType>{{"", "Problem and Solution"}, {"review", "Product Review"}}));
  EXPECT_EQ(view.chosenType, "");
  EXPECT_EQ(view.optionLoads, 0);  // not before they are needed
  controller.cmdGenerate_Click();
  EXPECT_EQ(view.Text(TextBox::Prompt), "PS in Dutch, about 1,500 to 2,000 words");
  controller.ChooseArticleType("review");
  controller.lblClose_Click();
  controller.cmdGenerate_Click();
  EXPECT_EQ(view.Text(TextBox::Prompt), "REVIEW of Links are broken. in Dutch");
  controller.lblClose_Click();
  controller.lblClose_Click();
  controller.lblItem_Click(2);
  EXPECT_EQ(view.chosenType, "review");  // kept within the run

  ArticleOptions tooShort = view.savedOptions;
  tooShort.length = 50;
  ArticleOptions longer = view.savedOptions;
  longer.length = 2500;
  view.optionAnswers = {tooShort, longer};
  controller.ArticleOptionsClick();
  EXPECT_EQ(view.warnings.size(), 1u);
  ASSERT_EQ(view.optionQuestions.size(), 2u);
  EXPECT_EQ(view.optionQuestions[1], tooShort);  // asked again with what was typed
  EXPECT_EQ(view.savedOptions.length, 2500u);
  EXPECT_EQ(view.optionSaves, 1);
  view.optionAnswers = {longer};  // unchanged: nothing written
  controller.ArticleOptionsClick();
  EXPECT_EQ(view.optionSaves, 1);
  EXPECT_EQ(view.optionLoads, 1);
  app.Write("templates/template-free.txt", "#LENGTH#");
  controller.ChooseArticleType("");
  controller.cmdGenerate_Click();
  EXPECT_EQ(view.Text(TextBox::Prompt), "about 2,500 words");
  EXPECT_TRUE(view.failures.empty());
}

// A picture of the user's that cannot be shown is reported, and the shipped one is shown.
TEST_F(frmMainTest, BrokenPictureOfTheUsersFallsBackToTheShippedOne) {
  user.Write("images/0.jpg", "not a picture");
  view.pictureFails = user.path() / "images/0.jpg";
  StartUp();
  EXPECT_EQ(view.picture, (app.path() / "images/0.jpg").string());
  ASSERT_EQ(view.failures.size(), 1u);
  EXPECT_NE(view.failures[0].find((user.path() / "images/0.jpg").string()), std::string::npos);
  EXPECT_NE(view.failures[0].find("comes with Veltrane is shown instead"), std::string::npos);
}

// After every resize the picture is centred again, and so is a shown niche panel.
TEST_F(frmMainTest, ResizingCentersAgain) {
  StartUp();
  const struct {
    float outerWidth;
    bool panelShown;
    float pictureLeft;
    float panelLeft;
  } cases[] = {
      {18000, false, 4335, 4995},
      {12000, false, 1335, 4995},  // the panel is hidden: left where it was
      {12000, true, 1335, -1590},
      {30000, true, 10335, 7410},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.outerWidth);
    if (c.panelShown && !view.visible[Panel::Niche]) controller.lblItem_Click(2);
    view.outerWidth = c.outerWidth;
    controller.Form_Resize();
    EXPECT_EQ(view.pictureLeft, c.pictureLeft);
    EXPECT_EQ(view.nichePanelLeft, c.panelLeft);
  }
}

TEST_F(frmMainTest, TheUsersFolderComesFirst) {
  user.Write("niches/0/2/slow website.txt", ProblemText("Mine is slower.", "My free", "My paid"));
  user.Write("niches/0/2/A Mine.txt", ProblemText("Only mine.", "F", "P"));
  user.Write("templates/template.txt", "Mine: #PROBLEM#");
  user.Write("images/1.jpg", "jpeg");
  app.Write("images/0@2x.jpg", "jpeg");
  StartUp();
  EXPECT_EQ(view.doubleSizePicture, (app.path() / "images/0@2x.jpg").string());
  controller.lblItem_Click(2);
  EXPECT_EQ(view.list,
            (std::vector<std::string>{"A Mine", "Broken Links", "slow website", "Thin Content"}));
  EXPECT_EQ(view.Text(TextBox::Problem), "Only mine.");
  view.UserSelects(2);
  EXPECT_EQ(view.Text(TextBox::Problem), "Mine is slower.");
  view.UserSelects(1);
  EXPECT_EQ(view.Text(TextBox::Problem), "Links are broken.");
  controller.cmdGenerate_Click();
  EXPECT_EQ(view.Text(TextBox::Prompt).substr(0, 12), "Niche Intern");  // shipped template
  view.freeCheck = 0;
  controller.cmdGenerate_Click();
  EXPECT_EQ(view.Text(TextBox::Prompt), "Mine: Links are broken.");
  controller.ChooseNiche(1);
  EXPECT_EQ(view.picture, (user.path() / "images/1.jpg").string());
  EXPECT_EQ(view.doubleSizePicture, "");

  // A file of the user's that cannot be read is named with the reason; the program goes on.
  controller.ChooseNiche(0);
  controller.lblItem_Click(2);
  fs::remove(user.path() / "niches/0/2/A Mine.txt");
  view.UserSelects(0);
  ASSERT_EQ(view.failures.size(), 1u);
  EXPECT_NE(view.failures[0].find((user.path() / "niches/0/2/A Mine.txt").string()),
            std::string::npos);
  EXPECT_NE(view.failures[0].find(std::strerror(ENOENT)), std::string::npos);
}

TEST_F(frmMainTest, SaveAsMyProblemWritesAFileThatReadsBack) {
  StartUp();
  controller.lblItem_Click(2);
  view.UserSelects(1);  // Slow Website
  view.texts[TextBox::Problem] = "My shop is slow.";
  view.texts[TextBox::Free] = "PageSpeed: checks it.";
  view.texts[TextBox::Paid] = "Kinsta: hosting.\nWP Rocket: caching.\n";
  view.nameAnswers = {std::string("Slow Shop")};
  controller.SaveAsMyProblem();

  ASSERT_EQ(view.nameQuestions.size(), 1u);
  EXPECT_EQ(view.nameQuestions[0], std::make_pair(std::string("Slow Website"), false));
  const fs::path saved = user.path() / "niches/0/2/Slow Shop.txt";
  EXPECT_EQ(FileBytes(saved),
            "[PROBLEM]\r\nMy shop is slow.\r\n\r\n[FREE]\r\nPageSpeed: checks it.\r\n\r\n[PAID]\r\n"
            "Kinsta: hosting.\r\nWP Rocket: caching.\r\n");
  // Listed again, the saved entry selected and read back from the user's folder.
  EXPECT_EQ(view.list, (std::vector<std::string>{"Broken Links", "Slow Shop", "Slow Website",
                                                 "Thin Content"}));
  EXPECT_EQ(view.selected, 1);
  EXPECT_EQ(view.Text(TextBox::Paid), "Kinsta: hosting.\r\nWP Rocket: caching.\r\n");
  EXPECT_EQ(view.focus, std::make_pair(Focus::ProblemList, 0));
  EXPECT_TRUE(view.failures.empty());
  std::size_t files = 0;  // no temporary file left beside it
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(saved.parent_path())) ++files;
  EXPECT_EQ(files, 1u);
}

TEST_F(frmMainTest, SaveAsMyProblemAsksAgainUntilTheNameWillDo) {
  StartUp();
  controller.lblItem_Click(2);
  user.Write("niches/0/2/Taken.txt", "old");
  view.texts[TextBox::Free] = "F\n\nmore";  // the empty line is left out, and said so
  view.nameAnswers = {std::string(""),      std::string(".hidden"), std::string("a/b"),
                      std::string("Taken"), std::string("Taken"),   std::string("Taken")};
  view.confirmAnswers = {false, true};
  controller.SaveAsMyProblem();

  EXPECT_EQ(view.warnings.size(), 3u);
  ASSERT_EQ(view.nameQuestions.size(), 5u);
  EXPECT_EQ(view.nameQuestions[0], std::make_pair(std::string("Broken Links"), true));
  EXPECT_EQ(view.nameQuestions[3].first, "a/b");  // asked again with what was typed
  EXPECT_EQ(view.confirmQuestions.size(), 2u);
  EXPECT_NE(view.confirmQuestions[0].find("\"Taken\""), std::string::npos);
  EXPECT_EQ(FileBytes(user.path() / "niches/0/2/Taken.txt").substr(0, 11), "[PROBLEM]\r\n");
  EXPECT_EQ(view.Text(TextBox::Free), "F\r\nmore");

  // Saved from the prompt view: the list is covered, so the focus stays on the prompt.
  controller.cmdGenerate_Click();
  view.nameAnswers = {std::string("From the Prompt")};
  controller.SaveAsMyProblem();
  EXPECT_TRUE(fs::exists(user.path() / "niches/0/2/From the Prompt.txt"));
  EXPECT_EQ(view.focus, std::make_pair(Focus::PromptBox, 0));
  controller.lblClose_Click();

  // Cancelled: nothing written, nothing listed anew.
  view.nameAnswers = {std::nullopt};
  const auto before = view.list;
  controller.SaveAsMyProblem();
  EXPECT_EQ(view.list, before);
  EXPECT_TRUE(view.failures.empty());
}

// A name is one name in any letter case and any spelling on disk; a shipped name is said to be
// overridden first; removing the user's copy brings the shipped problem back.
TEST_F(frmMainTest, SaveFindsTheSameNameAndRemoveBringsTheShippedOneBack) {
  StartUp();
  const struct {
    const char* onDisk;  // the user's file there before, or none
    const char* typed;
    const char* written;
    const char* asked;  // part of the question, or none
  } cases[] = {
      {"Mine.txt", "mine", "Mine.txt", "You already have a problem named \"mine\""},
      {"\xC3\x89mile.txt", "\xC3\xA9mile", "\xC3\x89mile.txt", "Replace it?"},
      {"caf\xE9.txt", "Caf\xC3\xA9", "caf\xE9.txt", "Replace it?"},  // Windows-1252 on disk
      {nullptr, "  Spaced Out \t", "Spaced Out.txt", nullptr},
      {nullptr, "slow website", "slow website.txt", "comes with Veltrane"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    if (c.onDisk != nullptr)
      user.Write(fs::path("niches/0/2") / c.onDisk, ProblemText("o", "o", "o"));
    controller.lblItem_Click(2);
    view.confirmQuestions.clear();
    view.nameAnswers = {std::string(c.typed)};
    view.confirmAnswers = {true};
    view.UserTypes(TextBox::Problem, "Saved.");
    controller.SaveAsMyProblem();
    EXPECT_EQ(FileBytes(user.path() / "niches/0/2" / c.written).substr(0, 17),
              "[PROBLEM]\r\nSaved.");
    ASSERT_EQ(view.confirmQuestions.size(), c.asked != nullptr ? 1u : 0u);
    if (c.asked != nullptr) {
      EXPECT_NE(view.confirmQuestions[0].find(c.asked), std::string::npos);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(user.path() / "niches/0/2"), {}),
              std::distance(&cases[0], &c) + 1)
        << "one file a name";
    EXPECT_FALSE(controller.SelectedHasEdits());  // the edits are in the file now
    controller.lblClose_Click();
  }
  EXPECT_EQ(FileBytes(app.path() / "niches/0/2/Slow Website.txt").substr(0, 19),
            "[PROBLEM]\r\nMy site ");  // the shipped file is untouched

  // The user's "slow website" goes to the trash after a question; the shipped one is back.
  controller.lblItem_Click(2);
  const auto row = std::find(view.list.begin(), view.list.end(), "slow website");
  ASSERT_NE(row, view.list.end());
  view.UserSelects(static_cast<int>(row - view.list.begin()));
  EXPECT_TRUE(controller.SelectedIsMine());
  view.confirmQuestions.clear();
  view.confirmAnswers = {true};
  controller.RemoveMyProblem();
  ASSERT_EQ(view.confirmQuestions.size(), 1u);
  EXPECT_NE(view.confirmQuestions[0].find("will be listed again"), std::string::npos);
  EXPECT_EQ(view.trashed, std::vector<fs::path>{user.path() / "niches/0/2/slow website.txt"});
  EXPECT_EQ(view.list[static_cast<std::size_t>(view.selected)], "Slow Website");
  EXPECT_FALSE(controller.SelectedIsMine());
  EXPECT_EQ(view.Text(TextBox::Problem), "My site is slow.");
  EXPECT_TRUE(view.failures.empty());
}

TEST_F(frmMainTest, SaveAsMyProblemRefusesWhatWouldNotReadBack) {
  StartUp();
  controller.SaveAsMyProblem();  // the picture view: nothing chosen to save
  EXPECT_TRUE(view.nameQuestions.empty());
  controller.lblItem_Click(2);
  view.texts[TextBox::Paid] = "see [FREE] below";
  view.nameAnswers = {std::string("Never")};
  controller.SaveAsMyProblem();
  EXPECT_TRUE(view.nameQuestions.empty());  // refused before asking
  ASSERT_EQ(view.failures.size(), 1u);
  EXPECT_NE(view.failures[0].find("\"[FREE]\""), std::string::npos);
  EXPECT_FALSE(fs::exists(user.path() / "niches"));

  // Without a folder for the user's own content there is nowhere to save or open.
  FakeView bare;
  frmMain noUser(bare, app.path());
  bare.controller = &noUser;
  ASSERT_TRUE(noUser.Form_Load());
  noUser.lblItem_Click(2);
  bare.nameAnswers = {std::string("X")};
  noUser.SaveAsMyProblem();
  noUser.OpenMyProblemsFolder();
  EXPECT_EQ(bare.failures.size(), 2u);
  EXPECT_TRUE(bare.openedFolders.empty());
}

TEST_F(frmMainTest, OpenMyProblemsFolderMakesItFirst) {
  StartUp();
  controller.OpenMyProblemsFolder();
  EXPECT_TRUE(view.openedFolders.empty());  // no subniche chosen
  controller.lblItem_Click(3);
  controller.OpenMyProblemsFolder();
  ASSERT_EQ(view.openedFolders.size(), 1u);
  EXPECT_EQ(view.openedFolders[0], user.path() / "niches/0/3");
  EXPECT_TRUE(fs::is_directory(user.path() / "niches/0/3"));
  view.openFolderFails = true;
  controller.OpenMyProblemsFolder();
  EXPECT_EQ(view.failures.size(), 1u);
  // A file where the folder should be: named, with the reason.
  view.openFolderFails = false;
  user.Write("niches/0/4", "a file");
  controller.lblClose_Click();
  controller.lblItem_Click(4);
  controller.OpenMyProblemsFolder();
  ASSERT_EQ(view.failures.size(), 2u);
  EXPECT_NE(view.failures[1].find("niches/0/4"), std::string::npos);
}

}  // namespace
}  // namespace veltrane
