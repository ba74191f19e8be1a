#include "ui/qt/MainWindow.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDialog>
#include <QEvent>
#include <QImageReader>
#include <QMessageBox>
#include <QScrollBar>

#include "content/Failure.h"
#include "content/TextEncoding.h"
#include "content/TextFile.h"
#include "ui/qt/InfoWindows.h"

namespace veltrane::qt {
namespace {

const QColor kWhite(255, 255, 255);
const QColor kDarkGreen(0, 64, 0);
const QColor kLightYellow(255, 255, 192);
const QColor kGrey(128, 128, 128);
const QColor kCloseBlue(0, 0, 255);

// Pictures larger than this are refused before decoding: a header can claim anything.
constexpr qint64 kMaxPicturePixels = 32LL * 1024 * 1024;

QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

// Qt's text boxes hold line feeds; content files carry CR LF.
QString ForTextBox(const std::string& text) {
  QString shown = FromUtf8(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

template <class Widget>
Widget* Place(Widget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipRect(left, top, width, height));
  return widget;
}

PlainLabel* Caption(QWidget* parent, const QString& text, double points, bool bold, int left,
                    int top, int width, int height) {
  auto* label = Place(new PlainLabel(text, parent), left, top, width, height);
  label->setFont(VerdanaFont(points, bold));
  return label;
}

QPlainTextEdit* MultiLineBox(QWidget* parent, int left, int top, int width, int height) {
  auto* box = Place(new QPlainTextEdit(parent), left, top, width, height);
  box->setFont(VerdanaFont(11.25));
  box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setTabChangesFocus(true);
  return box;
}

}  // namespace

std::function<void(QDialog*)> MainWindow::modalHook;

MainWindow::MainWindow(const std::filesystem::path& appDir)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      controller_(*this, appDir) {
  setWindowTitle(QStringLiteral("Veltrane!"));
  SetBackground(this, kWhite);
  setFont(VerdanaFont(9));
  resize(Px(17250), Px(9495));

  // Later siblings lie in front: each container's controls are built back to front.
  lblInstructions =
      Place(new ClickLabel(QStringLiteral("Instructions"), this), 16380, 225, 1545, 330);
  lblInstructions->SetLinkStyle(9.75, true);
  lblInstructions->setAlignment(Qt::AlignRight | Qt::AlignTop);
  BuildTitle();
  BuildPicture();
  BuildMenu();
  BuildNichePanel();
  NameControls();
  ConnectEvents();
}

// Object names match the controls' names, for accessibility tools and tests.
void MainWindow::NameControls() {
  const std::pair<QObject*, const char*> named[] = {
      {Picture1, "Picture1"},
      {Picture2, "Picture2"},
      {lblAppName, "lblAppName"},
      {picMenu, "picMenu"},
      {shPosition, "shPosition"},
      {picNiche, "picNiche"},
      {lblSelectedNiche, "lblSelectedNiche"},
      {lblClose, "lblClose"},
      {Label1, "Label1"},
      {Label2, "Label2"},
      {Label3, "Label3"},
      {Label4, "Label4"},
      {Label5, "Label5"},
      {Label8, "Label8"},
      {lblHelp, "lblHelp"},
      {lstProblems, "lstProblems"},
      {txtProblem, "txtProblem"},
      {txtFree, "txtFree"},
      {txtPaid, "txtPaid"},
      {chkFree, "chkFree"},
      {cmdGenerate, "cmdGenerate"},
      {picArticlePrompt, "picArticlePrompt"},
      {Label6, "Label6"},
      {lblCopyToClipboard, "lblCopyToClipboard"},
      {txtPrompt, "txtPrompt"},
      {lblInstructions, "lblInstructions"},
  };
  for (const auto& [object, name] : named) object->setObjectName(QString::fromLatin1(name));
  for (std::size_t i = 0; i < lblMenu.size(); ++i) {
    lblMenu[i]->setObjectName(QStringLiteral("lblMenu%1").arg(i));
  }
  for (std::size_t j = 0; j < lblItem.size(); ++j) {
    lblItem[j]->setObjectName(QStringLiteral("lblItem%1").arg(j));
  }
}

void MainWindow::BuildPicture() {
  Picture1 = Place(new PictureBox(this), 5040, 765, 9330, 10050);
  static constexpr int kRegions[8][4] = {{3600, 450, 1995, 1275},  {5985, 1710, 1995, 1275},
                                         {7110, 4005, 1995, 1275}, {5895, 6210, 1995, 1275},
                                         {3600, 7470, 1995, 1275}, {1350, 6300, 1995, 1275},
                                         {90, 4050, 1995, 1275},   {1215, 1800, 2310, 1275}};
  for (int j = 0; j < 8; ++j) {
    const auto& r = kRegions[j];
    lblItem[j] = Place(new ClickLabel(QString(), Picture1), r[0], r[1], r[2], r[3]);
    lblItem[j]->setCursor(Qt::UpArrowCursor);
  }
}

void MainWindow::BuildTitle() {
  Picture2 = Place(new QWidget(this), 270, 270, 4065, 690);
  SetBackground(Picture2, kDarkGreen);
  lblAppName = Caption(Picture2, QStringLiteral("Veltrane!"), 11.25, true, 270, 180, 3435, 375);
  lblAppName->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  SetTextColor(lblAppName, kWhite);
}

void MainWindow::BuildMenu() {
  picMenu = Place(new QWidget(this), 270, 1035, 4065, 4695);
  SetBackground(picMenu, kWhite);
  static constexpr int kMenuTops[6] = {360, 810, 1260, 1710, 2160, 2610};
  static constexpr int kMenuHeights[6] = {330, 285, 330, 330, 330, 375};
  for (int i : {1, 0, 2, 3, 4, 5}) {
    const NicheEntry& niche = NicheCatalog()[static_cast<std::size_t>(i)];
    lblMenu[i] = Place(new ClickLabel(QString::fromUtf8(niche.menuCaption.data(),
                                                        static_cast<int>(niche.menuCaption.size())),
                                      picMenu),
                       405, kMenuTops[i], 4155, kMenuHeights[i]);
    lblMenu[i]->SetLinkStyle(9, false);
  }
  lblMenu[5]->hide();
  shPosition = Place(new QFrame(picMenu), 90, 405, 150, 150);
  shPosition->setFrameStyle(QFrame::Box | QFrame::Plain);
  shPosition->setLineWidth(1);
  SetBackground(shPosition, kLightYellow);
}

void MainWindow::BuildNichePanel() {
  const QColor windowColour = palette().color(QPalette::Base);
  picNiche = Place(new Panel(this, windowColour), 4995, 3690, 15180, 9330);

  // Back to front.
  Label1 = Caption(picNiche, QStringLiteral("Recommended Paid Resources:"), 9.75, true, 585, 5940,
                   3705, 465);
  Label2 = Caption(picNiche,
                   QStringLiteral("If you recommend a free resource, the prompt will give more "
                                  "weight to the paid resources."),
                   9.75, false, 585, 5400, 9870, 465);
  SetTextColor(Label2, kGrey);
  Label3 = Caption(picNiche,
                   QStringLiteral("Recommending free resources can help highlight the value of "
                                  "paid options and increase your conversions."),
                   9, false, 4230, 4140, 10275, 465);
  SetTextColor(Label3, kGrey);
  Label4 = Caption(picNiche, QStringLiteral("Select a Topic (Problem) for Your Article:"), 9.75,
                   true, 585, 765, 8385, 465);
  Label5 =
      Caption(picNiche, QStringLiteral("Additional Details:"), 9.75, true, 585, 2970, 3030, 465);
  lblClose = Place(new ClickLabel(QStringLiteral("X"), picNiche), 14580, 225, 330, 375);
  lblClose->setFont(VerdanaFont(14.25, true));
  SetTextColor(lblClose, kCloseBlue);
  Label8 = Caption(picNiche,
                   QStringLiteral("Want to remove some resources? You can. Want to add your own "
                                  "resources? You can. Just try to use a similar format (product "
                                  "name: product description and features)."),
                   9.75, false, 585, 7695, 11625, 555);
  SetTextColor(Label8, kGrey);
  lblHelp = Place(new ClickLabel(QStringLiteral("How to Monetize these paid resources?"), picNiche),
                  4320, 5940, 5505, 330);
  lblHelp->SetLinkStyle(9.75, false);
  lblSelectedNiche = Caption(picNiche, QStringLiteral("Niche:"), 11.25, true, 585, 225, 9195, 330);
  SetBackground(lblSelectedNiche, kLightYellow);

  txtPaid = MultiLineBox(picNiche, 585, 6345, 13560, 1275);
  txtFree = MultiLineBox(picNiche, 585, 4545, 13560, 780);
  txtProblem = Place(new QLineEdit(picNiche), 585, 3330, 10860, 600);
  txtProblem->setFont(VerdanaFont(11.25));
  lstProblems = Place(new QListWidget(picNiche), 585, 1125, 12885, 1680);
  lstProblems->setFont(VerdanaFont(11.25));
  lstProblems->setSelectionMode(QAbstractItemView::SingleSelection);
  lstProblems->setSortingEnabled(false);
  lstProblems->setTextElideMode(Qt::ElideNone);

  chkFree = Place(new QCheckBox(QStringLiteral("Recommend Free Resources"), picNiche), 585, 4050,
                  3570, 420);
  chkFree->setFont(VerdanaFont(9.75, true));
  SetBackground(chkFree, kWhite);
  chkFree->setChecked(true);

  cmdGenerate = Place(new QPushButton(QStringLiteral("Generate Article Prompt"), picNiche), 5355,
                      8370, 4785, 690);
  cmdGenerate->setFont(VerdanaFont(9.75, true));
  cmdGenerate->setAutoDefault(false);
  cmdGenerate->setDefault(false);
  // A palette, not a style sheet: the style sheet engine alone costs a noticeable part of
  // start-up.
  QPalette face = cmdGenerate->palette();
  face.setColor(QPalette::Button, QColor(192, 255, 192));
  cmdGenerate->setPalette(face);

  BuildPromptPanel();
  picNiche->hide();

  QWidget::setTabOrder(txtPaid, txtFree);
  QWidget::setTabOrder(txtFree, txtProblem);
  QWidget::setTabOrder(txtProblem, lstProblems);
  QWidget::setTabOrder(lstProblems, chkFree);
  QWidget::setTabOrder(chkFree, cmdGenerate);
  QWidget::setTabOrder(cmdGenerate, txtPrompt);
}

void MainWindow::BuildPromptPanel() {
  picArticlePrompt =
      Place(new Panel(picNiche, palette().color(QPalette::Base)), 9135, 5445, 14280, 8340);
  Label6 = Caption(picArticlePrompt, QStringLiteral("Your Article Prompt:"), 11.25, true, 810, 270,
                   2895, 375);
  lblCopyToClipboard = Place(new ClickLabel(QStringLiteral("Copy to Clipboard"), picArticlePrompt),
                             11250, 270, 2490, 330);
  lblCopyToClipboard->SetLinkStyle(9.75, true);
  lblCopyToClipboard->setAlignment(Qt::AlignRight | Qt::AlignTop);
  txtPrompt = MultiLineBox(picArticlePrompt, 810, 765, 12975, 7035);
  picArticlePrompt->hide();
}

void MainWindow::ConnectEvents() {
  for (int i = 0; i < 6; ++i) {
    connect(lblMenu[i], &ClickLabel::clicked, this, [this, i] { controller_.lblMenu_Click(i); });
  }
  for (int j = 0; j < 8; ++j) {
    connect(lblItem[j], &ClickLabel::clicked, this, [this, j] { controller_.lblItem_Click(j); });
  }
  connect(lstProblems, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) controller_.lstProblems_Click();
  });
  connect(cmdGenerate, &QPushButton::clicked, this, [this] { controller_.cmdGenerate_Click(); });
  connect(lblClose, &ClickLabel::clicked, this, [this] { controller_.lblClose_Click(); });
  connect(lblCopyToClipboard, &ClickLabel::clicked, this,
          [this] { controller_.lblCopyToClipboard_Click(); });
  connect(lblHelp, &ClickLabel::clicked, this, [this] { controller_.lblHelp_Click(); });
  connect(lblInstructions, &ClickLabel::clicked, this,
          [this] { controller_.lblInstructions_Click(); });
}

bool MainWindow::Load() {
  return controller_.Form_Load();
}

bool MainWindow::event(QEvent* event) {
  if (event->type() == QEvent::Show && !startUpDone_) {
    // Window managers maximize after mapping: until the user first acts, every size the
    // window takes belongs to its first showing, and the picture is centred on it.
    qApp->installEventFilter(this);
    const bool handled = QWidget::event(event);
    controller_.Form_Activate();
    return handled;
  }
  return QWidget::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
      startUpDone_ = true;
      qApp->removeEventFilter(this);
      break;
    case QEvent::Resize:
      if (watched == this && !startUpDone_) controller_.Form_Activate();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

// --- MainWindowView -------------------------------------------------------------------------

void MainWindow::ShowPicture(const std::filesystem::path& file) {
  // Read through the content reader: bounded, and never blocked by a FIFO or a device.
  const std::string bytes = ReadFileBytes(file);
  const QByteArray raw =
      QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer;
  buffer.setData(raw);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "jpeg");
  reader.setAutoDetectImageFormat(false);  // a GIF named .jpg must not be shown as a GIF
  reader.setDecideFormatFromContent(false);
  const auto fail = [&file](const std::string& reason) {
    throw Failure("Could not show the picture \"" + DisplayPath(file) + "\": " + reason + ".");
  };
  if (!reader.canRead()) fail("it is not a readable JPEG picture");
  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) fail("it is not a readable JPEG picture");
  if (static_cast<qint64>(size.width()) * size.height() > kMaxPicturePixels) {
    fail("it is too large (" + std::to_string(size.width()) + " x " +
         std::to_string(size.height()) + " pixels)");
  }
  const QImage image = reader.read();
  if (image.isNull()) fail(reader.errorString().toStdString());
  Picture1->SetPicture(QPixmap::fromImage(image));
}

float MainWindow::PictureWidth() const {
  return Twips(Picture1->width());
}
float MainWindow::PictureTop() const {
  return Twips(Picture1->y());
}
void MainWindow::SetPictureLeft(float left) {
  Picture1->move(Px(left), Picture1->y());
}

void MainWindow::SetRegionName(int index, const std::string& name) {
  ClickLabel* region = lblItem.at(static_cast<std::size_t>(index));
  region->setToolTip(Qt::convertFromPlainText(FromUtf8(name), Qt::WhiteSpaceNormal));
  region->setAccessibleName(FromUtf8(name));
}

float MainWindow::WindowOuterWidth() const {
  return Twips(frameGeometry().width());
}

float MainWindow::MenuEntryTop(int index) const {
  return Twips(lblMenu.at(static_cast<std::size_t>(index))->y());
}

void MainWindow::SetMarkerTop(float top) {
  shPosition->move(shPosition->x(), Px(top));
}
float MainWindow::NichePanelWidth() const {
  return Twips(picNiche->width());
}
void MainWindow::SetNichePanelPosition(float left, float top) {
  picNiche->move(Px(left), Px(top));
}

void MainWindow::SetSelectedNicheCaption(const std::string& caption) {
  lblSelectedNiche->setText(FromUtf8(caption));
}

float MainWindow::Label4Left() const {
  return Twips(Label4->x());
}
float MainWindow::Label4Top() const {
  return Twips(Label4->y());
}

void MainWindow::SetPromptPanelPosition(float left, float top) {
  picArticlePrompt->move(Px(left), Px(top));
}

QWidget* MainWindow::PanelWidget(veltrane::Panel panel) const {
  switch (panel) {
    case veltrane::Panel::Menu:
      return picMenu;
    case veltrane::Panel::Niche:
      return picNiche;
    case veltrane::Panel::Prompt:
      return picArticlePrompt;
  }
  return nullptr;
}

void MainWindow::SetPanelVisible(veltrane::Panel panel, bool visible) {
  PanelWidget(panel)->setVisible(visible);
}

bool MainWindow::IsPanelVisible(veltrane::Panel panel) const {
  return !PanelWidget(panel)->isHidden();  // its own flag, whatever its container's
}

void MainWindow::ClearProblemList() {
  const QSignalBlocker quiet(lstProblems);  // emptying the list selects nothing
  lstProblems->clear();
}

void MainWindow::AddProblem(const std::string& name) {
  const QSignalBlocker quiet(lstProblems);
  lstProblems->addItem(FromUtf8(name));
}

void MainWindow::SelectProblem(int index) {
  {
    const QSignalBlocker quiet(lstProblems);
    lstProblems->setCurrentRow(index);
  }
  controller_.lstProblems_Click();  // once, even when the row was current already
}

int MainWindow::SelectedProblem() const {
  return lstProblems->currentRow();
}

std::string MainWindow::Text(TextBox box) const {
  switch (box) {
    case TextBox::Problem:
      return txtProblem->text().toStdString();
    case TextBox::Free:
      return txtFree->toPlainText().toStdString();
    case TextBox::Paid:
      return txtPaid->toPlainText().toStdString();
    case TextBox::Prompt:
      return txtPrompt->toPlainText().toStdString();
  }
  return {};
}

void MainWindow::SetText(TextBox box, const std::string& text) {
  switch (box) {
    case TextBox::Problem:
      txtProblem->setText(FromUtf8(text));
      txtProblem->setCursorPosition(0);
      break;
    case TextBox::Free:
      txtFree->setPlainText(ForTextBox(text));
      break;
    case TextBox::Paid:
      txtPaid->setPlainText(ForTextBox(text));
      break;
    case TextBox::Prompt:
      txtPrompt->setPlainText(ForTextBox(text));
      break;
  }
}

int MainWindow::FreeCheckValue() const {
  switch (chkFree->checkState()) {
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
    default:
      return 0;
  }
}

void MainWindow::ClearClipboard() {
  QGuiApplication::clipboard()->clear();
}

void MainWindow::PutOnClipboard(const std::string& text) {
  const QString value = FromUtf8(text);
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(value);
  if (clipboard->text() != value) {
    throw Failure("Could not put the prompt on the clipboard: the clipboard did not take it.");
  }
}

int MainWindow::RunModal(QDialog& dialog) {
  if (modalHook) modalHook(&dialog);
  return dialog.exec();
}

void MainWindow::ShowMessage(const std::string& text, const std::string& title) {
  QMessageBox box(QMessageBox::Information, FromUtf8(title), FromUtf8(text), QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  RunModal(box);
}

void MainWindow::ShowHelpWindow() {
  frmHelp window(this);
  RunModal(window);
}

void MainWindow::ShowInstructionsWindow() {
  frmInstructions window(this);
  RunModal(window);
}

void MainWindow::ReportFailure(const std::string& message) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Veltrane!"), FromUtf8(message),
                  QMessageBox::Ok, isVisible() ? this : nullptr);
  box.setTextFormat(Qt::PlainText);
  RunModal(box);
}

}  // namespace veltrane::qt
