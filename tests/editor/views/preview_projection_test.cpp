// Projection into the Preview view: the camera mapping with both aspects,
// points at and behind the eye, mirrored columns, and what is never shown.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/views/projection.h"
#include "view_fixtures.h"

namespace zavo::test {
namespace {

using Strings = std::vector<std::string>;

// The extent (last minus first, in pixels) of what a painting set in a raster.
struct Extent {
  int columns = -1;
  int rows = -1;
};

Extent Painted(const RasterWireFrameImage& image) {
  int minX = image.Width(), maxX = -1, minY = image.Height(), maxY = -1;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      if (image.Pixel(x, y) == RasterPixel{255, 255, 255}) continue;
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minY = std::min(minY, y);
      maxY = std::max(maxY, y);
    }
  }
  if (maxX < 0) return {};
  return {maxX - minX, maxY - minY};
}

// A square of half side 0.2537 in the plane z = 0, facing the camera.
std::unique_ptr<TestShape> Square(const char* name) {
  auto shape = std::make_unique<TestShape>(name);
  const double a = 0.2537;
  shape->points = {{-a, -a, 0}, {a, -a, 0}, {a, a, 0}, {-a, a, 0}};
  shape->faces = {{{1, 2, 3, 4}}};
  shape->edges = {{1, 2}, {2, 3}, {3, 4}, {4, 1}};
  return shape;
}

struct AspectCase {
  int width, height, dimx, dimy;
  Extent expected;
};

TEST_F(ViewTest, PreviewKeepsTheImageAspectAndStretchesTheVerticalAxis) {
  const AspectCase cases[] = {
      // The square spans 0.5074 of the normalised range across.
      {200, 100, 300, 300, {51, 51}},   // as many rows as columns
      {200, 100, 400, 200, {51, 25}},   // a wide image: half as tall
      {100, 200, 300, 300, {25, 101}},  // a tall view: four times as tall
      {200, 100, 200, 400, {25, 51}},   // a tall image: half as wide
  };
  CG_SceneEditorItem* item = Add(Square("sq"));
  for (const AspectCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " image " + std::to_string(c.dimx) +
                 "x" + std::to_string(c.dimy));
    RecordingWireFrameImage& surface = SetView(0, 1, c.width, c.height);
    LookDownZ(c.dimx, c.dimy);
    editor->ProjectItem(item);
    editor->DrawPreviewVertices(0, item, 0);
    const Extent e = Painted(surface.image);
    EXPECT_EQ(e.columns, c.expected.columns);
    EXPECT_EQ(e.rows, c.expected.rows);
  }
}

TEST_F(ViewTest, PreviewColumnsAreMirroredWhenDrawn) {
  RecordingWireFrameImage& surface = SetView(0, 1, 200, 100);
  LookDownZ(300, 300);
  // One edge from the view axis towards world +x.
  auto shape = std::make_unique<TestShape>("bar");
  shape->points = {{0, 0, 0}, {0.5037, 0, 0}};
  shape->edges = {{1, 2}};
  CG_SceneEditorItem* item = Add(std::move(shape));
  editor->ProjectItem(item);
  const Seq<Point3D>& array = item->vertices[0][0];
  ASSERT_EQ(array.Count(), 2u);
  // Projected: column trunc(100 u + 100) = 49 for the end at x = 0.5037.
  EXPECT_EQ(PixelOf(array[1].x / array[1].z, 100), 49);
  editor->options.UseColor = 0;
  editor->DrawPreviewVertices(0, item, 0);
  EXPECT_EQ(surface.calls, (Strings{"BeginPen 0 0 0", "PenLine 100 50 151 50", "EndPen"}));

  // The segment painter mirrors the same way.
  item->display.style = 1;
  editor->ProjectItem(item);
  surface.calls.clear();
  editor->DrawPreviewSegments(0, item, 0);
  EXPECT_NE(std::find(surface.calls.begin(), surface.calls.end(), "PenLine 100 50 151 50"), surface.calls.end());
}

TEST_F(ViewTest, PreviewNeverShowsTheCameraObjectOrCurves) {
  SetView(0, 1, 200, 100);
  SetView(1, 2, 120, 80);
  CG_GraphicObject* camera = editor->scene.GetCurrentCamera();
  ASSERT_NE(camera, nullptr);
  CG_SceneEditorItem* cameraItem = editor->FindItem(camera);
  if (cameraItem == nullptr) cameraItem = editor->CreateItem(camera);
  ASSERT_NE(cameraItem, nullptr);
  CG_SceneEditorItem* curve = Add(MakeCurveShape("c", 12, 0.5, true));
  for (CG_SceneEditorItem* item : {cameraItem, curve}) {
    editor->ProjectItem(item);
    bool preview = false, top = false;
    for (std::uint32_t d = 0; d < item->vertices[0].Count(); ++d) {
      preview = preview || item->vertices[0][d].Count() > 0 || item->segments[0][d].Size() > 0;
    }
    for (std::uint32_t d = 0; d < item->vertices[1].Count(); ++d) {
      top = top || item->vertices[1][d].Count() > 0 || item->segments[1][d].Size() > 0;
    }
    EXPECT_FALSE(preview);
    EXPECT_TRUE(top);
  }
}

TEST_F(ViewTest, PreviewDropsEdgesAtOrBehindTheEye) {
  RecordingWireFrameImage& surface = SetView(0, 1, 200, 100);
  LookDownZ(300, 300);
  // The eye is at z = 10: A and B in front, C in the eye plane, D behind.
  auto shape = std::make_unique<TestShape>("t");
  shape->points = {{0, 0, 0}, {0.5037, 0, 0}, {0, 0.5, 10}, {0, -0.5, 20}};
  shape->faces = {{{1, 2}}, {{1, 3}}, {{1, 4}}};
  shape->edges = {{1, 2}, {1, 3}, {1, 4}};
  TestShape& o = *shape;
  CG_SceneEditorItem* item = Add(std::move(shape));

  // Vertex path: w' = 0 and w' > 0 are stored, the painter leaves them out.
  editor->options.UseColor = 0;
  editor->ProjectItem(item);
  ASSERT_EQ(item->vertices[0][0].Count(), 4u);
  EXPECT_EQ(item->vertices[0][0][2].z, 0.0);
  editor->DrawPreviewVertices(0, item, 0);
  EXPECT_EQ(surface.calls, (Strings{"BeginPen 0 0 0", "PenLine 100 50 151 50", "EndPen"}));

  // Segment path: the edges to C and D are dropped whole.
  const ViewMatrix M = PreviewMapping(editor->scene, 100, 50);
  item->segments[0].SetSize(1);
  ProjectPreviewSegments(*editor, 0, *item, o, M, 0);
  EXPECT_EQ(Segments(*item, 0), (Strings{"100 50 49 50"}));
}

}  // namespace
}  // namespace zavo::test
