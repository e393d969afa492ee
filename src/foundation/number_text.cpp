#include "foundation/number_text.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "foundation/scanner.h"

namespace zavo {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsNumberKind(int kind) {
  return kind == kTokenInteger || kind == kTokenFloat || kind == kTokenScient;
}

// Checks the number syntax and estimates the decimal exponent of the value's
// leading digit, which tells an overflow from an underflow when from_chars
// reports that the value is out of range. Returns false for bad syntax.
bool CheckSyntax(std::string_view t, long long& magnitude, bool& zero) {
  std::size_t i = 0;
  const std::size_t n = t.size();
  if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
  std::size_t intDigits = 0, fracDigits = 0;
  long long firstNonZero = LLONG_MIN;  // position of the leading non-zero digit
  long long position = 0;              // decimal exponent of the digit being read
  const std::size_t intStart = i;
  while (i < n && IsDigit(t[i])) ++i;
  intDigits = i - intStart;
  position = static_cast<long long>(intDigits) - 1;
  for (std::size_t k = intStart; k < intStart + intDigits; ++k, --position) {
    if (t[k] != '0' && firstNonZero == LLONG_MIN) firstNonZero = position;
  }
  if (i < n && t[i] == '.') {
    ++i;
    const std::size_t fracStart = i;
    while (i < n && IsDigit(t[i])) ++i;
    fracDigits = i - fracStart;
    position = -1;
    for (std::size_t k = fracStart; k < fracStart + fracDigits; ++k, --position) {
      if (t[k] != '0' && firstNonZero == LLONG_MIN) firstNonZero = position;
    }
  }
  if (intDigits + fracDigits == 0) return false;
  long long exponent = 0;
  if (i < n && (t[i] == 'E' || t[i] == 'e')) {
    ++i;
    bool negative = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    if (i >= n || !IsDigit(t[i])) return false;
    while (i < n && IsDigit(t[i])) {
      if (exponent < 1000000000LL) exponent = exponent * 10 + (t[i] - '0');
      ++i;
    }
    if (negative) exponent = -exponent;
  }
  if (i != n) return false;
  zero = firstNonZero == LLONG_MIN;
  magnitude = zero ? 0 : firstNonZero + exponent;
  return true;
}

}  // namespace

bool NumberTextToDouble(std::string_view text, double& value) {
  // The common case first: one sign at most, then a digit or ".", and a
  // text that from_chars takes whole and in range. from_chars reads from there
  // on exactly the syntax checked below (it takes no "inf" or "nan" then),
  // so only texts it refuses or finds out of range need the check.
  const std::size_t lead = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  if (lead < text.size() && (IsDigit(text[lead]) || text[lead] == '.')) {
    const std::size_t from = text[0] == '+' ? 1 : 0;
    double v = 0;
    const auto [end, ec] =
        std::from_chars(text.data() + from, text.data() + text.size(), v, std::chars_format::general);
    if (ec == std::errc() && end == text.data() + text.size()) {
      value = v;
      return true;
    }
  }
  long long magnitude = 0;
  bool zero = false;
  if (!CheckSyntax(text, magnitude, zero)) return false;
  // from_chars takes no "+" in front.
  std::string_view body = text;
  if (!body.empty() && body.front() == '+') body.remove_prefix(1);
  double v = 0;
  auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), v, std::chars_format::general);
  if (end != body.data() + body.size()) return false;
  if (ec == std::errc::result_out_of_range) {
    if (magnitude > 0) return false;  // too large for a double
    v = (body.front() == '-') ? -0.0 : 0.0;
  } else if (ec != std::errc()) {
    return false;
  }
  value = v;
  return true;
}

bool TokenToDouble(int kind, const char* text, double& value) {
  if (!IsNumberKind(kind) || !text) return false;
  return NumberTextToDouble(text, value);
}

bool TokenToDoubleOrZero(int kind, const char* text, double& value) {
  if (!IsNumberKind(kind) || !text) {
    value = 0;
    return true;
  }
  return NumberTextToDouble(text, value);
}

bool TokenToDouble(const ScannerMemo& scanner, double& value) {
  if (scanner.TokenCut()) return false;
  return TokenToDouble(scanner.Kind(), scanner.Text(), value);
}

bool TokenToDoubleOrZero(const ScannerMemo& scanner, double& value) {
  if (scanner.TokenCut()) return false;
  return TokenToDoubleOrZero(scanner.Kind(), scanner.Text(), value);
}

bool TruncateToInt(double x, int& value) {
  if (std::isnan(x)) return false;
  const double t = std::trunc(x);
  if (t < static_cast<double>(INT_MIN) || t > static_cast<double>(INT_MAX)) return false;
  value = static_cast<int>(t);
  return true;
}

bool TokenToInt(const ScannerMemo& scanner, int& value) {
  double x = 0;
  return TokenToDouble(scanner, x) && TruncateToInt(x, value);
}

int SaturateToInt(double x) {
  if (std::isnan(x)) return 0;
  if (x >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (x <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(x);
}

}  // namespace zavo
