#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

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

// A real main window over a small content tree in a temporary application directory. Every
// modal window it opens is recorded and closed right after it starts, as a user would.
class GuiTest : public testing::Test {
 protected:
  GuiTest();
  ~GuiTest() override;

  // Builds the window and runs start-up; shows it when start-up succeeded.
  void Open();
  void Click(QWidget* widget);
  // Runs `check` on each modal window while it is open, before it is closed.
  std::function<void(QDialog*)> inspect;

  TempDir app;
  std::unique_ptr<qt::MainWindow> window;
  std::vector<ModalSeen> modals;
};

}  // namespace veltrane::test
