// Meshes made by the model types: the sphere's tessellation and mesh files
// large enough to keep their face hierarchy in a cache.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "foundation/table.h"
#include "geometry/mesh_builders.h"
#include "model_scene.h"
#include "models/core/brep.h"
#include "models/core/sphere.h"
#include "scene/fakes.h"

namespace {

namespace fs = std::filesystem;

using zavo::test::ModelScene;
using zavo::test::ReadFile;
using zavo::test::RecordingInterface;
using zavo::test::ScopedCwd;
using zavo::test::TempDir;
using zavo::test::Written;

std::unique_ptr<GSphere> MakeSphere(int div, CG_NamedMaterial* material = nullptr) {
  CG_GraphicObjectCommData data;
  data.name = "s";
  data.IDname = "A";
  data.toll = 0.2;
  data.material = material;
  CG_SphereDescription description;
  description.center = {1, 2, 3};
  description.radius = 2;
  description.div = div;
  return std::make_unique<GSphere>(data, description);
}

TEST(SphereMesh, EveryDeclassGivesOneOwnedInlineMesh) {
  TempDir dir;
  ScopedCwd cwd(dir.path());
  CG_NamedMaterial gold("gold", new CG_MaterialPhong());
  auto sphere = MakeSphere(6, &gold);
  using Declass = int (*)(GSphere&, zavo::DeclassedParts&);
  const std::vector<Declass> declasses = {
      [](GSphere& s, zavo::DeclassedParts& p) { return s.DeclassToIndexedMesh(p, 0); },
      [](GSphere& s, zavo::DeclassedParts& p) { return s.DeclassToTriangleMesh(p); },
      [](GSphere& s, zavo::DeclassedParts& p) { return s.DeclassToFaced(p, 0); },
  };
  for (Declass declass : declasses) {
    zavo::DeclassedParts parts;
    ASSERT_EQ(declass(*sphere, parts), 1);
    ASSERT_EQ(parts.Size(), 1);
    EXPECT_EQ(parts[0].owned, 1);
    auto* mesh = dynamic_cast<GBRep*>(parts[0].object);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->MeshVertexCount(), 49);
    EXPECT_EQ(mesh->MeshTriangleCount(), 72);
    EXPECT_EQ(mesh->IsIndexedMesh(), 1);
    EXPECT_EQ(mesh->IsInline(), 1);
    EXPECT_EQ(mesh->Costr(), 0.0);
    EXPECT_EQ(mesh->Mesh().hierarchy, nullptr);
    EXPECT_EQ(mesh->Algorithm(), 1);
    EXPECT_EQ(mesh->Interp(), 0);
    EXPECT_EQ(std::string(mesh->Mesh().name.Text()), "s");
    // The common data of NewCommData: name and material, not IDname or toll.
    EXPECT_EQ(mesh->name, "s");
    EXPECT_EQ(mesh->IDname.Text(), nullptr);
    EXPECT_EQ(mesh->toll, 0.01);
    EXPECT_EQ(mesh->MeshMaterial(), gold.model);
    zavo::ReleaseDeclassedParts(parts);
  }
  EXPECT_TRUE(fs::is_empty(dir.path()));  // no cache file
}

TEST(SphereMesh, GridPointsRunAlongTheMeridians) {
  auto sphere = MakeSphere(6);
  zavo::DeclassedParts parts;
  ASSERT_EQ(sphere->DeclassToIndexedMesh(parts, 0), 1);
  const auto* mesh = static_cast<GBRep*>(parts[0].object);
  // Every vertex on the sphere; the first meridian starts at the +z pole.
  for (int i = 1; i <= mesh->MeshVertexCount(); ++i) {
    Point3D p;
    mesh->MeshVertex(i, p);
    EXPECT_NEAR(Distance3D(p, {1, 2, 3}), 2, 1e-12) << i;
  }
  Point3D pole;
  mesh->MeshVertex(1, pole);
  EXPECT_NEAR(Distance3D(pole, {1, 2, 5}), 0, 1e-12);
  GEO_Box box = mesh->MeshBox();
  EXPECT_NEAR(box.zmin, 1, 1e-12);
  EXPECT_NEAR(box.zmax, 5, 1e-12);
  zavo::ReleaseDeclassedParts(parts);
}

TEST(SphereMesh, ADivBelowTwoTessellatesAsTwo) {
  for (int div : {1, 0, -5}) {
    SCOPED_TRACE(div);
    auto sphere = MakeSphere(div);
    zavo::DeclassedParts parts;
    ASSERT_EQ(sphere->DeclassToIndexedMesh(parts, 0), 1);
    const auto* mesh = static_cast<GBRep*>(parts[0].object);
    EXPECT_EQ(mesh->MeshVertexCount(), 9);
    EXPECT_EQ(mesh->MeshTriangleCount(), 8);
    for (int i = 1; i <= 9; ++i) {
      Point3D p;
      mesh->MeshVertex(i, p);
      EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
    }
    zavo::ReleaseDeclassedParts(parts);
    // The div as read stays.
    EXPECT_NE(Written(*sphere).find("\t\tdiv " + std::to_string(div) + ";\n"), std::string::npos);
  }
}

// A mesh file of 81 x 81 grid points: more vertices than the "auto" build
// keeps in memory only.
class LargeMeshFile : public ::testing::Test {
protected:
  LargeMeshFile() : cwd_(dir_.path()) { SaveGrid(0.0); }

  // The grid z = lift * x * y over [0, 8] x [0, 8].
  void SaveGrid(double lift) {
    Table<Point3D> table(81, 81);
    for (std::uint32_t r = 0; r < 81; ++r) {
      for (std::uint32_t c = 0; c < 81; ++c) table(r, c) = {r * 0.1, c * 0.1, lift * r * c * 0.01};
    }
    std::unique_ptr<BRepModel3> grid = MakeGridBRep("grid", table);
    std::ofstream out(dir_ / "grid.brp");
    grid->Write(out, 0);
  }

  std::vector<std::string> Load(const std::string& kind, const std::string& costr = "") {
    ModelScene scene;
    RecordingInterface shown;
    scene.scene().SetInterface(&shown);
    const std::string text = "{ param _brep_optimiz " + kind + "; }\n{ object name g; model { brep name grid; " +
                             costr + " } }\n.\n";
    EXPECT_EQ(scene.Load(text), 1);
    auto* grid = dynamic_cast<GBRep*>(scene.Find("g"));
    EXPECT_NE(grid, nullptr);
    if (grid != nullptr) {
      EXPECT_EQ(grid->VertexCount(), 81 * 81);
      algorithm_ = grid->Algorithm();
    }
    std::vector<std::string> texts;
    for (const std::string& s : shown.statuses) {
      if (s.rfind("Loading hierarchy", 0) == 0 || s.rfind("Creating hierarchy", 0) == 0 ||
          s.rfind("Saving hierarchy", 0) == 0) {
        texts.push_back(s);
      }
    }
    return texts;
  }

  TempDir dir_;
  ScopedCwd cwd_;
  int algorithm_ = 0;
};

TEST_F(LargeMeshFile, TheAutoBuildCachesItsHierarchy) {
  for (const char* kind : {"auto", "median"}) {
    SCOPED_TRACE(kind);
    fs::remove(dir_ / "grid.br_");
    EXPECT_EQ(Load(kind), (std::vector<std::string>{"Creating hierarchy", "Saving hierarchy grid.br_"}));
    EXPECT_EQ(algorithm_, 3);
    ASSERT_TRUE(fs::exists(dir_ / "grid.br_"));
    EXPECT_EQ(Load(kind), std::vector<std::string>{"Loading hierarchy grid.br_"});
    EXPECT_EQ(algorithm_, 3);
  }
}

TEST_F(LargeMeshFile, AnEditedMeshRebuildsItsCache) {
  ASSERT_EQ(Load("auto").size(), 2u);
  const std::string cache = ReadFile(dir_ / "grid.br_");
  SaveGrid(0.5);  // the same faces, moved vertices
  EXPECT_EQ(Load("auto"), (std::vector<std::string>{"Loading hierarchy grid.br_", "Creating hierarchy",
                                                    "Saving hierarchy grid.br_"}));
  EXPECT_NE(ReadFile(dir_ / "grid.br_"), cache);
  EXPECT_EQ(Load("auto"), std::vector<std::string>{"Loading hierarchy grid.br_"});
}

TEST_F(LargeMeshFile, NoHierarchyWithoutCost) {
  EXPECT_TRUE(Load("auto", "costr 0;").empty());
  EXPECT_FALSE(fs::exists(dir_ / "grid.br_"));
  EXPECT_EQ(algorithm_, 1);
}

}  // namespace
