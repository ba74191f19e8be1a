#pragma once

// Where everything in a niche picture goes, in picture pixels, with its colours and fonts:
// what the drawing and the checks agree on.

#include <QColor>
#include <QFont>
#include <QPaintDevice>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QString>

#include <array>
#include <string_view>

#include "content/NicheCatalog.h"
#include "ui/FormLayout.h"

namespace veltrane::nichepictures {

inline constexpr int kWidth = form::kPictureWidthPx;
inline constexpr int kHeight = form::kPictureHeightPx;

// The emblem sits in the middle of the ring of tiles, which leaves the band below the lowest
// tile to the hint.
inline constexpr QPointF kEmblemCenter{306.5, 306.5};
inline constexpr int kEmblemRadius = 94;
inline constexpr int kHaloWidth = 8;  // light ring around the emblem
inline constexpr int kEmblemSymbol = 44;
inline constexpr int kEmblemTextWidth = 150;
inline constexpr int kEmblemTextHeight = 50;  // two lines

inline constexpr int kTileCorner = 10;
inline constexpr int kTileSymbol = 30;
inline constexpr int kSymbolGap = 2;  // between a symbol and the text under it
// Margins inside a tile. The test samples the tile colour 4 to 6 pixels in from the bottom
// corners, the sides, the bottom and the top right corner, so nothing is drawn there.
inline constexpr int kLabelSide = 5;
inline constexpr int kTilePad = 5;
inline constexpr int kBadgeInset = 5;  // the key badge sits in the top left corner
inline constexpr int kBadgeSize = 18;

// Pixel sizes: a niche's labels take the largest size at which all its names fit, the emblem
// the largest at which every niche's name fits.
inline constexpr int kLabelLargest = 16;
inline constexpr int kLabelSmallest = 13;
inline constexpr int kEmblemLargest = 22;
inline constexpr int kEmblemSmallest = 16;
inline constexpr int kSmallText = 13;  // key badges
inline constexpr int kHintText = 15;

// Text flags carry no mnemonic flag, so '&' is drawn literally.
inline constexpr int kWrapFlags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignTop;

// One colour family per niche, by menu index: tiles and emblem.
inline constexpr std::array<QRgb, kNicheCount> kNicheColors{0x1f5fae, 0x0d7a78, 0x6a40a3,
                                                            0x2e7d3a, 0xb2395c, 0xa85f00};

// The family the labels need: narrow enough for the longest names at a readable size.
inline const QString kFontFamily = QStringLiteral("DejaVu Sans Condensed");

struct Sizes {
  std::array<int, kNicheCount> label;  // by menu index
  int emblem;
};

QString Text(std::string_view text);

// The click regions of the main window, by subniche index.
const std::array<QRect, kSubnicheCount>& Regions();

// The ring's mirror axis, the middle of the top region, doubled to stay a whole number.
int RingAxisTwice();
inline double RingAxis() {
  return RingAxisTwice() / 2.0;
}
// The tile across the axis from tile `j`, counting round the ring from the top; the top and
// bottom tiles are their own twins.
constexpr std::size_t Twin(std::size_t j) {
  return (kSubnicheCount - j) % kSubnicheCount;
}
// The tiles as drawn, by subniche index: all one size, each inside its region, twins mirrored
// across the axis on the same rows. The regions differ a little in size and height, and a ring
// drawn straight from them looks lopsided.
const std::array<QRect, kSubnicheCount>& Tiles();

// Blend `colour` into white; amount 0 gives white, 1 gives the colour itself.
QColor tint(QColor color, double amount);
QColor background(QColor family);
QColor emblemColor(QColor family);
QColor hintInk(QColor family);
QColor hintGround(QColor family);

QFont font(int pixelSize, bool bold);

// Where a tile's label may go: under the symbol, clear of the sampled margins.
QRectF labelBox(const QRect& tile);
QRectF emblemTextBox();
// The band below the lowest tile, for the hint.
QRectF hintBand();

// The hint: how to pick a subniche ("Click a subniche, or press [1] to [8]" after a pointer)
// over how to reach the other niches, which a newcomer would not guess, in a pill centred on
// the ring's axis. Measured on the device it is drawn on, whose metrics differ by scale.
inline constexpr double kHintSymbol = 20;
inline constexpr double kHintKey = kBadgeSize + 2;
inline constexpr double kHintGap = 7;  // between the parts of a row
struct Hint {
  QRectF pill;
  QRectF pickRow;
  QRectF nichesRow;
};
QString hintPickText();
QString hintToText();
QString hintNichesText();
Hint hintLayout(QPaintDevice* device);

}  // namespace veltrane::nichepictures
