// FindObject and FindObjectModule, the module bases' defaults and the
// directory listing of the library dialogs.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "editor/graphic_editor.h"
#include "editor/text_routines.h"
#include "editor_fakes.h"
#include "models/core/sphere.h"
#include "models/core/transf.h"

namespace zavo::test {
namespace {

std::unique_ptr<CG_GraphicObject> Sphere(const char* name) {
  CG_GraphicObjectCommData data;
  data.name = name;
  CG_SphereDescription description;
  description.center = {0.3, -1.2, 0.7};
  description.radius = 0.45;
  return std::make_unique<GSphere>(data, description);
}

std::unique_ptr<GTransf> Wrapper(const char* name, std::unique_ptr<CG_GraphicObject> child) {
  CG_GraphicObjectCommData data;
  data.name = name;
  CG_TransfDescription description;
  description.steps.Append(new t_Data(0, 1.5, 0.0, -2.25));
  description.child = child.release();
  description.ownsChild = description.child != nullptr ? 1 : 0;
  return std::make_unique<GTransf>(data, description);
}

class EditorLookup : public ::testing::Test {
protected:
  EditorLookup() : editor(CG_GraphicEditor::Create(0)) { fakes.AttachTo(*editor); }

  ScopedFakeModuleFactory factory;
  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
};

TEST_F(EditorLookup, FindObjectLooksThroughATransf) {
  auto ball = Sphere("ball");
  CG_GraphicObject* inner = ball.get();
  auto moved = Wrapper("ball", std::move(ball));
  CG_GraphicObject* child = nullptr;
  CG_GraphicObject* wrapper = nullptr;
  EXPECT_EQ(editor->FindObject(moved.get(), child, wrapper), 1);
  EXPECT_EQ(child, inner);
  EXPECT_EQ(wrapper, moved.get());

  auto plain = Sphere("plain");
  EXPECT_EQ(editor->FindObject(plain.get(), child, wrapper), 0);
  EXPECT_EQ(child, plain.get());
  EXPECT_EQ(wrapper, nullptr);
  EXPECT_TRUE(fakes.system.messages.empty());
  // The wrapper has its child and its box back.
  EXPECT_NE(moved->GetBoundingObject(), nullptr);
  EXPECT_EQ(moved->VertexCount(), inner->VertexCount());
}

TEST_F(EditorLookup, FindObjectOfAnEmptyTransfShowsItsMessage) {
  auto empty = Wrapper("empty", nullptr);
  auto plain = Sphere("plain");
  CG_GraphicObject* child = plain.get();
  CG_GraphicObject* wrapper = nullptr;
  EXPECT_EQ(editor->FindObject(empty.get(), child, wrapper), 0);
  EXPECT_EQ(child, plain.get());
  EXPECT_EQ(fakes.system.messages, (std::vector<std::string>{"Cannot change object.\nGTranf has not the object"}));
}

TEST_F(EditorLookup, FindObjectModuleTakesTheLastOfAKeyword) {
  auto* second = new FakeObjectModule("second sphere");
  second->keyword = "sphere";
  editor->objectModules.Append(second);
  EXPECT_EQ(editor->FindObjectModule("sphere"), second);
  EXPECT_NE(editor->FirstObjectModule("sphere"), second);
  EXPECT_EQ(editor->FindObjectModule(nullptr), nullptr);
  EXPECT_EQ(editor->FindObjectModule("transf"), nullptr);
}

// A module that supplies only its pure operations.
class PlainObjectModule : public CG_ObjectEditorModule {
public:
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor&) override { return nullptr; }
  CG_GraphicObject* Modify(CG_GraphicEditor&, CG_GraphicObject&, int) override { return nullptr; }
};

TEST_F(EditorLookup, ObjectModuleBaseDefaults) {
  PlainObjectModule module;
  module.keyword = "sphere";
  auto ball = Sphere("ball");
  CG_GraphicObject* object = ball.get();
  Seq<charString> names(2);
  CG_MOAStatus status;
  const Transformation m;
  Seq<charString> moaNames(2);
  struct Case {
    const char* operation;
    int got;
    int want;
  };
  const Case cases[] = {
      {"SpecialNames", module.SpecialNames(*editor, names, *ball), 0},
      {"special name count", static_cast<int>(names.Count()), 0},
      {"RunSpecial", module.RunSpecial(*editor, 0, object, &m), 0},
      {"NewSelectionStatus is null", module.NewSelectionStatus() == nullptr, 1},
      {"NewMOAStatus is null", module.NewMOAStatus(*editor) == nullptr, 1},
      {"MOAName", module.MOAName(moaNames), 0},
      {"MOA name count", static_cast<int>(moaNames.Count()), 0},
      {"Mouse", module.Mouse(*editor, nullptr, *ball, nullptr, 0, 10, 20, 65, nullptr), 4},
      {"Key", module.Key(*editor, nullptr, *ball, nullptr, 'x', nullptr), 4},
      {"MOAAdd answers the status", module.MOAAdd(*editor, nullptr, ball.get(), &status, &m) == &status, 1},
      {"MOAAdd of none", module.MOAAdd(*editor, nullptr, ball.get(), nullptr, nullptr) == nullptr, 1},
      {"MOARun", module.MOARun(status, 0), 0},
      {"MayTransform", module.MayTransform(), 1},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.operation;
  EXPECT_EQ(object, ball.get());
  Seq<charString> info(3);
  module.Info(info);
  ASSERT_EQ(info.Count(), 1u);
  EXPECT_STREQ(info[0].Text(), "sphere");
}

class PlainLampModule : public CG_LampEditorModule {
public:
  std::unique_ptr<CG_LightSource> Create(CG_GraphicEditor&) override { return nullptr; }
  CG_LightSource* Modify(CG_GraphicEditor&, CG_LightSource&) override { return nullptr; }
};

TEST_F(EditorLookup, LampModuleBaseDefaults) {
  PlainLampModule module;
  CG_LightSource* none = nullptr;
  Seq<charString> names(1);
  Seq<Point3D> shape(4);
  struct Plain : CG_LightSource {
    void Write(std::ostream&) const override {}
  } lamp;
  EXPECT_EQ(module.SpecialNames(*editor, names, lamp), 0);
  EXPECT_EQ(names.Count(), 0u);
  EXPECT_EQ(module.RunSpecial(*editor, 0, none), 0);
  EXPECT_EQ(module.HasShape(), 0);
  module.GetShape(*editor, lamp, shape);
  EXPECT_EQ(shape.Count(), 0u);
}

TEST(LoadDirectoryList, SortedNamesWithoutDotEntries) {
  TempDir dir;
  for (const char* name : {"pink.qz", "Amber.qz", "glass.qz", "_base.qz"}) WriteFile(dir / name, "x");
  std::filesystem::create_directory(dir / "sub");
  Seq<charString> names(1);
  EXPECT_EQ(LoadDirectoryList(dir.path(), names), 1);
  std::vector<std::string> got;
  for (std::uint32_t i = 0; i < names.Count(); ++i) got.emplace_back(names[i].Text());
  EXPECT_EQ(got, (std::vector<std::string>{"Amber.qz", "_base.qz", "glass.qz", "pink.qz", "sub"}));
  EXPECT_EQ(LoadDirectoryList(dir / "missing", names), 0);
  EXPECT_EQ(names.Count(), 0u);
}

TEST(TextRoutines, RealsWithSixSignificantDigits) {
  charString member;
  RealToString(member, 0.123456789);
  EXPECT_STREQ(member.Text(), "0.123457");
  IntToStringMember(member, -42);
  EXPECT_STREQ(member.Text(), "-42");
  EXPECT_STREQ(RealToText(1e-7).Text(), "1e-07");
  EXPECT_STREQ(RealToText(3.0).Text(), "3");
  std::unique_ptr<char[]> copy(TextCopy("abc"));
  EXPECT_STREQ(copy.get(), "abc");
  EXPECT_EQ(TextCopy(nullptr), nullptr);
}

}  // namespace
}  // namespace zavo::test
