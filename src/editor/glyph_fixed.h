#pragma once

// Coordinates of glyph outlines as the font layer hands them over: a 16.16
// fixed-point number, first the fraction, then the signed integer part.

#include <cstdint>

struct GlyphFixed {
  std::uint16_t fract = 0;
  std::int16_t value = 0;
};

// The integer part plus fraction / 65535, so that the largest fraction
// reaches the next integer.
double FixedToDouble(GlyphFixed fixed);
