#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <algorithm>
#include <filesystem>

#include "GuiFixture.h"
#include "ui/qt/InfoWindows.h"

namespace veltrane::test {
namespace {

QString Q(const char* text) {
  return QString::fromUtf8(text);
}

TEST_F(GuiTest, StartsOnTheFirstNicheInThePictureView) {
  Open();
  EXPECT_EQ(window->windowTitle(), Q("Veltrane!"));
  EXPECT_EQ(window->Controller().txtMenuIndex(), "0");
  EXPECT_EQ(window->Picture1->Picture().size(), QSize(622, 670));
  EXPECT_TRUE(window->picMenu->isHidden());
  EXPECT_TRUE(window->picNiche->isHidden());
  EXPECT_TRUE(window->picArticlePrompt->isHidden());
  EXPECT_TRUE(window->lblMenu[5]->isHidden());
  EXPECT_EQ(window->shPosition->y(), 27);  // menu entry 0's top + 50 twips = 410 twips
  EXPECT_TRUE(window->chkFree->isChecked());
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  // Centred on the window's outer width.
  EXPECT_EQ(window->Picture1->x(), window->frameGeometry().width() / 2 - 311);
  EXPECT_TRUE(modals.empty());
}

TEST_F(GuiTest, ControlsLieWhereTheLayoutPutsThem) {
  Open();
  qt::MainWindow& w = *window;
  const struct {
    QWidget* control;
    int left, top, width, height;  // twips
  } layout[] = {
      {w.Picture2, 270, 270, 4065, 690},
      {w.lblAppName, 270, 180, 3435, 375},
      {w.picMenu, 270, 1035, 4065, 4695},
      {w.lblMenu[0], 405, 360, 4155, 330},
      {w.lblMenu[1], 405, 810, 4155, 285},
      {w.lblMenu[4], 405, 2160, 4155, 330},
      {w.lblMenu[5], 405, 2610, 4155, 375},
      {w.Picture1, -1, 765, 9330, 10050},  // left: centred at run time
      {w.lblItem[0], 3600, 450, 1995, 1275},
      {w.lblItem[1], 5985, 1710, 1995, 1275},
      {w.lblItem[2], 7110, 4005, 1995, 1275},
      {w.lblItem[3], 5895, 6210, 1995, 1275},
      {w.lblItem[4], 3600, 7470, 1995, 1275},
      {w.lblItem[5], 1350, 6300, 1995, 1275},
      {w.lblItem[6], 90, 4050, 1995, 1275},
      {w.lblItem[7], 1215, 1800, 2310, 1275},
      {w.picNiche, 4995, 3690, 15180, 9330},
      {w.picArticlePrompt, 9135, 5445, 14280, 8340},
      {w.cmdGenerate, 5355, 8370, 4785, 690},
      {w.chkFree, 585, 4050, 3570, 420},
      {w.lstProblems, 585, 1125, 12885, 1680},
      {w.txtProblem, 585, 3330, 10860, 600},
      {w.txtFree, 585, 4545, 13560, 780},
      {w.txtPaid, 585, 6345, 13560, 1275},
      {w.lblSelectedNiche, 585, 225, 9195, 330},
      {w.lblHelp, 4320, 5940, 5505, 330},
      {w.Label8, 585, 7695, 11625, 555},
      {w.lblClose, 14580, 225, 330, 375},
      {w.Label5, 585, 2970, 3030, 465},
      {w.Label4, 585, 765, 8385, 465},
      {w.Label3, 4230, 4140, 10275, 465},
      {w.Label2, 585, 5400, 9870, 465},
      {w.Label1, 585, 5940, 3705, 465},
      {w.txtPrompt, 810, 765, 12975, 7035},
      {w.lblCopyToClipboard, 11250, 270, 2490, 330},
      {w.Label6, 810, 270, 2895, 375},
      {w.lblInstructions, 16380, 225, 1545, 330},
  };
  for (const auto& c : layout) {
    SCOPED_TRACE(c.control->objectName().toStdString());
    const QRect r = c.control->geometry();
    if (c.left >= 0) {
      EXPECT_EQ(r.x(), c.left / 15);
    }
    EXPECT_EQ(r.y(), c.top / 15);
    EXPECT_EQ(r.width(), c.width / 15);
    EXPECT_EQ(r.height(), c.height / 15);
  }
  EXPECT_EQ(w.shPosition->size(), QSize(10, 10));
  // Stacking: the niche panel over everything, the prompt panel over the rest of its panel.
  const QObjectList& top = w.children();
  EXPECT_GT(top.indexOf(w.picNiche), top.indexOf(w.Picture1));
  EXPECT_GT(top.indexOf(w.picMenu), top.indexOf(w.Picture1));
  EXPECT_GT(top.indexOf(w.Picture1), top.indexOf(w.Picture2));
  const QObjectList& panel = w.picNiche->children();
  EXPECT_EQ(panel.indexOf(w.picArticlePrompt), panel.size() - 1);
  EXPECT_GT(panel.indexOf(w.cmdGenerate), panel.indexOf(w.Label1));
}

TEST_F(GuiTest, TheRoadOfOnePromptByMouse) {
  Open();
  qt::MainWindow& w = *window;
  Click(w.lblItem[2]);
  EXPECT_TRUE(w.picNiche->isVisible());
  EXPECT_EQ(w.lblSelectedNiche->text(), Q("Niche: SEO"));
  ASSERT_EQ(w.lstProblems->count(), 2);
  EXPECT_EQ(w.lstProblems->item(0)->text(), Q("Broken Links"));
  EXPECT_EQ(w.lstProblems->currentRow(), 0);
  EXPECT_EQ(w.txtProblem->text(), Q("Links are broken."));
  EXPECT_EQ(w.txtPaid->toPlainText(), Q("Semrush: site audits.\nSurfer: content editor.\n"));
  EXPECT_EQ(w.picNiche->x(), w.frameGeometry().width() / 2 - 506);
  EXPECT_EQ(w.picNiche->y(), w.Picture1->y());

  // Pick the other problem by mouse, then type over its problem text.
  const QRect row = w.lstProblems->visualItemRect(w.lstProblems->item(1));
  QTest::mouseClick(w.lstProblems->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_EQ(w.txtProblem->text(), Q("My site is slow."));
  w.txtProblem->selectAll();
  QTest::keyClicks(w.txtProblem, "My shop is slow.");

  Click(w.cmdGenerate);
  EXPECT_TRUE(w.picArticlePrompt->isVisible());
  EXPECT_EQ(w.picArticlePrompt->pos(), w.Label4->pos());
  EXPECT_EQ(w.txtPrompt->toPlainText(),
            Q("Niche Internet Marketing / SEO\nProblem: My shop is slow.\n"
              "Free: PageSpeed Insights: finds what slows it.\nPaid:\n"
              "Kinsta: fast hosting.\nWP Rocket: caching.\n"));
  EXPECT_TRUE(w.lblSelectedNiche->isVisible());
  EXPECT_TRUE(w.lblClose->isVisible());

  // The clipboard gets exactly what the box holds, the user's edits included.
  w.txtPrompt->moveCursor(QTextCursor::End);
  QTest::keyClicks(w.txtPrompt, "Thanks!");
  inspect = [](QDialog* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->icon(), QMessageBox::Information);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
  };
  Click(w.lblCopyToClipboard);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), w.txtPrompt->toPlainText());
  EXPECT_TRUE(QGuiApplication::clipboard()->text().endsWith(Q("caching.\nThanks!")));
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_EQ(modals[0].title, Q("Done"));
  EXPECT_EQ(modals[0].text, Q("Done! Prompt copied to clipboard."));

  // Without free resources: the other template. Its button lies under the prompt panel, so
  // close that first.
  Click(w.lblClose);
  EXPECT_FALSE(w.picArticlePrompt->isVisible());
  EXPECT_EQ(w.txtProblem->text(), Q("My shop is slow."));
  Click(w.chkFree);
  EXPECT_FALSE(w.chkFree->isChecked());
  Click(w.cmdGenerate);
  EXPECT_EQ(w.txtPrompt->toPlainText(),
            Q("Plain Internet Marketing: My shop is slow.\nKinsta: fast hosting.\nWP Rocket: "
              "caching.\n"));

  Click(w.lblClose);
  EXPECT_TRUE(w.picNiche->isVisible());
  Click(w.lblClose);
  EXPECT_FALSE(w.picNiche->isVisible());
  EXPECT_TRUE(w.lblItem[2]->isVisible());
}

TEST_F(GuiTest, TextsFromFilesAreShownLiterally) {
  Open();
  qt::MainWindow& w = *window;
  Click(w.lblItem[3]);
  ASSERT_EQ(w.lstProblems->count(), 1);
  EXPECT_EQ(w.lstProblems->item(0)->text(), Q("<b>Bold & Co"));
  EXPECT_EQ(w.txtProblem->text(), Q("P & <i>Q</i>"));
  EXPECT_EQ(w.lblSelectedNiche->textFormat(), Qt::PlainText);
  Click(w.lblClose);

  w.Controller().lblMenu_Click(4);
  Click(w.lblItem[4]);
  EXPECT_EQ(w.lblSelectedNiche->text(), Q("Niche: Self Esteem & Body Image"));
  EXPECT_EQ(w.lblItem[4]->accessibleName(), Q("Self Esteem & Body Image"));
  EXPECT_TRUE(w.lblItem[4]->toolTip().contains(Q("Self Esteem &amp; Body Image")));
  for (QLabel* label : w.findChildren<QLabel*>()) {
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
  }
}

TEST_F(GuiTest, RegionsNameTheirSubniches) {
  Open();
  const char* names[] = {
      "Sales Funnel Creation", "Email Marketing", "SEO",       "PPC",
      "Video Creation",        "Hosting",         "WordPress", "Affiliate Marketing"};
  for (int j = 0; j < 8; ++j) {
    EXPECT_EQ(window->lblItem[j]->accessibleName(), Q(names[j]));
    EXPECT_EQ(window->lblItem[j]->cursor().shape(), Qt::UpArrowCursor);
  }
  EXPECT_EQ(window->lblClose->cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(window->lblInstructions->cursor().shape(), Qt::UpArrowCursor);
}

TEST_F(GuiTest, FailureShowsAMessageAndTheWindowGoesOn) {
  Open();
  qt::MainWindow& w = *window;
  Click(w.lblItem[2]);
  std::filesystem::remove(app.path() / "niches/0/2/Slow Website.txt");
  const QString before = w.txtProblem->text();
  w.lstProblems->setCurrentRow(1);  // as the user's selection would
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_EQ(modals[0].className, Q("QMessageBox"));
  EXPECT_TRUE(modals[0].text.contains(Q("niches/0/2/Slow Website.txt")));
  EXPECT_TRUE(modals[0].text.contains(Q("No such file or directory")));
  EXPECT_EQ(w.txtProblem->text(), before);
  EXPECT_TRUE(w.isVisible());

  std::filesystem::remove(app.path() / "templates/template-free.txt");
  Click(w.cmdGenerate);
  ASSERT_EQ(modals.size(), 2u);
  EXPECT_TRUE(modals[1].text.contains(Q("templates/template-free.txt")));
  EXPECT_TRUE(w.picArticlePrompt->isVisible());
  Click(w.lblClose);
  Click(w.lblClose);
  EXPECT_FALSE(w.picNiche->isVisible());
}

TEST_F(GuiTest, MissingPictureStopsStartUpWithAMessage) {
  std::filesystem::remove(app.path() / "images/0.jpg");
  Open();
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_TRUE(modals[0].text.contains(Q("images/0.jpg")));
  EXPECT_FALSE(window->isVisible());
}

TEST_F(GuiTest, TabOrderRunsFromTheBottomOfThePanelUp) {
  Open();
  qt::MainWindow& w = *window;
  Click(w.lblItem[2]);
  Click(w.cmdGenerate);
  Click(w.lblClose);
  QWidget* const order[] = {w.txtPaid,     w.txtFree, w.txtProblem,
                            w.lstProblems, w.chkFree, w.cmdGenerate};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    QWidget* next = order[i]->nextInFocusChain();
    while (next->focusPolicy() == Qt::NoFocus || !next->isEnabled())
      next = next->nextInFocusChain();
    EXPECT_EQ(next, order[i + 1]) << order[i]->objectName().toStdString() << " -> "
                                  << next->objectName().toStdString();
  }
  EXPECT_FALSE(w.cmdGenerate->isDefault());
  EXPECT_FALSE(w.cmdGenerate->autoDefault());
}

// Label texts of a window, top to bottom.
QStringList LabelTexts(QDialog* dialog) {
  QList<QLabel*> labels = dialog->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
  std::sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
  QStringList texts;
  for (QLabel* label : labels) texts << label->text();
  return texts;
}

TEST_F(GuiTest, InformationWindowsShowTheirFixedTextsEachTimeAfresh) {
  Open();
  qt::MainWindow& w = *window;
  QStringList helpTexts;
  QSize helpSize;
  inspect = [&](QDialog* dialog) {
    helpTexts = LabelTexts(dialog);
    helpSize = dialog->size();
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMinimizeButtonHint);
    auto* close = dialog->findChild<QPushButton*>(Q("cmdClose"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), Q("Close"));
  };
  Click(w.lblItem[2]);
  Click(w.lblHelp);
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_EQ(modals[0].title, Q("Help"));
  EXPECT_TRUE(modals[0].dialog.isNull());  // discarded when closed
  EXPECT_EQ(helpSize, QSize(773, 284));
  EXPECT_EQ(helpTexts,
            QStringList({Q("How to Monetize the Paid Resources"),
                         Q("The paid resources are resources that ChatGPT know (can write content "
                           "for them) and that you can promote as an affiliate (always check this "
                           "as things may change). "),
                         Q("You can insert your affiliate links after generating your article "
                           "with ChatGPT (or any other tool).")}));

  const QStringList firstHelp = helpTexts;
  Click(w.lblHelp);
  EXPECT_EQ(helpTexts, firstHelp);

  Click(w.lblInstructions);
  ASSERT_EQ(modals.size(), 3u);
  EXPECT_EQ(modals[2].title, Q("Instructions"));
  EXPECT_EQ(helpSize, QSize(766, 544));
  ASSERT_EQ(helpTexts.size(), 8);
  EXPECT_TRUE(helpTexts[0].contains(Q("\"Problem-Solution\"")));
  EXPECT_EQ(helpTexts[3],
            Q("To get started, choose a niche. Then, select a common problem from the list.\n\n"));
  EXPECT_TRUE(helpTexts[5].contains(Q("\"resource name affiliate program\"")));
  EXPECT_TRUE(helpTexts[6].contains(Q("\"Generate Article Prompt\"")));
  EXPECT_EQ(helpTexts[7], Q("That's All!"));
  // The main window is as it was.
  EXPECT_TRUE(w.picNiche->isVisible());
  EXPECT_EQ(w.lblSelectedNiche->text(), Q("Niche: SEO"));
}

}  // namespace
}  // namespace veltrane::test
