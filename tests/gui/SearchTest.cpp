// Find a Problem: Ctrl+F or the picture's menu, typing, the keys of the result list, and what a
// screen reader hears.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QTest>
#include <utility>

#include "GuiFixture.h"

namespace veltrane::test {
namespace {

QString Q(const char* text) {
  return QString::fromUtf8(text);
}

struct SearchControls {
  explicit SearchControls(QWidget& window)
      : popup(window.findChild<QWidget*>(QStringLiteral("picSearch"))),
        line(window.findChild<QLineEdit*>(QStringLiteral("txtSearch"))),
        list(window.findChild<QListView*>(QStringLiteral("lstSearchResults"))),
        status(window.findChild<QLabel*>(QStringLiteral("lblSearchStatus"))) {}
  QWidget* popup;
  QLineEdit* line;
  QListView* list;
  QLabel* status;
};

// Ctrl+F where the keyboard is; the search as it then stands.
SearchControls PressCtrlF(QWidget& window) {
  QWidget* focus = QApplication::focusWidget();
  QTest::keyClick(focus != nullptr ? focus : &window, Qt::Key_F, Qt::ControlModifier);
  SearchControls search(window);
  EXPECT_TRUE(search.popup != nullptr && search.popup->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), search.line);
  return search;
}

// What a screen reader reads of a control: its name and its description.
std::pair<QString, QString> Said(QWidget* control) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
  if (accessible == nullptr) return {};
  return {accessible->text(QAccessible::Name), accessible->text(QAccessible::Description)};
}

TEST_F(GuiTest, FindAProblemOpensItAsIfClicked) {
  user.Write("niches/1/0/Slow Replies.txt", ProblemText("Recruiters answer late.", "F", "P: p"));
  Open();
  EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("picSearch")), nullptr);  // not at start
  const struct {
    const char* typed;
    int downs;
    const char* status;
    const char* chosen;
    const char* menuIndex;
    int subniche;
  } cases[] = {
      {"mirror", 0, "1 problem found", "Mirror Anxiety", "4", 4},
      {"SLOW", 1, "2 problems found", "Slow Replies", "1", 0},  // names first, by niche
      {"ahrefs finds", 0, "1 problem found", "Broken Links", "0", 2},
      {"<b>", 0, "1 problem found", "<b>Bold & Co", "0", 3},  // plain text
      {"slow", 0, "2 problems found", "Slow Website", "0", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    const SearchControls search = PressCtrlF(*window);
    ASSERT_NE(search.line, nullptr);
    QTest::keyClicks(search.line, c.typed);  // replaces the last text, selected on opening
    QTRY_COMPARE(search.status->text(), Q(c.status));  // "Searching…" while the index is made
    for (int i = 0; i < c.downs; ++i) QTest::keyClick(search.line, Qt::Key_Down);
    EXPECT_EQ(search.list->currentIndex().data().toString(), Q(c.chosen));
    QTest::keyClick(search.line, Qt::Key_Return);
    EXPECT_FALSE(search.popup->isVisible());
    ui = Controls(*window);
    EXPECT_EQ(window->Controller().txtMenuIndex(), c.menuIndex);
    EXPECT_EQ(window->Controller().SubnicheIndex(), c.subniche);
    ASSERT_NE(ui.lstProblems->currentItem(), nullptr);
    EXPECT_EQ(ui.lstProblems->currentItem()->text(), Q(c.chosen));
    EXPECT_EQ(QApplication::focusWidget(), ui.lstProblems);
  }
}

TEST_F(GuiTest, EscapeLeavesTheSearchAndTheFocusWhereItWas) {
  Open();
  ui.lblItem[3]->setFocus();
  SearchControls search = PressCtrlF(*window);
  QTest::keyClicks(search.line, "slow");
  QTest::keyClick(search.line, Qt::Key_Escape);
  EXPECT_FALSE(search.popup->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), ui.lblItem[3]);
  EXPECT_FALSE(window->IsPanelVisible(Panel::Niche));

  // The picture's menu opens it too, with the last text.
  dialogs.onMenu = [](QMenu* menu) {
    for (QAction* action : menu->actions()) {
      if (action->text() == Q("Find a Problem\u2026")) action->trigger();
    }
  };
  QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5),
                               ui.Picture1->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(ui.Picture1, &rightClick);
  EXPECT_TRUE(search.popup->isVisible());
  EXPECT_EQ(search.line->selectedText(), Q("slow"));
  QTest::keyClick(search.line, Qt::Key_Escape);
  EXPECT_FALSE(search.popup->isVisible());
}

// The count is the status label's name and the line's description, both announced as they
// change; each result is read by its name and place, and where the match is.
TEST_F(GuiTest, ScreenReadersHearTheCountAndEachResult) {
  user.Write("niches/1/0/Slow Replies.txt", ProblemText("Recruiters answer late.", "F", "P: p"));
  Open();
  const SearchControls search = PressCtrlF(*window);
  EXPECT_EQ(Said(search.status).first, Q("Searching\u2026"));  // the index is made after
  EXPECT_EQ(Said(search.line), std::make_pair(Q("Find a problem"), Q("Searching\u2026")));
  QTest::keyClicks(search.line, "slow");
  QTRY_COMPARE(Said(search.status).first, Q("2 problems found"));
  EXPECT_EQ(Said(search.line).second, Q("2 problems found"));
  QTest::keyClick(search.line, Qt::Key_Down);
  const QString second = Q("Slow Replies, Careers and Employment \u203A Resume Writing, mine");
  EXPECT_EQ(Said(search.line).second, second + Q(" (2 of 2)"));

  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(search.list);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->childCount(), 2);
  EXPECT_EQ(list->child(0)->text(QAccessible::Name),
            Q("Slow Website, Internet Marketing \u203A SEO"));
  EXPECT_EQ(list->child(1)->text(QAccessible::Name), second);
  EXPECT_EQ(list->child(1)->text(QAccessible::Description), Q("Found in the name: Slow Replies"));
  QTest::keyClicks(search.line, " late");
  QTRY_COMPARE(Said(search.status).first, Q("1 problem found"));
  // Read from the model: the interfaces of the rows above are cached until a screen reader,
  // which there is none of offscreen, has them dropped.
  EXPECT_EQ(search.list->model()->index(0, 0).data(Qt::AccessibleDescriptionRole).toString(),
            Q("Found in the problem: Recruiters answer late."));
}

}  // namespace
}  // namespace veltrane::test
