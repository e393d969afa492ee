#pragma once

#include <iosfwd>
#include <string>

namespace zavo {

// A real in the default stream format of the C locale: six significant
// digits, general notation ("12.3457", "1e-07", "3"), whatever locale the
// target stream or the program has.
std::string RealText(double v);
void WriteReal(std::ostream& os, double v);
// RealText(v) added at the end of out.
void AppendReal(std::string& out, double v);

// Whether two reals are written alike (RealText). Keys that are written only
// when they differ from a default decide on this, so that a value within the
// written precision of its default reads back as the default and the text
// stays the same on every later write.
bool WrittenAlike(double a, double b);

}  // namespace zavo
