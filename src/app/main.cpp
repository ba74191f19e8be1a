#include <QApplication>
#include <QFile>
#include <QIcon>
#include <filesystem>

#include "ui/qt/MainWindow.h"

namespace {

// Built in from packaging/icons, so the window has its icon even when run from the build tree.
// Up to 64 pixels: every size is rendered into the window's icon property before it is first
// mapped, and the larger ones cost more start-up time than anything else in the window. Docks
// and launchers take the installed theme icon, which has them all.
QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64}) {
    icon.addFile(QStringLiteral(":/veltrane/icon/%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Veltrane"));
  // Lets the desktop match the window to the installed .desktop file and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.veltrane.Veltrane"));
  QApplication::setWindowIcon(ProgramIcon());

  // Content lives beside the executable, wherever the program is started from.
  const std::filesystem::path appDir =
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  veltrane::qt::MainWindow window(appDir);
  if (!window.Load()) return 1;
  window.showMaximized();
  return QApplication::exec();
}
