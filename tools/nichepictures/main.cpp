// veltrane-nichepictures: draws the six niche pictures shown in the main window.
//
// Usage: veltrane-nichepictures OUTPUT_DIR
// Writes OUTPUT_DIR/0.jpg .. 5.jpg (622 x 670, JPEG quality 92). Each picture holds
// an emblem with the niche name in the centre and eight subniche tiles; tile j sits
// exactly under click region j of the main window. The output is deterministic.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string_view>

#include "content/NicheCatalog.h"
#include "ui/FormLayout.h"

namespace {

constexpr int kWidth = veltrane::form::kPictureWidthPx;
constexpr int kHeight = veltrane::form::kPictureHeightPx;
constexpr int kJpegQuality = 92;

// The click regions of the main window, in picture pixels.
std::array<QRect, veltrane::kSubnicheCount> Regions() {
  std::array<QRect, veltrane::kSubnicheCount> regions;
  for (std::size_t j = 0; j < regions.size(); ++j) {
    const veltrane::form::Rect r = veltrane::form::InPixels(veltrane::form::kRegions[j]);
    regions[j] = QRect(r.left, r.top, r.width, r.height);
  }
  return regions;
}
const std::array<QRect, veltrane::kSubnicheCount> kRegions = Regions();

constexpr QPoint kEmblemCentre{311, 335};
constexpr int kEmblemRadius = 94;
constexpr int kHaloWidth = 8;  // light ring around the emblem
constexpr int kTileInset = 1;  // tile = region shrunk by this many pixels per side
constexpr int kTileCorner = 10;
// Text flags carry no mnemonic flag, so '&' is drawn literally.
constexpr int kEmblemTextFlags = Qt::TextWordWrap | Qt::AlignCenter;
constexpr int kTileTextFlags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignBottom;
// A tile's label sits just above its centre row and a short accent bar just below it, so
// the tile's centre pixel always shows the plain tile colour.
constexpr int kCentreGapAbove = 3;
constexpr int kBarTop = 5;
constexpr int kBarWidth = 28;
constexpr int kBarHeight = 4;

// One colour family per niche, by menu index: tiles and emblem.
constexpr std::array<QRgb, veltrane::kNicheCount> kNicheColours{0x1f5fae, 0x0d7a78, 0x6a40a3,
                                                                0x2e7d3a, 0xb2395c, 0xa85f00};

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Blend `colour` into white; amount 0 gives white, 1 gives the colour itself.
QColor tint(QColor colour, double amount) {
  const auto mix = [amount](int c) {
    return static_cast<int>(std::lround(255 + (c - 255) * amount));
  };
  return QColor(mix(colour.red()), mix(colour.green()), mix(colour.blue()));
}

QFont baseFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleStrategy(QFont::PreferAntialias);
  font.setBold(true);
  return font;
}

// Largest bold font between `largest` and `smallest` pixels whose word-wrapped text fits
// inside `box`, or nothing if even the smallest size overflows.
std::optional<QFont> fittingFont(const QString& text, const QRect& box, int flags, int largest,
                                 int smallest) {
  QFont font = baseFont();
  for (int px = largest; px >= smallest; --px) {
    font.setPixelSize(px);
    if (box.contains(QFontMetrics(font).boundingRect(box, flags, text))) return font;
  }
  return std::nullopt;
}

bool drawFittedText(QPainter& p, const QString& text, const QRect& box, int flags, int largest,
                    int smallest) {
  const auto font = fittingFont(text, box, flags, largest, smallest);
  if (!font) {
    std::fprintf(stderr, "text does not fit: \"%s\"\n", qPrintable(text));
    return false;
  }
  p.setFont(*font);
  p.setPen(Qt::white);
  p.drawText(box, flags, text);
  return true;
}

// The halo around the emblem must stay clear of every tile.
bool emblemClearOfTiles() {
  const double reach = kEmblemRadius + kHaloWidth;
  for (const QRect& r : kRegions) {
    const double dx = std::max({r.left() - kEmblemCentre.x(), 0, kEmblemCentre.x() - r.right()});
    const double dy = std::max({r.top() - kEmblemCentre.y(), 0, kEmblemCentre.y() - r.bottom()});
    if (std::hypot(dx, dy) <= reach) return false;
  }
  return true;
}

std::optional<QImage> drawNiche(const veltrane::NicheEntry& niche, QRgb colour) {
  const QColor family = QColor::fromRgb(colour);
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(tint(family, 0.06));

  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  // Connectors run from the emblem centre to each tile centre; tiles and emblem cover the ends.
  p.setPen(QPen(tint(family, 0.25), 2, Qt::SolidLine, Qt::RoundCap));
  for (const QRect& r : kRegions) p.drawLine(QPointF(kEmblemCentre), QRectF(r).center());

  p.setPen(Qt::NoPen);
  p.setBrush(tint(family, 0.18));
  p.drawEllipse(QPointF(kEmblemCentre), kEmblemRadius + kHaloWidth, kEmblemRadius + kHaloWidth);
  p.setBrush(family.darker(112));
  p.drawEllipse(QPointF(kEmblemCentre), kEmblemRadius, kEmblemRadius);

  // Text box inside the circle: wide enough for long words, short enough to clear the rim.
  const int boxW = kEmblemRadius * 16 / 10;
  const int boxH = kEmblemRadius * 12 / 10;
  const QRect emblemBox(kEmblemCentre.x() - boxW / 2, kEmblemCentre.y() - boxH / 2, boxW, boxH);
  if (!drawFittedText(p, Text(niche.name), emblemBox, kEmblemTextFlags, 22, 14))
    return std::nullopt;

  for (std::size_t j = 0; j < kRegions.size(); ++j) {
    const QRectF tile =
        QRectF(kRegions[j]).adjusted(kTileInset, kTileInset, -kTileInset, -kTileInset);
    p.setPen(Qt::NoPen);
    p.setBrush(family);
    p.drawRoundedRect(tile, kTileCorner, kTileCorner);
    const QRect& r = kRegions[j];
    const int centreY = r.y() + r.height() / 2;
    const QRect textBox(r.x() + 9, r.y() + 7, r.width() - 18,
                        centreY - kCentreGapAbove - (r.y() + 7));
    if (!drawFittedText(p, Text(niche.subniches[j]), textBox, kTileTextFlags, 12, 9))
      return std::nullopt;
    p.setPen(Qt::NoPen);
    p.setBrush(tint(family, 0.45));
    const int barX = r.x() + (r.width() - kBarWidth) / 2;
    p.drawRoundedRect(QRectF(barX, centreY + kBarTop, kBarWidth, kBarHeight), 2, 2);
  }
  p.end();
  return image;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const QString family = QFontInfo(baseFont()).family();
  if (family != QStringLiteral("DejaVu Sans")) {
    std::fprintf(stderr, "font \"DejaVu Sans\" not available (got \"%s\")\n", qPrintable(family));
    return 1;
  }
  if (!emblemClearOfTiles()) {
    std::fprintf(stderr, "emblem overlaps a tile\n");
    return 1;
  }
  const QDir outDir(QString::fromLocal8Bit(argv[1]));
  if (!outDir.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }
  for (std::size_t i = 0; i < veltrane::kNicheCount; ++i) {
    const auto image = drawNiche(veltrane::NicheCatalog()[i], kNicheColours[i]);
    const QString path = outDir.filePath(QStringLiteral("%1.jpg").arg(i));
    if (!image || !image->save(path, "JPG", kJpegQuality)) {
      std::fprintf(stderr, "failed to write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
