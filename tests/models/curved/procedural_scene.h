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
#include "scene/scene.h"

namespace zavo::test {

class ProceduralScene {
public:
  ProceduralScene() : scene_(Registry()) {}

  int Load(const std::string& text) {
    std::istringstream in(text);
    return scene_.Load(in);
  }
  // Loads "{ object name NAME; model { MODEL } }" and "."; 1 on success.
  int LoadObject(const std::string& model, const std::string& name = "s") {
    return Load("{ object\n\tname " + name + ";\n\tmodel { " + model + " }\n}\n.\n");
  }

  CG_GraphicScene& scene() { return scene_; }
  CG_GraphicObject* Find(const char* name = "s") const { return scene_.FindObject(name); }
  int Code() const { return scene_.GetErrorCode(); }
  std::string Message() const {
    const char* m = scene_.GetErrorMessage();
    return m != nullptr ? m : "";
  }
  int Line() const { return scene_.GetErrorLine(); }

  static CG_ModelRegistry& Registry() {
    static CG_ModelRegistry registry;
    static const bool filled = [] {
      BoundingObjectModule::CreateDefaultList(registry.boundingModules);
      registry.mappingModules.Append(new CG_PlanarMappingModule());
      registry.mappingModules.Append(new CG_SphericalMappingModule());
      registry.mappingModules.Append(new CG_CilindricMappingModule());
      registry.materialModules.Append(new CG_MaterialPhongModule());
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

private:
  CG_GraphicScene scene_;
};

inline std::string WrittenText(const CG_GraphicObject& object) {
  std::ostringstream os;
  object.Write(os);
  return os.str();
}

}  // namespace zavo::test
