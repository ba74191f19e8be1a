#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>

#include "GuiFixture.h"
#include "content/TextFile.h"
#include "model/ModelServer.h"
#include "model/qt/ArticleWindow.h"
#include "model/qt/BatchDialog.h"
#include "model/qt/ModelActions.h"

namespace veltrane::test {
namespace {

template <class T = QWidget>
T* Find(QWidget* parent, const QString& name) {
  for (T* child : parent->findChildren<T*>()) {
    if (child->objectName() == name || child->accessibleName() == name) return child;
    if (auto* button = qobject_cast<QAbstractButton*>(child)) {
      if (button->text().remove(QLatin1Char('&')) == name) return child;
    }
  }
  ADD_FAILURE() << "no " << name.toStdString();
  return nullptr;
}

class ModelGuiTest : public GuiTest {
 protected:
  void OpenWithModel() {
    server.answers.insert("/v1/chat/completions",
                          {200,
                           "Content-Type: text/event-stream\r\n",
                           {Stream({"# Heading\n\nSome ", "**bold** text."})}});
    Open();
    actions = std::make_unique<modelui::ModelActions>(*window, app.path(), user.path(), &dialogs,
                                                      model::SettingsFile(settings));
    window->SetExtension(actions.get());
    Click(ui.lblItem[2]);
  }
  void UseTheServer(bool confirmed = false, const std::string& model = "m") {
    const std::string base = server.Base().toStdString();
    WriteFileAtomically(settings.toStdString(), "[model]\nbase=" + base + "\nmodel=" + model +
                                                    "\n" +
                                                    (confirmed ? "confirmed=" + base + "\n" : ""));
  }
  ModelServer server;
  TempDir config;
  QString settings = QString::fromStdString((config.path() / "veltrane.conf").string());
  std::unique_ptr<modelui::ModelActions> actions;
};

TEST_F(ModelGuiTest, SendsOnlyWhenAskedAndShowsTheArticleFormatted) {
  OpenWithModel();
  Click(ui.cmdGenerate);
  QWidget* send = Find(ui.picArticlePrompt, "lblSendToModel");
  ASSERT_NE(send, nullptr);
  for (QWidget* other : ui.picArticlePrompt->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    EXPECT_TRUE(other == send || !other->geometry().intersects(send->geometry()))
        << other->objectName().toStdString();
  }
  EXPECT_FALSE(actions->Session().NetworkStarted());
  EXPECT_FALSE(QFile::exists(settings));  // nothing read or written yet
  UseTheServer();
  inspect = [](QDialog* dialog) {
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) Find<QPushButton>(box, "Send")->click();
  };
  QTest::keyClick(ui.txtPrompt, Qt::Key_Return, Qt::ControlModifier);
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_TRUE(modals[0].text.contains(server.Base()));

  auto* article = window->findChild<modelui::ArticleWindow*>();
  ASSERT_NE(article, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !article->Sending(); }, 10'000));
  EXPECT_EQ(article->Status(), "Article complete, 4 words");
  auto* view = Find<QTextEdit>(article, "article");
  EXPECT_EQ(view->toPlainText(), "Heading\nSome bold text.");
  Find<QAbstractButton>(article, "Show plain text")->click();
  EXPECT_EQ(view->toPlainText(), "# Heading\n\nSome **bold** text.");
  // Sent again with the plain text shown: still counted as the reader sees the words.
  Find<QPushButton>(article, "Send Again")->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !article->Sending(); }, 10'000));
  EXPECT_EQ(article->Status(), "Article complete, 4 words");
  EXPECT_EQ(view->toPlainText(), "# Heading\n\nSome **bold** text.");
  EXPECT_EQ(server.received[0].headers.value("authorization"), "");
  EXPECT_TRUE(server.received[0].body.contains("Links are broken."));

  Find<QPushButton>(article, "Save")->click();
  const std::filesystem::path saved = article->SavedFile();
  EXPECT_EQ(saved.parent_path(), user.path() / "articles/Internet Marketing/SEO");
  EXPECT_TRUE(saved.filename().string().starts_with("Broken Links 20"));
  const std::string file = ReadFileBytes(saved);
  EXPECT_TRUE(file.starts_with("---\nniche: \"Internet Marketing\"\nsubniche: \"SEO\"\n")) << file;
  EXPECT_TRUE(file.ends_with("---\n\n# Heading\n\nSome **bold** text.\n")) << file;

  const QString page = QString::fromStdString((user.path() / "page.html").string());
  inspect = [&](QDialog* dialog) {
    static_cast<QFileDialog*>(dialog)->selectFile(page);
    dialog->accept();
  };
  Find<QPushButton>(article, "Export HTML\u2026")->click();
  const std::string html = ReadFileBytes(page.toStdString());
  EXPECT_NE(html.find("<title>Broken Links</title>"), std::string::npos) << html;
  EXPECT_EQ(html.find("**bold**"), std::string::npos) << html;

  // The address was agreed to once; the second send asks nothing.
  EXPECT_NE(actions->Send(), nullptr);
  EXPECT_EQ(modals.size(), 2u);  // the confirmation and the file chooser
  EXPECT_EQ(window->findChildren<modelui::ArticleWindow*>().size(), 2);
  EXPECT_TRUE(actions->Session().NetworkStarted());
}

TEST_F(ModelGuiTest, StoppedArticlesStayIncompleteAndUnsaved) {
  OpenWithModel();
  server.answers.insert(
      "/v1/chat/completions",
      {200, "Content-Type: text/event-stream\r\n", {Event("Start")}, 0, Ending::Stall});
  UseTheServer(true);
  Click(ui.cmdGenerate);
  // Sent to before: the network and an unseen article window are readied while the prompt is
  // read, and nothing is sent.
  modelui::ArticleWindow* ready = nullptr;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return (ready = window->findChild<modelui::ArticleWindow*>()) != nullptr; }, 5'000));
  EXPECT_TRUE(actions->Session().NetworkStarted());
  EXPECT_FALSE(ready->isVisible());
  EXPECT_EQ(ready->windowHandle(), nullptr);  // no hidden window for screen readers to list
  EXPECT_TRUE(server.received.empty());
  EXPECT_EQ(Find<QLabel>(ready, "Model")->text(), "m at " + server.Base());
  UseTheServer(true, "m2");  // changed since Generate: the window shows what Send sends
  modelui::ArticleWindow* article = actions->Send();
  ASSERT_EQ(article, ready);
  EXPECT_TRUE(article->isVisible());
  EXPECT_EQ(article->windowTitle(), "Article: Broken Links");
  EXPECT_EQ(Find<QLabel>(article, "Problem")->text(), "Broken Links");
  EXPECT_EQ(Find<QLabel>(article, "Model")->text(), "m2 at " + server.Base());
  ASSERT_TRUE(QTest::qWaitFor([&] { return article->Article() == "Start"; }, 10'000));
  EXPECT_TRUE(server.received[0].body.contains("\"model\":\"m2\""));
  Find<QPushButton>(article, "Stop")->click();
  EXPECT_EQ(article->Status(), "Article incomplete: You stopped it.");
  EXPECT_FALSE(Find<QPushButton>(article, "Save")->isEnabled());
  EXPECT_EQ(Find<QTextEdit>(article, "article")->toPlainText(), "Start");
}

// A run that stopped goes on where it stopped: prompts first, then articles for the rest.
TEST_F(ModelGuiTest, BatchWritesWhatGenerateMakesAndResumes) {
  OpenWithModel();
  UseTheServer();
  Click(ui.cmdGenerate);
  QCoreApplication::processEvents();
  EXPECT_FALSE(actions->Session().NetworkStarted());  // not readied for an address not agreed to
  const std::string shown = window->Text(TextBox::Prompt);  // for "Broken Links"
  TempDir out;
  out.Write("Broken Links.md", "written before");
  for (const bool articles : {false, true}) {
    inspect = [&](QDialog* dialog) {
      Find<QLineEdit>(dialog, "Folder")->setText(QString::fromStdString(out.path().string()));
      Find<QRadioButton>(dialog, articles ? "Articles from the model, one after another"
                                          : "Prompts, one file per problem")
          ->setChecked(true);
      Find<QPushButton>(dialog, "Write")->click();
      auto* batch = static_cast<modelui::BatchDialog*>(dialog);
      EXPECT_TRUE(QTest::qWaitFor([&] { return !batch->Running(); }, 10'000));
    };
    actions->OpenBatch();
  }
  EXPECT_EQ(ReadFileBytes(out.path() / "Broken Links.txt"), shown);
  EXPECT_TRUE(std::filesystem::exists(out.path() / "Slow Website.txt"));
  EXPECT_EQ(ReadFileBytes(out.path() / "Broken Links.md"), "written before");
  EXPECT_TRUE(ReadFileBytes(out.path() / "Slow Website.md").ends_with("**bold** text.\n"));
  ASSERT_EQ(server.received.size(), 1);
  EXPECT_TRUE(server.received[0].body.contains("My site is slow."));
  EXPECT_TRUE(ReadFileBytes(out.path() / "calendar.csv").ends_with(",Slow Website.md\r\n"));
}

}  // namespace
}  // namespace veltrane::test
