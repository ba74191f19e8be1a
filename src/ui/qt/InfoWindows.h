#pragma once

#include <QDialog>

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

}  // namespace veltrane::qt
