#include "models/core/point_lamp.h"

GPointLamp::GPointLamp(const char* lampName, CG_LightSourceModule* module,
                       const CG_PointLampDescription& description)
    : CG_LightSource(lampName), pos_(description.pos), color_(description.color), module_(module) {}

Point3D GPointLamp::ColourAt(const Point3D&, const Point3D&) const { return color_; }

void GPointLamp::GetDescription(CG_PointLampDescription& description) const {
  description.pos = pos_;
  description.color = color_;
}

void GPointLamp::SetDescription(const CG_PointLampDescription& description) {
  pos_ = description.pos;
  color_ = description.color;
}

GXPointLamp::GXPointLamp(CG_GraphicObjectCommData& data, const CG_XPointLampDescription& description)
    : GSphere(data, description), color_(description.color) {}

std::unique_ptr<CG_GraphicObject> GXPointLamp::Clone() const {
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return nullptr;
  CG_XPointLampDescription description;
  GetDescription(description);
  return std::make_unique<GXPointLamp>(*data, description);
}

std::unique_ptr<CG_GraphicObjectIntrInfo> GXPointLamp::NewIntrInfo() const {
  return std::make_unique<CG_PointLampIntrInfo>();
}

Point3D GXPointLamp::ColourAt(const Point3D&, const Point3D&) const { return color_; }

Point3D GXPointLamp::Position() const {
  CG_SphereDescription sphere;
  GSphere::GetDescription(sphere);
  return sphere.center;
}

void GXPointLamp::GetDescription(CG_XPointLampDescription& description) const {
  GSphere::GetDescription(description);
  description.color = color_;
}

void GXPointLamp::SetDescription(const CG_XPointLampDescription& description) {
  GSphere::SetDescription(description);
  color_ = description.color;
}
