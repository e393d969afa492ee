// One session with the texture and mapping commands, scripted as the window
// layer sends it: a texture chosen and given to a box, a mapping made by its
// module and applied to the other box, its frame shown and hidden, the texture
// kept while the box uses it, and the scene saved and opened again.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "object_command_fixture.h"
#include "scene/comm_data.h"
#include "scene/mapping.h"
#include "scene/texture.h"

namespace zavo::test {
namespace {

class TextureMappingEndToEnd : public ObjectCommandTest {
protected:
  // A copy of an object's common data (its mapping included).
  std::unique_ptr<CG_GraphicObjectCommData> DataOf(const char* name) {
    CG_GraphicObject* object = editor->scene.FindObject(name);
    if (object == nullptr) {
      ADD_FAILURE() << "no object " << name;
      return std::make_unique<CG_GraphicObjectCommData>();
    }
    return object->NewCommData();
  }
};

TEST_F(TextureMappingEndToEnd, ChooseApplyShowSaveAndOpenAgain) {
  driver.Request(45);
  driver.Request(65);
  WriteFile(dir / "two.qz",
            "{ object name k1; material standard;\n"
            "  model { box xmin 0.5; xmax 2.5; ymin -1; ymax 1.5; zmin 0; zmax 3.5; } }\n"
            "{ object name k2; material standard;\n"
            "  model { box xmin -4; xmax -1.5; ymin 2; ymax 4.5; zmin -1; zmax 1; } }\n"
            ".\n");
  driver.Request(69, "two.qz");
  std::filesystem::create_directories(dir / "tex");
  BitmapManager image;
  ASSERT_EQ(image.Create(4, 3), 1);
  ASSERT_EQ(image.Save(dir / "tex" / "grain.bmp"), 1);
  driver.Request(2, "tex");

  // 1. The texture "grain" chosen and given to k1.
  fakes.listShower.AnswerText("grain");
  driver.Request(51);
  fakes.listShower.AnswerText("k1");
  fakes.dialog.Answer({{{"texture", "grain"}}, {}, true});
  EXPECT_EQ(driver.Request(27).result, 1);
  EXPECT_EQ(DataOf("k1")->texture, editor->scene.GetTextures().Find("grain"));

  // 2. A planar mapping from its module, applied to k2 with "Apply Mapping";
  // mapping edit shows its frame in views 0, 1 and 2 and takes it away again.
  auto* planar = dynamic_cast<FakeMappingModule*>(editor->FindMappingModule("planar"));
  ASSERT_NE(planar, nullptr);
  planar->nextCreate =
      std::make_unique<CG_PlanarMapping>(Point3D{-2.5, 3, 0.25}, Point3D{0.5, 0, 0}, Point3D{0, 0.4, 0}, 1.5, 2);
  fakes.listShower.AnswerText("planar");
  driver.Request(53);
  fakes.listShower.AnswerText("k2");
  fakes.dialog.Answer({{}, {"Apply Mapping"}, true});
  EXPECT_EQ(driver.Request(27).result, 1);
  ASSERT_NE(DataOf("k2")->mapping, nullptr);
  EXPECT_EQ(DataOf("k2")->mapping->center, Point3D(-2.5, 3, 0.25));
  EXPECT_EQ(driver.Request(57).result, 1);
  driver.Request(56);
  EXPECT_EQ(planar->log.calls, (std::vector<std::string>{"Create", "DrawFrame 0 0", "DrawFrame 1 0", "DrawFrame 2 0",
                                                         "DrawFrame 0 1", "DrawFrame 1 1", "DrawFrame 2 1"}));

  // 3. The texture stays while k1 uses it.
  fakes.system.messages.clear();
  fakes.listShower.AnswerText("grain");
  driver.Request(52);
  // The unnamed document adds its undo note after the refusal.
  EXPECT_EQ(fakes.system.messages,
            (std::vector<std::string>{"You cannot delete that texture.\nSome objects are using it.",
                                      "No name.Cannot undo."}));
  EXPECT_NE(editor->scene.GetTextures().Find("grain"), nullptr);

  // 4. Saved, a new document, the saved one opened again: the same scene.
  std::filesystem::create_directory("mat");
  ASSERT_EQ(driver.Request(68, "mat/scene").result, 1) << LastMessage();
  driver.Request(65);
  EXPECT_EQ(editor->currentMapping, nullptr);
  ASSERT_EQ(driver.Request(66, "mat/scene").result, 1) << LastMessage();
  EXPECT_EQ(SceneText(), ReadFile(dir / "mat" / "scene.qz"));
  EXPECT_EQ(DataOf("k1")->texture, editor->scene.GetTextures().Find("grain"));
  ASSERT_NE(DataOf("k2")->mapping, nullptr);
  EXPECT_STREQ(DataOf("k2")->mapping->TypeName(), "planar");
  EXPECT_EQ(DataOf("k2")->mapping->center, Point3D(-2.5, 3, 0.25));
}

}  // namespace
}  // namespace zavo::test
