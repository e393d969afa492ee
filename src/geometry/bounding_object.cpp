#include "geometry/bounding_object.h"

#include <ostream>
#include <string>

#include "geometry/real_text.h"

std::unique_ptr<BoundingObject> BoundingObject::Intersect(const BoundingObject& other) const {
  return other.IntersectBox(*this);
}

std::unique_ptr<BoundingBox> BoundingObject::IntersectBox(const BoundingObject& other) const {
  GEO_Box common;
  if (!GEO_Box::Intersection(GetBox(), common, other.GetBox())) return nullptr;
  return std::make_unique<BoundingBox>(common);
}

std::unique_ptr<BoundingObject> BoundingObject::Union(const BoundingObject& other) const {
  return other.UnionBox(*this);
}

std::unique_ptr<BoundingBox> BoundingObject::UnionBox(const BoundingObject& other) const {
  GEO_Box both;
  GEO_Box::Union(GetBox(), both, other.GetBox());
  return std::make_unique<BoundingBox>(both);
}

std::unique_ptr<BoundingObject> BoundingObject::ToBox(const BoundingObject& other) const {
  return other.BoxOf(*this);
}

std::unique_ptr<BoundingBox> BoundingObject::BoxOf(const BoundingObject& other) const {
  return std::make_unique<BoundingBox>(other.GetBox());
}

void BoundingBox::Save(std::ostream& os) const {
  const struct {
    const char* key;
    double value;
  } lines[] = {{"\t\txmin ", box.xmin}, {"\t\txmax ", box.xmax}, {"\t\tymin ", box.ymin},
               {"\t\tymax ", box.ymax}, {"\t\tzmin ", box.zmin}, {"\t\tzmax ", box.zmax}};
  // The block goes out in one write (the hierarchy caches and logs write one
  // per node).
  std::string text;
  text.reserve(192);
  text += "\t{ box\n";
  for (const auto& line : lines) {
    text += line.key;
    zavo::AppendReal(text, line.value);
    text += ";\n";
  }
  text += "\t}\n";
  os.write(text.data(), static_cast<std::streamsize>(text.size()));
}
