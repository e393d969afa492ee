// The group module: the multi-object action of the first member's module
// run over all members, each with the matrix that places it.

#include "editor/modules/group_module.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "models/core/group.h"
#include "scene_document_fixture.h"

namespace zavo::test {
namespace {

const char kRim[] =
    "{ object name rim; material standard; model { polyline open 0;"
    " p ( 0.2 , 0.1 , 0 ); p ( 3.1 , 0.1 , 0 ); p ( 3.1 , 2.9 , 0 ); p ( 0.2 , 2.9 , 0 ); } }\n";
const char kPatch[] =
    "{ object name patch; material standard; model { polyline open 0;"
    " p ( 4.3 , 0.1 , 0 ); p ( 5.6 , 0.1 , 0 ); p ( 5.6 , 1.7 , 0 ); p ( 4.3 , 1.7 , 0 ); } }\n";
const char kBall[] =
    "{ object name ball; material standard; model { sphere center ( 5.3 , 4.1 , 0.6 ); radius 0.7; div 6; } }\n";
const char kCrate[] =
    "{ object name crate; material standard; model { box xmin -4.2; xmax -2.9; ymin 0.3; ymax 1.7;"
    " zmin 0; zmax 1.3; } }\n";

// The texts one after the other.
std::string Join(std::initializer_list<std::string> parts) {
  std::string text;
  for (const std::string& part : parts) text.append(part);
  return text;
}

std::string Group(const std::string& members) {
  return Join({"{ object name team; model { group\n", members, "} }\n"});
}
// The group inside a transf that lifts it by 5 along z.
std::string Lifted(const std::string& members) {
  return Join({"{ object name lifted; model { transf t ( 0 , 0 , 5 );\n", Group(members), "} }\n"});
}
// The patch doubled in size by a transf of its own.
std::string DoubledPatch() { return Join({"{ object name doubled; model { transf s ( 2 , 2 , 2 );\n", kPatch, "} }\n"}); }

// A multi-object action that records what it is given, in place of the
// polyline module's.
class RecordingModule : public CG_ObjectEditorModule {
public:
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor&) override { return nullptr; }
  CG_GraphicObject* Modify(CG_GraphicEditor&, CG_GraphicObject&, int) override { return nullptr; }
  std::unique_ptr<CG_MOAStatus> NewMOAStatus(CG_GraphicEditor&) override {
    return std::make_unique<CG_MOAStatus>();
  }
  CG_MOAStatus* MOAAdd(CG_GraphicEditor&, CG_SceneEditorItem* item, CG_GraphicObject* object, CG_MOAStatus* status,
                       const Transformation* transformation) override {
    std::string line = object != nullptr ? object->name.Text() : "(none)";
    if (item != nullptr) line += " with item";
    if (transformation != nullptr) {
      const Point3D o = TransformPoint(*transformation, Point3D(0.5, 0, 0));
      line += " at (" + std::to_string(o.x) + ", " + std::to_string(o.y) + ", " + std::to_string(o.z) + ")";
    }
    added.push_back(line);
    return refuse ? nullptr : status;
  }
  int MOAName(Seq<charString>& names) override {
    names.SetSize(1);
    names[0] = "Collect";
    return 1;
  }
  int MOARun(CG_MOAStatus&, int index) override {
    runs.push_back(index);
    return 7;
  }

  bool refuse = false;
  std::vector<std::string> added;
  std::vector<int> runs;
};

class GroupDocument : public SceneDocument {
public:
  explicit GroupDocument(const std::string& objects) : SceneDocument(objects) {}

  CG_ObjectEditorModule& Module() { return Object("group"); }
  // The group itself, seen through its transf when it has one.
  CG_GraphicObject& Team() {
    CG_GraphicObject* object = editor->scene.FindObject("team");
    if (object == nullptr) {
      CG_GraphicObject* wrapper = nullptr;
      editor->FindObject(editor->scene.FindObject("lifted"), object, wrapper);
    }
    return *object;
  }
  std::size_t MemberCount() {
    Seq<CG_GraphicObject*> children;
    Team().GetChildren(children);
    return children.Count();
  }
  // The recording module becomes the last, and so the found, "polyline" one.
  RecordingModule& Record() {
    auto* module = new RecordingModule;
    module->keyword = "polyline";
    editor->objectModules.Append(module);
    return *module;
  }
};

TEST(GroupModule, OffersTheActionOfTheFirstMembersModuleOnly) {
  struct Case {
    const char* test;
    std::string members;
    int answer;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"a sphere first, polylines after", Join({kBall, kRim, kPatch}), 0, {}},
      {"a polyline first, a box after", Join({kRim, kCrate}), 1, {"Sweep"}},
      {"a transf around a polyline first", Join({DoubledPatch(), kBall}), 1, {"Sweep"}},
      {"no members", "", 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.test);
    GroupDocument doc(Group(c.members));
    ASSERT_EQ(doc.loaded, 1);
    const std::size_t members = doc.MemberCount();
    Seq<charString> names(3);
    EXPECT_EQ(doc.Module().SpecialNames(*doc.editor, names, doc.Team()), c.answer);
    std::vector<std::string> got;
    for (std::uint32_t i = 0; i < names.Count(); ++i) got.emplace_back(names[i].Text());
    EXPECT_EQ(got, c.names);
    EXPECT_EQ(doc.MemberCount(), members);
  }
}

TEST(GroupModule, EachMemberGoesWithItsOwnMatrixThenTheGroups) {
  GroupDocument doc(Lifted(Join({kRim, DoubledPatch(), kCrate})));
  ASSERT_EQ(doc.loaded, 1);
  RecordingModule& recording = doc.Record();
  CG_GraphicObject* team = &doc.Team();
  Transformation lift;
  TranslationTransformation(lift, 0, 0, 5);

  EXPECT_EQ(doc.Module().RunSpecial(*doc.editor, 2, team, &lift), 7);
  // The box's module has no such action: the box is passed over. The
  // doubled patch is scaled first and then lifted: (1, 0, 5), not (1, 0, 10).
  EXPECT_EQ(recording.added, (std::vector<std::string>{"rim at (0.500000, 0.000000, 5.000000)",
                                                       "patch at (1.000000, 0.000000, 5.000000)"}));
  EXPECT_EQ(recording.runs, std::vector<int>{2});
  EXPECT_EQ(team, &doc.Team());
  EXPECT_EQ(doc.MemberCount(), 3u);

  // Without a group matrix, only a member with a transf has one.
  recording.added.clear();
  EXPECT_EQ(doc.Module().RunSpecial(*doc.editor, 0, team, nullptr), 7);
  EXPECT_EQ(recording.added,
            (std::vector<std::string>{"rim", "patch at (1.000000, 0.000000, 0.000000)"}));
}

TEST(GroupModule, AMemberRefusedEndsTheCommandWithTheGroupWhole) {
  GroupDocument doc(Group(Join({kRim, kPatch})));
  RecordingModule& recording = doc.Record();
  recording.refuse = true;
  CG_GraphicObject* team = &doc.Team();
  EXPECT_EQ(doc.Module().RunSpecial(*doc.editor, 0, team, nullptr), 0);
  EXPECT_EQ(recording.added, std::vector<std::string>{"rim"});
  EXPECT_TRUE(recording.runs.empty());
  EXPECT_EQ(doc.MemberCount(), 2u);
  Seq<charString> names(1);
  EXPECT_EQ(doc.Module().SpecialNames(*doc.editor, names, *team), 0);
}

TEST(GroupModule, CreatesAndChangesNothing) {
  GroupDocument doc(Group(kRim));
  EXPECT_EQ(doc.Module().Create(*doc.editor), nullptr);
  EXPECT_EQ(doc.Module().Modify(*doc.editor, doc.Team(), 0), nullptr);
  EXPECT_TRUE(doc.fakes.dialog.calls.empty());
}

TEST(GroupModule, TheEditorsSpecialCommandRunsThePolylineSweep) {
  GroupDocument doc(Lifted(Join({kRim, kPatch})));
  ASSERT_EQ(doc.loaded, 1);
  doc.fakes.listShower.AnswerText("Sweep");
  doc.fakes.dialog.AnswerCancel();
  EXPECT_EQ(doc.editor->RunSpecialCommand("lifted"), 0);
  ASSERT_EQ(doc.fakes.listShower.shown.size(), 1u);
  EXPECT_EQ(doc.fakes.listShower.shown[0], std::vector<std::string>{"Sweep"});
  ASSERT_EQ(doc.fakes.dialog.calls.size(), 1u);
  EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Sweep");
  EXPECT_EQ(doc.MemberCount(), 2u);
  EXPECT_TRUE(doc.Shown("lifted"));
}

}  // namespace
}  // namespace zavo::test
