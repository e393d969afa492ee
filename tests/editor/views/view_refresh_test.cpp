// Painting a whole view: what each kind of view gets and in which order, the
// active-view marker, the axes through the origin and the mapping frame.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor_fakes.h"
#include "models/core/point_lamp.h"

namespace zavo::test {
namespace {

// A mapping of a type that has a frame, and the module that draws it as one
// grey line, so that the frame shows in the surface's call log.
class FramedMapping : public CG_MappingMetod {
public:
  int Map(const Point3D&, double& u, double& v) const override {
    u = v = 0;
    return 1;
  }
  void Write(std::ostream&) const override {}
  const char* TypeName() const override { return "framed"; }
};

class FrameModule : public FakeMappingModule {
public:
  FrameModule() : FakeMappingModule("FrameModule") {}
  void DrawFrame(CG_GraphicEditor& editor, int view, CG_MappingMetod&, int erase) override {
    editor.views[view]->DrawLine(1, 1, 2, 2, erase != 0 ? 9 : 7, 7, 7);
  }
};

class ViewRefresh : public ::testing::Test {
protected:
  ViewRefresh() : editor(CG_GraphicEditor::Create(0)) {
    fakes.AttachTo(*editor);
    auto* module = new FrameModule;
    module->keyword = "framed";
    editor->mappingModules.Append(module);
    CG_PointLampDescription at;
    at.pos = Point3D(3.3, -2.1, 0.7);
    editor->scene.AddLight(std::make_unique<GPointLamp>("l1", nullptr, at));
  }

  std::string Title(const char* text) {
    int tw = 0, th = 0;
    surface.TextSize(text, tw, th);
    return "DrawText " + std::string(text) + " " + std::to_string(120 - tw - 4) + " 4";
  }

  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  RecordingWireFrameImage surface{120, 80};
};

TEST_F(ViewRefresh, EachKindOfViewGetsItsDecorationsInOrder) {
  // Default window -10..10 fitted to 120 x 80: the vertical axis spans
  // -6.67..6.67. The lamp at (3.3, -2.1, 0.7).
  const std::string axesTop[] = {"DrawLine 60 0 60 80 150 0 0", "DrawLine 0 40 120 40 150 0 0"};
  const std::string marker = "FillTriangle 0 0 8 0 0 8 0 55 0";
  const std::string frame = "DrawLine 1 1 2 2 7 7 7";
  struct Case {
    const char* name;
    int mode;
    int active;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {"Top, active", 2, 0,
       {axesTop[0], axesTop[1], "DrawLine 75 23 83 31 255 0 0", "DrawLine 83 23 75 31 255 0 0", marker, frame,
        Title("Top")}},
      {"Side, not active", 3, 1,
       {axesTop[0], axesTop[1], "DrawLine 43 31 51 39 255 0 0", "DrawLine 51 31 43 39 255 0 0", frame,
        Title("Side")}},
      {"Front, active", 4, 0,
       {axesTop[0], axesTop[1], "DrawLine 75 31 83 39 255 0 0", "DrawLine 83 31 75 39 255 0 0", marker, frame,
        Title("Front")}},
      {"Preview: the camera's name only", 1, 0, {Title("camera")}},
      {"off", 0, 0, {}},
  };
  editor->showAxes = 1;
  editor->mappingEdit = 1;
  editor->currentMapping = std::make_unique<FramedMapping>();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor->SetView(0, &surface, c.mode);
    editor->activeView = c.active;
    surface.calls.clear();
    editor->RefreshView(0);
    EXPECT_EQ(surface.calls, c.calls);
  }
}

TEST_F(ViewRefresh, PreviewWithoutCameraIsTitledPreviewAndViewsWithoutWindowGetNoTitle) {
  editor->SetView(0, &surface, 1);
  editor->scene.SetCurrentCamera(nullptr);
  editor->RefreshView(0);
  EXPECT_EQ(surface.calls, std::vector<std::string>{Title("Preview")});

  surface.calls.clear();
  surface.image.SetHasWindow(false);
  editor->SetView(0, &surface, 2);
  editor->showAxes = 1;
  editor->activeView = 0;
  editor->RefreshView(0);
  // The marker needs no size; axes, lamps and title do.
  EXPECT_EQ(surface.calls, std::vector<std::string>{"FillTriangle 0 0 8 0 0 8 0 55 0"});
}

TEST_F(ViewRefresh, MarkerIsErasedInTheBackgroundAndViewMinusOneGetsNothing) {
  editor->options.Background[0] = 0.5;
  editor->options.Background[1] = 0.999;
  editor->options.Background[2] = 0.25;
  editor->SetView(0, &surface, 2);
  editor->DrawCursor(0);
  editor->EraseCursor(0);
  editor->DrawCursor(-1);
  editor->EraseCursor(-1);
  EXPECT_EQ(surface.calls,
            (std::vector<std::string>{"FillTriangle 0 0 8 0 0 8 0 55 0", "FillTriangle 0 0 8 0 0 8 127 254 63"}));
  EXPECT_EQ(surface.image.Pixel(0, 8), (RasterPixel{127, 254, 63}));
  EXPECT_EQ(surface.image.Pixel(8, 0), (RasterPixel{127, 254, 63}));
  EXPECT_EQ(surface.image.Pixel(5, 5), (RasterPixel{255, 255, 255}));
}

TEST_F(ViewRefresh, AxesLeaveOutALineOnTheBorder) {
  // x from 0 to 20: the origin falls on column 0, so only the horizontal line.
  editor->SetView(0, &surface, 2);
  const double window[6] = {0, -10, -10, 20, 10, 10};
  for (int k = 0; k < 6; ++k) editor->viewBoxes[0][k] = window[k];
  editor->DrawAxes(0);
  EXPECT_EQ(surface.calls, std::vector<std::string>{"DrawLine 0 40 120 40 150 0 0"});
  // Preview and views that are off have no axes.
  surface.calls.clear();
  for (int mode : {0, 1}) {
    editor->SetView(0, &surface, mode);
    editor->DrawAxes(0);
  }
  EXPECT_TRUE(surface.calls.empty());
}

int CountColour(const RasterWireFrameImage& image, RasterPixel colour) {
  int n = 0;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) n += image.Pixel(x, y) == colour ? 1 : 0;
  }
  return n;
}

TEST_F(ViewRefresh, RequestSixtyTwoTogglesTheAxesOfTheParallelViews) {
  RasterWireFrameImage top(120, 80), preview(160, 120);
  editor->SetView(0, &top, 2);
  editor->SetView(3, &preview, 1);
  EditorDriver driver(*editor);
  const RasterPixel axis{150, 0, 0};
  driver.Request(62);
  EXPECT_EQ(editor->showAxes, 1);
  // Column 120 and row 80 lie outside; the crossing pixel (60, 40) is shared.
  EXPECT_EQ(CountColour(top, axis), 120 + 80 - 1);
  EXPECT_EQ(top.Pixel(60, 0), axis);
  EXPECT_EQ(top.Pixel(0, 40), axis);
  EXPECT_EQ(CountColour(preview, axis), 0);
  driver.Request(62);
  EXPECT_EQ(editor->showAxes, 0);
  EXPECT_EQ(CountColour(top, axis), 0);
}

TEST_F(ViewRefresh, MappingFrameNeedsAMappingWithATypeAndItsModule) {
  editor->SetView(0, &surface, 2);
  editor->ShowMappingFrame(0);  // no mapping
  editor->currentMapping = std::make_unique<FramedMapping>();
  editor->ShowMappingFrame(0);
  editor->HideMappingFrame(0);
  EXPECT_EQ(surface.calls, (std::vector<std::string>{"DrawLine 1 1 2 2 7 7 7", "DrawLine 1 1 2 2 9 7 7"}));
}

}  // namespace
}  // namespace zavo::test
