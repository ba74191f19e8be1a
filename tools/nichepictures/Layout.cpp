#include "Layout.h"

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

QColor tint(QColor colour, double amount) {
  const auto mix = [amount](int c) {
    return static_cast<int>(std::lround(255 + (c - 255) * amount));
  };
  return QColor(mix(colour.red()), mix(colour.green()), mix(colour.blue()));
}

QColor background(QColor family) {
  return tint(family, 0.06);
}
QColor emblemColour(QColor family) {
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

QRectF labelBox(const QRect& r) {
  const double top = r.top() + kTilePad + kTileSymbol + kSymbolGap;
  return QRectF(r.left() + kLabelSide, top, r.width() - 2 * kLabelSide,
                r.bottom() + 1 - kTilePad - top);
}

QRectF emblemTextBox() {
  return QRectF(kEmblemCentre.x() - kEmblemTextWidth / 2.0, kEmblemCentre.y(), kEmblemTextWidth,
                kEmblemTextHeight);
}

QRectF hintBand() {
  int lowest = 0;
  for (const QRect& r : Regions()) lowest = std::max(lowest, r.bottom() + 1);
  return QRectF(0, lowest, kWidth, kHeight - lowest);
}

}  // namespace veltrane::nichepictures
