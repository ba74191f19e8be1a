// veltrane-nichepictures: draws the six niche pictures shown in the main window.
//
// Usage: veltrane-nichepictures OUTPUT_DIR
// Writes OUTPUT_DIR/<menu>.jpg (622 x 670) and <menu>@2x.jpg (1244 x 1340, the same drawing
// at twice the scale for device pixel ratio 2) for menus 0 to 5, JPEG quality 92. Each
// picture holds an emblem in the middle, a symmetric ring of eight subniche tiles (tile j
// inside click region j of the main window, with a symbol, the name and the key j + 1 that
// opens it) and a hint in the band below the tiles. The output is deterministic.

#include <QDir>
#include <QGuiApplication>
#include <QString>

#include <cstdio>

#include "Checks.h"
#include "Layout.h"
#include "Picture.h"

namespace {
constexpr int kJpegQuality = 92;
}  // namespace

int main(int argc, char* argv[]) {
  using namespace veltrane::nichepictures;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  if (!fontAvailable() || !tilesInRegions() || !emblemFits() || !hintFits() || !colorsReadable()) {
    return 1;
  }
  const auto sizes = chooseSizes();
  if (!sizes) return 1;
  std::printf("labels");
  for (const int px : sizes->label) std::printf(" %d", px);
  std::printf(" px, emblem %d px\n", sizes->emblem);

  const QDir outDir(QString::fromLocal8Bit(argv[1]));
  if (!outDir.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }
  for (std::size_t i = 0; i < veltrane::kNicheCount; ++i) {
    for (const int scale : {1, 2}) {
      const auto image = drawNiche(i, scale, *sizes);
      const QString file = scale == 1 ? QStringLiteral("%1.jpg").arg(i)
                                      : QStringLiteral("%1@%2x.jpg").arg(i).arg(scale);
      const QString path = outDir.filePath(file);
      if (!image || !image->save(path, "JPG", kJpegQuality)) {
        std::fprintf(stderr, "failed to write %s\n", qPrintable(path));
        return 1;
      }
    }
  }
  return 0;
}
