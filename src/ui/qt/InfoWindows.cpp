#include "ui/qt/InfoWindows.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "ui/qt/Widgets.h"

namespace veltrane::qt {
namespace {

struct LabelLayout {
  int left, top, width, height;
  bool bold;
  const char* text;
};

struct ButtonLayout {
  int left, top, width, height;
  double points;
  bool bold;
};

void BuildInfoWindow(QDialog& window, const QString& title, int width, int height,
                     std::initializer_list<LabelLayout> labels, const ButtonLayout& close) {
  window.setWindowTitle(title);
  window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
  window.setModal(true);
  SetBackground(&window, Qt::white);
  window.setFixedSize(Px(static_cast<float>(width)), Px(static_cast<float>(height)));

  // The button lies in front of any label it overlaps, so it is built last.
  for (const LabelLayout& layout : labels) {
    auto* label = new PlainLabel(QString::fromUtf8(layout.text), &window);
    label->setGeometry(TwipRect(layout.left, layout.top, layout.width, layout.height));
    label->setFont(VerdanaFont(11.25, layout.bold));
    SetTextColor(label, QColor(64, 64, 64));
  }
  auto* button = new QPushButton(QStringLiteral("Close"), &window);
  button->setObjectName(QStringLiteral("cmdClose"));
  button->setGeometry(TwipRect(close.left, close.top, close.width, close.height));
  button->setFont(VerdanaFont(close.points, close.bold));
  button->setAutoDefault(false);
  button->setDefault(false);
  button->setFocus();
  QObject::connect(button, &QPushButton::clicked, &window, &QDialog::reject);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
  }
}

}  // namespace

frmHelp::frmHelp(QWidget* parent) : QDialog(parent) {
  BuildInfoWindow(
      *this, QStringLiteral("Help"), 11595, 4260,
      {{945, 630, 9465, 555, true, "How to Monetize the Paid Resources"},
       {945, 1125, 9465, 555, false,
        "The paid resources are resources that ChatGPT know (can write content for them) and "
        "that you can promote as an affiliate (always check this as things may change). "},
       {945, 1980, 9555, 555, false,
        "You can insert your affiliate links after generating your article with ChatGPT (or any "
        "other tool)."}},
      {4275, 3060, 3210, 825, 9, true});
}

frmInstructions::frmInstructions(QWidget* parent) : QDialog(parent) {
  BuildInfoWindow(
      *this, QStringLiteral("Instructions"), 11490, 8160,
      {{810, 720, 9465, 555, false,
        "The software helps you to create \"Problem-Solution\" article prompts that you can use "
        "inside ChatGPT or other tools."},
       {810, 1485, 9870, 555, false,
        "Each article can be monetized with affiliate products (the software will give you "
        "suggestions for each topic so you don't have to do the research)."},
       {810, 2340, 9465, 555, true, "Instructions"},
       {810, 2970, 9465, 555, false,
        "To get started, choose a niche. Then, select a common problem from the list.\n\n"},
       {810, 3690, 9465, 555, false,
        "Each article includes a recommendation for 1 free resource (which you can omit if you "
        "prefer) and 2 or 3 paid resources that you can promote as an affiliate."},
       {810, 4590, 9465, 1005, false,
        "Note: If you want to promote the recommended products as an affiliate, you can Google "
        "each resource's name like this: \"resource name affiliate program\" (if you find that an "
        "affiliate program is not available, you can replace it with another one)."},
       {810, 5760, 9465, 555, false,
        "Finally, click \"Generate Article Prompt\" to create a prompt that you can insert into "
        "ChatGPT or another system."},
       {810, 6570, 9465, 555, false, "That's All!"}},
      {4410, 7065, 2760, 735, 9.75, false});
}

}  // namespace veltrane::qt
