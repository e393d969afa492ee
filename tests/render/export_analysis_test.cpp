// The analysis report.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "common/temp_dir.h"
#include "models/registry.h"
#include "render/mesh_fixtures.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

using zavo::test::BareObject;
using zavo::test::MakeCommData;
using zavo::test::ReadFile;
using zavo::test::TempDir;

// A faced object of given vertices, or one whose faced parts are such objects.
class FacedObject : public CG_GraphicObject {
public:
  FacedObject(const char* objectName, std::vector<Point3D> points)
      : CG_GraphicObject(*MakeCommData(objectName)), vertices(std::move(points)) {
    ++alive;
  }
  FacedObject(const FacedObject& other) : CG_GraphicObject(other), vertices(other.vertices) { ++alive; }
  ~FacedObject() override { --alive; }
  int GetCommData(CG_GraphicObjectCommData&) override { return 0; }
  int SetCommData(CG_GraphicObjectCommData&) override { return 0; }
  void Write(std::ostream&) const override {}
  int IsFaced(int mode) const override { return mode == 0 && parts.empty(); }
  int VertexCount() const override { return static_cast<int>(vertices.size()); }
  void Vertex(int i, Point3D& p) const override { p = vertices.at(static_cast<std::size_t>(i)); }
  int DeclassToFaced(zavo::DeclassedParts& list, int mode) override {
    if (mode != 0 || parts.empty()) return 0;
    list.SetSize(static_cast<long>(parts.size()));
    for (std::size_t k = 0; k < parts.size(); ++k) {
      list[static_cast<long>(k)].object = new FacedObject(parts[k]);
      list[static_cast<long>(k)].owned = 1;
    }
    return 1;
  }

  std::vector<Point3D> vertices;
  std::vector<FacedObject> parts;
  static inline int alive = 0;
};

class AnalysisTest : public ::testing::Test {
protected:
  AnalysisTest() : scene(registry) {
    BuildRegistry(registry);
    scene.SetName((dir / "scene").c_str());
  }

  void Load(const std::string& text) {
    std::istringstream in(text + "\n.\n");
    ASSERT_EQ(scene.Load(in), 1) << scene.GetErrorMessage();
  }

  TempDir dir;
  CG_ModelRegistry registry;
  CG_GraphicScene scene;
};

TEST_F(AnalysisTest, BoxIsATriangleMeshAndFaced) {
  Load("{ object name b; model { box xmin -1; xmax 2; ymin 0; ymax 4; zmin -3; zmax 0; } }");
  ASSERT_EQ(scene.ExportAnalysis(), 1);
  EXPECT_EQ(ReadFile(dir / "scene.ana"),
            "\nAnalizing : b\n -- is triangle mesh \n -- is faced \n Box = [ Xmin=-1 , Xmax=2 , "
            "\n\tYmin=0 , Ymax=4 , \n\tZmin=-3 , Zmax=0 ]\nCenter = ( 0.5 , 2 , -1.5 )\n");
}

TEST_F(AnalysisTest, SphereDeclassesIntoNumberedParts) {
  Load("{ object name s; model { sphere center ( 0 , 0 , 0 ); radius 1; } }");
  ASSERT_EQ(scene.ExportAnalysis(), 1);
  const std::string text = ReadFile(dir / "scene.ana");
  const std::string head =
      "\nAnalizing : s\n -- declassable triangle mesh \n -- declassable faced\n(0) s\n Box = [ ";
  EXPECT_EQ(text.substr(0, head.size()), head);
  EXPECT_EQ(text.find("(1)"), std::string::npos);
}

TEST_F(AnalysisTest, PartsBoxesAndObjectsWithoutVertices) {
  FacedObject corners("c", {{1, 2, 3}, {-1, 5, 3}, {0, 0, 4.5}});
  auto whole = std::make_unique<FacedObject>("whole", corners.vertices);
  auto empty = std::make_unique<FacedObject>("empty", std::vector<Point3D>{});
  auto split = std::make_unique<FacedObject>("split", std::vector<Point3D>{});
  split->parts.push_back(FacedObject("p0", {}));
  split->parts.push_back(corners);
  ASSERT_EQ(scene.AddObject(std::move(whole)), 1);
  ASSERT_EQ(scene.AddObject(std::move(empty)), 1);
  ASSERT_EQ(scene.AddObject(std::move(split)), 1);
  ASSERT_EQ(scene.AddObject(std::make_unique<BareObject>("bare")), 1);
  const int alive = FacedObject::alive;

  ASSERT_EQ(scene.ExportAnalysis(), 1);
  EXPECT_EQ(FacedObject::alive, alive);  // the parts are destroyed
  const std::string box =
      " Box = [ Xmin=-1 , Xmax=1 , \n\tYmin=0 , Ymax=5 , \n\tZmin=3 , Zmax=4.5 ]\n"
      "Center = ( 0 , 2.5 , 3.75 )\n";
  // No box exists for an object or part without vertices: its line stands alone.
  EXPECT_EQ(ReadFile(dir / "scene.ana"),
            "\nAnalizing : whole\n -- isn' t triangle mesh \n -- is faced \n" + box +
                "\nAnalizing : empty\n -- isn' t triangle mesh \n -- is faced \n"
                "\nAnalizing : split\n -- isn' t triangle mesh \n -- declassable faced\n(0) p0\n(1) c\n" +
                box + "\nAnalizing : bare\n -- isn' t triangle mesh \n -- isn' t faced\n");
}

}  // namespace
