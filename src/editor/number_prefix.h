#pragma once

// The number at the start of a text, as settings and dialog fields are read:
// leading blanks are skipped, a sign is allowed, and the longest part that
// forms a decimal number is converted; what follows is ignored. A text without
// a number gives 0. The conversion never depends on the locale.

#include <string_view>

namespace zavo {

// Decimal digits only ("12.7" gives 12, "  -3x" gives -3); values outside
// the range of int saturate to INT_MIN or INT_MAX.
int IntPrefix(std::string_view text);
// Digits with an optional fraction and exponent ("1e-3x" gives 0.001, "2." 2,
// ".5" 0.5); "inf" and "nan" are no numbers. A value too large for a double
// gives the largest double of its sign, one too small 0.
double RealPrefix(std::string_view text);

}  // namespace zavo
