// Reads arbitrary bytes as the hierarchy cache "<scene>.qz_" of a fixed scene
// of five objects (four boxes and a sphere), in a temporary directory. The
// build must never crash: whether it loads the bytes or builds, it ends with a
// tree that holds every traced object in exactly one leaf, under bounds that
// hold what lies below them (within the rounding of the cache text), and the
// cache that the tree writes loads again as the same tree.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "models/registry.h"
#include "render/global_hier_file.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace {

namespace fs = std::filesystem;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

class Recorder : public CG_GraphicSystemInterface {
public:
  void Status(const char* text) override { statuses.emplace_back(text); }
  void Message(const char*) override {}
  std::int32_t UserBreak() override { return 0; }
  void PlotPixel(int, int, double, double, double) override {}
  std::vector<std::string> statuses;
};

const char kScene[] =
    "{ object name a; model { box xmin 0; xmax 1; ymin 0; ymax 1; zmin 0; zmax 1; } }\n"
    "{ object name b; model { box xmin 2; xmax 3; ymin 0; ymax 1; zmin 0; zmax 1; } }\n"
    "{ object name c; model { box xmin 10; xmax 11; ymin 0; ymax 1; zmin 0; zmax 1; } }\n"
    "{ object name d; model { box xmin -3.25; xmax 1e-07; ymin 1; ymax 2.5; zmin 0; zmax 0; } }\n"
    "{ object name s; model { sphere center ( 20 , 0.333333 , 0 ); radius 1.5; } }\n"
    ".\n";

struct Fixture {
  fs::path dir;
  CG_ModelRegistry registry;
  CG_GraphicScene scene{registry};
  Recorder ui;
  std::string cache;
};
Fixture* fixture = nullptr;

bool NotBelow(double inner, double bound) {
  return inner >= bound || std::fabs(inner - bound) <= 1e-5 * std::max(std::fabs(inner), std::fabs(bound));
}
bool Inside(const GEO_Box& in, const GEO_Box& out) {
  return NotBelow(in.xmin, out.xmin) && NotBelow(-in.xmax, -out.xmax) && NotBelow(in.ymin, out.ymin) &&
         NotBelow(-in.ymax, -out.ymax) && NotBelow(in.zmin, out.zmin) && NotBelow(-in.zmax, -out.zmax);
}

void CheckTree(CG_GraphicScene& scene) {
  const zavo::GlobalHierNode* root = scene.GetHierarchyRoot();
  Check(root != nullptr);
  std::map<const CG_GraphicObjectQZData*, int> seen;
  std::vector<const zavo::GlobalHierNode*> pending{root};
  while (!pending.empty()) {
    const zavo::GlobalHierNode* node = pending.back();
    pending.pop_back();
    Check(node->box != nullptr);
    const GEO_Box bound = node->box->GetBox();
    for (std::uint32_t c = 0; c < node->children.Count(); ++c) {
      Check(Inside(node->children[c]->box->GetBox(), bound));
      pending.push_back(node->children[c]);
    }
    for (std::uint32_t e = 0; e < node->elements.Count(); ++e) {
      ++seen[node->elements[e]];
      Check(Inside(node->elements[e]->object->GetBoundingObject()->GetBox(), bound));
    }
  }
  int traced = 0;
  for (CG_GraphicObjectQZData& entry : scene.GetTraceList()) {
    ++traced;
    Check(seen[&entry] == 1);
  }
  Check(static_cast<int>(seen.size()) == traced);
}

std::string Saved(const CG_GraphicScene& scene) {
  std::ostringstream os;
  zavo::SaveGlobalHierarchy(os, scene.GetHierarchyRoot());
  return os.str();
}

void WriteCache(const std::string& bytes) {
  std::ofstream out(fixture->cache, std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Every input writes the cache twice: memory-backed files when there are any.
  char shared[] = "/dev/shm/zavo-fuzz-qz-cache-XXXXXX";
  char temporary[] = "/tmp/zavo-fuzz-qz-cache-XXXXXX";
  const char* dir = mkdtemp(shared);
  if (dir == nullptr) dir = mkdtemp(temporary);
  if (dir == nullptr) std::abort();
  fixture = new Fixture;
  fixture->dir = dir;
  std::atexit([] {
    std::error_code error;
    fs::remove_all(fixture->dir, error);
  });
  BuildRegistry(fixture->registry);
  CG_GraphicScene& scene = fixture->scene;
  std::istringstream in(kScene);
  if (scene.Load(in) != 1) std::abort();
  scene.SetInterface(&fixture->ui);
  scene.SetName((fixture->dir / "scene").string().c_str());
  scene.GetParam()._general_optimiz = "hier";
  scene.PrepareTraceData();
  fixture->cache = (fixture->dir / "scene").string() + ".qz_";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CG_GraphicScene& scene = fixture->scene;
  std::vector<std::string>& statuses = fixture->ui.statuses;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  WriteCache(bytes);
  statuses.clear();
  scene.BuildGlobalHierarchy();
  CheckTree(scene);
  const std::string loading = "Loading hierarchy " + fixture->cache;
  Check(!statuses.empty() && statuses.front() == loading);
  const std::string saved = Saved(scene);
  if (statuses.size() > 1) {
    // Not used: built and written over.
    Check(statuses[1] == "Creating hierarchy" && statuses.back() == "Saving hierarchy " + fixture->cache);
  } else {
    WriteCache(saved);
  }

  // The cache of the tree loads as the same tree.
  scene.FreeGlobalHierarchy();
  statuses.clear();
  scene.BuildGlobalHierarchy();
  Check(statuses.size() == 1 && statuses[0] == loading);
  Check(Saved(scene) == saved);
  scene.FreeGlobalHierarchy();
  Check(scene.GetHierarchyRoot() == nullptr);
  return 0;
}
