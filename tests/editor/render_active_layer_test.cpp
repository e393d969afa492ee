// Request 4 renders the active layer only, puts every object back, and keeps
// the scene unchanged while the render runs.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document_fixture.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

const std::string kParam = "{ param render raytracing; mode 3; dimx 48; dimy 36; backcolor (0.55,0.7,0.9); }\n";
const std::string kB1 =
    "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n";
const std::string kB2 = "{ object name b2; model { box xmin -1; xmax 1; ymin -2; ymax 2; zmin -3; zmax 3; } }\n";
const std::string kLamp = "{ lamp name sun; model { pointlamp pos ( -4 , 6 , 3 ); color (1,1,0.95); } }\n";

// The camera of the document looks at b1 from a user's distance.
void AimCamera(CG_GraphicEditor& editor) {
  CG_GraphicObject* camera = editor.scene.GetCurrentCamera();
  ASSERT_NE(camera, nullptr);
  CG_ViewReference view;
  camera->GetView(view);
  view.vrp = Point3D(3.1, 1.6, 0.6);
  view.vpn = Point3D(0.3, 0.4, 1);
  view.vup = Point3D(0, 1, 0);
  view.prp = Point3D(0, 0, 14.5);
  view.umin = view.vmin = -4.5;
  view.umax = view.vmax = 4.5;
  view.type = 1;
  camera->SetView(view);
}

std::vector<std::string> ObjectNames(const CG_GraphicScene& scene) {
  std::vector<std::string> names;
  for (const CG_GraphicObject& object : scene.GetObjects()) names.emplace_back(object.name.Text());
  return names;
}

// Sends a merge from inside the render, as a window layer that dispatches
// while busy would.
class MergingSystem : public FakeGraphicSystem {
public:
  void Status(const char* text) override {
    FakeGraphicSystem::Status(text);
    if (editor == nullptr || sent) return;
    sent = true;
    EDCommand command;
    command.code = 69;
    command.text = "more.qz";
    answer = editor->Command(command);
  }
  CG_GraphicEditor* editor = nullptr;
  bool sent = false;
  int answer = -1;
};

TEST_F(DocumentTest, RenderShowsOnlyTheActiveLayerAndPutsObjectsBack) {
  // The picture of the scene without b2.
  Read((kParam + kB1 + kLamp + ".\n").c_str());
  AimCamera(*editor);
  ASSERT_EQ(driver.Request(4).result, 0);
  const std::string expected = ReadFile("zavo.bmp");
  ASSERT_FALSE(expected.empty());
  fs::remove("zavo.bmp");

  ASSERT_EQ(driver.Request(65).result, 1);
  Read((kParam + kB1 + kB2 + kLamp + ".\n").c_str());
  AimCamera(*editor);
  ASSERT_EQ(ObjectNames(editor->scene), (std::vector<std::string>{"camera", "b1", "b2", "sun"}));
  Layer* front = editor->NewLayer("front");
  ASSERT_NE(front, nullptr);
  ASSERT_NE(Item("sun"), nullptr);
  front->Add(Item("b1"));
  front->Add(Item("sun"));
  editor->activeLayer = front;
  WriteFile("more.qz", "{ object name b3; model { box xmin 0; xmax 2; ymin 0; ymax 2; zmin 0; zmax 2; } }\n.\n");
  MergingSystem system;
  system.editor = editor.get();
  editor->SetGraphicSystem(&system);
  ASSERT_EQ(editor->SaveSceneAs("house"), 1);
  WriteFile("house.qz_", "an old cache");
  editor->scene.GetParam().buildhier = 0;

  ASSERT_EQ(driver.Request(4).result, 0);
  EXPECT_TRUE(system.sent);
  EXPECT_EQ(system.answer, 0);
  EXPECT_EQ(editor->scene.GetCurrentCamera(), editor->scene.FindObject("camera"));
  EXPECT_TRUE(ReadFile("house.bmp") == expected) << "the layer render differs from the render without b2";
  EXPECT_FALSE(fs::exists("house.qz_"));
  // The merge waited for the render and was served right after it.
  EXPECT_EQ(ObjectNames(editor->scene), (std::vector<std::string>{"b1", "sun", "camera", "b2", "b3"}));
  editor->SetGraphicSystem(nullptr);
}

// A render that fails still puts every object back.
TEST_F(DocumentTest, FailedRenderPutsObjectsBack) {
  Read((kParam + kB1 + kB2 + ".\n").c_str());
  editor->scene.GetParam().render = "nosuchmode";
  Layer* front = editor->NewLayer("front");
  front->Add(Item("b1"));
  editor->activeLayer = front;
  EXPECT_EQ(editor->RenderActiveLayer(), 1);
  EXPECT_EQ(ObjectNames(editor->scene), (std::vector<std::string>{"b1", "camera", "b2"}));
  EXPECT_EQ(editor->rendering, 0);
  // Requests are served at once again.
  EXPECT_EQ(driver.Request(76).value, editor->modified);
  driver.Request(77, nullptr, 1);
  EXPECT_EQ(editor->animationOn, 1);
}

}  // namespace
}  // namespace zavo::test
