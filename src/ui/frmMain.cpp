#include "ui/frmMain.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <utility>

#include "content/ContentPaths.h"
#include "content/Failure.h"
#include "content/ProblemReader.h"
#include "content/ProblemWriter.h"
#include "content/TextEncoding.h"
#include "content/TextFile.h"
#include "prompt/ComposePrompt.h"

namespace veltrane {
namespace {

constexpr float kMarkerOffset = 50.0f;  // the marker sits a little below its menu entry's top
constexpr const char* kCopiedMessage = "Done! Prompt copied to clipboard.";
constexpr const char* kCopiedTitle = "Done";
// Only a Failure speaks to the user; anything else is a fault of the program, whose details
// mean nothing to them.
constexpr const char* kNotCompleted = "The action could not be completed.";

}  // namespace

frmMain::frmMain(MainWindowView& view, std::filesystem::path appDir, std::filesystem::path userDir)
    : view_(view), userDir_(std::move(userDir)) {
  if (!userDir_.empty()) roots_.push_back(userDir_);
  roots_.push_back(std::move(appDir));
}

template <class Steps>
bool frmMain::RunEvent(Steps&& steps) {
  try {
    steps();
    return true;
  } catch (const Failure& failure) {
    view_.ReportFailure(failure.what());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "veltrane: an action failed: %s\n", error.what());
    view_.ReportFailure(kNotCompleted);
  } catch (...) {
    std::fputs("veltrane: an action failed with an unknown exception\n", stderr);
    view_.ReportFailure(kNotCompleted);
  }
  return false;
}

bool frmMain::Form_Load(int menuIndex) {
  return RunEvent([this, menuIndex] {
    SelectNiche(menuIndex);
    view_.SetPanelVisible(Panel::Menu, false);
  });
}

void frmMain::Form_Activate() {
  RunEvent(
      [this] { view_.SetPictureLeft(view_.WindowOuterWidth() / 2 - view_.PictureWidth() / 2); });
}

void frmMain::lblMenu_Click(int Index) {
  RunEvent([this, Index] { SelectNiche(Index); });
}

void frmMain::SelectNiche(int index) {
  if (index < 0 || index >= static_cast<int>(kNicheCount)) return;
  const std::string menuIndex = std::to_string(index);
  view_.ShowPicture(NichePictureFiles(roots_, menuIndex));
  txtMenuIndex_ = menuIndex;
  view_.SetMarkerTop(view_.MenuEntryTop(index) + kMarkerOffset);
  const NicheEntry& niche = NicheCatalog()[static_cast<std::size_t>(index)];
  for (std::size_t j = 0; j < kSubnicheCount; ++j) {
    view_.SetRegionName(static_cast<int>(j), std::string(niche.subniches[j]));
  }
}

void frmMain::LoadSubnicheTags() {
  const NicheEntry* niche = LookupNiche(txtMenuIndex_);
  if (niche == nullptr) return;
  txtActiveNicheText_ = niche->name;
  for (std::size_t j = 0; j < kSubnicheCount; ++j) regionTags_[j] = niche->subniches[j];
}

void frmMain::CenterNichePanel() {
  view_.SetNichePanelPosition(view_.WindowOuterWidth() / 2 - view_.NichePanelWidth() / 2,
                              view_.PictureTop());
}

void frmMain::lblItem_Click(int Index) {
  if (Index < 0 || Index >= static_cast<int>(kSubnicheCount)) return;
  RunEvent([this, Index] {
    txtActiveSubniche_ = std::to_string(Index);
    LoadSubnicheTags();

    ListProblemsOfSubniche();

    const std::string& tag = regionTags_[static_cast<std::size_t>(Index)];
    txtActiveSubnicheText_ = tag;
    view_.SetSelectedNicheCaption("Niche: " + tag);
    view_.SetPanelVisible(Panel::Niche, true);
    view_.SetFocus(Focus::ProblemList);
    // No other subniche's problem may reach a prompt: not when the list is empty, nor when its
    // first problem cannot be read.
    view_.SetText(TextBox::Problem, "");
    view_.SetText(TextBox::Free, "");
    view_.SetText(TextBox::Paid, "");
    if (!problems_.empty()) view_.SelectProblem(0);
    CenterNichePanel();
  });
}

void frmMain::ListProblemsOfSubniche() {
  problems_.clear();
  view_.ClearProblemList();
  problems_ = ListProblems(roots_, txtMenuIndex_, txtActiveSubniche_);
  for (const ProblemEntry& problem : problems_) view_.AddProblem(problem.name);
}

void frmMain::lstProblems_Click() {
  RunEvent([this] {
    const int selected = view_.SelectedProblem();
    if (selected < 0 || static_cast<std::size_t>(selected) >= problems_.size()) return;
    const ProblemEntry& problem = problems_[static_cast<std::size_t>(selected)];
    const std::filesystem::path file =
        ProblemFolderPath(roots_.at(problem.root), txtMenuIndex_, txtActiveSubniche_) /
        problem.fileName;
    const ProblemSections sections = ReadProblemFile(file);
    view_.SetText(TextBox::Problem, "");
    view_.SetText(TextBox::Free, "");
    view_.SetText(TextBox::Paid, "");
    view_.SetText(TextBox::Problem, sections.problemText);
    view_.SetText(TextBox::Free, sections.freeText);
    view_.SetText(TextBox::Paid, sections.paidText);
  });
}

void frmMain::cmdGenerate_Click() {
  RunEvent([this] {
    view_.SetPromptPanelPosition(view_.Label4Left(), view_.Label4Top());
    view_.SetPanelVisible(Panel::Prompt, true);
    view_.SetFocus(Focus::PromptBox);
    const bool includeFree = view_.FreeCheckValue() == 1;
    const ProblemSections sections{view_.Text(TextBox::Problem), view_.Text(TextBox::Free),
                                   view_.Text(TextBox::Paid)};
    // Both variants fill "#NICHE#" with the niche's name.
    view_.SetText(TextBox::Prompt, ComposePrompt(roots_, includeFree, txtActiveNicheText_,
                                                 txtActiveSubnicheText_, sections));
  });
}

void frmMain::lblClose_Click() {
  RunEvent([this] {
    // The focus goes back to what opened the panel now closed.
    if (view_.IsPanelVisible(Panel::Prompt)) {
      view_.SetPanelVisible(Panel::Prompt, false);
      view_.SetFocus(Focus::GenerateButton);
    } else {
      view_.SetPanelVisible(Panel::Niche, false);
      view_.SetFocus(Focus::Region, std::max(0, SubnicheIndex()));
    }
  });
}

void frmMain::lblCopyToClipboard_Click() {
  RunEvent([this] {
    const std::string prompt = view_.Text(TextBox::Prompt);
    view_.ClearClipboard();
    view_.PutOnClipboard(prompt);
    view_.ShowMessage(kCopiedMessage, kCopiedTitle);
  });
}

void frmMain::lblHelp_Click() {
  RunEvent([this] { view_.ShowHelpWindow(); });
  Form_Activate();
}

void frmMain::lblInstructions_Click() {
  RunEvent([this] { view_.ShowInstructionsWindow(); });
  Form_Activate();
}

int frmMain::CurrentNiche() const {
  const NicheEntry* niche = LookupNiche(txtMenuIndex_);
  return niche != nullptr ? niche->menuIndex : -1;
}

int frmMain::SubnicheIndex() const {
  for (std::size_t j = 0; j < kSubnicheCount; ++j) {
    if (txtActiveSubniche_ == std::to_string(j)) return static_cast<int>(j);
  }
  return -1;
}

void frmMain::ChooseNiche(int index) {
  if (index < 0 || index >= static_cast<int>(kNicheCount)) return;
  // Otherwise a list of the old niche would stay in view while its entries are looked for
  // below the new one.
  RunEvent([this] {
    view_.SetPanelVisible(Panel::Prompt, false);
    view_.SetPanelVisible(Panel::Niche, false);
  });
  lblMenu_Click(index);
  RunEvent([this] { view_.SetFocus(Focus::Region, 0); });
}

void frmMain::RegionKey(int index) {
  if (!view_.IsPanelVisible(Panel::Niche)) lblItem_Click(index);
}

void frmMain::GenerateKey() {
  if (view_.IsPanelVisible(Panel::Niche) && !view_.IsPanelVisible(Panel::Prompt)) {
    cmdGenerate_Click();
  }
}

void frmMain::CopyKey() {
  if (view_.IsPanelVisible(Panel::Niche) && view_.IsPanelVisible(Panel::Prompt)) {
    lblCopyToClipboard_Click();
  }
}

void frmMain::CloseKey() {
  if (view_.IsPanelVisible(Panel::Niche)) lblClose_Click();
}

std::filesystem::path frmMain::UserProblemFolder() const {
  if (userDir_.empty()) {
    throw Failure("Your own problems have no folder: neither XDG_DATA_HOME nor HOME names one.");
  }
  return ProblemFolderPath(userDir_, txtMenuIndex_, txtActiveSubniche_);
}

void frmMain::SaveAsMyProblem() {
  RunEvent([this] {
    if (!view_.IsPanelVisible(Panel::Niche) || SubnicheIndex() < 0) return;
    const std::filesystem::path folder = UserProblemFolder();
    const ProblemToSave problem = PrepareProblem(
        view_.Text(TextBox::Problem), view_.Text(TextBox::Free), view_.Text(TextBox::Paid));
    const std::string file = ProblemFileText(problem.sections);  // refused before asking

    const int selected = view_.SelectedProblem();
    std::string name = selected >= 0 && static_cast<std::size_t>(selected) < problems_.size()
                           ? problems_[static_cast<std::size_t>(selected)].name
                           : std::string();
    std::filesystem::path path;
    for (;;) {
      const std::optional<std::string> answer =
          view_.AskProblemName(name, problem.emptyLinesDropped);
      if (!answer) return;
      name = *answer;
      if (const std::optional<std::string> error = ProblemNameError(name)) {
        view_.ShowWarning(*error);
        continue;
      }
      path = folder / (name + ".txt");
      std::error_code ignored;
      const bool exists = std::filesystem::symlink_status(path, ignored).type() !=
                          std::filesystem::file_type::not_found;
      if (!exists || view_.Confirm("You already have a problem named \"" + name + "\" in " +
                                   txtActiveSubnicheText_ + ". Replace it?")) {
        break;
      }
    }
    WriteFileAtomically(path, file);

    // The list as it now is, the saved problem selected and read back.
    ListProblemsOfSubniche();
    const auto saved = std::find_if(problems_.begin(), problems_.end(), [&](const ProblemEntry& e) {
      return e.root == 0 && e.fileName == path.filename().string();
    });
    if (!view_.IsPanelVisible(Panel::Prompt)) view_.SetFocus(Focus::ProblemList);  // not covered
    if (saved != problems_.end()) view_.SelectProblem(static_cast<int>(saved - problems_.begin()));
  });
}

void frmMain::OpenMyProblemsFolder() {
  RunEvent([this] {
    if (!view_.IsPanelVisible(Panel::Niche) || SubnicheIndex() < 0) return;
    const std::filesystem::path folder = UserProblemFolder();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
      throw Failure("Could not make the folder \"" + DisplayPath(folder) +
                    "\": " + error.message() + ".");
    }
    view_.OpenFolder(folder);
  });
}

}  // namespace veltrane
