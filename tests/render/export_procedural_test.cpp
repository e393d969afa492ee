// The mesh exports of blobs, fields and abstract VRML nodes: a blob exports
// its proxy spheres, a node its sphere mesh, and a field nothing.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "common/temp_dir.h"
#include "models/registry.h"
#include "render/mesh_fixtures.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

using zavo::test::ReadFile;
using zavo::test::RecordingInterface;
using zavo::test::ScopedCwd;
using zavo::test::TempDir;
using zavo::test::WriteFile;

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

TEST(ProceduralExport, VrmlHoldsTheBlobsProxyAndTheNodeButNoField) {
  TempDir dir;
  ScopedCwd cwd(dir.path());
  WriteFile(dir / "drop.blb", "[blob1.0]\nthreshold = 0.5\nsphere = 0 0 0 1 1\n");
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  CG_GraphicScene scene(registry);
  RecordingInterface ui;
  scene.SetInterface(&ui);
  std::istringstream in(
      "{ material name green; model { phong } }\n{ material name red; model { phong } }\n"
      "{ object name b; material green; model { blob name drop; } }\n"
      "{ object name v; material red; model { AbstractVRMLNode center ( 0.7 , 0.7 , 0 ); radius 0.2; } }\n"
      "{ object name f; model { field\n"
      "  { object name o; model { sphere center ( -0.7 , -0.7 , 0 ); radius 0.2; } }\n"
      "  decoration { object name d; model { polyline p ( 0 , 0 , 0 ); p ( 1 , 0 , 0 ); } }\n"
      "  mat { rx \"1\"; }\n} }\n.\n");
  ASSERT_EQ(scene.Load(in), 1) << scene.GetErrorMessage();
  scene.SetName((dir / "scene").c_str());
  ASSERT_EQ(scene.ExportVRML(), 1);
  const std::string wrl = ReadFile(dir / "scene.wrl");
  EXPECT_EQ(Count(wrl, "Coordinate3 {"), 2);
  EXPECT_EQ(Count(wrl, "IndexedFaceSet {"), 2);
  // 49 point lines and 72 triangles in each block.
  EXPECT_EQ(Count(wrl, " , -1"), 144);
  std::size_t points = 0;
  std::istringstream lines(wrl);
  std::string line;
  bool inPoints = false;
  while (std::getline(lines, line)) {
    if (line == "\t\t\tpoint [") {
      inPoints = true;
    } else if (line == "\t\t\t]") {
      inPoints = false;
    } else if (inPoints) {
      ++points;
    }
  }
  EXPECT_EQ(points, 98u);
}

}  // namespace
