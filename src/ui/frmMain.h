#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "content/NicheCatalog.h"
#include "content/ProblemListing.h"
#include "ui/MainWindowView.h"

namespace veltrane {

// The main window's controller: holds the selection and runs every event of the window. A step
// that fails ends its event there; the failure goes to the view and the program goes on.
class frmMain {
 public:
  frmMain(MainWindowView& view, std::filesystem::path appDir);

  // Start-up, before the window is first shown. False when the niche picture could not be
  // shown: the failure has been reported and the program should end.
  bool Form_Load();
  void Form_Activate();

  void lblMenu_Click(int Index);
  void lblItem_Click(int Index);
  void lstProblems_Click();
  void cmdGenerate_Click();
  void lblClose_Click();
  void lblCopyToClipboard_Click();
  void lblHelp_Click();
  void lblInstructions_Click();

  const std::string& txtMenuIndex() const { return txtMenuIndex_; }
  const std::string& txtActiveSubniche() const { return txtActiveSubniche_; }
  const std::string& txtActiveNicheText() const { return txtActiveNicheText_; }
  const std::string& txtActiveSubnicheText() const { return txtActiveSubnicheText_; }
  const std::string& RegionTag(int index) const { return regionTags_.at(index); }
  const std::filesystem::path& AppDir() const { return appDir_; }

 private:
  void SelectNiche(int index);
  void LoadSubnicheTags();
  void CenterNichePanel();
  // Runs one event's steps; a failure ends them and is reported. True when all steps ran.
  template <class Steps>
  bool RunEvent(Steps&& steps);

  MainWindowView& view_;
  std::filesystem::path appDir_;
  std::string txtMenuIndex_;
  std::string txtActiveSubniche_;
  std::string txtActiveNicheText_;
  std::string txtActiveSubnicheText_;
  std::array<std::string, kSubnicheCount> regionTags_;
  // The listed problems, parallel to the view's list: the real file names to read.
  std::vector<ProblemEntry> problems_;
};

}  // namespace veltrane
