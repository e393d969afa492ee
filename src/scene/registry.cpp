#include "scene/registry.h"

#include "scene/find_by_keyword.h"

CG_GraphicObjectModule* FindModule(const List<CG_GraphicObjectModule>& list, const char* keyword) {
  return FindByKeyword(list, keyword);
}

void CG_ModelRegistry::SetBoxFactory(zavo::BoxFactory factory) {
  boxFactory_ = factory;
  zavo::SetStandInBoxFactory(factory);
}

std::unique_ptr<CG_GraphicObject> CG_ModelRegistry::NewBox(CG_GraphicObjectCommData& data,
                                                           const GEO_Box& box) const {
  if (boxFactory_ == nullptr) return nullptr;
  return boxFactory_(data, box);
}

std::unique_ptr<CG_GraphicObject> CG_ModelRegistry::NewCamera(CG_GraphicObjectCommData& data,
                                                              const CG_ViewReference& view) const {
  if (cameraFactory_ == nullptr) return nullptr;
  return cameraFactory_(data, view, FindModule(modelModules, "camera"));
}
