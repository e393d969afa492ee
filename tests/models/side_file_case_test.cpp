// Model side files and texture images found whatever the case of their names
// on disk: each is opened under the name that the look-up found.

#include <gtest/gtest.h>

#include <filesystem>
#include <cctype>
#include <functional>
#include <sstream>
#include <string>

#include "common/temp_dir.h"
#include "models/curved/patch_text.h"
#include "geometry/bitmap_manager.h"
#include "models/core/brep.h"
#include "models/curved/bezier.h"
#include "models/curved/blob.h"
#include "models/curved/nurbs_mesh.h"
#include "models/curved/spline.h"
#include "models/registry.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

namespace fs = std::filesystem;

using zavo::test::ScopedCwd;
using zavo::test::TempDir;
using zavo::test::WriteFile;

const char kCube[] =
    "{ pbrep vertices 8 0 0 0 1 0 0 1 1 0 0 1 0 0 0 1 1 0 1 1 1 1 0 1 1\n"
    "faces 6 { 1 { 4 0 3 2 1 } } { 1 { 4 4 5 6 7 } } { 1 { 4 0 1 5 4 } }\n"
    "{ 1 { 4 1 2 6 5 } } { 1 { 4 2 3 7 6 } } { 1 { 4 3 0 4 7 } } }\n";

std::string SplineGrid() {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os << "4 4\n";
  for (int a = 0; a < 4; ++a) {
    for (int b = 0; b < 4; ++b) os << a * 0.7 << " " << b * 0.3 << " " << (a == b ? 0.2 : 0.0) << "\n";
  }
  return os.str();
}

void WriteBitmap(const fs::path& file) {
  BitmapManager image;
  ASSERT_EQ(image.Create(2, 2), 1);
  image.SetPixel(0, 0, 200, 10, 10);
  ASSERT_EQ(image.Save(file), 1);
}

// One kind of side file: its extension, what to write, the scene text that
// names it as "part" and what shows that it was read.
struct SideFile {
  const char* kind;
  const char* extension;
  std::function<void(const fs::path&)> write;
  std::string scene;
  std::function<bool(const CG_GraphicScene&)> read;
  bool modelPathOnly = false;  // looked for in the model path alone
};

template <class T>
const T* Part(const CG_GraphicScene& scene) {
  return dynamic_cast<const T*>(scene.FindObject("part"));
}

std::string ObjectText(const std::string& model) {
  return "{ object name part; model { " + model + " } }\n.\n";
}

TEST(SideFileCase, EveryKindOpensTheFileTheCaseBlindLookUpFound) {
  const SideFile kinds[] = {
      {"brep", "brp", [](const fs::path& f) { WriteFile(f, kCube); }, ObjectText("brep name part; costr 0;"),
       [](const CG_GraphicScene& s) { return Part<GBRep>(s) != nullptr && Part<GBRep>(s)->VertexCount() == 8; }},
      {"blob", "blb", [](const fs::path& f) { WriteFile(f, "[blob1.0]\nthreshold = 0.5\nsphere = 0 0 0 1.3 1\n"); },
       ObjectText("blob name part;"),
       [](const CG_GraphicScene& s) {
         return Part<GBlob>(s) != nullptr && Part<GBlob>(s)->GetLoadResult() == GBlob::kLoaded &&
                Part<GBlob>(s)->SphereCount() == 1;
       }},
      {"bezier", "bzr",
       [](const fs::path& f) { WriteFile(f, zavo::test::BezierText(zavo::test::FlatBezierPatch(-0.4, 0.1, 0.7))); },
       ObjectText("bezier name part; cache 0;"),
       [](const CG_GraphicScene& s) { return Part<GBezier>(s) != nullptr && Part<GBezier>(s)->PointCount() == 16; }},
      {"NURBS", "nrb",
       [](const fs::path& f) { WriteFile(f, zavo::test::NURBSText(zavo::test::BilinearNURBSPatch(0.6)) + ".\n"); },
       ObjectText("NURBSmesh name part; cache 0;"),
       [](const CG_GraphicScene& s) {
         return Part<CG_NURBSMesh>(s) != nullptr && Part<CG_NURBSMesh>(s)->PointCount() == 4;
       }},
      {"spline", "bsp", [](const fs::path& f) { WriteFile(f, SplineGrid()); }, ObjectText("ucbspline name part;"),
       [](const CG_GraphicScene& s) {
         return Part<GSpline>(s) != nullptr && Part<GSpline>(s)->LoadResult() == zavo::ModelLoad::kLoaded;
       },
       true},
      {"texture", "bmp", [](const fs::path& f) { WriteBitmap(f); }, "{ texture name part; }\n.\n",
       [](const CG_GraphicScene& s) { return s.GetTextures().Find("part") != nullptr; }},
  };
  // The name on disk; the scene always says "part".
  const char* const stems[] = {"part", "PART", "Part"};
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  zavo::AddDocumentModelModules(registry);
  for (const SideFile& kind : kinds) {
    const std::string lower = kind.extension;
    std::string upper = lower;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::string mixed = upper.substr(0, 1) + lower.substr(1);
    for (const char* stem : stems) {
      for (const std::string& extension : {lower, upper, mixed}) {
        for (const bool inModelPath : {false, true}) {
          if (kind.modelPathOnly && !inModelPath) continue;
          const std::string file = std::string(stem) + "." + extension;
          SCOPED_TRACE(std::string(kind.kind) + " " + file + (inModelPath ? " in the model path" : ""));
          TempDir dir;
          ScopedCwd cwd(dir.path());
          fs::create_directory(dir / "lib");
          kind.write((inModelPath ? dir / "lib" : dir.path()) / file);
          CG_GraphicScene scene(registry);
          scene.SetModelPath("lib");
          scene.SetTexturePath("lib");
          std::istringstream in(kind.scene);
          ASSERT_EQ(scene.Load(in), 1) << scene.GetErrorMessage() << " at line " << scene.GetErrorLine();
          EXPECT_TRUE(kind.read(scene));
        }
      }
    }
  }
}

}  // namespace
