// Lamps in the parallel views: the cross, the shape of the lamp's editor
// module, and a transform lamp drawn through its matrix and left whole.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor_fakes.h"
#include "models/core/point_lamp.h"
#include "models/core/transf_lamp.h"

namespace zavo::test {
namespace {

// A lamp module whose lamps have a shape of two segments about the lamp.
class ShapeModule : public FakeLampModule {
public:
  ShapeModule() : FakeLampModule("ShapeModule") {}
  int HasShape() override { return hasShape; }
  void GetShape(CG_GraphicEditor&, CG_LightSource& lamp, Seq<Point3D>& points) override {
    if (fail) throw std::runtime_error("no shape");
    const Point3D p = lamp.Position();
    points.Resize(4);
    points[0] = Point3D(p.x - 1, p.y, p.z);
    points[1] = Point3D(p.x + 1, p.y, p.z);
    points[2] = Point3D(p.x, p.y + 1, p.z);
    points[3] = Point3D(p.x, p.y + 2.5, p.z);
  }
  int hasShape = 1;
  bool fail = false;
};

std::string Written(const CG_LightSource& lamp) {
  std::ostringstream out;
  lamp.Write(out);
  return out.str();
}

class LampGlyphs : public ::testing::Test {
protected:
  LampGlyphs() : editor(CG_GraphicEditor::Create(0)) {
    fakes.AttachTo(*editor);
    editor->SetView(0, &surface, 2);
  }

  std::unique_ptr<GPointLamp> PointLamp(const char* name, Point3D at) {
    CG_PointLampDescription d;
    d.pos = at;
    return std::make_unique<GPointLamp>(name, nullptr, d);
  }
  ShapeModule& AddShapeModule() {
    auto* module = new ShapeModule;
    module->keyword = "pointlamp";
    editor->lampModules.Append(module);
    return *module;
  }

  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  RecordingWireFrameImage surface{200, 100};
};

TEST_F(LampGlyphs, CrossAtTheLampOnlyInParallelViews) {
  // The window -10..10 fitted to 200 x 100; its centre is pixel (100, 50).
  auto lamp = PointLamp("l1", Point3D(0, 0, 0));
  struct Case {
    int mode;
    int erase;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {2, 0, {"DrawLine 96 46 104 54 255 0 0", "DrawLine 104 46 96 54 255 0 0"}},
      {2, 1, {"DrawLine 96 46 104 54 127 255 63", "DrawLine 104 46 96 54 127 255 63"}},
      {4, 0, {"DrawLine 96 46 104 54 255 0 0", "DrawLine 104 46 96 54 255 0 0"}},
      {1, 0, {}},
      {0, 0, {}},
  };
  editor->options.Background[0] = 0.5;
  editor->options.Background[2] = 0.25;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode * 10 + c.erase);
    editor->SetView(0, &surface, c.mode);
    surface.calls.clear();
    if (c.erase != 0) {
      editor->EraseLampGlyphInView(0, lamp.get());
    } else {
      editor->DrawLampGlyphInView(0, lamp.get());
    }
    EXPECT_EQ(surface.calls, c.calls);
  }
  // The stored window stays as it was.
  EXPECT_EQ(editor->viewBoxes[0][1], -10.0);
  EXPECT_EQ(editor->viewBoxes[0][4], 10.0);
}

TEST_F(LampGlyphs, DrawingAndErasingInAllViewsRestoresThePicture) {
  RecordingWireFrameImage front(120, 80), preview(120, 80);
  editor->SetView(1, &front, 4);
  editor->SetView(2, &preview, 1);
  auto lamp = PointLamp("l1", Point3D(2.35, -1.7, 3.05));
  AddShapeModule();
  editor->DrawLampGlyph(lamp.get());
  EXPECT_EQ(surface.calls.size(), 4U);
  EXPECT_EQ(front.calls.size(), 4U);
  EXPECT_TRUE(preview.calls.empty());
  editor->EraseLampGlyph(lamp.get());
  const RasterWireFrameImage white(200, 100);
  EXPECT_EQ(surface.image.Buffer(), white.Buffer());
  EXPECT_EQ(front.image.Buffer(), RasterWireFrameImage(120, 80).Buffer());
}

TEST_F(LampGlyphs, ShapeLinesFollowTheCross) {
  ShapeModule& module = AddShapeModule();
  auto lamp = PointLamp("l1", Point3D(0, 0, 0));
  editor->DrawLampGlyphInView(0, lamp.get());
  // One world unit is 10 pixels; larger y lower (InvertY 0).
  EXPECT_EQ(surface.calls,
            (std::vector<std::string>{"DrawLine 96 46 104 54 255 0 0", "DrawLine 104 46 96 54 255 0 0",
                                      "DrawLine 90 50 110 50 180 0 0", "DrawLine 100 60 100 75 180 0 0"}));
  surface.calls.clear();
  module.hasShape = 0;
  editor->DrawLampGlyphInView(0, lamp.get());
  EXPECT_EQ(surface.calls.size(), 2U);
}

TEST_F(LampGlyphs, TransformLampShapeGoesThroughItsMatrixAndTheLampStaysWhole) {
  ShapeModule& module = AddShapeModule();
  CG_TransfLampDescription d;
  d.steps.Append(new lt_Data(kStepTranslate, 2, 0, 0));
  d.lamp = PointLamp("inner", Point3D(0, 0, 0)).release();
  d.ownsLamp = 1;
  GTransfLamp lamp("moved", nullptr, d);
  const std::string before = Written(lamp);
  editor->DrawLampGlyphInView(0, &lamp);
  // The inner lamp's shape about its own origin, moved by 2 in x: 20 pixels.
  EXPECT_EQ(surface.calls,
            (std::vector<std::string>{"DrawLine 116 46 124 54 255 0 0", "DrawLine 124 46 116 54 255 0 0",
                                      "DrawLine 110 50 130 50 180 0 0", "DrawLine 120 60 120 75 180 0 0"}));
  EXPECT_EQ(Written(lamp), before);
  EXPECT_EQ(lamp.Position().x, 2.0);

  module.fail = true;
  EXPECT_THROW(editor->DrawLampGlyphInView(0, &lamp), std::runtime_error);
  EXPECT_EQ(Written(lamp), before);
  EXPECT_EQ(lamp.Position().x, 2.0);
}

}  // namespace
}  // namespace zavo::test
