#pragma once

// A scene for the tests of the curved model types: the registry of the core
// model tests plus the patch models and the spline surface, a recording
// interface, and a temporary working directory with a "models" directory
// along the model path.

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "foundation/fragmented_seq.h"
#include "models/core/brep.h"
#include "models/core/model_scene.h"
#include "models/curved/bezier.h"
#include "models/curved/nurbs_mesh.h"
#include "models/curved/spline.h"
#include "scene/fakes.h"
#include "scene/scene.h"

namespace zavo::test {

inline CG_ModelRegistry& CurvedRegistry() {
  static CG_ModelRegistry& registry = [] () -> CG_ModelRegistry& {
    CG_ModelRegistry& r = ModelScene::Registry();
    r.modelModules.Append(new CG_SplineModule());
    r.modelModules.Append(new CG_NURBSMeshModule());
    r.modelModules.Append(new CG_BezierModule());
    return r;
  }();
  return registry;
}

// Works in a fresh temporary directory.
class CurvedFiles {
public:
  CurvedFiles() : cwd_(dir_.path()), scene_(CurvedRegistry()) {
    std::filesystem::create_directory(dir_ / "models");
    scene_.SetModelPath("models");
    scene_.SetInterface(&shown_);
  }

  // Loads "{ object name NAME; model { BODY }" and "."; the body holds the
  // model block's closing "}". 1 on success.
  int LoadObject(const std::string& body, const std::string& name = "s") {
    std::istringstream in("{ object\n\tname " + name + ";\n\tmodel { " + body + "\n}\n.\n");
    return scene_.Load(in);
  }
  int Load(const std::string& text) {
    std::istringstream in(text);
    return scene_.Load(in);
  }
  template <class T>
  T* Find(const char* name = "s") {
    return dynamic_cast<T*>(scene_.FindObject(name));
  }
  std::string Error() const {
    const char* m = scene_.GetErrorMessage();
    return std::to_string(scene_.GetErrorCode()) + " " + (m != nullptr ? m : "");
  }

  TempDir dir_;
  ScopedCwd cwd_;
  RecordingInterface shown_;
  CG_GraphicScene scene_;
};

// The one GBRep that a conversion gives (checked: one owned entry).
struct Converted {
  zavo::DeclassedParts parts;
  ~Converted() { zavo::ReleaseDeclassedParts(parts); }
  GBRep* brep() const {
    if (parts.Size() != 1 || parts[0].owned != 1) return nullptr;
    return dynamic_cast<GBRep*>(parts[0].object);
  }
};

// The status texts shown, from index from on.
inline std::vector<std::string> StatusesFrom(const RecordingInterface& shown, std::size_t from = 0) {
  return std::vector<std::string>(shown.statuses.begin() + static_cast<long>(from), shown.statuses.end());
}

inline bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  for (const std::string& t : texts) {
    if (t == text) return true;
  }
  return false;
}

}  // namespace zavo::test
