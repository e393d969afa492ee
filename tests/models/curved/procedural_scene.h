#pragma once

// A scene for the tests of the blob, the field and the abstract VRML node:
// a registry with the materials, mappings and bounding volumes of the scene
// layer, the models that the tests nest (sphere, brep, box, transf,
// polyline, bezier) and the three model types. Load a text, find its objects, write them.

#include <memory>
#include <sstream>
#include <string>

#include "geometry/bounding_module.h"
#include "models/core/box.h"
#include "models/core/brep.h"
#include "models/core/sphere.h"
#include "models/core/transf.h"
#include "models/curved/bezier.h"
#include "models/curved/blob.h"
#include "models/curved/field.h"
#include "models/curved/polyline.h"
#include "models/curved/vrml_node.h"
#include "scene/mapping.h"
#include "scene/material.h"
#include "scene/registry.h"
#include "models/registry_scene.h"
#include "scene/scene.h"

namespace zavo::test {

class ProceduralScene : public RegistryScene {
public:
  ProceduralScene() : RegistryScene(Registry(), "s") {}

  static CG_ModelRegistry& Registry() {
    static CG_ModelRegistry registry;
    static const bool filled = [] {
      AddSceneLayerModules(registry);
      registry.modelModules.Append(new CG_SphereModule());
      registry.modelModules.Append(new CG_BRepModule());
      registry.modelModules.Append(new CG_BoxModule());
      registry.modelModules.Append(new CG_TransfModule());
      registry.modelModules.Append(new CG_BlobModule());
      registry.modelModules.Append(new CG_FieldModule());
      registry.modelModules.Append(new CG_AbstractVRMLNodeModule());
      registry.modelModules.Append(new CG_PolylineModule());
      registry.modelModules.Append(new CG_BezierModule());
      registry.SetBoxFactory(zavo::NewStandInBox);
      return true;
    }();
    (void)filled;
    return registry;
  }
};


}  // namespace zavo::test
