// Navigation in the views by mouse and requests: the active view and its
// marker, the coordinates in the status bar, zooming and re-centring.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mouse_fixture.h"

namespace zavo::test {
namespace {

using Navigation = MouseTest;

constexpr RasterPixel kMarker{0, 55, 0};
constexpr RasterPixel kWhite{255, 255, 255};

TEST_F(Navigation, ClicksChooseTheActiveView) {
  struct Case {
    const char* what;
    int view;      // clicked view
    int offView;   // a view switched off first, or -1
    int active;    // request 74 afterwards
  };
  const Case cases[] = {
      {"a Top click makes the Top view active", 0, -1, 0},
      {"a Front click moves the marker", 2, -1, 2},
      {"a Preview click leaves no active view", 3, -1, -1},
      {"a click in a view that is off leaves none", 1, 1, -1},
  };
  RasterWireFrameImage* images[4] = {&top, &side, &front, &preview};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    editor->SetView(1, &side, c.offView == 1 ? 0 : 3);
    driver.LeftClick(0, 10, 10);  // start from the Top view active
    ASSERT_EQ(top.Pixel(1, 1), kMarker);
    driver.LeftClick(c.view, 100, 70);
    EXPECT_EQ(driver.Request(74).value, c.active);
    for (int v = 0; v < 4; ++v) {
      EXPECT_EQ(images[v]->Pixel(1, 1), v == c.active ? kMarker : kWhite) << "view " << v;
    }
    EXPECT_EQ(editor->mouseMode, 0);
  }
}

TEST_F(Navigation, MovesShowTheWorldPointInTheStatusBar) {
  struct Case {
    int view, x, y, invertY;
    const char* text;
  };
  const Case cases[] = {
      {0, 69, 28, 0, "x= 1.5  y= -2"},
      {0, 69, 28, 1, "x= 1.5  y= 2"},
      {1, 60, 0, 0, "y= 0  z= 6.66667"},  // Side: flipped, the top row is the largest z
      {2, 0, 80, 0, "x= -10  z= -6.66667"},
      {3, 69, 28, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    editor->options.InvertY = c.invertY;
    driver.Move(c.view, c.x, c.y);
    EXPECT_EQ(StatusBar(), c.text);
    EXPECT_EQ(editor->lastMouseView, c.view);
  }
  EXPECT_TRUE(fakes.system.statuses.empty());
}

TEST_F(Navigation, ZoomHalvesAndDoublesTheActiveBoxAboutItsCentre) {
  const double start[6] = {-4, 0, 2, 8, 6, 6};
  std::copy(start, start + 6, Box(0));
  EXPECT_EQ(driver.Request(25).result, 0);  // no active view
  EXPECT_EQ(driver.Request(26).result, 0);
  EXPECT_EQ(std::vector<double>(Box(0), Box(0) + 6), std::vector<double>(start, start + 6));

  driver.LeftClick(0, 10, 10);
  EXPECT_EQ(driver.Request(25).result, 1);
  EXPECT_EQ(std::vector<double>(Box(0), Box(0) + 6), (std::vector<double>{-1, 1.5, 3, 5, 4.5, 5}));
  EXPECT_EQ(driver.Request(26).result, 1);
  EXPECT_EQ(std::vector<double>(Box(0), Box(0) + 6), std::vector<double>(start, start + 6));
  EXPECT_EQ(driver.Request(26).result, 1);
  EXPECT_EQ(std::vector<double>(Box(0), Box(0) + 6), (std::vector<double>{-10, -3, 0, 14, 9, 8}));
  EXPECT_EQ(std::vector<double>(Box(1), Box(1) + 6), (std::vector<double>{-10, -10, -10, 10, 10, 10}));
  EXPECT_EQ(top.Pixel(1, 1), kMarker);  // shown again with its marker
}

TEST_F(Navigation, NewCentreModeRecentresTheClickedView) {
  struct Case {
    const char* what;
    int view, x, y;
    double box[6];
  };
  const Case cases[] = {
      {"Top, right of the centre", 0, 90, 40, {-5, -10, -10, 15, 10, 10}},
      {"Top, the centre", 0, 60, 40, {-10, -10, -10, 10, 10, 10}},
      {"Front, the top edge is the largest z", 2, 60, 0,
       {-10, -10, -10 + 20.0 / 3, 10, 10, 10 + 20.0 / 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (double* box : {Box(0), Box(2)}) {
      for (int k = 0; k < 6; ++k) box[k] = k < 3 ? -10 : 10;
    }
    fakes.system.statuses.clear();
    EXPECT_EQ(driver.Request(29).result, 1);
    EXPECT_EQ(editor->mouseMode, 1);
    EXPECT_EQ(driver.Request(50).value, 0);
    driver.LeftClick(3, c.x, c.y);  // ignored in the Preview
    EXPECT_EQ(editor->mouseMode, 1);
    driver.LeftClick(c.view, c.x, c.y);
    for (int k = 0; k < 6; ++k) EXPECT_NEAR(Box(c.view)[k], c.box[k], 1e-12) << k;
    EXPECT_EQ(fakes.system.statuses, (std::vector<std::string>{"Click with left button on new center", ""}));
    EXPECT_EQ(editor->mouseMode, 0);
    EXPECT_EQ(driver.Request(74).value, -1);  // the click only re-centred
  }
}

TEST_F(Navigation, WorldToViewPointMapsTheFittedBoxOntoTheUnitSquare) {
  Transformation t;
  EXPECT_EQ(editor->WorldToViewPoint(3, t), 0);  // the Preview
  editor->SetView(1, &side, 0);
  EXPECT_EQ(editor->WorldToViewPoint(1, t), 0);
  ASSERT_EQ(editor->WorldToViewPoint(0, t), 1);
  const Point3D corner = TransformPoint(t, Point3D{15, 10, -10});  // x widened to the 3:2 view
  EXPECT_NEAR(corner.x, 1.5, 1e-12);
  EXPECT_NEAR(corner.y, 1.5, 1e-12);
  EXPECT_NEAR(corner.z, -1, 1e-12);
  int x = 0, y = 0;
  ASSERT_EQ(editor->WorldToPixel(0, Point3D{1.5, -2, 0}, x, y), 1);
  EXPECT_EQ(x, 69);
  EXPECT_EQ(y, 28);
}

}  // namespace
}  // namespace zavo::test
