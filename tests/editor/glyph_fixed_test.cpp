#include <gtest/gtest.h>

#include "editor/glyph_fixed.h"

namespace {

TEST(GlyphFixed, FractionCountsInSixtyFiveThousandFiveHundredThirtyFifths) {
  struct Case {
    std::uint16_t fract;
    std::int16_t value;
    double expected;
  };
  const Case cases[] = {
      {65535, 2, 3.0}, {0, -1, -1.0}, {32768, 0, 32768.0 / 65535.0}, {65535, -32768, -32767.0}, {0, 32767, 32767.0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FixedToDouble(GlyphFixed{c.fract, c.value}), c.expected) << c.fract << " " << c.value;
  }
}

}  // namespace
