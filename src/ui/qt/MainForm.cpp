#include "ui/qt/MainForm.h"

#include <QComboBox>
#include <QPalette>
#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace veltrane::qt {
namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::Alignment Alignment(form::Align align) {
  switch (align) {
    case form::Align::Center:
      return Qt::AlignHCenter | Qt::AlignTop;
    case form::Align::Right:
      return Qt::AlignRight | Qt::AlignTop;
    case form::Align::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

constexpr std::string_view kNichePanel = "picNiche";

bool HoldsControls(form::Kind kind) {
  return kind == form::Kind::Container || kind == form::Kind::Panel || kind == form::Kind::Picture;
}

}  // namespace

MainForm::MainForm(QWidget* window) : window_(window) {
  SetBackground(window, ToQColor(form::kWhite));
  window->setFont(VerdanaFont({9}));

  BuildTree(window, std::string_view(), kNichePanel);
  Picture1 = Find<PictureBox>("Picture1");
  picMenu = Find<QWidget>("picMenu");
  shPosition = Find<QFrame>("shPosition");
  lblInstructions = Find<ClickLabel>("lblInstructions");
  for (std::size_t j = 0; j < kSubnicheCount; ++j) {
    lblItem[j] = Find<ClickLabel>("lblItem" + std::to_string(j));
  }
  for (std::size_t i = 0; i < kNicheCount; ++i) {
    lblMenu[i] = Find<ClickLabel>("lblMenu" + std::to_string(i));
    lblMenu[i]->setText(Text(NicheCatalog()[i].menuCaption));
  }
  lblMenu[kNicheCount - 1]->hide();
  // The regions clockwise from the top, then the link at the top right.
  for (std::size_t j = 1; j < kSubnicheCount; ++j) QWidget::setTabOrder(lblItem[j - 1], lblItem[j]);
  QWidget::setTabOrder(lblItem[kSubnicheCount - 1], lblInstructions);
}

bool MainForm::BuildNichePanel() {
  if (picNiche != nullptr) return false;
  // Front-most of the window's controls, so built last.
  picNiche = static_cast<BorderPanel*>(Build(form::MainControl(kNichePanel), window_));
  BuildTree(picNiche, kNichePanel, std::string_view());
  lblSelectedNiche = Find<PlainLabel>("lblSelectedNiche");
  lblClose = Find<ClickLabel>("lblClose");
  Label4 = Find<PlainLabel>("Label4");
  lblHelp = Find<ClickLabel>("lblHelp");
  lstProblems = Find<QListWidget>("lstProblems");
  txtProblem = Find<QLineEdit>("txtProblem");
  txtFree = Find<QPlainTextEdit>("txtFree");
  txtPaid = Find<QPlainTextEdit>("txtPaid");
  chkFree = Find<QCheckBox>("chkFree");
  cmdGenerate = Find<QPushButton>("cmdGenerate");
  picArticlePrompt = Find<BorderPanel>("picArticlePrompt");
  lblCopyToClipboard = Find<ClickLabel>("lblCopyToClipboard");
  txtPrompt = Find<QPlainTextEdit>("txtPrompt");
  cboArticleType = Find<QComboBox>("cboArticleType");
  lblArticleOptions = Find<ClickLabel>("lblArticleOptions");

  picNiche->hide();
  picArticlePrompt->hide();
  chkFree->setChecked(true);

  // Screen readers name each input by its visible label; the free box has none of its own.
  const std::pair<QWidget*, const char*> names[] = {
      {lstProblems, "Select a Topic (Problem) for Your Article"},
      {txtProblem, "Additional Details"},
      {txtFree, "Recommended Free Resource"},
      {txtPaid, "Recommended Paid Resources"},
      {txtPrompt, "Your Article Prompt"},
      {lblClose, "Close"},
      {cboArticleType, "Article Type"},
      {picArticlePrompt, "Your Article Prompt"},
  };
  for (const auto& [widget, name] : names) widget->setAccessibleName(QString::fromUtf8(name));
  UseReadableSelection(lstProblems);
  UseReadableSelection(cboArticleType);
  // On Linux a drop-down list is read by its current entry; this says what it chooses.
  cboArticleType->setAccessibleDescription(QStringLiteral("Article type of the prompt"));
  cboArticleType->setToolTip(QStringLiteral("Article type"));
  Label4->setBuddy(lstProblems);
  Find<PlainLabel>("Label5")->setBuddy(txtProblem);
  Find<PlainLabel>("Label1")->setBuddy(txtPaid);
  Find<PlainLabel>("Label6")->setBuddy(txtPrompt);

  // The inputs from the bottom of the niche panel to the top, its links, then the prompt's.
  QWidget* const tabOrder[] = {txtPaid, txtFree,        txtProblem,  lstProblems,
                               chkFree, cboArticleType, cmdGenerate, lblArticleOptions,
                               lblHelp, lblClose,       txtPrompt,   lblCopyToClipboard};
  for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
    QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
  }
  return true;
}

void MainForm::BuildTree(QWidget* root, std::string_view rootName, std::string_view skip) {
  // Each container's controls are built back to front: later siblings lie in front.
  std::vector<std::pair<std::string_view, QWidget*>> containers{{rootName, root}};
  for (std::size_t c = 0; c < containers.size(); ++c) {
    const auto [name, parent] = containers[c];
    for (auto control = form::kMainControls.rbegin(); control != form::kMainControls.rend();
         ++control) {
      if (control->container != name || control->name == skip) continue;
      QWidget* built = Build(*control, parent);
      if (HoldsControls(control->kind)) containers.emplace_back(control->name, built);
    }
  }
}

QWidget* MainForm::Build(const form::Control& control, QWidget* parent) {
  using form::Kind;
  const QString text = Text(control.text);
  QWidget* widget = nullptr;
  bool hasText = true;
  switch (control.kind) {
    case Kind::Container:
      widget = new QWidget(parent);
      hasText = false;
      break;
    case Kind::Panel:
      widget = new BorderPanel(parent, window_->palette().color(QPalette::Base));
      hasText = false;
      break;
    case Kind::Picture:
      widget = new PictureBox(parent);
      hasText = false;
      break;
    case Kind::Label:
      widget = new PlainLabel(text, parent);
      break;
    case Kind::Link: {
      auto* link = new ClickLabel(text, parent);
      link->SetLinkStyle();
      widget = link;
      break;
    }
    case Kind::CloseLink:
      widget = new ClickLabel(text, parent);
      break;
    case Kind::Region:
      widget = new ClickLabel(QString(), parent);
      widget->setCursor(Qt::UpArrowCursor);
      hasText = false;
      break;
    case Kind::Marker: {
      auto* marker = new QFrame(parent);
      marker->setFrameStyle(QFrame::Box | QFrame::Plain);
      marker->setLineWidth(1);
      widget = marker;
      hasText = false;
      break;
    }
    case Kind::LineBox: {
      auto* box = new QLineEdit(parent);
      box->setMaxLength(std::numeric_limits<int>::max());  // Qt's default cuts at 32,767
      widget = box;
      break;
    }
    case Kind::TextBox: {
      auto* box = new QPlainTextEdit(parent);
      box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
      box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      box->setTabChangesFocus(true);
      widget = box;
      break;
    }
    case Kind::List: {
      auto* list = new QListWidget(parent);
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      list->setSortingEnabled(false);
      list->setTextElideMode(Qt::ElideNone);
      widget = list;
      break;
    }
    case Kind::CheckBox:
      widget = new QCheckBox(text, parent);
      break;
    case Kind::Button:
      widget = new PushButton(text, parent);
      break;
    case Kind::ComboBox:
      widget = new QComboBox(parent);
      hasText = true;
      break;
  }

  widget->setObjectName(Text(control.name));
  widget->setGeometry(ToQRect(control.rect).translated(ClientOrigin(parent)));
  if (hasText) widget->setFont(VerdanaFont(control.font));
  if (auto* label = qobject_cast<QLabel*>(widget)) label->setAlignment(Alignment(control.align));
  if (auto* link = qobject_cast<ClickLabel*>(widget)) link->setAlignment(Alignment(control.align));
  if (control.textColor) SetTextColor(widget, ToQColor(*control.textColor));
  if (control.background) {
    if (control.kind == Kind::Button) {
      // A palette, not a style sheet: the style sheet engine alone costs a noticeable part
      // of start-up.
      QPalette face = widget->palette();
      face.setColor(QPalette::Button, ToQColor(*control.background));
      widget->setPalette(face);
    } else {
      SetBackground(widget, ToQColor(*control.background));
    }
  }
  return widget;
}

template <class T>
T* MainForm::Find(std::string_view name) const {
  // By name, then by type: several of the controls' classes carry no meta-object of their own.
  T* found = dynamic_cast<T*>(window_->findChild<QWidget*>(Text(name)));
  Q_ASSERT(found != nullptr);
  return found;
}

QSize MainForm::ContentSize() {
  // The form's own client area, and room for the niche panel wherever it is centred.
  const form::Rect picture = form::MainControl("Picture1").rect;
  const form::Rect panel = form::MainControl(kNichePanel).rect;
  const int width = std::max({form::kMainClient.width, picture.width, panel.width});
  const int height =
      std::max(form::kMainClient.height, picture.top + std::max(picture.height, panel.height));
  return {Px(static_cast<float>(width)), Px(static_cast<float>(height))};
}

QPointF MainForm::Position(const QWidget* control) {
  const QPoint at = control->pos() - ClientOrigin(control->parentWidget());
  return {Twips(at.x()), Twips(at.y())};
}

void MainForm::MoveTo(QWidget* control, float left, float top) {
  control->move(QPoint(Px(left), Px(top)) + ClientOrigin(control->parentWidget()));
}

}  // namespace veltrane::qt
