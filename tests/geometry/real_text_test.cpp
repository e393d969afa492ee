#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <locale>
#include <sstream>

#include "geometry/box.h"
#include "geometry/geo_text.h"
#include "geometry/real_text.h"

namespace {

std::string ClassicStream(double v) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os << v;
  return os.str();
}

TEST(RealText, MatchesTheClassicDefaultStreamFormat) {
  const double values[] = {0.0,     -0.0,   3.0,      12.345678, 1e-7,  -2.5,     100000.0, 1000000.0,
                           1e20,    1.5e-5, 0.0001,   123456.5,  1.0/3, 2.0/3e9,  -1e-300,  1.7976931348623157e308,
                           std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
  for (double v : values) EXPECT_EQ(zavo::RealText(v), ClassicStream(v)) << v;
  EXPECT_EQ(zavo::RealText(12.345678), "12.3457");
  EXPECT_EQ(zavo::RealText(1e-7), "1e-07");
  EXPECT_EQ(zavo::RealText(3), "3");
}

// A locale that writes a decimal comma and groups thousands, as a user's
// locale may.
struct CommaPunct : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

class GlobalLocale {
public:
  explicit GlobalLocale(const std::locale& l) : old_(std::locale::global(l)) {}
  ~GlobalLocale() { std::locale::global(old_); }

private:
  std::locale old_;
};

TEST(RealText, WritersIgnoreAGlobalDecimalCommaLocale) {
  GlobalLocale guard(std::locale(std::locale::classic(), new CommaPunct));
  std::ostringstream plain;
  plain << 1234.5;
  ASSERT_EQ(plain.str(), "1.234,5");  // the locale is in effect for ordinary output

  std::ostringstream os;
  WritePoint3D({1234.5, 2.5, -0.125}, os);
  os << ' ';
  WriteNumberRecord6(os, 0.5, 1, 2, 3, 4, 5.25);
  os << ' ';
  BoundingBox(GEO_Box{0.5, 1, 2, 3, 4, 5.25}).Save(os);
  EXPECT_EQ(os.str(),
            "( 1234.5 , 2.5 , -0.125 ) [ 0.5 , 1 , 2 , 3 , 4 , 5.25 ] \t{ box\n\t\txmin 0.5;\n\t\txmax 1;\n"
            "\t\tymin 2;\n\t\tymax 3;\n\t\tzmin 4;\n\t\tzmax 5.25;\n\t}\n");
}

}  // namespace
