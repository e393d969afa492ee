#pragma once

// The number conversions of every reader. Texts become doubles through
// std::from_chars only, so the results never depend on a locale.
//
// Only number tokens (number_integer, number_float, number_scient) are numbers:
// an identifier such as "nan" or "inf" never converts to a non-finite value, and
// a number too large for a double is a failure, never an infinity. A number too
// small for a double (such as 1E-999) is 0 with its sign.

#include <string_view>

class ScannerMemo;

namespace zavo {

// The text of a number token ("12", "+7", "-.5", "5.", "2E-3") as a double.
// The whole text must be an optional sign, digits with at most one ".", and an
// optional exponent "E" or "e" with an optional sign and digits. False, with
// value untouched, for anything else and for a number that overflows a double.
bool NumberTextToDouble(std::string_view text, double& value);

// Strict: only a number token (kind 3, 4 or 5) converts; any other kind, or a
// number that overflows, gives false with value untouched.
bool TokenToDouble(int kind, const char* text, double& value);
// Lenient, for the places where any token is read as a real: a token that is
// not a number token gives 0 and true; a number token converts as above and
// gives false when it overflows.
bool TokenToDoubleOrZero(int kind, const char* text, double& value);

// The same for the token in view of a scanner. A token that was cut to the
// slot length never converts (false): its text is not the whole number.
bool TokenToDouble(const ScannerMemo& scanner, double& value);
bool TokenToDoubleOrZero(const ScannerMemo& scanner, double& value);

// Counts and integer attributes read from files: truncates toward zero into a
// 32-bit int; false (value untouched) for NaN, infinities and results outside
// the range of int.
bool TruncateToInt(double x, int& value);
// Strict token conversion followed by TruncateToInt ("7.9" gives 7, "-2.5" -2).
bool TokenToInt(const ScannerMemo& scanner, int& value);

// Pixel and view maths: truncates toward zero and saturates. NaN gives 0,
// values above INT_MAX (including +infinity) give INT_MAX, values below
// INT_MIN (including -infinity) give INT_MIN. Never undefined behaviour.
int SaturateToInt(double x);

}  // namespace zavo
