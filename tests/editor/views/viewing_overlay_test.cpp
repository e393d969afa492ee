// The camera's viewing system drawn in the parallel views: the figure's
// points, the lines and marks in their order and colours, the handle
// lengths, erasing, and the views that never show it.

#include "editor/views/viewing_overlay.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor_fakes.h"
#include "scene/view_reference.h"

namespace zavo::test {
namespace {

// "DrawLine x1 y1 x2 y2" of a logged "DrawLine x1 y1 x2 y2 r g b".
std::string WithoutColour(const std::string& call) {
  std::size_t end = call.size();
  for (int k = 0; k < 3; ++k) end = call.rfind(' ', end - 1);
  return call.substr(0, end);
}

void ExpectPoint(const Point3D& got, const Point3D& want) {
  EXPECT_NEAR(got.x, want.x, 1e-12);
  EXPECT_NEAR(got.y, want.y, 1e-12);
  EXPECT_NEAR(got.z, want.z, 1e-12);
}

TEST(ViewingFigure, PointsOfARecord) {
  // A fresh record: vrp at the origin, vpn z, vup y, prp (0.5, 0.5, 1), window 0..1 by 0..1.
  const ViewingFigure fresh = MakeViewingFigure(CG_ViewReference{}, 0.5);
  ASSERT_TRUE(fresh.hasAxes);
  ExpectPoint(fresh.u, {1, 0, 0});
  ExpectPoint(fresh.v, {0, 1, 0});
  ExpectPoint(fresh.n, {0, 0, 1});
  ExpectPoint(fresh.prp, {0.5, 0.5, 1});
  ExpectPoint(fresh.window[0], {1, 1, 0});
  ExpectPoint(fresh.window[1], {0, 1, 0});
  ExpectPoint(fresh.window[2], {0, 0, 0});
  ExpectPoint(fresh.window[3], {1, 0, 0});
  ExpectPoint(fresh.vpnHandle, {0, 0, 0.5});
  ExpectPoint(fresh.vupHandle, {0, 0.5, 0});

  // A camera looking along -x from (4, 1, 2): u = vup x vpn / |...|, v = n x u.
  CG_ViewReference side;
  side.vrp = {4, 1, 2};
  side.vpn = {-3, 0, 0};
  side.vup = {0, 0, 0.7};
  side.prp = {0.25, -0.5, 2};
  const ViewingFigure turned = MakeViewingFigure(side, 2);
  ASSERT_TRUE(turned.hasAxes);
  ExpectPoint(turned.n, {-1, 0, 0});
  ExpectPoint(turned.u, {0, -1, 0});
  ExpectPoint(turned.v, {0, 0, 1});
  ExpectPoint(turned.prp, {4 - 2, 1 - 0.25, 2 - 0.5});
  // The handles take the stored vectors unnormalised: |vpn| 3 against |vup| 0.7.
  ExpectPoint(turned.vpnHandle, {4 - 6, 1, 2});
  ExpectPoint(turned.vupHandle, {4, 1, 2 + 1.4});
}

TEST(ViewingFigure, NoAxesWhenTheUpVectorFollowsTheNormal) {
  struct Case {
    const char* what;
    Point3D vpn, vup;
  };
  const Case cases[] = {
      {"parallel", {0, 0, 2}, {0, 0, -4}},
      {"zero up", {0, 0, 1}, {0, 0, 0}},
      {"zero normal", {0, 0, 0}, {0, 1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CG_ViewReference view;
    view.vrp = {1, 2, 3};
    view.vpn = c.vpn;
    view.vup = c.vup;
    const ViewingFigure figure = MakeViewingFigure(view, 1);
    EXPECT_FALSE(figure.hasAxes);
    ExpectPoint(figure.vpnHandle, Point3D{1, 2, 3} + c.vpn);
    ExpectPoint(figure.vupHandle, Point3D{1, 2, 3} + c.vup);
  }
}

class ViewingOverlay : public ::testing::Test {
protected:
  ViewingOverlay() : editor(CG_GraphicEditor::Create(0)) {
    fakes.AttachTo(*editor);
    editor->SetView(0, &top, 2);
    // Fitted to 120 x 80, y narrows to -4..4: column 10 x + 60, row 10 y + 40;
    // handles of min(12, 12) / 6 = 2 units.
    const double box[6] = {-6, -6, -5, 6, 6, 5};
    std::copy(box, box + 6, editor->viewBoxes[0]);
    CG_ViewReference& view = editor->scene.GetViewReference();
    view.vrp = {1.25, -0.75, 0.5};
    view.vpn = {0, 0, 2};
    view.vup = {0, 1, 0};
    view.prp = {0.3, 0.5, 3};
    view.umin = -1.5;
    view.umax = 2.2;
    view.vmin = -1.2;
    view.vmax = 1.7;
  }

  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  RecordingWireFrameImage top{120, 80};
};

TEST_F(ViewingOverlay, ElevenLinesThenTheFourMarks) {
  editor->DrawViewingInView(0);
  // P0 (72, 32); P1 straight above it (the same pixel in Top); P2 two
  // units along y; P3 (75, 37); window corners (94, 49), (57, 49), (57, 20),
  // (94, 20).
  const std::vector<std::string> lines{
      "DrawLine 72 32 72 32 200 200 200", "DrawLine 72 32 72 52 200 200 200", "DrawLine 72 32 75 37 200 200 200",
      "DrawLine 94 49 57 49 200 200 100", "DrawLine 57 49 57 20 200 200 100", "DrawLine 57 20 94 20 200 200 100",
      "DrawLine 94 20 94 49 200 200 100", "DrawLine 75 37 94 49 200 200 100", "DrawLine 75 37 57 49 200 200 100",
      "DrawLine 75 37 57 20 200 200 100", "DrawLine 75 37 94 20 200 200 100",
  };
  ASSERT_EQ(top.calls.size(), 11U + 5U + 3U + 3U + 9U);
  EXPECT_EQ(std::vector<std::string>(top.calls.begin(), top.calls.begin() + 11), lines);
  // The first line of each mark: VRP (mark 3), VPN (mark 1), VUP (mark 2) in blue, PRP (mark 4) in green.
  EXPECT_EQ(top.calls[11], "DrawLine 68 32 76 32 0 0 255");
  EXPECT_EQ(top.calls[16], "DrawLine 68 32 76 32 0 0 255");
  EXPECT_EQ(top.calls[19], "DrawLine 68 56 76 56 0 0 255");
  EXPECT_EQ(top.calls[22], "DrawLine 71 37 79 37 0 255 0");
}

TEST_F(ViewingOverlay, HandlesFollowTheStoredWindowAndVectors) {
  // A Front view showing x across and z up whose stored window is 12 units
  // wide and 6 high: handles of one unit per unit of vector. The window
  // fitted to 120 x 60 shows z from -1.5 to 1.5: column 10 x + 60, row
  // 30 - 20 z.
  RecordingWireFrameImage front{120, 60};
  editor->SetView(1, &front, 4);
  const double box[6] = {-6, -9, -3, 6, 9, 3};
  std::copy(box, box + 6, editor->viewBoxes[1]);
  CG_ViewReference& view = editor->scene.GetViewReference();
  view.vrp = {0, 0, 0};
  view.vpn = {3, 0, 0};
  view.vup = {0, 0, 1};
  editor->DrawViewingInView(1);
  ASSERT_GE(front.calls.size(), 2U);
  EXPECT_EQ(front.calls[0], "DrawLine 60 30 90 30 200 200 200");  // VPN handle: 3 units
  EXPECT_EQ(front.calls[1], "DrawLine 60 30 60 10 200 200 200");  // VUP handle: 1 unit, z up
}

TEST_F(ViewingOverlay, EraseDrawsTheSameFigureInTheBackground) {
  editor->options.Background[0] = 0.5;
  editor->options.Background[2] = 0.25;
  top.Fill(127, 255, 63);
  const RasterWireFrameImage before = top.image;
  top.calls.clear();
  editor->DrawViewingInView(0);
  const std::vector<std::string> drawn = top.calls;
  top.calls.clear();
  editor->EraseViewingInView(0);
  ASSERT_EQ(top.calls.size(), drawn.size());
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    EXPECT_EQ(top.calls[i], WithoutColour(drawn[i]) + " 127 255 63") << i;
  }
  EXPECT_EQ(top.image.Buffer(), before.Buffer());
}

TEST_F(ViewingOverlay, ParallelUpVectorDrawsOnlyTheHandlesAndTheirMarks) {
  editor->scene.GetViewReference().vup = {0, 0, -5};
  editor->DrawViewingInView(0);
  ASSERT_EQ(top.calls.size(), 2U + 5U + 3U + 3U);
  EXPECT_EQ(top.calls[0], "DrawLine 72 32 72 32 200 200 200");
  EXPECT_EQ(top.calls[1], "DrawLine 72 32 72 32 200 200 200");
  for (const std::string& call : top.calls) EXPECT_EQ(call.find(" 0 255 0"), std::string::npos) << call;
}

TEST_F(ViewingOverlay, OnlyParallelViewsWithASurfaceShowIt) {
  struct Case {
    int mode;
    int width, height;
    std::size_t calls;
  };
  const Case cases[] = {
      {2, 120, 80, 31}, {3, 120, 80, 31}, {4, 120, 80, 31}, {1, 120, 80, 0}, {0, 120, 80, 0},
      {2, 0, 80, 0},    {2, 120, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mode << " " << c.width << " x " << c.height);
    RecordingWireFrameImage surface{c.width, c.height};
    editor->SetView(2, &surface, c.mode);
    editor->DrawViewing();
    editor->EraseViewing();
    EXPECT_EQ(surface.calls.size(), 2 * c.calls);
  }
}

TEST_F(ViewingOverlay, TheViewReferencePointOfTheDefaultWindow) {
  // 120 x 80 Top view with the default window -10..10: the origin is the centre pixel.
  const double cube[6] = {-10, -10, -10, 10, 10, 10};
  std::copy(cube, cube + 6, editor->viewBoxes[0]);
  editor->scene.GetViewReference() = CG_ViewReference{};
  editor->DrawViewingInView(0);
  ASSERT_FALSE(top.calls.empty());
  EXPECT_EQ(top.calls[0].substr(0, 15), "DrawLine 60 40 ");
}

}  // namespace
}  // namespace zavo::test
