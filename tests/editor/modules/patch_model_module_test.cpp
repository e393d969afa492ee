// Picking and moving the control points of a patch model, here a boundary
// mesh through a small test module.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_point_fixture.h"

namespace zavo::test {
namespace {

// Four vertices: v0 and v1 two pixels apart in the Top view, at (112, 55)
// and (114, 55); v2 at (52, 83), v3 at (156, 11). In the Side view v2 is at
// (133, 47).
const char kPairMesh[] =
    "{ object name pair; model { brep model { pbrep\n"
    "vertices 4  1.23 0.56 0.3  1.41 0.56 0.3  -4.77 3.36 0.3  5.63 -3.84 0.3\n"
    "faces 2\n{ 1 { 3 0 1 2 } } { 1 { 3 0 3 1 } }\n} } }\n";

// A red marker about (x, y) or a pixel beside it.
bool RedMarkerNear(const RasterWireFrameImage& image, int x, int y) {
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = -1; dy <= 1; ++dy) {
      if (MarkerAt(image, x + dx, y + dy) == RasterPixel{255, 0, 0}) return true;
    }
  }
  return false;
}

bool InkInColumn(const RasterWireFrameImage& image, int x, int fromRow, int toRow) {
  for (int y = fromRow; y <= toRow; ++y) {
    if (!(image.Pixel(x, y) == kWhite)) return true;
  }
  return false;
}

constexpr int kLeftPress = kMouseLeft + kMousePressed;
constexpr int kLeftRelease = kMouseLeft + kMouseReleased;

TEST(PatchModelModule, PickingAControlPoint) {
  struct Case {
    const char* what;
    int canEdit;
    int before;   // the current point
    int view, x, y, flags;
    int answer;
    int after;
    const char* status;  // the last status text ("" none)
  };
  const Case cases[] = {
      {"no control-point editing", 0, -1, 0, 112, 55, kLeftPress, 4, -1, ""},
      {"a right-button event", 1, -1, 0, 112, 55, kMouseRight + kMousePressed, 4, -1, ""},
      {"a move", 1, 0, 0, 52, 83, kMouseLeft + kMouseRight, 4, 0, ""},
      {"the perspective view", 1, -1, 3, 112, 55, kLeftPress, 0, -1, ""},
      {"two points 2 pixels apart: the lower index", 1, -1, 0, 113, 55, kLeftPress, 0, 0, ""},
      {"4 pixels from v0 is no hit, 2 from v1 is", 1, -1, 0, 116, 55, kLeftPress, 0, 1, ""},
      {"exactly 4 pixels from every point: no hit", 1, -1, 0, 112, 59, kLeftPress, 1, -1, ""},
      {"a release picks as a press does", 1, -1, 0, 53, 82, kLeftRelease, 0, 2, ""},
      {"a hit on the current point names it", 1, 1, 0, 117, 56, kLeftRelease, 0, 1, "Control n. 1"},
      {"a hit on another point makes it current", 1, 0, 0, 52, 83, kLeftPress, 0, 2, ""},
      {"the side view", 1, -1, 1, 133, 46, kLeftPress, 0, 2, ""},
      {"a miss clears the current point", 1, 2, 0, 180, 90, kLeftPress, 0, -1, ""},
      {"a miss without a current point ends the editing", 1, -1, 0, 180, 90, kLeftPress, 1, -1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ControlPointDocument doc;
    doc.Read(kPairMesh);
    CG_EGenericPModelSelectionStatus& status = doc.SelectMesh("pair");
    status.current = c.before;
    doc.mesh->canEdit = c.canEdit;
    doc.fakes.system.statuses.clear();
    EXPECT_EQ(doc.mesh->Mouse(*doc.editor, doc.Item("pair"), doc.Inner("pair"), &status, c.view, c.x, c.y, c.flags,
                              nullptr),
              c.answer);
    EXPECT_EQ(status.current, c.after);
    EXPECT_EQ(doc.LastStatus(), c.status);
  }
}

TEST(PatchModelModule, ANewCurrentPointMovesTheRedMarker) {
  // Top pixels of the quad's points 0 and 2.
  const int x0 = 73, y0 = 67, x2 = 131, y2 = 27;
  for (int showAll : {1, 0}) {
    SCOPED_TRACE(showAll);
    ControlPointDocument doc;
    doc.ReadQuad();
    doc.mesh->showAll = showAll;
    CG_EGenericPModelSelectionStatus& status = doc.SelectMesh();
    status.current = 0;
    doc.Whiten();
    doc.mesh->DrawSelection(*doc.editor, doc.Item("quad"), doc.Inner("quad"), &status, 0, 0, nullptr);
    ASSERT_EQ(MarkerAt(doc.top, x0, y0), (RasterPixel{255, 0, 0}));
    EXPECT_EQ(doc.mesh->Mouse(*doc.editor, doc.Item("quad"), doc.Inner("quad"), &status, 0, x2, y2, kLeftPress,
                              nullptr),
              0);
    EXPECT_EQ(status.current, 2);
    EXPECT_EQ(MarkerAt(doc.top, x2, y2), (RasterPixel{255, 0, 0}));
    // With every point shown the old current one turns to the colour of
    // the others; with only the current one shown its marker is gone.
    const RasterPixel old = showAll != 0 ? RasterPixel{75, 75, 0} : kNoMarker;
    EXPECT_EQ(MarkerAt(doc.top, x0, y0), old);
    if (showAll == 0) {
      EXPECT_EQ(doc.top.Pixel(x0 - 3, y0 - 3), kWhite);
    }
  }
}

TEST(PatchModelModule, MTakesTheCurrentPointToThePointer) {
  const Point3D p1{-1.36, -2.45, 0.43};
  struct Case {
    const char* what;
    int current;
    int view, x, y;  // the pointer
    int answer;
    Point3D moved;   // point 1 afterwards
  };
  const Case cases[] = {
      // (157, 38) of the Top view is (5.7, -1.2): no grid snap, z kept.
      {"top", 1, 0, 157, 38, 4, {5.7, -1.2, 0.43}},
      // (61, 83) of the Side view is y -3.9, z -3.3; x kept.
      {"side", 1, 1, 61, 83, 4, {-1.36, -3.9, -3.3}},
      {"the pointer in the perspective view", 1, 3, 61, 83, 0, p1},
      {"no pointer recorded yet", 1, -1, 0, 0, 0, p1},
      {"no current point", -1, 0, 157, 38, 0, p1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ControlPointDocument doc;
    doc.editor->options.UseGrid = 1;
    doc.editor->options.GridDim = 1.0;
    doc.ReadQuad();
    CG_EGenericPModelSelectionStatus& status = doc.SelectMesh();
    status.current = c.current;
    doc.PointerAt(c.view, c.x, c.y);
    EXPECT_EQ(doc.mesh->Key(*doc.editor, doc.SelectedItem(), doc.Inner("quad"), &status, 'm', nullptr), c.answer);
    const std::vector<Point3D> points = doc.MeshPoints();
    ASSERT_EQ(points.size(), 4u);
    EXPECT_NEAR(points[1].x, c.moved.x, 1e-9);
    EXPECT_NEAR(points[1].y, c.moved.y, 1e-9);
    EXPECT_NEAR(points[1].z, c.moved.z, 1e-9);
    EXPECT_EQ(points[0], (Point3D{-2.63, 1.74, 0.43}));
  }
}

TEST(PatchModelModule, TheMovedPointShowsInTheViewsAndStaysSelected) {
  ControlPointDocument doc;
  doc.ReadQuad();
  doc.SelectMesh();
  EditorDriver driver(*doc.editor);
  // A click on point 3 makes it current; the pointer then rests on (166, 21)
  // of the Top view, world (6.6, -2.9).
  driver.LeftClick(0, 142, 69);
  driver.Move(0, 166, 21);
  doc.Whiten();
  doc.Key('m');
  auto& status = dynamic_cast<CG_EGenericPModelSelectionStatus&>(
      *dynamic_cast<CG_EObjectSelection*>(doc.editor->selection.First())->status);
  EXPECT_EQ(status.current, 3);
  EXPECT_EQ(doc.SelectedItem(), doc.Item("quad"));
  // The current point's marker and the mesh's edges sit at the new place.
  EXPECT_TRUE(RedMarkerNear(doc.top, 166, 21));
  EXPECT_EQ(MarkerAt(doc.top, 142, 69), kNoMarker);
  EXPECT_TRUE(InkInColumn(doc.top, 148, 23, 25));  // the edge from point 2 (131, 27)
  EXPECT_FALSE(InkInColumn(doc.top, 136, 46, 50));  // where that edge was

  // Other keys change nothing.
  const std::vector<Point3D> before = doc.MeshPoints();
  for (int key : {'x', 'a', 'd'}) {
    EXPECT_EQ(doc.mesh->Key(*doc.editor, doc.SelectedItem(), doc.Inner("quad"), &status, key, nullptr), 4);
  }
  EXPECT_EQ(doc.MeshPoints(), before);
}

}  // namespace
}  // namespace zavo::test
