// Picking in the views: what a left click selects, what a right click
// offers, curves by their drawn segments, lamps and camera handles by their
// pixels, mapping edit, and the Preview's pick ray.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor_test_objects.h"
#include "models/core/point_lamp.h"
#include "mouse_fixture.h"
#include "scene/mapping.h"
#include "scene/view_reference.h"

namespace zavo::test {
namespace {

using Strings = std::vector<std::string>;

// In the Top view (120 x 80, 6 pixels per unit) pixel (84, 40) is the world
// point (4, 0): k1 and k2 overlap there, the lamp l1 (AddLamp) stands above it.
constexpr const char* kOverlapScene =
    "{ object name k1; model { box xmin 2; xmax 6; ymin -2; ymax 2; zmin -1; zmax 1; } }\n"
    "{ object name k2; model { box xmin 3; xmax 8; ymin -1; ymax 3; zmin 2; zmax 3; } }\n"
    ".\n";

class Picking : public MouseTest {
protected:
  Picking() {
    auto* box = new FakeObjectModule("box");
    box->keyword = "box";
    editor->objectModules.Append(box);
    // The camera figure far from the objects unless a test moves it.
    CG_ViewReference record = editor->scene.GetViewReference();
    record.vrp = Point3D{-8, -5, 0};
    record.vpn = Point3D{1, 0, 0};
    record.vup = Point3D{0, 1, 0};
    record.prp = Point3D{0, 0, 1};
    editor->scene.SetViewReference(record);
  }
  void AddLamp() {
    CG_PointLampDescription description;
    description.pos = Point3D{4, 0, 5};
    ASSERT_EQ(editor->scene.AddLight(std::make_unique<GPointLamp>("l1", nullptr, description)), 1);
  }
  Strings Candidates(int view, int x, int y) {
    Strings out;
    std::unique_ptr<List<GenericName>> list = editor->PickCandidates(view, x, y);
    if (list == nullptr) return {"null"};
    for (const GenericName& n : *list) out.emplace_back(n.name.Text());
    return out;
  }
  // A curve whose only drawn segment in the Top view is the one given.
  CG_SceneEditorItem* AddCurve(const char* curveName, mvert segment) {
    auto object = std::make_unique<EditorTestObject>(curveName);
    object->faced = 1;
    object->curve = 1;
    CG_GraphicObject* curve = object.get();
    EXPECT_EQ(editor->scene.AddObject(std::move(object)), 1);
    CG_SceneEditorItem* item = editor->CreateItem(curve);
    item->kind = 0;
    item->segments[0].Resize(1);
    item->segments[0][0].SetSize(1);
    item->segments[0][0][0] = segment;
    if (editor->activeLayer != nullptr) editor->activeLayer->Add(item);
    return item;
  }
  std::string Selected() {
    auto* record = dynamic_cast<CG_EObjectSelection*>(editor->selection.First());
    return record != nullptr ? std::string(record->item->object->name.Text()) : std::string("none");
  }
};

TEST_F(Picking, LeftClicksInTheActiveViewSelectAndCycleThroughOverlaps) {
  Read(kOverlapScene);
  editor->ProjectItem(Item("k1"));
  editor->ProjectItem(Item("k2"));
  struct Case {
    const char* what;
    int x, y;
    std::string selected;
    Strings statuses;
  };
  const Case cases[] = {
      {"the first of the two", 84, 40, "k1", {"Selected k1", "Selected k1 [ box ]"}},
      {"then the other", 84, 40, "k2", {"Selected k2", "Selected k2 [ box ]"}},
      {"then the first again", 84, 40, "k1", {"Selected k1", "Selected k1 [ box ]"}},
      {"k2 alone", 102, 50, "k2", {"Selected k2", "Selected k2 [ box ]"}},
      {"nothing there", 20, 70, "none", {}},
      // Only ambiguous picks are remembered.
      {"an overlap goes on from the last overlap", 84, 40, "k2", {"Selected k2", "Selected k2 [ box ]"}},
  };
  driver.LeftClick(0, 20, 70);  // activates the Top view
  ASSERT_EQ(editor->activeView, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fakes.system.statuses.clear();
    driver.LeftClick(0, c.x, c.y);
    EXPECT_EQ(Selected(), c.selected);
    EXPECT_EQ(fakes.system.statuses, c.statuses);
  }
  // The selected box is drawn in the selection colour (its left edge x = 3).
  EXPECT_EQ(top.Pixel(78, 45), (RasterPixel{0, 255, 0}));
  // A click in another view only moves the active view.
  driver.LeftClick(2, 84, 40);
  EXPECT_EQ(editor->activeView, 2);
  EXPECT_EQ(Selected(), "k2");
}

TEST_F(Picking, ASelectionStaysWhileTheModuleKeepsIt) {
  Read(kOverlapScene);
  driver.LeftClick(0, 20, 70);
  auto* record = new CG_EObjectSelection(Item("k2"));
  editor->selection.Append(record);
  editor->objectEditing = 0;  // a click gives the selection up, then picks
  driver.LeftClick(0, 84, 40);
  EXPECT_EQ(Selected(), "k1");
  EXPECT_EQ(editor->PickAt(0, 102, 30, 65), 1);  // a selection exists: nothing happens
  EXPECT_EQ(Selected(), "k1");
}

TEST_F(Picking, CurvesArePickedNearerThanFourPixelsToADrawnSegment) {
  struct Case {
    const char* what;
    mvert segment;
    int x, y;
    bool picked;
  };
  const Case cases[] = {
      {"3 pixels below", {20, 60, 40, 60}, 30, 63, true},
      {"exactly 4 pixels below", {20, 60, 40, 60}, 30, 64, false},
      {"3 pixels beyond the end", {20, 60, 40, 60}, 43, 60, true},
      {"4 pixels beyond the end", {20, 60, 40, 60}, 44, 60, false},
      {"right to left, 3 pixels above", {40, 60, 20, 60}, 25, 57, true},
      {"right to left, exactly 4 pixels above", {40, 60, 20, 60}, 25, 56, false},
      {"bottom to top, beside it", {30, 70, 30, 50}, 33, 55, true},
      {"bottom to top, 4 pixels before its start", {30, 70, 30, 50}, 30, 74, false},
      {"a diagonal, 3.5 pixels off", {20, 50, 40, 70}, 32, 57, true},
      {"a single pixel, 3 away", {30, 60, 30, 60}, 30, 63, true},
  };
  CG_SceneEditorItem* item = AddCurve("c1", {0, 0, 0, 0});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    item->segments[0][0][0] = c.segment;
    EXPECT_EQ(Candidates(0, c.x, c.y), c.picked ? Strings{"$c1"} : Strings{});
  }
  // The ray along the depth axis never measures segments.
  item->segments[0][0][0] = mvert{20, 60, 40, 60};
  Ray forward, backward;
  ASSERT_EQ(editor->PlaneViewPickRays(0, 30, 61, forward, backward), 1);
  EXPECT_EQ(editor->ItemOnRay(item, backward, -1, 30, 61), 0);
  EXPECT_EQ(editor->ItemOnRay(item, forward, 0, 30, 61), 1);
  item->kind = -1;  // not met by rays: never picked
  EXPECT_EQ(Candidates(0, 30, 61), Strings{});
}

TEST_F(Picking, PointSegmentDistanceMeasuresToTheNearestPointOfTheSegment) {
  struct Case {
    Point3D a, b, p;
    double distance;
  };
  const Case cases[] = {
      {{0, 0, 0}, {10, 0, 0}, {5, 3, 0}, 3},
      {{0, 0, 0}, {10, 0, 0}, {-3, 4, 0}, 5},   // before the start
      {{0, 0, 0}, {10, 0, 0}, {13, -4, 0}, 5},  // beyond the end
      {{10, 0, 0}, {0, 0, 0}, {13, -4, 0}, 5},  // the same, reversed
      {{2, 2, 0}, {2, 2 + 5e-8, 0}, {5, 6, 0}, 5},  // shorter than 1e-7: its start
      {{0, 0, 0}, {0, 0, 0}, {0, -2, 0}, 2},
      {{0, 0, 0}, {4, 4, 0}, {0, 4, 0}, std::sqrt(8.0)},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(CG_GraphicEditor::PointSegmentDistance(c.a, c.b, c.p), c.distance, 1e-12);
  }
  EXPECT_EQ(editor->NearInPixels(0, 0, 3.9, 0), 1);
  EXPECT_EQ(editor->NearInPixels(0, 0, 4, 0), 0);
  EXPECT_EQ(editor->NearInPixels(10, 10, 10 - 2.8, 10 + 2.8), 1);
}

TEST_F(Picking, RightClicksOfferLampsAndCameraHandlesBesideObjects) {
  Read(kOverlapScene);
  AddLamp();
  Drop("k2");
  struct Case {
    const char* what;
    Point3D vrp, vpn, vup, prp;
    int x, y;
    Strings entries;
  };
  const Point3D far{-8, -5, 0};
  const Case cases[] = {
      {"the object and the lamp", far, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, 84, 40, {"$k1", "*l1"}},
      {"the lamp 3 pixels away", far, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, 87, 40, {"$k1", "*l1"}},
      {"the lamp 4 pixels away is missed", far, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, 88, 40, {"$k1"}},
      {"VRP beside them", {4.2, 0.2, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, 84, 40, {"$k1", "*l1", "&VRP"}},
      {"the handles in their order", {-6, -4, 0}, {0, 0, 1}, {0, 1, 0}, {0, 0, 0}, 24, 16, {"&VRP", "&VPN", "&PRP"}},
      {"no PRP for VUP parallel to VPN", {-6, -4, 0}, {0, 0, 1}, {0, 0, 2}, {0, 0, 0}, 24, 16,
       {"&VRP", "&VUP", "&VPN"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CG_ViewReference record = editor->scene.GetViewReference();
    record.vrp = c.vrp;
    record.vpn = c.vpn;
    record.vup = c.vup;
    record.prp = c.prp;
    editor->scene.SetViewReference(record);
    EXPECT_EQ(Candidates(0, c.x, c.y), c.entries);
    fakes.listShower.titles.clear();
    fakes.listShower.AnswerCancel();
    EXPECT_EQ(editor->MouseReleaseAt(0, (c.x + 0.5) / 120, (c.y + 0.5) / 80), 1);
    if (c.entries.size() > 1) {
      EXPECT_EQ(fakes.listShower.titles, Strings{"Multiple selection. Choose one"});
      ASSERT_FALSE(fakes.listShower.shown.empty());
      EXPECT_EQ(fakes.listShower.shown.back(), c.entries);
    } else {
      EXPECT_TRUE(fakes.listShower.titles.empty());
    }
    EXPECT_EQ(editor->dragView, 0);
    EXPECT_EQ(editor->dragStartX, c.x);
    EXPECT_EQ(editor->dragLastY, c.y);
  }
  // Only the click with one candidate, the object, opened a menu: the object's.
  ASSERT_EQ(fakes.flyMenu.menus.size(), 1u);
  EXPECT_EQ(fakes.flyMenu.menus[0].front(), "translate");
}

TEST_F(Picking, WithMappingEditOnARightClickGoesOnlyToTheMappingModule) {
  Read(kOverlapScene);
  auto* module = new FakeMappingModule("planar module");
  module->keyword = "planar";
  editor->mappingModules.Append(module);
  editor->mappingEdit = 1;
  struct Case {
    const char* what;
    bool mapping;
    int result;
    Strings calls;
  };
  const Case cases[] = {
      {"no current mapping", false, 0, {}},
      // Once for the click, once for the direct call.
      {"the module of the mapping's type", true, 0, {"EditInViews 0 84 40", "EditInViews 0 84 40"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    module->log.calls.clear();
    if (c.mapping) {
      editor->currentMapping =
          std::make_unique<CG_PlanarMapping>(Point3D{0, 0, 0}, Point3D{1, 0, 0}, Point3D{0, 1, 0}, 1.0, 1.0);
    }
    driver.RightClick(0, 84, 40);
    EXPECT_EQ(editor->MouseReleaseAt(0, 84.5 / 120, 40.5 / 80), c.result);
    EXPECT_EQ(module->log.calls, c.calls);
    EXPECT_TRUE(fakes.listShower.titles.empty());
    EXPECT_TRUE(fakes.flyMenu.menus.empty());
    EXPECT_EQ(editor->mouseMode, 0);
  }
}

TEST_F(Picking, ThePreviewPicksWhatItDrawsUnderThePixel) {
  // Off the axis, so that mirrored columns or rows would miss it.
  Read("{ object name b1; model { box xmin 0.5; xmax 2.5; ymin 0; ymax 1.5; zmin -1; zmax 1; } }\n.\n");
  CG_ViewReference record = editor->scene.GetViewReference();
  record.vrp = Point3D{0, 0, 0};
  record.vpn = Point3D{0, 0, 1};
  record.vup = Point3D{0, 1, 0};
  record.prp = Point3D{0, 0, 20};
  record.type = 1;
  record.umin = record.vmin = -2;
  record.umax = record.vmax = 2;
  editor->scene.SetViewReference(record);
  editor->SetCameraInUse(nullptr);
  Drop("camera");  // it stands at the origin, in the line of sight
  editor->ProjectItem(Item("b1"));
  editor->DrawItemInView(3, Item("b1"));
  const auto drawn = Marked(preview);
  ASSERT_FALSE(drawn.empty());
  int left = 120, right = -1, high = 80, low = -1;
  for (const auto& [x, y] : drawn) {
    left = std::min(left, x), right = std::max(right, x), high = std::min(high, y), low = std::max(low, y);
  }
  const auto picked = [&](int x, int y) {
    Strings out;
    const std::unique_ptr<List<GenericName>> list = editor->PreviewPickCandidates(3, x, y);
    for (const GenericName& n : *list) out.emplace_back(n.name.Text());
    return out;
  };
  EXPECT_EQ(picked((left + right) / 2, (high + low) / 2), Strings{"$b1"});
  EXPECT_EQ(picked(left + 1, high + 1), Strings{"$b1"});
  EXPECT_EQ(picked(right - 1, low - 1), Strings{"$b1"});
  EXPECT_EQ(picked(left - 2, high), Strings{});
  EXPECT_EQ(picked(right + 2, low), Strings{});
  EXPECT_EQ(picked((left + right) / 2, low + 2), Strings{});
}

}  // namespace
}  // namespace zavo::test
