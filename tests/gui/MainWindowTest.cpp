#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include <cmath>

#include "GuiFixture.h"
#include "ui/FormLayout.h"
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
  EXPECT_EQ(ShownPicture(ui.Picture1).size(), QSize(622, 670));
  EXPECT_TRUE(ui.picMenu->isHidden());
  EXPECT_TRUE(ui.lblMenu[5]->isHidden());
  EXPECT_EQ(ui.shPosition->y(), 27);  // menu entry 0's top + 50 twips = 410 twips
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  // Centred on the window's outer width, of which the form scrolls where the window is smaller.
  EXPECT_EQ(ui.Picture1->x(), OuterWidth() / 2 - 311);
  EXPECT_TRUE(modals.empty());
  // The hidden niche panel is not built before it is needed, nor by keys that find it closed;
  // then it starts as it should.
  window->Controller().CloseKey();
  window->Controller().GenerateKey();
  EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("picNiche")), nullptr);
  Click(ui.lblItem[2]);
  ASSERT_NE(ui.picNiche, nullptr);
  EXPECT_TRUE(ui.picArticlePrompt->isHidden());
  EXPECT_TRUE(ui.chkFree->isChecked());
  EXPECT_EQ(window->Text(TextBox::Prompt), "");
}

TEST_F(GuiTest, ControlsLieWhereTheLayoutPutsThem) {
  Open();
  Click(ui.lblItem[2]);
  for (const form::Control& control : form::kMainControls) {
    const QString name = QString::fromUtf8(control.name.data(), control.name.size());
    SCOPED_TRACE(name.toStdString());
    auto* widget = window->findChild<QWidget*>(name);
    ASSERT_NE(widget, nullptr);
    QWidget* container = widget->parentWidget();
    EXPECT_EQ(container == ui.canvas ? std::string_view() : container->objectName().toStdString(),
              control.container);
    // Places count from the container's client area: inside a panel's border line.
    QPoint client;
    if (control.container == "picNiche" || control.container == "picArticlePrompt") {
      const auto* panel = qobject_cast<QFrame*>(container);
      ASSERT_NE(panel, nullptr);
      EXPECT_EQ(panel->frameWidth(), 1);
      client = QPoint(panel->frameWidth(), panel->frameWidth());
    }
    const QRect r = widget->geometry().translated(-client);
    if (control.name != "Picture1" && control.name != "picNiche") {  // placed at run time
      EXPECT_EQ(r.x() * 15, control.rect.left);
    }
    if (control.name != "picNiche") {
      EXPECT_EQ(r.y() * 15, control.rect.top);
    }
    EXPECT_EQ(r.width() * 15, control.rect.width);
    EXPECT_EQ(r.height() * 15, control.rect.height);
  }
  // Stacking: the niche panel over everything, the prompt panel over the rest of its panel.
  const QObjectList& top = ui.canvas->children();
  EXPECT_GT(top.indexOf(ui.picNiche), top.indexOf(ui.Picture1));
  EXPECT_GT(top.indexOf(ui.picMenu), top.indexOf(ui.Picture1));
  EXPECT_GT(top.indexOf(ui.Picture1), top.indexOf(ui.Picture2));
  const QObjectList& panel = ui.picNiche->children();
  EXPECT_EQ(panel.indexOf(ui.picArticlePrompt), panel.size() - 1);
  EXPECT_GT(panel.indexOf(ui.cmdGenerate), panel.indexOf(ui.Label1));
}

TEST_F(GuiTest, TheRoadOfOnePromptByMouse) {
  Open();
  const Controls& w = ui;
  Click(w.lblItem[2]);
  EXPECT_TRUE(w.picNiche->isVisible());
  EXPECT_EQ(w.lblSelectedNiche->text(), Q("Niche: SEO"));
  ASSERT_EQ(w.lstProblems->count(), 2);
  EXPECT_EQ(w.lstProblems->item(0)->text(), Q("Broken Links"));
  EXPECT_EQ(w.lstProblems->currentRow(), 0);
  EXPECT_EQ(w.txtProblem->text(), Q("Links are broken."));
  EXPECT_EQ(w.txtPaid->toPlainText(), Q("Semrush: site audits.\nSurfer: content editor.\n"));
  EXPECT_EQ(w.picNiche->x(), OuterWidth() / 2 - 506);
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
  const Controls& w = ui;
  Click(w.lblItem[3]);
  ASSERT_EQ(w.lstProblems->count(), 1);
  EXPECT_EQ(w.lstProblems->item(0)->text(), Q("<b>Bold & Co"));
  EXPECT_EQ(w.txtProblem->text(), Q("P & <i>Q</i>"));
  EXPECT_EQ(w.lblSelectedNiche->textFormat(), Qt::PlainText);
  Click(w.lblClose);

  window->Controller().lblMenu_Click(4);
  Click(w.lblItem[4]);
  EXPECT_EQ(w.lblSelectedNiche->text(), Q("Niche: Self Esteem & Body Image"));
  EXPECT_EQ(w.lblItem[4]->accessibleName(), Q("Self Esteem & Body Image"));
  EXPECT_EQ(w.lblItem[4]->toolTip(), Q("Self Esteem & Body Image"));
  EXPECT_FALSE(w.lblItem[4]->accessibleDescription().contains(Q("<")));
  for (QLabel* label : window->findChildren<QLabel*>()) {
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
  }
}

TEST_F(GuiTest, RegionsNameTheirSubniches) {
  Open();
  const char* names[] = {
      "Sales Funnel Creation", "Email Marketing", "SEO",       "PPC",
      "Video Creation",        "Hosting",         "WordPress", "Affiliate Marketing"};
  for (std::size_t j = 0; j < kSubnicheCount; ++j) {
    EXPECT_EQ(ui.lblItem[j]->accessibleName(), Q(names[j]));
    EXPECT_EQ(ui.lblItem[j]->cursor().shape(), Qt::UpArrowCursor);
  }
  EXPECT_EQ(ui.lblInstructions->cursor().shape(), Qt::UpArrowCursor);
  Click(ui.lblItem[0]);
  EXPECT_EQ(ui.lblClose->cursor().shape(), Qt::ArrowCursor);
}

// After the user has acted, a resize still centres the picture and a shown niche panel, and
// what the panel covers follows it: nothing stays disabled once it closes.
TEST_F(GuiTest, ResizingCentersAgainAndCoveredControlsFollowThePanel) {
  Open();
  Click(ui.lblItem[2]);
  const auto coveredAsItStands = [&] {
    for (QObject* child : ui.picNiche->parentWidget()->children()) {
      auto* under = qobject_cast<QWidget*>(child);
      if (under == nullptr || under == ui.picNiche || under->isWindow()) continue;
      if (ui.picNiche->parentWidget()->children().indexOf(under) >
          ui.picNiche->parentWidget()->children().indexOf(ui.picNiche)) {
        continue;  // in front of the panel
      }
      const bool covered =
          ui.picNiche->isVisible() && under->geometry().intersects(ui.picNiche->geometry());
      EXPECT_EQ(under->isEnabled(), !covered) << under->objectName().toStdString();
    }
  };
  coveredAsItStands();
  window->showNormal();
  for (const QSize size : {QSize(900, 700), QSize(1600, 900), QSize(700, 600)}) {
    SCOPED_TRACE(size.width());
    window->resize(size);
    QCoreApplication::processEvents();
    const int middle = OuterWidth() / 2;
    EXPECT_EQ(ui.Picture1->x(), middle - ui.Picture1->width() / 2);
    EXPECT_EQ(ui.picNiche->x(), middle - ui.picNiche->width() / 2);
    coveredAsItStands();
  }
  Click(ui.lblClose);
  coveredAsItStands();
}

// Twips are physical: at the screen's dots per inch the whole form grows, the picture with it;
// a window smaller than the form scrolls to whatever takes the focus.
TEST_F(GuiTest, TheFormGrowsWithTheScreensDotsPerInchAndScrollsToTheFocus) {
  for (const double dpi : {96.0, 144.0, 192.0}) {
    SCOPED_TRACE(dpi);
    qt::SetScreenDpi(dpi);
    Open();
    Click(ui.lblItem[2]);
    const auto px = [dpi](int twips) { return static_cast<int>(std::lround(twips * dpi / 1440)); };
    for (const char* name : {"Picture1", "lblItem3", "picNiche", "lstProblems", "cmdGenerate"}) {
      const form::Rect r = form::MainControl(name).rect;
      const QWidget* control = window->findChild<QWidget*>(Q(name));
      EXPECT_EQ(control->size(), QSize(px(r.width), px(r.height))) << name;
    }
    EXPECT_EQ(ui.lblItem[3]->pos(), QPoint(px(form::MainControl("lblItem3").rect.left),
                                           px(form::MainControl("lblItem3").rect.top)));
    const QPixmap picture = ShownPicture(ui.Picture1);
    EXPECT_EQ((picture.deviceIndependentSize() * 1000).toSize(),
              QSize(622'000, 670'000) * dpi / 96);

    window->showNormal();
    window->resize(500, 400);
    QCoreApplication::processEvents();
    for (QWidget* next : std::initializer_list<QWidget*>{ui.cmdGenerate, ui.lblHelp, ui.txtPaid}) {
      next->setFocus();
      QCoreApplication::processEvents();
      const QRect shown(next->mapTo(ui.canvas->parentWidget(), QPoint()), next->size());
      EXPECT_TRUE(ui.canvas->parentWidget()->rect().intersects(shown))
          << next->objectName().toStdString();
    }
    window.reset();
  }
  qt::SetScreenDpi(96);
}

// Under a dark desktop palette the window keeps the light one it is drawn for, and its texts
// stand out from what is behind them.
TEST_F(GuiTest, OneColorSchemeWithReadableTexts) {
  const QPalette before = QApplication::palette();
  QPalette dark = before;
  for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
    dark.setColor(role, QColor(30, 30, 30));
  }
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    dark.setColor(role, QColor(230, 230, 230));
  }
  QApplication::setPalette(dark);
  Open();
  Click(ui.lblItem[2]);
  const QPalette shown = QApplication::palette();
  EXPECT_GE(shown.color(QPalette::Window).lightness(), 200);
  const struct {
    QPalette::ColorRole text;
    QPalette::ColorRole behind;
  } pairs[] = {{QPalette::WindowText, QPalette::Window},
               {QPalette::Text, QPalette::Base},
               {QPalette::ButtonText, QPalette::Button},
               {QPalette::HighlightedText, QPalette::Highlight}};
  for (const auto& pair : pairs) {
    EXPECT_GE(qt::ContrastRatio(shown.color(pair.text), shown.color(pair.behind)), 4.5)
        << pair.text;
  }
  // Each text control against what it stands on; the three grey hints keep their colour.
  for (QWidget* control : ui.canvas->findChildren<QWidget*>()) {
    const QString name = control->objectName();
    if (name.isEmpty() || name.startsWith(Q("lblItem")) || name == Q("Label2") ||
        name == Q("Label3") || name == Q("Label8")) {
      continue;
    }
    if (qobject_cast<QLabel*>(control) == nullptr &&
        qobject_cast<QPushButton*>(control) == nullptr && name.left(3) != Q("lbl")) {
      continue;
    }
    QWidget* behind = control;
    while (!behind->autoFillBackground() && behind->parentWidget() != nullptr) {
      behind = behind->parentWidget();
    }
    const QPalette::ColorRole ground =
        qobject_cast<QPushButton*>(control) != nullptr ? QPalette::Button : QPalette::Window;
    const QColor back = (ground == QPalette::Button ? control : behind)->palette().color(ground);
    const QColor text = control->palette().color(control->foregroundRole());
    EXPECT_GE(qt::ContrastRatio(text, back), 4.5) << name.toStdString();
  }
  window.reset();
  QApplication::setPalette(before);
}

TEST_F(GuiTest, FailureShowsAMessageAndTheWindowGoesOn) {
  Open();
  const Controls& w = ui;
  Click(w.lblItem[2]);
  std::filesystem::remove(app.path() / "niches/0/2/Slow Website.txt");
  QString shownWithMessage = Q("(no message)");
  inspect = [&](QDialog*) { shownWithMessage = w.txtProblem->text(); };
  w.lstProblems->setCurrentRow(1);  // as the user's selection would
  inspect = nullptr;
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_EQ(modals[0].className, Q("QMessageBox"));
  EXPECT_TRUE(modals[0].text.contains(Q("niches/0/2/Slow Website.txt")));
  // In the user's language, as the program takes the system's locale.
  EXPECT_TRUE(modals[0].text.contains(QString::fromStdString(std::strerror(ENOENT))))
      << modals[0].text.toStdString();
  // The boxes are empty before the message shows: no text of the other problem stays.
  EXPECT_EQ(shownWithMessage, QString());
  EXPECT_EQ(w.txtProblem->text(), QString());
  EXPECT_TRUE(window->isVisible());

  std::filesystem::remove(app.path() / "templates/template-free.txt");
  Click(w.cmdGenerate);
  ASSERT_EQ(modals.size(), 2u);
  EXPECT_TRUE(modals[1].text.contains(Q("templates/template-free.txt")));
  EXPECT_FALSE(w.picArticlePrompt->isVisible());
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
  const Controls& w = ui;
  Click(w.lblItem[2]);
  Click(w.cmdGenerate);
  Click(w.lblClose);
  QWidget* const order[] = {w.txtPaid,    w.txtFree,
                            w.txtProblem, w.lstProblems,
                            w.chkFree,    window->findChild<QWidget*>(Q("cboArticleType")),
                            w.cmdGenerate};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    // Links take the focus too; among the inputs the order is the layout's.
    QWidget* next = order[i]->nextInFocusChain();
    while (next->focusPolicy() == Qt::NoFocus || !next->isEnabled() || qobject_cast<QLabel*>(next))
      next = next->nextInFocusChain();
    EXPECT_EQ(next, order[i + 1]) << order[i]->objectName().toStdString() << " -> "
                                  << next->objectName().toStdString();
  }
  EXPECT_FALSE(w.cmdGenerate->isDefault());
  EXPECT_FALSE(w.cmdGenerate->autoDefault());
}

// What the window system sends for a double-click: a click, then a double-click event and its
// release.
void DoubleClick(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton);
  QTest::mouseDClick(widget, Qt::LeftButton);
  QTest::mouseRelease(widget, Qt::LeftButton);
}

TEST_F(GuiTest, EachClickGivesOneEventNotTwo) {
  Open();
  const Controls& w = ui;
  Click(w.lblItem[2]);
  Click(w.cmdGenerate);
  ASSERT_TRUE(w.picArticlePrompt->isVisible());
  DoubleClick(w.lblClose);
  EXPECT_FALSE(w.picArticlePrompt->isVisible());
  EXPECT_TRUE(w.picNiche->isVisible());
  Click(w.cmdGenerate);
  DoubleClick(w.lblCopyToClipboard);
  EXPECT_EQ(modals.size(), 1u);
}

std::string ThreeLongLines() {
  std::string text;
  for (char c : {'a', 'b', 'c'}) text += std::string(15000, c) + "\r\n";
  return text;
}

// Texts reach the prompt and the clipboard as they are, however long, whatever characters.
TEST_F(GuiTest, BoxTextsComeBackExactly) {
  Open();
  const Controls& w = ui;
  Click(w.lblItem[2]);
  const QString nbsp(QChar(0x00A0));
  const struct {
    const char* what;
    TextBox box;
    std::string set;
    std::string read;  // line breaks as line feeds is the only change
  } cases[] = {
      {"no-break space", TextBox::Free, "5\u00a0km", "5\u00a0km"},
      {"line separator", TextBox::Paid, "a\u2028b", "a\u2028b"},
      {"paragraph separator is a line break", TextBox::Paid, "a\u2029b", "a\nb"},
      {"CR LF", TextBox::Paid, "a\r\nb\r\n", "a\nb\n"},
      {"CR LF kept in the one-line box", TextBox::Problem, "a\r\nb", "a\r\nb"},
      {"over Qt's old limit of 32,767", TextBox::Problem, ThreeLongLines(), ThreeLongLines()},
      {"one line of 70,000", TextBox::Problem, std::string(70000, 'q'), std::string(70000, 'q')},
      {"one line of 70,000", TextBox::Free, "x\n" + std::string(70000, 'f'),
       "x\n" + std::string(70000, 'f')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    window->SetText(c.box, c.set);
    EXPECT_EQ(window->Text(c.box), c.read);
  }
  // Typed by the user.
  window->SetText(TextBox::Free, "");
  w.txtFree->setFocus();
  QTest::keyClicks(w.txtFree, QStringLiteral("5") + nbsp + QStringLiteral("km"));
  EXPECT_EQ(window->Text(TextBox::Free), "5\u00a0km");

  // A long problem reaches the clipboard whole; the box shows it abridged and read-only.
  window->SetText(TextBox::Problem, std::string(70000, 'q'));
  EXPECT_TRUE(w.txtProblem->isReadOnly());
  EXPECT_LT(w.txtProblem->text().size(), 3000);
  Click(w.cmdGenerate);
  Click(w.lblCopyToClipboard);
  EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QString(70000, QLatin1Char('q'))));
  window->SetText(TextBox::Problem, "short");
  EXPECT_FALSE(w.txtProblem->isReadOnly());
}

TEST(InfoWindowPlace, TheFramedWindowSitsInTheMiddle) {
  const QRect screen(0, 0, 1920, 1080);
  const struct {
    QMargins frame;
    QPoint topLeft;
  } cases[] = {
      {QMargins(), QPoint(573, 398)},
      {QMargins(1, 30, 1, 1), QPoint(572, 382)},  // a title bar moves it up by half its height
      {QMargins(4, 24, 4, 4), QPoint(569, 384)},
  };
  for (const auto& c : cases) {
    const QPoint at = qt::FramedTopLeft(QSize(773, 284), c.frame, screen);
    EXPECT_EQ(at, c.topLeft);
    const QRect framed(at, QSize(773, 284).grownBy(c.frame));
    EXPECT_LE(std::abs(framed.center().y() - screen.center().y()), 1);
  }
}

// The picture for the screen: the double-size file where the screen is dense and there is one,
// at the same logical size; a user's own picture before either.
TEST_F(GuiTest, PictureForTheScreensDensity) {
  const auto save = [](const std::filesystem::path& path, QSize size, QColor color) {
    std::filesystem::create_directories(path.parent_path());
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "JPG"));
  };
  save(app.path() / "images/1@2x.jpg", QSize(1244, 1340), Qt::darkRed);
  save(app.path() / "images/2@2x.jpg", QSize(1244, 1340), Qt::darkRed);
  save(user.path() / "images/2.jpg", QSize(622, 670), Qt::darkBlue);
  Open();
  const bool dense = window->devicePixelRatioF() > 1;
  const struct {
    int niche;
    QSize pixels;
    QColor color;  // of the file shown: the shipped 0.jpg is mostly light
  } cases[] = {
      {0, QSize(622, 670), QColor()},  // no double size
      {1, dense ? QSize(1244, 1340) : QSize(622, 670), dense ? Qt::darkRed : QColor()},
      {2, QSize(622, 670), Qt::darkBlue},  // the user's own
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.niche);
    window->Controller().ChooseNiche(c.niche);
    const QPixmap shown = ShownPicture(ui.Picture1);
    EXPECT_EQ(shown.size(), c.pixels);
    EXPECT_EQ(shown.deviceIndependentSize().toSize(), QSize(622, 670));
    if (c.color.isValid()) {
      const QColor center = shown.toImage().pixelColor(shown.width() / 2, shown.height() / 2);
      EXPECT_LT(std::abs(center.red() - c.color.red()) + std::abs(center.blue() - c.color.blue()),
                40);
    }
  }
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
  const Controls& w = ui;
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
