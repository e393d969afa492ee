#pragma once

#include <iosfwd>
#include <string>

namespace zavo {

// A real in the default stream format of the C locale: six significant
// digits, general notation ("12.3457", "1e-07", "3"), whatever locale the
// target stream or the program has.
std::string RealText(double v);
void WriteReal(std::ostream& os, double v);

}  // namespace zavo
