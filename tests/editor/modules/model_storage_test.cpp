// "Save", "Include In Scene", "External Model" and "Info" on the objects of
// the boundary-mesh and Bezier patch modules.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "editor/modules/patch_model_module.h"
#include "model_file_fixture.h"
#include "models/curved/patch_model.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

// One model type of the table: its module, its model files and what its
// object block holds when the model is held in the scene.
struct ModelKind {
  const char* keyword;
  const char* extension;
  const char* text;
  const char* inlineMark;
};

const ModelKind kKinds[] = {
    {"brep", "brp", kCubeMesh, "\t\tmodel { pbrep"},
    {"bezier", "bzr", kOnePatch, "\t\tmodel { bezier"},
    {"NURBSmesh", "nrb", kOneNURBSPatch, "\t\tmodel { NURBS"},
};

// A document with the model file "part" of the kind, and an object made for
// it by the kind's module.
class StorageDocument : public ModelFileDocument {
public:
  explicit StorageDocument(const ModelKind& kind) : kind(kind) {
    Put(std::string("part.") + kind.extension, kind.text);
    object = MakeFileObject("part");
  }

  std::unique_ptr<CG_GraphicObject> MakeFileObject(const char* model) {
    if (std::string(kind.keyword) == "bezier") Answer({{"mode", "Load model"}});
    fakes.listShower.AnswerText(model);
    return Module().Create(*editor);
  }
  CG_GenericPModelEditorModule& Module() {
    return dynamic_cast<CG_GenericPModelEditorModule&>(Object(kind.keyword));
  }
  CG_PatchModelBased& Points() { return *Module().ControlPoints(*object); }
  Point3D Control(int i) {
    Point3D p;
    Points().GetControl(i, p);
    return p;
  }
  int Run(int command) {
    CG_GraphicObject* target = object.get();
    const int answer = Module().RunSpecial(*editor, command, target, nullptr);
    EXPECT_EQ(target, object.get());
    return answer;
  }
  std::string Block() const {
    std::ostringstream os;
    object->Write(os);
    return os.str();
  }
  bool Internal() const { return Block().find(kind.inlineMark) != std::string::npos; }
  std::string File(const char* name) const { return std::string(name) + "." + kind.extension; }

  const ModelKind& kind;
  std::unique_ptr<CG_GraphicObject> object;
};

enum { kSave = 0, kInclude = 1, kExternal = 2, kInfo = 3 };

const Point3D kMoved{0.35, -0.2, 1.15};

TEST(ModelStorage, TheFourCommands) {
  for (const ModelKind& kind : kKinds) {
    SCOPED_TRACE(kind.keyword);
    StorageDocument doc(kind);
    ASSERT_NE(doc.object, nullptr);
    Seq<charString> names;
    EXPECT_EQ(doc.Module().SpecialNames(*doc.editor, names, *doc.object), 1);
    ASSERT_EQ(names.Count(), 4u);
    EXPECT_STREQ(names[0].Text(), "Save");
    EXPECT_STREQ(names[1].Text(), "Include In Scene");
    EXPECT_STREQ(names[2].Text(), "External Model");
    EXPECT_STREQ(names[3].Text(), "Info");

    // "Save": the moved point goes to the file, which a new object reads.
    const std::string before = ReadFile(doc.dir / doc.File("part"));
    doc.Points().SetControl(0, kMoved);
    EXPECT_EQ(doc.Run(kSave), 1);
    EXPECT_NE(ReadFile(doc.dir / doc.File("part")), before);
    std::unique_ptr<CG_GraphicObject> again = doc.MakeFileObject("part");
    ASSERT_NE(again, nullptr);
    Point3D reread;
    doc.Module().ControlPoints(*again)->GetControl(0, reread);
    EXPECT_EQ(reread, kMoved);

    EXPECT_EQ(doc.Run(kInfo), 0);
    // "External Model" on a file object only reads the file again.
    const std::size_t dialogs = doc.fakes.dialog.calls.size();
    EXPECT_EQ(doc.Run(kExternal), 1);
    EXPECT_EQ(doc.fakes.dialog.calls.size(), dialogs);
    EXPECT_FALSE(doc.Internal());

    EXPECT_EQ(doc.Run(kInclude), 1);
    EXPECT_TRUE(doc.Internal());
    EXPECT_EQ(doc.Run(kInfo), 0);

    // "External Model" with part7: the held model goes to part7.<ext>, which
    // describes the object from then on.
    doc.Answer({{"Model name", "part7"}});
    EXPECT_EQ(doc.Run(kExternal), 1);
    EXPECT_EQ(doc.fakes.dialog.calls.back().tree, std::vector<std::string>{"Edit_obj Model name = "});
    EXPECT_EQ(doc.fakes.dialog.calls.back().title, std::string("Modifing ") + kind.keyword);
    EXPECT_TRUE(fs::exists(doc.dir / doc.File("part7")));
    EXPECT_FALSE(doc.Internal());
    EXPECT_NE(doc.Block().find("\t\tname part7;"), std::string::npos) << doc.Block();
    EXPECT_EQ(doc.Control(0), kMoved);
    EXPECT_EQ(doc.Run(kInfo), 0);
    EXPECT_EQ(doc.Run(7), 0);

    EXPECT_EQ(doc.fakes.system.messages,
              (std::vector<std::string>{"Object described in file part", "Internal object",
                                        "Object described in file part7"}));
  }
}

bool FailingWriter(const fs::path&, const std::function<bool(std::ostream&)>&) { return false; }

class ScopedFailingWrites {
public:
  ScopedFailingWrites() : old_(SetModelFileWriter(FailingWriter)) {}
  ~ScopedFailingWrites() { SetModelFileWriter(old_); }
  ScopedFailingWrites(const ScopedFailingWrites&) = delete;
  ScopedFailingWrites& operator=(const ScopedFailingWrites&) = delete;

private:
  ModelFileWriter old_;
};

// A held model is let go only once its file is written: a refused name, a
// cancelled dialog or a failed write leave the object holding it.
TEST(ModelStorage, ExternalModelKeepsTheHeldModelUnlessTheFileIsWritten) {
  struct Case {
    const char* what;
    bool ok;
    const char* name;
    bool failWrites;
    int answer;
    const char* message;  // null: none; "%": "Cannot write part7.<ext>"
  };
  const Case cases[] = {
      {"cancel", false, "part7", false, 1, nullptr},
      {"empty name", true, "", false, 0, "'' not a valid name\nnull string not valid."},
      {"failed write", true, "part7", true, 0, "%"},
  };
  for (const ModelKind& kind : kKinds) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(kind.keyword) + " " + c.what);
      StorageDocument doc(kind);
      ASSERT_NE(doc.object, nullptr);
      doc.Run(kInclude);
      doc.Points().SetControl(0, kMoved);
      const int count = doc.Points().ControlCount();
      doc.fakes.system.messages.clear();
      if (c.ok) {
        doc.Answer({{"Model name", c.name}});
      } else {
        doc.fakes.dialog.AnswerCancel();
      }
      {
        std::unique_ptr<ScopedFailingWrites> failing;
        if (c.failWrites) failing = std::make_unique<ScopedFailingWrites>();
        EXPECT_EQ(doc.Run(kExternal), c.answer);
      }
      EXPECT_TRUE(doc.Internal());
      EXPECT_EQ(doc.Points().ControlCount(), count);
      EXPECT_EQ(doc.Control(0), kMoved);
      EXPECT_FALSE(fs::exists(doc.dir / doc.File("part7")));
      std::vector<std::string> expected;
      if (c.message != nullptr) {
        expected.push_back(std::string(c.message) == "%" ? "Cannot write " + doc.File("part7") : c.message);
      }
      EXPECT_EQ(doc.fakes.system.messages, expected);
    }
  }
}

// "Info" takes nothing from the object: moved points not yet saved stay, and
// the scene is not marked modified.
TEST(ModelStorage, InfoKeepsUnsavedPointsAndLeavesTheSceneUnmodified) {
  for (const ModelKind& kind : kKinds) {
    SCOPED_TRACE(kind.keyword);
    StorageDocument doc(kind);
    ASSERT_NE(doc.object, nullptr);
    CG_GraphicObject* object = doc.object.get();
    ASSERT_EQ(doc.editor->AddObjectToEditor(std::move(doc.object)), 1);
    CG_PatchModelBased* points = doc.Module().ControlPoints(*object);
    points->SetControl(0, kMoved);
    doc.editor->modified = 0;
    EditorDriver driver(*doc.editor);
    doc.fakes.listShower.AnswerText("part");
    doc.fakes.listShower.AnswerText("Info");
    EXPECT_EQ(driver.Request(39).result, 0);
    EXPECT_EQ(doc.fakes.system.messages, std::vector<std::string>{"Object described in file part"});
    object = doc.editor->scene.FindObject("part");
    ASSERT_NE(object, nullptr);
    Point3D p;
    doc.Module().ControlPoints(*object)->GetControl(0, p);
    EXPECT_EQ(p, kMoved);
    EXPECT_EQ(doc.editor->modified, 0);
  }
}

TEST(ModelStorage, AFailedSaveAnswersZero) {
  StorageDocument doc(kKinds[1]);
  ASSERT_NE(doc.object, nullptr);
  doc.Points().SetControl(0, kMoved);
  const ScopedFailingWrites failing;
  EXPECT_EQ(doc.Run(kSave), 0);
  EXPECT_EQ(doc.fakes.system.messages, std::vector<std::string>{"Cannot write part.bzr"});
  EXPECT_EQ(doc.Control(0), kMoved);
}

}  // namespace
}  // namespace zavo::test
