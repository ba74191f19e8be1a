#include "ui/FakeView.h"

#include <filesystem>
#include <stdexcept>

#include "content/Failure.h"
#include "ui/frmMain.h"

namespace veltrane::test {

void FakeView::ShowPicture(const std::filesystem::path& file) {
  // Like a real picture load: the file must be there.
  if (!std::filesystem::is_regular_file(file)) {
    throw Failure("Could not show the picture \"" + file.string() + "\": no such file.");
  }
  picture = file.string();
}

void FakeView::SetRegionName(int index, const std::string& name) {
  regionNames.at(static_cast<std::size_t>(index)) = name;
}

float FakeView::MenuEntryTop(int index) const {
  return menuEntryTops.at(static_cast<std::size_t>(index));
}

void FakeView::SetNichePanelPosition(float left, float top) {
  nichePanelLeft = left;
  nichePanelTop = top;
}

void FakeView::SetPromptPanelPosition(float left, float top) {
  promptPanelLeft = left;
  promptPanelTop = top;
}

void FakeView::ClearProblemList() {
  list.clear();
  selected = -1;
}

void FakeView::SelectProblem(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) {
    throw std::logic_error("selected a list entry that does not exist");
  }
  selected = index;
  ++selectionRuns;
  if (controller != nullptr) controller->lstProblems_Click();
}

std::string FakeView::Text(TextBox box) const {
  const auto it = texts.find(box);
  return it == texts.end() ? std::string() : it->second;
}

void FakeView::PutOnClipboard(const std::string& text) {
  if (clipboardFails) throw Failure("Could not put the prompt on the clipboard.");
  clipboard = text;
}

void FakeView::ShowMessage(const std::string& text, const std::string& title) {
  messages.emplace_back(text, title);
}

void FakeView::ShowHelpWindow() {
  ++helpShown;
  if (whileModal) whileModal();
}

void FakeView::ShowInstructionsWindow() {
  ++instructionsShown;
  if (whileModal) whileModal();
}

}  // namespace veltrane::test
