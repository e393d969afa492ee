#include "scene/uniform_object_data.h"

#include <cmath>
#include <ostream>
#include <typeinfo>
#include <utility>

#include "foundation/number_text.h"
#include "scene/material.h"
#include "scene/texture.h"

namespace {

// The vector scaled to length 1; a zero (or non-finite) length leaves it as it is.
Point3D Normalised(const Point3D& a) {
  const double length = Length(a);
  if (!(length > 0) || !std::isfinite(length)) return a;
  return {a.x / length, a.y / length, a.z / length};
}

// The bump intensity of a pixel: the mean of its channels over 256.
double Intensity(int red, int green, int blue) { return (red + green + blue) / 3.0 / 256.0; }

}  // namespace

GUniformObjectData::GUniformObjectData(CG_GraphicObjectCommData& data)
    : material(data.material),
      mapping(std::move(data.mapping)),
      texture(data.texture),
      bump(data.bump) {}

int GUniformObjectData::SetCommData(CG_GraphicObjectCommData& data) {
  material = data.material;
  texture = data.texture;
  bump = data.bump;
  mapping = std::move(data.mapping);
  return 0;
}

int GUniformObjectData::GetCommData(CG_GraphicObjectCommData& data) {
  data.material = material;
  data.texture = texture;
  data.bump = bump;
  data.mapping = std::move(mapping);
  return 0;
}

int GUniformObjectData::FillCommData(CG_GraphicObjectCommData& data) const {
  data.material = material;
  data.texture = texture;
  data.bump = bump;
  data.mapping.reset();
  if (!mapping) return 1;
  data.mapping.reset(mapping->Clone());
  return data.mapping ? 1 : 0;
}

int GUniformObjectData::GetMaterials(Seq<CG_NamedMaterial*>& materials) const {
  if (material == nullptr) {
    materials.SetSize(0);
    return 1;
  }
  materials.SetSize(1);
  materials[0] = material;
  return 1;
}

int GUniformObjectData::GetTextures(Seq<CG_Texture*>& textures) const {
  textures.SetSize((texture != nullptr) + (bump != nullptr));
  std::uint32_t i = 0;
  if (texture != nullptr) textures[i++] = texture;
  if (bump != nullptr) textures[i] = bump;
  return 1;
}

int GUniformObjectData::HasMappingOfType(const std::type_info& type) const {
  if (!mapping) return 0;
  const CG_MappingMetod& held = *mapping;
  return typeid(held) == type ? 1 : 0;
}

int GUniformObjectData::HasMaterialOfClass(const CG_Material& given) const {
  if (material == nullptr || material->model == nullptr) return typeid(given) == typeid(CG_MaterialPhong) ? 1 : 0;
  const CG_Material& own = *material->model;
  return typeid(own) == typeid(given) ? 1 : 0;
}

Point3D GUniformObjectData::MaterialColour() const {
  return zavo::ColourOrDefault(material != nullptr ? material->model : nullptr);
}

int GUniformObjectData::MapPoint(CG_Material& working, const Point3D& point) const {
  if (material != nullptr && material->model != nullptr) {
    working.CopyFrom(*material->model);
  } else {
    working.CopyFrom(CG_MaterialPhong());
  }
  if (texture == nullptr) return 1;
  if (!mapping) return 0;
  double u = 0, v = 0;
  mapping->Map(point, u, v);
  working.SetColour(texture->ColorAt(u, v));
  return 1;
}

int GUniformObjectData::OpaqueMaterial() const {
  if (material == nullptr || material->model == nullptr) return CG_MaterialPhong().Kt == 0.0 ? 1 : 0;
  const CG_Material& model = *material->model;
  return typeid(model) == typeid(CG_MaterialPhong) && model.Kt == 0.0 ? 1 : 0;
}

void GUniformObjectData::EvalTexture(const Point3D& point, Point3D& normal) const {
  if (bump == nullptr || !mapping) return;
  double u = 0, v = 0;
  mapping->Map(point, u, v);
  u -= std::floor(u);
  v -= std::floor(v);
  // u is scaled by the height and v by the width: the same for the square
  // images that bump textures are.
  const int x = zavo::SaturateToInt(u * bump->image.Height());
  const int y = zavo::SaturateToInt(v * bump->image.Width());
  // A read outside the image leaves the channels as they are, so it repeats
  // the intensity before it; the first one starts from black.
  int red = 0, green = 0, blue = 0;
  bump->image.GetPixel(x, y, red, green, blue);
  const double i0 = Intensity(red, green, blue);
  bump->image.GetPixel(x, y + 1, red, green, blue);
  const double i1 = Intensity(red, green, blue);
  bump->image.GetPixel(x + 1, y, red, green, blue);
  const double i2 = Intensity(red, green, blue);
  Point3D a1, a2;
  mapping->GetAxes(a1, a2);
  a1 = Normalised(a1);
  a2 = Normalised(a2);
  normal = Normalised(normal + (i1 - i0) * a1 + (i2 - i0) * a2);
}

void GUniformObjectData::Write(std::ostream& os) const {
  if (material != nullptr) os << "\tmaterial " << material->name << ";\n";
  if (texture != nullptr) os << "\ttexture " << texture->name << ";\n";
  if (bump != nullptr) os << "\tbump " << bump->name << ";\n";
  if (mapping) {
    os << "\tmapping {\n\tmapping\n\t\tmodel ";
    mapping->Write(os);
    os << "\t}\n";
  }
}
