#include "ui/qt/Widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QStringList>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <utility>

namespace veltrane::qt {

namespace {
constexpr double kTwipsPerInch = 1440;
double screenDpi = kTwipsPerInch / form::kTwipsPerPixel;  // 96 until the screen says
}  // namespace

void SetScreenDpi(double dotsPerInch) {
  if (dotsPerInch > 0) screenDpi = dotsPerInch;
}

double ScreenDpi() {
  return screenDpi;
}

int Px(float twips) {
  return static_cast<int>(std::lround(twips * screenDpi / kTwipsPerInch));
}
float Twips(int pixels) {
  return static_cast<float>(pixels * kTwipsPerInch / screenDpi);
}

QRect ToQRect(const form::Rect& twips) {
  return {Px(static_cast<float>(twips.left)), Px(static_cast<float>(twips.top)),
          Px(static_cast<float>(twips.width)), Px(static_cast<float>(twips.height))};
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const auto rgb = [](const QColor& c) {
    return form::Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                     static_cast<std::uint8_t>(c.blue())};
  };
  return form::ContrastRatio(rgb(a), rgb(b));
}

QPalette LightPalette() {
  // From a light button colour Qt works out the rest: white boxes, black text, light edges.
  QPalette palette(QColor(239, 239, 239));
  palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::Link, QColor(0, 0, 255));
  palette.setColor(QPalette::LinkVisited, QColor(255, 0, 255));
  palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
  palette.setColor(QPalette::ToolTipText, Qt::black);
  return palette;
}

namespace {

// The selection colour darkened until its text stands out by 4.5:1, with room to spare: small
// antialiased text never reaches its pure colour.
void ReadableHighlight(QPalette& palette) {
  const QColor selected = palette.color(QPalette::HighlightedText);
  QColor highlight = palette.color(QPalette::Highlight);
  while (ContrastRatio(selected, highlight) < 5.5 && highlight.lightness() > 0) {
    highlight = highlight.darker(110);
  }
  palette.setColor(QPalette::Highlight, highlight);
}

}  // namespace

void UseLightPalette() {
  // A dark desktop palette would turn the text boxes dark under the layout's own white and dark
  // blue. The style's standard palette will not do: under a desktop's theme it is dark too.
  if (QApplication::palette().color(QPalette::Window).lightness() >= 128) return;
  QPalette palette = LightPalette();
  ReadableHighlight(palette);
  QApplication::setPalette(palette);
}

void UseReadableSelection(QWidget* widget) {
  QPalette palette = widget->palette();
  ReadableHighlight(palette);
  widget->setPalette(palette);
}

QColor ToQColor(const form::Rgb& rgb) {
  return {rgb.red, rgb.green, rgb.blue};
}

QFont VerdanaFont(const form::Font& face) {
  QFont font;
  // Named outright, so start-up needs no alias lookup; "Veranda" (fonts-arkpandora) has
  // Verdana's metrics, DejaVu Sans is there on every Debian desktop.
  font.setFamilies(QStringList{"Verdana", "Veranda", "DejaVu Sans"});
  font.setPointSizeF(face.points);
  font.setWeight(face.bold ? QFont::Bold : QFont::Normal);
  font.setUnderline(face.underline);
  return font;
}

QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}
std::string ToUtf8(const QString& text) {
  return text.toStdString();
}

void SetBackground(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, color);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void SetTextColor(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  palette.setColor(QPalette::ButtonText, color);
  palette.setColor(QPalette::Text, color);
  widget->setPalette(palette);
}

PlainLabel::PlainLabel(const QString& text, QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setTextInteractionFlags(Qt::NoTextInteraction);
  setWordWrap(true);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setFocusPolicy(Qt::NoFocus);
  setText(text);
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QWidget(parent), text_(text) {
  setFocusPolicy(Qt::StrongFocus);
}

void ClickLabel::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  update();
}

void ClickLabel::setAlignment(Qt::Alignment alignment) {
  alignment_ = alignment;
  update();
}

void ClickLabel::SetLinkStyle() {
  SetTextColor(this, ToQColor(form::kLinkBlue));
  setCursor(Qt::UpArrowCursor);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
  pressed_ = false;
  if (click) emit clicked();
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  pressed_ = false;
  event->accept();
}

namespace {

bool IsPressKey(const QKeyEvent* event) {
  const int key = event->key();
  return (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) &&
         (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

}  // namespace

void ClickLabel::keyPressEvent(QKeyEvent* event) {
  if (IsPressKey(event) && !event->isAutoRepeat()) {
    emit clicked();
    return;
  }
  QWidget::keyPressEvent(event);
}

namespace {

// The focus frame shows while the keyboard is in use, as on the web: a window used only with
// the mouse looks as it always did.
class KeyboardInUse : public QObject {
 public:
  using QObject::QObject;
  static bool Now() { return now_; }
  static void Restart() {
    now_ = false;
    anyInput_ = false;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    // The window starts with the focus on its first control but no frame: the first Tab shows
    // the frame there rather than moving on, so nothing seems skipped.
    if (type == QEvent::KeyPress && !anyInput_) {
      anyInput_ = true;
      const auto* key = static_cast<QKeyEvent*>(event);
      QWidget* focus = QApplication::focusWidget();
      if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier &&
          qobject_cast<ClickLabel*>(focus) != nullptr) {
        now_ = true;
        focus->update();
        return true;
      }
    }
    if (type == QEvent::MouseButtonPress) anyInput_ = true;
    if (type == QEvent::KeyPress || type == QEvent::MouseButtonPress) {
      const bool keyboard = type == QEvent::KeyPress;
      if (keyboard != now_) {
        now_ = keyboard;
        if (QWidget* focus = QApplication::focusWidget()) focus->update();
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  static inline bool now_ = false;
  static inline bool anyInput_ = false;
};

}  // namespace

void ClickLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!text_.isEmpty()) {
    // As a plain-text QLabel draws: no markup, no '&' shortcut, wrapped at words.
    style()->drawItemText(&painter, rect(), static_cast<int>(alignment_) | Qt::TextWordWrap,
                          palette(), isEnabled(), text_, QPalette::WindowText);
  }
  if (!hasFocus() || !KeyboardInUse::Now()) return;
  // Dark outside, white inside: one of the two stands out from any colour under it by far
  // more than 3:1, on the picture's tiles as on white.
  QPen pen(QColor(0, 0, 0), 2);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
  pen.setColor(Qt::white);
  pen.setWidth(1);
  painter.setPen(pen);
  painter.drawRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5));
}

PushButton::PushButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
  setAutoDefault(false);
  setDefault(false);
}

void PushButton::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    if (!event->isAutoRepeat()) animateClick();
    return;
  }
  QPushButton::keyPressEvent(event);
}

namespace {

class ClickLabelAccessible : public QAccessibleWidget {
 public:
  explicit ClickLabelAccessible(ClickLabel* label)
      : QAccessibleWidget(label, label->IsRegion() ? QAccessible::Button : QAccessible::Link) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      const QString name = widget()->accessibleName();
      return name.isEmpty() ? static_cast<const ClickLabel*>(widget())->text() : name;
    }
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    if (action == pressAction()) emit static_cast<ClickLabel*>(widget())->clicked();
  }
  QStringList keyBindingsForAction(const QString&) const override {
    return {QStringLiteral("Space")};
  }
};

QAccessibleInterface* AccessibleFor(const QString&, QObject* object) {
  if (auto* label = qobject_cast<ClickLabel*>(object)) return new ClickLabelAccessible(label);
  if (auto* panel = dynamic_cast<BorderPanel*>(object)) {
    return new QAccessibleWidget(panel, QAccessible::Grouping);
  }
  // The picture holds the regions: a grouping named by its niche, so a niche change is heard.
  if (auto* picture = dynamic_cast<PictureBox*>(object)) {
    return new QAccessibleWidget(picture, QAccessible::Grouping);
  }
  return nullptr;
}

}  // namespace

void RestartKeyboardUse() {
  KeyboardInUse::Restart();
}

void InstallAccessibility() {
  QAccessible::installFactory(&AccessibleFor);
  qApp->installEventFilter(new KeyboardInUse(qApp));
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  SetBackground(this, Qt::white);
}

void PictureBox::SetPicture(QPixmap picture) {
  picture_ = std::move(picture);
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(0, 0, picture_);
}

BorderPanel::BorderPanel(QWidget* parent, const QColor& background) : QFrame(parent) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  SetBackground(this, background);
}

QPoint ClientOrigin(const QWidget* container) {
  if (const auto* panel = dynamic_cast<const BorderPanel*>(container)) {
    return panel->contentsRect().topLeft();
  }
  return {};
}

}  // namespace veltrane::qt
