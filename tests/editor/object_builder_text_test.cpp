// Objects that builders generate as scene text: the text's layout, and the
// object read from memory and handed back outside the scene.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/modules/module_test_support.h"
#include "object_command_fixture.h"

namespace zavo::test {
namespace {

constexpr const char* kUnitSphere = "center ( 0 , 0 , 0 );\nradius 1;\n";

class ObjectBuilderText : public ObjectCommandTest {};

TEST_F(ObjectBuilderText, TheTextNamesTheStandardMaterialOnlyWhenTheSceneHasIt) {
  const std::string body = "center ( 1 , 2 , 3 );\nradius 0.5;\n";
  EXPECT_EQ(editor->ObjectBuilderText("s1", "sphere", body),
            "{object\nname s1;\nmaterial standard;\nmodel { sphere\ncenter ( 1 , 2 , 3 );\nradius 0.5;\n}\n}\n.");
  // A loaded scene need not have "standard": the reader would refuse the
  // reference, so the object comes without a material.
  editor->scene.GetMaterials().Find("standard")->name = "plain";
  EXPECT_EQ(editor->ObjectBuilderText("s1", "sphere", body),
            "{object\nname s1;\nmodel { sphere\ncenter ( 1 , 2 , 3 );\nradius 0.5;\n}\n}\n.");
  std::unique_ptr<CG_GraphicObject> sphere = Built("s1", "sphere", body.c_str());
  ASSERT_NE(sphere, nullptr);
  EXPECT_EQ(MaterialOf(*sphere), nullptr);
}

TEST_F(ObjectBuilderText, TheNamedObjectIsReadFromMemoryAndLeavesTheScene) {
  struct Case {
    const char* keyword;
    const char* lines;
    bool material;  // a transf shows its child's materials
  };
  const Case cases[] = {
      {"sphere", "center ( 1 , 2 , 3 );\nradius 0.5;\ndiv 8;\n", true},
      {"cone", "radius 1; high 2; div 10;\n", true},
      {"box", "xmin 0; xmax 2; ymin 1; ymax 3; zmin -1; zmax 1;\n", true},
      {"transf", "t ( 1 , 0 , 0 );\n{ object name inner; model { sphere center ( 0 , 0 , 0 ); radius 1; } }\n", false},
  };
  const std::string before = SceneText();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keyword);
    const std::string name = std::string("made_") + c.keyword;
    std::unique_ptr<CG_GraphicObject> object = Built(name.c_str(), c.keyword, c.lines);
    ASSERT_NE(object, nullptr) << LastMessage();
    EXPECT_STREQ(object->Keyword(), c.keyword);
    EXPECT_STREQ(object->name.Text(), name.c_str());
    if (c.material) { EXPECT_EQ(MaterialOf(*object), editor->scene.GetMaterials().Find("standard")); }
    // A whole object: it shows in the views.
    EXPECT_NE(editor->CreateItem(object.get()), nullptr);
    editor->RemoveItem(editor->FindItem(object.get()));
    EXPECT_EQ(editor->scene.FindObject(name.c_str()), nullptr);
    EXPECT_EQ(SceneText(), before);
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "no file is written";
  EXPECT_TRUE(fakes.system.messages.empty());
}

TEST_F(ObjectBuilderText, NoObjectComesBackWhenTheTextCannotGiveANewOne) {
  Read(kPartsScene);
  CG_GraphicObject* b1 = editor->scene.FindObject("b1");
  struct Case {
    const char* what;
    const char* name;
    std::string text;
    bool message;
  };
  const Case cases[] = {
      // The scene keeps the first of two objects of one name: the editor's
      // own object must not be taken out from under its item.
      {"a name the scene has", "b1", editor->ObjectBuilderText("b1", "sphere", kUnitSphere), false},
      {"a text that does not read", "s2",
       "{object\nname s1;\nmodel { sphere\ncenter ( 0 , 0 , 0 );\nradius 1;\n}\n}\n"
       "{object\nname s2;\nmodel { sphere\ncenter ( 0 , 0 , 0 );\nradius ;\n}\n}\n.",
       true},
      {"no object of that name", "s3", editor->ObjectBuilderText("s4", "sphere", kUnitSphere), false},
      {"no name", "", editor->ObjectBuilderText("", "sphere", kUnitSphere), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fakes.system.messages.clear();
    const std::string before = SceneText();
    EXPECT_EQ(editor->ReadObjectFromSceneText(c.text, c.name), nullptr);
    if (c.message) {
      EXPECT_EQ(LastMessage().rfind("Error in loading.\n\nError Description : ", 0), 0U) << LastMessage();
      EXPECT_EQ(SceneText(), before) << "what the failed read added is gone";
    } else {
      EXPECT_TRUE(fakes.system.messages.empty());
    }
    EXPECT_EQ(editor->scene.FindObject("b1"), b1);
    EXPECT_EQ(Item("b1")->object, b1);
  }
}

}  // namespace
}  // namespace zavo::test
