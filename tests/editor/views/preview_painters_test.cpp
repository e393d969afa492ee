// The Preview painters: which edges are drawn, in which pen, and the three
// draw modes on a raster surface.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/material.h"
#include "view_fixtures.h"

namespace zavo::test {
namespace {

using Strings = std::vector<std::string>;

// A hexagon of six vertices in front of the camera, with the given edge list.
std::unique_ptr<TestShape> Hexagon(const char* name, std::vector<std::pair<int, int>> edges) {
  auto shape = std::make_unique<TestShape>(name);
  shape->points = {{0.43, 0.02, 0}, {0.2, 0.37, 0}, {-0.22, 0.36, 0},
                   {-0.44, -0.01, 0}, {-0.23, -0.39, 0}, {0.22, -0.34, 0}};
  shape->edges = std::move(edges);
  return shape;
}

Strings Lines(const Strings& calls) {
  Strings out;
  for (const std::string& c : calls) {
    if (c.rfind("PenLine", 0) == 0 || c.rfind("DrawXorLine", 0) == 0) out.push_back(c);
  }
  return out;
}

class PreviewPainterTest : public ViewTest {
protected:
  PreviewPainterTest() : surface(SetView(2, 1, 200, 100)) { LookDownZ(300, 300); }

  CG_SceneEditorItem* Project(std::unique_ptr<TestShape> shape) {
    CG_SceneEditorItem* item = Add(std::move(shape));
    editor->ProjectItem(item);
    surface.calls.clear();
    return item;
  }

  RecordingWireFrameImage& surface;
};

const std::vector<std::pair<int, int>> kRing = {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 1}};

TEST_F(PreviewPainterTest, NegativeEdgesAreNotDrawn) {
  CG_SceneEditorItem* item = Project(Hexagon("h", {{3, -4}, {-3, 4}, {1, 2}}));
  editor->DrawPreviewVertices(2, item, 0);
  EXPECT_EQ(Lines(surface.calls).size(), 1u);
}

TEST_F(PreviewPainterTest, FastviewThinsTheEdgeList) {
  struct Case {
    int style, fastview;
    std::size_t lines;
  };
  const Case cases[] = {{2, 2, 3}, {2, 4, 2}, {0, 2, 6}, {1, 2, 6}, {2, 1, 6}, {2, 0, 6}, {2, -3, 6}};
  CG_SceneEditorItem* item = Project(Hexagon("h", kRing));
  editor->DrawPreviewVertices(2, item, 0);
  const Strings all = Lines(surface.calls);
  ASSERT_EQ(all.size(), 6u);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.style) + " " + std::to_string(c.fastview));
    item->display.style = c.style;
    item->display.fastview = c.fastview;
    surface.calls.clear();
    editor->DrawPreviewVertices(2, item, 0);
    const Strings lines = Lines(surface.calls);
    EXPECT_EQ(lines.size(), c.lines);
    // Fastview 2 draws edges 0, 2, 4.
    if (c.style == 2 && c.fastview == 2) { EXPECT_EQ(lines, (Strings{all[0], all[2], all[4]})); }
  }
}

TEST_F(PreviewPainterTest, UseColorDrawsEachPartInItsMaterial) {
  CG_MaterialPhong red;
  red.SetColour({0.9, 0.2, 0.35});
  auto coloured = Hexagon("coloured", kRing);
  coloured->material = &red;
  CG_SceneEditorItem* withMaterial = Project(std::move(coloured));
  CG_SceneEditorItem* without = Project(Hexagon("plain", kRing));

  editor->DrawPreviewVertices(2, withMaterial, 0);
  EXPECT_EQ(surface.calls.front(), "BeginPen 229 51 89");
  surface.calls.clear();
  editor->DrawPreviewVertices(2, without, 0);
  EXPECT_EQ(surface.calls.front(), "BeginPen 0 0 0");
  EXPECT_EQ(surface.calls.back(), "EndPen");

  editor->options.UseColor = 0;
  surface.calls.clear();
  editor->DrawPreviewVertices(2, withMaterial, 0);
  EXPECT_EQ(surface.calls.front(), "BeginPen 0 0 0");
}

TEST_F(PreviewPainterTest, ObjectWithoutEdgesIsProjectedAndDrawsNothing) {
  CG_SceneEditorItem* item = Project(Hexagon("h", {}));
  EXPECT_EQ(item->vertices[2][0].Count(), 6u);
  editor->DrawPreviewVertices(2, item, 0);
  EXPECT_EQ(Lines(surface.calls), Strings{});
}

TEST_F(PreviewPainterTest, EdgeBeyondTheVerticesEndsThePainting) {
  for (int useColor : {0, 1}) {
    SCOPED_TRACE(useColor);
    editor->options.UseColor = useColor;
    CG_SceneEditorItem* item =
        Project(Hexagon(useColor ? "h1" : "h0", {{1, 2}, {2, 7}, {3, 4}, {0, 1}}));
    editor->DrawPreviewVertices(2, item, 0);
    EXPECT_EQ(Lines(surface.calls).size(), 1u);
    EXPECT_EQ(surface.openPens, 0);
    EXPECT_EQ(surface.calls.back(), "EndPen");
  }
}

TEST_F(PreviewPainterTest, EraseAndInvertRestoreThePicture) {
  editor->options.Background[0] = 0.83;
  editor->options.Background[1] = 0.91;
  editor->options.Background[2] = 0.77;
  int r = 0, g = 0, b = 0;
  editor->GetBackgroundColor(r, g, b);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{211, 232, 196}));
  surface.Fill(r, g, b);
  const std::vector<std::uint8_t> background = surface.image.Buffer();

  CG_SceneEditorItem* mesh = Project(Hexagon("h", kRing));
  CG_SceneEditorItem* box = Add(MakeBoxShape("b", {-0.31, -0.27, -0.5}, {0.29, 0.33, 0.4}));
  box->display.style = 1;
  editor->ProjectItem(box);

  for (bool segments : {false, true}) {
    SCOPED_TRACE(segments);
    CG_SceneEditorItem* item = segments ? box : mesh;
    const auto draw = [&](int mode) {
      if (segments) {
        editor->DrawPreviewSegments(2, item, mode);
      } else {
        editor->DrawPreviewVertices(2, item, mode);
      }
    };
    draw(0);
    const std::vector<std::uint8_t> drawn = surface.image.Buffer();
    ASSERT_NE(drawn, background);
    draw(1);
    EXPECT_EQ(surface.image.Buffer(), background);
    draw(0);
    draw(2);
    EXPECT_NE(surface.image.Buffer(), drawn);
    draw(2);
    EXPECT_EQ(surface.image.Buffer(), drawn);
    draw(1);
  }
}

TEST_F(PreviewPainterTest, DirectDrawLeavesTheVertexPainterOut) {
  CG_SceneEditorItem* item = Project(Hexagon("h", kRing));
  editor->options.DirectDraw = 1;
  editor->DrawPreviewVertices(2, item, 0);
  EXPECT_EQ(surface.calls, Strings{});
  // The projection draws it as its box then.
  editor->ProjectItem(item);
  EXPECT_EQ(item->vertices[2][0].Count(), 0u);
  EXPECT_EQ(Segments(*item, 2).size(), 12u);
}

}  // namespace
}  // namespace zavo::test
