// Requests 71 to 73 and the editor's loading of a mesh by model name.

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "editor/layers.h"
#include "import_fixture.h"
#include "scene/graphic_object.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

class RawImport : public ImportDocument {
protected:
  std::string ObjectText(const char* name) const {
    const CG_GraphicObject* object = editor->scene.FindObject(name);
    if (object == nullptr) return "(none)";
    std::ostringstream os;
    object->Write(os);
    return os.str();
  }
  const char* KeywordOf(const char* name) const {
    const CG_GraphicObject* object = editor->scene.FindObject(name);
    return object != nullptr && object->Keyword() != nullptr ? object->Keyword() : "(none)";
  }
};

const char kWingMesh[] =
    "{ pbrep\nvertices\n4\n0 0 0\n1.5 0 0\n0 1.5 0\n1.5 1.5 0\nfaces\n2\n"
    "{ 1\n\t{ 3 0 1 2}\n\n}\n{ 1\n\t{ 3 1 3 2}\n\n}\n}\n";

TEST_F(RawImport, TrianglesFromAnotherDirectoryBecomeAMeshHereAndAnObject) {
  fs::create_directory(dir / "scans");
  fs::copy_file(DataPath("import/wing.raw"), dir / "scans" / "wing.raw");
  EXPECT_EQ(driver.Request(71, "scans/wing").result, 1);
  // The scene reader's own status texts follow.
  ASSERT_GE(fakes.system.statuses.size(), 5U);
  EXPECT_EQ(std::vector<std::string>(fakes.system.statuses.begin(), fakes.system.statuses.begin() + 5),
            (std::vector<std::string>{"Loading...", "Triangles = 2", "1", "2", "Saving brep file"}));
  EXPECT_EQ(Read("wing.brp"), kWingMesh);
  EXPECT_FALSE(Exists("scans/wing.brp"));
  EXPECT_STREQ(KeywordOf("wing"), "brep");
  CG_GraphicObject* wing = editor->scene.FindObject("wing");
  ASSERT_NE(wing, nullptr);
  EXPECT_NE(editor->FindItem(wing), nullptr);
  EXPECT_EQ(editor->modified, 1);
}

TEST_F(RawImport, TheSameFileTwiceGivesTwoObjectsWithTheirOwnMeshes) {
  fs::copy_file(DataPath("import/wing.raw"), dir / "wing.RAW");
  EXPECT_EQ(driver.Request(71, "wing").result, 1);
  Write("wing.RAW", "0 0 0 2.5 0 0 0 2.5 0\n");
  EXPECT_EQ(driver.Request(71, "wing").result, 1);
  EXPECT_STREQ(KeywordOf("wing"), "brep");
  EXPECT_STREQ(KeywordOf("wing_2"), "brep");
  EXPECT_EQ(Read("wing.brp"), kWingMesh);
  EXPECT_EQ(Read("wing_2.brp"), "{ pbrep\nvertices\n3\n0 0 0\n2.5 0 0\n0 2.5 0\nfaces\n1\n{ 1\n\t{ 3 0 1 2}\n\n}\n}\n");
}

TEST_F(RawImport, NamesAreMadeIdentifiersAndStaleHierarchiesGo) {
  Write("3d part.raw", "0 0 0 1.5 0 0 0 1.5 0\n");
  Write("_3d_part.br_", "stale");
  EXPECT_EQ(driver.Request(71, "3d part").result, 1);
  EXPECT_STREQ(KeywordOf("_3d_part"), "brep");
  EXPECT_TRUE(Exists("_3d_part.brp"));
  EXPECT_FALSE(Exists("_3d_part.br_"));
}

TEST_F(RawImport, MissingFileUnwritableMeshAndEmptyFile) {
  EXPECT_EQ(driver.Request(71, "nothere").result, 0);
  Write("blk.raw", "0 0 0 1.5 0 0 0 1.5 0\n");
  fs::create_directory(dir / "blk.brp");
  EXPECT_EQ(driver.Request(71, "blk").result, 0);
  EXPECT_EQ(fakes.system.messages, (std::vector<std::string>{"file nothere.raw not found", "Cannot write blk.brp"}));
  EXPECT_STREQ(KeywordOf("blk"), "(none)");
  Write("void.raw", "");
  EXPECT_EQ(driver.Request(71, "void").result, 0);
  EXPECT_EQ(Read("void.brp"), "{ pbrep\nvertices\n0\nfaces\n0\n}\n");
  // A mesh without vertices is no brep object: the reader says so.
  EXPECT_EQ(fakes.system.messages.back(), "Error in pbrep model void.brp");
}

TEST_F(RawImport, PointsBecomeAnOpenPolylineNamedAfterTheFile) {
  Write("rail.raw", "1 2 3 4 5");
  Write("path.raw", "1.5 -2 0.25\n3 4 5\n");
  EXPECT_EQ(driver.Request(73, "rail").result, 1);
  EXPECT_EQ(driver.Request(72, "path").result, 1);
  EXPECT_EQ(ObjectText("rail"),
            "{ object\n\tname rail;\n\tmaterial standard;\n\tmodel { polyline\n\t\topen 1;\n"
            "\t\tp ( 1 , 2 , 0 );\n\t\tp ( 3 , 4 , 0 );\n\t}\n}\n");
  EXPECT_EQ(ObjectText("path"),
            "{ object\n\tname path;\n\tmaterial standard;\n\tmodel { polyline\n\t\topen 1;\n"
            "\t\tp ( 1.5 , -2 , 0.25 );\n\t\tp ( 3 , 4 , 5 );\n\t}\n}\n");
  EXPECT_DOUBLE_EQ(editor->scene.FindObject("rail")->toll, 0.01);
  // A name taken drops the new polyline without a word.
  Write("rail.raw", "7 8 9 10");
  EXPECT_EQ(driver.Request(73, "rail").result, 1);
  EXPECT_NE(ObjectText("rail").find("p ( 1 , 2 , 0 )"), std::string::npos);
  // A file without a whole point gives a polyline without points.
  Write("none.raw", "2.5");
  EXPECT_EQ(driver.Request(73, "none").result, 1);
  EXPECT_EQ(ObjectText("none"), "{ object\n\tname none;\n\tmaterial standard;\n\tmodel { polyline\n\t\topen 1;\n\t}\n}\n");
  EXPECT_EQ(driver.Request(72, "gone").result, 0);
  EXPECT_EQ(fakes.system.messages, (std::vector<std::string>{"file gone.raw not found"}));
}

TEST_F(RawImport, LoadBRepObjectReadsItsSceneTextAndPicksAFreeName) {
  EXPECT_EQ(editor->BRepObjectText("M_2", "M"),
            "{object\nname M_2;\nmaterial standard;\nmodel { brep\nname M;\ninterp 0;\ncostr 1.3;\n}\n}\n.");
  Write("M.brp", kWingMesh);
  EXPECT_EQ(editor->LoadBRepObject("M"), 1);
  EXPECT_EQ(editor->LoadBRepObject("M"), 1);
  EXPECT_STREQ(KeywordOf("M"), "brep");
  EXPECT_STREQ(KeywordOf("M_2"), "brep");
  EXPECT_EQ(editor->FreeObjectName("M"), "M_3");
  // The active layer takes the new object.
  ASSERT_NE(editor->activeLayer, nullptr);
  CG_SceneEditorItem* item = editor->FindItem(editor->scene.FindObject("M_2"));
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(editor->activeLayer->Holds(item));
}

TEST_F(RawImport, LoadBRepObjectWithoutItsMeshSaysWhyAndAddsNothing) {
  const long objects = Count(editor->scene.GetObjects());
  EXPECT_EQ(editor->LoadBRepObject("ghost"), 0);
  EXPECT_EQ(fakes.system.messages, (std::vector<std::string>{"file \"ghost.brp\" not found in model path"}));
  EXPECT_EQ(Count(editor->scene.GetObjects()), objects);
}

}  // namespace
}  // namespace zavo::test
