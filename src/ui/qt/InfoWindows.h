#pragma once

#include <QDialog>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace veltrane::qt {

// Fixed help on earning from the paid resources. Modal, fixed size, centred on the screen that
// holds `parent`.
class frmHelp : public QDialog {
 public:
  explicit frmHelp(QWidget* parent);
};

// The workflow in a few fixed words. Modal, fixed size, centred on the screen that holds
// `parent`.
class frmInstructions : public QDialog {
 public:
  explicit frmInstructions(QWidget* parent);
};

// Where a window whose client area has `size` goes so that it sits, with its `frame`, in the
// middle of `screen`: a window's position is its frame's.
QPoint FramedTopLeft(QSize size, QMargins frame, QRect screen);

}  // namespace veltrane::qt
