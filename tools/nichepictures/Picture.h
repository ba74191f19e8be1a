#pragma once

// Draws one niche picture: the emblem in the middle, the eight subniche tiles in a ring under
// the click regions, and the hint in the band below.

#include <QImage>

#include <cstddef>
#include <optional>

#include "Layout.h"

namespace veltrane::nichepictures {

// The picture of the niche at menu index `menu` at `scale` times its size: the same drawing on
// a device of that pixel ratio. Nothing if a text does not fit where it goes.
std::optional<QImage> drawNiche(std::size_t menu, int scale, const Sizes& sizes);

}  // namespace veltrane::nichepictures
