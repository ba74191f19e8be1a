#include "Layout.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace veltrane::nichepictures {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const std::array<QRect, kSubnicheCount>& Regions() {
  static const std::array<QRect, kSubnicheCount> regions = [] {
    std::array<QRect, kSubnicheCount> r;
    for (std::size_t j = 0; j < r.size(); ++j) {
      const form::Rect px = form::InPixels(form::kRegions[j]);
      r[j] = QRect(px.left, px.top, px.width, px.height);
    }
    return r;
  }();
  return regions;
}

int RingAxisTwice() {
  const QRect& top = Regions()[0];
  return 2 * top.left() + top.width();
}

const std::array<QRect, kSubnicheCount>& Tiles() {
  static const std::array<QRect, kSubnicheCount> tiles = [] {
    const int axis = RingAxisTwice();
    const auto mirror = [axis](const QRect& r) {
      return QRect(axis - r.left() - r.width(), r.top(), r.width(), r.height());
    };
    // Room for a tile that its twin's mirror image also leaves inside the twin's region.
    std::array<QRect, kSubnicheCount> room;
    int width = kWidth;
    int height = kHeight;
    for (std::size_t j = 0; j < room.size(); ++j) {
      room[j] = Regions()[j] & mirror(Regions()[Twin(j)]);
      width = std::min(width, room[j].width());
      height = std::min(height, room[j].height());
    }
    // A tile centred on the axis has whole-pixel edges only at the axis's parity.
    if ((axis - width) % 2 != 0) --width;
    std::array<QRect, kSubnicheCount> t;
    for (std::size_t j = 0; j < t.size(); ++j) {
      const int top = room[j].top() + (room[j].height() - height) / 2;
      int left = 0;
      if (Twin(j) == j) {
        left = (axis - width) / 2;
      } else if (j < Twin(j)) {
        left = room[j].left() + (room[j].width() - width) / 2;
      } else {
        left = axis - t[Twin(j)].left() - width;
      }
      t[j] = QRect(left, top, width, height);
    }
    return t;
  }();
  return tiles;
}

QColor tint(QColor color, double amount) {
  const auto mix = [amount](int c) {
    return static_cast<int>(std::lround(255 + (c - 255) * amount));
  };
  return QColor(mix(color.red()), mix(color.green()), mix(color.blue()));
}

QColor background(QColor family) {
  return tint(family, 0.06);
}
QColor emblemColor(QColor family) {
  return family.darker(112);
}
QColor hintInk(QColor family) {
  return family.darker(160);
}
QColor hintGround(QColor family) {
  return tint(family, 0.14);
}

QFont font(int pixelSize, bool bold) {
  QFont f(kFontFamily);
  f.setStyleStrategy(QFont::PreferAntialias);
  f.setBold(bold);
  f.setPixelSize(pixelSize);
  return f;
}

QRectF labelBox(const QRect& tile) {
  const double top = tile.top() + kTilePad + kTileSymbol + kSymbolGap;
  return QRectF(tile.left() + kLabelSide, top, tile.width() - 2 * kLabelSide,
                tile.bottom() + 1 - kTilePad - top);
}

QRectF emblemTextBox() {
  return QRectF(kEmblemCenter.x() - kEmblemTextWidth / 2.0, kEmblemCenter.y(), kEmblemTextWidth,
                kEmblemTextHeight);
}

QRectF hintBand() {
  int lowest = 0;
  for (const QRect& r : Regions()) lowest = std::max(lowest, r.bottom() + 1);
  return QRectF(0, lowest, kWidth, kHeight - lowest);
}

QString hintPickText() {
  return QStringLiteral("Click a subniche, or press");
}

QString hintToText() {
  return QStringLiteral("to");
}

QString hintNichesText() {
  return QStringLiteral("Ctrl+1\u2013%1 or right-click: other niches").arg(kNicheCount);
}

Hint hintLayout(QPaintDevice* device) {
  constexpr double kPad = 7;  // above and below the rows
  constexpr double kRowGap = 2;
  constexpr double kSide = 18;  // beyond the longer row
  const QFontMetricsF metrics(font(kHintText, false), device);
  const double pickWidth = kHintSymbol + kHintGap + metrics.horizontalAdvance(hintPickText()) +
                           kHintGap + kHintKey + kHintGap +
                           metrics.horizontalAdvance(hintToText()) + kHintGap + kHintKey;
  const double nichesWidth = metrics.horizontalAdvance(hintNichesText());
  const double width = std::max(pickWidth, nichesWidth) + 2 * kSide;
  const double height = kPad + kHintKey + kRowGap + metrics.height() + kPad;
  const double axis = RingAxis();
  const QRectF pill(axis - width / 2, hintBand().center().y() - height / 2, width, height);
  const QRectF pick(axis - pickWidth / 2, pill.top() + kPad, pickWidth, kHintKey);
  const QRectF niches(axis - nichesWidth / 2, pick.bottom() + kRowGap, nichesWidth,
                      metrics.height());
  return {pill, pick, niches};
}

}  // namespace veltrane::nichepictures
