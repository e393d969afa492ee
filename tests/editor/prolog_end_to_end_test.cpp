// One session with the Prolog console on a scene with an animated object:
// the system starts with the document, a goal moves the anim, another copies
// a box and fails on the anim, a goal typed while a render runs waits for
// it, and the changes survive a save and a new open.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "editor/modules/module_test_support.h"
#include "models/core/transf.h"
#include "prolog_fixture.h"

namespace zavo::test {
namespace {

constexpr const char* kSpinScene =
    "{ param dimx 6; dimy 4; backcolor (1,0,0); }\n"
    "{ lamp name sun; model { pointlamp pos ( -4 , 6 , 3 ); color (1,1,0.95); } }\n"
    "{ object name spin; model { anim\n"
    "  { object name cube; model { box xmin -0.4; xmax 0.7; ymin -0.3; ymax 0.5; zmin 0.2; zmax 1.1; } }\n"
    "  move { object name track; model { polyline p ( 0 , 0 , 0 ); p ( 3.6 , 1.2 , 0 ); } }\n"
    "  from 0; to 3;\n"
    "} }\n"
    "{ object name k5; model { box xmin 1.5; xmax 2.75; ymin -2.2; ymax -0.8; zmin 0; zmax 1.3; } }\n"
    ".\n";

// A graphic-system interface that types a console line at the render's
// first pixel.
class TypingSystem : public FakeGraphicSystem {
public:
  void PlotPixel(int x, int y, double r, double g, double b) override {
    FakeGraphicSystem::PlotPixel(x, y, r, g, b);
    if (!atFirstPixel) return;
    std::function<void()> action = std::move(atFirstPixel);
    atFirstPixel = nullptr;
    action();
  }
  std::function<void()> atFirstPixel;
};

class PrologEndToEnd : public PrologDocumentTest {
protected:
  void ExpectSteps(const char* name, const std::vector<Step>& expected, double tolerance) {
    SCOPED_TRACE(name);
    auto* wrapper = dynamic_cast<GTransf*>(editor->scene.FindObject(name));
    ASSERT_NE(wrapper, nullptr);
    CG_GraphicObject* child = nullptr;
    const std::vector<Step> steps = StepsOf(*wrapper, child);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->IsAnim(), 1);
    ASSERT_EQ(steps.size(), expected.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
      for (int k = 0; k < 4; ++k) EXPECT_NEAR(steps[i][k], expected[i][k], tolerance) << "step " << i;
    }
  }
};

TEST_F(PrologEndToEnd, GoalsMoveAndCopyObjectsOfAnAnimatedScene) {
  TempDir library;
  std::filesystem::create_directories(library / "prolog");
  WriteFile(library / "prolog" / "system.pro", "started(zavo).\nqz_system.\n");
  driver.Request(45);
  driver.Request(65);
  driver.Request(81, library.path().c_str());
  fakes.system.messages.clear();
  driver.Request(80);
  EXPECT_TRUE(fakes.system.messages.empty());
  WriteFile("spin.qz", kSpinScene);
  ASSERT_EQ(driver.Request(66, "spin").result, 1) << LastMessage();
  ASSERT_NE(Item("spin"), nullptr);
  ASSERT_NE(Item("k5"), nullptr);

  // 3. The console moves the anim: it is wrapped about its centre, the
  // document is modified, the log holds the goal.
  driver.Request(79);
  EXPECT_EQ(fakes.console.shows, 1);
  const Point3D c = Item("spin")->centre;
  const std::string moveGoal = "?-qz_translate(spin, 0, 0, 2).";
  EXPECT_EQ(Type(moveGoal), "%qz_translate 4\nyes\n\n");
  EXPECT_EQ(ReadFile("prolog.log"), GoalHeader(moveGoal));
  const std::vector<Step> spinSteps = {{0, -c.x, -c.y, -c.z}, {0, c.x, c.y, c.z}, {0, 0, 0, 2}};
  ExpectSteps("spin", spinSteps, 1e-12);
  EXPECT_EQ(driver.Request(76).result, 1);
  EXPECT_EQ(Type("?-started(X)."), "X = zavo\nyes\n\n");

  // 4. A copy of the box under its real name; the anim cannot be copied.
  EXPECT_EQ(Type("?-qz_duplicate(k5, X)."), "%qz_duplicate 2\nX = k5_\nyes\n\n");
  ASSERT_NE(Item("k5_"), nullptr);
  const long objects = ObjectCount();
  EXPECT_EQ(Type("?-qz_duplicate(spin, Y)."), "%qz_duplicate 2\nno\n\n");
  EXPECT_EQ(ObjectCount(), objects);

  // A goal typed while a render runs waits for its end.
  TypingSystem typing;
  editor->SetGraphicSystem(&typing);
  std::string shownDuringRender = "unset";
  typing.atFirstPixel = [&] { shownDuringRender = Type("?-qz_translate(k5, 0.5, 0, 0)."); };
  driver.Request(4);
  EXPECT_EQ(shownDuringRender, "");
  EXPECT_NE(dynamic_cast<GTransf*>(editor->scene.FindObject("k5")), nullptr);
  editor->SetGraphicSystem(&fakes.system);

  // 5. Saved, a new document, and the saved one opened again.
  std::filesystem::create_directory("anim");
  ASSERT_EQ(driver.Request(68, "anim/doc").result, 1) << LastMessage();
  driver.Request(65);
  ASSERT_EQ(driver.Request(66, "anim/doc").result, 1) << LastMessage();
  ExpectSteps("spin", spinSteps, 1e-5);
  EXPECT_NE(Item("k5_"), nullptr);
}

}  // namespace
}  // namespace zavo::test
