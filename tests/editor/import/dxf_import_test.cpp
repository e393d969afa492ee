// Request 70: the options dialog, the files written in the working directory
// and what the user sees.

#include <filesystem>
#include <string>
#include <vector>

#include "import_fixture.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

class DxfImport : public ImportDocument {
protected:
  void CopyFixture(const std::string& as) const { fs::copy_file(DataPath("import/two_on_layer0.dxf"), dir / as); }
  long ObjectCount() const { return Count(editor->scene.GetObjects()); }
};

const char kFirstMesh[] =
    "{ pbrep\nvertices\n\n4\n0.5  0  1.25\n2.75  0  1.25\n2.75  3.1  1.25\n0.5  3.1  1.25\n\nfaces\n1\n\n"
    "{ 1\n  {  4  0 1 2 3  }\n}\n}\n";
const char kSecondMesh[] =
    "{ pbrep\nvertices\n\n3\n-1.5  -1.5  0\n-0.3  -1.5  0\n-0.9  -0.4  0.7\n\nfaces\n1\n\n"
    "{ 1\n  {  3  0 1 2  }\n}\n}\n";

std::string Block(const std::string& name) {
  return "{ object \n\tname " + name + ";\n\tmaterial standard;\n\tmodel { brep\n\tname " + name +
         ";\n\t\tinterp 1;\n\t\tinterp_ang 0.523599;\n\t\tcostr 1.3;\n\t}\n}\n";
}

TEST_F(DxfImport, TwoPolylinesOfLayerZeroGiveTwoMeshesAndTwoBlocks) {
  CopyFixture("site.dxf");
  const long objects = ObjectCount();
  fakes.dialog.Answer({});
  EXPECT_EQ(driver.Request(70, (dir / "site").c_str()).result, 1);
  ASSERT_EQ(fakes.dialog.calls.size(), 1U);
  EXPECT_EQ(fakes.dialog.calls[0].title, "DXF options");
  EXPECT_EQ(fakes.dialog.calls[0].tree,
            (std::vector<std::string>{"Check_obj Use original names = 1", "Check_obj Interpolation = 1",
                                      "Edit_obj Interpolation angle = 30.0"}));
  EXPECT_EQ(Read("_0.brp"), kFirstMesh);
  EXPECT_EQ(Read("_0_2.brp"), kSecondMesh);
  EXPECT_EQ(Read("__ZAVO__.qz"), Block("_0") + Block("_0_2") + "\n.\n");
  EXPECT_EQ(fakes.system.statuses, (std::vector<std::string>{"_0.brp", "_0_2.brp"}));
  EXPECT_TRUE(fakes.system.messages.empty());
  // Nothing reaches the scene until the user inserts the scene text.
  EXPECT_EQ(ObjectCount(), objects);
  driver.Request(69, "__ZAVO__.qz");
  EXPECT_NE(editor->scene.FindObject("_0"), nullptr);
  EXPECT_NE(editor->scene.FindObject("_0_2"), nullptr);
}

TEST_F(DxfImport, NumberedNamesWithoutOriginalNamesAndAnUpperCaseExtension) {
  CopyFixture("HOUSE.DXF");
  fakes.dialog.Answer({{{"Use original names", "0"}, {"Interpolation", "0"}}, {}, true});
  EXPECT_EQ(driver.Request(70, "HOUSE").result, 1);
  EXPECT_EQ(Read("HOUSE1.brp"), kFirstMesh);
  EXPECT_EQ(Read("HOUSE2.brp"), kSecondMesh);
  EXPECT_EQ(Read("__ZAVO__.qz"),
            "{ object \n\tname HOUSE1;\n\tmaterial standard;\n\tmodel { brep\n\tname HOUSE1;\n\t\tcostr 1.3;\n\t}\n}\n"
            "{ object \n\tname HOUSE2;\n\tmaterial standard;\n\tmodel { brep\n\tname HOUSE2;\n\t\tcostr 1.3;\n\t}\n}\n"
            "\n.\n");
}

TEST_F(DxfImport, CancelOrAMissingFileWritesNothing) {
  CopyFixture("site.dxf");
  fakes.dialog.AnswerCancel();
  EXPECT_EQ(driver.Request(70, "site").result, 0);
  fakes.dialog.Answer({});
  EXPECT_EQ(driver.Request(70, "elsewhere").result, 0);
  EXPECT_EQ(fakes.dialog.calls.size(), 2U);
  EXPECT_FALSE(Exists("__ZAVO__.qz"));
  EXPECT_FALSE(Exists("_0.brp"));
  EXPECT_TRUE(fakes.system.messages.empty());
}

TEST_F(DxfImport, AFileWithoutPolylinesGivesAnEmptySceneText) {
  Write("empty.dxf", "  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n");
  fakes.dialog.Answer({});
  EXPECT_EQ(driver.Request(70, "empty").result, 1);
  EXPECT_EQ(Read("__ZAVO__.qz"), "\n.\n");
}

TEST_F(DxfImport, PolylinesThatAreNoPolyfaceMeshesAreAnnouncedOnce) {
  const std::string plain = "  0\nPOLYLINE\n  8\nwall\n 70\n1\n  0\nVERTEX\n 10\n1.5\n 20\n2.5\n 70\n0\n  0\nSEQEND\n";
  Write("plain.dxf", plain + plain);
  fakes.dialog.Answer({});
  EXPECT_EQ(driver.Request(70, "plain").result, 1);
  EXPECT_EQ(fakes.system.messages, (std::vector<std::string>{"NO POLYLINE"}));
  EXPECT_EQ(Read("__ZAVO__.qz"), "\n.\n");
  EXPECT_FALSE(Exists("wall.brp"));
}

TEST_F(DxfImport, AMeshThatCannotBeWrittenIsReportedAndLeftOut) {
  CopyFixture("site.dxf");
  fs::create_directory(dir / "_0.brp");  // in the way of the first mesh
  Write("_0_2.br_", "stale hierarchy");
  fakes.dialog.Answer({});
  EXPECT_EQ(driver.Request(70, "site").result, 0);
  EXPECT_EQ(fakes.system.messages, (std::vector<std::string>{"Cannot write _0.brp"}));
  EXPECT_EQ(Read("_0_2.brp"), kSecondMesh);
  EXPECT_FALSE(Exists("_0_2.br_"));
  EXPECT_EQ(Read("__ZAVO__.qz"), Block("_0_2") + "\n.\n");
}

}  // namespace
}  // namespace zavo::test
