#pragma once

#include <array>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "content/NicheCatalog.h"
#include "ui/FormLayout.h"
#include "ui/MainWindowView.h"

namespace veltrane {
class frmMain;

namespace test {

// A window that draws nothing: records what the controller sets and answers as a window with
// the real layout's geometry (in twips) would. Selecting a list entry runs the controller's
// selection handler, as a real list does.
class FakeView : public MainWindowView {
  static float Twips(std::string_view control, int form::Rect::*value) {
    return static_cast<float>(form::MainControl(control).rect.*value);
  }
  static std::array<float, kNicheCount> MenuEntryTops() {
    std::array<float, kNicheCount> tops{};
    for (std::size_t i = 0; i < kNicheCount; ++i) {
      tops[i] = static_cast<float>(form::kMenuEntries[i].top);
    }
    return tops;
  }

 public:
  // Set after construction; the list selection calls back into it.
  frmMain* controller = nullptr;

  // Geometry the controller reads, as the window's layout has it.
  float outerWidth = 18000;
  float pictureWidth = Twips("Picture1", &form::Rect::width);
  float pictureTop = Twips("Picture1", &form::Rect::top);
  float nichePanelWidth = Twips("picNiche", &form::Rect::width);
  float label4Left = Twips("Label4", &form::Rect::left);
  float label4Top = Twips("Label4", &form::Rect::top);
  std::array<float, kNicheCount> menuEntryTops = MenuEntryTops();

  // What the controller set.
  std::string picture;
  std::string doubleSizePicture;
  float pictureLeft = Twips("Picture1", &form::Rect::left);
  float markerTop = Twips("shPosition", &form::Rect::top);
  float nichePanelLeft = Twips("picNiche", &form::Rect::left);
  float nichePanelTop = Twips("picNiche", &form::Rect::top);
  float promptPanelLeft = Twips("picArticlePrompt", &form::Rect::left);
  float promptPanelTop = Twips("picArticlePrompt", &form::Rect::top);
  std::map<Panel, bool> visible{{Panel::Menu, true}, {Panel::Niche, false}, {Panel::Prompt, false}};
  std::string caption = "Niche:";
  std::string pictureName;
  std::array<std::string, kSubnicheCount> regionNames;
  std::vector<std::string> list;
  std::vector<ProblemMarks> marks;  // parallel to the list
  int selected = -1;
  std::map<TextBox, std::string> texts;
  int freeCheck = 1;
  std::string clipboard = "(old clipboard)";
  std::vector<std::pair<std::string, std::string>> messages;  // text, title
  std::vector<std::string> failures;
  int helpShown = 0;
  int instructionsShown = 0;
  int selectionRuns = 0;
  std::pair<Focus, int> focus{Focus::Region, -1};           // none yet
  std::vector<std::pair<std::string, bool>> nameQuestions;  // suggestion, empty lines dropped
  std::vector<std::string> confirmQuestions;
  std::vector<std::string> warnings;
  std::vector<std::filesystem::path> openedFolders;
  std::vector<std::filesystem::path> trashed;

  // The user's answers, taken in turn; when they run out, the dialog is cancelled or declined.
  std::deque<std::optional<std::string>> nameAnswers;
  std::deque<bool> confirmAnswers;

  // Faults to play.
  bool clipboardFails = false;
  std::filesystem::path pictureFails;  // a picture file that cannot be decoded
  std::exception_ptr clipboardThrows;  // a fault of the program rather than of the clipboard
  // Runs while a modal window is open, as the user would act before closing it.
  std::function<void()> whileModal;
  std::function<void()> whileFailure;

  void ShowPicture(const NichePicture& files) override;
  float PictureWidth() const override { return pictureWidth; }
  float PictureTop() const override { return pictureTop; }
  void SetPictureLeft(float left) override { pictureLeft = left; }
  void SetPictureName(const std::string& name) override { pictureName = name; }
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
  void AddProblem(const std::string& name, ProblemMarks mark) override;
  void SetProblemMarks(int index, ProblemMarks mark) override { marks.at(index) = mark; }
  void SelectProblem(int index) override;
  int SelectedProblem() const override { return selected; }
  std::string Text(TextBox box) const override;
  void SetText(TextBox box, const std::string& text) override { texts[box] = text; }
  int FreeCheckValue() const override { return freeCheck; }
  void PutOnClipboard(const std::string& text) override;
  void ShowMessage(const std::string& text, const std::string& title) override;
  void ShowHelpWindow() override;
  void ShowInstructionsWindow() override;
  void ReportFailure(const std::string& message) override {
    failures.push_back(message);
    if (whileFailure) whileFailure();
  }
  void SetFocus(Focus target, int region) override { focus = {target, region}; }
  std::optional<std::string> AskProblemName(const std::string& suggestion,
                                            bool emptyLinesDropped) override;
  bool Confirm(const std::string& question, const std::string& action) override;
  void ShowWarning(const std::string& text, const std::string&) override {
    warnings.push_back(text);
  }
  void MoveToTrash(const std::filesystem::path& file) override;
  void SetArticleTypes(const std::vector<ArticleType>& offered,
                       const std::string& chosen) override {
    types = offered;
    chosenType = chosen;
  }
  ArticleOptions LoadArticleOptions() override {
    ++optionLoads;
    return savedOptions;
  }
  void SaveArticleOptions(const ArticleOptions& options) override {
    savedOptions = options;
    ++optionSaves;
  }
  std::optional<ArticleOptions> AskArticleOptions(const ArticleOptions& current) override {
    optionQuestions.push_back(current);
    if (optionAnswers.empty()) return std::nullopt;
    std::optional<ArticleOptions> answer = optionAnswers.front();
    optionAnswers.pop_front();
    return answer;
  }
  std::vector<ArticleType> types;
  std::string chosenType;
  ArticleOptions savedOptions;  // the settings file
  int optionLoads = 0;
  int optionSaves = 0;
  std::vector<ArticleOptions> optionQuestions;
  std::deque<std::optional<ArticleOptions>> optionAnswers;
  void OpenFolder(const std::filesystem::path& folder) override;
  bool openFolderFails = false;

  // The user picking entry `index` in the list, and typing into a box.
  void UserSelects(int index) { SelectProblem(index); }
  void UserTypes(TextBox box, const std::string& text);
};

}  // namespace test
}  // namespace veltrane
