#include "GuiFixture.h"

#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

namespace veltrane::test {

GuiTest::GuiTest() {
  const std::filesystem::path picture =
      std::filesystem::path(VELTRANE_CONTENT_DIR) / "images/0.jpg";
  for (int i = 0; i < 6; ++i) {
    std::filesystem::create_directories(app.path() / "images");
    std::filesystem::copy_file(picture, app.path() / "images" / (std::to_string(i) + ".jpg"));
  }
  app.Write("niches/0/2/Slow Website.txt",
            ProblemText("My site is slow.", "PageSpeed Insights: finds what slows it.",
                        "Kinsta: fast hosting.\r\nWP Rocket: caching."));
  app.Write("niches/0/2/Broken Links.txt",
            ProblemText("Links are broken.", "Ahrefs Webmaster Tools: finds them.",
                        "Semrush: site audits.\r\nSurfer: content editor."));
  app.Write("niches/0/3/<b>Bold & Co.txt", ProblemText("P & <i>Q</i>", "F", "A: a\r\nB: b"));
  app.Write("niches/4/4/Mirror Anxiety.txt", ProblemText("I avoid mirrors.", "F4", "A4\r\nB4"));
  app.Write("templates/template-free.txt",
            "Niche #NICHE# / #SUBNICHE#\r\nProblem: #PROBLEM#\r\nFree: #FREE#\r\nPaid:\r\n#PAID#");
  app.Write("templates/template.txt", "Plain #NICHE#: #PROBLEM#\r\n#PAID#");

  qt::MainWindow::modalHook = [this](QDialog* dialog) {
    ModalSeen seen{QString::fromLatin1(dialog->metaObject()->className()), dialog->windowTitle(),
                   QString(), dialog};
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) seen.text = box->text();
    modals.push_back(seen);
    // Closes the window once its own event loop runs, as the user pressing its button.
    QTimer::singleShot(0, dialog, [this, dialog] {
      if (inspect) inspect(dialog);
      dialog->reject();
    });
  };
}

GuiTest::~GuiTest() {
  qt::MainWindow::modalHook = nullptr;
}

void GuiTest::Open() {
  window = std::make_unique<qt::MainWindow>(app.path());
  if (window->Load()) {
    window->showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
}

void GuiTest::Click(QWidget* widget) {
  ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

}  // namespace veltrane::test
