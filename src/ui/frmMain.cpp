#include "ui/frmMain.h"

#include <cstdio>
#include <exception>
#include <utility>

#include "content/ContentPaths.h"
#include "content/Failure.h"
#include "content/ProblemReader.h"
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

frmMain::frmMain(MainWindowView& view, std::filesystem::path appDir)
    : view_(view), appDir_(std::move(appDir)) {}

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

bool frmMain::Form_Load() {
  return RunEvent([this] {
    SelectNiche(0);
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
  view_.ShowPicture(NicheImagePath(appDir_, menuIndex));
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

    problems_.clear();
    view_.ClearProblemList();
    problems_ = ListProblems(appDir_, txtMenuIndex_, txtActiveSubniche_);
    for (const ProblemEntry& problem : problems_) view_.AddProblem(problem.name);

    const std::string& tag = regionTags_[static_cast<std::size_t>(Index)];
    txtActiveSubnicheText_ = tag;
    view_.SetSelectedNicheCaption("Niche: " + tag);
    view_.SetPanelVisible(Panel::Niche, true);
    // No other subniche's problem may reach a prompt: not when the list is empty, nor when its
    // first problem cannot be read.
    view_.SetText(TextBox::Problem, "");
    view_.SetText(TextBox::Free, "");
    view_.SetText(TextBox::Paid, "");
    if (!problems_.empty()) view_.SelectProblem(0);
    CenterNichePanel();
  });
}

void frmMain::lstProblems_Click() {
  RunEvent([this] {
    const int selected = view_.SelectedProblem();
    if (selected < 0 || static_cast<std::size_t>(selected) >= problems_.size()) return;
    const std::filesystem::path file =
        ProblemFolderPath(appDir_, txtMenuIndex_, txtActiveSubniche_) /
        problems_[static_cast<std::size_t>(selected)].fileName;
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
    const bool includeFree = view_.FreeCheckValue() == 1;
    const ProblemSections sections{view_.Text(TextBox::Problem), view_.Text(TextBox::Free),
                                   view_.Text(TextBox::Paid)};
    // Both variants fill "#NICHE#" with the niche's name.
    view_.SetText(TextBox::Prompt, ComposePrompt(appDir_, includeFree, txtActiveNicheText_,
                                                 txtActiveSubnicheText_, sections));
  });
}

void frmMain::lblClose_Click() {
  RunEvent([this] {
    if (view_.IsPanelVisible(Panel::Prompt)) {
      view_.SetPanelVisible(Panel::Prompt, false);
    } else {
      view_.SetPanelVisible(Panel::Niche, false);
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

}  // namespace veltrane
