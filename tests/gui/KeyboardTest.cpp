// The window by keyboard alone, read as a screen reader reads it (through QAccessible).
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "GuiFixture.h"
#include "app/CommandLine.h"

namespace veltrane::test {
namespace {

QString Q(const char* text) {
  return QString::fromUtf8(text);
}

struct Spoken {
  QAccessible::Role role;
  QString name;
};

Spoken Speak(QObject* object) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
  if (accessible == nullptr) return {QAccessible::NoRole, QString()};
  return {accessible->role(), accessible->text(QAccessible::Name)};
}

// What has the focus, as a screen reader would announce it.
Spoken Focused() {
  QWidget* focus = QApplication::focusWidget();
  EXPECT_NE(focus, nullptr);
  return focus != nullptr ? Speak(focus) : Spoken{QAccessible::NoRole, QString()};
}

// The offscreen platform does not give the window back its activation when a modal window
// closes, as a window manager does.
void Reactivate(QWidget* window) {
  if (window->isActiveWindow()) return;
  window->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

void Key(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  Reactivate(window);
  QWidget* focus = QApplication::focusWidget();
  QTest::keyClick(focus != nullptr ? focus : window, key, modifiers);
  Reactivate(window);
}

// The whole road of one prompt by keyboard alone; after each step the focus is on a control
// that is shown and not covered, and says what it is.
TEST_F(GuiTest, TheRoadOfOnePromptByKeyboard) {
  Open();
  const auto step = [&](const char* what, Qt::Key key, Qt::KeyboardModifiers modifiers,
                        QAccessible::Role role, const char* name) {
    SCOPED_TRACE(what);
    Key(window.get(), key, modifiers);
    if (ui.picNiche == nullptr) ui = Controls(*window);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_TRUE(focus->isVisible() && focus->isEnabled()) << focus->objectName().toStdString();
    const Spoken spoken = Focused();
    EXPECT_EQ(spoken.role, role);
    EXPECT_EQ(spoken.name, Q(name));
  };
  EXPECT_EQ(Focused().name, Q("Sales Funnel Creation"));  // something takes the focus at start
  // The first Tab shows where the focus is, with no frame until then, rather than moving on.
  step("first Tab", Qt::Key_Tab, {}, QAccessible::Button, "Sales Funnel Creation");
  step("Tab", Qt::Key_Tab, {}, QAccessible::Button, "Email Marketing");
  step("3", Qt::Key_3, {}, QAccessible::List, "Select a Topic (Problem) for Your Article");
  EXPECT_TRUE(ui.picNiche->isVisible());
  EXPECT_EQ(ui.lblSelectedNiche->text(), Q("Niche: SEO"));
  EXPECT_FALSE(ui.lblItem[2]->isEnabled());  // covered by the panel
  step("Down", Qt::Key_Down, {}, QAccessible::List, "Select a Topic (Problem) for Your Article");
  EXPECT_EQ(ui.txtProblem->text(), Q("My site is slow."));
  step("Ctrl+Return", Qt::Key_Return, Qt::ControlModifier, QAccessible::EditableText,
       "Your Article Prompt");
  EXPECT_TRUE(ui.picArticlePrompt->isVisible());
  for (QWidget* covered :
       std::initializer_list<QWidget*>{ui.lstProblems, ui.txtProblem, ui.txtFree, ui.txtPaid,
                                       ui.chkFree, ui.cmdGenerate, ui.lblHelp}) {
    EXPECT_FALSE(covered->isEnabled()) << covered->objectName().toStdString();
  }
  const QString prompt = ui.txtPrompt->toPlainText();
  EXPECT_TRUE(prompt.contains(Q("My site is slow.")));
  step("Ctrl+Shift+C", Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier,
       QAccessible::EditableText, "Your Article Prompt");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), prompt);
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_EQ(modals[0].text, Q("Done! Prompt copied to clipboard."));
  step("Escape", Qt::Key_Escape, {}, QAccessible::Button, "Generate Article Prompt");
  EXPECT_FALSE(ui.picArticlePrompt->isVisible());
  EXPECT_TRUE(ui.cmdGenerate->isEnabled());
  step("Escape", Qt::Key_Escape, {}, QAccessible::Button, "SEO");
  EXPECT_FALSE(ui.picNiche->isVisible());
  EXPECT_TRUE(ui.lblItem[2]->isEnabled());
  step("Escape", Qt::Key_Escape, {}, QAccessible::Button, "SEO");  // nothing more to close
  step("F1", Qt::Key_F1, {}, QAccessible::Button, "SEO");
  ASSERT_EQ(modals.size(), 2u);
  EXPECT_EQ(modals[1].title, Q("Instructions"));
}

// Tab reaches every control in view and nothing covered; Enter and Space press what has the
// focus; no button is the window's default.
TEST_F(GuiTest, TabEnterAndSpace) {
  Open();
  Click(ui.lblItem[2]);
  Click(ui.cmdGenerate);
  // The prompt view: the prompt, its link, the links over it, round again.
  QStringList visited;
  for (int i = 0; i < 5; ++i) {
    Key(window.get(), Qt::Key_Tab);
    visited << QApplication::focusWidget()->objectName();
  }
  EXPECT_EQ(visited, QStringList({"lblCopyToClipboard", "lblInstructions", "lblClose", "txtPrompt",
                                  "lblCopyToClipboard"}));
  Key(window.get(), Qt::Key_Return);  // the link in focus runs
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_EQ(modals[0].title, Q("Done"));

  Key(window.get(), Qt::Key_Escape);
  ASSERT_EQ(QApplication::focusWidget(), ui.cmdGenerate);
  EXPECT_FALSE(ui.cmdGenerate->isDefault());
  EXPECT_FALSE(ui.cmdGenerate->autoDefault());
  Key(window.get(), Qt::Key_Return);  // Enter presses the focused button
  QTRY_VERIFY(ui.picArticlePrompt->isVisible());
  Key(window.get(), Qt::Key_Escape);
  ui.lblHelp->setFocus();
  Key(window.get(), Qt::Key_Space);
  ASSERT_EQ(modals.size(), 2u);
  EXPECT_EQ(modals[1].title, Q("Help"));
}

TEST_F(GuiTest, ScreenReadersMeetNamedLinksButtonsAndGroupings) {
  Open();
  Click(ui.lblItem[4]);
  const struct {
    QWidget* control;
    QAccessible::Role role;
    const char* name;
  } cases[] = {
      {ui.lblItem[0], QAccessible::Button, "Sales Funnel Creation"},
      {ui.Picture1, QAccessible::Grouping, "Internet Marketing: choose a subniche"},
      {ui.lblInstructions, QAccessible::Link, "Instructions"},
      {ui.lblHelp, QAccessible::Link, "How to Monetize these paid resources?"},
      {ui.lblCopyToClipboard, QAccessible::Link, "Copy to Clipboard"},
      {ui.lblClose, QAccessible::Link, "Close"},
      {ui.picNiche, QAccessible::Grouping, "Niche: Video Creation"},
      {ui.picArticlePrompt, QAccessible::Grouping, "Your Article Prompt"},
      {ui.lstProblems, QAccessible::List, "Select a Topic (Problem) for Your Article"},
      {ui.txtProblem, QAccessible::EditableText, "Additional Details"},
      {ui.txtFree, QAccessible::EditableText, "Recommended Free Resource"},
      {ui.txtPaid, QAccessible::EditableText, "Recommended Paid Resources"},
      {ui.txtPrompt, QAccessible::EditableText, "Your Article Prompt"},
      {ui.cmdGenerate, QAccessible::Button, "Generate Article Prompt"},
      {ui.chkFree, QAccessible::CheckBox, "Recommend Free Resources"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control->objectName().toStdString());
    const Spoken spoken = Speak(c.control);
    EXPECT_EQ(spoken.role, c.role);
    EXPECT_EQ(spoken.name, Q(c.name));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(c.control);
    EXPECT_FALSE(accessible->text(QAccessible::Description).contains(Q("<")));
  }
  // Under the prompt panel nothing is left for a screen reader to read.
  Click(ui.lblClose);
  Click(ui.lblItem[2]);
  Click(ui.cmdGenerate);
  for (QWidget* covered : std::initializer_list<QWidget*>{ui.lstProblems, ui.Label4, ui.txtFree}) {
    EXPECT_TRUE(covered->isHidden()) << covered->objectName().toStdString();
  }
  Click(ui.lblClose);
  EXPECT_FALSE(ui.lstProblems->isHidden());

  // The links' and regions' action runs them.
  QAccessibleActionInterface* action =
      QAccessible::queryAccessibleInterface(ui.lblInstructions)->actionInterface();
  ASSERT_NE(action, nullptr);
  action->doAction(QAccessibleActionInterface::pressAction());
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_EQ(modals[0].title, Q("Instructions"));
}

TEST_F(GuiTest, NicheByKeyAndByMenu) {
  Open();
  Click(ui.lblItem[2]);
  Click(ui.cmdGenerate);
  // Ctrl+5: niche 4; both panels close first.
  Key(window.get(), Qt::Key_5, Qt::ControlModifier);
  EXPECT_FALSE(ui.picNiche->isVisible());
  EXPECT_EQ(window->Controller().txtMenuIndex(), "4");
  EXPECT_EQ(ui.lblItem[4]->accessibleName(), Q("Self Esteem & Body Image"));
  Click(ui.lblItem[4]);
  ASSERT_EQ(ui.lstProblems->count(), 1);
  EXPECT_EQ(ui.lstProblems->item(0)->text(), Q("Mirror Anxiety"));
  Key(window.get(), Qt::Key_Escape);

  // The picture's context menu lists the six niches, the current one checked, with their keys.
  QStringList names;
  QStringList keys;
  int checked = -1;
  dialogs.onMenu = [&](QMenu* menu) {
    EXPECT_EQ(menu->title(), Q("Niche"));
    QList<QAction*> actions;
    for (QAction* action : menu->actions()) {
      if (!action->isSeparator()) actions << action;
    }
    for (qsizetype i = 0; i < actions.size(); ++i) {
      names << actions[i]->text();
      keys << actions[i]->shortcut().toString();
      if (actions[i]->isChecked()) checked = static_cast<int>(i);
    }
    actions.value(1)->trigger();
  };
  QContextMenuEvent rightClick(QContextMenuEvent::Mouse, ui.lblItem[0]->rect().center(),
                               ui.lblItem[0]->mapToGlobal(ui.lblItem[0]->rect().center()));
  QApplication::sendEvent(ui.lblItem[0], &rightClick);
  EXPECT_EQ(names, QStringList({"Internet Marketing", "Careers and Employment", "Self Improvement",
                                "Health and Wellness", "Relationships", "Personal Finance",
                                "Find a Problem\u2026"}));
  EXPECT_EQ(keys,
            QStringList({"Ctrl+1", "Ctrl+2", "Ctrl+3", "Ctrl+4", "Ctrl+5", "Ctrl+6", "Ctrl+F"}));
  EXPECT_EQ(checked, 4);
  EXPECT_EQ(window->Controller().txtMenuIndex(), "1");
  // By keyboard, from a region: Shift+F10 and the Menu key open the same menu.
  int opened = 0;
  dialogs.onMenu = [&](QMenu* menu) {
    EXPECT_EQ(menu->title(), Q("Niche"));
    ++opened;
  };
  ui.lblItem[3]->setFocus();
  Key(window.get(), Qt::Key_F10, Qt::ShiftModifier);
  Key(window.get(), Qt::Key_Menu);
  EXPECT_EQ(opened, 2);
}

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST_F(GuiTest, SaveAsMyProblemFromTheListsMenu) {
  Open();
  Click(ui.lblItem[2]);
  ui.txtProblem->selectAll();
  QTest::keyClicks(ui.txtProblem, "My shop is slow.");
  QString asked;
  inspect = [&](QDialog* dialog) {
    auto* input = qobject_cast<QInputDialog*>(dialog);
    ASSERT_NE(input, nullptr);
    asked = input->textValue();
    input->setTextValue(Q("Slow Shop"));
    input->accept();
  };
  QStringList entries;
  dialogs.onMenu = [&](QMenu* menu) {
    for (QAction* action : menu->actions()) entries << action->text();
    menu->actions().value(0)->trigger();
  };
  QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5),
                               ui.lstProblems->viewport()->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(ui.lstProblems->viewport(), &rightClick);
  EXPECT_EQ(entries, QStringList({"Save as My Problem\u2026", "Open My Problems Folder", "",
                                  "Revert to File", "Remove My Problem\u2026"}));
  EXPECT_EQ(asked, Q("Broken Links"));
  const std::filesystem::path saved = user.path() / "niches/0/2/Slow Shop.txt";
  EXPECT_TRUE(FileBytes(saved).starts_with("[PROBLEM]\r\nMy shop is slow.\r\n\r\n[FREE]\r\n"));
  ASSERT_EQ(ui.lstProblems->count(), 3);
  EXPECT_EQ(ui.lstProblems->currentItem()->text(), Q("Slow Shop"));
  EXPECT_EQ(ui.txtProblem->text(), Q("My shop is slow."));

  // Ctrl+S asks again, from the saved name; the folder opens from the menu.
  inspect = nullptr;
  Key(window.get(), Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(modals.size(), 2u);
  EXPECT_EQ(modals[1].title, Q("Save as My Problem"));
  std::filesystem::path opened;
  dialogs.onFolder = [&](const std::filesystem::path& folder) { opened = folder; };
  dialogs.onMenu = [&](QMenu* menu) { menu->actions().value(1)->trigger(); };
  QApplication::sendEvent(ui.lstProblems->viewport(), &rightClick);
  EXPECT_EQ(opened, saved.parent_path());
}

// Edits are marked in the list; the list's menu, by mouse or key, neither selects nor reloads;
// closing with edits asks once, Cancel first.
TEST_F(GuiTest, EditsAreMarkedKeptAndAskedAboutOnClosing) {
  Open();
  Click(ui.lblItem[2]);
  ui.txtProblem->setFocus();
  ui.txtProblem->end(false);
  QTest::keyClicks(ui.txtProblem, " Mine too.");
  QListWidgetItem* edited = ui.lstProblems->item(0);
  EXPECT_EQ(edited->data(Qt::AccessibleDescriptionRole).toString(), Q("edited"));
  EXPECT_TRUE(edited->font().italic());

  int menus = 0;
  dialogs.onMenu = [&](QMenu* menu) {
    ++menus;
    QStringList enabled;
    for (QAction* action : menu->actions()) {
      if (action->isEnabled() && !action->isSeparator()) enabled << action->text();
    }
    EXPECT_TRUE(enabled.contains(Q("Revert to File")));
  };
  const QPoint onRow1 = ui.lstProblems->visualItemRect(ui.lstProblems->item(1)).center();
  QTest::mousePress(ui.lstProblems->viewport(), Qt::RightButton, Qt::NoModifier, onRow1);
  QContextMenuEvent rightClick(QContextMenuEvent::Mouse, onRow1,
                               ui.lstProblems->viewport()->mapToGlobal(onRow1));
  QApplication::sendEvent(ui.lstProblems->viewport(), &rightClick);
  QTest::mouseRelease(ui.lstProblems->viewport(), Qt::RightButton, Qt::NoModifier, onRow1);
  EXPECT_EQ(ui.lstProblems->currentRow(), 0);
  EXPECT_EQ(ui.txtProblem->text(), Q("Links are broken. Mine too."));
  ui.lstProblems->setFocus();
  Key(window.get(), Qt::Key_F10, Qt::ShiftModifier);
  Key(window.get(), Qt::Key_Menu);
  EXPECT_EQ(menus, 3);

  // Another problem and back: the edit is there.
  Key(window.get(), Qt::Key_Down);
  EXPECT_EQ(ui.txtProblem->text(), Q("My site is slow."));
  Key(window.get(), Qt::Key_Up);
  EXPECT_EQ(ui.txtProblem->text(), Q("Links are broken. Mine too."));

  // Closing asks; Cancel is the default and keeps the window.
  QString asked;
  QString defaultButton;
  inspect = [&](QDialog* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    ASSERT_NE(box, nullptr);
    asked = box->text();
    defaultButton = box->defaultButton()->text();
  };
  window->close();
  EXPECT_EQ(asked, Q("Discard your edits of 1 problem?"));
  EXPECT_EQ(defaultButton, Q("Cancel"));
  EXPECT_TRUE(window->isVisible());
  inspect = [](QDialog* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    for (QAbstractButton* button : box->buttons()) {
      if (button->text() == Q("Discard")) button->click();
    }
  };
  window->close();
  EXPECT_FALSE(window->isVisible());
}

// The focus frame shows while the keyboard is in use; a window used with the mouse alone looks
// as it always did, though something has the focus from the start.
TEST_F(GuiTest, FocusFrameOnlyWhileTheKeyboardIsInUse) {
  Open();
  const auto framed = [this](int region) {
    const QImage shown = ui.Picture1->grab().toImage();
    const QPoint corner = ui.lblItem[region]->geometry().topLeft() + QPoint(1, 1);
    const QColor outer = shown.pixelColor(corner);
    const QColor inner = shown.pixelColor(corner + QPoint(1, 1));
    // Black outside, white inside: 3:1 at least against any tile.
    return outer == QColor(Qt::black) && inner == QColor(Qt::white);
  };
  ASSERT_EQ(QApplication::focusWidget(), ui.lblItem[0]);
  EXPECT_FALSE(framed(0));
  Key(window.get(), Qt::Key_Tab);  // the first key shows the frame where the focus is
  ASSERT_EQ(QApplication::focusWidget(), ui.lblItem[0]);
  EXPECT_TRUE(framed(0));
  QTest::mouseClick(ui.Picture1, Qt::LeftButton, {}, QPoint(2, 2));  // between the regions
  EXPECT_FALSE(framed(0));
  Key(window.get(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), ui.lblItem[1]);
  EXPECT_TRUE(framed(1));
  QTest::mouseClick(ui.Picture1, Qt::LeftButton, {}, QPoint(2, 2));  // between the regions
  EXPECT_FALSE(framed(1));
}

// "veltrane --print" gives byte for byte what Copy to Clipboard gives after Generate.
TEST_F(GuiTest, PrintGivesWhatTheClipboardGets) {
  app.Write("niches/0/5/Odd Texts.txt",
            "\xEF\xBB\xBF[PROBLEM]\nNo\xC2\xA0"
            "break \xE2\x80\xA8 here\r\n\r\n[FREE]\r\n"
            "A\rB \xE2\x80\xA9 C\r\n\r\n[PAID]\r\nX: \x93y\x94\r\nZ: \x80\n");
  app.Write("templates/template-free.txt",
            "#NICHE#|#SUBNICHE#\r\n#PROBLEM#\r#FREE#\n#PAID#\xE2\x80\xA9.");
  app.Write("templates/template.txt", "#PAID##PROBLEM#\r\n");
  const std::string options = "#LANGUAGE#|#TONE#|#LENGTH#\r\n#EXPERIENCE#\r\n";
  app.Write("templates/review/name.txt", "Product Review");
  app.Write("templates/review/template-free.txt", "Review: #PROBLEM#\r\n" + options);
  app.Write("templates/review/template.txt", "Review plain: #PAID#" + options);
  const std::filesystem::path experience = app.Write("experience.txt",
                                                     "I ran it \xE2\x80\x9C"
                                                     "daily\xE2\x80\x9D.\nTwice.\n");
  const struct {
    const char* type;  // as --type takes it
    const char* language;
    const char* tone;
    int length;
    bool withExperience;
  } rows[] = {
      {"default", "English", "friendly", 0, false},
      {"review", "English", "friendly", 0, false},
      {"Product Review", "Brazilian Portuguese", "direct", 1200, true},
  };
  Open();
  for (const auto& row : rows) {
    for (const bool includeFree : {true, false}) {
      SCOPED_TRACE(std::string(row.type) + (includeFree ? " free" : " plain"));
      Click(ui.lblItem[5]);
      if (ui.chkFree->isChecked() != includeFree) Click(ui.chkFree);
      auto* types = window->findChild<QComboBox*>(Q("cboArticleType"));
      types->setCurrentIndex(
          std::string(row.type) == "default" ? 0 : types->findText(Q("Product Review")));
      inspect = [&](QDialog* dialog) {
        const auto field = [dialog](const char* name) {
          for (QWidget* w : dialog->findChildren<QWidget*>()) {
            if (w->accessibleName() == Q(name)) return w;
          }
          return static_cast<QWidget*>(nullptr);
        };
        static_cast<QComboBox*>(field("Language"))->setCurrentText(Q(row.language));
        auto* tone = static_cast<QComboBox*>(field("Tone"));
        tone->setCurrentIndex(tone->findData(Q(row.tone)));
        static_cast<QSpinBox*>(field("Length"))->setValue(row.length);
        static_cast<QPlainTextEdit*>(field("Your own experience"))
            ->setPlainText(row.withExperience ? Q("I ran it \u201Cdaily\u201D.\nTwice.")
                                              : QString());
        dialog->accept();
      };
      Click(window->findChild<QWidget*>(Q("lblArticleOptions")));
      inspect = nullptr;
      Click(ui.cmdGenerate);
      Click(ui.lblCopyToClipboard);
      std::vector<std::string> words{
          "--print", "--niche", "0",          "--subniche", "5",      "--problem", "Odd Texts",
          "--type",  row.type,  "--language", row.language, "--tone", row.tone};
      if (!includeFree) words.push_back("--no-free");
      if (row.length != 0) words.insert(words.end(), {"--length", std::to_string(row.length)});
      if (row.withExperience) words.insert(words.end(), {"--experience-file", experience.string()});
      const std::vector<std::string_view> arguments(words.begin(), words.end());
      const auto parsed = cli::Parse(arguments);
      ASSERT_TRUE(std::holds_alternative<cli::Options>(parsed)) << std::get<std::string>(parsed);
      const cli::Outcome printed =
          cli::Run(std::get<cli::Options>(parsed), {user.path(), app.path()});
      EXPECT_EQ(printed.status, 0) << printed.err;
      EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), printed.out);
      Click(ui.lblClose);
      Click(ui.lblClose);
    }
  }
}

}  // namespace
}  // namespace veltrane::test
