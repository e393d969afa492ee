// The DXF text turned into meshes: which polylines become meshes, under
// which names, with which faces.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "editor/import/dxf_import.h"

namespace zavo::test {
namespace {

// DXF pieces as a CAD program writes them: one group code and one value a line.
std::string Header(const std::string& layer, int flags = 64) {
  return "  0\nPOLYLINE\n  8\n" + layer + "\n 66\n     1\n 70\n" + std::to_string(flags) + "\n";
}
std::string Point(const std::string& x, const std::string& y, const std::string& z) {
  return "  0\nVERTEX\n  8\nL\n 10\n" + x + "\n 20\n" + y + "\n 30\n" + z + "\n 70\n   192\n";
}
std::string Face(int a, int b, int c, int d) {
  return "  0\nVERTEX\n  8\nL\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 70\n   128\n 71\n" + std::to_string(a) + "\n 72\n" +
         std::to_string(b) + "\n 73\n" + std::to_string(c) + "\n 74\n" + std::to_string(d) + "\n";
}
const std::string kEnd = "  0\nSEQEND\n";
const std::string kSquare = Point("0.5", "0", "1.25") + Point("2.75", "0", "1.25") + Point("2.75", "3.1", "1.25") +
                            Point("0.5", "3.1", "1.25");

// The face lines of a pbrep text (everything after the face count).
std::string FaceLines(const std::string& pbrep) {
  const std::size_t at = pbrep.find("faces\n");
  return at == std::string::npos ? "?" : pbrep.substr(pbrep.find('\n', at + 6) + 2);
}

struct Case {
  const char* what;
  std::string dxf;
  int originalNames;
  std::vector<std::string> names;
  std::vector<std::string> faces;  // FaceLines of each mesh
  int noPolyline;
};

const std::string kQuad = "{ 1\n  {  4  0 1 2 3  }\n}\n}\n";
const std::string kTri = "{ 1\n  {  3  0 1 2  }\n}\n}\n";

TEST(DxfConversion, PolylinesBecomeNamedMeshes) {
  const Case cases[] = {
      {"triangle", Header("roof") + kSquare + Face(1, 2, 3, 0) + kEnd, 1, {"roof"}, {kTri}, 0},
      {"hidden edges", Header("roof") + kSquare + Face(-1, 2, -3, 4) + kEnd, 1, {"roof"}, {kQuad}, 0},
      {"dummy point before the flags",
       "  0\nPOLYLINE\n  8\nroof\n 66\n1\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 70\n64\n" + kSquare + Face(1, 2, 3, 4) + kEnd,
       1, {}, {}, 1},
      {"another code ends a vertex",
       Header("roof") + "  0\nVERTEX\n 10\n0.5\n 20\n0\n 70\n192\n100\nAcDbVertex\n 30\n9\n" +
           Point("2.75", "0", "1.25") + Point("2.75", "3.1", "1.25") + Face(1, 2, 3, 0) + kEnd,
       1, {"roof"}, {kTri}, 0},
      {"POLYLINE after any code", "  5\n" + Header("roof").substr(4) + kSquare + Face(1, 2, 3, 0) + kEnd, 1, {"roof"},
       {kTri}, 0},
      {"no POLYLINE", "  0\nSECTION\n  2\nENTITIES\n  0\nENDSEC\n  0\nEOF\n", 1, {}, {}, 0},
      {"a real after code 40",
       "  0\nPOLYLINE\n  8\nroof\n 40\n0.5\n 41\n0.5\n 66\n1\n 70\n64\n" + kSquare + Face(1, 2, 3, 0) + kEnd, 1,
       {"roof"}, {kTri}, 0},
      {"cut in a vertex", Header("roof") + kSquare + Face(1, 2, 3, 4) + "  0\nVERTEX\n 10\n0.5\n 20", 1, {"roof"},
       {kQuad}, 0},
      {"faces beyond the vertices left out",
       Header("roof") + kSquare + Face(1, 2, 5, 0) + Face(0, 1, 2, 0) + Face(1, 2, 3, 9) + Face(4, 3, 2, 1) + kEnd, 1,
       {"roof"}, {"{ 1\n  {  4  3 2 1 0  }\n}\n}\n"}, 0},
      {"counts start again",
       Header("a") + kSquare + Face(1, 2, 3, 4) + kEnd + Header("b") + kEnd + Header("c") + kSquare + kEnd, 1,
       {"a"}, {kQuad}, 0},
      {"layer 0 twice", Header("0") + kSquare + Face(1, 2, 3, 4) + kEnd + Header("0") + kSquare + Face(1, 2, 3, 0) + kEnd,
       1, {"_0", "_0_2"}, {kQuad, kTri}, 0},
      {"layer with dots and a slash",
       "  0\nPOLYLINE\n  8\n../my.part\n 70\n64\n" + kSquare + Face(1, 2, 3, 0) + kEnd, 1, {"___my_part"}, {kTri}, 0},
      {"base name and running number",
       Header("a") + kSquare + Face(1, 2, 3, 4) + kEnd + Header("b", 0) + kEnd + Header("c") + kSquare +
           Face(1, 2, 3, 0) + kEnd,
       0, {"house1", "house3"}, {kQuad, kTri}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::istringstream in(c.dxf);
    DxfOptions options;
    options.useOriginalNames = c.originalNames;
    const DxfConversion result = ConvertDxf(in, options, "house");
    std::vector<std::string> names, faces;
    for (const DxfMesh& mesh : result.meshes) {
      names.push_back(mesh.name);
      faces.push_back(FaceLines(mesh.pbrep));
    }
    EXPECT_EQ(names, c.names);
    EXPECT_EQ(faces, c.faces);
    EXPECT_EQ(result.noPolyline, c.noPolyline);
  }
}

TEST(DxfConversion, BaseNamesBecomeIdentifiers) {
  std::istringstream in(Header("x") + kSquare + Face(1, 2, 3, 0) + kEnd);
  DxfOptions options;
  options.useOriginalNames = 0;
  const DxfConversion result = ConvertDxf(in, options, "3d part");
  ASSERT_EQ(result.meshes.size(), 1U);
  EXPECT_EQ(result.meshes[0].name, "_3d_part1");
}

TEST(DxfConversion, PbrepTextIsWholeWithTwoBlanksBetweenCoordinates) {
  DxfPolyline polyline;
  polyline.vertices = {{0.5, 0, 1.25}, {2.75, 0, 1.25}, {2.75, 3.1, 1.25}, {0.5, 3.1, 1.25}};
  polyline.faces = {{-1, 2, -3, 4}, {1, 2, 3, 0}, {1, 2, 7, 0}};
  long written = 0;
  EXPECT_EQ(DxfPbrepText(polyline, written),
            "{ pbrep\nvertices\n\n4\n0.5  0  1.25\n2.75  0  1.25\n2.75  3.1  1.25\n0.5  3.1  1.25\n\nfaces\n2\n\n"
            "{ 1\n  {  4  0 1 2 3  }\n}\n{ 1\n  {  3  0 1 2  }\n}\n}\n");
  EXPECT_EQ(written, 2);
}

TEST(DxfConversion, ObjectBlockWritesTheAngleInRadians) {
  struct AngleCase {
    int interpolation;
    const char* angle;
    const char* lines;
  } const cases[] = {
      {1, "30.0", "\t\tinterp 1;\n\t\tinterp_ang 0.523599;\n"},
      {1, "45 deg", "\t\tinterp 1;\n\t\tinterp_ang 0.785398;\n"},
      {1, "steep", "\t\tinterp 1;\n\t\tinterp_ang 0;\n"},
      {0, "30.0", ""},
  };
  for (const AngleCase& c : cases) {
    SCOPED_TRACE(c.angle);
    DxfOptions options;
    options.interpolation = c.interpolation;
    options.interpolationAngle = c.angle;
    EXPECT_EQ(DxfObjectBlock("roof", options),
              std::string("{ object \n\tname roof;\n\tmaterial standard;\n\tmodel { brep\n\tname roof;\n") + c.lines +
                  "\t\tcostr 1.3;\n\t}\n}\n");
  }
}

}  // namespace
}  // namespace zavo::test
