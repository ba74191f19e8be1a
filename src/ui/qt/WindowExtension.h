#pragma once

class QMenu;
class QWidget;

namespace veltrane::qt {

// What another part of the program adds to the main window: controls in the prompt panel,
// entries in its menus and the send key. The window calls it and knows nothing more of it.
class WindowExtension {
 public:
  virtual ~WindowExtension() = default;
  // Once, when the prompt panel has been built.
  virtual void PromptPanelBuilt(QWidget& panel) = 0;
  virtual void AddToPictureMenu(QMenu& menu) = 0;
  virtual void AddToProblemMenu(QMenu& menu) = 0;
  // Ctrl+Enter while the prompt panel is shown.
  virtual void SendKey() = 0;
};

}  // namespace veltrane::qt
