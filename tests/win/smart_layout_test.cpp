#include "win/smart_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using K = SmartKind;

// A font 13 pixels high with 7-pixel average characters on a 1366 x 768
// desktop.
constexpr SmartMetrics kMetrics{13, 7, 1366, 768};

struct SizeCase {
  const char* name;
  std::vector<SmartItemShape> items;
  SmartMetrics metrics;
  int labelWidth, width, height, x, y;
};

TEST(SmartLayout, SizeLabelColumnAndCentring) {
  const std::vector<SizeCase> cases = {
      // Only OK and Cancel: 35 x avg + 10 by 2 x ch + 50.
      {"empty", {}, kMetrics, 105, 255, 76, 555, 346},
      // Short labels keep the ten-character minimum.
      {"short label", {{K::Edit, 3}}, kMetrics, 105, 255, 104, 555, 332},
      // List boxes, bitmaps and check boxes never widen the label column.
      {"ignored labels",
       {{K::ListBox, 30}, {K::Bitmap, 25}, {K::Check, 40}},
       kMetrics, 105, 255, 76 + 28 + 60 + 28, 555, 288},
      {"longest counted", {{K::ListBox, 30}, {K::Button, 14}, {K::Edit, 12}}, kMetrics, 133, 283, 160, 541, 304},
      // Items of unknown kinds take no row and no width.
      {"unknown kind", {{K::None, 50}}, kMetrics, 105, 255, 76, 555, 346},
      // Larger than the desktop: negative places, halves truncated toward 0.
      {"larger than desktop", {}, {13, 7, 100, 50}, 105, 255, 76, -77, -13},
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const SmartLayout l = LayOutSmartDialog(c.items, c.metrics, true);
    EXPECT_EQ(l.labelWidth, c.labelWidth);
    EXPECT_EQ(l.controlWidth, 20 * c.metrics.avgWidth);
    EXPECT_EQ(l.rowHeight, c.metrics.charHeight + 10);
    EXPECT_EQ(l.width, c.width);
    EXPECT_EQ(l.height, c.height);
    EXPECT_EQ(l.x, c.x);
    EXPECT_EQ(l.y, c.y);
    EXPECT_EQ(l.ok, (SmartRect{10, 10, 45, 23}));
    EXPECT_EQ(l.cancel, (SmartRect{69, 10, 70, 23}));
  }
}

TEST(SmartLayout, WithoutCancelOnlyOkIsPlaced) {
  const SmartLayout l = LayOutSmartDialog({}, kMetrics, false);
  EXPECT_EQ(l.ok, (SmartRect{10, 10, 45, 23}));
  EXPECT_EQ(l.cancel, (SmartRect{-5, -5, 0, 0}));
}

// One row of every kind (and an unknown item in between): LW = 17 x 7 = 119,
// CW = 140, RH = 23; a bitmap row is 60 high, every other row RH + 5.
TEST(SmartLayout, EveryWindowOfEveryKind) {
  const std::vector<SmartItemShape> items = {
      {K::Edit, 12},   {K::ScrollBar, 4}, {K::None, 60},  {K::ListBox, 3}, {K::Button, 5},
      {K::LogicalSet, 5}, {K::Color, 6},  {K::Bitmap, 5}, {K::Check, 5},
  };
  struct Row {
    size_t item;
    K kind;
    int firstId, top;
    std::vector<SmartRect> windows;
  };
  const std::vector<Row> expected = {
      {0, K::Edit, 100, 46, {{0, 46, 119, 23}, {119, 46, 140, 23}}},
      {1, K::ScrollBar, 102, 74, {{0, 74, 119, 23}, {149, 74, 80, 23}, {119, 74, 30, 23}, {229, 74, 30, 23}}},
      {3, K::ListBox, 106, 102, {{0, 102, 119, 23}, {119, 102, 140, 115}}},
      {4, K::Button, 108, 130, {{0, 130, 1, 1}, {59, 130, 140, 23}}},
      {5, K::LogicalSet, 110, 158, {{0, 158, 1, 1}, {59, 158, 140, 23}}},
      {6, K::Color, 112, 186, {{0, 186, 1, 1}, {59, 186, 140, 23}, {199, 186, 39, 23}}},
      {7, K::Bitmap, 115, 214, {{0, 214, 119, 23}, {119, 214, 50, 50}}},
      {8, K::Check, 117, 274, {{0, 274, 80, 22}, {59, 274, 140, 23}}},
  };
  const SmartLayout l = LayOutSmartDialog(items, kMetrics, true);
  EXPECT_EQ(l.width, 119 + 140 + 10);
  EXPECT_EQ(l.height, 302 + 30);
  ASSERT_EQ(l.rows.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(l.rows[i].item, expected[i].item);
    EXPECT_EQ(l.rows[i].kind, expected[i].kind);
    EXPECT_EQ(l.rows[i].firstId, expected[i].firstId);
    EXPECT_EQ(l.rows[i].top, expected[i].top);
    EXPECT_EQ(l.rows[i].windows, expected[i].windows);
  }
}

class DerivedEdit : public Edit_obj {
public:
  DerivedEdit() : Edit_obj("derived", "") {}
};

class OtherControl : public gcg_obj {
public:
  OtherControl() : gcg_obj("other") {}
};

// Two scroll bars and an edit field take ids 100-103, 104-107 and 108-109;
// kinds derived from a known one, or unknown kinds, get nothing.
TEST(SmartLayout, IdsFollowWindowCountsByExactKind) {
  gcg_list items;
  items.Append(new ScrollBar_obj("Red", 0.0, 1.0, 0.3));
  items.Append(new DerivedEdit());
  items.Append(new ScrollBar_obj("Green", 0.0, 1.0, 0.3));
  items.Append(new OtherControl());
  items.Append(new Edit_obj("Name", "Sphere1"));
  const std::vector<SmartItemShape> shapes = SmartShapesOf(items);
  ASSERT_EQ(shapes.size(), 5u);
  EXPECT_EQ(shapes[1].kind, K::None);
  EXPECT_EQ(shapes[3].kind, K::None);
  EXPECT_EQ(shapes[4].labelLength, 4);

  const SmartLayout l = LayOutSmartDialog(shapes, kMetrics, true);
  ASSERT_EQ(l.rows.size(), 3u);
  EXPECT_EQ(l.rows[0].firstId, 100);
  EXPECT_EQ(l.rows[0].windows.size(), 4u);
  EXPECT_EQ(l.rows[1].firstId, 104);
  EXPECT_EQ(l.rows[1].item, 2u);
  EXPECT_EQ(l.rows[2].firstId, 108);
  EXPECT_EQ(l.rows[2].windows.size(), 2u);

  const std::vector<std::pair<K, int>> counts = {
      {K::Edit, 2}, {K::Bitmap, 2}, {K::Button, 2},    {K::ListBox, 2}, {K::LogicalSet, 2},
      {K::Check, 2}, {K::Color, 3}, {K::ScrollBar, 4}, {K::None, 0}};
  for (const auto& [kind, n] : counts) EXPECT_EQ(SmartWindowCount(kind), n);
}

// Lists starting with an empty entry must show that entry first; an exact
// match wins over an earlier prefix match; otherwise the prefix search starts
// at the second entry and wraps.
TEST(SmartLayout, InitialListChoice) {
  struct Case {
    std::vector<std::string> entries;
    std::string chosen;
    int index;
  };
  const std::vector<Case> cases = {
      {{"", "a", "b"}, "", 0},
      {{"ab", "abc"}, "ab", 0},
      {{"x", "ab", "abc"}, "a", 1},
      {{"abc", "x"}, "a", 0},
      {{"Sphere1", "Box2"}, "box2", 1},
      {{"cube", "sphere"}, "cone", -1},
      {{}, "", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    EXPECT_EQ(SmartInitialChoice(c.entries, c.chosen), c.index);
  }
}

TEST(SmartLayout, ScrollPositionAndValue) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double from, to, value;
    int position;
  };
  const std::vector<Case> cases = {
      {0.0, 2.0, 0.0, 0},   {-1.5, 3.5, -1.5, 0}, {0.0, 2.0, 0.74, 37}, {0.0, 2.0, 2.0, 100},
      {1.0, 1.0, 1.0, 0},   {0.0, 2.0, -3.0, 0},  {0.0, 2.0, 7.0, 100}, {0.0, 2.0, nan, 0},
      {3.0, 1.0, 2.5, 25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(SmartScrollPosition(c.from, c.to, c.value), c.position);
  }
  EXPECT_DOUBLE_EQ(SmartScrollValue(0.0, 2.0, 37), 0.74);
  EXPECT_EQ("Radius(" + SmartNumberText(SmartScrollValue(0.0, 2.0, 37)) + ")", "Radius(0.74)");
  EXPECT_EQ(SmartNumberText(12345678.0), "1.23457e+07");
}

}  // namespace
