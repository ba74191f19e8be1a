#include "ui/frmMain.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <utility>

#include "content/ContentPaths.h"
#include "content/Failure.h"
#include "content/NameFold.h"
#include "content/ProblemReader.h"
#include "content/ProblemWriter.h"
#include "content/TextEncoding.h"
#include "content/TextFile.h"
#include "prompt/ComposePrompt.h"
#include "ui/FormLayout.h"

namespace veltrane {
namespace {

constexpr float kMarkerOffset = 50.0f;  // the marker sits a little below its menu entry's top
constexpr const char* kCopiedMessage = "Done! Prompt copied to clipboard.";
constexpr const char* kCopiedTitle = "Done";
// Only a Failure speaks to the user; anything else is a fault of the program, whose details
// mean nothing to them.
constexpr const char* kNotCompleted = "The action could not be completed.";
constexpr const char* kSaveTitle = "Save as My Problem";

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

void frmMain::Form_Resize() {
  Form_Activate();
  RunEvent([this] {
    if (view_.IsPanelVisible(Panel::Niche)) CenterNichePanel();
  });
}

void frmMain::lblMenu_Click(int Index) {
  RunEvent([this, Index] { SelectNiche(Index); });
}

void frmMain::SelectNiche(int index) {
  if (index < 0 || index >= static_cast<int>(kNicheCount)) return;
  const std::string menuIndex = std::to_string(index);
  // A picture of the user's that cannot be shown is reported, and the next one is shown.
  const std::vector<NichePicture> pictures = NichePictureChoices(roots_, menuIndex);
  for (std::size_t i = 0;; ++i) {
    try {
      view_.ShowPicture(pictures[i]);
      break;
    } catch (const Failure& failure) {
      if (i + 1 == pictures.size()) throw;
      view_.ReportFailure(std::string(failure.what()) + " The picture " +
                          (i + 2 == pictures.size() ? "that comes with Veltrane" : "next in line") +
                          " is shown instead.");
    }
  }
  txtMenuIndex_ = menuIndex;
  view_.SetMarkerTop(view_.MenuEntryTop(index) + kMarkerOffset);
  const NicheEntry& niche = NicheCatalog()[static_cast<std::size_t>(index)];
  view_.SetPictureName(std::string(niche.name) + ": choose a subniche");
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
    KeepDraft();
    ClearBoxes();  // even when the listing below fails
    txtActiveSubniche_ = std::to_string(Index);
    LoadSubnicheTags();

    ListProblemsOfSubniche();

    const std::string& tag = regionTags_[static_cast<std::size_t>(Index)];
    txtActiveSubnicheText_ = tag;
    view_.SetSelectedNicheCaption("Niche: " + tag);
    // Types are folders of the content, which may change while the program runs.
    const std::vector<ArticleType> types = ListArticleTypes(roots_);
    if (std::none_of(types.begin(), types.end(),
                     [this](const ArticleType& t) { return t.key == articleType_; })) {
      articleType_.clear();
    }
    view_.SetArticleTypes(types, articleType_);
    view_.SetPanelVisible(Panel::Niche, true);
    view_.SetFocus(Focus::ProblemList);
    // No other subniche's problem may reach a prompt: not when the list is empty, nor when its
    // first problem cannot be read.
    ClearBoxes();
    if (!problems_.empty()) view_.SelectProblem(0);
    CenterNichePanel();
  });
}

void frmMain::ListProblemsOfSubniche() {
  problems_.clear();
  view_.ClearProblemList();
  problems_ = ListProblems(roots_, txtMenuIndex_, txtActiveSubniche_);
  for (const ProblemEntry& problem : problems_) view_.AddProblem(problem.name, MarksOf(problem));
}

std::filesystem::path frmMain::ProblemPath(const ProblemEntry& problem) const {
  return ProblemFolderPath(roots_.at(problem.root), txtMenuIndex_, txtActiveSubniche_) /
         problem.fileName;
}

const ProblemEntry* frmMain::SelectedEntry() const {
  const int selected = view_.SelectedProblem();
  if (selected < 0 || static_cast<std::size_t>(selected) >= problems_.size()) return nullptr;
  return &problems_[static_cast<std::size_t>(selected)];
}

ProblemMarks frmMain::MarksOf(const ProblemEntry& problem) const {
  return {drafts_.contains(ProblemPath(problem)), !userDir_.empty() && problem.root == 0};
}

ProblemSections frmMain::BoxTexts() const {
  return {view_.Text(TextBox::Problem), view_.Text(TextBox::Free), view_.Text(TextBox::Paid)};
}

void frmMain::KeepDraft() {
  if (shownPath_.empty()) return;
  ProblemSections texts = BoxTexts();
  const bool wasEdited = drafts_.contains(shownPath_);
  const bool edited = texts != shownFromFile_;
  if (edited) {
    drafts_.insert_or_assign(shownPath_, Draft{std::move(texts), shownFromFile_});
  } else {
    drafts_.erase(shownPath_);
  }
  if (edited == wasEdited) return;
  for (std::size_t i = 0; i < problems_.size(); ++i) {
    if (ProblemPath(problems_[i]) == shownPath_) {
      view_.SetProblemMarks(static_cast<int>(i), MarksOf(problems_[i]));
    }
  }
}

void frmMain::ForgetShownProblem() {
  shownPath_.clear();
  shownFromFile_ = {};
}

void frmMain::lstProblems_Click() {
  RunEvent([this] {
    KeepDraft();
    ShowSelectedProblem();
  });
}

void frmMain::ClearBoxes() {
  ForgetShownProblem();
  view_.SetText(TextBox::Problem, "");
  view_.SetText(TextBox::Free, "");
  view_.SetText(TextBox::Paid, "");
}

void frmMain::ShowSelectedProblem() {
  // Nothing of the problem left may stay in the boxes, even when this one cannot be read.
  ClearBoxes();
  const ProblemEntry* problem = SelectedEntry();
  if (problem == nullptr) return;
  const std::filesystem::path path = ProblemPath(*problem);
  if (const auto draft = drafts_.find(path); draft != drafts_.end()) {
    view_.SetText(TextBox::Problem, draft->second.texts.problemText);
    view_.SetText(TextBox::Free, draft->second.texts.freeText);
    view_.SetText(TextBox::Paid, draft->second.texts.paidText);
    shownFromFile_ = draft->second.fromFile;
  } else {
    bool hasAnyBlock = true;
    const ProblemSections sections = ReadProblemFile(path, hasAnyBlock);
    view_.SetText(TextBox::Problem, sections.problemText);
    view_.SetText(TextBox::Free, sections.freeText);
    view_.SetText(TextBox::Paid, sections.paidText);
    // As the boxes hold them: that is what an edit is measured against.
    shownFromFile_ = BoxTexts();
    shownPath_ = path;
    // Shown rather than an empty problem without a word.
    if (!hasAnyBlock) {
      view_.ShowWarning("The file \"" + DisplayPath(path) +
                            "\" has no [PROBLEM], [FREE] or [PAID] block, so its texts are empty. "
                            "The markers must stand in capitals on lines of their own.",
                        std::string(form::kMainTitle));
    }
    return;
  }
  shownPath_ = path;
}

void frmMain::ProblemTextEdited() {
  RunEvent([this] { KeepDraft(); });
}

bool frmMain::SelectedHasEdits() const {
  const ProblemEntry* problem = SelectedEntry();
  return problem != nullptr && drafts_.contains(ProblemPath(*problem));
}

bool frmMain::SelectedIsMine() const {
  const ProblemEntry* problem = SelectedEntry();
  return problem != nullptr && MarksOf(*problem).mine;
}

void frmMain::RevertToFile() {
  RunEvent([this] {
    const ProblemEntry* problem = SelectedEntry();
    if (problem == nullptr || !view_.IsPanelVisible(Panel::Niche)) return;
    const int index = view_.SelectedProblem();
    drafts_.erase(ProblemPath(*problem));
    view_.SetProblemMarks(index, MarksOf(*problem));
    ShowSelectedProblem();
  });
}

bool frmMain::Form_QueryUnload() {
  bool mayClose = true;
  RunEvent([this, &mayClose] {
    KeepDraft();
    if (drafts_.empty()) return;
    const std::size_t count = drafts_.size();
    mayClose =
        view_.Confirm(count == 1 ? std::string("Discard your edits of 1 problem?")
                                 : "Discard your edits of " + std::to_string(count) + " problems?",
                      "Discard");
  });
  return mayClose;
}

void frmMain::cmdGenerate_Click() {
  RunEvent([this] {
    // Composed first: when that fails, no earlier prompt stays to be read or copied.
    view_.SetText(TextBox::Prompt, "");
    const bool includeFree = view_.FreeCheckValue() == 1;
    const std::string prompt =
        ComposePrompt(roots_, includeFree, txtActiveNicheText_, txtActiveSubnicheText_, BoxTexts(),
                      articleType_, CurrentArticleOptions());
    view_.SetPromptPanelPosition(view_.Label4Left(), view_.Label4Top());
    view_.SetPanelVisible(Panel::Prompt, true);
    view_.SetFocus(Focus::PromptBox);
    view_.SetText(TextBox::Prompt, prompt);
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
    // Not emptied first: a clipboard that will not take the prompt keeps what the user had.
    view_.PutOnClipboard(view_.Text(TextBox::Prompt));
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

void frmMain::OpenProblem(int niche, int subniche, const std::string& name) {
  if (niche < 0 || niche >= static_cast<int>(kNicheCount) || subniche < 0 ||
      subniche >= static_cast<int>(kSubnicheCount)) {
    return;
  }
  if (niche != CurrentNiche()) {
    ChooseNiche(niche);
    if (niche != CurrentNiche()) return;  // its picture failed: the old niche's list would do
  } else {
    RunEvent([this] { view_.SetPanelVisible(Panel::Prompt, false); });  // an old prompt
  }
  lblItem_Click(subniche);
  RunEvent([this, subniche, &name] {
    if (SubnicheIndex() != subniche || !view_.IsPanelVisible(Panel::Niche)) return;
    const auto found = std::find_if(problems_.begin(), problems_.end(),
                                    [&name](const ProblemEntry& e) { return e.name == name; });
    const int row = static_cast<int>(found - problems_.begin());
    if (found != problems_.end() && row != view_.SelectedProblem()) view_.SelectProblem(row);
  });
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
      const std::variant<std::string, NameRefusal> checked = CheckProblemName(name);
      if (const auto* refusal = std::get_if<NameRefusal>(&checked)) {
        view_.ShowWarning(refusal->reason, kSaveTitle);
        continue;
      }
      name = std::get<std::string>(checked);  // trimmed
      // Any letter case, and any spelling on disk, of a name already there is that file.
      const std::optional<std::string> existing = FindProblemFile(folder, name);
      path = folder / existing.value_or(name + ".txt");
      if (existing) {
        if (view_.Confirm("You already have a problem named \"" + name + "\" in " +
                              txtActiveSubnicheText_ + ". Replace it?",
                          "Replace")) {
          break;
        }
      } else if (OverridesShipped(roots_, txtMenuIndex_, txtActiveSubniche_, name)) {
        if (view_.Confirm("\"" + name +
                              "\" is also a problem that comes with Veltrane. Your copy " +
                              "will be listed instead of it; the file that comes with Veltrane " +
                              "stays as it is, and comes back if you remove your copy.",
                          "Save My Copy")) {
          break;
        }
      } else {
        break;
      }
    }
    WriteFileAtomically(path, file);
    // The edits are in a file now: neither the problem they came from nor the one replaced
    // holds a draft any longer.
    drafts_.erase(path);
    if (const ProblemEntry* source = SelectedEntry()) drafts_.erase(ProblemPath(*source));
    ForgetShownProblem();

    // The list as it now is, the saved problem selected and read back.
    ListProblemsOfSubniche();
    const auto saved = std::find_if(problems_.begin(), problems_.end(), [&](const ProblemEntry& e) {
      return e.root == 0 && e.fileName == path.filename().string();
    });
    if (!view_.IsPanelVisible(Panel::Prompt)) view_.SetFocus(Focus::ProblemList);  // not covered
    if (saved != problems_.end()) view_.SelectProblem(static_cast<int>(saved - problems_.begin()));
  });
}

void frmMain::RemoveMyProblem() {
  RunEvent([this] {
    const ProblemEntry* problem = SelectedEntry();
    if (problem == nullptr || !MarksOf(*problem).mine || !view_.IsPanelVisible(Panel::Niche)) {
      return;
    }
    const std::string name = problem->name;
    const std::filesystem::path path = ProblemPath(*problem);
    const std::vector<ProblemEntry> shipped =
        ListProblems(ContentRoots{roots_.back()}, txtMenuIndex_, txtActiveSubniche_);
    const bool comesBack = std::any_of(shipped.begin(), shipped.end(), [&](const ProblemEntry& e) {
      return SameName(e.name, name);
    });
    std::string question = "Move your problem \"" + name + "\" to the trash?";
    if (comesBack) {
      question += " The problem of that name that comes with Veltrane will be listed again.";
    }
    if (!view_.Confirm(question, "Move to Trash")) return;
    view_.MoveToTrash(path);
    drafts_.erase(path);
    ForgetShownProblem();

    const int row = view_.SelectedProblem();
    ListProblemsOfSubniche();
    if (problems_.empty()) {
      ShowSelectedProblem();  // empties the boxes
      return;
    }
    const auto same = std::find_if(problems_.begin(), problems_.end(),
                                   [&](const ProblemEntry& e) { return SameName(e.name, name); });
    const int next = same != problems_.end()
                         ? static_cast<int>(same - problems_.begin())
                         : std::min(row, static_cast<int>(problems_.size()) - 1);
    view_.SelectProblem(next);
  });
}

void frmMain::ChooseArticleType(const std::string& key) {
  articleType_ = key;
}

const ArticleOptions& frmMain::CurrentArticleOptions() {
  if (!options_) options_ = view_.LoadArticleOptions();
  return *options_;
}

void frmMain::ArticleOptionsClick() {
  RunEvent([this] {
    ArticleOptions asked = CurrentArticleOptions();
    for (;;) {
      const std::optional<ArticleOptions> answer = view_.AskArticleOptions(asked);
      if (!answer) return;
      asked = *answer;
      if (const std::optional<std::string> error = ArticleOptionsError(asked)) {
        view_.ShowWarning(*error, "Article Options");
        continue;
      }
      break;
    }
    if (asked == *options_) return;  // written only when changed
    options_ = asked;
    view_.SaveArticleOptions(asked);
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
