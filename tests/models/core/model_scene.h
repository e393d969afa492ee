#pragma once

// A scene for the tests of the model types of this library: a registry with
// the materials, mappings and bounding volumes of the scene layer, the model
// and lamp modules of this library and the scene layer's test models "fake"
// and "fakelight", with the stand-in box installed. Load a text, find its
// objects, write them.

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/seq.h"
#include "geometry/bounding_module.h"
#include "models/core/area_lamp.h"
#include "models/core/box.h"
#include "models/core/brep.h"
#include "models/core/cone.h"
#include "models/core/cone_lamp.h"
#include "models/core/cylinder.h"
#include "models/core/flip.h"
#include "models/core/group.h"
#include "models/core/point_lamp.h"
#include "models/core/quadric.h"
#include "models/core/sphere.h"
#include "models/core/transf.h"
#include "models/core/transf_lamp.h"
#include "scene/fakes.h"
#include "scene/mapping.h"
#include "scene/material.h"
#include "scene/registry.h"
#include "models/registry_scene.h"
#include "scene/scene.h"

namespace zavo::test {

class ModelScene : public RegistryScene {
public:
  ModelScene() : RegistryScene(Registry(), "s") {}

  static CG_ModelRegistry& Registry() {
    static CG_ModelRegistry registry;
    static const bool filled = [] {
      AddSceneLayerModules(registry);
      registry.modelModules.Append(new CG_SphereModule());
      registry.modelModules.Append(new CG_CylinderModule());
      registry.modelModules.Append(new CG_BRepModule());
      registry.modelModules.Append(new CG_BoxModule());
      registry.modelModules.Append(new CG_GroupModule());
      registry.modelModules.Append(new CG_TransfModule());
      registry.modelModules.Append(new CG_QuadModule());
      registry.modelModules.Append(new CG_FlipModule());
      registry.modelModules.Append(new CG_XPointLampModule());
      registry.modelModules.Append(new CG_ConeModule());
      registry.modelModules.Append(new CG_AreaLampModule());
      registry.modelModules.Append(new CG_XConeLampModule());
      registry.modelModules.Append(new FakeModelModule());
      registry.modelModules.Append(new FakeLightModule());
      registry.lampModules.Append(new NGPointLampModule());
      registry.lampModules.Append(new NGConeLampModule());
      registry.lampModules.Append(new NGTransfLampModule());
      registry.SetBoxFactory(zavo::NewStandInBox);
      return true;
    }();
    (void)filled;
    return registry;
  }
};

// The items of a sequence.
template <class T>
std::vector<T> Entries(const Seq<T>& seq) {
  std::vector<T> items;
  for (std::uint32_t i = 0; i < seq.Count(); ++i) items.push_back(seq[i]);
  return items;
}


}  // namespace zavo::test
