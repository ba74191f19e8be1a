#pragma once

// What must hold before a picture is written: texts fit their boxes, the emblem clears the
// tiles, and every text reads well on its ground. Each failing check says why on stderr.

#include <QColor>
#include <QFont>
#include <QPaintDevice>
#include <QRectF>
#include <QString>

#include <optional>

#include "Layout.h"

namespace veltrane::nichepictures {

// WCAG contrast ratio of two opaque colours.
double contrast(QColor a, QColor b);

// Whether `text`, word-wrapped, stays inside `box`; measured on the device it is drawn on.
bool fits(const QString& text, const QRectF& box, const QFont& f, QPaintDevice* device);

// Another family would be substituted silently and might not fit the names.
bool fontAvailable();

// Every tile inside its click region, so a click on a tile always picks its subniche, and the
// emblem on the ring's axis.
bool tilesInRegions();

// The halo around the emblem must stay clear of every tile, and the emblem's symbol and name
// inside its disc.
bool emblemFits();

// White labels on the tiles and emblem, the digits on the key caps and the hint on the ground
// must all read well.
bool colorsReadable();

// The hint's pill inside the band below the tiles, clear of its edges, and both rows inside
// the pill, in the plain picture and the one at twice the size.
bool hintFits();

// The largest label size for each niche and emblem size at which the names fit, or nothing.
std::optional<Sizes> chooseSizes();

}  // namespace veltrane::nichepictures
