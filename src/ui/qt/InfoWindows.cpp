#include "ui/qt/InfoWindows.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "ui/FormLayout.h"
#include "ui/qt/Widgets.h"

namespace veltrane::qt {
namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Centres the window with its frame on the screen that holds `owner`. The window has no frame
// before it is first shown, so the owner's, drawn by the same window manager, stands in for it.
void CenterOnScreen(QDialog& window, const QWidget* owner) {
  const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QMargins frame;
  if (owner != nullptr && owner->isVisible()) {
    const QRect outer = owner->frameGeometry();
    const QRect inner = owner->geometry();
    frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                     outer.right() - inner.right(), outer.bottom() - inner.bottom());
  }
  window.move(FramedTopLeft(window.size(), frame, screen->availableGeometry()));
}

void BuildInfoWindow(QDialog& window, const form::InfoWindow& layout) {
  window.setWindowTitle(Text(layout.title));
  window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
  window.setModal(true);
  SetBackground(&window, ToQColor(form::kWhite));
  window.setFixedSize(ToQRect({0, 0, layout.clientWidth, layout.clientHeight}).size());

  // The button lies in front of any label it overlaps, so it is built last.
  for (const form::InfoText& text : layout.texts) {
    auto* label = new PlainLabel(Text(text.text), &window);
    label->setObjectName(Text(text.name));
    label->setGeometry(ToQRect(text.rect));
    label->setFont(VerdanaFont({form::kInfoTextPoints, text.bold}));
    SetTextColor(label, ToQColor(form::kDarkGray));
  }
  auto* button = new QPushButton(QStringLiteral("Close"), &window);
  button->setObjectName(QStringLiteral("cmdClose"));
  button->setGeometry(ToQRect(layout.closeButton));
  button->setFont(VerdanaFont(layout.closeFont));
  button->setAutoDefault(false);
  button->setDefault(false);
  button->setFocus();
  QObject::connect(button, &QPushButton::clicked, &window, &QDialog::reject);
  CenterOnScreen(window, window.parentWidget());
}

}  // namespace

QPoint FramedTopLeft(QSize size, QMargins frame, QRect screen) {
  QRect framed(QPoint(), size.grownBy(frame));
  framed.moveCenter(screen.center());
  return framed.topLeft();
}

frmHelp::frmHelp(QWidget* parent) : QDialog(parent) {
  BuildInfoWindow(*this, form::kHelpWindow);
}

frmInstructions::frmInstructions(QWidget* parent) : QDialog(parent) {
  BuildInfoWindow(*this, form::kInstructionsWindow);
}

}  // namespace veltrane::qt
