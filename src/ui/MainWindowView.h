#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "content/ContentPaths.h"
#include "prompt/ArticleOptions.h"

namespace veltrane {

enum class Panel { Menu, Niche, Prompt };
enum class TextBox { Problem, Free, Paid, Prompt };
// What the problem list shows beside a problem's name.
struct ProblemMarks {
  bool edited = false;  // holds edits not saved to a file
  bool mine = false;    // the user's own file

  bool operator==(const ProblemMarks&) const = default;
};

// Where the keyboard focus goes; a region is named by its subniche index.
enum class Focus { Region, ProblemList, GenerateButton, PromptBox };

// What the main window's controller needs from a window. Positions and sizes are in twips
// (1/1440 inch), each in the coordinates of the element's own container. Methods that can fail
// throw Failure with a message for the user.
class MainWindowView {
 public:
  virtual ~MainWindowView() = default;

  // The niche picture (Picture1): the plain file, or on a high-density screen the one drawn at
  // twice the size where there is one, shown at the same size.
  virtual void ShowPicture(const NichePicture& files) = 0;
  virtual float PictureWidth() const = 0;
  virtual float PictureTop() const = 0;
  virtual void SetPictureLeft(float left) = 0;
  // Names the picture, which groups the regions, for screen readers.
  virtual void SetPictureName(const std::string& name) = 0;
  // Names the eight click regions for tooltips and screen readers.
  virtual void SetRegionName(int index, const std::string& name) = 0;

  // The whole window's width, frame included.
  virtual float WindowOuterWidth() const = 0;

  virtual float MenuEntryTop(int index) const = 0;
  virtual void SetMarkerTop(float top) = 0;

  virtual float NichePanelWidth() const = 0;
  virtual void SetNichePanelPosition(float left, float top) = 0;
  virtual void SetSelectedNicheCaption(const std::string& caption) = 0;

  // Label4, the heading of the problem list, marks the prompt panel's place.
  virtual float Label4Left() const = 0;
  virtual float Label4Top() const = 0;
  virtual void SetPromptPanelPosition(float left, float top) = 0;

  virtual void SetPanelVisible(Panel panel, bool visible) = 0;
  virtual bool IsPanelVisible(Panel panel) const = 0;

  // The problem list. Selecting an entry runs the controller's lstProblems_Click once, before
  // SelectProblem returns; clearing the list runs nothing.
  virtual void ClearProblemList() = 0;
  virtual void AddProblem(const std::string& name, ProblemMarks marks) = 0;
  virtual void SetProblemMarks(int index, ProblemMarks marks) = 0;
  virtual void SelectProblem(int index) = 0;
  virtual int SelectedProblem() const = 0;  // -1 when nothing is selected

  virtual std::string Text(TextBox box) const = 0;
  virtual void SetText(TextBox box, const std::string& text) = 0;

  // chkFree: 0 unchecked, 1 checked, 2 greyed.
  virtual int FreeCheckValue() const = 0;

  // Throws Failure when the text did not reach the clipboard, which then keeps what it had.
  virtual void PutOnClipboard(const std::string& text) = 0;

  // Modal; each returns when its window has closed.
  virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
  virtual void ShowHelpWindow() = 0;
  virtual void ShowInstructionsWindow() = 0;
  virtual void ReportFailure(const std::string& message) = 0;

  virtual void SetFocus(Focus target, int region = 0) = 0;

  // Saving the user's own problem: asks for its name, starting from `suggestion`, and says
  // first that empty lines are left out when `emptyLinesDropped`. Nothing when cancelled.
  virtual std::optional<std::string> AskProblemName(const std::string& suggestion,
                                                    bool emptyLinesDropped) = 0;
  // A question whose answers are `action` (such as "Replace") and Cancel, the default; true
  // for the action.
  virtual bool Confirm(const std::string& question, const std::string& action) = 0;
  virtual void ShowWarning(const std::string& text, const std::string& title) = 0;
  // The article types to choose from where the prompt is made, `chosen` selected.
  virtual void SetArticleTypes(const std::vector<ArticleType>& types,
                               const std::string& chosen) = 0;
  // The article options as the settings file keeps them; defaults when it has none. A file
  // that cannot be read is reported, once, by the view.
  virtual ArticleOptions LoadArticleOptions() = 0;
  // Keeps the options in the settings file. Throws Failure when they could not be written.
  virtual void SaveArticleOptions(const ArticleOptions& options) = 0;
  // Asks for the article options, starting from `current`. Nothing when cancelled.
  virtual std::optional<ArticleOptions> AskArticleOptions(const ArticleOptions& current) = 0;
  // Moves the file to the desktop's trash. Throws Failure when it could not.
  virtual void MoveToTrash(const std::filesystem::path& file) = 0;
  // Shows the folder in the desktop's file manager. Throws Failure when none answers.
  virtual void OpenFolder(const std::filesystem::path& folder) = 0;
};

}  // namespace veltrane
