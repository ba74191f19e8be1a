#include "ui/qt/MainWindow.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDialog>
#include <QEvent>
#include <QFile>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QShortcut>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>

#include "content/Failure.h"
#include "content/TextEncoding.h"
#include "ui/TextBoxText.h"
#include "ui/qt/ArticleOptionsDialog.h"
#include "ui/qt/InfoWindows.h"
#include "ui/qt/PictureFile.h"
#include "ui/qt/SearchPopup.h"

namespace veltrane::qt {
namespace {

constexpr const char* kSaveTitle = "Save as My Problem";

// A dot beside an edited problem, as editors mark a document with unsaved changes.
QIcon EditedMark() {
  static const QIcon icon = [] {
    QPixmap dot(12, 12);
    dot.fill(Qt::transparent);
    QPainter painter(&dot);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 128));
    painter.drawEllipse(QRectF(2, 2, 8, 8));
    return QIcon(dot);
  }();
  return icon;
}

QKeySequence NicheKey(std::size_t index) {
  return QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + static_cast<int>(index)));
}

// Qt lays a line out whole at every change: a keystroke takes about 10 ms in a line of 16 Ki
// characters, over 100 ms at 64 Ki, seconds at megabytes. A text with a longer line is kept as
// it is for the prompt and shown abridged, read-only.
// The one-line box draws its whole text as one line, so there the whole text counts.
constexpr qsizetype kLongestEditableLine = 16 * 1024;
constexpr qsizetype kAbridgedLength = 2000;

qsizetype LongestLine(const QString& text) {
  qsizetype longest = 0;
  qsizetype start = 0;
  for (;;) {
    const qsizetype end = text.indexOf(QLatin1Char('\n'), start);
    longest = std::max(longest, (end < 0 ? text.size() : end) - start);
    if (end < 0) return longest;
    start = end + 1;
  }
}

QString Abridged(const QString& text) {
  return text.left(kAbridgedLength) +
         QStringLiteral(
             " \u2026 [%L1 characters in all: too long to show and edit here. The "
             "whole text goes into the prompt.]")
             .arg(text.size());
}

// The box's text as it stands: toPlainText() would turn no-break spaces into spaces and line
// separators into line feeds. Paragraph ends are the only line breaks the box itself makes.
QString ExactText(const QPlainTextEdit* box) {
  QString text = box->document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return text;
}

}  // namespace

MainWindow::MainWindow(const std::filesystem::path& appDir, const std::filesystem::path& userDir,
                       Dialogs* dialogs)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      canvas_(new QWidget(this)),
      form_(canvas_),
      controller_(*this, appDir, userDir),
      dialogs_(dialogs != nullptr ? dialogs : &ownDialogs_) {
  setWindowTitle(FromUtf8(std::string(form::kMainTitle)));
  UseLightPalette();
  SetBackground(this, ToQColor(form::kWhite));
  canvas_->setMinimumSize(MainForm::ContentSize());
  // Large enough for the form before the window manager maximizes it: a window that fits needs
  // no scrolling, and start-up builds none.
  resize(ToQRect(form::kMainClient).size().expandedTo(canvas_->minimumSize()));
  canvas_->installEventFilter(this);
  // A control that takes the focus is brought into view.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    // Once the event that moved the focus has ended: it may move the control's panel too.
    if (now == nullptr || !canvas_->isAncestorOf(now)) return;
    QMetaObject::invokeMethod(
        this,
        [this, control = QPointer<QWidget>(now)] {
          if (control) ScrollIntoView(control);
        },
        Qt::QueuedConnection);
  });
  if (!userDir.empty()) searchRoots_.push_back(userDir);
  searchRoots_.push_back(appDir);
  static const bool accessibility = (InstallAccessibility(), true);
  (void)accessibility;
  ConnectEvents();
  AddShortcuts();
}

void MainWindow::AddShortcuts() {
  const auto add = [this](const QKeySequence& keys, auto action) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, action);
  };
  for (std::size_t i = 0; i < kNicheCount; ++i) {
    add(NicheKey(i), [this, i] { controller_.ChooseNiche(static_cast<int>(i)); });
  }
  // Generates in the niche view; sends the prompt where an extension takes it, once shown.
  const auto generateOrSend = [this] {
    if (extension_ != nullptr && IsPanelVisible(Panel::Prompt)) {
      extension_->SendKey();
    } else {
      controller_.GenerateKey();
    }
  };
  add(QKeySequence(Qt::CTRL | Qt::Key_Return), generateOrSend);
  add(QKeySequence(Qt::CTRL | Qt::Key_Enter), generateOrSend);
  add(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), [this] { controller_.CopyKey(); });
  add(QKeySequence(Qt::Key_Escape), [this] { controller_.CloseKey(); });
  add(QKeySequence(Qt::Key_F1), [this] { controller_.lblInstructions_Click(); });
  add(QKeySequence(Qt::CTRL | Qt::Key_S), [this] { controller_.SaveAsMyProblem(); });
  add(QKeySequence(Qt::CTRL | Qt::Key_F), [this] { OpenSearch(); });
}

void MainWindow::OpenSearch() {
  if (search_ == nullptr) {
    search_ = new SearchPopup(searchRoots_, this);
    search_->onChoose = [this](int niche, int subniche, const std::string& name) {
      controller_.OpenProblem(niche, subniche, name);
    };
  }
  search_->Open();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Keys 1 to 8 choose a region, when no control that takes typing has them.
  const int key = event->key();
  if (key >= Qt::Key_1 && key < Qt::Key_1 + static_cast<int>(kSubnicheCount) &&
      (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    controller_.RegionKey(key - Qt::Key_1);
    return;
  }
  // The X11 platform turns the Menu key into a context menu event of its own.
  const bool menuKey = key == Qt::Key_Menu && QGuiApplication::platformName() != u"xcb";
  if (menuKey || (key == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
    ShowMenuByKeyboard();
    return;
  }
  QWidget::keyPressEvent(event);
}

void MainWindow::ShowMenuByKeyboard() {
  QWidget* focus = focusWidget();
  if (focus == nullptr) return;
  QContextMenuEvent menu(QContextMenuEvent::Keyboard, focus->rect().center(),
                         focus->mapToGlobal(focus->rect().center()));
  QApplication::sendEvent(focus, &menu);
}

void MainWindow::ShowNicheMenu(const QPoint& at) {
  QMenu menu(this);
  menu.setTitle(QStringLiteral("Niche"));
  menu.addSection(QStringLiteral("Niche"));
  const int current = controller_.CurrentNiche();
  for (std::size_t i = 0; i < kNicheCount; ++i) {
    const std::string_view name = NicheCatalog()[i].name;
    QAction* action =
        menu.addAction(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    action->setCheckable(true);
    action->setChecked(static_cast<int>(i) == current);
    action->setShortcut(NicheKey(i));  // shown; the window's own shortcut does the work
    connect(action, &QAction::triggered, this,
            [this, i] { controller_.ChooseNiche(static_cast<int>(i)); });
  }
  menu.addSeparator();
  QAction* find = menu.addAction(QStringLiteral("Find a Problem\u2026"));
  find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  connect(find, &QAction::triggered, this, [this] { OpenSearch(); });
  if (extension_ != nullptr) extension_->AddToPictureMenu(menu);
  dialogs_->Popup(menu, at);
}

void MainWindow::ShowProblemMenu(const QPoint& at) {
  QMenu menu(this);
  QAction* save = menu.addAction(QStringLiteral("Save as My Problem\u2026"));
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  connect(save, &QAction::triggered, this, [this] { controller_.SaveAsMyProblem(); });
  QAction* open = menu.addAction(QStringLiteral("Open My Problems Folder"));
  connect(open, &QAction::triggered, this, [this] { controller_.OpenMyProblemsFolder(); });
  menu.addSeparator();
  QAction* revert = menu.addAction(QStringLiteral("Revert to File"));
  revert->setEnabled(controller_.SelectedHasEdits());
  connect(revert, &QAction::triggered, this, [this] { controller_.RevertToFile(); });
  QAction* remove = menu.addAction(QStringLiteral("Remove My Problem\u2026"));
  remove->setEnabled(controller_.SelectedIsMine());
  connect(remove, &QAction::triggered, this, [this] { controller_.RemoveMyProblem(); });
  if (extension_ != nullptr) extension_->AddToProblemMenu(menu);
  dialogs_->Popup(menu, at);
}

void MainWindow::ConnectEvents() {
  for (std::size_t i = 0; i < kNicheCount; ++i) {
    connect(form_.lblMenu[i], &ClickLabel::clicked, this,
            [this, i] { controller_.lblMenu_Click(static_cast<int>(i)); });
  }
  for (std::size_t j = 0; j < kSubnicheCount; ++j) {
    connect(form_.lblItem[j], &ClickLabel::clicked, this,
            [this, j] { controller_.lblItem_Click(static_cast<int>(j)); });
  }
  connect(form_.lblInstructions, &ClickLabel::clicked, this,
          [this] { controller_.lblInstructions_Click(); });
  // The regions pass their context menu events on to the picture.
  form_.Picture1->installEventFilter(this);
}

MainForm& MainWindow::Form() const {
  // The niche panel is built at its first use, which may be a read: building it changes
  // nothing shown, as it starts hidden.
  auto* self = const_cast<MainWindow*>(this);
  if (self->form_.BuildNichePanel()) self->ConnectNichePanel();
  return self->form_;
}

void MainWindow::ConnectNichePanel() {
  connect(form_.lstProblems, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) controller_.lstProblems_Click();
  });
  connect(form_.cmdGenerate, &QPushButton::clicked, this,
          [this] { controller_.cmdGenerate_Click(); });
  connect(form_.lblClose, &ClickLabel::clicked, this, [this] { controller_.lblClose_Click(); });
  connect(form_.lblCopyToClipboard, &ClickLabel::clicked, this,
          [this] { controller_.lblCopyToClipboard_Click(); });
  connect(form_.lblHelp, &ClickLabel::clicked, this, [this] { controller_.lblHelp_Click(); });
  connect(form_.lblArticleOptions, &ClickLabel::clicked, this,
          [this] { controller_.ArticleOptionsClick(); });
  connect(form_.cboArticleType, &QComboBox::currentIndexChanged, this, [this](int index) {
    controller_.ChooseArticleType(ToUtf8(form_.cboArticleType->itemData(index).toString()));
  });
  // A right-click opens the menu of what is selected: it neither selects nor reloads.
  form_.lstProblems->installEventFilter(this);
  form_.lstProblems->viewport()->installEventFilter(this);
  // Only what the user types: setting a text blocks these.
  connect(form_.txtProblem, &QLineEdit::textEdited, this,
          [this] { controller_.ProblemTextEdited(); });
  for (QPlainTextEdit* box : {form_.txtFree, form_.txtPaid}) {
    connect(box, &QPlainTextEdit::textChanged, this, [this] { controller_.ProblemTextEdited(); });
  }
  if (extension_ != nullptr) extension_->PromptPanelBuilt(*form_.picArticlePrompt);
}

void MainWindow::SetExtension(WindowExtension* extension) {
  extension_ = extension;
  if (extension_ != nullptr && form_.picArticlePrompt != nullptr) {
    extension_->PromptPanelBuilt(*form_.picArticlePrompt);
  }
}

bool MainWindow::Load(int menuIndex) {
  return controller_.Form_Load(menuIndex);
}

void MainWindow::ScrollIntoView(QWidget* control) {
  // As little as brings it in; one larger than the window shows its start, where a list's
  // entries and a box's text begin.
  const QRect place(control->mapTo(canvas_, QPoint()), control->size());
  const auto fit = [](QScrollBar* bar, int start, int length, int shown) {
    constexpr int kMargin = 8;
    int value = bar->value();
    if (start - kMargin < value || length + 2 * kMargin > shown) {
      value = start - kMargin;
    } else if (start + length + kMargin > value + shown) {
      value = start + length + kMargin - shown;
    }
    bar->setValue(value);
  };
  if (scroll_ == nullptr) return;
  fit(scroll_->horizontalScrollBar(), place.x(), place.width(), scroll_->viewport()->width());
  fit(scroll_->verticalScrollBar(), place.y(), place.height(), scroll_->viewport()->height());
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) RestartKeyboardUse();
  controller_.Form_Activate();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  // The form scrolls once the window is smaller than it; set by hand, as a layout's passes
  // cost start-up time.
  const QSize needed = canvas_->minimumSize();
  if (scroll_ == nullptr && (width() < needed.width() || height() < needed.height())) {
    // Moving the form into the scroll area takes the focus from it: it is given back.
    const QPointer<QWidget> focus = focusWidget();
    scroll_ = new QScrollArea(this);
    // No frame, and scroll bars only as needed.
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(canvas_);
    scroll_->viewport()->installEventFilter(this);
    scroll_->show();
    if (focus) focus->setFocus(Qt::OtherFocusReason);
  }
  if (scroll_ != nullptr) {
    scroll_->setGeometry(rect());
  } else {
    canvas_->setGeometry(rect());
  }
  QWidget::resizeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (controller_.Form_QueryUnload()) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Window managers maximize after mapping, and the user may resize at any time; what the form
  // is centred on is the area it scrolls in, which a scroll bar coming or going resizes too.
  if ((watched == canvas_ || (scroll_ != nullptr && watched == scroll_->viewport())) &&
      event->type() == QEvent::Resize) {
    controller_.Form_Resize();
  }
  const bool list = form_.lstProblems != nullptr &&
                    (watched == form_.lstProblems || watched == form_.lstProblems->viewport());
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
      if (list && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) return true;
      break;
    case QEvent::FocusIn:
      // Entering the list says which problem is selected, as moving in it does.
      if (watched == form_.lstProblems && form_.lstProblems->currentRow() >= 0) {
        QAccessibleEvent focus(form_.lstProblems, QAccessible::Focus);
        focus.setChild(form_.lstProblems->currentRow());
        QAccessible::updateAccessibility(&focus);
      }
      break;
    case QEvent::ContextMenu: {
      auto* menu = static_cast<QContextMenuEvent*>(event);
      QPoint at = menu->globalPos();
      if (list) {
        if (menu->reason() == QContextMenuEvent::Keyboard) {
          // Beside the selected entry rather than wherever the mouse pointer is.
          QListWidget* problems = form_.lstProblems;
          const QRect item = problems->visualItemRect(problems->currentItem());
          at = problems->viewport()->mapToGlobal(
              item.isValid() ? item.center() : problems->viewport()->rect().center());
        }
        ShowProblemMenu(at);
        return true;
      }
      if (watched == form_.Picture1) {
        ShowNicheMenu(at);
        return true;
      }
      break;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

// --- MainWindowView -------------------------------------------------------------------------

void MainWindow::ShowPicture(const NichePicture& files) {
  // Shown as large as the layout at the screen's dots per inch; where that or the device's
  // pixels are denser than the plain picture, the one drawn at twice the size.
  const qreal scale = ScreenDpi() / 96;
  const bool dense = devicePixelRatioF() * scale > 1 && !files.doubleSize.empty();
  QPixmap picture = QPixmap::fromImage(ReadJpeg(dense ? files.doubleSize : files.plain));
  if (dense || scale != 1) {
    picture.setDevicePixelRatio(static_cast<qreal>(picture.width()) /
                                (form::kPictureWidthPx * scale));
  }
  form_.Picture1->SetPicture(std::move(picture));
}

float MainWindow::PictureWidth() const {
  return Twips(form_.Picture1->width());
}
float MainWindow::PictureTop() const {
  return static_cast<float>(MainForm::Position(form_.Picture1).y());
}
void MainWindow::SetPictureLeft(float left) {
  MainForm::MoveTo(form_.Picture1, left, PictureTop());
}

void MainWindow::SetPictureName(const std::string& name) {
  form_.Picture1->setAccessibleName(FromUtf8(name));
}

void MainWindow::SetRegionName(int index, const std::string& name) {
  ClickLabel* region = form_.lblItem.at(static_cast<std::size_t>(index));
  const QString subniche = FromUtf8(name);
  // Plain texts: a tool tip that looks like markup would be shown, and read, as markup.
  region->setToolTip(Qt::mightBeRichText(subniche)
                         ? Qt::convertFromPlainText(subniche, Qt::WhiteSpaceNormal)
                         : subniche);
  region->setAccessibleName(subniche);
  region->setAccessibleDescription(
      QStringLiteral("Opens the common problems of %1 (key %2)").arg(subniche).arg(index + 1));
}

float MainWindow::WindowOuterWidth() const {
  // The frame around what can be scrolled to: the window's own width while everything fits.
  if (scroll_ == nullptr) return Twips(frameGeometry().width());
  return Twips(frameGeometry().width() - scroll_->viewport()->width() + canvas_->width());
}

float MainWindow::MenuEntryTop(int index) const {
  return static_cast<float>(
      MainForm::Position(form_.lblMenu.at(static_cast<std::size_t>(index))).y());
}

void MainWindow::SetMarkerTop(float top) {
  MainForm::MoveTo(form_.shPosition, static_cast<float>(MainForm::Position(form_.shPosition).x()),
                   top);
}
float MainWindow::NichePanelWidth() const {
  return Twips(Form().picNiche->width());
}
void MainWindow::SetNichePanelPosition(float left, float top) {
  MainForm::MoveTo(Form().picNiche, left, top);
  UpdateCovered(Form().picNiche);
}

void MainWindow::SetSelectedNicheCaption(const std::string& caption) {
  Form().lblSelectedNiche->setText(FromUtf8(caption));
  Form().picNiche->setAccessibleName(FromUtf8(caption));
}

float MainWindow::Label4Left() const {
  return static_cast<float>(MainForm::Position(Form().Label4).x());
}
float MainWindow::Label4Top() const {
  return static_cast<float>(MainForm::Position(Form().Label4).y());
}

void MainWindow::SetPromptPanelPosition(float left, float top) {
  MainForm::MoveTo(Form().picArticlePrompt, left, top);
  UpdateCovered(Form().picArticlePrompt);
}

QWidget* MainWindow::PanelWidget(Panel panel) const {
  switch (panel) {
    case Panel::Menu:
      return form_.picMenu;
    case Panel::Niche:
      return Form().picNiche;
    case Panel::Prompt:
      return Form().picArticlePrompt;
  }
  return nullptr;
}

void MainWindow::SetPanelVisible(Panel panel, bool visible) {
  QWidget* shown = PanelWidget(panel);
  if (shown->isHidden() == !visible) return;
  shown->setVisible(visible);
  UpdateCovered(shown);
}

void MainWindow::UpdateCovered(QWidget* panel) {
  // Covered in part: disabled. Covered whole: hidden as well, which looks the same under the
  // panel and takes it out of what a screen reader reads.
  QList<QPointer<QWidget>> now;
  if (!panel->isHidden()) {
    const QObjectList& siblings = panel->parentWidget()->children();
    for (qsizetype i = 0; i < siblings.indexOf(panel); ++i) {
      auto* under = qobject_cast<QWidget*>(siblings[i]);
      if (under != nullptr && !under->isWindow() &&
          under->geometry().intersects(panel->geometry())) {
        now << under;
      }
    }
  }
  Covered& before = covered_[panel];
  for (const QPointer<QWidget>& under : before.disabled) {
    if (under && !now.contains(under)) under->setEnabled(true);
  }
  for (const QPointer<QWidget>& under : before.hidden) {
    if (under && !(now.contains(under) && panel->geometry().contains(under->geometry()))) {
      under->show();
    }
  }
  Covered after;
  for (const QPointer<QWidget>& under : now) {
    under->setEnabled(false);
    after.disabled << under;
    const bool whole = panel->geometry().contains(under->geometry());
    if (whole && (before.hidden.contains(under) || !under->isHidden())) {
      under->hide();
      after.hidden << under;
    }
  }
  before = after;
}

bool MainWindow::IsPanelVisible(Panel panel) const {
  // A niche panel not built yet has never been shown: asking is no reason to build it.
  if (panel != Panel::Menu && form_.picNiche == nullptr) return false;
  return !PanelWidget(panel)->isHidden();  // its own flag, whatever its container's
}

void MainWindow::ClearProblemList() {
  const QSignalBlocker quiet(Form().lstProblems);  // emptying the list selects nothing
  Form().lstProblems->clear();
}

void MainWindow::AddProblem(const std::string& name, ProblemMarks marks) {
  const QSignalBlocker quiet(Form().lstProblems);
  Form().lstProblems->addItem(FromUtf8(name));
  SetProblemMarks(Form().lstProblems->count() - 1, marks);
}

void MainWindow::SetProblemMarks(int index, ProblemMarks marks) {
  QListWidgetItem* item = Form().lstProblems->item(index);
  if (item == nullptr) return;
  // The name stays the item's text; the marks are its look and its description.
  QFont font = Form().lstProblems->font();
  font.setBold(marks.mine);
  font.setItalic(marks.edited);
  item->setFont(font);
  item->setData(Qt::DecorationRole, marks.edited ? QVariant(EditedMark()) : QVariant());
  QStringList said;
  if (marks.mine) said << QStringLiteral("my problem");
  if (marks.edited) said << QStringLiteral("edited");
  item->setData(Qt::AccessibleDescriptionRole, said.join(QStringLiteral(", ")));
  QStringList tip;
  if (marks.mine) tip << QStringLiteral("Your own problem, from your folder.");
  if (marks.edited) tip << QStringLiteral("Edited: the changes are not saved to a file.");
  item->setToolTip(tip.join(QLatin1Char('\n')));
}

void MainWindow::SelectProblem(int index) {
  {
    const QSignalBlocker quiet(Form().lstProblems);
    Form().lstProblems->setCurrentRow(index);
  }
  controller_.lstProblems_Click();  // once, even when the row was current already
}

int MainWindow::SelectedProblem() const {
  return Form().lstProblems->currentRow();
}

QWidget* MainWindow::BoxWidget(TextBox box) const {
  switch (box) {
    case TextBox::Problem:
      return Form().txtProblem;
    case TextBox::Free:
      return Form().txtFree;
    case TextBox::Paid:
      return Form().txtPaid;
    case TextBox::Prompt:
      return Form().txtPrompt;
  }
  return nullptr;
}

std::string MainWindow::Text(TextBox box) const {
  if (const auto& held = held_[static_cast<std::size_t>(box)]) return *held;
  if (box == TextBox::Problem) return ToUtf8(Form().txtProblem->text());
  return ToUtf8(ExactText(static_cast<const QPlainTextEdit*>(BoxWidget(box))));
}

void MainWindow::SetText(TextBox box, const std::string& text) {
  // The one-line box keeps line breaks as they come; the multi-line ones hold line feeds.
  const std::string holds = box == TextBox::Problem ? text : AsTextBoxHolds(text);
  QString shown = FromUtf8(holds);
  auto& held = held_[static_cast<std::size_t>(box)];
  const bool tooLong =
      (box == TextBox::Problem ? shown.size() : LongestLine(shown)) > kLongestEditableLine;
  if (tooLong) {
    held = holds;
    shown = Abridged(shown);
  } else {
    held.reset();
  }
  if (box == TextBox::Problem) {
    Form().txtProblem->setReadOnly(tooLong);
    Form().txtProblem->setText(shown);
    Form().txtProblem->setCursorPosition(0);
  } else {
    auto* edit = static_cast<QPlainTextEdit*>(BoxWidget(box));
    const QSignalBlocker quiet(edit);  // not an edit of the user's
    edit->setReadOnly(tooLong);
    edit->setPlainText(shown);
  }
}

int MainWindow::FreeCheckValue() const {
  switch (Form().chkFree->checkState()) {
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
    default:
      return 0;
  }
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
  return dialogs_->Exec(dialog);
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

void MainWindow::SetFocus(Focus target, int region) {
  QWidget* widget = nullptr;
  switch (target) {
    case Focus::Region:
      widget = form_.lblItem.at(static_cast<std::size_t>(region));
      break;
    case Focus::ProblemList:
      widget = Form().lstProblems;
      break;
    case Focus::GenerateButton:
      widget = Form().cmdGenerate;
      break;
    case Focus::PromptBox:
      widget = Form().txtPrompt;
      break;
  }
  widget->setFocus(Qt::OtherFocusReason);
}

std::optional<std::string> MainWindow::AskProblemName(const std::string& suggestion,
                                                      bool emptyLinesDropped) {
  QInputDialog dialog(this);
  dialog.setWindowTitle(QString::fromUtf8(kSaveTitle));
  QString label =
      QStringLiteral("Name of your own problem (saved in your folder for this subniche):");
  if (emptyLinesDropped) {
    label += QStringLiteral(
        "\n\nEmpty lines in the boxes will be left out: in the file an empty line ends a "
        "section.");
  }
  dialog.setLabelText(label);
  dialog.setTextValue(FromUtf8(suggestion));
  dialog.setOkButtonText(QStringLiteral("Save"));
  if (RunModal(dialog) != QDialog::Accepted) return std::nullopt;
  return ToUtf8(dialog.textValue());
}

bool MainWindow::Confirm(const std::string& question, const std::string& action) {
  QMessageBox box(QMessageBox::Question, FromUtf8(std::string(form::kMainTitle)),
                  FromUtf8(question), QMessageBox::NoButton, this);
  box.setTextFormat(Qt::PlainText);
  // A plain-text name: an "&" in it is a character, not a shortcut marker.
  QPushButton* yes = box.addButton(FromUtf8(action), QMessageBox::AcceptRole);
  box.setDefaultButton(box.addButton(QMessageBox::Cancel));
  RunModal(box);
  return box.clickedButton() == yes;
}

void MainWindow::ShowWarning(const std::string& text, const std::string& title) {
  QMessageBox box(QMessageBox::Warning, FromUtf8(title), FromUtf8(text), QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  RunModal(box);
}

void MainWindow::OpenFolder(const std::filesystem::path& folder) {
  if (!dialogs_->OpenUrl(QUrl::fromLocalFile(QFile::decodeName(folder.c_str())))) {
    throw Failure("Could not open the folder \"" + DisplayPath(folder) +
                  "\": no file manager answered.");
  }
}

void MainWindow::MoveToTrash(const std::filesystem::path& file) {
  if (!dialogs_->MoveToTrash(QFile::decodeName(file.c_str()))) {
    throw Failure("Could not move \"" + DisplayPath(file) +
                  "\" to the trash: the desktop's trash did not take it.");
  }
}

void MainWindow::SetArticleTypes(const std::vector<ArticleType>& types, const std::string& chosen) {
  QComboBox* box = Form().cboArticleType;
  const QSignalBlocker quiet(box);
  box->clear();
  for (const ArticleType& type : types) {
    box->addItem(FromUtf8(type.name), FromUtf8(type.key));
    if (type.key == chosen) box->setCurrentIndex(box->count() - 1);
  }
}

namespace {

// The desktop's usual settings file: $XDG_CONFIG_HOME/veltrane/veltrane.conf.
QSettings SettingsFile() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("veltrane"),
                   QStringLiteral("veltrane"));
}

}  // namespace

ArticleOptions MainWindow::LoadArticleOptions() {
  QSettings settings = SettingsFile();
  ArticleOptions options;
  if (settings.status() != QSettings::NoError) {
    static bool told = false;  // once a run
    if (!told) {
      told = true;
      ShowWarning("The settings file \"" + ToUtf8(settings.fileName()) +
                      "\" could not be read, so the usual article options are used.",
                  "Article Options");
    }
    return options;
  }
  settings.beginGroup(QStringLiteral("article"));
  options.language = ToUtf8(settings.value("language", FromUtf8(options.language)).toString());
  options.tone = ToUtf8(settings.value("tone", FromUtf8(options.tone)).toString());
  bool number = false;
  const qulonglong length = settings.value("length", 0).toULongLong(&number);
  options.length = number ? static_cast<std::size_t>(length) : 0;
  options.experience = ToUtf8(settings.value("experience").toString());
  // Values the dialog would refuse are not used.
  if (ArticleOptionsError(options)) return ArticleOptions{};
  return options;
}

void MainWindow::SaveArticleOptions(const ArticleOptions& options) {
  QSettings settings = SettingsFile();
  settings.beginGroup(QStringLiteral("article"));
  settings.setValue("language", FromUtf8(options.language));
  settings.setValue("tone", FromUtf8(options.tone));
  settings.setValue("length", static_cast<qulonglong>(options.length));
  settings.setValue("experience", FromUtf8(options.experience));
  settings.endGroup();
  settings.sync();
  if (settings.status() != QSettings::NoError) {
    throw Failure("Could not write the settings file \"" + ToUtf8(settings.fileName()) + "\": " +
                  (settings.status() == QSettings::AccessError ? "it cannot be written"
                                                               : "its contents are damaged") +
                  ".");
  }
}

std::optional<ArticleOptions> MainWindow::AskArticleOptions(const ArticleOptions& current) {
  ArticleOptionsDialog dialog(current, this);
  if (RunModal(dialog) != QDialog::Accepted) return std::nullopt;
  return dialog.Options();
}

void MainWindow::ReportFailure(const std::string& message) {
  QMessageBox box(QMessageBox::Critical, FromUtf8(std::string(form::kMainTitle)), FromUtf8(message),
                  QMessageBox::Ok, isVisible() ? this : nullptr);
  box.setTextFormat(Qt::PlainText);
  RunModal(box);
}

}  // namespace veltrane::qt
