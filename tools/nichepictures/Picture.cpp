#include "Picture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstdio>

#include "Checks.h"
#include "Symbols.h"

namespace veltrane::nichepictures {
namespace {

void drawSymbol(QPainter& p, Drawing drawing, const QRectF& box, QColor ink, QColor ground) {
  Glyph g = drawing();
  g.cover.setFillRule(Qt::WindingFill);
  g.solid.setFillRule(Qt::WindingFill);
  p.save();
  p.translate(box.topLeft());
  p.scale(box.width() / kGlyphGrid, box.height() / kGlyphGrid);
  const QPen pen(ink, kStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.strokePath(g.behind, pen);
  p.fillPath(g.cover, ground);
  p.strokePath(g.lines, pen);
  p.fillPath(g.solid, ink);
  p.restore();
}

// A word-wrapped text drawn top-aligned in `box`; false if it overflows on this device.
bool drawWrapped(QPainter& p, const QString& text, const QRectF& box, const QFont& f, QColor ink) {
  if (!fits(text, box, f, p.device())) {
    std::fprintf(stderr, "text does not fit: \"%s\"\n", qPrintable(text));
    return false;
  }
  p.setFont(f);
  p.setPen(ink);
  p.drawText(box, kWrapFlags, text);
  return true;
}

// A key cap showing `digit`: light face, the digit in the niche colour.
void drawKey(QPainter& p, const QRectF& box, int digit, QColor family, bool outlined) {
  p.setPen(outlined ? QPen(tint(family, 0.45), 1) : Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
  p.setFont(font(kSmallText, true));
  p.setPen(family);
  p.drawText(box, Qt::AlignCenter, QString::number(digit));
}

bool drawTile(QPainter& p, std::size_t j, const QString& name, Drawing symbol, QColor family,
              int labelPx) {
  const QRect& r = Tiles()[j];
  p.setPen(Qt::NoPen);
  p.setBrush(family);
  p.drawRoundedRect(QRectF(r), kTileCorner, kTileCorner);
  drawKey(p, QRectF(r.left() + kBadgeInset, r.top() + kBadgeInset, kBadgeSize, kBadgeSize),
          static_cast<int>(j) + 1, family, false);

  // Symbol and label together, centred in the tile's height.
  const QFont f = font(labelPx, true);
  const QRectF box = labelBox(r);
  const double textHeight =
      QFontMetricsF(f, p.device()).boundingRect(box, kWrapFlags, name).height();
  const double block = kTileSymbol + kSymbolGap + textHeight;
  const double top =
      std::max(r.top() + (r.height() - block) / 2, static_cast<double>(r.top() + kTilePad));
  drawSymbol(p, symbol,
             QRectF(r.left() + (r.width() - kTileSymbol) / 2.0, top, kTileSymbol, kTileSymbol),
             Qt::white, family);
  const QRectF text(box.left(), top + kTileSymbol + kSymbolGap, box.width(),
                    box.bottom() - (top + kTileSymbol + kSymbolGap));
  return drawWrapped(p, name, text, f, Qt::white);
}

void drawHint(QPainter& p, QColor family) {
  const QColor ink = hintInk(family);
  const QColor ground = hintGround(family);
  const QFont f = font(kHintText, false);
  const QFontMetricsF metrics(f, p.device());
  const Hint hint = hintLayout(p.device());
  p.setPen(Qt::NoPen);
  p.setBrush(ground);
  const double radius = hint.pill.height() / 2;
  p.drawRoundedRect(hint.pill, radius, radius);

  const double mid = hint.pickRow.center().y();
  double x = hint.pickRow.left();
  drawSymbol(p, HintSymbol(), QRectF(x, mid - kHintSymbol / 2, kHintSymbol, kHintSymbol), ink,
             ground);
  x += kHintSymbol + kHintGap;
  const auto text = [&](const QString& s) {
    const double w = metrics.horizontalAdvance(s);
    p.setFont(f);
    p.setPen(ink);
    p.drawText(QRectF(x, mid - 15, w + 1, 30), Qt::AlignLeft | Qt::AlignVCenter, s);
    x += w + kHintGap;
  };
  const auto keyCap = [&](int digit) {
    drawKey(p, QRectF(x, mid - kHintKey / 2, kHintKey, kHintKey), digit, family, true);
    x += kHintKey + kHintGap;
  };
  text(hintPickText());
  keyCap(1);
  text(hintToText());
  keyCap(static_cast<int>(kSubnicheCount));

  p.setFont(f);
  p.setPen(ink);
  p.drawText(hint.nichesRow.adjusted(0, 0, 1, 0), Qt::AlignLeft | Qt::AlignVCenter,
             hintNichesText());
}

}  // namespace

std::optional<QImage> drawNiche(std::size_t menu, int scale, const Sizes& sizes) {
  const NicheEntry& niche = NicheCatalog()[menu];
  const QColor family = QColor::fromRgb(kNicheColors[menu]);
  QImage image(kWidth * scale, kHeight * scale, QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  image.fill(background(family));

  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  // Connectors run from the emblem centre to each tile centre; tiles and emblem cover the ends.
  p.setPen(QPen(tint(family, 0.25), 2, Qt::SolidLine, Qt::RoundCap));
  for (const QRect& r : Tiles()) p.drawLine(kEmblemCenter, QRectF(r).center());

  p.setPen(Qt::NoPen);
  p.setBrush(tint(family, 0.18));
  p.drawEllipse(kEmblemCenter, kEmblemRadius + kHaloWidth, kEmblemRadius + kHaloWidth);
  p.setBrush(emblemColor(family));
  p.drawEllipse(kEmblemCenter, kEmblemRadius, kEmblemRadius);

  // The emblem's symbol over its name, the two centred together.
  const QString name = Text(niche.name);
  const QFont emblemFont = font(sizes.emblem, true);
  const QRectF nameBox = emblemTextBox();
  const double nameHeight =
      QFontMetricsF(emblemFont, p.device()).boundingRect(nameBox, kWrapFlags, name).height();
  const double top = kEmblemCenter.y() - (kEmblemSymbol + kSymbolGap + nameHeight) / 2;
  drawSymbol(p, NicheEmblem(menu),
             QRectF(kEmblemCenter.x() - kEmblemSymbol / 2.0, top, kEmblemSymbol, kEmblemSymbol),
             Qt::white, emblemColor(family));
  if (!drawWrapped(p, name,
                   QRectF(nameBox.left(), top + kEmblemSymbol + kSymbolGap, nameBox.width(),
                          nameBox.height()),
                   emblemFont, Qt::white)) {
    return std::nullopt;
  }

  for (std::size_t j = 0; j < Tiles().size(); ++j) {
    if (!drawTile(p, j, Text(niche.subniches[j]), SubnicheSymbol(menu, j), family,
                  sizes.label[menu])) {
      return std::nullopt;
    }
  }
  drawHint(p, family);
  p.end();
  return image;
}

// White labels on the tiles and emblem, the digits on the key caps and the hint on the ground

}  // namespace veltrane::nichepictures
