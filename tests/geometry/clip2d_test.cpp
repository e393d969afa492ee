#include <gtest/gtest.h>

#include "geometry/clip2d.h"

namespace {

TEST(OutCode, TopBeforeBottomRightBeforeLeftBorderInside) {
  const struct {
    double x, y;
    int code;
  } cases[] = {
      {5, 5, 0},   {0, 0, 0},   {10, 10, 0},  {-1, 5, 1},   {11, 5, 2},
      {5, -1, 4},  {5, 11, 8},  {11, 11, 10}, {-1, -1, 5},
  };
  for (const auto& c : cases) {
    int code = -1;
    OutCode(c.x, c.y, code, 0, 0, 10, 10);
    EXPECT_EQ(code, c.code) << c.x << " " << c.y;
  }
}

TEST(ClipSegment2D, Cases) {
  const struct {
    double in[4];
    int visible;
    double out[4];
  } cases[] = {
      {{-5, 5, 15, 5}, 1, {0, 5, 10, 5}},
      {{-5, 1, -1, 9}, 0, {-5, 1, -1, 9}},        // wholly left: unchanged
      {{1, 2, 3, 4}, 1, {1, 2, 3, 4}},            // inside: unchanged
      {{5, 5, 15, 15}, 1, {5, 5, 10, 10}},        // beyond the corner
      {{15, 15, 5, 5}, 1, {10, 10, 5, 5}},
      {{-5, 5, 5, 15}, 1, {0, 10, 0, 10}},        // touches only the corner (0, 10)
      {{-10, 5, 5, 20}, 0, {-10, 5, 5, 20}},      // misses beyond the corner
      {{5, -5, 5, 15}, 1, {5, 0, 5, 10}},         // vertical
  };
  for (const auto& c : cases) {
    double x0 = c.in[0], y0 = c.in[1], x1 = c.in[2], y1 = c.in[3];
    SCOPED_TRACE(testing::Message() << x0 << " " << y0 << " " << x1 << " " << y1);
    EXPECT_EQ(ClipSegment2D(x0, y0, x1, y1, 0, 0, 10, 10), c.visible);
    if (c.visible) {
      EXPECT_DOUBLE_EQ(x0, c.out[0]);
      EXPECT_DOUBLE_EQ(y0, c.out[1]);
      EXPECT_DOUBLE_EQ(x1, c.out[2]);
      EXPECT_DOUBLE_EQ(y1, c.out[3]);
    }
  }
}

}  // namespace
