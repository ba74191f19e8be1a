// What the window does when a subniche folder or the templates hold something hostile: it must
// not crash or hang, the listing goes on, a failed read is reported once with the path and the
// reason, and nothing shown changes beyond what that failure allows.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "content/ProblemReader.h"
#include "support/ContentTree.h"
#include "support/Printers.h"
#include "ui/FakeView.h"
#include "ui/frmMain.h"

namespace veltrane {
namespace {
namespace fs = std::filesystem;
using test::FakeView;
using test::ProblemText;

const fs::path kFolder = "niches/0/2";
// Sorts after every hostile name, so a listed hostile entry is the one selected first.
const std::string kNormalFile = "zz Normal.txt";
const std::string kTemplate = "P=#PROBLEM# F=#FREE# A=#PAID#";

const ProblemSections kBefore{"edited P", "edited F", "edited A"};
const ProblemSections kNormal{"It is slow.", "A checker.", "A host.\r\n"};
const ProblemSections kDecoy{"Decoy problem.", "Decoy free.", "Decoy paid.\r\n"};
const ProblemSections kEmpty{"", "", ""};

void Decoy(const fs::path& file) {
  fs::create_directories(file.parent_path());
  std::FILE* out = std::fopen(file.c_str(), "wb");
  ASSERT_NE(out, nullptr) << file;
  const std::string text = ProblemText("Decoy problem.", "Decoy free.", "Decoy paid.");
  std::fwrite(text.data(), 1, text.size(), out);
  std::fclose(out);
}

fs::path Touch(const fs::path& file) {
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (out != nullptr) std::fclose(out);
  return file;
}

void Fifo(const fs::path& file) {
  fs::remove_all(file);
  ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0) << std::strerror(errno);
}

void Link(const fs::path& file, const fs::path& target) {
  fs::remove_all(file);
  fs::create_symlink(target, file);
}

struct Row {
  const char* name = "";
  std::function<void(const fs::path& folder)> arrange = nullptr;    // before the listing
  std::function<void(const fs::path& folder)> meanwhile = nullptr;  // after it, before a pick
  int region = 2;
  int pick = -1;  // the entry the user picks after the listing
  bool generate = false;
  std::vector<std::string> list = {};
  ProblemSections boxes = {};   // what the three boxes show at the end
  std::string failedFile = {};  // below the application folder; empty when nothing fails
  bool failedFolder = false;    // what failedFile names is a folder
  std::string reason = {};
  bool needsNonRoot = false;  // root reads past file modes
};

void PrintTo(const Row& row, std::ostream* os) {
  *os << row.name;
}

const std::string kNotRegular = "it is not a regular file";
const std::string kIsFolder = "it is a folder, not a file";
const std::string kTooLarge = "it is larger than the limit of 16 MiB for a content file";
const std::vector<std::string> kOnlyNormal = {"zz Normal"};

std::vector<Row> Rows() {
  const std::string in = kFolder.string() + "/";
  const std::string freeTemplate = "templates/template-free.txt";
  return {
      {.name = "FifoIsNotListed",
       .arrange = [](const fs::path& d) { Fifo(d / "x.txt"); },
       .list = kOnlyNormal,
       .boxes = kNormal},
      {.name = "FifoAfterListingFailsWithoutBlocking",
       .arrange = [](const fs::path& d) { Decoy(d / "x.txt"); },
       .meanwhile = [](const fs::path& d) { Fifo(d / "x.txt"); },
       .pick = 0,
       .list = {"x", "zz Normal"},
       .boxes = kEmpty,
       .failedFile = in + "x.txt",
       .reason = kNotRegular},
      {.name = "LinkToDevZeroIsNotListed",
       .arrange = [](const fs::path& d) { Link(d / "z.txt", "/dev/zero"); },
       .list = kOnlyNormal,
       .boxes = kNormal},
      {.name = "LinkToDevZeroAfterListingFailsAtOnce",
       .arrange = [](const fs::path& d) { Decoy(d / "z.txt"); },
       .meanwhile = [](const fs::path& d) { Link(d / "z.txt", "/dev/zero"); },
       .pick = 0,
       .list = {"z", "zz Normal"},
       .boxes = kEmpty,
       .failedFile = in + "z.txt",
       .reason = kNotRegular},
      {.name = "SymlinkLoopIsNotListed",
       .arrange =
           [](const fs::path& d) {
             Link(d / "loop.txt", "loop.txt");
             Link(d / "l1.txt", "l2.txt");
             Link(d / "l2.txt", "l1.txt");
           },
       .list = kOnlyNormal,
       .boxes = kNormal},
      {.name = "SymlinkLoopAfterListing",
       .arrange = [](const fs::path& d) { Decoy(d / "loop.txt"); },
       .meanwhile = [](const fs::path& d) { Link(d / "loop.txt", "loop.txt"); },
       .pick = 0,
       .list = {"loop", "zz Normal"},
       .boxes = kEmpty,
       .failedFile = in + "loop.txt",
       .reason = std::strerror(ELOOP)},
      {.name = "DanglingSymlinkIsNotListed",
       .arrange = [](const fs::path& d) { Link(d / "gone.txt", "nowhere.txt"); },
       .list = kOnlyNormal,
       .boxes = kNormal},
      {.name = "DanglingSymlinkAfterListing",
       .arrange = [](const fs::path& d) { Decoy(d / "gone.txt"); },
       .meanwhile = [](const fs::path& d) { Link(d / "gone.txt", "nowhere.txt"); },
       .pick = 0,
       .list = {"gone", "zz Normal"},
       .boxes = kEmpty,
       .failedFile = in + "gone.txt",
       .reason = std::strerror(ENOENT)},
      {.name = "FolderNamedTxtIsNotListed",
       .arrange = [](const fs::path& d) { fs::create_directory(d / "d.txt"); },
       .list = kOnlyNormal,
       .boxes = kNormal},
      {.name = "FolderAfterListing",
       .arrange = [](const fs::path& d) { Decoy(d / "d.txt"); },
       .meanwhile =
           [](const fs::path& d) {
             fs::remove(d / "d.txt");
             fs::create_directory(d / "d.txt");
           },
       .pick = 0,
       .list = {"d", "zz Normal"},
       .boxes = kEmpty,
       .failedFile = in + "d.txt",
       .reason = kIsFolder},
      {.name = "FileVanishesBetweenListingAndReading",
       .arrange = [](const fs::path& d) { Decoy(d / "v.txt"); },
       .meanwhile = [](const fs::path& d) { fs::remove(d / "v.txt"); },
       .pick = 0,
       .list = {"v", "zz Normal"},
       .boxes = kEmpty,
       .failedFile = in + "v.txt",
       .reason = std::strerror(ENOENT)},
      {.name = "ZeroByteFileGivesEmptyTexts",
       .arrange = [](const fs::path& d) { Touch(d / "empty.txt"); },
       .list = {"empty", "zz Normal"},
       .boxes = kEmpty},
      {.name = "FileOverTheCapIsRefusedUnread",
       // Sparse: as large as far as the size check can tell, without writing 50 MB.
       .arrange = [](const fs::path& d) { fs::resize_file(Touch(d / "big.txt"), 50'000'000); },
       .list = {"big", "zz Normal"},
       .boxes = kEmpty,  // nothing of the problem shown before is left
       .failedFile = in + "big.txt",
       .reason = kTooLarge},
      {.name = "NameWithInvalidUtf8IsListedAsWindows1252",
       .arrange = [](const fs::path& d) { Decoy(d / "\xE9t\xE9.txt"); },
       .pick = 1,  // non-ASCII sorts after ASCII letters
       .list = {"zz Normal", "\xC3\xA9t\xC3\xA9"},
       .boxes = kDecoy},
      {.name = "NameWithInvalidUtf8VanishingIsNamedReadably",
       .arrange = [](const fs::path& d) { Decoy(d / "\xE9t\xE9.txt"); },
       .meanwhile = [](const fs::path& d) { fs::remove(d / "\xE9t\xE9.txt"); },
       .pick = 1,
       .list = {"zz Normal", "\xC3\xA9t\xC3\xA9"},
       .boxes = kEmpty,
       .failedFile = in + "\xC3\xA9t\xC3\xA9.txt",
       .reason = std::strerror(ENOENT)},
      {.name = "HiddenFileIsNotListed",
       .arrange = [](const fs::path& d) { Decoy(d / ".h.txt"); },
       .list = kOnlyNormal,
       .boxes = kNormal},
      {.name = "UpperCaseExtensionIsListed",
       .arrange = [](const fs::path& d) { Decoy(d / "A.TXT"); },
       .list = {"A", "zz Normal"},
       .boxes = kDecoy},
      // Reported, not listed as empty; the boxes keep the last subniche's texts.
      {.name = "SubnicheFolderThatIsAFile",
       .arrange = [](const fs::path& d) { Decoy(d.parent_path() / "3"); },
       .region = 3,
       .list = {},
       .boxes = kEmpty,
       .failedFile = "niches/0/3",
       .failedFolder = true,
       .reason = std::strerror(ENOTDIR)},
      {.name = "UnreadableSubnicheFolder",
       .arrange =
           [](const fs::path& d) {
             fs::create_directory(d.parent_path() / "3");
             Decoy(d.parent_path() / "3/x.txt");
             fs::permissions(d.parent_path() / "3", fs::perms::none);
           },
       .region = 3,
       .list = {},
       .boxes = kBefore,
       .failedFile = "niches/0/3",
       .failedFolder = true,
       .reason = std::strerror(EACCES),
       .needsNonRoot = true},
      {.name = "MissingNichesFolder",
       .arrange = [](const fs::path& d) { fs::remove_all(d.parent_path().parent_path()); },
       .list = {},
       .boxes = kEmpty},
      {.name = "MissingTemplatesFolder",
       .arrange = [](const fs::path& d) { fs::remove_all(d / "../../../templates"); },
       .generate = true,
       .list = kOnlyNormal,
       .boxes = kNormal,
       .failedFile = freeTemplate,
       .reason = std::strerror(ENOENT)},
      {.name = "TemplateThatIsAFifo",
       .arrange = [](const fs::path& d) { Fifo(d / "../../../templates/template-free.txt"); },
       .generate = true,
       .list = kOnlyNormal,
       .boxes = kNormal,
       .failedFile = freeTemplate,
       .reason = kNotRegular},
      {.name = "TemplateLinkedToDevZero",
       .arrange =
           [](const fs::path& d) { Link(d / "../../../templates/template-free.txt", "/dev/zero"); },
       .generate = true,
       .list = kOnlyNormal,
       .boxes = kNormal,
       .failedFile = freeTemplate,
       .reason = kNotRegular},
      {.name = "UnreadableFile",
       .arrange =
           [](const fs::path& d) {
             Decoy(d / "u.txt");
             fs::permissions(d / "u.txt", fs::perms::none);
           },
       .list = {"u", "zz Normal"},
       .boxes = kEmpty,
       .failedFile = in + "u.txt",
       .reason = std::strerror(EACCES),
       .needsNonRoot = true},
  };
}

// Runs `steps` on another thread; a step that blocks ends the test program, since a blocked
// call cannot be cancelled and the future would wait for it forever on destruction.
template <class Steps>
void WithinFiveSeconds(const char* what, Steps&& steps) {
  auto done = std::async(std::launch::async, std::forward<Steps>(steps));
  if (done.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    std::fprintf(stderr, "%s: still running after 5 s, so the window would hang\n", what);
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
  }
  done.get();
}

ProblemSections Boxes(const FakeView& view) {
  return {view.Text(TextBox::Problem), view.Text(TextBox::Free), view.Text(TextBox::Paid)};
}

class FileSystemMatrix : public testing::TestWithParam<Row> {
 protected:
  FileSystemMatrix() : controller(view, app.path()) {
    view.controller = &controller;
    test::ContentTree(app)
        .Pictures("jpeg")
        .Templates(kTemplate, kTemplate)
        .Problem(kFolder / kNormalFile, ProblemText("It is slow.", "A checker.", "A host."));
  }

  test::TempDir app;
  FakeView view;
  frmMain controller;
};

TEST_P(FileSystemMatrix, NoHangNoCrashOneFailureAtMost) {
  const Row& row = GetParam();
  if (row.needsNonRoot && ::geteuid() == 0) {
    GTEST_SKIP() << "root reads a file whatever its mode; run the tests as another user";
  }

  // The window as the user left it: a problem read, its texts edited, a prompt made.
  ASSERT_TRUE(controller.Form_Load());
  controller.lblItem_Click(2);
  ASSERT_EQ(Boxes(view), kNormal);
  view.texts[TextBox::Problem] = kBefore.problemText;
  view.texts[TextBox::Free] = kBefore.freeText;
  view.texts[TextBox::Paid] = kBefore.paidText;
  controller.cmdGenerate_Click();
  const std::string prompt = view.Text(TextBox::Prompt);
  ASSERT_EQ(prompt, "P=edited P F=edited F A=edited A");
  // Edits are kept for their problem; dropped here, so the file's texts are what come back.
  controller.RevertToFile();
  ASSERT_EQ(Boxes(view), kNormal);
  ASSERT_TRUE(view.failures.empty());

  const fs::path folder = app.path() / kFolder;
  row.arrange(folder);
  WithinFiveSeconds(row.name, [&] {
    controller.lblItem_Click(row.region);
    if (row.meanwhile) row.meanwhile(folder);
    if (row.pick >= 0) view.UserSelects(row.pick);
    if (row.generate) controller.cmdGenerate_Click();
  });

  EXPECT_EQ(view.list, row.list);
  EXPECT_EQ(view.selected, row.list.empty() ? -1 : std::max(row.pick, 0));
  EXPECT_EQ(Boxes(view), row.boxes);
  // A failed Generate leaves no earlier prompt behind.
  EXPECT_EQ(view.Text(TextBox::Prompt), row.generate ? "" : prompt);
  EXPECT_TRUE(view.visible[Panel::Niche]);
  if (row.failedFile.empty()) {
    EXPECT_TRUE(view.failures.empty()) << testing::PrintToString(view.failures);
  } else {
    const std::string path = (app.path() / row.failedFile).lexically_normal().string();
    const std::string what = row.failedFolder ? "folder" : "file";
    EXPECT_EQ(view.failures, std::vector<std::string>{"Could not read the " + what + " \"" + path +
                                                      "\": " + row.reason + "."});
  }

  // The program goes on: the ordinary file still reads.
  const std::size_t failures = view.failures.size();
  for (std::size_t i = 0; i < view.list.size(); ++i) {
    if (view.list[i] != "zz Normal") continue;
    WithinFiveSeconds(row.name, [&] { view.UserSelects(static_cast<int>(i)); });
    EXPECT_EQ(Boxes(view), kNormal);
  }
  EXPECT_EQ(view.failures.size(), failures);
}

INSTANTIATE_TEST_SUITE_P(Hostile, FileSystemMatrix, testing::ValuesIn(Rows()),
                         [](const testing::TestParamInfo<Row>& row) { return row.param.name; });

}  // namespace
}  // namespace veltrane
