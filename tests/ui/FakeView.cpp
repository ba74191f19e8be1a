#include "ui/FakeView.h"

#include <filesystem>
#include <stdexcept>

#include "content/Failure.h"
#include "ui/frmMain.h"

namespace veltrane::test {

void FakeView::ShowPicture(const NichePicture& files) {
  // Like a real picture load: the file must be there.
  if (!std::filesystem::is_regular_file(files.plain)) {
    throw Failure("Could not show the picture \"" + files.plain.string() + "\": no such file.");
  }
  if (files.plain == pictureFails) {
    throw Failure("Could not show the picture \"" + files.plain.string() + "\": not a JPEG.");
  }
  picture = files.plain.string();
  doubleSizePicture = files.doubleSize.string();
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
  marks.clear();
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
  if (clipboardThrows) std::rethrow_exception(clipboardThrows);
  if (clipboardFails) throw Failure("Could not put the prompt on the clipboard.");
  clipboard = text;
}

void FakeView::ShowMessage(const std::string& text, const std::string& title) {
  messages.emplace_back(text, title);
}

std::optional<std::string> FakeView::AskProblemName(const std::string& suggestion,
                                                    bool emptyLinesDropped) {
  nameQuestions.emplace_back(suggestion, emptyLinesDropped);
  if (nameAnswers.empty()) return std::nullopt;
  std::optional<std::string> answer = nameAnswers.front();
  nameAnswers.pop_front();
  return answer;
}

void FakeView::AddProblem(const std::string& name, ProblemMarks mark) {
  list.push_back(name);
  marks.push_back(mark);
}

void FakeView::UserTypes(TextBox box, const std::string& text) {
  texts[box] = text;
  if (controller != nullptr) controller->ProblemTextEdited();
}

void FakeView::MoveToTrash(const std::filesystem::path& file) {
  // As the desktop's trash would: the file leaves its folder.
  std::error_code error;
  if (!std::filesystem::remove(file, error) || error) {
    throw Failure("Could not move \"" + file.string() + "\" to the trash.");
  }
  trashed.push_back(file);
}

bool FakeView::Confirm(const std::string& question, const std::string&) {
  confirmQuestions.push_back(question);
  if (confirmAnswers.empty()) return false;
  const bool answer = confirmAnswers.front();
  confirmAnswers.pop_front();
  return answer;
}

void FakeView::OpenFolder(const std::filesystem::path& folder) {
  if (openFolderFails) throw Failure("Could not open the folder: no file manager answered.");
  openedFolders.push_back(folder);
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
