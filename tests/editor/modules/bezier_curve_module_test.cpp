// The Bezier curve module: creation in the current view and the surface of
// revolution that "rotation" writes to <name>.bzr and adds as a bezier object.

#include "editor/modules/bezier_curve_module.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "curve_document.h"
#include "editor/modules/bezier_revolution.h"
#include "models/curved/bezier.h"
#include "models/curved/bezier_curve.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

// The open profile of a vase: turned about z it gives a closed surface.
const char kVase[] =
    "{ object name vase_profile; material standard; model { beziercurve open 1; div 5; ncontrol 4;"
    " control { ( 1 , 0 , 0 ) , 1; ( 2 , 1 , 0 ) , 1; ( 2 , 2 , 0 ) , 1; ( 1 , 3 , 0 ) , 1; } } }\n";

std::string Curve(const char* name, int open, const std::vector<Point3D>& points) {
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text << "{ object name " << name << "; material standard; model { beziercurve open " << open
       << "; div 5; ncontrol " << points.size() << "; control {";
  for (const Point3D& p : points) text << " ( " << p.x << " , " << p.y << " , " << p.z << " ) , 1;";
  text << " } } }\n";
  return text.str();
}

std::string RevolutionText(const std::vector<Point3D>& profile) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  WriteRevolutionFile(os, profile);
  return os.str();
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

std::vector<Point3D> ControlsOf(const CG_GraphicObject& object) {
  std::vector<Point3D> points(static_cast<std::size_t>(object.ControlCount()));
  for (int i = 0; i < object.ControlCount(); ++i) object.GetControl(i, points[static_cast<std::size_t>(i)]);
  return points;
}

TEST(BezierCurveModule, CreatesFourPointsAlongXFromTheViewCentre) {
  struct Case {
    const char* what;
    int view;
    int click;
    std::vector<Point3D> points;
  };
  const Case cases[] = {
      {"Top view", 0, 0, {{0, 0, 0}, {0.625, 0, 0}, {1.25, 0, 0}, {1.875, 0, 0}}},
      {"a pending click is not used", 0, 1, {{0, 0, 0}, {0.625, 0, 0}, {1.25, 0, 0}, {1.875, 0, 0}}},
      // y -2..6, z -1..3: L = 1; x, hidden, is 0, so the view shows one point.
      {"side view", 1, 0, {{0, 2, 1}, {0.25, 2, 1}, {0.5, 2, 1}, {0.75, 2, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CurveDocument doc;
    doc.SetBox(1, {-7.3, -2, -1}, {7.3, 6, 3});
    doc.editor->activeView = c.view;
    doc.editor->creationClick = c.click;
    doc.editor->creationX = 150;
    doc.editor->creationY = 30;
    doc.Answer({{"name", "spout"}});
    std::unique_ptr<CG_GraphicObject> made = doc.Object("beziercurve").Create(*doc.editor);
    ASSERT_EQ(doc.fakes.dialog.calls.size(), 1u);
    EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Creating beziercurve");
    EXPECT_EQ(doc.fakes.dialog.calls[0].tree, std::vector<std::string>{"Edit_obj name = obj000001"});
    auto* curve = dynamic_cast<CG_BezierCurve*>(made.get());
    ASSERT_NE(curve, nullptr);
    EXPECT_STREQ(curve->name.Text(), "spout");
    CG_BezierCurveDescription d;
    curve->GetDescription(d);
    EXPECT_EQ(ControlsOf(*curve), c.points);
    ASSERT_EQ(d.tags.Count(), 4u);
    for (std::uint32_t i = 0; i < 4; ++i) EXPECT_EQ(d.tags[i], 1);
    EXPECT_EQ(d.div, 5);
    EXPECT_EQ(d.open, 1);
  }
}

TEST(BezierCurveModule, ItsAnswers) {
  CurveDocument doc(kVase);
  CG_ObjectEditorModule& module = doc.Object("beziercurve");
  CG_GraphicObject& curve = *doc.editor->scene.FindObject("vase_profile");
  EXPECT_EQ(module.Modify(*doc.editor, curve, 0), nullptr);
  EXPECT_TRUE(doc.fakes.dialog.calls.empty());
  Seq<charString> names;
  EXPECT_EQ(module.SpecialNames(*doc.editor, names, curve), 1);
  ASSERT_EQ(names.Count(), 1u);
  EXPECT_STREQ(names[0].Text(), "rotation");
  module.Info(names);
  ASSERT_EQ(names.Count(), 2u);
  EXPECT_STREQ(names[0].Text(), "curve");
  EXPECT_STREQ(names[1].Text(), "beziercurve");
  EXPECT_EQ(dynamic_cast<CG_GenericCurveEditorModule&>(module).MinControlCount(curve), 4);
  // The sweep and Coons commands are not built.
  CG_GraphicObject* object = &curve;
  EXPECT_EQ(module.RunSpecial(*doc.editor, 1, object, nullptr), 0);
  EXPECT_EQ(module.RunSpecial(*doc.editor, 2, object, nullptr), 0);
}

TEST(BezierCurveModule, TheVaseTurnedAboutZ) {
  CurveDocument doc(kVase);
  ASSERT_EQ(doc.loaded, 1);
  doc.Answer({{"bezier name", "vase"}});
  EXPECT_EQ(doc.Special("vase_profile", "rotation"), 1);
  ASSERT_EQ(doc.fakes.dialog.calls.size(), 1u);
  EXPECT_EQ(doc.fakes.dialog.calls[0].title, "Rotation");
  // The proposal is never the curve's own name.
  EXPECT_EQ(doc.fakes.dialog.calls[0].tree, std::vector<std::string>{"Edit_obj bezier name = obj000001"});
  EXPECT_EQ(ReadFile(doc.dir / "vase.bzr"), ReadFile(DataPath("editor/vase_revolution.bzr")));
  auto* vase = dynamic_cast<GBezier*>(doc.editor->scene.FindObject("vase"));
  ASSERT_NE(vase, nullptr);
  EXPECT_EQ(vase->Embedded(), 0);
  EXPECT_STREQ(vase->ModelPath(), "vase");
  EXPECT_EQ(CountOf(vase->Patches()), 4u);
  const CG_NamedMaterial* material = MaterialOf(*vase);
  ASSERT_NE(material, nullptr);
  EXPECT_STREQ(material->name.Text(), "standard");
  EXPECT_TRUE(doc.Shown("vase"));
  EXPECT_TRUE(doc.Shown("vase_profile"));
  EXPECT_EQ(doc.editor->modified, 1);
  EXPECT_TRUE(doc.fakes.system.messages.empty());
  EXPECT_TRUE(doc.fakes.winSupp.questions.empty());
}

// The profile (x, 0, y) of the points, through the wrapper, cut into
// complete cubic segments, its two ends put on the axis.
TEST(BezierCurveModule, RotationProfiles) {
  struct Case {
    const char* what;
    std::string scene;
    std::vector<Point3D> profile;
    std::size_t patches;
  };
  const std::vector<Point3D> seven{{0.7, 0.2, 0}, {1.9, 0.6, 0}, {2.3, 1.4, 0}, {1.6, 2.1, 0},
                                   {0.9, 2.8, 0}, {1.3, 3.6, 0}, {0.4, 4.3, 0}};
  const Case cases[] = {
      {"a wrapper moves the points first",
       "{ object name lifted; material standard; model { transf t ( 0.5 , 1 , 0 );\n" +
           Curve("vase_profile", 1, {{0.5, -1, 0.3}, {1.5, 0, 0.3}, {1.5, 1, 0.3}, {0.5, 2, 0.3}}) + "} }\n",
       {{0, 0, 0}, {2, 0, 1}, {2, 0, 2}, {0, 0, 3}}, 4},
      {"seven points: point 3 ends one segment and begins the next", Curve("vase_profile", 1, seven),
       {{0, 0, 0.2}, {1.9, 0, 0.6}, {2.3, 0, 1.4}, {1.6, 0, 2.1}, {0.9, 0, 2.8}, {1.3, 0, 3.6}, {0, 0, 4.3}}, 8},
      {"six points: the incomplete segment is left out",
       Curve("vase_profile", 1, {seven.begin(), seven.begin() + 6}),
       {{0, 0, 0.2}, {1.9, 0, 0.6}, {2.3, 0, 1.4}, {1.6, 0, 2.1}}, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CurveDocument doc(c.scene);
    ASSERT_EQ(doc.loaded, 1);
    const char* target = doc.editor->scene.FindObject("lifted") != nullptr ? "lifted" : "vase_profile";
    doc.Answer({{"bezier name", "vase"}});
    EXPECT_EQ(doc.Special(target, "rotation"), 1);
    const std::string text = ReadFile(doc.dir / "vase.bzr");
    EXPECT_EQ(text, RevolutionText(c.profile));
    EXPECT_EQ(Count(text, "\t{ patch\n"), c.patches);
    ASSERT_NE(doc.editor->scene.FindObject("vase"), nullptr);
  }
  // The wrapped vase is the vase itself.
  EXPECT_EQ(RevolutionText({{0, 0, 0}, {2, 0, 1}, {2, 0, 2}, {0, 0, 3}}),
            ReadFile(DataPath("editor/vase_revolution.bzr")));
}

TEST(BezierCurveModule, RotationRefusals) {
  struct Case {
    const char* what;
    std::string scene;
    bool cancel;
    std::string name;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"Cancel", kVase, true, "", {}},
      {"the curve's own name", kVase, false, "vase_profile", {"Object 'vase_profile' exist."}},
      {"a name that is no name", kVase, false, "2vase", {"'2vase' not a valid name\ncharacter '2' not valid."}},
      {"a closed curve", Curve("vase_profile", 0, {{1, 0, 0}, {2, 1, 0}, {2, 2, 0}, {1, 3, 0}}), false, "vase", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CurveDocument doc(c.scene);
    const std::size_t before = doc.ObjectCount();
    if (c.cancel) {
      doc.fakes.dialog.AnswerCancel();
    } else {
      doc.Answer({{"bezier name", c.name}});
    }
    EXPECT_EQ(doc.Special("vase_profile", "rotation"), 0);
    EXPECT_EQ(doc.fakes.system.messages, c.messages);
    EXPECT_EQ(doc.ObjectCount(), before);
    EXPECT_TRUE(doc.Shown("vase_profile"));
    EXPECT_FALSE(fs::exists(doc.dir / (c.name + ".bzr")));
    EXPECT_EQ(doc.editor->modified, 0);
  }
}

// Only Yes replaces an existing model file; No and Cancel leave it.
TEST(BezierCurveModule, TheOverwriteQuestion) {
  struct Case {
    int answer;
    int result;
  };
  for (const Case& c : {Case{1, 1}, Case{0, 0}, Case{-1, 0}}) {
    SCOPED_TRACE(c.answer);
    CurveDocument doc(kVase);
    WriteFile(doc.dir / "vase.bzr", "kept\n");
    doc.fakes.winSupp.askAnswers.push_back(c.answer);
    doc.Answer({{"bezier name", "vase"}});
    EXPECT_EQ(doc.Special("vase_profile", "rotation"), c.result);
    EXPECT_EQ(doc.fakes.winSupp.questions,
              (std::vector<std::pair<std::string, std::string>>{{"File .bzr exist.Delete it ?", "Warning"}}));
    EXPECT_EQ(ReadFile(doc.dir / "vase.bzr") == "kept\n", c.result == 0);
    EXPECT_EQ(doc.editor->scene.FindObject("vase") != nullptr, c.result == 1);
  }
}

// The mesh cache of an older model of that name goes; a mesh file that is
// no cache of a bezier model stays.
TEST(BezierCurveModule, RotationDropsTheOlderModelsCache) {
  struct Case {
    const char* what;
    std::string mesh;
    bool kept;
  };
  const Case cases[] = {
      {"an older cache", std::string(BezierModelTraits::kMarker) + "\n// from model 1234 div 6 hierarchy auto 0\n",
       false},
      {"a mesh of the user's", "{ pbrep\nvertices 0\nfaces 0\n}\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CurveDocument doc(kVase);
    WriteFile(doc.dir / "vase.bzr", "{ bezier\n}\n.\n");
    WriteFile(doc.dir / "vase.brp", c.mesh);
    WriteFile(doc.dir / "vase.br_", "older hierarchy\n");
    doc.fakes.winSupp.askAnswers.push_back(1);
    doc.Answer({{"bezier name", "vase"}});
    EXPECT_EQ(doc.Special("vase_profile", "rotation"), 1);
    EXPECT_EQ(ReadFile(doc.dir / "vase.brp") == c.mesh, c.kept);
    EXPECT_EQ(fs::exists(doc.dir / "vase.br_") && ReadFile(doc.dir / "vase.br_") == "older hierarchy\n", c.kept);
    auto* vase = dynamic_cast<GBezier*>(doc.editor->scene.FindObject("vase"));
    ASSERT_NE(vase, nullptr);
    EXPECT_EQ(CountOf(vase->Patches()), 4u);
  }
}

TEST(BezierCurveModule, AModelFileThatCannotBeWrittenMakesNoObject) {
  CurveDocument doc(kVase);
  fs::create_directory(doc.dir / "vase.bzr");
  doc.fakes.winSupp.askAnswers.push_back(1);
  doc.Answer({{"bezier name", "vase"}});
  EXPECT_EQ(doc.Special("vase_profile", "rotation"), 0);
  EXPECT_EQ(doc.fakes.system.messages, std::vector<std::string>{"Cannot write vase.bzr"});
  EXPECT_EQ(doc.editor->scene.FindObject("vase"), nullptr);
  EXPECT_TRUE(doc.Shown("vase_profile"));
}

}  // namespace
}  // namespace zavo::test
