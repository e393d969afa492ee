// The four views as the shell sets them up, driven by requests only: the
// settings read, a box read into the scene, the views projected, filled and
// refreshed with the axes on; then one view refreshed on its own and the Top
// view fitted to the box. Every pixel of every view is compared with a
// picture made from the expected lines.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor/layers.h"
#include "editor_fakes.h"

namespace zavo::test {
namespace {

constexpr const char* kB1 =
    "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n.\n";

struct Rect {
  int left, top, right, bottom;
};

// The first pixel where two pictures differ, or "same".
std::string FirstDifference(const RasterWireFrameImage& got, const RasterWireFrameImage& want) {
  if (got.Width() != want.Width() || got.Height() != want.Height()) return "sizes differ";
  for (int y = 0; y < got.Height(); ++y) {
    for (int x = 0; x < got.Width(); ++x) {
      if (!(got.Pixel(x, y) == want.Pixel(x, y))) {
        std::ostringstream out;
        out << "pixel (" << x << ", " << y << ") is " << got.Pixel(x, y) << ", expected " << want.Pixel(x, y);
        return out.str();
      }
    }
  }
  return "same";
}

class FourViewsEndToEnd : public ::testing::Test {
protected:
  FourViewsEndToEnd() : editor(CG_GraphicEditor::Create(0)), driver(*editor) {
    fakes.AttachTo(*editor);
    // As the shell hands them over: Top, Front, Side, then the perspective view.
    editor->SetView(0, &top, 2);
    editor->SetView(1, &front, 4);
    editor->SetView(2, &side, 3);
    editor->SetView(3, &preview, 1);
    fakes.winSupp.settings[{"Editor.View", "UseColor"}] = "0";
    driver.Request(45);
  }

  // b1 read with the scene reader and given its item.
  CG_SceneEditorItem* ReadB1() {
    std::istringstream in(kB1);
    EXPECT_EQ(editor->scene.Get(in), 1) << editor->scene.GetErrorMessage();
    CG_GraphicObject* object = editor->scene.FindObject("b1");
    if (object == nullptr) return nullptr;
    CG_SceneEditorItem* item = editor->CreateItem(object);
    if (item != nullptr) editor->InsertItem(item);
    if (item != nullptr && editor->activeLayer != nullptr) editor->activeLayer->Add(item);
    return item;
  }

  // What a view should show, in the order a refresh paints it: the axes
  // through the default window's origin (parallel views), the item painted
  // by the editor's painter (the camera object: the item ahead of b1), b1's
  // outline (black lines given here), the marker and the title.
  RasterWireFrameImage Expected(int view, CG_SceneEditorItem* painted, const std::vector<Rect>& b1Lines,
                                bool axes, bool marker, const char* title) {
    RecordingWireFrameImage expected(editor->views[view]->GetWidth(), editor->views[view]->GetHeight());
    RasterWireFrameImage& image = expected.image;
    if (axes) {
      image.DrawLine(60, 0, 60, 80, 150, 0, 0);
      image.DrawLine(0, 40, 120, 40, 150, 0, 0);
    }
    CG_WireFrameImage* shown = editor->views[view];
    editor->views[view] = &expected;
    editor->DrawItemInView(view, painted);
    editor->views[view] = shown;
    for (const Rect& line : b1Lines) image.DrawLine(line.left, line.top, line.right, line.bottom, 0, 0, 0);
    if (marker) image.FillTriangle(0, 0, 8, 0, 0, 8, 0, 55, 0);
    int tw = 0, th = 0;
    image.TextSize(title, tw, th);
    image.DrawText(title, image.Width() - tw - 4, 4);
    return image;
  }

  // The four sides of a pixel rectangle as lines.
  static std::vector<Rect> Outline(const Rect& r) {
    return {{r.left, r.top, r.right, r.top},
            {r.right, r.top, r.right, r.bottom},
            {r.right, r.bottom, r.left, r.bottom},
            {r.left, r.bottom, r.left, r.top}};
  }

  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  EditorDriver driver;
  RecordingWireFrameImage top{120, 80}, front{120, 80}, side{120, 80}, preview{160, 120};
};

TEST_F(FourViewsEndToEnd, RequestsPaintTheBoxAxesMarkerAndTitles) {
  ASSERT_EQ(editor->options.UseColor, 0);
  CG_SceneEditorItem* b1 = ReadB1();
  ASSERT_NE(b1, nullptr);
  CG_SceneEditorItem* cameraItem = editor->FindItem(editor->scene.GetCurrentCamera());
  ASSERT_NE(cameraItem, nullptr);
  ASSERT_STREQ(editor->scene.GetCurrentCamera()->name.Text(), "camera");

  driver.Request(78, nullptr, 0);
  driver.Request(75);
  driver.Request(23);
  driver.Request(24);
  driver.Request(62);
  ASSERT_EQ(editor->showAxes, 1);

  const std::vector<Rect> topB1 = Outline({63, 43, 93, 55}), frontB1 = Outline({63, 33, 93, 39}),
                          sideB1 = Outline({63, 33, 75, 39});
  EXPECT_EQ(FirstDifference(top.image, Expected(0, cameraItem, topB1, true, true, "Top")), "same");
  EXPECT_EQ(FirstDifference(front.image, Expected(1, cameraItem, frontB1, true, false, "Front")), "same");
  EXPECT_EQ(FirstDifference(side.image, Expected(2, cameraItem, sideB1, true, false, "Side")), "same");

  // The Preview: titled with the camera in use; b1 shows, the camera object
  // is projected to nothing and painted nowhere.
  for (std::uint32_t i = 0; i < cameraItem->vertices[3].Count(); ++i) {
    EXPECT_EQ(cameraItem->vertices[3][i].Count(), 0u);
    EXPECT_EQ(cameraItem->segments[3][i].Size(), 0);
  }
  const RasterWireFrameImage previewWanted = Expected(3, b1, {}, false, false, "camera");
  EXPECT_NE(FirstDifference(Expected(3, cameraItem, {}, false, false, "camera"), previewWanted), "same");
  EXPECT_EQ(FirstDifference(preview.image, previewWanted), "same");

  // Request 36 for view 1 paints the Front view again over what it showed;
  // the other views stay as they are.
  front.image.Fill(30, 60, 90);
  const std::vector<std::uint8_t> topBefore = top.image.Buffer(), sideBefore = side.image.Buffer();
  const std::vector<std::uint8_t> previewBefore = preview.image.Buffer();
  driver.Request(36, nullptr, 1);
  EXPECT_EQ(FirstDifference(front.image, Expected(1, cameraItem, frontB1, true, false, "Front")), "same");
  EXPECT_EQ(top.image.Buffer(), topBefore);
  EXPECT_EQ(side.image.Buffer(), sideBefore);
  EXPECT_EQ(preview.image.Buffer(), previewBefore);

  // Request 86 with b1 chosen: the active Top view takes b1's box as its
  // window. Fitted to 60 x 40 half pixels, x keeps 0.6 .. 5.6 and y narrows
  // to 1.6 -+ 2/3: b1's left and right sides run down columns 0 and 119 (its
  // u of 1 falls a rounding short of column 120), its front and back lie
  // beyond the top and bottom rows; the origin is outside, so no axis.
  fakes.listShower.AnswerText("b1");
  const std::vector<std::uint8_t> frontBefore = front.image.Buffer();
  EXPECT_EQ(driver.Request(86).result, 1);
  EXPECT_EQ(std::vector<double>(editor->viewBoxes[0], editor->viewBoxes[0] + 6),
            (std::vector<double>{0.6, 0.6, 0.1, 5.6, 2.6, 1.1}));
  EXPECT_EQ(FirstDifference(top.image, Expected(0, cameraItem, {{0, 0, 0, 80}, {119, 0, 119, 80}}, false, true, "Top")),
            "same");
  EXPECT_EQ(front.image.Buffer(), frontBefore);
  EXPECT_EQ(side.image.Buffer(), sideBefore);
}

}  // namespace
}  // namespace zavo::test
