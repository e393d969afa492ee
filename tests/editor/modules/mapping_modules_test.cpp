#include "editor/modules/mapping_modules.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "module_fixture.h"
#include "scene/comm_data.h"
#include "scene/mapping.h"

namespace zavo::test {
namespace {

constexpr RasterPixel kLine{255, 255, 0};
constexpr RasterPixel kMarker{0, 100, 0};

// The real mapping modules in a document whose Top view (view 0, 200 x 100)
// shows x -10..10, y -5..5 (column 10 x + 100, row 10 y + 50) and whose
// Front view (view 2) is 201 x 101 and shows x -8..8, z -4..4 (w 100, h 50:
// column 12.5 x + 100, row 50 - 12.5 z).
class MappingDocument : public ModuleDocument {
public:
  MappingDocument() {
    SetBox(0, {-10, -10, -10}, {10, 10, 10});
    SetBox(1, {-10, -10, -10}, {10, 10, 10});
    SetBox(2, {-8, -8, -8}, {8, 8, 8});
    front.Resize(201, 101);
    int r = 0, g = 0, b = 0;
    editor->GetBackgroundColor(r, g, b);
    for (RasterWireFrameImage* view : {&top, &side, &front, &preview}) view->Fill(r, g, b);
  }

  CG_GenericMappingEditorModule& Module(const char* keyword) {
    auto* module = dynamic_cast<CG_GenericMappingEditorModule*>(editor->FindMappingModule(keyword));
    if (module == nullptr) ADD_FAILURE() << "no mapping module " << keyword;
    return *module;
  }
  // The module's default mapping, made current with another centre and axes.
  void SetMapping(const char* keyword, const Point3D& center, const Point3D& assx, const Point3D& assy) {
    editor->currentMapping = Module(keyword).Create(*editor);
    editor->currentMapping->center = center;
    editor->currentMapping->assx = assx;
    editor->currentMapping->assy = assy;
  }
  // A left click: the editor runs the armed move on the button's release.
  void Click(int view, int x, int y) {
    EditorDriver driver(*editor);
    driver.LeftClick(view, x, y);
  }
};

TEST(MappingModules, CreateMakesTheDefaultMappingOfItsTypeWithoutADialog) {
  MappingDocument doc;
  for (const char* keyword : {"planar", "spherical", "cilindric"}) {
    SCOPED_TRACE(keyword);
    std::unique_ptr<CG_MappingMetod> mapping = doc.Module(keyword).Create(*doc.editor);
    ASSERT_NE(mapping, nullptr);
    EXPECT_STREQ(mapping->TypeName(), keyword);
    EXPECT_EQ(mapping->center, (Point3D{0, 0, 0}));
    EXPECT_EQ(mapping->assx, (Point3D{1, 0, 0}));
    EXPECT_EQ(mapping->assy, (Point3D{0, 1, 0}));
    EXPECT_EQ(mapping->moltx, 1.0);
    EXPECT_EQ(mapping->molty, 1.0);
  }
  EXPECT_TRUE(doc.fakes.dialog.calls.empty());
}

TEST(MappingModules, TheFrameShowsCentreAndAxisTipsInAFrontView) {
  struct Case {
    const char* what;
    Point3D center;
    std::vector<std::pair<std::array<int, 2>, RasterPixel>> pixels;
  };
  const RasterPixel blank = [] {
    MappingDocument doc;
    return doc.front.Pixel(0, 0);
  }();
  const Case cases[] = {
      {"the default frame: the X tip 12 pixels right, the Y tip on the centre",
       {0, 0, 0},
       {{{100, 50}, kMarker},   // centre and the collapsed Y marker
        {{104, 50}, kMarker},   // the centre triangle's top edge
        {{102, 52}, kMarker},   // its right edge
        {{100, 54}, kMarker},   // its tip, and the Y marker's stem
        {{97, 47}, kMarker},    // an arm of the Y marker
        {{106, 50}, kLine},     // the line to the X tip
        {{112, 50}, kMarker},   // the X marker's centre
        {{110, 48}, kMarker},   // and its four arms
        {{114, 52}, kMarker},
        {{110, 52}, kMarker},
        {{114, 48}, kMarker},
        {{112, 46}, blank},
        {{100, 46}, blank}}},
      {"a centre at z = 2 stands at row 25",
       {0, 0, 2},
       {{{100, 25}, kMarker}, {{106, 25}, kLine}, {{112, 25}, kMarker}, {{100, 50}, blank}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MappingDocument doc;
    doc.SetMapping("planar", c.center, {1, 0, 0}, {0, 1, 0});
    doc.Module("planar").DrawFrame(*doc.editor, 2, *doc.editor->currentMapping, 0);
    for (const auto& [at, colour] : c.pixels) EXPECT_EQ(doc.front.Pixel(at[0], at[1]), colour) << at[0] << "," << at[1];
  }
}

TEST(MappingModules, AnErasedFrameLeavesTheViewAsItWasAndDrawsAgainTheSame) {
  MappingDocument doc;
  doc.SetMapping("cilindric", {1.34, -0.73, 0.45}, {2.1, 0, 0.3}, {0, 1.9, 0.6});
  CG_MappingEditorModule& module = doc.Module("cilindric");
  for (int view : {0, 1, 2}) {
    SCOPED_TRACE(view);
    RasterWireFrameImage& surface = view == 0 ? doc.top : view == 1 ? doc.side : doc.front;
    const std::vector<std::uint8_t> blank = surface.Buffer();
    module.DrawFrame(*doc.editor, view, *doc.editor->currentMapping, 0);
    const std::vector<std::uint8_t> drawn = surface.Buffer();
    EXPECT_NE(drawn, blank);
    module.DrawFrame(*doc.editor, view, *doc.editor->currentMapping, 1);
    EXPECT_EQ(surface.Buffer(), blank);
    module.DrawFrame(*doc.editor, view, *doc.editor->currentMapping, 0);
    EXPECT_EQ(surface.Buffer(), drawn);
  }
}

TEST(MappingModules, ViewsThatAreNoPlaneViewsOrHaveNoSizeGetNothing) {
  struct Case {
    const char* what;
    int mode;
    bool hasWindow;
  };
  const Case cases[] = {{"no view", 0, true}, {"perspective", 1, true}, {"no window", 2, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MappingDocument doc;
    doc.editor->SetView(0, &doc.top, c.mode);
    doc.top.SetHasWindow(c.hasWindow);
    doc.SetMapping("planar", {0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    const std::vector<std::uint8_t> blank = doc.top.Buffer();
    doc.Module("planar").DrawFrame(*doc.editor, 0, *doc.editor->currentMapping, 0);
    EXPECT_EQ(doc.top.Buffer(), blank);
    EXPECT_EQ(doc.Module("planar").EditInViews(*doc.editor, 0, 100, 50), 1);
    EXPECT_EQ(doc.editor->mouseMode, 0);
  }
}

TEST(MappingModules, AReleaseNearAHandleArmsItsMove) {
  // Centre (1.34, -0.73) at pixel (113, 42) of the Top view; the X tip at
  // (134, 42), the Y tip at (113, 61); a short X axis puts its tip at (115, 42).
  struct Case {
    const char* what;
    Point3D assx;
    int x, y;
    const char* status;  // null: no hit
  };
  const Case cases[] = {
      {"exactly 4 pixels from the centre", {2.1, 0, 0.3}, 117, 42, nullptr},
      {"3 pixels from the centre", {2.1, 0, 0.3}, 116, 42, "Move center"},
      {"near the X tip", {2.1, 0, 0.3}, 132, 44, "Move assx"},
      {"near the Y tip", {2.1, 0, 0.3}, 111, 62, "Move assy"},
      {"near the centre and the X tip: the centre wins", {0.25, 0, 0}, 114, 42, "Move center"},
      {"near nothing", {2.1, 0, 0.3}, 150, 80, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MappingDocument doc;
    doc.SetMapping("planar", {1.34, -0.73, 0.45}, c.assx, {0, 1.9, 0});
    EXPECT_EQ(doc.Module("planar").EditInViews(*doc.editor, 0, c.x, c.y), 1);
    if (c.status == nullptr) {
      EXPECT_EQ(doc.editor->mouseMode, 0);
      EXPECT_TRUE(doc.fakes.system.statuses.empty());
    } else {
      EXPECT_EQ(doc.editor->mouseMode, 2);
      EXPECT_EQ(doc.fakes.system.statuses, std::vector<std::string>{c.status});
    }
  }
}

TEST(MappingModules, TheNextClickInAPlaneViewMovesTheArmedHandle) {
  // Top pixel (130, 90) is the world point (3, 4); Top pixel (100, 70) is
  // (0, 2); Side pixel (140, 63) is y 4, z -1.3.
  struct Case {
    const char* what;
    const char* keyword;
    Point3D center0;
    int armX, armY;  // a release at a handle in the Top view
    int view, x, y;  // then the click
    Point3D center, assx, assy;
  };
  const Case cases[] = {
      {"the X tip in the Top view: its z stays", "planar", {1.34, -0.73, 0.45}, 134, 42, 0, 130, 90,
       {1.34, -0.73, 0.45}, {1.66, 4.73, 0.3}, {0, 1.9, 0}},
      {"the Y tip of a spherical mapping, unscaled", "spherical", {0, 0, 0}, 100, 69, 0, 100, 70,
       {0, 0, 0}, {2.1, 0, 0.3}, {0, 2, 0}},
      {"the centre in the Side view: its x stays, the tips go with it", "cilindric", {1.34, -0.73, 0.45}, 113,
       42, 1, 140, 63, {1.34, 4, -1.3}, {2.1, 0, 0.3}, {0, 1.9, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MappingDocument doc;
    doc.SetMapping(c.keyword, c.center0, {2.1, 0, 0.3}, {0, 1.9, 0});
    doc.editor->BeginMappingEdit();
    doc.Module(c.keyword).EditInViews(*doc.editor, 0, c.armX, c.armY);
    ASSERT_EQ(doc.editor->mouseMode, 2);
    // Moves and a click in the perspective view leave the move armed.
    EditorDriver(*doc.editor).Move(0, 20, 20);
    doc.Click(3, 100, 50);
    EXPECT_EQ(doc.editor->mouseMode, 2);
    EXPECT_EQ(doc.editor->currentMapping->center, c.center0);
    EXPECT_EQ(doc.editor->currentMapping->assy, (Point3D{0, 1.9, 0}));

    doc.Click(c.view, c.x, c.y);
    const CG_MappingMetod& m = *doc.editor->currentMapping;
    for (int k = 0; k < 3; ++k) {
      const auto at = [k](const Point3D& p) { return k == 0 ? p.x : k == 1 ? p.y : p.z; };
      EXPECT_NEAR(at(m.center), at(c.center), 1e-12) << k;
      EXPECT_NEAR(at(m.assx), at(c.assx), 1e-12) << k;
      EXPECT_NEAR(at(m.assy), at(c.assy), 1e-12) << k;
    }
    EXPECT_EQ(doc.editor->mouseMode, 0);
    ASSERT_FALSE(doc.fakes.system.statuses.empty());
    EXPECT_EQ(doc.fakes.system.statuses.back(), "");

    // The views show the moved frame and nothing of the old one.
    MappingDocument fresh;
    fresh.editor->currentMapping.reset(m.Clone());
    fresh.editor->BeginMappingEdit();
    EXPECT_EQ(doc.top.Buffer(), fresh.top.Buffer());
    EXPECT_EQ(doc.side.Buffer(), fresh.side.Buffer());
    EXPECT_EQ(doc.front.Buffer(), fresh.front.Buffer());
  }
}

TEST(MappingModules, WithoutACurrentMappingAReleaseDoesNothing) {
  MappingDocument doc;
  EXPECT_EQ(doc.Module("planar").EditInViews(*doc.editor, 0, 100, 50), 1);
  EXPECT_EQ(doc.editor->mouseMode, 0);
  EXPECT_TRUE(doc.fakes.system.statuses.empty());
}

// The mapping commands with the real modules, as the window layer sends
// them: a spherical mapping chosen, its centre moved in the Top view by a
// right-button release on it and a left click, the frame hidden again and
// the mapping given to a sphere.
TEST(MappingModules, TheMappingCommandsMakeAndMoveAMappingForAnObject) {
  MappingDocument doc;
  EditorDriver driver(*doc.editor);
  doc.Answer({{"name", "ball"}});
  ASSERT_EQ(doc.editor->AddObjectToEditor(doc.Object("sphere").Create(*doc.editor)), 1);

  doc.fakes.listShower.AnswerText("spherical");
  driver.Request(53);
  ASSERT_NE(doc.editor->currentMapping, nullptr);
  EXPECT_EQ(doc.fakes.listShower.shown.back(), (std::vector<std::string>{"planar", "spherical", "cilindric"}));
  EXPECT_EQ(driver.Request(57).result, 1);
  EXPECT_EQ(doc.top.Pixel(100, 50), kMarker);
  driver.RightClick(0, 100, 50);
  EXPECT_EQ(doc.fakes.system.statuses.back(), "Move center");
  driver.LeftClick(0, 130, 90);
  EXPECT_EQ(doc.top.Pixel(130, 90), kMarker);
  EXPECT_NE(doc.top.Pixel(100, 50), kMarker);
  driver.Request(56);
  EXPECT_NE(doc.top.Pixel(130, 90), kMarker);

  doc.fakes.listShower.AnswerText("ball");
  doc.fakes.dialog.Answer({{}, {"Apply Mapping"}, true});
  EXPECT_EQ(driver.Request(27).result, 1);
  std::unique_ptr<CG_GraphicObjectCommData> data = doc.editor->scene.FindObject("ball")->NewCommData();
  ASSERT_NE(data->mapping, nullptr);
  EXPECT_STREQ(data->mapping->TypeName(), "spherical");
  EXPECT_NEAR(data->mapping->center.x, 3, 1e-12);
  EXPECT_NEAR(data->mapping->center.y, 4, 1e-12);
  EXPECT_EQ(data->mapping->center.z, 0);
}

}  // namespace
}  // namespace zavo::test
