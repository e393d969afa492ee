// A whole interaction, scripted as the window layer would send it: four
// raster views, a scene text read into the document, items for the new
// objects, every item projected (request 75) and the Top view fitted to b1
// (request 86), then the Preview painted from the projected vertices.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor/layers.h"
#include "editor_fakes.h"

namespace zavo::test {
namespace {

constexpr const char* kScene =
    "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n"
    "{ object name s1; model { sphere center ( -3.5 , 1.25 , -2 ); radius 1.5; } }\n"
    ".\n";

// Pixel column and row of a parallel-view vertex in a 120 x 80 view.
std::pair<int, int> Pixel(const Point3D& uv, int flip) {
  const double s = flip != 0 ? -1.0 : 1.0;
  return {static_cast<int>(60 * uv.x + 60), static_cast<int>(s * uv.y * 40 + 40)};
}

int CountNot(const RasterWireFrameImage& image, RasterPixel colour) {
  int n = 0;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) n += image.Pixel(x, y) == colour ? 0 : 1;
  }
  return n;
}

class EditorEndToEnd : public ::testing::Test {
protected:
  EditorEndToEnd() : editor(CG_GraphicEditor::Create(0)), driver(*editor) {
    fakes.AttachTo(*editor);
    editor->SetView(0, &top, 2);
    editor->SetView(1, &side, 3);
    editor->SetView(2, &front, 4);
    editor->SetView(3, &preview, 1);
    // The document's camera looks down on b1 from above, in perspective.
    camera = editor->scene.GetCurrentCamera();
    CG_ViewReference view;
    camera->GetView(view);
    view.vrp = Point3D(3.1, 1.6, 0.6);
    view.vpn = Point3D(0, 0, 1);
    view.vup = Point3D(0, 1, 0);
    view.prp = Point3D(0, 0, 12);
    view.umin = view.vmin = -2.5;
    view.umax = view.vmax = 2.5;
    view.type = 1;
    camera->SetView(view);
    editor->scene.SetDimX(400);
    editor->scene.SetDimY(200);
  }

  // The scene text read with the scene reader; items for the objects that have none.
  void ReadScene() {
    std::istringstream in(kScene);
    ASSERT_EQ(editor->scene.Get(in), 1) << editor->scene.GetErrorMessage();
    for (CG_GraphicObject& object : editor->scene.GetObjects()) {
      if (editor->FindItem(&object) != nullptr) continue;
      CG_SceneEditorItem* item = editor->CreateItem(&object);
      ASSERT_NE(item, nullptr) << object.name.Text();
      editor->InsertItem(item);
      editor->activeLayer->Add(item);
    }
  }
  CG_SceneEditorItem* Item(const char* name) { return editor->FindItem(editor->scene.FindObject(name)); }

  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  EditorDriver driver;
  RecordingWireFrameImage top{120, 80}, side{120, 80}, front{120, 80}, preview{200, 100};
  CG_GraphicObject* camera = nullptr;
};

TEST_F(EditorEndToEnd, ProjectFitAndPaintTheFourViews) {
  ReadScene();
  CG_SceneEditorItem* b1 = Item("b1");
  CG_SceneEditorItem* s1 = Item("s1");
  CG_SceneEditorItem* cameraItem = editor->FindItem(camera);
  ASSERT_NE(b1, nullptr);
  ASSERT_NE(s1, nullptr);
  ASSERT_NE(cameraItem, nullptr);

  // Request 75: every item projected into the four views, every view filled
  // and painted again.
  driver.Request(75);
  for (RecordingWireFrameImage* view : {&top, &side, &front, &preview}) {
    ASSERT_FALSE(view->calls.empty());
    EXPECT_EQ(view->calls.front(), "Fill 255 255 255");
  }
  for (CG_SceneEditorItem* item : {b1, s1, cameraItem}) {
    for (int v = 0; v < 4; ++v) EXPECT_EQ(item->vertices[v].Count(), static_cast<std::uint32_t>(item->PartCount()));
  }

  // Top: the window fitted to 120 x 80 is y -6.667 .. 6.667; b1 goes the vertex path.
  ASSERT_EQ(b1->vertices[0].Count(), 1u);
  const Seq<Point3D>& topVertices = b1->vertices[0][0];
  ASSERT_EQ(topVertices.Count(), 8u);
  EXPECT_NEAR(topVertices[0].x, 0.06, 1e-12);
  EXPECT_NEAR(topVertices[0].y, 0.09, 1e-12);
  EXPECT_FALSE(b1->drawnAsSegments[0][0]);
  EXPECT_EQ(b1->segments[0][0].Size(), 0);

  // Side: y across, z upward; b1 spans columns 63 to 75 and rows 33 to 39.
  std::set<int> columns, rows;
  for (std::uint32_t k = 0; k < b1->vertices[1][0].Count(); ++k) {
    const auto [c, r] = Pixel(b1->vertices[1][0][k], 1);
    columns.insert(c);
    rows.insert(r);
  }
  EXPECT_EQ(*columns.begin(), 63);
  EXPECT_EQ(*columns.rbegin(), 75);
  EXPECT_EQ(*rows.begin(), 33);
  EXPECT_EQ(*rows.rbegin(), 39);

  // The Preview: the camera is never projected there, b1 is.
  for (std::uint32_t i = 0; i < cameraItem->vertices[3].Count(); ++i) {
    EXPECT_EQ(cameraItem->vertices[3][i].Count(), 0u);
    EXPECT_EQ(cameraItem->segments[3][i].Size(), 0);
  }
  EXPECT_EQ(b1->vertices[3][0].Count(), 8u);

  // Painting: the camera's item draws nothing in the Preview, b1 draws.
  preview.image.Fill(255, 255, 255);
  editor->DrawPreviewVertices(3, cameraItem, 0);
  EXPECT_EQ(CountNot(preview.image, {255, 255, 255}), 0);
  editor->DrawPreviewVertices(3, b1, 0);
  const int b1Pixels = CountNot(preview.image, {255, 255, 255});
  EXPECT_GT(b1Pixels, 100);
  editor->DrawPreviewVertices(3, s1, 0);

  // Style box: b1's Top picture becomes 12 segments between four corner pixels.
  b1->display.style = 1;
  editor->ProjectItem(b1);
  ASSERT_EQ(b1->segments[0][0].Size(), 12);
  std::set<std::pair<int, int>> ends;
  for (long k = 0; k < 12; ++k) {
    const mvert& m = b1->segments[0][0][k];
    ends.insert({m.x1, m.y1});
    ends.insert({m.x2, m.y2});
  }
  EXPECT_EQ(ends, (std::set<std::pair<int, int>>{{63, 43}, {93, 43}, {93, 55}, {63, 55}}));
  b1->display.style = 0;

  // Request 86: "b1" through the chooser; no active view, so the Top view
  // (view 0) shows b1's box, projected again.
  fakes.listShower.AnswerText("b1");
  top.calls.clear();
  EXPECT_EQ(driver.Request(86).result, 1);
  EXPECT_EQ(fakes.listShower.titles, std::vector<std::string>{"Select an object"});
  EXPECT_EQ(fakes.listShower.shown.back(), (std::vector<std::string>{"camera", "b1", "s1"}));
  EXPECT_EQ(std::vector<double>(editor->viewBoxes[0], editor->viewBoxes[0] + 6),
            (std::vector<double>{0.6, 0.6, 0.1, 5.6, 2.6, 1.1}));
  EXPECT_EQ(top.calls.front(), "Fill 255 255 255");
  // b1 fills the fitted window across: its first vertex is on the left border.
  EXPECT_NEAR(b1->vertices[0][0][0].x, -1.0, 1e-12);
  EXPECT_NEAR(b1->vertices[0][0][0].y, -1.5, 1e-12);
  // The other views are as they were.
  EXPECT_EQ(std::vector<double>(editor->viewBoxes[1], editor->viewBoxes[1] + 6),
            (std::vector<double>{-10, -10, -10, 10, 10, 10}));
}

}  // namespace
}  // namespace zavo::test
