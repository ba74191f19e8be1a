#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/MainWindowView.h"

namespace veltrane {
class frmMain;

namespace test {

// A window that draws nothing: records what the controller sets and answers as a window with
// the real layout's geometry (in twips) would. Selecting a list entry runs the controller's
// selection handler, as a real list does.
class FakeView : public MainWindowView {
 public:
  // Set after construction; the list selection calls back into it.
  frmMain* controller = nullptr;

  // Geometry the controller reads.
  float outerWidth = 18000;
  float pictureWidth = 9330;
  float pictureTop = 765;
  float nichePanelWidth = 15180;
  float label4Left = 585;
  float label4Top = 765;
  std::array<float, 6> menuEntryTops{360, 810, 1260, 1710, 2160, 2610};

  // What the controller set.
  std::string picture;
  float pictureLeft = 5040;
  float markerTop = 405;
  float nichePanelLeft = 4995;
  float nichePanelTop = 3690;
  float promptPanelLeft = 9135;
  float promptPanelTop = 5445;
  std::map<Panel, bool> visible{{Panel::Menu, true}, {Panel::Niche, false}, {Panel::Prompt, false}};
  std::string caption = "Niche:";
  std::array<std::string, 8> regionNames;
  std::vector<std::string> list;
  int selected = -1;
  std::map<TextBox, std::string> texts;
  int freeCheck = 1;
  std::string clipboard = "(old clipboard)";
  std::vector<std::pair<std::string, std::string>> messages;  // text, title
  std::vector<std::string> failures;
  int helpShown = 0;
  int instructionsShown = 0;
  int selectionRuns = 0;

  // Faults to play.
  bool clipboardFails = false;
  // Runs while a modal window is open, as the user would act before closing it.
  std::function<void()> whileModal;

  void ShowPicture(const std::filesystem::path& file) override;
  float PictureWidth() const override { return pictureWidth; }
  float PictureTop() const override { return pictureTop; }
  void SetPictureLeft(float left) override { pictureLeft = left; }
  void SetRegionName(int index, const std::string& name) override;
  float WindowOuterWidth() const override { return outerWidth; }
  float MenuEntryTop(int index) const override;
  void SetMarkerTop(float top) override { markerTop = top; }
  float NichePanelWidth() const override { return nichePanelWidth; }
  void SetNichePanelPosition(float left, float top) override;
  void SetSelectedNicheCaption(const std::string& text) override { caption = text; }
  float Label4Left() const override { return label4Left; }
  float Label4Top() const override { return label4Top; }
  void SetPromptPanelPosition(float left, float top) override;
  void SetPanelVisible(Panel panel, bool shown) override { visible[panel] = shown; }
  bool IsPanelVisible(Panel panel) const override { return visible.at(panel); }
  void ClearProblemList() override;
  void AddProblem(const std::string& name) override { list.push_back(name); }
  void SelectProblem(int index) override;
  int SelectedProblem() const override { return selected; }
  std::string Text(TextBox box) const override;
  void SetText(TextBox box, const std::string& text) override { texts[box] = text; }
  int FreeCheckValue() const override { return freeCheck; }
  void ClearClipboard() override { clipboard.clear(); }
  void PutOnClipboard(const std::string& text) override;
  void ShowMessage(const std::string& text, const std::string& title) override;
  void ShowHelpWindow() override;
  void ShowInstructionsWindow() override;
  void ReportFailure(const std::string& message) override { failures.push_back(message); }

  // The user picking entry `index` in the list.
  void UserSelects(int index) { SelectProblem(index); }
};

}  // namespace test
}  // namespace veltrane
