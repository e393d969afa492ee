#pragma once

// A scene over a registry of chosen model modules, for the tests of the model
// types: load a text, find its objects, read the error, write them.

#include <sstream>
#include <string>

#include "geometry/bounding_module.h"
#include "scene/mapping.h"
#include "scene/material.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace zavo::test {

// The scene layer's bounding volumes, mappings and material into a registry.
inline void AddSceneLayerModules(CG_ModelRegistry& registry) {
  BoundingObjectModule::CreateDefaultList(registry.boundingModules);
  registry.mappingModules.Append(new CG_PlanarMappingModule());
  registry.mappingModules.Append(new CG_SphericalMappingModule());
  registry.mappingModules.Append(new CG_CilindricMappingModule());
  registry.materialModules.Append(new CG_MaterialPhongModule());
}

class RegistryScene {
public:
  // Objects loaded by LoadObject and looked for by Find are called defaultName
  // unless named.
  RegistryScene(CG_ModelRegistry& registry, const char* defaultName) : scene_(registry), name_(defaultName) {}

  // Loads the scene text; 1 on success.
  int Load(const std::string& text) {
    std::istringstream in(text);
    return scene_.Load(in);
  }
  // Loads "{ object name NAME; model { MODEL } }" and "."; 1 on success.
  int LoadObject(const std::string& model) { return LoadObject(model, name_); }
  int LoadObject(const std::string& model, const std::string& name) {
    return Load("{ object\n\tname " + name + ";\n\tmodel { " + model + " }\n}\n.\n");
  }

  CG_GraphicScene& scene() { return scene_; }
  CG_GraphicObject* Find() const { return scene_.FindObject(name_.c_str()); }
  CG_GraphicObject* Find(const char* name) const { return scene_.FindObject(name); }
  int Code() const { return scene_.GetErrorCode(); }
  int Line() const { return scene_.GetErrorLine(); }
  std::string Message() const {
    const char* m = scene_.GetErrorMessage();
    return m != nullptr ? m : "";
  }

private:
  CG_GraphicScene scene_;
  std::string name_;
};

// What the object's Write gives.
inline std::string Written(const CG_GraphicObject& object) {
  std::ostringstream os;
  object.Write(os);
  return os.str();
}

// The block without its first IDname and toll lines: what a copy writes,
// which takes neither.
inline std::string WithoutIDnameAndToll(std::string block) {
  for (const char* key : {"\n\tIDname ", "\n\ttoll "}) {
    const std::size_t at = block.find(key);
    if (at != std::string::npos) block.erase(at + 1, block.find('\n', at + 1) - at);
  }
  return block;
}

}  // namespace zavo::test
