#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "content/NicheCatalog.h"
#include "support/TempDir.h"
#include "ui/qt/MainWindow.h"

namespace veltrane::test {

// What a modal window showed before the test's answer closed it.
struct ModalSeen {
  QString className;
  QString title;
  QString text;  // a message box's text
  QPointer<QDialog> dialog;
};

// The window's controls, found by their object names as accessibility tools find them.
struct Controls {
  Controls() = default;
  explicit Controls(QWidget& window);

  QWidget* canvas = nullptr;  // what the window scrolls, the form's controls on it
  QWidget* Picture1 = nullptr;
  std::array<QWidget*, kSubnicheCount> lblItem{};
  QWidget* Picture2 = nullptr;
  QLabel* lblAppName = nullptr;
  QWidget* picMenu = nullptr;
  std::array<QWidget*, kNicheCount> lblMenu{};
  QWidget* shPosition = nullptr;
  QFrame* picNiche = nullptr;
  QLabel* lblSelectedNiche = nullptr;
  QWidget* lblClose = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label8 = nullptr;
  QWidget* lblHelp = nullptr;
  QListWidget* lstProblems = nullptr;
  QLineEdit* txtProblem = nullptr;
  QPlainTextEdit* txtFree = nullptr;
  QPlainTextEdit* txtPaid = nullptr;
  QCheckBox* chkFree = nullptr;
  QPushButton* cmdGenerate = nullptr;
  QFrame* picArticlePrompt = nullptr;
  QLabel* Label6 = nullptr;
  QWidget* lblCopyToClipboard = nullptr;
  QPlainTextEdit* txtPrompt = nullptr;
  QWidget* lblInstructions = nullptr;
};

// Answers the window's dialogs, menus and desktop requests as the test says.
class TestDialogs : public qt::Dialogs {
 public:
  std::function<void(QDialog*)> onModal;  // before the dialog runs
  std::function<void(QMenu*)> onMenu;     // instead of running the menu
  std::function<void(const std::filesystem::path&)> onFolder;
  std::vector<std::filesystem::path> trashed;  // removed from their folders

  int Exec(QDialog& dialog) override;
  void Popup(QMenu& menu, const QPoint& at) override;
  bool OpenUrl(const QUrl& url) override;
  bool MoveToTrash(const QString& file) override;
};

// The picture the niche picture control shows.
QPixmap ShownPicture(QWidget* picture);

// A real main window over a small content tree in a temporary application directory. Every
// modal window it opens is recorded and closed right after it starts, as a user would.
class GuiTest : public testing::Test {
 protected:
  GuiTest();
  ~GuiTest() override;

  // Builds the window and runs start-up; shows it when start-up succeeded.
  void Open();
  void Click(QWidget* widget);
  // The window's outer width around all it can scroll to: the width the form is centred on.
  int OuterWidth() const;
  // Runs `check` on each modal window while it is open; it is then closed unless `check`
  // answered it.
  std::function<void(QDialog*)> inspect;

  TempDir app;
  TempDir user;    // the user's own folder, empty unless a test fills it
  TempDir config;  // where the settings file is written
  TestDialogs dialogs;
  std::unique_ptr<qt::MainWindow> window;
  Controls ui;
  std::vector<ModalSeen> modals;
};

}  // namespace veltrane::test
