// Picking, dragging, adding, deleting and moving the control points of a
// curve, here a polyline (and an area lamp, whose point count is fixed)
// through small test modules.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_point_fixture.h"
#include "models/core/transf.h"

namespace zavo::test {
namespace {

using Points = std::vector<Point3D>;

// Five points, in the Top view at (37, 18), (64, 74), (106, 36), (138, 79)
// and (171, 24).
const Point3D p0{-6.27, -3.14, 0.3}, p1{-3.52, 2.45, 0.3}, p2{0.61, -1.38, 0.3}, p3{3.83, 2.92, 0.3},
    p4{7.16, -2.57, 0.3};
const Points kFive{p0, p1, p2, p3, p4};

constexpr int kLeftPress = kMouseLeft + kMousePressed;
constexpr int kLeftRelease = kMouseLeft + kMouseReleased;
constexpr int kMove = kMouseLeft + kMouseRight;

void ExpectPoints(const Points& actual, const Points& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(actual[i].x, expected[i].x, 1e-9);
    EXPECT_NEAR(actual[i].y, expected[i].y, 1e-9);
    EXPECT_NEAR(actual[i].z, expected[i].z, 1e-9);
  }
}

TEST(CurveModule, MouseEventsByTheirFlags) {
  struct Case {
    const char* what;
    int view, current, canMove, flags, x, y;
    int answer, currentAfter, canMoveAfter;
    std::vector<std::string> statuses;
    std::vector<std::string> messages;
    Points points;
  };
  // (157, 38) of the Top view is (5.7, -1.2); (180, 90) is far from every point.
  const Point3D dragged{5.7, -1.2, 0.3};
  const Case cases[] = {
      {"the perspective view", 3, 2, 0, kLeftPress, 106, 36, 0, 2, 0, {}, {}, kFive},
      {"a press on the current point arms the drag and names it", 0, 2, 0, kLeftPress, 106, 36, 0, 2, 1,
       {"Control n. 2"}, {}, kFive},
      {"a press on another point arms the drag and picks it", 0, 2, 0, kLeftPress, 37, 18, 0, 0, 1, {}, {}, kFive},
      {"a press without a current point only picks", 0, -1, 0, kLeftPress, 138, 79, 0, 3, 0, {}, {}, kFive},
      {"a release ends the drag, then picks", 0, 2, 1, kLeftRelease, 106, 36, 0, 2, 0,
       {"canmove=0", "Control n. 2"}, {}, kFive},
      {"a move while armed drags the current point", 0, 2, 1, kMove, 157, 38, 0, 2, 1, {}, {},
       {p0, p1, dragged, p3, p4}},
      {"a move while not armed", 0, 2, 0, kMove, 157, 38, 4, 2, 0, {}, {}, kFive},
      {"a move without a current point", 0, -1, 1, kMove, 157, 38, 4, -1, 1, {}, {}, kFive},
      {"a release with Control", 0, 2, 1, kLeftRelease + kMouseCtrl, 180, 90, 0, 2, 0, {"canmove=0"},
       {"ctrl + left"}, kFive},
      {"a release with Control and Shift picks", 0, -1, 0, kLeftRelease + kMouseCtrl + kMouseShift, 180, 90, 1, -1,
       0, {}, {}, kFive},
      {"a right press picks too", 0, -1, 0, kMouseRight + kMousePressed, 171, 24, 0, 4, 0, {}, {}, kFive},
      {"a miss clears the current point", 0, 2, 0, kMouseRight + kMouseReleased, 180, 90, 0, -1, 0, {}, {}, kFive},
      {"a miss without a current point ends the editing", 0, -1, 0, kLeftRelease, 180, 90, 1, -1, 0, {}, {},
       kFive},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ControlPointDocument doc;
    doc.ReadPolyline(kFive);
    CG_EGenericCurveSelectionStatus& status = doc.SelectCurve("line", *doc.curve);
    status.current = c.current;
    status.canMove = c.canMove;
    doc.fakes.system.statuses.clear();
    EXPECT_EQ(doc.curve->Mouse(*doc.editor, doc.Item("line"), doc.Inner("line"), &status, c.view, c.x, c.y, c.flags,
                               nullptr),
              c.answer);
    EXPECT_EQ(status.current, c.currentAfter);
    EXPECT_EQ(status.canMove, c.canMoveAfter);
    EXPECT_EQ(doc.fakes.system.statuses, c.statuses);
    EXPECT_EQ(doc.fakes.system.messages, c.messages);
    ExpectPoints(doc.CurvePoints(), c.points);
  }
}

TEST(CurveModule, APickRedrawsTheMarkersInTheirNewColours) {
  ControlPointDocument doc;
  doc.ReadPolyline(kFive);
  CG_EGenericCurveSelectionStatus& status = doc.SelectCurve("line", *doc.curve);
  status.current = 2;
  doc.Whiten();
  doc.curve->DrawSelection(*doc.editor, doc.Item("line"), doc.Inner("line"), &status, 0, 0, nullptr);
  EXPECT_EQ(doc.curve->Mouse(*doc.editor, doc.Item("line"), doc.Inner("line"), &status, 0, 37, 18, kLeftPress,
                             nullptr),
            0);
  EXPECT_EQ(MarkerAt(doc.top, 37, 18), (RasterPixel{255, 0, 0}));
  EXPECT_EQ(MarkerAt(doc.top, 106, 36), (RasterPixel{75, 75, 0}));
}

TEST(CurveModule, KeysAddDeleteEditAndMovePoints) {
  struct Step {
    int key;
    int view, x, y;  // the pointer
    int answer;
  };
  struct Case {
    const char* what;
    const char* keyword;  // "polyline" or "arealamp"
    Points points;
    int current;
    std::vector<Step> steps;
    Points after;
    int currentAfter;
    std::vector<std::string> messages;
    std::vector<int> edited;
  };
  // The Top pointer (157, 38) is (5.7, -1.2) with z the window's centre, 0.
  const Point3D q{5.7, -1.2, 0.0};
  const Case cases[] = {
      {"'d' deletes the current point, 'a' adds after the new current one", "polyline", kFive, 2,
       {{'d', 0, 157, 38, 4}, {'a', 0, 157, 38, 4}}, {p0, p1, q, p3, p4}, 2, {}, {}},
      {"'a' without a current point adds at the start", "polyline", kFive, -1, {{'a', 0, 157, 38, 4}},
       {q, p0, p1, p2, p3, p4}, 0, {}, {}},
      {"'d' of the first point leaves none current", "polyline", kFive, 0, {{'d', 0, 157, 38, 4}},
       {p1, p2, p3, p4}, -1, {}, {}},
      {"'d' keeps the fewest points the curve may have", "polyline", {p0, p1}, 1, {{'d', 0, 157, 38, 0}}, {p0, p1},
       1, {"Sorry, cannot delete.\nThis curve must have at least 2 control points."}, {}},
      {"'d' without a current point", "polyline", kFive, -1, {{'d', 0, 157, 38, 0}}, kFive, -1, {}, {}},
      {"a curve that keeps its point count refuses 'a'", "arealamp", {p0, p1, p3, p4}, 1, {{'a', 0, 157, 38, 0}},
       {p0, p1, p3, p4}, 1, {"Sorry, cannot add a new control point.\n"}, {}},
      {"'a' and 'm' with the pointer in the perspective view", "polyline", kFive, 2,
       {{'a', 3, 157, 38, 0}, {'m', 3, 157, 38, 0}}, kFive, 2, {}, {}},
      {"'m' moves the current point to the pointer", "polyline", kFive, 2, {{'m', 0, 157, 38, 4}},
       {p0, p1, {5.7, -1.2, 0.3}, p3, p4}, 2, {}, {}},
      {"'m' without a current point", "polyline", kFive, -1, {{'m', 0, 157, 38, 0}}, kFive, -1, {}, {}},
      {"'e' edits the current point", "polyline", kFive, 3, {{'e', 0, 157, 38, 4}}, kFive, 3, {}, {3}},
      {"'e' without a current point", "polyline", kFive, -1, {{'e', 0, 157, 38, 4}}, kFive, -1, {}, {}},
      {"other keys", "polyline", kFive, 2, {{'x', 0, 157, 38, 4}, {'f', 0, 157, 38, 4}}, kFive, 2, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ControlPointDocument doc;
    TestCurveModule* module = doc.curve;
    const char* name = "line";
    if (std::string(c.keyword) == "arealamp") {
      std::ostringstream text;
      text << "{ object name lamp; model { arealamp";
      for (const Point3D& p : c.points) text << " p ( " << p.x << " , " << p.y << " , " << p.z << " );";
      text << " } }\n";
      doc.Read(text.str());
      module = doc.lamp;
      name = "lamp";
    } else {
      doc.ReadPolyline(c.points);
    }
    CG_EGenericCurveSelectionStatus& status = doc.SelectCurve(name, *module);
    status.current = c.current;
    for (const Step& step : c.steps) {
      doc.PointerAt(step.view, step.x, step.y);
      EXPECT_EQ(module->Key(*doc.editor, doc.Item(name), doc.Inner(name), &status, step.key, nullptr), step.answer)
          << static_cast<char>(step.key);
    }
    ExpectPoints(doc.CurvePoints(name), c.after);
    EXPECT_EQ(status.current, c.currentAfter);
    EXPECT_EQ(doc.fakes.system.messages, c.messages);
    EXPECT_EQ(module->edited, c.edited);
  }
}

TEST(CurveModule, AddedPointsSnapInTheCurvesFrameMovedOnesInTheWorld) {
  // The curve sits in a transf moving it by (0.35, 0, 0); the grid is 1.
  // The Top pointer (157, 38) is the world point (5.7, -1.2).
  struct Case {
    const char* what;
    int key;        // 'a' adds, 'm' and 'D' (a drag) move point 2
    int grid;
    Point3D point;  // in the curve's frame
  };
  const Case cases[] = {
      {"'a' without the grid", 'a', 0, {5.35, -1.2, 0.0}},
      {"'a': (5.35, -1.2, 0) rounded down", 'a', 1, {5, -2, 0}},
      {"'m' without the grid", 'm', 0, {5.35, -1.2, 0.3}},
      {"'m': the world point (5, -2) taken back", 'm', 1, {4.65, -2, 0.3}},
      {"a drag as 'm'", 'D', 1, {4.65, -2, 0.3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ControlPointDocument doc;
    doc.editor->options.UseGrid = c.grid;
    doc.editor->options.GridDim = 1.0;
    doc.ReadPolyline(kFive, "t ( 0.35 , 0 , 0 );");
    CG_EGenericCurveSelectionStatus& status = doc.SelectCurve("moved", *doc.curve);
    status.current = 2;
    const Transformation& wrapper = dynamic_cast<GTransf*>(doc.editor->scene.FindObject("moved"))->Forward();
    doc.PointerAt(0, 157, 38);
    if (c.key == 'D') {
      status.canMove = 1;
      EXPECT_EQ(doc.curve->Mouse(*doc.editor, doc.Item("moved"), doc.Inner("moved"), &status, 0, 157, 38, kMove,
                                 &wrapper),
                0);
    } else {
      EXPECT_EQ(doc.curve->Key(*doc.editor, doc.Item("moved"), doc.Inner("moved"), &status, c.key, &wrapper), 4);
    }
    const Points points = doc.CurvePoints("moved");
    ASSERT_EQ(points.size(), c.key == 'a' ? 6u : 5u);
    ExpectPoints({points[c.key == 'a' ? 3 : 2]}, {c.point});
  }
}

// A transf whose matrix has no inverse cannot take a point back into the
// curve's frame: the point, the curve and the views stay as they were, and
// the program goes on.
TEST(CurveModule, AWrapperWithoutInverseChangesNothing) {
  Transformation flat;
  ScaleTransformation(flat, 1.5, 1.5, 0.0);
  ControlPointDocument doc;
  doc.ReadPolyline(kFive);
  CG_EGenericCurveSelectionStatus& status = doc.SelectCurve("line", *doc.curve);
  status.current = 2;
  doc.Whiten();
  doc.editor->DrawItem(doc.Item("line"));
  const std::vector<std::uint8_t> shown = doc.top.Buffer();
  doc.PointerAt(0, 157, 38);
  for (int key : {'a', 'm'}) {
    EXPECT_EQ(doc.curve->Key(*doc.editor, doc.Item("line"), doc.Inner("line"), &status, key, &flat), 0)
        << static_cast<char>(key);
  }
  status.canMove = 1;
  EXPECT_EQ(doc.curve->Mouse(*doc.editor, doc.Item("line"), doc.Inner("line"), &status, 0, 157, 38, kMove, &flat),
            0);
  ExpectPoints(doc.CurvePoints(), kFive);
  EXPECT_EQ(status.current, 2);
  EXPECT_TRUE(doc.top.Buffer() == shown);
}

// Through the editor: a press on the current point and moves drag it; the
// item follows and stays selected.
TEST(CurveModule, DraggingThroughTheEditor) {
  ControlPointDocument doc;
  doc.ReadPolyline(kFive);
  doc.SelectCurve("line", *doc.curve);
  EditorDriver driver(*doc.editor);
  driver.LeftClick(0, 106, 36);  // makes p2 current
  driver.Event(0, 106, 36, kLeftPress, 1);
  driver.Move(0, 130, 60);
  driver.Move(0, 157, 38);
  driver.Event(0, 157, 38, kLeftRelease, 1);
  ExpectPoints(doc.CurvePoints(), {p0, p1, {5.7, -1.2, 0.3}, p3, p4});
  EXPECT_EQ(doc.SelectedItem(), doc.Item("line"));
  EXPECT_EQ(dynamic_cast<CG_EGenericCurveSelectionStatus*>(
                dynamic_cast<CG_EObjectSelection*>(doc.editor->selection.First())->status)
                ->canMove,
            0);
}

}  // namespace
}  // namespace zavo::test
