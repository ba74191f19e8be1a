#pragma once

// Where everything in a niche picture goes, in picture pixels, with its colours and fonts:
// what the drawing and the checks agree on.

#include <QColor>
#include <QFont>
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
inline constexpr QPointF kEmblemCentre{306.5, 306.5};
inline constexpr int kEmblemRadius = 94;
inline constexpr int kHaloWidth = 8;  // light ring around the emblem
inline constexpr int kEmblemSymbol = 44;
inline constexpr int kEmblemTextWidth = 150;
inline constexpr int kEmblemTextHeight = 50;  // two lines

inline constexpr int kTileInset = 1;  // tile = region shrunk by this many pixels per side
inline constexpr int kTileCorner = 10;
inline constexpr int kTileSymbol = 30;
inline constexpr int kSymbolGap = 3;  // between a symbol and the text under it
// Margins inside a region. The test samples the tile colour 4 to 6 pixels in from the bottom
// corners, the sides, the bottom and the top right corner, so nothing is drawn there.
inline constexpr int kLabelSide = 7;
inline constexpr int kTilePad = 8;
inline constexpr int kBadgeInset = 6;  // the key badge sits in the top left corner
inline constexpr int kBadgeSize = 18;

// Pixel sizes: the labels take the largest size at which every name of every niche fits.
inline constexpr int kLabelLargest = 16;
inline constexpr int kLabelSmallest = 13;
inline constexpr int kEmblemLargest = 22;
inline constexpr int kEmblemSmallest = 16;
inline constexpr int kSmallText = 13;  // key badges
inline constexpr int kHintText = 15;

// Text flags carry no mnemonic flag, so '&' is drawn literally.
inline constexpr int kWrapFlags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignTop;

// One colour family per niche, by menu index: tiles and emblem.
inline constexpr std::array<QRgb, kNicheCount> kNicheColours{0x1f5fae, 0x0d7a78, 0x6a40a3,
                                                             0x2e7d3a, 0xb2395c, 0xa85f00};

// The family the labels need: narrow enough for the longest names at a readable size.
inline const QString kFontFamily = QStringLiteral("DejaVu Sans Condensed");

struct Sizes {
  int label;
  int emblem;
};

QString Text(std::string_view text);

// The click regions of the main window, by subniche index.
const std::array<QRect, kSubnicheCount>& Regions();

// Blend `colour` into white; amount 0 gives white, 1 gives the colour itself.
QColor tint(QColor colour, double amount);
QColor background(QColor family);
QColor emblemColour(QColor family);
QColor hintInk(QColor family);
QColor hintGround(QColor family);

QFont font(int pixelSize, bool bold);

// Where a tile's label may go: under the symbol, clear of the sampled margins.
QRectF labelBox(const QRect& r);
QRectF emblemTextBox();
// The band below the lowest tile, for the hint.
QRectF hintBand();

}  // namespace veltrane::nichepictures
