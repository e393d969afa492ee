// The world point under a pixel of a plane view, as the modules place new
// objects at the click that opened the empty-zone menu.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editor/graphic_editor.h"
#include "editor/views/raster_image.h"
#include "editor_fakes.h"

namespace zavo::test {
namespace {

// A box x -7.3..12.7, y -2..9, z -4..6 in every view.
void SetBoxes(CG_GraphicEditor& editor) {
  const double box[6] = {-7.3, -2, -4, 12.7, 9, 6};
  for (auto& view : editor.viewBoxes) std::copy(box, box + 6, view);
}

TEST(ViewPointToWorld, PixelsOfThePlaneViewsAndTheViewsWithoutAxes) {
  ScopedFakeModuleFactory factory;
  struct Case {
    const char* what;
    int mode;
    int width, height;
    int invertY;
    int x, y;
    int answer;
    Point3D point;
    int h, v, flip;
  };
  // 200 x 100 halves the half extent of the vertical axis about its centre;
  // 100 x 200 that of the horizontal axis.
  const Case cases[] = {
      {"top", 2, 200, 100, 0, 50, 25, 1, {-2.3, 2.125, 1}, 0, 1, 0},
      {"top, y up", 2, 200, 100, 1, 50, 25, 1, {-2.3, 4.875, 1}, 0, 1, 1},
      {"side", 3, 200, 100, 0, 150, 100, 1, {2.7, 6.25, -1.5}, 1, 2, 1},
      {"front, tall", 4, 100, 200, 0, 0, 50, 1, {-2.3, 3.5, 3.5}, 0, 2, 1},
      {"perspective", 1, 200, 100, 0, 50, 25, 0, {9, 9, 9}, -1, -1, -1},
      {"off", 0, 200, 100, 0, 50, 25, 0, {9, 9, 9}, -1, -1, -1},
      {"no width", 2, 0, 100, 0, 50, 25, 0, {9, 9, 9}, -1, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto editor = CG_GraphicEditor::Create(0);
    SetBoxes(*editor);
    editor->options.InvertY = c.invertY;
    RasterWireFrameImage surface(c.width, c.height);
    editor->SetView(1, &surface, c.mode);
    Point3D point{9, 9, 9};
    int h = -1, v = -1, flip = -1;
    EXPECT_EQ(editor->ViewPointToWorld(1, c.x, c.y, point, h, v, flip), c.answer);
    EXPECT_NEAR(point.x, c.point.x, 1e-12);
    EXPECT_NEAR(point.y, c.point.y, 1e-12);
    EXPECT_NEAR(point.z, c.point.z, 1e-12);
    EXPECT_EQ(h, c.h);
    EXPECT_EQ(v, c.v);
    EXPECT_EQ(flip, c.flip);
  }
  auto editor = CG_GraphicEditor::Create(0);
  Point3D point;
  int h = 0, v = 0, flip = 0;
  EXPECT_EQ(editor->ViewPointToWorld(0, 1, 1, point, h, v, flip), 0);   // no surface
  EXPECT_EQ(editor->ViewPointToWorld(-1, 1, 1, point, h, v, flip), 0);  // no such view
  EXPECT_EQ(editor->ViewPointToWorld(4, 1, 1, point, h, v, flip), 0);
}

}  // namespace
}  // namespace zavo::test
