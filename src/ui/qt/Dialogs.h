#pragma once

#include <QString>

class QDialog;
class QMenu;
class QPoint;
class QUrl;

namespace veltrane::qt {

// Everything the window hands to the user or the desktop and waits for: modal windows, menus,
// the file manager and the trash. Tests answer them through a class of their own.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual int Exec(QDialog& dialog);
  virtual void Popup(QMenu& menu, const QPoint& at);
  virtual bool OpenUrl(const QUrl& url);
  virtual bool MoveToTrash(const QString& file);
};

}  // namespace veltrane::qt
