#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QWidget>
#include <string>

#include "ui/FormLayout.h"

namespace veltrane::qt {

// Layout values are in twips, 1,440 to the inch: they become Qt's logical pixels at the
// screen's logical dots per inch, so controls grow with the fonts (15 twips a pixel at 96 dpi).
// Qt's high-DPI scaling then maps logical pixels to the device's.
void SetScreenDpi(double dotsPerInch);
double ScreenDpi();
int Px(float twips);
float Twips(int pixels);
QRect ToQRect(const form::Rect& twips);
QColor ToQColor(const form::Rgb& rgb);

// The window's type face; bold is weight 700.
QFont VerdanaFont(const form::Font& font);

// UTF-8 from the core into Qt and back.
QString FromUtf8(const std::string& text);
std::string ToUtf8(const QString& text);

// A label that shows its text literally: no rich text, no '&' shortcut, wrapped at words,
// anchored top-left, transparent unless given a background.
class PlainLabel : public QLabel {
 public:
  PlainLabel(const QString& text, QWidget* parent);
};

// A label that reacts to a click, and to Space or Enter when it has the keyboard focus, which
// it shows with a frame while the keyboard is in use. Link-styled ones are dark blue, underlined,
// with the up-arrow pointer; screen readers meet them as links. Without text it is an invisible
// click region, met as a button named by its accessible name. It draws its text itself, as
// plain text: a QLabel that can take the focus builds a whole text document for it.
class ClickLabel : public QWidget {
  Q_OBJECT
 public:
  ClickLabel(const QString& text, QWidget* parent);
  const QString& text() const { return text_; }
  void setText(const QString& text);
  void setAlignment(Qt::Alignment alignment);
  void SetLinkStyle();
  bool IsRegion() const { return text_.isEmpty(); }

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Qt would take the second click of a double-click for another press.
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
  bool pressed_ = false;
};

// A push button that Enter presses as well as Space, without being the window's default.
class PushButton : public QPushButton {
 public:
  PushButton(const QString& text, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// Makes screen readers meet the clickable labels as links or buttons with a press action, and
// the bordered panels as groupings rather than windows; and shows the labels' focus frame while
// the keyboard is in use. Once per program.
void InstallAccessibility();
// A window newly shown: no key or click has happened in it yet.
void RestartKeyboardUse();

// Draws its picture at the top-left corner at the picture's own logical size (its device pixel
// ratio says how large), cut off at its edges, on white.
class PictureBox : public QWidget {
 public:
  explicit PictureBox(QWidget* parent);
  void SetPicture(QPixmap picture);
  const QPixmap& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
};

// A plain rectangular panel with a one-pixel border line. Its children are placed from the
// client area inside the line.
class BorderPanel : public QFrame {
 public:
  BorderPanel(QWidget* parent, const QColor& background);
};

// Contrast ratio of two colours as the Web Content Accessibility Guidelines measure it.
double ContrastRatio(const QColor& a, const QColor& b);

// The light palette the layout is drawn for, in place of a dark one of the desktop's: one
// colour scheme for the whole window and its dialogs.
void UseLightPalette();
// The widget's selected entries drawn so that their text is as readable as any other.
void UseReadableSelection(QWidget* widget);

// Where a container's client area starts, in its own pixels: inside the border of a panel.
QPoint ClientOrigin(const QWidget* container);

void SetBackground(QWidget* widget, const QColor& color);
void SetTextColor(QWidget* widget, const QColor& color);

}  // namespace veltrane::qt
