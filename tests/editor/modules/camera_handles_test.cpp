// The viewing pyramid of a selected camera in the plane views, the choice of
// its handles with the mouse and their moves with 'm'.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "camera_fixture.h"
#include "editor/layers.h"
#include "editor/modules/camera_module.h"

namespace zavo::test {
namespace {

using Strings = std::vector<std::string>;

constexpr RasterPixel kGrey{200, 200, 200};
constexpr RasterPixel kBlue{0, 0, 255};
constexpr RasterPixel kGreen{0, 255, 0};

// Every plane view's stored window spans 12 x 6 units on its shown axes
// (x -5..7, y -2..4, z -2..4): the handle length is 1. Fitted to 200 x 100
// pixels the vertical axis keeps half its span: the Front view (x across, z
// up) shows x -5..7 and z -0.5..2.5. There the default camera's VRP
// (1, 1, 1) is pixel (100, 50), the VPN end (2, 1, 1) (116, 50), the VUP end
// (1, 1, 2) (100, 16), the PRP (0, 1, 1) (83, 50); the window's corners are
// (100, 16) and (100, 83).
class CameraHandles : public CameraDocument {
public:
  explicit CameraHandles(const CG_ViewReference* view = nullptr) : CameraDocument(view) {
    for (int v = 0; v < 3; ++v) SetBox(v, {-5, -2, -2}, {7, 4, 4});
    status = Module().NewSelectionStatus();
  }
  CG_ECameraSelectionStatus& Status() { return dynamic_cast<CG_ECameraSelectionStatus&>(*status); }
  RasterWireFrameImage& Surface(int view) {
    RasterWireFrameImage* surfaces[] = {&top, &side, &front, &preview};
    return *surfaces[view];
  }
  void FillAll() {
    int r = 0, g = 0, b = 0;
    editor->GetBackgroundColor(r, g, b);
    for (int v = 0; v < 4; ++v) Surface(v).Fill(r, g, b);
  }
  void Draw(int view, int mode, const Transformation* wrapper = nullptr) {
    Module().DrawSelection(*editor, nullptr, *cam2, status.get(), view, mode, wrapper);
  }
  int Click(int view, int x, int y, int flags) {
    return Module().Mouse(*editor, nullptr, *cam2, status.get(), view, x, y, flags, nullptr);
  }
  int MoveKey(int view, int x, int y, const Transformation* wrapper = nullptr, CG_SceneEditorItem* item = nullptr) {
    editor->lastMouseView = view;
    editor->lastMouseX = x;
    editor->lastMouseY = y;
    return Module().Key(*editor, item, *cam2, status.get(), 'm', wrapper);
  }

  std::unique_ptr<CG_ESelectionStatus> status;
};

void ExpectNear(const Point3D& got, const Point3D& want, double tolerance) {
  EXPECT_NEAR(got.x, want.x, tolerance);
  EXPECT_NEAR(got.y, want.y, tolerance);
  EXPECT_NEAR(got.z, want.z, tolerance);
}

TEST(CameraHandlesDrawing, ThePyramidOfTheDefaultCameraInEachPlaneView) {
  struct Case {
    const char* what;
    int view;
    int x, y;
    RasterPixel colour;
  };
  const Case cases[] = {
      {"VRP to VPN end", 2, 108, 50, kGrey},
      {"VRP to VUP end", 2, 100, 40, kGrey},
      {"VRP to PRP", 2, 92, 50, kGrey},
      {"window edge C2 C3", 2, 100, 60, kGrey},
      {"PRP to C1", 2, 93, 30, kGrey},
      {"PRP to C3", 2, 93, 70, kGrey},
      {"VRP mark box", 2, 96, 48, kBlue},
      {"VRP mark stem", 2, 100, 52, kBlue},
      {"VPN mark", 2, 118, 52, kBlue},
      {"VUP mark", 2, 98, 20, kBlue},
      {"PRP mark box", 2, 79, 48, kGreen},
      {"PRP mark stroke", 2, 85, 52, kGreen},
      // Side view: y across, z up; the window is a square about the VRP from
      // (66, 16) to (133, 83), the PRP falls on the VRP.
      {"side window C4 C1", 1, 133, 40, kGrey},
      {"side window C1 C2", 1, 90, 16, kGrey},
      {"side VUP mark", 1, 98, 20, kBlue},
      // Top view: the VUP end falls on the VRP, the window is the line x = 1.
      {"top window", 0, 100, 60, kGrey},
      {"top PRP to C4", 0, 93, 70, kGrey},
  };
  CameraHandles doc;
  doc.FillAll();
  const RasterPixel background = doc.top.Pixel(0, 0);
  const std::vector<std::uint8_t> previewBefore = doc.preview.Buffer();
  for (int view = 0; view < 4; ++view) doc.Draw(view, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(doc.Surface(c.view).Pixel(c.x, c.y), c.colour);
  }
  // Nothing far from the pyramid, nothing in the Preview.
  EXPECT_EQ(doc.front.Pixel(150, 80), background);
  EXPECT_EQ(doc.preview.Buffer(), previewBefore);
}

// A view that is off, the Preview and a view without a window get no pyramid,
// and a click there is taken without a change.
TEST(CameraHandlesDrawing, ViewsThatShowNoPlaneGetNothing) {
  struct Case {
    const char* what;
    int view;
    void (*setUp)(CameraHandles&);
  };
  const Case cases[] = {
      {"view off", 1, [](CameraHandles& doc) { doc.editor->viewModes[1] = 0; }},
      {"Preview", 3, [](CameraHandles&) {}},
      {"no window", 2, [](CameraHandles& doc) { doc.front.SetHasWindow(false); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CameraHandles doc;
    doc.FillAll();
    c.setUp(doc);
    const std::vector<std::uint8_t> before = doc.Surface(c.view).Buffer();
    doc.Draw(c.view, 0);
    EXPECT_EQ(doc.Surface(c.view).Buffer(), before);
    doc.Status().chosenHandle = 2;
    EXPECT_EQ(doc.Click(c.view, 100, 50, kMouseLeft | kMousePressed), 0);
    EXPECT_EQ(doc.Status().chosenHandle, 2);
  }
}

TEST(CameraHandlesDrawing, ErasingLeavesTheViewsAsBefore) {
  CameraHandles doc;
  doc.FillAll();
  std::vector<std::vector<std::uint8_t>> before;
  for (int view = 0; view < 4; ++view) before.push_back(doc.Surface(view).Buffer());
  for (int view = 0; view < 4; ++view) doc.Draw(view, 0);
  EXPECT_NE(doc.front.Buffer(), before[2]);
  for (int view = 0; view < 4; ++view) doc.Draw(view, 1);
  for (int view = 0; view < 4; ++view) EXPECT_EQ(doc.Surface(view).Buffer(), before[view]) << view;
}

TEST(CameraHandlesDrawing, ACameraInATransfIsDrawnWhereTheTransfPutsIt) {
  CameraHandles doc;
  doc.FillAll();
  const RasterPixel background = doc.front.Pixel(0, 0);
  Transformation wrapper;
  TranslationTransformation(wrapper, 5, 0, 0);
  doc.Draw(2, 0, &wrapper);
  // The VRP (6, 1, 1) is pixel (183, 50).
  EXPECT_EQ(doc.front.Pixel(179, 48), kBlue);
  EXPECT_EQ(doc.front.Pixel(96, 48), background);
}

// A frame read from a file may not be formed: the handles show without the
// prp and the window, and points that are not numbers are left out.
TEST(CameraHandlesDrawing, AFrameThatCannotBeFormedDrawsWhatExists) {
  CG_ViewReference flat = CG_CameraDescription().vrc;
  flat.vpn = Point3D{0, 0, 0};
  CameraHandles doc(&flat);
  doc.FillAll();
  const RasterPixel background = doc.front.Pixel(0, 0);
  doc.Draw(2, 0);
  EXPECT_EQ(doc.front.Pixel(96, 48), kBlue);
  EXPECT_EQ(doc.front.Pixel(79, 48), background) << "no PRP mark";
  EXPECT_EQ(doc.front.Pixel(100, 60), background) << "no window";

  CG_ViewReference lost = CG_CameraDescription().vrc;
  lost.vrp = Point3D{std::numeric_limits<double>::quiet_NaN(), 1, 1};
  CameraHandles nan(&lost);
  nan.FillAll();
  const std::vector<std::uint8_t> before = nan.front.Buffer();
  nan.Draw(2, 0);
  EXPECT_EQ(nan.front.Buffer(), before);
  nan.Status().chosenHandle = 1;
  EXPECT_EQ(nan.Click(2, 0, 0, kMouseLeft | kMousePressed), 0);
  EXPECT_EQ(nan.Status().chosenHandle, 0) << "a handle that is not a number is never hit";
}

TEST(CameraHandlesMouse, ClicksChooseNameAndDropHandles) {
  struct Case {
    const char* what;
    Point3D vup;
    int chosenBefore;
    int view, x, y, flags;
    int answer;
    int chosenAfter;
    Strings statuses;
  };
  const int press = kMouseLeft | kMousePressed;
  const int release = kMouseLeft | kMouseReleased;
  const Point3D up{0, 0, 1};
  const Point3D slanted{1, 0, 1};  // its end shows on the VPN end in the Top view
  const Case cases[] = {
      {"right button", up, 0, 2, 100, 50, kMouseRight | kMousePressed, 4, 0, {}},
      {"move", up, 2, 2, 100, 50, kMouseLeft | kMouseRight, 4, 2, {}},
      {"VRP over VUP (Top)", up, 0, 0, 101, 51, press, 0, 1, {}},
      {"VRP over VPN (Side)", up, 0, 1, 101, 51, press, 0, 1, {}},
      {"VPN over VUP (Top)", slanted, 0, 0, 116, 51, press, 0, 2, {}},
      {"VUP (Front)", up, 0, 2, 101, 17, press, 0, 3, {}},
      {"release names VRP", up, 1, 2, 101, 51, release, 0, 1, {"VRP"}},
      {"release names VPN", slanted, 2, 0, 116, 51, release, 0, 2, {"VPN"}},
      {"release names VUP", up, 3, 2, 100, 16, release, 0, 3, {"VUP"}},
      {"3 pixels away", up, 0, 2, 103, 50, press, 0, 1, {}},
      {"4 pixels away", up, 0, 2, 104, 50, press, 1, 0, {}},
      {"away drops the choice", up, 2, 2, 150, 80, press, 0, 0, {}},
      {"away with none ends", up, 0, 2, 150, 80, release, 1, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CG_ViewReference view = CG_CameraDescription().vrc;
    view.vup = c.vup;
    CameraHandles doc(&view);
    doc.Status().chosenHandle = c.chosenBefore;
    doc.fakes.system.statuses.clear();
    EXPECT_EQ(doc.Click(c.view, c.x, c.y, c.flags), c.answer);
    EXPECT_EQ(doc.Status().chosenHandle, c.chosenAfter);
    EXPECT_EQ(doc.fakes.system.statuses, c.statuses);
    EXPECT_EQ(doc.ViewOf(*doc.cam2), view);
  }
}

// 'm' with the pointer's last position. In the Front view pixel (x, y) is
// world x = -5 + 0.06 x, z = 2.5 - 0.03 y; in the Top view y = 1 + 0.03 (y - 50).
TEST(CameraHandlesKey, MMovesTheChosenHandleUnderThePointer) {
  struct Case {
    const char* what;
    int handle;
    int view, x, y;
    bool grid;
    int answer;
    Point3D vrp, vpn, vup;
    Strings messages;
  };
  const Point3D vrp{1, 1, 1}, vpn{1, 0, 0}, vup{0, 0, 1};
  const Strings parallel{"VUP and VPN are parallel. Cannot change."};
  const Case cases[] = {
      {"no handle chosen", 0, 2, 130, 20, false, 0, vrp, vpn, vup, {}},
      {"pointer over the Preview", 1, 3, 130, 20, false, 0, vrp, vpn, vup, {}},
      {"pointer over no view", 1, -1, 130, 20, false, 0, vrp, vpn, vup, {}},
      {"VRP, y kept", 1, 2, 130, 20, false, 4, {2.8, 1, 1.9}, vpn, vup, {}},
      {"VRP on the grid", 1, 2, 130, 20, true, 4, {2.5, 1, 1.5}, vpn, vup, {}},
      {"VPN end on its own pixel", 2, 2, 116, 50, false, 4, vrp, {0.96, 0, 0}, vup, {}},
      {"VPN in the Top view, z kept", 2, 0, 116, 66, false, 4, vrp, {0.96, 0.48, 0}, vup, {}},
      {"VUP", 3, 2, 125, 25, false, 4, vrp, vpn, {1.5, 0, 0.75}, {}},
      // A zero normal, or an up vector along it, leaves no camera frame.
      {"VPN onto the VRP", 2, 2, 100, 50, false, 0, vrp, vpn, vup, parallel},
      {"VUP along VPN", 3, 2, 116, 50, false, 0, vrp, vpn, vup, parallel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CameraHandles doc;
    doc.editor->options.UseGrid = c.grid ? 1 : 0;
    doc.editor->options.GridDim = 0.5;
    doc.Status().chosenHandle = c.handle;
    EXPECT_EQ(doc.MoveKey(c.view, c.x, c.y), c.answer);
    const CG_ViewReference view = doc.ViewOf(*doc.cam2);
    ExpectNear(view.vrp, c.vrp, 1e-9);
    ExpectNear(view.vpn, c.vpn, 1e-9);
    ExpectNear(view.vup, c.vup, 1e-9);
    EXPECT_EQ(doc.fakes.system.messages, c.messages);
    EXPECT_EQ(doc.Status().chosenHandle, c.handle) << "the handle stays chosen";
  }
}

TEST(CameraHandlesKey, OtherKeysAreNotTheModulesBusiness) {
  CameraHandles doc;
  doc.Status().chosenHandle = 1;
  doc.editor->lastMouseView = 2;
  EXPECT_EQ(doc.Module().Key(*doc.editor, nullptr, *doc.cam2, doc.status.get(), 'x', nullptr), 4);
  EXPECT_EQ(doc.ViewOf(*doc.cam2), CG_CameraDescription().vrc);
}

TEST(CameraHandlesKey, InATransfTheMovedPointLiesUnderThePointerOnceTransformed) {
  CameraHandles doc;
  doc.Status().chosenHandle = 1;
  Transformation shift;
  TranslationTransformation(shift, 5, 0, 0);
  EXPECT_EQ(doc.MoveKey(2, 130, 20, &shift), 4);
  ExpectNear(doc.ViewOf(*doc.cam2).vrp, {-2.2, 1, 1.9}, 1e-9);

  // A transf that flattens x has no inverse: nothing changes.
  Transformation flat;
  ScaleTransformation(flat, 0, 1, 1);
  const CG_ViewReference before = doc.ViewOf(*doc.cam2);
  EXPECT_EQ(doc.MoveKey(2, 40, 70, &flat), 0);
  EXPECT_EQ(doc.ViewOf(*doc.cam2), before);
}

// After 'm' the camera has a new item with the old display settings, which
// the selection and the layer refer to; the camera in use shows its new view.
TEST(CameraHandlesKey, TheItemIsReplacedAndTheViewsRedrawn) {
  CameraHandles doc;
  doc.editor->SetCameraInUse(doc.cam2);
  CG_SceneEditorItem* old = doc.editor->FindItem(doc.cam2);
  ASSERT_NE(old, nullptr);
  old->display.style = 1;
  old->display.fastview = 3;
  old->displayExtra = 7;
  auto* record = new CG_EObjectSelection(old);
  record->status = doc.status.release();
  doc.editor->selection.Append(record);
  auto* status = dynamic_cast<CG_ECameraSelectionStatus*>(record->status);
  ASSERT_NE(status, nullptr);
  status->chosenHandle = 1;
  doc.editor->lastMouseView = 2;
  doc.editor->lastMouseX = 130;
  doc.editor->lastMouseY = 20;
  EXPECT_EQ(doc.Module().Key(*doc.editor, old, *doc.cam2, status, 'm', nullptr), 4);

  CG_SceneEditorItem* item = doc.editor->FindItem(doc.cam2);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->display.style, 1);
  EXPECT_EQ(item->display.fastview, 3);
  EXPECT_EQ(item->displayExtra, 7);
  EXPECT_EQ(record->item, item);
  EXPECT_EQ(record->status, status);
  EXPECT_TRUE(doc.editor->activeLayer->Holds(item));
  ExpectNear(doc.editor->scene.GetViewReference().vrp, {2.8, 1, 1.9}, 1e-9);
}

}  // namespace
}  // namespace zavo::test
