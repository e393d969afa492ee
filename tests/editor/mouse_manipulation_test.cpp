// Moving, turning and scaling objects, lamps and the camera's vectors by
// mouse: the step a completing click adds, the live preview that leaves the
// scene as it was, and the clicks that change nothing.

#include <gtest/gtest.h>

#include <array>
#include <locale>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "models/core/point_lamp.h"
#include "models/core/transf.h"
#include "models/core/transf_lamp.h"
#include "mouse_fixture.h"

namespace zavo::test {
namespace {

// b1 about its centre (3.1, 1.6, 0.6); w1 already turned about (1, 2, 3).
constexpr const char* kScene =
    "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n"
    "{ object name w1; model { transf t ( -1 , -2 , -3 ); r ( 0 , 0 , 0.5 ); t ( 1 , 2 , 3 );\n"
    "  { object name inner; model { box xmin -7.3; xmax -4.1; ymin -3.4; ymax -1.2; zmin 0.2; zmax 1.7; } } } }\n"
    ".\n";

constexpr const char* kB1Wrapped = "t -3.1 -1.6 -0.6, t 3.1 1.6 0.6";

template <class T>
std::string Text(const T& value) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os << value;
  return os.str();
}

std::string PointText(const Point3D& p) { return Text(p.x) + " " + Text(p.y) + " " + Text(p.z); }

// "t x y z, r x y z, ..." of a transf's or a transform lamp's list.
template <class Description, class Wrapper>
std::string StepsText(Wrapper& wrapper) {
  Description description;
  wrapper.GetTransformList(description);
  std::string out;
  for (const auto& step : description.steps) {
    out += std::string(out.empty() ? "" : ", ") + StepKeyword(step.kind) + " " +
           PointText({step.v[0], step.v[1], step.v[2]});
  }
  wrapper.SetTransformList(description);
  return out;
}

class Manipulation : public MouseTest {
protected:
  // A new document with b1, w1, the point lamp l1 at (1.3, 2.7, 0.4) and a
  // camera in use with VRP (0, 0, 0.5), VPN (0, 0.6, 0.8) and VUP (0, 0, 1);
  // every view painted.
  void Start() {
    editor->modified = 0;
    ASSERT_EQ(driver.Request(65).result, 1);
    Read(kScene);
    CG_PointLampDescription lamp;
    lamp.pos = Point3D{1.3, 2.7, 0.4};
    lamp.color = Point3D{1, 1, 1};
    ASSERT_EQ(editor->scene.AddLight(std::make_unique<GPointLamp>("l1", nullptr, lamp)), 1);
    // The Top view gives z 1.5 and the Front view y 2 to what they do not show.
    const double topBox[6] = {-10, -10, -1.5, 10, 10, 4.5};
    const double frontBox[6] = {-10, -3, -10, 10, 7, 10};
    std::copy(topBox, topBox + 6, Box(0));
    std::copy(frontBox, frontBox + 6, Box(2));
    CG_ViewReference record = editor->CameraViewRecord();
    record.vrp = Point3D{0, 0, 0.5};
    record.vpn = Point3D{0, 0.6, 0.8};
    record.vup = Point3D{0, 0, 1};
    editor->ApplyCameraView(record);
    editor->options.UseUndo = 0;
    driver.Request(75);
    driver.Request(23);
    driver.Request(24);
    editor->modified = 0;
    fakes.system.messages.clear();
  }

  // The steps of a wrapped object or lamp, else its keyword; for "camera"
  // the vectors of the camera in use, which the scene's record follows.
  std::string Describe(const std::string& target) {
    if (target == "camera") {
      CG_ViewReference own;
      EXPECT_EQ(editor->scene.GetCurrentCamera()->GetView(own), 1);
      EXPECT_EQ(editor->scene.GetViewReference(), own);
      return "vrp " + PointText(own.vrp) + " vpn " + PointText(own.vpn) + " vup " + PointText(own.vup);
    }
    if (CG_LightSource* lamp = editor->scene.FindLight(target.c_str())) {
      auto* wrapper = dynamic_cast<GTransfLamp*>(lamp);
      return wrapper != nullptr ? StepsText<CG_TransfLampDescription>(*wrapper) : lamp->Keyword();
    }
    CG_GraphicObject* object = editor->scene.FindObject(target.c_str());
    auto* wrapper = dynamic_cast<GTransf*>(object);
    return wrapper != nullptr ? StepsText<CG_TransfDescription>(*wrapper) : object->Keyword();
  }

  // What the menu leaves before the mode: the manipulated object or lamp
  // and, in show modes 1 and 2, the item taken out of the views with its
  // style kept.
  void PrepareDrag(const std::string& target) {
    editor->manipulatedObject = editor->scene.FindObject(target.c_str());
    editor->manipulatedLamp = editor->scene.FindLight(target.c_str());
    CG_SceneEditorItem* item = editor->FindItem(editor->manipulatedObject);
    if (item == nullptr || editor->FeedbackShowMode() == 0) return;
    editor->EraseItem(item);
    item->displayExtra = item->display.style;
    editor->selectionMarksShown = 0;
  }

  // The camera's VRP put exactly under pixel (x, y) of the view.
  void PutVrpUnder(int view, int x, int y) {
    Point3D p;
    int a = 0, b = 1, flip = 0;
    ASSERT_EQ(editor->ViewPointToWorld(view, x, y, p, a, b, flip), 1);
    CG_ViewReference record = editor->CameraViewRecord();
    record.vrp = p;
    editor->ApplyCameraView(record);
  }

  // The Top and Front views as a repaint of the whole document draws them.
  void ExpectViewsRepainted() {
    const std::vector<std::uint8_t> shownTop = top.Buffer();
    const std::vector<std::uint8_t> shownFront = front.Buffer();
    driver.Request(23);
    EXPECT_TRUE(top.Buffer() == shownTop);
    EXPECT_TRUE(front.Buffer() == shownFront);
  }
};

TEST_F(Manipulation, TheCompletingClickAddsOneStep) {
  using Moves = std::vector<std::array<int, 3>>;  // view, x, y
  struct Case {
    const char* what;
    const char* target;
    int mode, showMode;
    int startX, startY;  // in the Top view
    Moves moves;
    int view, x, y;               // the completing click
    std::string after;            // Describe (target) after the click; "" unchanged
    std::string afterMoves = "";  // the same before the click; "" unchanged
    const char* message = "";
    bool vrpUnderClick = false;
  };
  const Case cases[] = {
      // Objects: about b1's centre, the step goes between its two translations.
      {"a rotation 45 pixels right turns by pi/4 about z", "b1", 4, 0, 60, 40, {}, 0, 105, 40,
       "t -3.1 -1.6 -0.6, r 0 0 0.785398, t 3.1 1.6 0.6"},
      {"a scaling 8 pixels left doubles", "b1", 5, 0, 60, 40, {}, 0, 52, 40,
       "t -3.1 -1.6 -0.6, s 2 2 2, t 3.1 1.6 0.6"},
      {"8 pixels right halves", "b1", 5, 0, 60, 40, {}, 0, 68, 40, "t -3.1 -1.6 -0.6, s 0.5 0.5 0.5, t 3.1 1.6 0.6"},
      {"1 pixel right multiplies by 4", "b1", 5, 0, 60, 40, {}, 0, 61, 40,
       "t -3.1 -1.6 -0.6, s 4 4 4, t 3.1 1.6 0.6"},
      {"a move from Top (5, 0, 1.5) to Front (7, 2, 2)", "b1", 3, 0, 90, 40, {}, 2, 102, 28,
       "t -3.1 -1.6 -0.6, t 3.1 1.6 0.6, t 2 2 0.5"},
      {"a rotation ending in another view changes nothing", "b1", 4, 0, 60, 40, {}, 2, 105, 40, ""},
      {"live previews move b1 on screen only, the click adds one step", "b1", 3, 1, 90, 40,
       {{0, 100, 30}, {0, 95, 20}, {0, 102, 28}}, 0, 102, 28, "t -3.1 -1.6 -0.6, t 3.1 1.6 0.6, t 2 -2 0", kB1Wrapped},
      {"inverted previews of a turn", "b1", 4, 2, 60, 40, {{0, 70, 40}, {0, 105, 10}}, 0, 105, 40,
       "t -3.1 -1.6 -0.6, r 0 0 0.785398, t 3.1 1.6 0.6", kB1Wrapped},
      {"a previewed scaling ending in a view that is off keeps the wrapping only", "b1", 5, 1, 60, 40,
       {{0, 52, 40}}, 1, 52, 40, kB1Wrapped, kB1Wrapped},
      {"previews keep a wrapped object's steps", "w1", 5, 1, 60, 40, {{0, 50, 40}, {0, 69, 40}}, 0, 68, 40,
       "t -1 -2 -3, r 0 0 0.5, s 0.5 0.5 0.5, t 1 2 3"},
      {"moves outside the drag view preview nothing", "w1", 3, 2, 90, 40, {{2, 10, 10}}, 2, 90, 40,
       "t -1 -2 -3, r 0 0 0.5, t 1 2 3, t 0 2 -1.5"},
      // Lamps: wrapped about their position as the lamp commands wrap them.
      {"a lamp move", "l1", 6, 0, 90, 40, {{0, 95, 30}}, 0, 102, 28, "t -1.3 -2.7 -0.4, t 1.3 2.7 0.4, t 2 -2 0"},
      {"a lamp turn", "l1", 7, 1, 60, 40, {}, 0, 15, 40, "t -1.3 -2.7 -0.4, r 0 0 -0.785398, t 1.3 2.7 0.4"},
      {"a lamp scaling", "l1", 8, 0, 60, 40, {}, 0, 52, 40, "t -1.3 -2.7 -0.4, s 2 2 2, t 1.3 2.7 0.4"},
      {"a lamp turn ending in another view", "l1", 7, 0, 60, 40, {}, 2, 15, 40, ""},
      // The camera in use: VRP keeps the coordinate the view does not show;
      // a turned vector keeps its own there before it is made unit.
      {"VRP moved in the Top view keeps its z", "camera", 9, 0, 60, 40, {}, 0, 90, 40,
       "vrp 5 0 0.5 vpn 0 0.6 0.8 vup 0 0 1"},
      {"VRP moved in the Front view keeps its y", "camera", 9, 0, 60, 40, {}, 2, 90, 40,
       "vrp 5 0 0 vpn 0 0.6 0.8 vup 0 0 1"},
      {"VPN towards (1/3, 1/2, 1.5), the direction (2, 3, 6) / 7, keeps z 0.8", "camera", 10, 0, 60, 40, {}, 0, 62,
       43, "vrp 0 0 0.5 vpn 0.300285 0.450428 0.840799 vup 0 0 1"},
      {"VUP towards the same point", "camera", 11, 0, 60, 40, {}, 0, 62, 43,
       "vrp 0 0 0.5 vpn 0 0.6 0.8 vup 0.254 0.381 0.889001"},
      {"VPN straight above VRP would be parallel to VUP", "camera", 10, 0, 60, 40, {}, 0, 60, 40, "", "",
       "VUP and VPN are parallel. Cannot change."},
      {"a click on VRP gives VUP no direction", "camera", 11, 0, 60, 40, {}, 2, 60, 37, "", "", "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start();
    editor->options.ShowMode = c.showMode;
    if (c.vrpUnderClick) PutVrpUnder(c.view, c.x, c.y);
    const std::string before = Describe(c.target);
    PrepareDrag(c.target);
    Arm(c.mode, 0, c.startX, c.startY);
    for (const auto& [view, x, y] : c.moves) driver.Move(view, x, y);
    const std::string previewed = c.afterMoves.empty() ? before : c.afterMoves;
    EXPECT_EQ(Describe(c.target), previewed);
    driver.LeftClick(c.view, c.x, c.y);
    const std::string after = c.after.empty() ? before : c.after;
    EXPECT_EQ(Describe(c.target), after);
    EXPECT_EQ(editor->modified, after != previewed ? 1 : 0);
    EXPECT_EQ(LastMessage(), c.message);
    EXPECT_EQ(editor->mouseMode, 0);
    EXPECT_EQ(editor->selectionMarksShown, 1);
    // Show modes 1 and 2 paint the views anew: no preview is left on them.
    if (c.mode <= 5 && c.showMode != 0) ExpectViewsRepainted();
  }
}

}  // namespace
}  // namespace zavo::test
