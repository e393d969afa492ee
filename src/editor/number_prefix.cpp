#include "editor/number_prefix.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <limits>
#include <system_error>

namespace zavo {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips blanks and reads the sign; pos is left on the first character after.
bool SkipBlanksAndSign(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])) != 0) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  return negative;
}

}  // namespace

int IntPrefix(std::string_view text) {
  std::size_t pos = 0;
  const bool negative = SkipBlanksAndSign(text, pos);
  long long value = 0;
  bool saturated = false;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    if (!saturated) {
      value = value * 10 + (text[pos] - '0');
      if (value > static_cast<long long>(INT_MAX) + 1) saturated = true;
    }
  }
  if (negative) value = -value;
  if (saturated || value > INT_MAX) return negative ? INT_MIN : INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

double RealPrefix(std::string_view text) {
  std::size_t pos = 0;
  const bool negative = SkipBlanksAndSign(text, pos);
  // The longest part of the form digits [. digits] [e [sign] digits].
  const std::size_t start = pos;
  std::size_t end = pos;
  bool mantissa = false;
  while (end < text.size() && IsDigit(text[end])) ++end, mantissa = true;
  if (end < text.size() && text[end] == '.') {
    ++end;
    while (end < text.size() && IsDigit(text[end])) ++end, mantissa = true;
  }
  if (!mantissa) return 0.0;
  bool negativeExponent = false;
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t e = end + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) negativeExponent = text[e++] == '-';
    if (e < text.size() && IsDigit(text[e])) {
      while (e < text.size() && IsDigit(text[e])) ++e;
      end = e;
    } else {
      negativeExponent = false;
    }
  }
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(text.data() + start, text.data() + end, value,
                                         std::chars_format::general);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    value = negativeExponent ? 0.0 : std::numeric_limits<double>::max();
  } else if (ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

}  // namespace zavo
