#pragma once

// The symbols of the niche pictures, drawn on a 24 x 24 grid with one stroke width: what each
// looks like, not how or where a picture places it.

#include <QPainterPath>

#include <cstddef>

namespace veltrane::nichepictures {

// `behind` is stroked first, `cover` is then filled with the ground colour to hide what lies
// behind the front shape, then `lines` is stroked and `solid` filled in the symbol's colour.
struct Glyph {
  QPainterPath behind;
  QPainterPath cover;
  QPainterPath lines;
  QPainterPath solid;
};
using Drawing = Glyph (*)();

inline constexpr double kGlyphGrid = 24;
inline constexpr double kStroke = 2.0;

// The symbol of subniche `subniche` of the niche at menu index `menu`.
Drawing SubnicheSymbol(std::size_t menu, std::size_t subniche);
// The symbol in the middle of the niche's picture.
Drawing NicheEmblem(std::size_t menu);
// The symbol beside the hint below the tiles.
Drawing HintSymbol();

}  // namespace veltrane::nichepictures
