// The pixel conversions of the view mappings never overflow.

#include "editor/views/view_mapping.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace zavo {
namespace {

TEST(ViewMapping, PixelConversionsSaturate) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double value;
    int shortValue;
  };
  const Case cases[] = {{12.9, 12},       {-12.9, -12},   {32767.5, 32767}, {40000.2, 32767},
                        {-32768.7, -32768}, {-1e300, -32768}, {inf, 32767},     {nan, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(SaturateToShort(c.value), c.shortValue);
  }
  EXPECT_EQ(PixelOf(0.061, 60), 63);
  EXPECT_EQ(PixelOf(-0.061, 60), 56);
  EXPECT_EQ(PixelOf(1e300, 60), INT_MAX);
  EXPECT_EQ(PixelOf(nan, 60), 0);
}

}  // namespace
}  // namespace zavo
