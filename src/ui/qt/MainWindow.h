#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "ui/MainWindowView.h"
#include "ui/frmMain.h"
#include "ui/qt/Dialogs.h"
#include "ui/qt/MainForm.h"
#include "ui/qt/WindowExtension.h"

class QMenu;
class QScrollArea;

namespace veltrane::qt {

class SearchPopup;

// The main window: forwards every event to the controller frmMain and does what the controller
// asks. It decides nothing itself. Its controls carry their names as object names.
class MainWindow : public QWidget, public MainWindowView {
  Q_OBJECT
 public:
  // Content comes from `userDir` first, where given, then from `appDir`. Modal windows, menus
  // and the desktop are reached through `dialogs` (which must outlive the window), or directly.
  explicit MainWindow(const std::filesystem::path& appDir,
                      const std::filesystem::path& userDir = {}, Dialogs* dialogs = nullptr);

  // Runs start-up with niche `menuIndex` before the first showing; false when the program
  // cannot start.
  bool Load(int menuIndex = 0);
  frmMain& Controller() { return controller_; }
  // Adds `extension`'s controls, menu entries and keys; it must outlive the window.
  void SetExtension(WindowExtension* extension);

  // MainWindowView
  void ShowPicture(const NichePicture& files) override;
  float PictureWidth() const override;
  float PictureTop() const override;
  void SetPictureLeft(float left) override;
  void SetPictureName(const std::string& name) override;
  void SetRegionName(int index, const std::string& name) override;
  float WindowOuterWidth() const override;
  float MenuEntryTop(int index) const override;
  void SetMarkerTop(float top) override;
  float NichePanelWidth() const override;
  void SetNichePanelPosition(float left, float top) override;
  void SetSelectedNicheCaption(const std::string& caption) override;
  float Label4Left() const override;
  float Label4Top() const override;
  void SetPromptPanelPosition(float left, float top) override;
  void SetPanelVisible(Panel panel, bool visible) override;
  bool IsPanelVisible(Panel panel) const override;
  void ClearProblemList() override;
  void AddProblem(const std::string& name, ProblemMarks marks) override;
  void SetProblemMarks(int index, ProblemMarks marks) override;
  void SelectProblem(int index) override;
  int SelectedProblem() const override;
  std::string Text(TextBox box) const override;
  void SetText(TextBox box, const std::string& text) override;
  int FreeCheckValue() const override;
  void PutOnClipboard(const std::string& text) override;
  void ShowMessage(const std::string& text, const std::string& title) override;
  void ShowHelpWindow() override;
  void ShowInstructionsWindow() override;
  void ReportFailure(const std::string& message) override;
  void SetFocus(Focus target, int region) override;
  std::optional<std::string> AskProblemName(const std::string& suggestion,
                                            bool emptyLinesDropped) override;
  bool Confirm(const std::string& question, const std::string& action) override;
  void ShowWarning(const std::string& text, const std::string& title) override;
  void OpenFolder(const std::filesystem::path& folder) override;
  void MoveToTrash(const std::filesystem::path& file) override;
  void SetArticleTypes(const std::vector<ArticleType>& types, const std::string& chosen) override;
  ArticleOptions LoadArticleOptions() override;
  void SaveArticleOptions(const ArticleOptions& options) override;
  std::optional<ArticleOptions> AskArticleOptions(const ArticleOptions& current) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ConnectEvents();
  void AddShortcuts();
  void ShowNicheMenu(const QPoint& at);
  // Find a Problem: the search over every niche, made at its first use.
  void OpenSearch();
  void ShowProblemMenu(const QPoint& at);
  // Opens the context menu of the control that has the focus, beside it.
  void ShowMenuByKeyboard();
  void ConnectNichePanel();
  // The form, its niche panel built.
  MainForm& Form() const;
  QWidget* PanelWidget(Panel panel) const;
  QWidget* BoxWidget(TextBox box) const;
  int RunModal(QDialog& dialog);
  void ScrollIntoView(QWidget* control);
  // Disables what `panel` covers where it now stands, and enables again what it no longer
  // covers: what lies under a shown panel can be neither clicked nor reached with Tab.
  void UpdateCovered(QWidget* panel);

  // What holds the form's controls, and the area it scrolls in once the window is smaller than
  // the form (none before).
  QWidget* canvas_;
  QScrollArea* scroll_ = nullptr;
  MainForm form_;
  // The whole texts of boxes that show them abridged, by TextBox.
  std::array<std::optional<std::string>, 4> held_;
  frmMain controller_;
  Dialogs ownDialogs_;
  Dialogs* dialogs_;
  // The controls each shown panel has disabled, and of those the ones it has hidden.
  struct Covered {
    QList<QPointer<QWidget>> disabled;
    QList<QPointer<QWidget>> hidden;
  };
  std::map<QWidget*, Covered> covered_;
  ContentRoots searchRoots_;
  SearchPopup* search_ = nullptr;
  WindowExtension* extension_ = nullptr;
};

}  // namespace veltrane::qt
