#include "ui/qt/Dialogs.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QUrl>

namespace veltrane::qt {

int Dialogs::Exec(QDialog& dialog) {
  return dialog.exec();
}

void Dialogs::Popup(QMenu& menu, const QPoint& at) {
  menu.exec(at);
}

bool Dialogs::OpenUrl(const QUrl& url) {
  return QDesktopServices::openUrl(url);
}

bool Dialogs::MoveToTrash(const QString& file) {
  return QFile::moveToTrash(file);
}

}  // namespace veltrane::qt
