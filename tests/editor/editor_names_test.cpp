// Names of new objects, lamps and materials: the name rule with its
// messages, the check against the scene and the numbered names.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor_fakes.h"
#include "models/core/point_lamp.h"

namespace zavo::test {
namespace {

class EditorNames : public ::testing::Test {
protected:
  EditorNames() : editor(CG_GraphicEditor::Create(0)) {
    fakes.AttachTo(*editor);
    std::istringstream in(
        "{ object name b1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n"
        "{ object name obj000001; model { box xmin 0; xmax 1; ymin 0; ymax 1; zmin 0; zmax 1; } }\n"
        "{ object name obj000002; model { box xmin 0; xmax 1; ymin 0; ymax 1; zmin 0; zmax 1.5; } }\n"
        "{ object name obj000004; model { box xmin 0; xmax 1; ymin 0; ymax 1; zmin 0; zmax 2.5; } }\n"
        ".\n");
    EXPECT_EQ(editor->scene.Get(in), 1) << editor->scene.GetErrorMessage();
    CG_PointLampDescription lamp;
    lamp.pos = Point3D(-4, 6, 3);
    editor->scene.AddLight(std::make_unique<GPointLamp>("l1", nullptr, lamp));
  }

  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
};

TEST_F(EditorNames, NamesAreCheckedWithTheirMessages) {
  struct Case {
    const char* name;
    int kind;     // -1: CheckName alone
    int answer;
    const char* message;  // null: none
  };
  const Case cases[] = {
      {"1abc", -1, 0, "'1abc' not a valid name\ncharacter '1' not valid."},
      {"a-b", -1, 0, "'a-b' not a valid name\ncharacter '-' not valid."},
      {"", -1, 0, "'' not a valid name\nnull string not valid."},
      {nullptr, -1, 0, "'' not a valid name\nnull string not valid."},
      {"_a1", -1, 1, nullptr},
      {"Zeta_9", -1, 1, nullptr},
      {"b 1", -1, 0, "'b 1' not a valid name\ncharacter ' ' not valid."},
      {"b1", 0, 0, "Object 'b1' exist."},
      {"l1", 1, 0, "Lamp 'l1' exist."},
      {"standard", 2, 0, "Material 'standard' exist."},
      {"b1", 1, 1, nullptr},   // a lamp may bear an object's name
      {"l1", 0, 1, nullptr},
      {"b2", 0, 1, nullptr},
      {"b1", 7, 1, nullptr},   // other kinds: the name rule only
      {"9b", 0, 0, "'9b' not a valid name\ncharacter '9' not valid."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name != nullptr ? c.name : "(null)");
    fakes.system.messages.clear();
    const int answer = c.kind < 0 ? editor->CheckName(c.name) : editor->CheckNewName(c.name, c.kind);
    EXPECT_EQ(answer, c.answer);
    if (c.message == nullptr) {
      EXPECT_TRUE(fakes.system.messages.empty());
    } else {
      EXPECT_EQ(fakes.system.messages, std::vector<std::string>{c.message});
    }
  }
}

TEST_F(EditorNames, UniqueNamesCountOnlyTheTakenCandidatesPassed) {
  charString name;
  editor->MakeUniqueName("obj", 0, name);
  EXPECT_STREQ(name.Text(), "obj000003");
  EXPECT_EQ(editor->nameCounters[0], 2);
  // Not taken yet: offered again.
  editor->MakeUniqueName("obj", 0, name);
  EXPECT_STREQ(name.Text(), "obj000003");
  EXPECT_EQ(editor->nameCounters[0], 2);
  // Each kind looks at its own list and counter.
  editor->MakeUniqueName("obj", 1, name);
  EXPECT_STREQ(name.Text(), "obj000001");
  EXPECT_EQ(editor->nameCounters[1], 0);

  editor->nameCounters[0] = 1000000;
  editor->MakeUniqueName("obj", 0, name);
  EXPECT_STREQ(name.Text(), "");
  EXPECT_EQ(editor->nameCounters[0], 1000000);
  editor->nameCounters[2] = 999998;
  editor->MakeUniqueName("m", 2, name);
  EXPECT_STREQ(name.Text(), "m999999");
  editor->ResetDocument();
  EXPECT_EQ(editor->nameCounters[2], 0);
}

}  // namespace
}  // namespace zavo::test
