// Loads arbitrary text as a scene and renders it at a tiny size by its own
// render parameters (every render mode, trace depth, anti-aliasing, jitter,
// spread rays, depth of field, motion blur, atmospheric attenuation, mesh
// conversion of CSG objects, hierarchy builds and caches), inside a
// temporary directory that holds a mesh file "cube.brp" and a Bezier patch
// file "wing.bzr". The work of one input is bounded: the image is at most
// 6 x 6 pixels, tessellations finer than div 24 are not rendered, and the
// interface answers the user break after a quarter of a second, which every
// long step must honour. A render must never crash nor leave a temporary file.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "models/core/camera.h"
#include "scene/scene.h"
#include "scene/system_interface.h"

#include "scene_work_directory.h"

namespace {

namespace fs = std::filesystem;

CG_ModelRegistry* registry = nullptr;

const char kCube[] =
    "{ pbrep vertices 8 0 0 0 1 0 0 1 1 0 0 1 0 0 0 1 1 0 1 1 1 1 0 1 1\n"
    "faces 6 { 1 { 4 0 3 2 1 } } { 1 { 4 4 5 6 7 } } { 1 { 4 0 1 5 4 } }\n"
    "{ 1 { 4 1 2 6 5 } } { 1 { 4 2 3 7 6 } } { 1 { 4 3 0 4 7 } } }\n";

bool IsFixture(const fs::path& name) { return name == "cube.brp" || name == "wing.bzr"; }

// Everything a render made (images, exports, caches, logs, cache folders).
void RemoveOutputs() {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(".")) {
    if (!IsFixture(entry.path().filename())) fs::remove_all(entry.path(), error);
  }
}

bool AnyTemporaryFile() {
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(".", error); !error && it != fs::recursive_directory_iterator();
       it.increment(error)) {
    if (it->path().filename().string().find(".tmp") != std::string::npos) return true;
  }
  return false;
}

// True when some "div" is followed by a number above 24: such tessellations
// are correct but slow, and fuzzing them finds nothing new.
bool FineTessellation(const std::string& text) {
  for (std::size_t at = text.find("div"); at != std::string::npos; at = text.find("div", at + 3)) {
    std::size_t p = at + 3;
    while (p < text.size() && !std::isdigit(static_cast<unsigned char>(text[p])) && text[p] != ';' &&
           p - at < 12) {
      ++p;
    }
    long value = 0;
    for (; p < text.size() && std::isdigit(static_cast<unsigned char>(text[p])) && value <= 1000; ++p) {
      value = value * 10 + (text[p] - '0');
    }
    if (value > 24) return true;
  }
  return false;
}

using zavo::fuzz::DeadlineInterface;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  registry = zavo::fuzz::SetUpSceneTarget("/tmp/zavo-fuzz-render-XXXXXX");
  registry->SetCameraFactory(zavo::NewCameraObject);
  zavo::fuzz::InWorkDirectory inside;
  std::ofstream cube("cube.brp");
  cube << kCube;
  std::ofstream wing("wing.bzr");
  wing << zavo::fuzz::BezierWingFile();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (FineTessellation(text)) return 0;
  zavo::fuzz::InWorkDirectory inside;
  struct OutputsRemoved {
    ~OutputsRemoved() { RemoveOutputs(); }
  } outputsRemoved;
  DeadlineInterface shown;
  CG_GraphicScene scene(*registry);
  scene.SetName("fz");
  scene.SetInterface(&shown);
  std::istringstream in(text);
  if (!scene.Load(in)) return 0;
  GParam& param = scene.GetParam();
  param.dimx = std::min(param.dimx, 6);
  param.dimy = std::min(param.dimy, 6);
  scene.Render();
  zavo::fuzz::Check(!AnyTemporaryFile());
  return 0;
}
