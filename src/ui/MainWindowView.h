#pragma once

#include <filesystem>
#include <string>

namespace veltrane {

enum class Panel { Menu, Niche, Prompt };
enum class TextBox { Problem, Free, Paid, Prompt };

// What the main window's controller needs from a window. Positions and sizes are in twips
// (1/1440 inch), each in the coordinates of the element's own container. Methods that can fail
// throw Failure with a message for the user.
class MainWindowView {
 public:
  virtual ~MainWindowView() = default;

  // The niche picture (Picture1).
  virtual void ShowPicture(const std::filesystem::path& file) = 0;
  virtual float PictureWidth() const = 0;
  virtual float PictureTop() const = 0;
  virtual void SetPictureLeft(float left) = 0;
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
  virtual void AddProblem(const std::string& name) = 0;
  virtual void SelectProblem(int index) = 0;
  virtual int SelectedProblem() const = 0;  // -1 when nothing is selected

  virtual std::string Text(TextBox box) const = 0;
  virtual void SetText(TextBox box, const std::string& text) = 0;

  // chkFree: 0 unchecked, 1 checked, 2 greyed.
  virtual int FreeCheckValue() const = 0;

  virtual void ClearClipboard() = 0;
  // Throws Failure when the text did not reach the clipboard.
  virtual void PutOnClipboard(const std::string& text) = 0;

  // Modal; each returns when its window has closed.
  virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
  virtual void ShowHelpWindow() = 0;
  virtual void ShowInstructionsWindow() = 0;
  virtual void ReportFailure(const std::string& message) = 0;
};

}  // namespace veltrane
