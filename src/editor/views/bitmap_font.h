#pragma once

// The small fixed font of the raster drawing surface: 5 x 7 dots in cells of
// 6 x 8 pixels. Letters (small letters without descenders below the cell),
// digits and common punctuation have glyphs; any other character is drawn
// as an open box.

#include <cstdint>

namespace zavo {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;
inline constexpr int kCellWidth = 6;
inline constexpr int kCellHeight = 8;

// The seven rows of the character's glyph, top first; bit 4 of a row is its
// left column.
const std::uint8_t* GlyphRows(char c);

}  // namespace zavo
