// The painter of the Top, Side and Front views and the four-view drawing of
// items: exact pixels, draw modes, pens and colours, the pixel mapping and
// the selection marks of the object editor modules.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "editor/views/wireframe_painter.h"
#include "models/core/sphere.h"
#include "models/core/transf.h"
#include "view_fixtures.h"

namespace zavo::test {
namespace {

using Strings = std::vector<std::string>;
using Pixels = std::set<std::pair<int, int>>;

constexpr const char* kB1 =
    "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }";
constexpr RasterPixel kWhite{255, 255, 255};
constexpr RasterPixel kBlack{0, 0, 0};

// The outline of the rectangle of columns x0..x1 and rows y0..y1.
Pixels Outline(int x0, int x1, int y0, int y1) {
  Pixels out;
  for (int x = x0; x <= x1; ++x) out.insert({x, y0}), out.insert({x, y1});
  for (int y = y0; y <= y1; ++y) out.insert({x0, y}), out.insert({x1, y});
  return out;
}

// The pixels of the image that are not white.
Pixels Painted(const RasterWireFrameImage& image) {
  Pixels out;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      if (image.Pixel(x, y) != kWhite) out.insert({x, y});
    }
  }
  return out;
}

// The pen calls of a recording, in order.
Strings Pens(const RecordingWireFrameImage& surface) {
  Strings out;
  for (const std::string& call : surface.calls) {
    if (call.rfind("BeginPen", 0) == 0 || call == "EndPen") out.push_back(call);
  }
  return out;
}

// Views as the shell sets them: Top 0, Front 1, Side 2, 120 x 80 each, with
// the default windows; UseColor 0, InvertY 0, white background.
class WireframePainterTest : public ViewTest {
protected:
  WireframePainterTest() {
    editor->options.UseColor = 0;
    editor->options.InvertY = 0;
    SetView(0, 2, 120, 80);
    SetView(1, 4, 120, 80);
    SetView(2, 3, 120, 80);
  }
  CG_SceneEditorItem* ReadAndProject(const std::string& text, const char* name, int style = 0) {
    Read(text);
    CG_SceneEditorItem* item = ItemOf(name);
    EXPECT_NE(item, nullptr);
    if (item == nullptr) return nullptr;
    item->display.style = style;
    editor->ProjectItem(item);
    return item;
  }
  const RasterWireFrameImage& Image(int view) { return surfaces[view]->image; }
};

TEST_F(WireframePainterTest, BoxLandsOnExactPixelsFromVerticesAndFromSegments) {
  Read(kB1);
  CG_SceneEditorItem* b1 = ItemOf("b1");
  ASSERT_NE(b1, nullptr);
  for (int style : {0, 1}) {
    SCOPED_TRACE("style " + std::to_string(style));
    for (int view = 0; view < 3; ++view) surfaces[view]->image.Fill(255, 255, 255);
    b1->display.style = style;
    editor->ProjectItem(b1);
    editor->DrawItem(b1);
    EXPECT_EQ(Painted(Image(0)), Outline(63, 93, 43, 55));
    EXPECT_EQ(Painted(Image(1)), Outline(63, 93, 33, 39));
    EXPECT_EQ(Painted(Image(2)), Outline(63, 75, 33, 39));
    EXPECT_EQ(Image(0).Pixel(63, 43), kBlack);
  }
}

TEST_F(WireframePainterTest, EraseAndInvertUndoTheDrawing) {
  CG_SceneEditorItem* b1 = ReadAndProject(kB1, "b1");
  // A second box whose lines cross b1's in the Top view.
  CG_SceneEditorItem* b2 = ReadAndProject(
      "{ object name b2; model { box xmin 2.3; xmax 3.7; ymin -1.3; ymax 4.4; zmin 0.1; zmax 1.1; } }", "b2");
  ASSERT_NE(b1, nullptr);
  ASSERT_NE(b2, nullptr);

  editor->DrawItem(b1);
  editor->EraseItem(b1);
  for (int view = 0; view < 3; ++view) EXPECT_TRUE(Painted(Image(view)).empty()) << "view " << view;

  // Erasing paints exactly the pixels of the draw, in the background colour.
  editor->options.Background[0] = 0.3;
  editor->options.Background[1] = 0.55;
  editor->options.Background[2] = 0.8;
  editor->DrawItem(b1);
  const Pixels drawn = Painted(Image(0));
  editor->EraseItem(b1);
  EXPECT_EQ(Painted(Image(0)), drawn);
  for (const auto& [x, y] : drawn) ASSERT_EQ(Image(0).Pixel(x, y), (RasterPixel{76, 140, 204}));
  editor->options.Background[0] = editor->options.Background[1] = editor->options.Background[2] = 1.0;

  // Inverting twice leaves the picture as it was.
  for (int view = 0; view < 3; ++view) surfaces[view]->image.Fill(255, 255, 255);
  editor->DrawItem(b2);
  const Pixels withB2 = Painted(Image(0));
  editor->InvertItem(b1);
  EXPECT_NE(Painted(Image(0)), withB2);
  editor->InvertItem(b1);
  EXPECT_EQ(Painted(Image(0)), withB2);

  // Erasing b1 over b2 leaves gaps in b2's lines where they crossed.
  editor->DrawItem(b1);
  editor->EraseItem(b1);
  const Pixels left = Painted(Image(0));
  const Pixels b1Lines = Outline(63, 93, 43, 55);
  Pixels expected;
  for (const auto& p : withB2) if (b1Lines.count(p) == 0) expected.insert(p);
  EXPECT_LT(expected.size(), withB2.size());
  EXPECT_EQ(left, expected);
}

TEST_F(WireframePainterTest, ViewsOffOrInThePreviewAreNotPaintedByIt) {
  RecordingWireFrameImage& off = SetView(3, 0, 120, 80);
  CG_SceneEditorItem* b1 = ReadAndProject(kB1, "b1");
  ASSERT_NE(b1, nullptr);
  editor->DrawItem(b1);
  editor->InvertItem(b1);
  editor->EraseItem(b1);
  EXPECT_TRUE(off.calls.empty());
  EXPECT_FALSE(surfaces[0]->calls.empty());
  EXPECT_FALSE(surfaces[1]->calls.empty());
  EXPECT_FALSE(surfaces[2]->calls.empty());
  // The painter itself leaves views of mode 0 and 1 alone.
  RecordingWireFrameImage& preview = SetView(3, 1, 120, 80);
  DrawWireframeObjects(*editor, 3, b1, 0);
  EXPECT_TRUE(preview.calls.empty());
}

TEST_F(WireframePainterTest, DirectDrawShowsTheBoxesInThePreview) {
  RecordingWireFrameImage& preview = SetView(3, 1, 160, 120);
  LookDownZ(160, 120);
  Read(kB1);
  CG_SceneEditorItem* b1 = ItemOf("b1");
  ASSERT_NE(b1, nullptr);
  editor->options.DirectDraw = 1;
  editor->ProjectItem(b1);
  editor->DrawItem(b1);
  const Pixels drawn = Painted(preview.image);
  EXPECT_FALSE(drawn.empty());
  editor->EraseItem(b1);
  EXPECT_TRUE(Painted(preview.image).empty());

  // Without DirectDraw the vertex painter draws the same box.
  editor->options.DirectDraw = 0;
  editor->ProjectItem(b1);
  editor->DrawItemInView(3, b1);
  EXPECT_EQ(Painted(preview.image), drawn);
}

TEST_F(WireframePainterTest, PensFollowModeSelectionAndMaterial) {
  CG_MaterialPhong teal;
  teal.SetColour({0.1, 0.62, 0.57});
  auto shape = MakeBoxShape("s1", {0.6, 0.6, 0.1}, {5.6, 2.6, 1.1});
  shape->material = &teal;
  CG_SceneEditorItem* coloured = Add(std::move(shape));
  CG_SceneEditorItem* plain = Add(MakeBoxShape("s2", {-3.3, -2.1, 0.4}, {-1.2, 1.7, 2.9}));
  editor->ProjectItem(coloured);
  editor->ProjectItem(plain);
  editor->options.Background[0] = 0.9;
  editor->options.Background[1] = 0.5;
  editor->options.Background[2] = 0.25;
  struct Case {
    const char* what;
    bool withMaterial, selected;
    int useColor, mode;
    Strings pens;
  };
  const Case cases[] = {
      {"black", true, false, 0, 0, {"BeginPen 0 0 0", "EndPen"}},
      {"material colour", true, false, 1, 0, {"BeginPen 25 158 145", "EndPen"}},
      {"no material: black", false, false, 1, 0, {"BeginPen 0 0 0", "EndPen"}},
      {"selected", true, true, 0, 0, {"BeginPen 0 255 0", "EndPen"}},
      {"selected wins over the material", true, true, 1, 0, {"BeginPen 0 255 0", "EndPen"}},
      {"erase", true, false, 1, 1, {"BeginPen 229 127 63", "EndPen"}},
      {"erase selected", true, true, 1, 1, {"BeginPen 229 127 63", "EndPen"}},
      {"invert", true, false, 1, 2, {"BeginPen 229 127 63", "EndPen"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CG_SceneEditorItem* item = c.withMaterial ? coloured : plain;
    editor->ClearSelection();
    if (c.selected) editor->selection.Append(new CG_EObjectSelection(item));
    editor->options.UseColor = c.useColor;
    surfaces[0]->calls.clear();
    DrawWireframeObjects(*editor, 0, item, c.mode);
    EXPECT_EQ(Pens(*surfaces[0]), c.pens);
    const std::string line = c.mode == 2 ? "DrawXorLine" : "PenLine";
    int lines = 0;
    for (const std::string& call : surfaces[0]->calls) lines += call.rfind(line, 0) == 0 ? 1 : 0;
    EXPECT_EQ(lines, 12);
  }
  editor->ClearSelection();
}

TEST_F(WireframePainterTest, EdgeListRulesAndAnEdgeBeyondTheVertices) {
  auto shape = std::make_unique<TestShape>("fan");
  shape->points = {{-4.1, -3.3, 0}, {4.7, -3.3, 0}, {4.7, 2.9, 0}, {-4.1, 2.9, 0}, {0.3, 0.2, 0}};
  shape->faces = {{{1, 2, 3, 4}}};
  shape->edges = {{1, 2}, {-2, 3}, {3, 4}, {4, 1}, {1, 5}, {2, 5}, {3, 5}};
  TestShape* fan = shape.get();
  CG_SceneEditorItem* item = Add(std::move(shape));
  editor->ProjectItem(item);
  ASSERT_EQ(item->vertices[0].Count(), 1u);
  ASSERT_EQ(item->vertices[0][0].Count(), 5u);
  struct Case {
    const char* what;
    int style, fastview;
    std::vector<std::pair<int, int>> edges;
    int lines;
  };
  const Case cases[] = {
      {"a negative vertex number skips the edge", 0, 1, {}, 6},
      {"fastview 3 draws edges 0, 3, 6", 2, 3, {}, 3},
      {"the fastview value matters only in style 2", 0, 3, {}, 6},
      {"fastview 0 acts as 1", 2, 0, {}, 6},
      {"vertex 9 of 5 ends the painting", 0, 1, {{1, 2}, {3, 4}, {2, 9}, {4, 1}}, 2},
      {"vertex 0 ends the painting", 0, 1, {{0, 2}, {3, 4}}, 0},
  };
  const auto allEdges = fan->edges;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fan->edges = c.edges.empty() ? allEdges : c.edges;
    item->display.style = c.style;
    item->display.fastview = c.fastview;
    for (int useColor : {0, 1}) {
      editor->options.UseColor = useColor;
      surfaces[0]->calls.clear();
      DrawWireframeObjects(*editor, 0, item, 0);
      int lines = 0;
      for (const std::string& call : surfaces[0]->calls) lines += call.rfind("PenLine", 0) == 0 ? 1 : 0;
      EXPECT_EQ(lines, c.lines);
      EXPECT_EQ(Pens(*surfaces[0]), (Strings{"BeginPen 0 0 0", "EndPen"}));
      EXPECT_EQ(surfaces[0]->openPens, 0);
    }
    EXPECT_EQ(item->display.style, c.style);
  }
}

TEST_F(WireframePainterTest, EachPartHasItsPenAndAnEarlyEndClosesIt) {
  CG_SceneEditorItem* group = ReadAndProject(
      "{ object name three; model { group\n"
      "  { object name g1; model { box xmin -4.2; xmax -2.9; ymin 0.3; ymax 1.7; zmin 0; zmax 1; } }\n"
      "  { object name g2; model { box xmin -1.1; xmax 0.8; ymin -2.6; ymax 1.4; zmin 0.2; zmax 1.9; } }\n"
      "  { object name g3; model { box xmin 2.2; xmax 3.9; ymin 0.5; ymax 2.1; zmin 0; zmax 0.7; } } } }",
      "three");
  ASSERT_NE(group, nullptr);
  ASSERT_EQ(group->PartCount(), 3);
  ASSERT_EQ(group->vertices[0].Count(), 3u);
  editor->options.UseColor = 1;
  const Strings three = {"BeginPen 0 0 0", "EndPen", "BeginPen 0 0 0", "EndPen", "BeginPen 0 0 0", "EndPen"};
  editor->DrawItemInView(0, group);
  EXPECT_EQ(Pens(*surfaces[0]), three);

  // The second part lost its last vertices: its painting ends at the first
  // edge that names one, and the third part is not painted.
  group->vertices[0][1].Resize(4);
  surfaces[0]->calls.clear();
  editor->DrawItemInView(0, group);
  EXPECT_EQ(Pens(*surfaces[0]), (Strings{"BeginPen 0 0 0", "EndPen", "BeginPen 0 0 0", "EndPen"}));
  EXPECT_EQ(surfaces[0]->openPens, 0);
  int drawn = 0;
  for (const std::string& call : surfaces[0]->calls) drawn += call.rfind("PenLine", 0) == 0 ? 1 : 0;
  // All of g1, and the box's first four edges (around vertices 1 to 4) of g2.
  EXPECT_EQ(drawn, 12 + 4);

  // A part beyond the projected-vertex arrays ends the painting too.
  group->vertices[0].Resize(1);
  surfaces[0]->calls.clear();
  editor->EraseItemInView(0, group);
  EXPECT_EQ(Pens(*surfaces[0]), (Strings{"BeginPen 255 255 255", "EndPen"}));
  int lines = 0;
  for (const std::string& call : surfaces[0]->calls) lines += call.rfind("PenLine", 0) == 0 ? 1 : 0;
  EXPECT_EQ(lines, 12);
}

TEST_F(WireframePainterTest, NormalisedCoordinatesToPixels) {
  RasterWireFrameImage odd(201, 57);
  const ParallelPixels top = ParallelPixels::Of(odd, 0);
  EXPECT_EQ(top.halfW, 100);
  EXPECT_EQ(top.halfH, 28);
  EXPECT_EQ(top.Column(1.0), 200);
  EXPECT_EQ(top.Column(-1.0), 0);
  EXPECT_EQ(top.Row(0.5), 42);
  EXPECT_EQ(ParallelPixels::Of(odd, 1).Row(0.5), 14);
  // A surface without a window: half sizes 0, everything on pixel 0.
  odd.SetHasWindow(false);
  const ParallelPixels none = ParallelPixels::Of(odd, 1);
  EXPECT_EQ(none.Column(0.7), 0);
  EXPECT_EQ(none.Row(-0.7), 0);

  // InvertY 1 shows larger y higher in the Top view.
  editor->options.InvertY = 1;
  CG_SceneEditorItem* b1 = ReadAndProject(kB1, "b1");
  ASSERT_NE(b1, nullptr);
  editor->DrawItemInView(0, b1);
  EXPECT_EQ(Painted(Image(0)), Outline(63, 93, 24, 36));
}

TEST_F(WireframePainterTest, SurfaceWithoutWindowPaintsOnPixelZero) {
  CG_SceneEditorItem* b1 = ReadAndProject(kB1, "b1");
  ASSERT_NE(b1, nullptr);
  surfaces[0]->image.SetHasWindow(false);
  surfaces[0]->calls.clear();
  editor->DrawItemInView(0, b1);
  EXPECT_EQ(surfaces[0]->openPens, 0);
  int lines = 0;
  for (const std::string& call : surfaces[0]->calls) {
    if (call.rfind("PenLine", 0) != 0) continue;
    EXPECT_EQ(call, "PenLine 0 0 0 0");
    ++lines;
  }
  EXPECT_EQ(lines, 12);
}

// A module that records the selection marks it is asked to draw.
class MarkingModule : public CG_ObjectEditorModule {
public:
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor&) override { return nullptr; }
  CG_GraphicObject* Modify(CG_GraphicEditor&, CG_GraphicObject&, int) override { return nullptr; }
  void DrawSelection(CG_GraphicEditor&, CG_SceneEditorItem*, CG_GraphicObject& object, CG_ESelectionStatus*,
                     int view, int drawMode, const Transformation* wrapper) override {
    std::string call = std::string(static_cast<const char*>(object.name)) + " " + std::to_string(view) + " " +
                       std::to_string(drawMode);
    if (wrapper != nullptr) {
      const Point3D p = TransformPoint(*wrapper, {0.0, 0.0, 0.0});
      call += " moved " + std::to_string(p.x) + " " + std::to_string(p.z);
    }
    calls.push_back(call);
  }
  Strings calls;
};

std::unique_ptr<CG_GraphicObject> Ball(const char* name) {
  CG_GraphicObjectCommData data;
  data.name = name;
  CG_SphereDescription description;
  description.center = {0.3, -1.2, 0.7};
  description.radius = 0.45;
  return std::make_unique<GSphere>(data, description);
}

TEST_F(WireframePainterTest, SelectedObjectsGetTheirModulesMarks) {
  auto* module = new MarkingModule;
  module->keyword = "sphere";
  editor->objectModules.Append(module);
  auto plain = Ball("plain");
  CG_TransfDescription description;
  description.steps.Append(new t_Data(0, 1.5, 0.0, -2.25));
  description.child = Ball("inner").release();
  description.ownsChild = 1;
  CG_GraphicObjectCommData data;
  data.name = "moved";
  GTransf moved(data, description);

  CG_SceneEditorItem plainItem, movedItem;
  plainItem.object = plain.get();
  movedItem.object = &moved;
  struct Case {
    const char* what;
    CG_SceneEditorItem* item;
    bool selected, status;
    int objectEditing, view, mode;
    Strings calls;
  };
  const Case cases[] = {
      {"plain, drawn", &plainItem, true, true, 1, 0, 0, {"plain 0 0"}},
      {"in a transf, erased", &movedItem, true, true, 1, 1, 1, {"inner 1 1 moved 1.500000 -2.250000"}},
      {"inverted in the Side view", &plainItem, true, true, 1, 2, 2, {"plain 2 2"}},
      {"not selected", &plainItem, false, true, 1, 0, 0, {}},
      {"no status yet", &plainItem, true, false, 1, 0, 0, {}},
      {"object editing off", &plainItem, true, true, 0, 0, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    editor->ClearSelection();
    if (c.selected) {
      auto* record = new CG_EObjectSelection(c.item);
      if (c.status) record->status = new CG_EObjectSelectionStatus();
      editor->selection.Append(record);
    }
    editor->objectEditing = c.objectEditing;
    module->calls.clear();
    editor->PaintItemInView(c.view, c.item, c.mode);
    EXPECT_EQ(module->calls, c.calls);
  }
  editor->ClearSelection();
}

}  // namespace
}  // namespace zavo::test
