// Random sequences of window events, with content files changing between them, each step
// checked against a model of what the window should show.
#include <sys/stat.h>

#include <gtest/gtest.h>
#include <rapidcheck.h>
#include <rapidcheck/state.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "content/NicheCatalog.h"
#include "content/ProblemListing.h"
#include "content/ProblemReader.h"
#include "support/ContentTree.h"
#include "support/ReferenceReplace.h"
#include "ui/FakeView.h"
#include "ui/frmMain.h"

namespace veltrane {
namespace {
namespace fs = std::filesystem;
using test::FakeView;
using test::ReferenceFill;
using test::ReferenceReplace;

constexpr int kSequences = 1000;
constexpr std::string_view kBom = "\xEF\xBB\xBF";

// --- Texts the generated files and edits are made of

// Each word in UTF-8 and, where the test may save it as Windows-1252, in that encoding. The
// Windows-1252 forms use only bytes 0x80 to 0xBF, which no UTF-8 text can start with, so such
// a file is never mistaken for UTF-8.
struct Word {
  std::string_view utf8;
  std::string_view cp1252;  // empty: written in UTF-8 only
};
constexpr Word kWords[] = {
    {"alpha", "alpha"},
    {"Beta", "Beta"},
    {"x: y", "x: y"},
    {"#NICHE#", "#NICHE#"},
    {"#SUBNICHE#", "#SUBNICHE#"},
    {"#PROBLEM#", "#PROBLEM#"},
    {"#FREE#", "#FREE#"},
    {"#PAID#", "#PAID#"},
    {"#NICHE", "#NICHE"},
    {"#", "#"},
    {"5 \xE2\x82\xAC", "5 \x80"},
    {"\xE2\x80\x9Cq\xE2\x80\x9D", "\x93q\x94"},
    {"\xC2\xB1 1", "\xB1 1"},
    {"caf\xC3\xA9", ""},
    {"\xF0\x9F\x98\x80", ""},
};

enum class Encoding { Utf8, Utf8Bom, Windows1252 };

const char* Describe(Encoding encoding) {
  switch (encoding) {
    case Encoding::Utf8:
      return "UTF-8";
    case Encoding::Utf8Bom:
      return "UTF-8 with BOM";
    case Encoding::Windows1252:
      return "Windows-1252";
  }
  return "?";
}

struct TwoForms {
  std::string shown;    // as the window should show it (UTF-8, CR LF)
  std::string encoded;  // as saved, before line ends and BOM
};

// Words joined by a space, nothing or a line break; two line breaks in a row only where
// allowed, as they would end a problem file's block. Runs inside a generator.
TwoForms GenWords(Encoding encoding, bool blankLines) {
  std::vector<const Word*> words;
  for (const Word& word : kWords) {
    if (encoding != Encoding::Windows1252 || !word.cp1252.empty()) words.push_back(&word);
  }
  TwoForms text;
  const int count = *rc::gen::inRange(0, 9);
  for (int i = 0; i < count; ++i) {
    if (i > 0) {
      const std::string separator =
          blankLines ? *rc::gen::element<std::string>(" ", "", "\r\n", "\r\n\r\n")
                     : *rc::gen::element<std::string>(" ", "", "\r\n");
      text.shown += separator;
      text.encoded += separator;
    }
    const Word* word = *rc::gen::elementOf(words);
    text.shown += word->utf8;
    text.encoded += encoding == Encoding::Windows1252 ? word->cp1252 : word->utf8;
  }
  return text;
}

std::string Saved(std::string encoded, Encoding encoding, bool lineFeedsOnly) {
  if (lineFeedsOnly) encoded = ReferenceReplace(encoded, "\r\n", "\n");
  if (encoding == Encoding::Utf8Bom) encoded.insert(0, kBom);
  return encoded;
}

struct ContentFile {
  std::string bytes;
  std::string shown;         // a template's text as read
  ProblemSections sections;  // a problem file's texts as the boxes should show them
  std::string about;
};

// A problem file in the writers' shape: some of the three sections, in any order, blocks
// separated by an empty line, with or without a final line break.
rc::Gen<ContentFile> GenProblemFile() {
  return rc::gen::exec([] {
    const Encoding encoding =
        *rc::gen::element(Encoding::Utf8, Encoding::Utf8Bom, Encoding::Windows1252);
    const bool lineFeedsOnly = *rc::gen::arbitrary<bool>();
    const std::string ending = *rc::gen::element<std::string>("", "\r\n");
    std::vector<std::array<int, 3>> orders;
    std::array<int, 3> order{0, 1, 2};
    do orders.push_back(order);
    while (std::next_permutation(order.begin(), order.end()));
    order = *rc::gen::elementOf(orders);

    static constexpr std::string_view kMarkerLines[] = {"[PROBLEM]\r\n", "[FREE]\r\n",
                                                        "[PAID]\r\n"};
    std::array<std::string, 3> shown;
    std::string encoded;
    int last = -1;
    for (const int section : order) {
      if (!*rc::gen::weightedElement<bool>({{4, true}, {1, false}})) continue;
      const TwoForms body = GenWords(encoding, false);
      if (last >= 0) encoded += "\r\n\r\n";
      encoded.append(kMarkerLines[section]).append(body.encoded);
      shown[static_cast<std::size_t>(section)] = body.shown;
      last = section;
    }
    encoded += ending;
    // The final line break belongs to the last section, unless it closes an empty one.
    if (last >= 0 && !shown[static_cast<std::size_t>(last)].empty()) {
      shown[static_cast<std::size_t>(last)] += ending;
    }
    ContentFile file;
    file.bytes = Saved(encoded, encoding, lineFeedsOnly);
    file.sections = {shown[0], shown[1], shown[2]};
    file.about = std::string(Describe(encoding)) + (lineFeedsOnly ? ", LF" : ", CR LF");
    return file;
  });
}

// Templates are read as they are: their line ends stay.
rc::Gen<ContentFile> GenTemplate() {
  return rc::gen::exec([] {
    const Encoding encoding =
        *rc::gen::element(Encoding::Utf8, Encoding::Utf8Bom, Encoding::Windows1252);
    const bool lineFeedsOnly = *rc::gen::arbitrary<bool>();
    const TwoForms text = GenWords(encoding, true);
    ContentFile file;
    file.bytes = Saved(text.encoded, encoding, lineFeedsOnly);
    file.shown = lineFeedsOnly ? ReferenceReplace(text.shown, "\r\n", "\n") : text.shown;
    file.about = std::string(Describe(encoding)) + (lineFeedsOnly ? ", LF" : ", CR LF");
    return file;
  });
}

rc::Gen<std::string> GenEdit() {
  return rc::gen::map(rc::gen::container<std::vector<std::string>>(rc::gen::element<std::string>(
                          "alpha", " ", "\r\n", "\r\n\r\n", "[", "[PAID]", "#NICHE#", "#SUBNICHE#",
                          "#PROBLEM#", "#FREE#", "#PAID#", "caf\xC3\xA9")),
                      [](const std::vector<std::string>& parts) {
                        std::string text;
                        for (const std::string& part : parts) text += part;
                        return text;
                      });
}

std::string Printable(std::string_view bytes) {
  std::ostringstream out;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && c != '\\') {
      out << c;
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out << "\\x" << kHex[b >> 4] << kHex[b & 15];
    }
  }
  return out.str();
}

// --- The model

// Names the files in a subniche folder get, with the name the list should show for each.
struct PoolName {
  std::string_view file;
  std::string_view shownFile;  // as a message or the list spells it
};
constexpr PoolName kNames[] = {
    {"a.txt", "a.txt"},
    {"a.TXT", "a.TXT"},
    {"B.txt", "B.txt"},
    {"Problem 2.txt", "Problem 2.txt"},
    {"problem 10.Txt", "problem 10.Txt"},
    {"x1.txt", "x1.txt"},
    {"X01.txt", "X01.txt"},
    {"Caf\xC3\xA9.txt", "Caf\xC3\xA9.txt"},
    {"\xE9t\xE9.txt", "\xC3\xA9t\xC3\xA9.txt"},  // not UTF-8: read as Windows-1252
    {".h.txt", ".h.txt"},
    {"notes.md", "notes.md"},
};

const PoolName& FindName(std::string_view file) {
  for (const PoolName& name : kNames) {
    if (name.file == file) return name;
  }
  throw std::logic_error("a name outside the pool");
}

struct Entry {
  enum class Kind { Problem, Folder, Fifo, Link } kind = Kind::Problem;
  ProblemSections sections;  // Problem
  std::string target;        // Link: a name in the same folder
};
using FolderKey = std::pair<int, int>;  // niche, subniche
using FolderEntries = std::map<std::string, Entry>;

// Subniche folders the content changes touch; other folders stay missing.
const std::vector<FolderKey> kFolders = {{0, 0}, {0, 2}, {1, 2}, {1, 5}};

struct TemplateState {
  enum class Kind { Missing, File, Folder } kind = Kind::File;
  std::string shown;
};

struct Model {
  std::string appDir;
  std::map<FolderKey, FolderEntries> folders;
  std::array<TemplateState, 2> templates;  // by includeFree
  std::array<bool, kNicheCount> pictures{};

  // What the controller holds.
  std::string menuIndex;
  std::string subniche;
  std::string nicheText;
  std::string subnicheText;
  std::array<std::string, kSubnicheCount> regionTags;
  std::vector<ProblemEntry> problems;
  // Unsaved edits by problem file, and the problem the boxes show with its file's texts.
  std::map<std::string, std::pair<ProblemSections, ProblemSections>> drafts;
  std::string shownPath;
  ProblemSections shownFromFile;

  // What the window should show; only its recorded fields are used.
  FakeView view;
};

std::string FolderPath(const Model& m, const FolderKey& key) {
  return m.appDir + "/niches/" + std::to_string(key.first) + "/" + std::to_string(key.second);
}

std::string ReadFailure(const std::string& path, const std::string& reason) {
  return "Could not read the file \"" + path + "\": " + reason + ".";
}

bool EndsInTxt(std::string_view name) {
  if (name.size() < 4) return false;
  std::string ext(name.substr(name.size() - 4));
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".txt";
}

// The file's sections, or why it cannot be read. Links are followed as the system does; going
// round in a circle is what ELOOP reports.
std::variant<ProblemSections, std::string> Resolve(const Model& m, const FolderKey& key,
                                                   std::string name) {
  const auto folder = m.folders.find(key);
  std::set<std::string> followed;
  for (;;) {
    if (folder == m.folders.end()) return std::string(std::strerror(ENOENT));
    const auto entry = folder->second.find(name);
    if (entry == folder->second.end()) return std::string(std::strerror(ENOENT));
    switch (entry->second.kind) {
      case Entry::Kind::Problem:
        return entry->second.sections;
      case Entry::Kind::Folder:
        return std::string("it is a folder, not a file");
      case Entry::Kind::Fifo:
        return std::string("it is not a regular file");
      case Entry::Kind::Link:
        if (!followed.insert(name).second) return std::string(std::strerror(ELOOP));
        name = entry->second.target;
        break;
    }
  }
}

std::vector<ProblemEntry> Listing(const Model& m, const FolderKey& key) {
  std::vector<ProblemEntry> entries;
  const auto folder = m.folders.find(key);
  if (folder == m.folders.end()) return entries;
  for (const auto& [file, entry] : folder->second) {
    if (file.starts_with('.') || !EndsInTxt(file)) continue;
    if (!std::holds_alternative<ProblemSections>(Resolve(m, key, file))) continue;
    const std::string_view shown = FindName(file).shownFile;
    entries.push_back({std::string(shown.substr(0, shown.size() - 4)), file});
  }
  std::sort(entries.begin(), entries.end(), [](const ProblemEntry& a, const ProblemEntry& b) {
    return a.name != b.name ? NaturalLess(a.name, b.name) : a.fileName < b.fileName;
  });
  return entries;
}

ProblemSections BoxTexts(const Model& m) {
  return {m.view.Text(TextBox::Problem), m.view.Text(TextBox::Free), m.view.Text(TextBox::Paid)};
}

void ShowInBoxes(Model& m, const ProblemSections& sections) {
  m.view.texts[TextBox::Problem] = sections.problemText;
  m.view.texts[TextBox::Free] = sections.freeText;
  m.view.texts[TextBox::Paid] = sections.paidText;
}

// What the boxes hold is kept as the shown problem's draft when it differs from its file.
void LeaveShownProblem(Model& m) {
  if (!m.shownPath.empty()) {
    const ProblemSections now = BoxTexts(m);
    if (now != m.shownFromFile) {
      m.drafts[m.shownPath] = {now, m.shownFromFile};
    } else {
      m.drafts.erase(m.shownPath);
    }
  }
  m.shownPath.clear();
  ShowInBoxes(m, {});
}

// The list entry's file is looked for below the niche chosen now, which a menu click may have
// changed since the list was filled. A draft of it comes before the file.
void SelectInModel(Model& m, int index) {
  m.view.selected = index;
  ++m.view.selectionRuns;
  LeaveShownProblem(m);
  const FolderKey key{std::stoi(m.menuIndex), std::stoi(m.subniche)};
  const std::string& file = m.problems[static_cast<std::size_t>(index)].fileName;
  const std::string path = FolderPath(m, key) + "/" + file;
  if (const auto draft = m.drafts.find(path); draft != m.drafts.end()) {
    ShowInBoxes(m, draft->second.first);
    m.shownFromFile = draft->second.second;
    m.shownPath = path;
    return;
  }
  const auto result = Resolve(m, key, file);
  if (const auto* reason = std::get_if<std::string>(&result)) {
    m.view.failures.push_back(
        ReadFailure(FolderPath(m, key) + "/" + std::string(FindName(file).shownFile), *reason));
    return;
  }
  ShowInBoxes(m, std::get<ProblemSections>(result));
  m.shownFromFile = std::get<ProblemSections>(result);
  m.shownPath = path;
}

std::string PicturePath(const Model& m, int index) {
  return m.appDir + "/images/" + std::to_string(index) + ".jpg";
}

std::string TemplatePathText(const Model& m, bool includeFree) {
  return m.appDir + "/templates/" + (includeFree ? "template-free.txt" : "template.txt");
}

const std::string kFirstTemplate = "N=#NICHE# S=#SUBNICHE# P=#PROBLEM# F=#FREE# A=#PAID#";
// A subniche that has problems from the start, so early steps already read files.
const std::vector<std::pair<std::string, std::string>> kFirstProblems = {
    {"a.txt", "[PROBLEM]\r\nSlow.\r\n\r\n[FREE]\r\nChecker\r\n\r\n[PAID]\r\nHost"},
    {"Problem 2.txt", "[PAID]\nA\nB\n"},
};

// --- The program under test

struct Sut {
  test::TempDir app;
  FakeView view;
  frmMain controller{view, app.path()};

  Sut() {
    view.controller = &controller;
    test::ContentTree tree(app);
    tree.Pictures("jpeg").Templates(kFirstTemplate, kFirstTemplate);
    for (const auto& [name, text] : kFirstProblems) tree.Problem("niches/0/2/" + name, text);
  }

  fs::path PathOf(const FolderKey& key, std::string_view name) const {
    return app.path() / "niches" / std::to_string(key.first) / std::to_string(key.second) /
           std::string(name);
  }
};

Model StartModel(const fs::path& appDir) {
  Model m;
  m.appDir = appDir.string();
  m.pictures.fill(true);
  m.templates = {TemplateState{TemplateState::Kind::File, kFirstTemplate},
                 TemplateState{TemplateState::Kind::File, kFirstTemplate}};
  m.folders[{0, 2}]["a.txt"] = Entry{Entry::Kind::Problem, {"Slow.", "Checker", "Host"}, ""};
  m.folders[{0, 2}]["Problem 2.txt"] = Entry{Entry::Kind::Problem, {"", "", "A\r\nB\r\n"}, ""};
  // Form_Load and Form_Activate have run: niche 0 chosen, the picture view alone.
  m.menuIndex = "0";
  m.view.picture = PicturePath(m, 0);
  m.view.markerTop = m.view.menuEntryTops[0] + 50;
  for (std::size_t j = 0; j < kSubnicheCount; ++j) {
    m.view.regionNames[j] = NicheCatalog()[0].subniches[j];
  }
  m.view.visible[Panel::Menu] = false;
  m.view.pictureLeft = m.view.outerWidth / 2 - m.view.pictureWidth / 2;
  return m;
}

void ExpectShown(const Model& m, const Sut& sut) {
  const FakeView& want = m.view;
  const FakeView& got = sut.view;
  RC_ASSERT(got.failures == want.failures);
  for (const Panel panel : {Panel::Menu, Panel::Niche, Panel::Prompt}) {
    RC_ASSERT(got.IsPanelVisible(panel) == want.IsPanelVisible(panel));
  }
  RC_ASSERT(got.picture == want.picture);
  RC_ASSERT(got.markerTop == want.markerTop);
  RC_ASSERT(got.pictureLeft == want.pictureLeft);
  RC_ASSERT(got.regionNames == want.regionNames);
  RC_ASSERT(got.caption == want.caption);
  RC_ASSERT(got.list == want.list);
  RC_ASSERT(got.selected == want.selected);
  RC_ASSERT(got.selectionRuns == want.selectionRuns);
  RC_ASSERT(got.nichePanelLeft == want.nichePanelLeft);
  RC_ASSERT(got.nichePanelTop == want.nichePanelTop);
  RC_ASSERT(got.promptPanelLeft == want.promptPanelLeft);
  RC_ASSERT(got.promptPanelTop == want.promptPanelTop);
  for (const TextBox box : {TextBox::Problem, TextBox::Free, TextBox::Paid, TextBox::Prompt}) {
    RC_ASSERT(got.Text(box) == want.Text(box));
  }
  RC_ASSERT(got.clipboard == want.clipboard);
  RC_ASSERT(got.messages == want.messages);
  RC_ASSERT(got.helpShown == want.helpShown);
  RC_ASSERT(got.instructionsShown == want.instructionsShown);
  RC_ASSERT(sut.controller.txtMenuIndex() == m.menuIndex);
  RC_ASSERT(sut.controller.txtActiveSubniche() == m.subniche);
  RC_ASSERT(sut.controller.txtActiveNicheText() == m.nicheText);
  RC_ASSERT(sut.controller.txtActiveSubnicheText() == m.subnicheText);
  for (int j = 0; j < static_cast<int>(kSubnicheCount); ++j) {
    RC_ASSERT(sut.controller.RegionTag(j) == m.regionTags[static_cast<std::size_t>(j)]);
  }
}

// --- Steps

std::map<std::string, int>& StepCounts() {
  static std::map<std::string, int> counts;
  return counts;
}

using Command = rc::state::Command<Model, Sut>;

// Plays the step on a copy of the model and on the program, then compares all that is shown.
struct Step : Command {
  virtual const char* Name() const = 0;
  virtual void Act(Sut& sut) const = 0;
  void run(const Model& before, Sut& sut) const final {
    ++StepCounts()[Name()];
    Model after = before;
    apply(after);
    Act(sut);
    ExpectShown(after, sut);
    Tally(before, after);
  }
  // What the runs reached, so a quiet pass can be told from one that tested little.
  void Tally(const Model& before, const Model& after) const {
    const std::string_view name = Name();
    if (after.view.failures.size() > before.view.failures.size()) {
      const std::string& message = after.view.failures.back();
      const std::size_t reason = message.rfind("\": ");
      ++StepCounts()["  failed: " +
                     (reason == std::string::npos ? message : message.substr(reason + 3))];
    } else if (name == "Generate") {
      ++StepCounts()["  prompt composed"];
    } else if (name == "SelectEntry" || name == "RegionClick") {
      if (after.view.selectionRuns > before.view.selectionRuns) ++StepCounts()["  problem read"];
    }
  }
  void show(std::ostream& os) const override { os << Name(); }
};

struct MenuClick : Step {
  int index = *rc::gen::weightedOneOf<int>(
      {{5, rc::gen::inRange(0, 2)}, {4, rc::gen::inRange(2, 6)}, {1, rc::gen::element(-1, 6)}});
  const char* Name() const override { return "MenuClick"; }
  void apply(Model& m) const override {
    if (index < 0 || index >= static_cast<int>(kNicheCount)) return;
    if (!m.pictures[static_cast<std::size_t>(index)]) {
      m.view.failures.push_back("Could not show the picture \"" + PicturePath(m, index) +
                                "\": no such file.");
      return;
    }
    m.view.picture = PicturePath(m, index);
    m.menuIndex = std::to_string(index);
    m.view.markerTop = m.view.menuEntryTops[static_cast<std::size_t>(index)] + 50;
    for (std::size_t j = 0; j < kSubnicheCount; ++j) {
      m.view.regionNames[j] = NicheCatalog()[static_cast<std::size_t>(index)].subniches[j];
    }
  }
  void Act(Sut& sut) const override { sut.controller.lblMenu_Click(index); }
  void show(std::ostream& os) const override { os << "MenuClick(" << index << ")"; }
};

struct RegionClick : Step {
  int index = *rc::gen::weightedOneOf<int>(
      {{6, rc::gen::element(0, 2, 5)}, {3, rc::gen::inRange(0, 8)}, {1, rc::gen::element(-1, 8)}});
  const char* Name() const override { return "RegionClick"; }
  void apply(Model& m) const override {
    if (index < 0 || index >= static_cast<int>(kSubnicheCount)) return;
    LeaveFirst(m);
    m.subniche = std::to_string(index);
    const int niche = std::stoi(m.menuIndex);
    const NicheEntry& entry = NicheCatalog()[static_cast<std::size_t>(niche)];
    m.nicheText = entry.name;
    for (std::size_t j = 0; j < kSubnicheCount; ++j) m.regionTags[j] = entry.subniches[j];
    m.problems = Listing(m, {niche, index});
    m.view.list.clear();
    for (const ProblemEntry& problem : m.problems) m.view.list.push_back(problem.name);
    m.view.selected = -1;
    m.subnicheText = m.regionTags[static_cast<std::size_t>(index)];
    m.view.caption = "Niche: " + m.subnicheText;
    m.view.visible[Panel::Niche] = true;
    if (!m.problems.empty()) SelectInModel(m, 0);
    m.view.nichePanelLeft = m.view.outerWidth / 2 - m.view.nichePanelWidth / 2;
    m.view.nichePanelTop = m.view.pictureTop;
  }
  void Act(Sut& sut) const override { sut.controller.lblItem_Click(index); }
  // Before anything of the new subniche.
  void LeaveFirst(Model& m) const { LeaveShownProblem(m); }
  void show(std::ostream& os) const override { os << "RegionClick(" << index << ")"; }
};

struct SelectEntry : Step {
  int index = 0;
  explicit SelectEntry(const Model& m) {
    RC_PRE(!m.view.list.empty());
    index = *rc::gen::inRange(0, static_cast<int>(m.view.list.size()));
  }
  const char* Name() const override { return "SelectEntry"; }
  void checkPreconditions(const Model& m) const override {
    RC_PRE(index < static_cast<int>(m.view.list.size()));
  }
  void apply(Model& m) const override { SelectInModel(m, index); }
  void Act(Sut& sut) const override { sut.view.UserSelects(index); }
  void show(std::ostream& os) const override { os << "SelectEntry(" << index << ")"; }
};

struct EditBox : Step {
  TextBox box = *rc::gen::element(TextBox::Problem, TextBox::Free, TextBox::Paid, TextBox::Prompt);
  std::string text = *GenEdit();
  const char* Name() const override { return "EditBox"; }
  void apply(Model& m) const override { m.view.texts[box] = text; }
  void Act(Sut& sut) const override { sut.view.texts[box] = text; }
  void show(std::ostream& os) const override {
    os << "EditBox(" << static_cast<int>(box) << ", \"" << Printable(text) << "\")";
  }
};

struct SetCheckBox : Step {
  int value = *rc::gen::inRange(0, 3);
  const char* Name() const override { return "SetCheckBox"; }
  void apply(Model& m) const override { m.view.freeCheck = value; }
  void Act(Sut& sut) const override { sut.view.freeCheck = value; }
  void show(std::ostream& os) const override { os << "SetCheckBox(" << value << ")"; }
};

struct Generate : Step {
  const char* Name() const override { return "Generate"; }
  void apply(Model& m) const override {
    // Composed first: a failure leaves the prompt box empty and the panel as it was.
    m.view.texts[TextBox::Prompt] = "";
    const bool includeFree = m.view.freeCheck == 1;
    const TemplateState& state = m.templates[includeFree ? 1 : 0];
    if (state.kind != TemplateState::Kind::File) {
      m.view.failures.push_back(
          ReadFailure(TemplatePathText(m, includeFree), state.kind == TemplateState::Kind::Missing
                                                            ? std::strerror(ENOENT)
                                                            : "it is a folder, not a file"));
      return;
    }
    std::vector<std::pair<std::string, std::string>> values{
        {"#NICHE#", m.nicheText},
        {"#SUBNICHE#", m.subnicheText},
        {"#PROBLEM#", m.view.Text(TextBox::Problem)},
        {"#PAID#", m.view.Text(TextBox::Paid)}};
    if (includeFree) values.emplace_back("#FREE#", m.view.Text(TextBox::Free));
    m.view.promptPanelLeft = m.view.label4Left;
    m.view.promptPanelTop = m.view.label4Top;
    m.view.visible[Panel::Prompt] = true;
    m.view.texts[TextBox::Prompt] = ReferenceFill(state.shown, values);
  }
  void Act(Sut& sut) const override { sut.controller.cmdGenerate_Click(); }
};

struct Copy : Step {
  bool clipboardFails = *rc::gen::weightedElement<bool>({{1, true}, {3, false}});
  const char* Name() const override { return "Copy"; }
  void apply(Model& m) const override {
    if (clipboardFails) {  // the clipboard keeps what it had
      m.view.failures.push_back("Could not put the prompt on the clipboard.");
      return;
    }
    m.view.clipboard = m.view.Text(TextBox::Prompt);
    m.view.messages.emplace_back("Done! Prompt copied to clipboard.", "Done");
  }
  void Act(Sut& sut) const override {
    sut.view.clipboardFails = clipboardFails;
    sut.controller.lblCopyToClipboard_Click();
    sut.view.clipboardFails = false;
  }
  void show(std::ostream& os) const override {
    os << "Copy(" << (clipboardFails ? "clipboard fails" : "") << ")";
  }
};

struct Close : Step {
  const char* Name() const override { return "Close"; }
  void apply(Model& m) const override {
    if (m.view.visible[Panel::Prompt]) {
      m.view.visible[Panel::Prompt] = false;
    } else {
      m.view.visible[Panel::Niche] = false;
    }
  }
  void Act(Sut& sut) const override { sut.controller.lblClose_Click(); }
};

// Help or instructions; the window may be resized while the modal window is open.
struct InformationWindow : Step {
  bool help = *rc::gen::arbitrary<bool>();
  float newWidth = *rc::gen::element(0.0f, 9000.0f, 15000.0f, 18000.0f, 19200.0f);
  const char* Name() const override { return "InformationWindow"; }
  void apply(Model& m) const override {
    ++(help ? m.view.helpShown : m.view.instructionsShown);
    if (newWidth > 0) m.view.outerWidth = newWidth;
    m.view.pictureLeft = m.view.outerWidth / 2 - m.view.pictureWidth / 2;
  }
  void Act(Sut& sut) const override {
    if (newWidth > 0) {
      sut.view.whileModal = [&sut, width = newWidth] { sut.view.outerWidth = width; };
    }
    help ? sut.controller.lblHelp_Click() : sut.controller.lblInstructions_Click();
    sut.view.whileModal = nullptr;
  }
  void show(std::ostream& os) const override {
    os << (help ? "Help" : "Instructions") << "(width " << newWidth << ")";
  }
};

// --- Content changes between events

void Clear(const fs::path& path) {
  std::error_code ignored;
  fs::remove_all(path, ignored);
}

std::string GenName() {
  return std::string(kNames[*rc::gen::inRange<std::size_t>(0, std::size(kNames))].file);
}

std::ostream& operator<<(std::ostream& os, const FolderKey& key) {
  return os << key.first << "/" << key.second;
}

struct WriteProblem : Step {
  FolderKey folder = *rc::gen::elementOf(kFolders);
  std::string name = GenName();
  ContentFile file = *GenProblemFile();
  const char* Name() const override { return "WriteProblem"; }
  void apply(Model& m) const override {
    m.folders[folder][name] = Entry{Entry::Kind::Problem, file.sections, ""};
  }
  void Act(Sut& sut) const override {
    const fs::path path = sut.PathOf(folder, name);
    Clear(path);
    fs::create_directories(path.parent_path());
    sut.app.Write(path.lexically_relative(sut.app.path()), file.bytes);
  }
  void show(std::ostream& os) const override {
    os << "WriteProblem(" << folder << "/" << Printable(name) << ", " << file.about << ", \""
       << Printable(file.bytes) << "\")";
  }
};

// Takes a name away or puts something there that is not a problem file.
struct ReplaceEntry : Step {
  enum class What { Remove, Folder, Fifo, Link };
  FolderKey folder = *rc::gen::elementOf(kFolders);
  std::string name = GenName();
  What what = *rc::gen::element(What::Remove, What::Remove, What::Folder, What::Fifo, What::Link);
  std::string target = GenName();
  const char* Name() const override { return "ReplaceEntry"; }
  void apply(Model& m) const override {
    FolderEntries& entries = m.folders[folder];
    switch (what) {
      case What::Remove:
        entries.erase(name);
        break;
      case What::Folder:
        entries[name] = Entry{Entry::Kind::Folder, {}, ""};
        break;
      case What::Fifo:
        entries[name] = Entry{Entry::Kind::Fifo, {}, ""};
        break;
      case What::Link:
        entries[name] = Entry{Entry::Kind::Link, {}, target};
        break;
    }
  }
  void Act(Sut& sut) const override {
    const fs::path path = sut.PathOf(folder, name);
    Clear(path);
    fs::create_directories(path.parent_path());
    switch (what) {
      case What::Remove:
        break;
      case What::Folder:
        fs::create_directory(path);
        break;
      case What::Fifo:
        RC_ASSERT(::mkfifo(path.c_str(), 0600) == 0);
        break;
      case What::Link:
        fs::create_symlink(target, path);
        break;
    }
  }
  void show(std::ostream& os) const override {
    static constexpr const char* kWhat[] = {"removed", "folder", "FIFO", "link to "};
    os << Name() << "(" << folder << "/" << Printable(name) << ", " << kWhat[static_cast<int>(what)]
       << (what == What::Link ? Printable(target) : "") << ")";
  }
};

// Pulls the rug from under a listed entry, so the next pick of it meets the change.
struct DisturbListed : ReplaceEntry {
  explicit DisturbListed(const Model& m) {
    RC_PRE(!m.problems.empty());
    folder = {std::stoi(m.menuIndex), std::stoi(m.subniche)};
    name = m.problems[*rc::gen::inRange<std::size_t>(0, m.problems.size())].fileName;
    if (*rc::gen::arbitrary<bool>()) target = name;  // a link to itself
  }
  const char* Name() const override { return "DisturbListed"; }
};

struct WriteTemplate : Step {
  bool includeFree = *rc::gen::arbitrary<bool>();
  ContentFile file = *GenTemplate();
  const char* Name() const override { return "WriteTemplate"; }
  void apply(Model& m) const override {
    m.templates[includeFree ? 1 : 0] = {TemplateState::Kind::File, file.shown};
  }
  void Act(Sut& sut) const override {
    const fs::path relative =
        fs::path("templates") / (includeFree ? "template-free.txt" : "template.txt");
    Clear(sut.app.path() / relative);
    sut.app.Write(relative, file.bytes);
  }
  void show(std::ostream& os) const override {
    os << "WriteTemplate(" << (includeFree ? "free" : "plain") << ", " << file.about << ", \""
       << Printable(file.bytes) << "\")";
  }
};

struct BreakTemplate : Step {
  bool includeFree = *rc::gen::arbitrary<bool>();
  bool asFolder = *rc::gen::arbitrary<bool>();
  const char* Name() const override { return "BreakTemplate"; }
  void apply(Model& m) const override {
    m.templates[includeFree ? 1 : 0] = {
        asFolder ? TemplateState::Kind::Folder : TemplateState::Kind::Missing, ""};
  }
  void Act(Sut& sut) const override {
    const fs::path path =
        sut.app.path() / "templates" / (includeFree ? "template-free.txt" : "template.txt");
    Clear(path);
    if (asFolder) fs::create_directories(path);
  }
  void show(std::ostream& os) const override {
    os << "BreakTemplate(" << (includeFree ? "free" : "plain") << ", "
       << (asFolder ? "folder" : "removed") << ")";
  }
};

struct TogglePicture : Step {
  int index = *rc::gen::inRange(0, static_cast<int>(kNicheCount));
  const char* Name() const override { return "TogglePicture"; }
  void apply(Model& m) const override {
    m.pictures[static_cast<std::size_t>(index)] = !m.pictures[static_cast<std::size_t>(index)];
  }
  void Act(Sut& sut) const override {
    const fs::path relative = fs::path("images") / (std::to_string(index) + ".jpg");
    if (fs::exists(sut.app.path() / relative)) {
      fs::remove(sut.app.path() / relative);
    } else {
      sut.app.Write(relative, "jpeg");
    }
  }
  void show(std::ostream& os) const override { os << "TogglePicture(" << index << ")"; }
};

TEST(ControllerModel, RandomEventSequencesMatchTheModel) {
  // rc::check runs as many sequences as RC_PARAMS asks (100 by default), each check from the
  // same seed; so each round draws its sequences from another branch of the random tree, and
  // rounds go on until at least kSequences have passed. RC_PARAMS can still fix the seed.
  StepCounts().clear();
  int passedSequences = 0;
  bool passed = true;
  for (int round = 0; passed && passedSequences < kSequences; ++round) {
    const int before = passedSequences;
    passed = rc::check("ControllerModel round " + std::to_string(round), [&passedSequences, round] {
      for (int branch = 0; branch < round; ++branch) *rc::gen::just(branch);
      Sut sut;
      RC_ASSERT(sut.controller.Form_Load());
      sut.controller.Form_Activate();
      rc::state::check(
          StartModel(sut.app.path()), sut,
          // Listed twice: twice as likely.
          rc::state::gen::execOneOfWithArgs<
              MenuClick, RegionClick, RegionClick, SelectEntry, SelectEntry, EditBox, SetCheckBox,
              Generate, Copy, Close, InformationWindow, WriteProblem, WriteProblem, ReplaceEntry,
              DisturbListed, WriteTemplate, BreakTemplate, TogglePicture>());
      ++passedSequences;
    });
    if (passed) {
      ASSERT_GT(passedSequences, before) << "round " << round << " ran no sequence";
    }
  }

  std::cout << "Sequences passed: " << passedSequences << "\nSteps and outcomes:\n";
  for (const auto& [name, count] : StepCounts()) std::cout << "  " << name << ": " << count << "\n";
  // rc::check has printed RapidCheck's report of the failure and how to reproduce it.
  EXPECT_TRUE(passed) << "a sequence failed; RapidCheck's report is above";
}

}  // namespace
}  // namespace veltrane
