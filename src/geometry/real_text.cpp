#include "geometry/real_text.h"

#include <charconv>
#include <ostream>
#include <string_view>

namespace zavo {
namespace {

// Formats into buf; to_chars with a precision formats as the C locale's %g.
std::size_t Format(double v, char (&buf)[32]) {
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
  return static_cast<std::size_t>(r.ptr - buf);
}

}  // namespace

std::string RealText(double v) {
  char buf[32];
  return std::string(buf, Format(v, buf));
}

void WriteReal(std::ostream& os, double v) {
  char buf[32];
  os.write(buf, static_cast<std::streamsize>(Format(v, buf)));
}

void AppendReal(std::string& out, double v) {
  char buf[32];
  out.append(buf, Format(v, buf));
}

bool WrittenAlike(double a, double b) {
  char x[32];
  char y[32];
  const std::size_t n = Format(a, x);
  return n == Format(b, y) && std::string_view(x, n) == std::string_view(y, n);
}

}  // namespace zavo
