#include "ui/qt/Widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QStringList>
#include <cmath>
#include <utility>

namespace veltrane::qt {

int Px(float twips) {
  return static_cast<int>(std::lround(twips / form::kTwipsPerPixel));
}
float Twips(int pixels) {
  return static_cast<float>(pixels * form::kTwipsPerPixel);
}

QRect ToQRect(const form::Rect& twips) {
  const form::Rect px = form::InPixels(twips);
  return {px.left, px.top, px.width, px.height};
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

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : PlainLabel(text, parent) {}

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
  painter.drawPixmap(0, 0, picture_);
}

Panel::Panel(QWidget* parent, const QColor& background) : QFrame(parent) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  SetBackground(this, background);
}

QPoint ClientOrigin(const QWidget* container) {
  if (const auto* panel = dynamic_cast<const Panel*>(container)) {
    return panel->contentsRect().topLeft();
  }
  return {};
}

}  // namespace veltrane::qt
