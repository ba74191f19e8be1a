#pragma once

#include <QCheckBox>
#include <QComboBox>
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

// The main window's controls, built on `window` (the area the window scrolls) from the layout
// table: named, placed, styled
// and stacked, in their state before start-up. The niche panel, hidden until a subniche is
// chosen, is built apart when first needed: start-up neither waits for it nor holds its memory.
class MainForm {
 public:
  explicit MainForm(QWidget* window);
  // Builds the niche panel and all in it, once; true when it did. Until then the panel's
  // controls are null.
  bool BuildNichePanel();

  // The least size in which every control can be seen, the niche panel centred included.
  static QSize ContentSize();
  // A control's place in its container's client area, in twips, and moving it there.
  static QPointF Position(const QWidget* control);
  static void MoveTo(QWidget* control, float left, float top);

  PictureBox* Picture1 = nullptr;
  std::array<ClickLabel*, kSubnicheCount> lblItem{};
  QWidget* picMenu = nullptr;
  std::array<ClickLabel*, kNicheCount> lblMenu{};
  QFrame* shPosition = nullptr;
  ClickLabel* lblInstructions = nullptr;

  BorderPanel* picNiche = nullptr;
  PlainLabel* lblSelectedNiche = nullptr;
  ClickLabel* lblClose = nullptr;
  PlainLabel* Label4 = nullptr;
  ClickLabel* lblHelp = nullptr;
  QListWidget* lstProblems = nullptr;
  QLineEdit* txtProblem = nullptr;
  QPlainTextEdit* txtFree = nullptr;
  QPlainTextEdit* txtPaid = nullptr;
  QCheckBox* chkFree = nullptr;
  QPushButton* cmdGenerate = nullptr;
  BorderPanel* picArticlePrompt = nullptr;
  ClickLabel* lblCopyToClipboard = nullptr;
  QPlainTextEdit* txtPrompt = nullptr;
  QComboBox* cboArticleType = nullptr;
  ClickLabel* lblArticleOptions = nullptr;

 private:
  // Builds the controls inside `root`, the container named `rootName`, but not `skip`.
  void BuildTree(QWidget* root, std::string_view rootName, std::string_view skip);
  QWidget* Build(const form::Control& control, QWidget* parent);
  template <class T>
  T* Find(std::string_view name) const;

  QWidget* window_;
};

}  // namespace veltrane::qt
