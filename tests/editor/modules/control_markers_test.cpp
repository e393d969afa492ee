// Where the control-point modules draw their markers, in which colours, and
// how they take them away again.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_point_fixture.h"
#include "models/core/transf.h"

namespace zavo::test {
namespace {

const Transformation* WrapperOf(ControlPointDocument& doc, const char* name) {
  auto* wrapper = dynamic_cast<GTransf*>(doc.editor->scene.FindObject(name));
  return wrapper != nullptr ? &wrapper->Forward() : nullptr;
}

TEST(ControlMarkers, APointShowsAtThePixelOfItsPlaneView) {
  struct Case {
    const char* what;
    bool mesh;          // the quad's point 0; else a one-point polyline at p
    Point3D p;
    const char* step;   // a transf around the object, or null
    int view, width, height, invertY;
    int x, y;           // -1: the view shows nothing
    bool off = false;   // the view is switched off
  };
  const Case cases[] = {
      {"top", false, {1.34, 2.71, 0.52}, nullptr, 0, 200, 100, 0, 113, 77},
      {"top of odd size: the halves are 100 and 50", false, {1.34, 2.71, 0.52}, nullptr, 0, 201, 101, 0, 113, 77},
      {"top under InvertY", false, {1.34, 2.71, 0.52}, nullptr, 0, 200, 100, 1, 113, 22},
      {"side: y across, z up", false, {1.34, 2.71, 0.52}, nullptr, 1, 200, 100, 0, 127, 44},
      {"front: x across, z up", false, {1.34, 2.71, 0.52}, nullptr, 2, 200, 100, 0, 113, 44},
      {"left of the window the column truncates toward zero", false, {-10.04, 2.71, 0.52}, nullptr, 0, 200, 100, 0,
       0, 77},
      {"a curve in a transf shows its points moved", false, {1.34, 2.71, 0.52}, "t ( 5 , 0 , 0 );", 0, 200, 100, 0,
       163, 77},
      {"a patch model shows its own coordinates", true, {}, nullptr, 0, 200, 100, 0, 73, 67},
      {"a patch model in a transf as well", true, {}, "t ( 5 , 0 , 0 );", 0, 200, 100, 0, 73, 67},
      {"a view of no size", false, {1.34, 2.71, 0.52}, nullptr, 0, 0, 0, 0, -1, -1},
      {"a view that is off", false, {1.34, 2.71, 0.52}, nullptr, 1, 200, 100, 0, -1, -1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ControlPointDocument doc;
    doc.editor->options.InvertY = c.invertY;
    RasterWireFrameImage* views[3] = {&doc.top, &doc.side, &doc.front};
    views[c.view]->Resize(c.width, c.height);
    if (c.off) doc.editor->viewModes[c.view] = 0;
    const char* name = c.step != nullptr ? "moved" : c.mesh ? "quad" : "line";
    CG_ObjectEditorModule* module = nullptr;
    CG_ESelectionStatus* status = nullptr;
    if (c.mesh) {
      doc.ReadQuad(c.step);
      module = doc.mesh;
      status = &doc.SelectMesh(name);
    } else {
      doc.ReadPolyline({c.p}, c.step);
      module = doc.curve;
      status = &doc.SelectCurve(name, *doc.curve);
    }
    doc.Whiten();
    module->DrawSelection(*doc.editor, doc.Item(name), doc.Inner(name), status, 0, 0, WrapperOf(doc, name));
    if (c.x < 0) {
      EXPECT_EQ(InkedPixels(*views[c.view]), 0);
    } else {
      EXPECT_EQ(MarkerAt(*views[c.view], c.x, c.y), (RasterPixel{75, 75, 0}));
    }
    // The Preview never shows control points.
    EXPECT_EQ(InkedPixels(doc.preview), 0);
  }
}

TEST(ControlMarkers, CurveMarkersTellTheCurrentAndTheMarkedPoints) {
  ControlPointDocument doc;
  doc.ReadPolyline({{-6.27, -3.14, 0.3}, {-3.52, 2.45, 0.3}, {0.61, -1.38, 0.3}, {3.83, 2.92, 0.3}, {7.16, -2.57, 0.3}});
  CG_EGenericCurveSelectionStatus& status = doc.SelectCurve("line", *doc.curve);
  status.current = 2;
  status.marked.SetSize(1);
  status.marked[0] = 4;
  doc.Whiten();
  doc.curve->DrawSelection(*doc.editor, doc.Item("line"), doc.Inner("line"), &status, 0, 0, nullptr);
  const RasterPixel other{75, 75, 0};
  const RasterPixel expected[5] = {other, other, {255, 0, 0}, other, {150, 0, 0}};
  const int columns[5] = {37, 64, 106, 138, 171};
  const int rows[5] = {18, 74, 36, 79, 24};
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(MarkerAt(doc.top, columns[i], rows[i]), expected[i]);
  }
  // Erasing, also in the invert mode, draws the same outlines in the
  // background colour.
  doc.editor->options.Background[0] = 0.2;
  doc.editor->options.Background[1] = 0.4;
  doc.editor->options.Background[2] = 0.6;
  for (int mode : {1, 2}) {
    SCOPED_TRACE(mode);
    doc.curve->DrawSelection(*doc.editor, doc.Item("line"), doc.Inner("line"), &status, 0, mode, nullptr);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(MarkerAt(doc.top, columns[i], rows[i]), (RasterPixel{51, 102, 153}));
  }
}

TEST(ControlMarkers, PatchMarkersShowEveryPointOrOnlyTheCurrentOne) {
  // Top pixels of the quad's points.
  const int columns[4] = {73, 86, 131, 142};
  const int rows[4] = {67, 25, 27, 69};
  for (int showAll : {1, 0}) {
    SCOPED_TRACE(showAll);
    ControlPointDocument doc;
    doc.ReadQuad();
    doc.mesh->showAll = showAll;
    CG_EGenericPModelSelectionStatus& status = doc.SelectMesh();
    status.current = 1;
    doc.Whiten();
    doc.mesh->DrawSelection(*doc.editor, doc.Item("quad"), doc.Inner("quad"), &status, 0, 0, nullptr);
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(i);
      const RasterPixel expected = i == 1 ? RasterPixel{255, 0, 0} : showAll != 0 ? RasterPixel{75, 75, 0} : kNoMarker;
      EXPECT_EQ(MarkerAt(doc.top, columns[i], rows[i]), expected);
    }
    // A module that does not edit control points draws nothing.
    doc.Whiten();
    doc.mesh->canEdit = 0;
    doc.mesh->DrawSelection(*doc.editor, doc.Item("quad"), doc.Inner("quad"), &status, 0, 0, nullptr);
    EXPECT_EQ(InkedPixels(doc.top), 0);
    EXPECT_EQ(doc.mesh->NewSelectionStatus(), nullptr);
  }
}

}  // namespace
}  // namespace zavo::test
