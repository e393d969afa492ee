#include "scene/light_source.h"

#include "scene/find_by_keyword.h"

Point3D CG_LightSourceBase::ColourAt(const Point3D&, const Point3D&) const { return {}; }

Point3D CG_LightSourceBase::LightReachingPoint(CG_GraphicScene&, const Point3D&, const Point3D&,
                                               CG_Material&) const {
  return {};
}

void CG_LightSource::GetName(charString&) const {}

void CG_LightSource::SetName(const char*) {}

void CG_LightSource::WriteAsObject(std::ostream&) const {}

CG_LightSourceModule* FindLampModule(const List<CG_LightSourceModule>& list, const char* keyword) {
  return FindByKeyword(list, keyword);
}
