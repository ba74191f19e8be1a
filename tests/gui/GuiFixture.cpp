#include "GuiFixture.h"

#include <QFile>
#include <QMenu>
#include <QUrl>
#include "support/ContentTree.h"
#include "ui/qt/Widgets.h"

#include <QMessageBox>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

namespace veltrane::test {

namespace {

template <class T>
T* Named(QWidget& window, const QString& name, bool required = true) {
  T* found = window.findChild<T*>(name);
  if (required) {
    EXPECT_NE(found, nullptr) << name.toStdString();
  }
  return found;
}

}  // namespace

Controls::Controls(QWidget& window) {
  const auto find = [&window]<class T>(T*& control, const char* name) {
    control = Named<T>(window, QString::fromLatin1(name));
  };
  find(Picture1, "Picture1");
  canvas = Picture1->parentWidget();
  find(Picture2, "Picture2");
  find(lblAppName, "lblAppName");
  find(picMenu, "picMenu");
  find(shPosition, "shPosition");
  find(lblInstructions, "lblInstructions");
  for (std::size_t j = 0; j < lblItem.size(); ++j) {
    lblItem[j] = Named<QWidget>(window, QStringLiteral("lblItem%1").arg(j));
  }
  for (std::size_t i = 0; i < lblMenu.size(); ++i) {
    lblMenu[i] = Named<QWidget>(window, QStringLiteral("lblMenu%1").arg(i));
  }
  // The niche panel is built when first needed.
  if (Named<QWidget>(window, QStringLiteral("picNiche"), false) == nullptr) return;
  find(picNiche, "picNiche");
  find(lblSelectedNiche, "lblSelectedNiche");
  find(lblClose, "lblClose");
  find(Label1, "Label1");
  find(Label2, "Label2");
  find(Label3, "Label3");
  find(Label4, "Label4");
  find(Label5, "Label5");
  find(Label8, "Label8");
  find(lblHelp, "lblHelp");
  find(lstProblems, "lstProblems");
  find(txtProblem, "txtProblem");
  find(txtFree, "txtFree");
  find(txtPaid, "txtPaid");
  find(chkFree, "chkFree");
  find(cmdGenerate, "cmdGenerate");
  find(picArticlePrompt, "picArticlePrompt");
  find(Label6, "Label6");
  find(lblCopyToClipboard, "lblCopyToClipboard");
  find(txtPrompt, "txtPrompt");
}

QPixmap ShownPicture(QWidget* picture) {
  const auto* box = dynamic_cast<const qt::PictureBox*>(picture);
  EXPECT_NE(box, nullptr);
  return box != nullptr ? box->Picture() : QPixmap();
}

GuiTest::GuiTest() {
  test::ContentTree(app)
      .PicturesCopiedFrom(std::filesystem::path(VELTRANE_CONTENT_DIR) / "images/0.jpg")
      .Templates(
          "Niche #NICHE# / #SUBNICHE#\r\nProblem: #PROBLEM#\r\nFree: #FREE#\r\nPaid:\r\n#PAID#",
          "Plain #NICHE#: #PROBLEM#\r\n#PAID#")
      .Problem("niches/0/2/Slow Website.txt",
               ProblemText("My site is slow.", "PageSpeed Insights: finds what slows it.",
                           "Kinsta: fast hosting.\r\nWP Rocket: caching."))
      .Problem("niches/0/2/Broken Links.txt",
               ProblemText("Links are broken.", "Ahrefs Webmaster Tools: finds them.",
                           "Semrush: site audits.\r\nSurfer: content editor."))
      .Problem("niches/0/3/<b>Bold & Co.txt", ProblemText("P & <i>Q</i>", "F", "A: a\r\nB: b"))
      .Problem("niches/4/4/Mirror Anxiety.txt", ProblemText("I avoid mirrors.", "F4", "A4\r\nB4"));

  // The settings file of the test, not the machine's.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromStdString(config.path().string()));
  dialogs.onModal = [this](QDialog* dialog) {
    ModalSeen seen{QString::fromLatin1(dialog->metaObject()->className()), dialog->windowTitle(),
                   QString(), dialog};
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) seen.text = box->text();
    modals.push_back(seen);
    // Closes the window once its own event loop runs, as the user pressing its button.
    QTimer::singleShot(0, dialog, [this, dialog] {
      if (inspect) inspect(dialog);
      if (dialog->isVisible()) dialog->reject();  // unless `inspect` answered it
    });
  };
}

GuiTest::~GuiTest() = default;

int TestDialogs::Exec(QDialog& dialog) {
  if (onModal) onModal(&dialog);
  return dialog.exec();
}

void TestDialogs::Popup(QMenu& menu, const QPoint&) {
  if (onMenu) onMenu(&menu);
}

bool TestDialogs::OpenUrl(const QUrl& url) {
  if (onFolder) onFolder(std::filesystem::path(QFile::encodeName(url.toLocalFile()).toStdString()));
  return true;
}

bool TestDialogs::MoveToTrash(const QString& file) {
  const std::filesystem::path path(QFile::encodeName(file).toStdString());
  if (!QFile::remove(file)) return false;
  trashed.push_back(path);
  return true;
}

void GuiTest::Open() {
  window = std::make_unique<qt::MainWindow>(app.path(), user.path(), &dialogs);
  if (window->Load()) {
    window->showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ui = Controls(*window);
  }
}

int GuiTest::OuterWidth() const {
  const QWidget* viewport = ui.canvas->parentWidget();
  return window->frameGeometry().width() - viewport->width() + ui.canvas->width();
}

void GuiTest::Click(QWidget* widget) {
  ASSERT_NE(widget, nullptr);
  ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
  if (window && ui.picNiche == nullptr) ui = Controls(*window);  // the click may have built it
}

}  // namespace veltrane::test
