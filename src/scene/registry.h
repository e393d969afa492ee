#pragma once

// The model-type registry: one list of factories per kind of thing that a scene
// text names by a keyword, and the two factories through which the scene layer
// makes objects of model types it does not know (the stand-in box of the
// default declass conversions and the camera of a "{ vrc" section).
//
// Every lookup walks its list from the head and takes the first factory whose
// keyword equals the text exactly (case-sensitive), so order is behaviour:
// FindModule, FindLampModule, and FindByKeyword on the shading, material and
// mapping lists.

#include <memory>

#include "foundation/list.h"
#include "geometry/bounding_module.h"
#include "scene/find_by_keyword.h"
#include "scene/graphic_object.h"
#include "scene/light_source.h"
#include "scene/mapping.h"
#include "scene/material.h"
#include "scene/shading_method.h"

class CG_GraphicScene;
class CG_ViewReference;
class ScannerMemo;

// The reader of one model type, found by keyword in the registry's model list.
class CG_GraphicObjectModule : public ListItem {
public:
  CG_GraphicObjectModule() = default;
  virtual ~CG_GraphicObjectModule() = default;
  CG_GraphicObjectModule(const CG_GraphicObjectModule&) = delete;
  CG_GraphicObjectModule& operator=(const CG_GraphicObjectModule&) = delete;

  // The model keyword.
  virtual const char* Keyword() const = 0;
  // Reads the model body standing after the keyword, up to and including the
  // "}" that closes "model {", and makes the object from it and the common data
  // (name, attributes; the object takes the mapping over). The new object, or
  // null with the error recorded in the scene (SetError: 4 a model file not
  // found, 5 a bad attribute).
  virtual std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                                 CG_GraphicObjectCommData& data) = 0;
};

// The first module of the list, from the head, whose keyword equals the text
// exactly; null when none does.
CG_GraphicObjectModule* FindModule(const List<CG_GraphicObjectModule>& list, const char* keyword);

namespace zavo {

// Makes the camera object of a "{ vrc" section from the common data, the view
// record and the registry's "camera" module (null when there is none). Null
// when it cannot be made.
using CameraFactory = std::unique_ptr<CG_GraphicObject> (*)(CG_GraphicObjectCommData& data,
                                                            const CG_ViewReference& view,
                                                            CG_GraphicObjectModule* cameraModule);

}  // namespace zavo

// Owns its factories; the scenes that use it do not. Filled once by its owner
// (BuildRegistry) before the first scene is made on it, and outlives them.
class CG_ModelRegistry {
public:
  CG_ModelRegistry() = default;
  CG_ModelRegistry(const CG_ModelRegistry&) = delete;
  CG_ModelRegistry& operator=(const CG_ModelRegistry&) = delete;

  List<CG_GraphicObjectModule> modelModules;
  List<CG_LightSourceModule> lampModules;
  List<BoundingObjectModule> boundingModules;
  List<CG_ShadingMetod> shadingMethods;
  List<CG_MaterialModule> materialModules;
  List<CG_MappingModule> mappingModules;

  // Installs the stand-in box factory (null: none). It also becomes the
  // process-wide one that the default declass conversions call.
  void SetBoxFactory(zavo::BoxFactory factory);
  void SetCameraFactory(zavo::CameraFactory factory) { cameraFactory_ = factory; }
  zavo::BoxFactory GetBoxFactory() const { return boxFactory_; }
  zavo::CameraFactory GetCameraFactory() const { return cameraFactory_; }

  // The stand-in box for the common data and the box; null without a factory.
  std::unique_ptr<CG_GraphicObject> NewBox(CG_GraphicObjectCommData& data, const GEO_Box& box) const;
  // A camera object for the common data and the view record, made with the
  // model list's "camera" module; null without a factory.
  std::unique_ptr<CG_GraphicObject> NewCamera(CG_GraphicObjectCommData& data,
                                              const CG_ViewReference& view) const;

private:
  zavo::BoxFactory boxFactory_ = nullptr;
  zavo::CameraFactory cameraFactory_ = nullptr;
};
