// The lamp commands (requests 10, 11, 12, 28, 40, 41, 42, 43) on a document
// with the program's lamp modules, and with a scripted lamp module where a
// module's answer decides the outcome.

#include <gtest/gtest.h>

#include <locale>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "editor/graphic_editor.h"
#include "models/core/point_lamp.h"
#include "models/core/transf_lamp.h"
#include "module_fixture.h"

namespace zavo::test {
namespace {

std::unique_ptr<GPointLamp> PointLamp(const char* name, const Point3D& at) {
  CG_PointLampDescription d;
  d.pos = at;
  d.color = Point3D{1, 1, 1};
  return std::make_unique<GPointLamp>(name, nullptr, d);
}

// l1 and l2 plain point lamps; w1 a point lamp "inner" at (0, 0, 5) already
// turned about its position.
void AddStartLamps(CG_GraphicScene& scene) {
  scene.AddLight(PointLamp("l1", {1, 2, 3}));
  scene.AddLight(PointLamp("l2", {0, 0, 5}));
  CG_TransfLampDescription d;
  d.steps.Append(new lt_Data(kStepTranslate, 0, 0, -5));
  d.steps.Append(new lt_Data(kStepRotate, 0, 0, 1.5));
  d.steps.Append(new lt_Data(kStepTranslate, 0, 0, 5));
  d.lamp = PointLamp("inner", {0, 0, 5}).release();
  d.ownsLamp = 1;
  scene.AddLight(std::make_unique<GTransfLamp>("w1", nullptr, d));
}

constexpr const char* kL1 = "l1 pointlamp ( 1 , 2 , 3 )";
constexpr const char* kL2 = "l2 pointlamp ( 0 , 0 , 5 )";
constexpr const char* kW1 = "w1 transf [t 0 0 -5, r 0 0 1.5, t 0 0 5] inner pointlamp ( 0 , 0 , 5 )";

std::string Join(const std::vector<std::string>& parts, const char* separator) {
  std::string out;
  for (const std::string& part : parts) out += (out.empty() ? "" : separator) + part;
  return out;
}

// "name keyword ( x , y , z )"; a transform lamp with its steps and inner lamp.
std::string Describe(CG_LightSource& lamp) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os << (lamp.name.Text() != nullptr ? lamp.name.Text() : "") << " "
     << (lamp.Keyword() != nullptr ? lamp.Keyword() : "(none)");
  if (auto* wrapper = dynamic_cast<GTransfLamp*>(&lamp)) {
    CG_TransfLampDescription d;
    wrapper->GetTransformList(d);
    std::vector<std::string> steps;
    for (const lt_Data& step : d.steps) {
      std::ostringstream s;
      s.imbue(std::locale::classic());
      s << StepKeyword(step.kind) << " " << step.v[0] << " " << step.v[1] << " " << step.v[2];
      steps.push_back(s.str());
    }
    os << " [" << Join(steps, ", ") << "] " << (d.lamp != nullptr ? Describe(*d.lamp) : "(empty)");
    wrapper->SetTransformList(d);
  } else if (lamp.Keyword() != nullptr) {
    const Point3D p = lamp.Position();
    os << " ( " << p.x << " , " << p.y << " , " << p.z << " )";
  }
  return os.str();
}

// A lamp module with two special commands, "shrink" and "grow". "grow" puts
// a new point lamp of the same name at (9, 9, 9) in place of the lamp and
// answers result; "shrink" answers 1 and changes nothing. Modify answers a
// new point lamp named modifyName at (9, 9, 9), or null without a name.
class ScriptedLampModule : public FakeLampModule {
public:
  ScriptedLampModule() : FakeLampModule("ScriptedLampModule") {}
  CG_LightSource* Modify(CG_GraphicEditor&, CG_LightSource&) override {
    return modifyName.empty() ? nullptr : Made(modifyName.c_str()).release();
  }
  int SpecialNames(CG_GraphicEditor&, Seq<charString>& names, CG_LightSource&) override {
    names.SetSize(2);
    names[0] = "shrink";
    names[1] = "grow";
    return 2;
  }
  int RunSpecial(CG_GraphicEditor&, int index, CG_LightSource*& lamp) override {
    if (index != 1) return 1;
    lamp = Made(lamp->name.Text()).release();
    return result;
  }

  static std::unique_ptr<GPointLamp> Made(const char* name) { return PointLamp(name, {9, 9, 9}); }

  std::string modifyName;
  int result = 0;
};

// A lamp that no module edits: it has no keyword.
class BareLamp : public CG_LightSource {
public:
  explicit BareLamp(const char* lampName) : CG_LightSource(lampName) {}
  void Write(std::ostream&) const override {}
};

// The document of the lamp cases: the lamps of kLamps, no undo snapshots.
class LampDocument : public ModuleDocument {
public:
  LampDocument() {
    editor->options.UseUndo = 0;
    AddStartLamps(editor->scene);
  }

  // The scripted module after the program's, so that the lamp commands,
  // which take the last module of a keyword, find it for point lamps.
  ScriptedLampModule& AddScriptedModule() {
    auto* module = new ScriptedLampModule;
    module->keyword = "pointlamp";
    editor->lampModules.Append(module);
    return *module;
  }

  std::string Lamps() {
    std::vector<std::string> out;
    for (CG_LightSource& lamp : editor->scene.GetLights()) out.push_back(Describe(lamp));
    return Join(out, " | ");
  }

  // What the user saw: each chooser with its entries, each multi-field
  // editor with its fields, each dialog with its controls, each message.
  std::string Shown() const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < fakes.listShower.titles.size(); ++i) {
      out.push_back(fakes.listShower.titles[i] + ": " + Join(fakes.listShower.shown[i], " "));
    }
    for (const FakeMultiEdit::Call& call : fakes.multiEdit.calls) {
      std::vector<std::string> fields;
      for (std::size_t i = 0; i < call.labels.size(); ++i) fields.push_back(call.labels[i] + "=" + call.texts[i]);
      out.push_back(call.title + ": " + Join(fields, " "));
    }
    for (const FakeDialog::Call& call : fakes.dialog.calls) out.push_back(call.title + ": " + Join(call.tree, "; "));
    for (const std::string& message : fakes.system.messages) out.push_back("message " + message);
    return Join(out, " / ");
  }
};

enum class Setup { kProgramModules, kModifyGivesL1, kModifyGivesL2, kSpecialDone, kSpecialRefused, kBareLamp,
                   kEmptyWrapper };

struct LampCase {
  const char* what;
  Setup setup;
  int request;
  std::vector<std::string> choices;  // chooser answers; "" cancels
  std::vector<std::string> fields;   // the multi-field editor's answer; none: cancel
  std::vector<std::pair<std::string, std::string>> dialog;  // OK with these values; none: cancel
  int answer;
  int modified;  // the document marked modified
  std::string lamps;
  std::string shown;
};

std::string List(std::initializer_list<std::string> lamps) { return Join(lamps, " | "); }

TEST(LampCommands, Table) {
  const std::string kStart = List({kL1, kL2, kW1});
  const std::string kChooseL = ": l1 l2 w1";
  const std::string kTypes = "Select a lamp type: pointlamp conelamp";
  const std::string kRotate = "Select lamp to rotate" + kChooseL;
  const std::string kModify = "Select a lamp to modify" + kChooseL;
  const std::string kNameL1 = "Change common data: Edit_obj name = l1";
  const std::string kPointDialog = "Modifing pointlamp: Edit_obj center = ( 1 , 2 , 3 ); Color_obj color = 1 1 1";
  const std::string kXyz = ": x= y= z=";
  const std::string kEmpty = "empty transf [] (empty)";

  const LampCase cases[] = {
      // New lamp.
      {"new point lamp", Setup::kProgramModules, 10, {"pointlamp"}, {}, {{"name", "l3"}}, 1, 1,
       List({kL1, kL2, kW1, "l3 pointlamp ( 0 , 0 , 0 )"}),
       kTypes + " / Creating pointlamp: Edit_obj name = lmp000001"},
      {"new lamp, no type chosen", Setup::kProgramModules, 10, {""}, {}, {}, 0, 0, kStart, kTypes},
      {"new lamp named like another", Setup::kProgramModules, 10, {"pointlamp"}, {}, {{"name", "l1"}}, 0, 0, kStart,
       kTypes + " / Creating pointlamp: Edit_obj name = lmp000001 / message Lamp 'l1' exist."},

      // Rotate, translate, scale.
      {"first rotation wraps the lamp at its position, radians as typed", Setup::kProgramModules, 41, {"l1"},
       {"0", "0", "1.5"}, {}, 1, 1,
       List({kL2, kW1, "l1 transf [t -1 -2 -3, r 0 0 1.5, t 1 2 3] l1 pointlamp ( 1 , 2 , 3 )"}),
       kRotate + " / Rotate" + kXyz},
      {"second rotation goes just before translate(p)", Setup::kProgramModules, 41, {"w1"}, {"1", "", ""}, {}, 1, 1,
       List({kL1, kL2, "w1 transf [t 0 0 -5, r 0 0 1.5, r 1 0 0, t 0 0 5] inner pointlamp ( 0 , 0 , 5 )"}),
       kRotate + " / Rotate" + kXyz},
      {"translation is appended", Setup::kProgramModules, 43, {"w1"}, {"0", "1", ""}, {}, 1, 1,
       List({kL1, kL2, "w1 transf [t 0 0 -5, r 0 0 1.5, t 0 0 5, t 0 1 0] inner pointlamp ( 0 , 0 , 5 )"}),
       "Select lamp to translate" + kChooseL + " / Translate" + kXyz},
      {"scale factors 0 and empty become 1", Setup::kProgramModules, 42, {"l2"}, {"", "2", "0"}, {}, 1, 1,
       List({kL1, kW1, "l2 transf [t 0 0 -5, s 1 2 1, t 0 0 5] l2 pointlamp ( 0 , 0 , 5 )"}),
       "Select lamp to scale" + kChooseL + " / Scale" + kXyz},
      {"rotation, no lamp chosen", Setup::kProgramModules, 41, {""}, {}, {}, 0, 0, kStart, kRotate},
      {"rotation, values cancelled", Setup::kProgramModules, 41, {"l1"}, {}, {}, 0, 0, kStart,
       kRotate + " / Rotate" + kXyz},

      // Common data.
      {"rename to another lamp's name", Setup::kProgramModules, 28, {"l1"}, {}, {{"name", "l2"}}, 0, 0, kStart,
       kModify + " / " + kNameL1 + " / message Exist a lamp with same name"},
      {"rename to its own name", Setup::kProgramModules, 28, {"l1"}, {}, {{"name", "l1"}}, 1, 1, kStart,
       kModify + " / " + kNameL1},
      {"rename a wrapped lamp: inner lamp and wrapper", Setup::kProgramModules, 28, {"w1"}, {}, {{"name", "w2"}}, 1,
       1, List({kL1, kL2, "w2 transf [t 0 0 -5, r 0 0 1.5, t 0 0 5] w2 pointlamp ( 0 , 0 , 5 )"}),
       kModify + " / Change common data: Edit_obj name = inner"},
      {"rename a wrapped lamp to the wrapper's name", Setup::kProgramModules, 28, {"w1"}, {}, {{"name", "w1"}}, 1,
       1, List({kL1, kL2, "w1 transf [t 0 0 -5, r 0 0 1.5, t 0 0 5] w1 pointlamp ( 0 , 0 , 5 )"}),
       kModify + " / Change common data: Edit_obj name = inner"},
      {"rename to a name that is no name", Setup::kProgramModules, 28, {"l1"}, {}, {{"name", "9a"}}, 0, 0, kStart,
       kModify + " / " + kNameL1 + " / message '9a' not a valid name\ncharacter '9' not valid."},
      {"rename, dialog cancelled", Setup::kProgramModules, 28, {"l1"}, {}, {}, 0, 0, kStart,
       kModify + " / " + kNameL1},
      {"rename, no lamp chosen answers 1", Setup::kProgramModules, 28, {""}, {}, {}, 1, 0, kStart, kModify},

      // Delete.
      {"delete", Setup::kProgramModules, 11, {"l2"}, {}, {}, 1, 1, List({kL1, kW1}),
       "Select a lamp to delete" + kChooseL},
      {"delete a name no lamp has answers 1", Setup::kProgramModules, 11, {"l9"}, {}, {}, 1, 0, kStart,
       "Select a lamp to delete" + kChooseL},
      {"delete, no lamp chosen", Setup::kProgramModules, 11, {""}, {}, {}, 0, 0, kStart,
       "Select a lamp to delete" + kChooseL},

      // Modify: the lamp leaves the list for its module and comes back at the end.
      {"modify with the point lamp module", Setup::kProgramModules, 12, {"l1"}, {}, {{"center", "( 4 , 5 , 6 )"}}, 1,
       1, List({kL2, kW1, "l1 pointlamp ( 4 , 5 , 6 )"}), kModify + " / " + kPointDialog},
      {"modify a wrapped lamp: its inner lamp", Setup::kProgramModules, 12, {"w1"}, {},
       {{"center", "( 0 , 0 , 7 )"}}, 1, 1,
       List({kL1, kL2, "w1 transf [t 0 0 -5, r 0 0 1.5, t 0 0 5] inner pointlamp ( 0 , 0 , 7 )"}),
       kModify + " / Modifing pointlamp: Edit_obj center = ( 0 , 0 , 5 ); Color_obj color = 1 1 1"},
      {"modify, dialog cancelled", Setup::kProgramModules, 12, {"l1"}, {}, {}, 0, 0, List({kL2, kW1, kL1}),
       kModify + " / " + kPointDialog},
      {"modify answering a new lamp", Setup::kModifyGivesL1, 12, {"l1"}, {}, {}, 1, 1,
       List({kL2, kW1, "l1 pointlamp ( 9 , 9 , 9 )"}), kModify},
      {"modify answering a new lamp with another lamp's name", Setup::kModifyGivesL2, 12, {"l1"}, {}, {}, 0, 0,
       List({kL2, kW1, kL1}), kModify},
      {"modify a wrapped lamp answering a new lamp", Setup::kModifyGivesL1, 12, {"w1"}, {}, {}, 1, 1,
       List({kL1, kL2, "w1 transf [t 0 0 -5, r 0 0 1.5, t 0 0 5] l1 pointlamp ( 9 , 9 , 9 )"}), kModify},
      {"modify a lamp without keyword", Setup::kBareLamp, 12, {"bare"}, {}, {}, 0, 0,
       List({kL1, kL2, kW1, "bare (none)"}), kModify + " bare / message cannot get module name."},

      // Special commands.
      {"special with the program's lamp modules", Setup::kProgramModules, 40, {"l1"}, {}, {}, 0, 0, kStart, kModify},
      {"special of a wrapped lamp with the program's modules", Setup::kProgramModules, 40, {"w1"}, {}, {}, 0, 0,
       kStart, kModify},
      {"special answering 0 keeps the new lamp", Setup::kSpecialDone, 40, {"l1", "grow"}, {}, {}, 1, 1,
       List({kL2, kW1, "l1 pointlamp ( 9 , 9 , 9 )"}), kModify + " / Specific Menu: shrink grow"},
      {"special of a wrapped lamp reaches the inner lamp", Setup::kSpecialDone, 40, {"w1", "grow"}, {}, {}, 1, 1,
       List({kL1, kL2, "w1 transf [t 0 0 -5, r 0 0 1.5, t 0 0 5] inner pointlamp ( 9 , 9 , 9 )"}),
       kModify + " / Specific Menu: shrink grow"},
      {"special answering 1 puts the lamp back unchanged", Setup::kSpecialRefused, 40, {"l1", "grow"}, {}, {}, 0, 0,
       List({kL2, kW1, kL1}), kModify + " / Specific Menu: shrink grow"},
      {"special, no command chosen", Setup::kSpecialDone, 40, {"l1", ""}, {}, {}, 0, 0, kStart,
       kModify + " / Specific Menu: shrink grow"},
      {"special of a lamp without keyword", Setup::kBareLamp, 40, {"bare"}, {}, {}, 0, 0,
       List({kL1, kL2, kW1, "bare (none)"}), kModify + " bare / message cannot get module name."},

      // A transform lamp that has lost its inner lamp.
      {"rename an empty transform lamp", Setup::kEmptyWrapper, 28, {"empty"}, {}, {}, 0, 0,
       List({kL1, kL2, kW1, kEmpty}), kModify + " empty / message Cannot change lamp.\nGTranf has not the object"},
      {"modify an empty transform lamp", Setup::kEmptyWrapper, 12, {"empty"}, {}, {}, 0, 0,
       List({kL1, kL2, kW1, kEmpty}),
       kModify + " empty / message Cannot change object.\nGTranf has not the object"},
      {"special of an empty transform lamp", Setup::kEmptyWrapper, 40, {"empty"}, {}, {}, 0, 0,
       List({kL1, kL2, kW1, kEmpty}),
       kModify + " empty / message Cannot change object.\nGTranf has not the object"},
  };

  for (const LampCase& c : cases) {
    SCOPED_TRACE(c.what);
    LampDocument doc;
    switch (c.setup) {
      case Setup::kProgramModules:
        break;
      case Setup::kModifyGivesL1:
        doc.AddScriptedModule().modifyName = "l1";
        break;
      case Setup::kModifyGivesL2:
        doc.AddScriptedModule().modifyName = "l2";
        break;
      case Setup::kSpecialDone:
        doc.AddScriptedModule().result = 0;
        break;
      case Setup::kSpecialRefused:
        doc.AddScriptedModule().result = 1;
        break;
      case Setup::kBareLamp:
        doc.editor->scene.AddLight(std::make_unique<BareLamp>("bare"));
        break;
      case Setup::kEmptyWrapper: {
        CG_TransfLampDescription none;
        doc.editor->scene.AddLight(std::make_unique<GTransfLamp>("empty", nullptr, none));
        break;
      }
    }
    for (const std::string& choice : c.choices) {
      if (choice.empty()) {
        doc.fakes.listShower.AnswerCancel();
      } else {
        doc.fakes.listShower.AnswerText(choice);
      }
    }
    if (!c.fields.empty()) doc.fakes.multiEdit.AnswerTexts(c.fields);
    if (!c.dialog.empty()) doc.Answer(c.dialog);
    doc.editor->modified = 0;

    EditorDriver driver(*doc.editor);
    EXPECT_EQ(driver.Request(c.request).result, c.answer);
    EXPECT_EQ(doc.Lamps(), c.lamps);
    EXPECT_EQ(doc.Shown(), c.shown);
    EXPECT_EQ(doc.editor->modified, c.modified);
  }
}

// The Top view (200 x 100, the box -10..10 fitted to it) shows the world
// origin at pixel (100, 50) and (0, 0, 5) there too.
TEST(LampCommands, TheCrossFollowsTheLampInTheTopView) {
  LampDocument doc;
  EditorDriver driver(*doc.editor);
  int r = 0, g = 0, b = 0;
  doc.editor->GetBackgroundColor(r, g, b);
  const RasterPixel red{255, 0, 0};
  const RasterPixel background{r, g, b};

  doc.fakes.listShower.AnswerText("pointlamp");
  doc.Answer({{"name", "l3"}});
  ASSERT_EQ(driver.Request(10).result, 1);
  EXPECT_EQ(doc.top.Pixel(100, 50), red);
  EXPECT_EQ(doc.top.Pixel(104, 54), red);

  // Moved by 2 along x: 20 pixels to the right.
  doc.fakes.listShower.AnswerText("l3");
  doc.fakes.multiEdit.AnswerTexts({"2", "", ""});
  ASSERT_EQ(driver.Request(43).result, 1);
  EXPECT_EQ(doc.top.Pixel(100, 50), background);
  EXPECT_EQ(doc.top.Pixel(120, 50), red);

  // A cancelled change leaves the cross where it was.
  doc.fakes.listShower.AnswerText("l3");
  ASSERT_EQ(driver.Request(12).result, 0);
  EXPECT_EQ(doc.top.Pixel(120, 50), red);

  // Turned about its own position: it stays there.
  doc.fakes.listShower.AnswerText("l3");
  doc.fakes.multiEdit.AnswerTexts({"0", "0", "1.5"});
  ASSERT_EQ(driver.Request(41).result, 1);
  EXPECT_EQ(doc.top.Pixel(120, 50), red);
  const Point3D at = doc.editor->scene.FindLight("l3")->Position();
  EXPECT_NEAR(at.x, 2, 1e-12);
  EXPECT_NEAR(at.y, 0, 1e-12);
  EXPECT_NEAR(at.z, 0, 1e-12);

  doc.fakes.listShower.AnswerText("l3");
  ASSERT_EQ(driver.Request(11).result, 1);
  EXPECT_EQ(doc.top.Pixel(120, 50), background);
  EXPECT_EQ(doc.editor->scene.FindLight("l3"), nullptr);
}

TEST(LampCommands, NothingHappensWhileAMouseOperationRuns) {
  for (int request : {10, 11, 12, 28, 40, 41, 42, 43}) {
    SCOPED_TRACE(request);
    LampDocument doc;
    doc.editor->mouseMode = 6;
    EXPECT_EQ(EditorDriver(*doc.editor).Request(request).result, 0);
    EXPECT_TRUE(doc.fakes.listShower.titles.empty());
    EXPECT_EQ(doc.Lamps(), List({kL1, kL2, kW1}));
  }
}

// The chooser offers only the lamps of the list: another name reaching the
// commands that look the lamp up is an internal error.
TEST(LampCommandsDeathTest, ANameNotInTheLampListIsAnInternalError) {
  for (int request : {12, 28, 40}) {
    SCOPED_TRACE(request);
    EXPECT_EXIT(
        {
          LampDocument doc;
          doc.fakes.listShower.AnswerText("nowhere");
          EditorDriver(*doc.editor).Request(request);
        },
        testing::ExitedWithCode(1), "Runtime Error: non qui");
  }
}

}  // namespace
}  // namespace zavo::test
