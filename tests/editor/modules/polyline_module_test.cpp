// The polyline module: creation, close and open, the rotation and extrusion
// commands run as the editor runs special commands, and the multi-object
// action "Sweep".

#include "editor/modules/polyline_module.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <locale>
#include <sstream>

#include "common/temp_dir.h"
#include "editor/layers.h"
#include "editor/modules/brep_objects.h"
#include "models/curved/polyline.h"
#include "module_fixture.h"
#include "module_test_support.h"
#include "scene_document_fixture.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

// An open outline above the x-y plane, turned about z by "rotation".
const char kArc[] =
    "{ object name obj000001; material standard; model { polyline open 1;"
    " p ( 0.4 , -1.2 , 0.5 ); p ( 1.5 , 0.3 , 0.5 ); p ( 0.6 , 1.7 , 0.5 ); } }\n";
// Two closed squares side by side, a sphere, an open path and a deformation graph.
const char kSweepScene[] =
    "{ object name rim; material standard; model { polyline open 0;"
    " p ( 0.2 , 0.1 , 0 ); p ( 3.1 , 0.1 , 0 ); p ( 3.1 , 2.9 , 0 ); p ( 0.2 , 2.9 , 0 ); } }\n"
    "{ object name ball; material standard; model { sphere center ( 5.3 , 4.1 , 0.6 ); radius 0.7; div 6; } }\n"
    "{ object name patch; material standard; model { polyline open 0;"
    " p ( 4.3 , 0.1 , 0 ); p ( 5.6 , 0.1 , 0 ); p ( 5.6 , 1.7 , 0 ); p ( 4.3 , 1.7 , 0 ); } }\n"
    "{ object name rail; material standard; model { polyline open 1;"
    " p ( 0 , 0 , 0 ); p ( 0.4 , 0.3 , 1.7 ); p ( 0.9 , 0.3 , 3.2 ); } }\n"
    "{ object name graph; model { deformgraph size { object name g; model { polyline"
    " p ( 0 , 1.2 , 0 ); p ( 1 , 2.8 , 0 ); } } } }\n";

class PolylineDocument : public SceneDocument {
public:
  using SceneDocument::SceneDocument;

  CG_PolylineEditorModule& Module() { return dynamic_cast<CG_PolylineEditorModule&>(Object("polyline")); }
  // The special command chosen for the object, as request 39 runs it.
  int Special(const char* objectName, const char* command) {
    fakes.listShower.AnswerText(command);
    return editor->RunSpecialCommand(objectName);
  }
};

TEST(PolylineModule, CreatesAnOpenTwoPointPolylineAlongX) {
  ModuleDocument doc;
  // The Side view shows y and z: the new points differ in x only.
  doc.SetBox(1, {-5, -2, -1}, {7, 6.4, 2.6});
  doc.editor->activeView = 1;
  CG_ObjectEditorModule& module = doc.Object("polyline");

  doc.fakes.dialog.AnswerCancel();
  EXPECT_EQ(module.Create(*doc.editor), nullptr);
  doc.Answer({});
  std::unique_ptr<CG_GraphicObject> made = module.Create(*doc.editor);
  ASSERT_NE(made, nullptr);
  ASSERT_EQ(doc.fakes.dialog.calls.size(), 2u);
  EXPECT_EQ(doc.fakes.dialog.calls[1].title, "Creating polyline");
  EXPECT_EQ(doc.fakes.dialog.calls[1].tree, std::vector<std::string>{"Edit_obj name = obj000001"});
  EXPECT_STREQ(made->Keyword(), "polyline");
  std::ostringstream written;
  made->Write(written);
  EXPECT_NE(written.str().find("\tmaterial standard;\n"), std::string::npos) << written.str();
  ASSERT_EQ(made->ControlCount(), 2);
  EXPECT_EQ(made->GetOpen(), 1);
  Point3D a, b;
  made->GetControl(0, a);
  made->GetControl(1, b);
  // The centre of the box with x = 0; d the smaller quarter extent (z: 0.9).
  EXPECT_NEAR(a.x, 0, 1e-12);
  EXPECT_NEAR(a.y, 2.2, 1e-12);
  EXPECT_NEAR(a.z, 0.8, 1e-12);
  EXPECT_NEAR(b.x, 0.9, 1e-12);
  EXPECT_EQ(b.y, a.y);
  EXPECT_EQ(b.z, a.z);
  int ax = 0, ay = 0, bx = 1, by = 1;
  ASSERT_EQ(doc.editor->WorldToPixel(1, a, ax, ay), 1);
  ASSERT_EQ(doc.editor->WorldToPixel(1, b, bx, by), 1);
  EXPECT_EQ(std::make_pair(ax, ay), std::make_pair(bx, by));

  // Changed only through its control points.
  EXPECT_EQ(module.Modify(*doc.editor, *made, 0), nullptr);
  EXPECT_EQ(doc.fakes.dialog.calls.size(), 2u);
  Seq<charString> info;
  module.Info(info);
  ASSERT_EQ(info.Count(), 2u);
  EXPECT_STREQ(info[0].Text(), "curve");
  EXPECT_STREQ(info[1].Text(), "polyline");
  EXPECT_EQ(dynamic_cast<CG_PolylineEditorModule&>(module).MinControlCount(*made), 2);
}

TEST(PolylineModule, CloseAndOpen) {
  struct Case {
    int open, index, answer;
    const char* message;
    int openAfter;
  };
  const Case cases[] = {
      {1, 0, 1, nullptr, 0},
      {0, 0, 1, "Polyline already close.", 0},
      {0, 1, 1, nullptr, 1},
      {1, 1, 1, "Polyline already open.", 1},
      {0, 4, 0, nullptr, 0},
      {1, -1, 0, nullptr, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.open) + " " + std::to_string(c.index));
    ModuleDocument doc;
    auto& module = dynamic_cast<CG_PolylineEditorModule&>(doc.Object("polyline"));
    Seq<charString> names;
    EXPECT_EQ(module.SpecialNames(*doc.editor, names, *doc.editor->scene.GetObjects().First()), 1);
    ASSERT_EQ(names.Count(), 4u);
    EXPECT_STREQ(names[2].Text(), "rotation");
    CG_GraphicObjectCommData data;
    data.name = "line";
    CG_PolylineDescription description;
    description.points.SetSize(2);
    description.points[1] = Point3D{1.3, 0.4, 0};
    description.open = c.open;
    CG_Polyline polyline(data, description);
    CG_GraphicObject* object = &polyline;
    EXPECT_EQ(module.RunSpecial(*doc.editor, c.index, object, nullptr), c.answer);
    EXPECT_EQ(polyline.GetOpen(), c.openAfter);
    EXPECT_EQ(doc.fakes.system.messages,
              c.message != nullptr ? std::vector<std::string>{c.message} : std::vector<std::string>{});
  }
}

TEST(PolylineModule, RotationWritesTheMeshAndAddsABRepObject) {
  PolylineDocument doc(kArc);
  ASSERT_EQ(doc.loaded, 1);
  WriteFile(doc.dir / "bowl.br_", "stale hierarchy");
  doc.Answer({{"brep name", "bowl"}, {"ndiv", "4"}});
  EXPECT_EQ(doc.Special("obj000001", "rotation"), 1);
  // The proposal is never the polyline's own name.
  ASSERT_EQ(doc.fakes.dialog.calls.size(), 1u);
  EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Rotation");
  EXPECT_EQ(doc.fakes.dialog.calls[0].tree,
            (std::vector<std::string>{"Edit_obj brep name = obj000002", "Edit_obj ndiv = 15", "Edit_obj ang = 360.0"}));
  // z dropped, the ends on the axis.
  const Outline profile{{0, -1.2, 0}, {1.5, 0.3, 0}, {0, 1.7, 0}};
  EXPECT_EQ(ReadFile(doc.dir / "bowl.brp"),
            TextOf([&](std::ostream& os) { WriteRevolutionMesh(os, profile, true, 4, 360.0); }));
  EXPECT_FALSE(fs::exists(doc.dir / "bowl.br_"));
  CG_GraphicObject* bowl = doc.editor->scene.FindObject("bowl");
  ASSERT_NE(bowl, nullptr);
  EXPECT_STREQ(bowl->Keyword(), "brep");
  EXPECT_TRUE(doc.Shown("bowl"));
  EXPECT_TRUE(doc.Shown("obj000001"));
  EXPECT_EQ(doc.editor->modified, 1);
  EXPECT_TRUE(doc.fakes.system.messages.empty());
  EXPECT_TRUE(doc.fakes.winSupp.questions.empty());
}

TEST(PolylineModule, RotationRefusals) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> fields;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"the polyline's own name", {{"brep name", "obj000001"}}, {"Object 'obj000001' exist."}},
      {"a name that is no name", {{"brep name", "2bowl"}}, {"'2bowl' not a valid name\ncharacter '2' not valid."}},
      {"ndiv 0", {{"brep name", "bowl"}, {"ndiv", "0"}}, {"ndiv must be at least 1."}},
      {"ndiv without digits", {{"brep name", "bowl"}, {"ndiv", "abc"}}, {"ndiv must be at least 1."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PolylineDocument doc(kArc);
    const std::size_t before = doc.ObjectCount();
    doc.Answer(c.fields);
    EXPECT_EQ(doc.Special("obj000001", "rotation"), 0);
    EXPECT_EQ(doc.fakes.system.messages, c.messages);
    EXPECT_EQ(doc.ObjectCount(), before);
    EXPECT_TRUE(doc.Shown("obj000001"));
    EXPECT_TRUE(fs::is_empty(doc.dir.path()));
    EXPECT_EQ(doc.editor->modified, 0);
  }
}

// Only Yes replaces an existing mesh file; No and Cancel leave it.
TEST(PolylineModule, TheOverwriteQuestion) {
  struct Case {
    int answer;
    int result;
  };
  for (const Case& c : {Case{1, 1}, Case{0, 0}, Case{-1, 0}}) {
    SCOPED_TRACE(c.answer);
    PolylineDocument doc(kArc);
    WriteFile(doc.dir / "bowl.brp", "kept\n");
    doc.fakes.winSupp.askAnswers.push_back(c.answer);
    doc.Answer({{"brep name", "bowl"}});
    EXPECT_EQ(doc.Special("obj000001", "rotation"), c.result);
    EXPECT_EQ(doc.fakes.winSupp.questions,
              (std::vector<std::pair<std::string, std::string>>{{"File .brp exist.Delete it ?", "Warning"}}));
    EXPECT_EQ(ReadFile(doc.dir / "bowl.brp") == "kept\n", c.result == 0);
    EXPECT_EQ(doc.editor->scene.FindObject("bowl") != nullptr, c.result == 1);
  }
}

TEST(PolylineModule, AMeshFileThatCannotBeWrittenMakesNoObject) {
  PolylineDocument doc(kArc);
  fs::create_directory(doc.dir / "bowl.brp");
  doc.fakes.winSupp.askAnswers.push_back(1);
  doc.Answer({{"brep name", "bowl"}});
  EXPECT_EQ(doc.Special("obj000001", "rotation"), 0);
  EXPECT_EQ(doc.fakes.system.messages, std::vector<std::string>{"Cannot write bowl.brp"});
  EXPECT_EQ(doc.editor->scene.FindObject("bowl"), nullptr);
  EXPECT_TRUE(doc.Shown("obj000001"));
}

TEST(PolylineModule, ExtrusionOfAClosedOutline) {
  struct Case {
    const char* move;
    const char* secondRow;  // the first point moved along y
  };
  const Case cases[] = {{"1", "\t0.3 1 0.2\n"}, {"2.5", "\t0.3 2 0.2\n"}, {"abc", "\t0.3 0 0.2\n"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.move);
    PolylineDocument doc(
        "{ object name tile; material standard; model { polyline open 0;"
        " p ( 0.3 , 0.2 , 0.8 ); p ( 1.7 , 0.2 , 0.8 ); p ( 1.7 , 1.4 , 0.8 ); p ( 0.3 , 1.4 , 0.8 ); } }\n");
    doc.Answer({{"brep name", "slab"}, {"move", c.move}});
    EXPECT_EQ(doc.Special("tile", "sweep"), 1);
    EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Sweep");
    EXPECT_EQ(doc.fakes.dialog.calls[0].tree,
              (std::vector<std::string>{"Edit_obj brep name = obj000001", "Edit_obj move = 1"}));
    const std::string text = ReadFile(doc.dir / "slab.brp");
    EXPECT_TRUE(text.starts_with("{pbrep\n\tvertices\n8\n\t0.3 0 0.2\n")) << text;
    EXPECT_NE(text.find(std::string("\t0.3 0 1.4\n") + c.secondRow), std::string::npos) << text;
    EXPECT_TRUE(doc.Shown("slab"));
  }
}

TEST(PolylineModule, SweepNeedsAClosedOutline) {
  PolylineDocument doc(kArc);
  EXPECT_EQ(doc.Special("obj000001", "sweep"), 0);
  EXPECT_EQ(doc.fakes.system.messages, std::vector<std::string>{"Sweep only on close curve."});
  EXPECT_TRUE(doc.fakes.dialog.calls.empty());
}

TEST(PolylineModule, AnOutlineOnOneLineEndsBothCommandsSilently) {
  for (const char* command : {"rotation", "sweep"}) {
    SCOPED_TRACE(command);
    PolylineDocument doc(
        "{ object name stick; material standard; model { polyline open 0;"
        " p ( 0.3 , 0.7 , 0 ); p ( 1.1 , 0.7 , 0 ); p ( 2.9 , 0.7 , 0 ); } }\n");
    EXPECT_EQ(doc.Special("stick", command), 0);
    EXPECT_TRUE(doc.fakes.dialog.calls.empty());
    EXPECT_TRUE(doc.fakes.system.messages.empty());
    EXPECT_TRUE(fs::is_empty(doc.dir.path()));
  }
}

TEST(PolylineModule, TheCollectionTakesItemsAndObjectsAsSeparateEntries) {
  PolylineDocument doc(kSweepScene);
  CG_PolylineEditorModule& module = doc.Module();
  CG_GraphicObject* rim = doc.editor->scene.FindObject("rim");
  CG_SceneEditorItem* item = doc.editor->FindItem(rim);
  Transformation m;
  TranslationTransformation(m, 0.5, 1.5, 2.5);

  std::unique_ptr<CG_MOAStatus> status = module.NewMOAStatus(*doc.editor);
  EXPECT_EQ(module.MOAAdd(*doc.editor, item, rim, status.get(), &m), status.get());
  EXPECT_EQ(module.MOAAdd(*doc.editor, nullptr, rim, status.get(), nullptr), status.get());
  const auto& entries = dynamic_cast<CG_MOAPolylineStatus&>(*status).entries;
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].item, item);
  EXPECT_EQ(entries[0].object, nullptr);
  EXPECT_EQ(entries[0].hasTransformation, 1);
  EXPECT_EQ(entries[0].transformation[1][3], 1.5);
  EXPECT_EQ(entries[1].item, nullptr);
  EXPECT_EQ(entries[1].object, rim);
  EXPECT_EQ(entries[1].hasTransformation, 1);
  EXPECT_EQ(entries[2].hasTransformation, 0);

  // A status of another type is left alone.
  class OtherStatus : public CG_MOAPolylineStatus {
  public:
    OtherStatus() : CG_MOAPolylineStatus(nullptr) {}
  } other;
  EXPECT_EQ(module.MOAAdd(*doc.editor, item, rim, &other, &m), &other);
  EXPECT_TRUE(other.entries.empty());
  Seq<charString> names(3);
  EXPECT_EQ(module.MOAName(names), 1);
  ASSERT_EQ(names.Count(), 1u);
  EXPECT_STREQ(names[0].Text(), "Sweep");
}

// The collected squares, each added with a transformation that is not applied.
std::unique_ptr<CG_MOAStatus> CollectSquares(PolylineDocument& doc) {
  CG_PolylineEditorModule& module = doc.Module();
  std::unique_ptr<CG_MOAStatus> status = module.NewMOAStatus(*doc.editor);
  Transformation far;
  TranslationTransformation(far, 40, 40, 40);
  for (const char* name : {"rim", "patch"}) {
    module.MOAAdd(*doc.editor, nullptr, doc.editor->scene.FindObject(name), status.get(), &far);
  }
  return status;
}

TEST(PolylineModule, SweepingTwoSquaresWithoutPathMakesTwoPrisms) {
  PolylineDocument doc(kSweepScene);
  ASSERT_EQ(doc.loaded, 1);
  std::unique_ptr<CG_MOAStatus> status = CollectSquares(doc);
  // With its flag set the action does nothing.
  EXPECT_EQ(doc.Module().SweepAlongPath(*status, 1), 1);
  EXPECT_TRUE(doc.fakes.dialog.calls.empty());

  WriteFile(doc.dir / "swp000001_1.br_", "stale hierarchy");
  doc.Answer({});
  EXPECT_EQ(doc.Module().MOARun(*status, 0), 1);
  ASSERT_EQ(doc.fakes.dialog.calls.size(), 1u);
  EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Sweep");
  EXPECT_EQ(doc.fakes.dialog.calls[0].tree,
            (std::vector<std::string>{"Edit_obj brep name = swp000001", "ListBox_obj Path =  [|rim|patch|rail]",
                                      "ListBox_obj Control =  [|graph]"}));
  for (const char* name : {"swp000001_0", "swp000001_1"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(doc.Shown(name));
    const std::string text = ReadFile(doc.dir / (std::string(name) + ".brp"));
    // Untransformed squares at z 0 and z 1.
    EXPECT_EQ(text.find("40"), std::string::npos) << text;
    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_GT(lines.size(), 11u);
    EXPECT_EQ(lines[2], "8");
    for (int i = 0; i < 8; ++i) EXPECT_TRUE(lines[3 + i].ends_with(i < 4 ? " 0" : " 1")) << lines[3 + i];
  }
  EXPECT_FALSE(fs::exists(doc.dir / "swp000001_1.br_"));
  EXPECT_TRUE(doc.fakes.system.messages.empty());
}

TEST(PolylineModule, SweepAlongAChosenPathScaledByAGraph) {
  PolylineDocument doc(kSweepScene);
  std::unique_ptr<CG_MOAStatus> status = CollectSquares(doc);
  doc.Answer({{"brep name", "duct"}, {"Path", "rail"}, {"Control", "graph"}});
  EXPECT_EQ(doc.Module().MOARun(*status, 0), 1);
  const std::vector<std::string> lines = SplitLines(ReadFile(doc.dir / "duct_0.brp"));
  ASSERT_GT(lines.size(), 3u);
  EXPECT_EQ(lines[2], "12");  // three path points, four points each
  EXPECT_TRUE(doc.Shown("duct_1"));
}

TEST(PolylineModule, SweepRefusals) {
  struct Case {
    const char* what;
    bool collect;
    std::string extra;  // objects added to the scene
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"nothing collected", false, "", {"Some problems"}},
      {"an output name taken", true,
       "{ object name cut_1; material standard; model { sphere center ( 0 , 0 , 4 ); radius 1; div 6; } }\n",
       {"Object 'cut_1' exist.", "Some problems"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PolylineDocument doc(kSweepScene + c.extra);
    std::unique_ptr<CG_MOAStatus> status =
        c.collect ? CollectSquares(doc) : doc.Module().NewMOAStatus(*doc.editor);
    const std::size_t before = doc.ObjectCount();
    doc.Answer({{"brep name", "cut"}});
    EXPECT_EQ(doc.Module().MOARun(*status, 0), 0);
    EXPECT_EQ(doc.fakes.system.messages, c.messages);
    EXPECT_EQ(doc.ObjectCount(), before);
    EXPECT_TRUE(fs::is_empty(doc.dir.path()));
  }
}

}  // namespace
}  // namespace zavo::test
