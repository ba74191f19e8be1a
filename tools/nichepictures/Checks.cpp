#include "Checks.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "ui/FormLayout.h"

namespace veltrane::nichepictures {
namespace {

// The largest size in [smallest, largest] at which every text fits its box, or nothing.
template <typename Texts>
std::optional<int> commonSize(const Texts& texts, int largest, int smallest) {
  for (int px = largest; px >= smallest; --px) {
    const QFont f = font(px, true);
    if (std::all_of(texts.begin(), texts.end(),
                    [&](const auto& t) { return fits(t.first, t.second, f, nullptr); })) {
      return px;
    }
  }
  for (const auto& t : texts) {
    if (!fits(t.first, t.second, font(smallest, true), nullptr)) {
      std::fprintf(stderr, "does not fit at %d px: \"%s\"\n", smallest, qPrintable(t.first));
    }
  }
  return std::nullopt;
}

}  // namespace

double contrast(QColor a, QColor b) {
  const auto rgb = [](QColor c) {
    return veltrane::form::Rgb{static_cast<std::uint8_t>(c.red()),
                               static_cast<std::uint8_t>(c.green()),
                               static_cast<std::uint8_t>(c.blue())};
  };
  return veltrane::form::ContrastRatio(rgb(a), rgb(b));
}

bool fits(const QString& text, const QRectF& box, const QFont& f, QPaintDevice* device) {
  const QRectF used = QFontMetricsF(f, device).boundingRect(box, kWrapFlags, text);
  return box.contains(used);
}

bool fontAvailable() {
  for (const bool bold : {false, true}) {
    const QFontInfo info(font(kLabelSmallest, bold));
    if (info.family() != kFontFamily || info.bold() != bold) {
      std::fprintf(stderr, "font \"%s\"%s not available (got \"%s\" %s)\n", qPrintable(kFontFamily),
                   bold ? " bold" : "", qPrintable(info.family()), qPrintable(info.styleName()));
      return false;
    }
  }
  return true;
}

bool tilesInRegions() {
  bool ok = true;
  for (std::size_t j = 0; j < Tiles().size(); ++j) {
    if (!Regions()[j].contains(Tiles()[j])) {
      std::fprintf(stderr, "tile %zu leaves its region\n", j + 1);
      ok = false;
    }
  }
  if (kEmblemCenter.x() != RingAxis()) {
    std::fprintf(stderr, "the emblem is off the ring's axis %.1f\n", RingAxis());
    ok = false;
  }
  return ok;
}

bool emblemFits() {
  const double reach = kEmblemRadius + kHaloWidth;
  for (const QRect& r : Tiles()) {
    const double dx =
        std::max({r.left() - kEmblemCenter.x(), 0.0, kEmblemCenter.x() - (r.right() + 1)});
    const double dy =
        std::max({r.top() - kEmblemCenter.y(), 0.0, kEmblemCenter.y() - (r.bottom() + 1)});
    if (std::hypot(dx, dy) <= reach) {
      std::fprintf(stderr, "the emblem overlaps a tile\n");
      return false;
    }
  }
  const double contentHeight = kEmblemSymbol + kSymbolGap + kEmblemTextHeight;
  if (std::hypot(kEmblemTextWidth / 2.0, contentHeight / 2) >= kEmblemRadius) {
    std::fprintf(stderr, "the emblem's text leaves its disc\n");
    return false;
  }
  return true;
}

bool colorsReadable() {
  constexpr double kMinimum = 4.5;
  bool ok = true;
  for (QRgb rgb : kNicheColors) {
    const QColor family = QColor::fromRgb(rgb);
    for (const auto& [fore, back] :
         {std::pair{QColor(Qt::white), family}, std::pair{QColor(Qt::white), emblemColor(family)},
          std::pair{hintInk(family), hintGround(family)}}) {
      if (contrast(fore, back) < kMinimum) {
        std::fprintf(stderr, "contrast %.2f of %s on %s is too low\n", contrast(fore, back),
                     qPrintable(fore.name()), qPrintable(back.name()));
        ok = false;
      }
    }
  }
  return ok;
}

bool hintFits() {
  constexpr double kMargin = 6;  // between the pill and the band's edges
  bool ok = true;
  for (const int scale : {1, 2}) {
    QImage device(kWidth * scale, kHeight * scale, QImage::Format_RGB32);
    device.setDevicePixelRatio(scale);
    const Hint hint = hintLayout(&device);
    const QRectF room = hintBand().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    // The rows keep clear of the pill's rounded ends.
    const double round = hint.pill.height() / 2;
    const QRectF inner = hint.pill.adjusted(round / 2, 0, -round / 2, 0);
    if (!room.contains(hint.pill) || !inner.contains(hint.pickRow) ||
        !inner.contains(hint.nichesRow)) {
      std::fprintf(stderr, "the hint does not fit the band at %dx\n", scale);
      ok = false;
    }
  }
  return ok;
}

std::optional<Sizes> chooseSizes() {
  Sizes sizes{};
  std::vector<std::pair<QString, QRectF>> names;
  for (std::size_t m = 0; m < kNicheCount; ++m) {
    const NicheEntry& niche = NicheCatalog()[m];
    names.emplace_back(Text(niche.name), emblemTextBox());
    std::vector<std::pair<QString, QRectF>> labels;
    for (std::size_t j = 0; j < Tiles().size(); ++j) {
      labels.emplace_back(Text(niche.subniches[j]), labelBox(Tiles()[j]));
    }
    const auto label = commonSize(labels, kLabelLargest, kLabelSmallest);
    if (!label) return std::nullopt;
    sizes.label[m] = *label;
  }
  const auto emblem = commonSize(names, kEmblemLargest, kEmblemSmallest);
  if (!emblem) return std::nullopt;
  sizes.emblem = *emblem;
  return sizes;
}

}  // namespace veltrane::nichepictures
