// Random clicks and keys on the real window: it must neither crash nor stop answering.
#include <QApplication>
#include <QTest>
#include <random>

#include "GuiFixture.h"

namespace veltrane::test {
namespace {

class Monkey : public GuiTest, public testing::WithParamInterface<unsigned> {};

TEST_P(Monkey, TwoThousandRandomEventsLeaveTheWindowAnswering) {
  Open();
  ASSERT_TRUE(window->isVisible());
  std::mt19937 rng(GetParam());
  const Qt::Key keys[] = {Qt::Key_Tab,   Qt::Key_Backtab,    Qt::Key_Return, Qt::Key_Escape,
                          Qt::Key_Space, Qt::Key_Up,         Qt::Key_Down,   Qt::Key_Backspace,
                          Qt::Key_A,     Qt::Key_NumberSign, Qt::Key_Delete, Qt::Key_End};
  int eventsWithPanelOpen = 0;  // the monkey must reach past the picture view
  const auto panelOpen = [this] {
    const auto* panel = window->findChild<QWidget*>(QStringLiteral("picNiche"));
    return panel != nullptr && panel->isVisible();
  };
  for (int i = 0; i < 2000; ++i) {
    if (panelOpen()) ++eventsWithPanelOpen;
    QList<QWidget*> targets;
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (w->isVisible() && w->isEnabled() && w->width() > 0 && w->height() > 0) targets << w;
    }
    targets << window.get();
    if (rng() % 4 == 0) {
      QWidget* focus = QApplication::focusWidget();
      QTest::keyClick(focus ? focus : window.get(), keys[rng() % std::size(keys)]);
    } else {
      QWidget* target = targets[static_cast<qsizetype>(rng() % targets.size())];
      const QPoint at(static_cast<int>(rng() % target->width()),
                      static_cast<int>(rng() % target->height()));
      QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, at);
    }
  }
  EXPECT_GT(eventsWithPanelOpen, 0);
  // Still answering: closing whatever is open and opening the instructions works.
  ui = Controls(*window);
  while (panelOpen()) QTest::mouseClick(ui.lblClose, Qt::LeftButton);
  const std::size_t before = modals.size();
  QTest::mouseClick(ui.lblInstructions, Qt::LeftButton);
  ASSERT_EQ(modals.size(), before + 1);
  EXPECT_EQ(modals.back().title, QStringLiteral("Instructions"));
  EXPECT_TRUE(window->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Seeds, Monkey, testing::Range(1u, 21u));

}  // namespace
}  // namespace veltrane::test
