#include <QApplication>
#include <QFile>
#include <filesystem>

#include "ui/qt/MainWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Veltrane"));

  // Content lives beside the executable, wherever the program is started from.
  const std::filesystem::path appDir =
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  veltrane::qt::MainWindow window(appDir);
  if (!window.Load()) return 1;
  window.showMaximized();
  return QApplication::exec();
}
