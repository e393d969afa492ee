// The scene's global bounding hierarchy: which entries it holds, the method
// that builds it, and its cache "<scene name>.qz_".

#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <ios>
#include <string>
#include <system_error>
#include <vector>

#include "foundation/atomic_file.h"
#include "foundation/user_break.h"
#include "render/bound_hier_builder.h"
#include "render/bound_hier_builder2.h"
#include "render/global_hier_file.h"
#include "render/seq_graphic_object.h"
#include "scene/scene.h"

namespace {

enum class Method { kPairing, kGridFirst, kMedian };

// "hier" and any text not named below pair with the fixed ratio 1.1.
Method MethodOf(const char* optimiz) {
  if (optimiz != nullptr) {
    if (std::strcmp(optimiz, "auto") == 0 || std::strcmp(optimiz, "fasthier") == 0) return Method::kGridFirst;
    if (std::strcmp(optimiz, "median") == 0) return Method::kMedian;
  }
  return Method::kPairing;
}

constexpr double kPairingRatio = 1.1;
constexpr const char* kHierarchyName = "Global hierarchy";

// The build by the method, reporting to the interface.
zavo::GlobalHierarchyPtr BuildTree(Method method, SeqGraphicObject& objects, const GParam& param,
                                   GeoInterface& reporter) {
  if (method == Method::kPairing) {
    BoundHierBuilder<CG_GraphicObjectQZData*, SeqGraphicObject> builder(&objects);
    builder.SetInterface(&reporter);
    builder.SetName(kHierarchyName);
    return builder.Build(kPairingRatio);
  }
  BoundHierBuilder2<CG_GraphicObjectQZData*, SeqGraphicObject> builder(&objects);
  builder.SetInterface(&reporter);
  builder.SetName(kHierarchyName);
  if (method == Method::kMedian) return builder.BuildMedian();
  builder.SetSeedOrder(param._general_hsort);
  builder.SetGridDimension(param._general_grid_dim);
  return builder.Build(param._general_costr);
}

}  // namespace

void CG_GraphicScene::BuildGlobalHierarchy() {
  FreeGlobalHierarchy();
  // Whichever way the tree comes, the ray walks get its layout.
  struct LayOut {
    CG_GraphicScene& scene;
    ~LayOut() { scene.LayOutHierarchy(); }
  } layOut{*this};
  const Method method = MethodOf(param_._general_optimiz.Text());

  std::vector<CG_GraphicObjectQZData*> bounded;
  for (CG_GraphicObjectQZData& entry : traceList_) {
    const CG_GraphicObject* object = entry.object;
    if (object == nullptr || !zavo::TracedAsSurface(*object)) continue;
    GEO_Box box;
    // Under motion blur an anim moves from pixel to pixel: its entries are
    // searched beside the tree, whatever their bounds say now.
    const bool moving = param_.motionblur != 0 && entry.source != nullptr && entry.source->IsAnim();
    if (!moving && CG_GraphicObject::GetBox(object, box)) {
      bounded.push_back(&entry);
    } else {
      unboundedObjects_.Append(new GObjectRef(&entry));
    }
  }
  if (bounded.empty()) return;
  SeqGraphicObject objects(static_cast<std::uint32_t>(bounded.size()));
  for (std::size_t i = 0; i < bounded.size(); ++i) objects[static_cast<std::uint32_t>(i)] = bounded[i];

  GeoInterface& reporter = GetInterface();
  const char* name = GetName();
  if (name == nullptr || name[0] == '\0') {
    hierarchyRoot_ = BuildTree(method, objects, param_, reporter);
    return;
  }
  const std::string path = std::string(name) + ".qz_";
  {
    // A cache that cannot be read (a directory, an I/O error, a bad file) is
    // built again and overwritten.
    std::error_code error;
    std::ifstream in;
    if (std::filesystem::is_regular_file(path, error)) {
      in.open(std::filesystem::path(path), std::ios::in | std::ios::binary);
    }
    if (in.is_open()) {
      reporter.Status(("Loading hierarchy " + path).c_str());
      BoundHierBuilder2<CG_GraphicObjectQZData*, SeqGraphicObject> reader(&objects);
      reader.SetModules(&registry_->boundingModules);
      try {
        hierarchyRoot_ = reader.Load(in);
      } catch (const std::exception&) {
        hierarchyRoot_.reset();
      }
      if (hierarchyRoot_) return;
    }
  }
  reporter.Status("Creating hierarchy");
  hierarchyRoot_ = BuildTree(method, objects, param_, reporter);
  if (zavo::BreakRequested()) return;  // a broken build is thrown away with the run
  reporter.Status(("Saving hierarchy " + path).c_str());
  const zavo::GlobalHierNode* root = hierarchyRoot_.get();
  // A cache that cannot be written is only mentioned: the tree serves all the same.
  const bool saved = zavo::WriteFileAtomically(std::filesystem::path(path), [&](std::ostream& os) {
    zavo::SaveGlobalHierarchy(os, root);
    return true;
  });
  if (!saved && !zavo::BreakRequested()) reporter.Message(("Cannot write the cache " + path).c_str());
}

void CG_GraphicScene::FreeGlobalHierarchy() {
  hierarchyRoot_.reset();
  rayHierarchy_.Clear();
  unboundedObjects_.Clear();
}
