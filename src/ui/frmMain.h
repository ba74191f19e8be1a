#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "content/NicheCatalog.h"
#include "content/ProblemListing.h"
#include "content/ProblemReader.h"
#include "ui/MainWindowView.h"

namespace veltrane {

// The main window's controller: holds the selection and runs every event of the window. A step
// that fails ends its event there; the failure goes to the view and the program goes on.
class frmMain {
 public:
  // Content is read from the user's folder first, where there is one, then from the program's.
  frmMain(MainWindowView& view, std::filesystem::path appDir, std::filesystem::path userDir = {});

  // Start-up with niche `menuIndex`, before the window is first shown. False when the niche
  // picture could not be shown: the failure has been reported and the program should end.
  bool Form_Load(int menuIndex = 0);
  void Form_Activate();
  // The window's size changed: the picture, and a shown niche panel, are centred again.
  void Form_Resize();

  void lblMenu_Click(int Index);
  void lblItem_Click(int Index);
  void lstProblems_Click();
  void cmdGenerate_Click();
  void lblClose_Click();
  void lblCopyToClipboard_Click();
  void lblHelp_Click();
  void lblInstructions_Click();
  // Before the window closes: true when it may, after asking whether to drop unsaved edits.
  bool Form_QueryUnload();

  // The user changed a text of the problem boxes.
  void ProblemTextEdited();
  // Drops the selected problem's edits and reads its file again.
  void RevertToFile();
  // Moves the selected problem, one of the user's own, to the trash after asking.
  void RemoveMyProblem();
  // The article type and options the prompt is made with.
  void ChooseArticleType(const std::string& key);
  const std::string& ArticleTypeKey() const { return articleType_; }
  void ArticleOptionsClick();
  const ArticleOptions& CurrentArticleOptions();
  // What the list's menu offers for the selected problem.
  bool SelectedHasEdits() const;
  bool SelectedIsMine() const;

  // Keys, shortcuts and menus beyond the clicks.
  // Another niche: both panels close first, so nothing of the old niche stays in view.
  void ChooseNiche(int index);
  // A problem found by searching: its niche chosen if need be, its subniche opened and the
  // problem of that name selected, as the user would by clicking. The first of the list stays
  // selected when no problem has that name any longer.
  void OpenProblem(int niche, int subniche, const std::string& name);
  // A subniche by key, from the picture view only, where the regions can be clicked.
  void RegionKey(int index);
  void GenerateKey();  // in the niche view, where the button can be clicked
  void CopyKey();      // while the prompt panel is shown
  void CloseKey();     // as one click on "X", while a panel is shown
  // Writes the three boxes' texts as a problem file into the user's folder of the current
  // subniche, under a name the user gives, and lists it.
  void SaveAsMyProblem();
  void OpenMyProblemsFolder();

  const std::string& txtMenuIndex() const { return txtMenuIndex_; }
  const std::string& txtActiveSubniche() const { return txtActiveSubniche_; }
  const std::string& txtActiveNicheText() const { return txtActiveNicheText_; }
  const std::string& txtActiveSubnicheText() const { return txtActiveSubnicheText_; }
  const std::string& RegionTag(int index) const { return regionTags_.at(index); }
  // The niche of txtMenuIndex, or -1 before there is one.
  int CurrentNiche() const;
  // The subniche of txtActiveSubniche, or -1 before there is one.
  int SubnicheIndex() const;

 private:
  void SelectNiche(int index);
  void LoadSubnicheTags();
  void CenterNichePanel();
  // Lists the current subniche's problems into the view's list.
  void ListProblemsOfSubniche();
  std::filesystem::path UserProblemFolder() const;
  std::filesystem::path ProblemPath(const ProblemEntry& problem) const;
  const ProblemEntry* SelectedEntry() const;
  ProblemMarks MarksOf(const ProblemEntry& problem) const;
  ProblemSections BoxTexts() const;
  // Keeps the boxes' texts as the shown problem's draft when they differ from its file's, and
  // updates its mark.
  void KeepDraft();
  // The boxes now hold nothing of a listed problem.
  void ForgetShownProblem();
  void ClearBoxes();
  // Fills the boxes with the selected problem's draft, or else its file.
  void ShowSelectedProblem();
  // Runs one event's steps; a failure ends them and is reported. True when all steps ran.
  template <class Steps>
  bool RunEvent(Steps&& steps);

  MainWindowView& view_;
  std::filesystem::path userDir_;  // empty when there is no folder for the user's own content
  ContentRoots roots_;
  std::string txtMenuIndex_;
  std::string txtActiveSubniche_;
  std::string txtActiveNicheText_;
  std::string txtActiveSubnicheText_;
  std::array<std::string, kSubnicheCount> regionTags_;
  // The listed problems, parallel to the view's list: the real file names to read.
  std::vector<ProblemEntry> problems_;
  // Edits not saved to a file, by the problem file's path, for the life of the window.
  struct Draft {
    ProblemSections texts;
    ProblemSections fromFile;  // as the boxes held the file's texts
  };
  std::map<std::filesystem::path, Draft> drafts_;
  // The problem whose texts the boxes show (empty path when none), and the texts as they were
  // put there from its file.
  std::filesystem::path shownPath_;
  ProblemSections shownFromFile_;
  // Chosen for the run; the options are read from the settings at their first use.
  std::string articleType_;
  std::optional<ArticleOptions> options_;
};

}  // namespace veltrane
