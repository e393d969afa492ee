// Reads arbitrary bytes as a patch model's files: the model file and its two
// caches, the mesh "<name>.brp" and the face hierarchy "<name>.br_", in a
// temporary directory, and converts the model to its mesh the way a render
// does. The first byte chooses the model type (Bezier or NURBS mesh) and the
// hierarchy builder; the rest holds up to three parts separated by lines
// "@@": the model file (the fixture's own when empty), the mesh cache and the
// hierarchy cache (absent when empty). The conversion must never crash, a
// mesh it gives must answer a ray, and no temporary file may be left. The
// user break comes after a quarter of a second.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "geometry/brep_model3.h"
#include "geometry/ray.h"
#include "models/core/brep.h"
#include "scene/scene.h"
#include "scene/system_interface.h"

#include "scene_work_directory.h"

namespace {

namespace fs = std::filesystem;

CG_ModelRegistry* registry = nullptr;

const char kNurbsFile[] =
    "{ NURBS\n{ patch orderx 2; ordery 2; dimx 2; dimy 2;\n{ 0; 0; 1; 1; }\n{ 0; 0; 1; 1; }\n"
    "( 0 , 0 , 0 ) , 1;\n( 1 , 0 , 0 ) , 1;\n( 0 , 1 , 0 ) , 1;\n( 1 , 1 , 1 ) , 2;\n}\n}\n.\n";

void WriteText(const fs::path& file, const std::string& text) {
  std::ofstream os(file, std::ios::binary);
  os << text;
}

void RemoveAll() {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(".")) fs::remove_all(entry.path(), error);
}

bool AnyTemporaryFile() {
  for (const auto& entry : fs::directory_iterator(".")) {
    if (entry.path().filename().string().find(".tmp") != std::string::npos) return true;
  }
  return false;
}

std::vector<std::string> Parts(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  while (parts.size() < 2) {
    const std::size_t at = text.find("\n@@\n", from);
    if (at == std::string::npos) break;
    parts.push_back(text.substr(from, at - from));
    from = at + 4;
  }
  parts.push_back(text.substr(from));
  parts.resize(3);
  return parts;
}

using zavo::fuzz::DeadlineInterface;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  registry = zavo::fuzz::SetUpSceneTarget("/tmp/zavo-fuzz-patch-cache-XXXXXX");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool bezier = (data[0] & 1) == 0;
  const char* builders[] = {"auto", "hier", "fasthier", "median"};
  const char* builder = builders[(data[0] >> 1) & 3];
  const std::vector<std::string> parts = Parts(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));

  zavo::fuzz::InWorkDirectory inside;
  struct Removed {
    ~Removed() { RemoveAll(); }
  } removed;
  const std::string model = bezier ? "wing.bzr" : "wing.nrb";
  WriteText(model, !parts[0].empty() ? parts[0] : bezier ? zavo::fuzz::BezierWingFile() : std::string(kNurbsFile));
  if (!parts[1].empty()) WriteText("wing.brp", parts[1]);
  if (!parts[2].empty()) WriteText("wing.br_", parts[2]);

  DeadlineInterface shown;
  CG_GraphicScene scene(*registry);
  scene.SetName("fz");
  scene.SetInterface(&shown);
  std::istringstream in(std::string("{ param _brep_optimiz ") + builder + "; }\n{ object name s; model { " +
                        (bezier ? "bezier" : "NURBSmesh") + " name wing; div 3; cache 1; }\n}\n.\n");
  if (!scene.Load(in)) return 0;
  const zavo::BreakWatch watch;
  for (CG_GraphicObject& object : scene.GetObjects()) {
    zavo::DeclassedParts converted;
    if (object.DeclassToRayTraceable(converted)) {
      for (long i = 0; i < converted.Size(); ++i) {
        auto* brep = dynamic_cast<GBRep*>(converted[i].object);
        if (brep == nullptr) continue;
        zavo::fuzz::Check(brep->VertexCount() >= 0);
        std::unique_ptr<CG_GraphicObjectIntrInfo> record = brep->NewIntrInfo();
        if (record) brep->Intersect(Ray::FromDirection({0.3, 0.4, 5}, {0, 0, -1}), *record);
      }
    }
    zavo::ReleaseDeclassedParts(converted);
  }
  zavo::fuzz::Check(!AnyTemporaryFile());
  return 0;
}
