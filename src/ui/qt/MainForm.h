#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointF>
#include <QPushButton>
#include <array>
#include <string_view>

#include "content/NicheCatalog.h"
#include "ui/qt/Widgets.h"

namespace veltrane::qt {

// The main window's controls, built on `window` from the layout table: named, placed, styled
// and stacked, in their state before start-up.
class MainForm {
 public:
  explicit MainForm(QWidget* window);

  // A control's place in its container's client area, in twips, and moving it there.
  static QPointF Position(const QWidget* control);
  static void MoveTo(QWidget* control, float left, float top);

  PictureBox* Picture1;
  std::array<ClickLabel*, kSubnicheCount> lblItem;
  QWidget* picMenu;
  std::array<ClickLabel*, kNicheCount> lblMenu;
  QFrame* shPosition;
  Panel* picNiche;
  PlainLabel* lblSelectedNiche;
  ClickLabel* lblClose;
  PlainLabel* Label4;
  ClickLabel* lblHelp;
  QListWidget* lstProblems;
  QLineEdit* txtProblem;
  QPlainTextEdit* txtFree;
  QPlainTextEdit* txtPaid;
  QCheckBox* chkFree;
  QPushButton* cmdGenerate;
  Panel* picArticlePrompt;
  ClickLabel* lblCopyToClipboard;
  QPlainTextEdit* txtPrompt;
  ClickLabel* lblInstructions;

 private:
  QWidget* Build(const form::Control& control, QWidget* parent);
  template <class T>
  T* Find(std::string_view name) const;

  QWidget* window_;
};

}  // namespace veltrane::qt
