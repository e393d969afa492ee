// The model list, the object names and the choice of a model, shared by the
// boundary-mesh, blob and Bezier patch modules.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model_file_fixture.h"
#include "models/core/brep.h"

namespace zavo::test {
namespace {

std::vector<std::string> Texts(const Seq<charString>& seq) {
  std::vector<std::string> out;
  for (std::uint32_t i = 0; i < seq.Count(); ++i) out.emplace_back(seq[i].Text() != nullptr ? seq[i].Text() : "");
  return out;
}

TEST(ModelList, ListsTheWorkingDirectoryThenTheModelPath) {
  ModelFileDocument doc;
  for (const char* file : {"wheel.brp", "a.brpx", "abrp", "b.BrP", "hub.bzr", "drop.blb", "c.brp.bak"}) {
    doc.Put(file, kCubeMesh);
  }
  for (const char* file : {"models/Wheel.BRP", "models/axle.brp", "models/hub.BZR"}) doc.Put(file, kCubeMesh);
  struct Case {
    const char* extension;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"brp", {"b", "wheel", "Wheel", "axle"}},
      {"bzr", {"hub", "hub"}},  // a model in both places is listed twice
      {"blb", {"drop"}},
      {"nrb", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extension);
    Seq<charString> models;
    ListModels(*doc.editor, c.extension, models);
    EXPECT_EQ(Texts(models), c.expected);
  }
  // A model path that cannot be listed adds nothing.
  doc.editor->scene.SetModelPath("nowhere");
  Seq<charString> models;
  ListModels(*doc.editor, "brp", models);
  EXPECT_EQ(Texts(models), (std::vector<std::string>{"b", "wheel"}));
}

TEST(ModelList, ObjectNamesTakeTheFirstFreeNumber) {
  struct Case {
    std::vector<std::string> taken;
    const char* model;
    const char* expected;  // "": none free
  };
  const Case cases[] = {
      {{}, "wheel", "wheel"},
      {{"wheel"}, "wheel", "wheel_2"},
      {{"drop", "drop_2"}, "drop", "drop_3"},
      {{"drop", "drop_3"}, "drop", "drop_2"},
      {{"m", "m_2", "m_3", "m_4"}, "m", ""},  // the bound lowered to 4
  };
  const ScopedObjectNumberLimit limit(4);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.model);
    ModuleDocument doc;
    for (const std::string& name : c.taken) {
      CG_GraphicObjectCommData data;
      data.name = name.c_str();
      CG_BRepDescription description;
      description.isInline = 1;
      description.mesh = std::make_unique<BRepModel3>("taken");
      ASSERT_EQ(doc.editor->scene.AddObject(std::make_unique<GBRep>(data, description)), 1);
    }
    const charString name = FreeObjectName(*doc.editor, c.model);
    EXPECT_STREQ(name.Text() != nullptr ? name.Text() : "", c.expected);
  }
}

TEST(ModelList, TheChoiceIsAskedAsSelectAModelAndMustBeAName) {
  struct Case {
    const char* file;
    const char* message;  // null: chosen without a word
  };
  const Case cases[] = {
      {"wheel.brp", nullptr},
      {"my part.brp", "'my part' not a valid name\ncharacter ' ' not valid."},
      {"3d.brp", "'3d' not a valid name\ncharacter '3' not valid."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    ModelFileDocument doc;
    doc.Put(c.file, kCubeMesh);
    doc.fakes.listShower.AnswerIndex(0);
    charString model, name;
    EXPECT_EQ(ChooseNewModel(*doc.editor, "brp", model, name), c.message == nullptr ? 1 : 0);
    EXPECT_EQ(doc.fakes.listShower.titles, std::vector<std::string>{"Select a model"});
    if (c.message == nullptr) {
      EXPECT_TRUE(doc.fakes.system.messages.empty());
      EXPECT_STREQ(name.Text(), "wheel");
    } else {
      EXPECT_EQ(doc.fakes.system.messages, std::vector<std::string>{c.message});
    }
  }
}

TEST(ModelList, NoChoiceOrNoFreeNameCreatesNothingAndSaysNothing) {
  ModelFileDocument doc;
  doc.Put("m.brp", kCubeMesh);
  CG_ObjectEditorModule& brep = doc.Object("brep");
  doc.fakes.listShower.AnswerCancel();
  EXPECT_EQ(brep.Create(*doc.editor), nullptr);

  const ScopedObjectNumberLimit limit(3);
  for (int i = 0; i < 3; ++i) {
    doc.fakes.listShower.AnswerText("m");
    std::unique_ptr<CG_GraphicObject> made = brep.Create(*doc.editor);
    ASSERT_NE(made, nullptr);
    ASSERT_EQ(doc.editor->scene.AddObject(std::move(made)), 1);
  }
  EXPECT_NE(doc.editor->scene.FindObject("m_3"), nullptr);
  doc.fakes.listShower.AnswerText("m");
  EXPECT_EQ(brep.Create(*doc.editor), nullptr);
  EXPECT_TRUE(doc.fakes.system.messages.empty());
}

}  // namespace
}  // namespace zavo::test
