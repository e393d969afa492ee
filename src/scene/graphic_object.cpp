#include "scene/graphic_object.h"

#include <ostream>

#include "geometry/bounding_object.h"
#include "geometry/real_text.h"
#include "scene/comm_data.h"
#include "scene/mapping.h"

namespace zavo {

namespace {
BoxFactory standInBoxFactory = nullptr;
}  // namespace

void SetStandInBoxFactory(BoxFactory factory) { standInBoxFactory = factory; }

BoxFactory StandInBoxFactory() { return standInBoxFactory; }

void ReleaseDeclassedParts(DeclassedParts& parts) {
  for (long i = 0; i < parts.Size(); ++i) {
    CG_DeclassedGraphicObject& part = parts[i];
    if (part.owned) delete part.object;
    part.object = nullptr;
    part.owned = 0;
  }
  parts.SetSize(0);
}

namespace {

// A new record with the object's name and common attributes. A type that makes
// no copies itself (NewCommData gives null) is asked through GetCommData and
// gets its attributes back through SetCommData; the copy takes a clone of the
// mapping.
std::unique_ptr<CG_GraphicObjectCommData> CommDataCopy(CG_GraphicObject& object) {
  std::unique_ptr<CG_GraphicObjectCommData> copy = object.NewCommData();
  if (copy) return copy;
  CG_GraphicObjectCommData held;
  held.name = object.name;
  held.IDname = object.IDname;
  held.toll = object.toll;
  object.GetCommData(held);
  copy = std::make_unique<CG_GraphicObjectCommData>();
  copy->name = held.name;
  copy->IDname = held.IDname;
  copy->toll = held.toll;
  copy->material = held.material;
  copy->texture = held.texture;
  copy->bump = held.bump;
  if (held.mapping) copy->mapping.reset(held.mapping->Clone());
  object.SetCommData(held);
  return copy;
}

}  // namespace
}  // namespace zavo

CG_GraphicObject::CG_GraphicObject(const CG_GraphicObjectCommData& data)
    : name(data.name), IDname(data.IDname), toll(data.toll) {}

CG_GraphicObject::CG_GraphicObject(const CG_GraphicObject& other)
    : DblListItem(other),
      CG_LightSourceBase(other),
      name(other.name),
      IDname(other.IDname),
      toll(other.toll) {}

int CG_GraphicObject::ContainsIDname(const char*) const { return 0; }

std::unique_ptr<CG_GraphicObjectCommData> CG_GraphicObject::NewCommData() const { return nullptr; }

std::unique_ptr<CG_GraphicObject> CG_GraphicObject::Clone() const { return nullptr; }

int CG_GraphicObject::DeclassToRayTraceable(zavo::DeclassedParts& parts) { return DeclassToBox(parts); }

std::unique_ptr<CG_GraphicObjectIntrInfo> CG_GraphicObject::NewIntrInfo() const { return nullptr; }

int CG_GraphicObject::Intersect(const Ray&, CG_GraphicObjectIntrInfo&) const { return 0; }

void CG_GraphicObject::HitDetails(const Ray&, CG_GraphicObjectIntrInfo&, int, CG_Material&, Point3D&,
                                  Point3D&) const {}

int CG_GraphicObject::MappingTest(const std::type_info&) const { return 0; }

int CG_GraphicObject::HasMaterialOfClass(const CG_Material&) const { return 0; }

int CG_GraphicObject::IsFaced(int) const { return 0; }

int CG_GraphicObject::DeclassToFaced(zavo::DeclassedParts& parts, int) { return DeclassToBox(parts); }

void CG_GraphicObject::Vertex(int, Point3D&) const {}

int CG_GraphicObject::FaceLoopCount(int) const { return 0; }

void CG_GraphicObject::FaceIndices(int, int, Seq<int>&) const {}

void CG_GraphicObject::FaceColour(int, Point3D&) const {}

int CG_GraphicObject::DeclassToTriangleMesh(zavo::DeclassedParts& parts) { return DeclassToBox(parts); }

void CG_GraphicObject::Triangle(int, Point3D&, Point3D&, Point3D&, Point3D&) const {}

int CG_GraphicObject::DeclassToIndexedMesh(zavo::DeclassedParts& parts, int) { return DeclassToBox(parts); }

int CG_GraphicObject::DeclassToIndexedMeshOrBox(zavo::DeclassedParts& parts) {
  if (DeclassToIndexedMesh(parts, 0)) return 1;
  return StandInBox(parts, GEO_Box{-1, 1, -1, 1, -1, 1});
}

void CG_GraphicObject::MeshVertex(int, Point3D&) const {}

void CG_GraphicObject::MeshTriangle(int, int&, int&, int&) const {}

int CG_GraphicObject::Evaluate(double, Point3D&) const { return 0; }

int CG_GraphicObject::Derive(double, Point3D&) const { return 0; }

int CG_GraphicObject::GetControl(int, Point3D&) const { return 0; }

int CG_GraphicObject::SetControl(int, const Point3D&) { return 0; }

int CG_GraphicObject::CopyControl(int from, int to) {
  Point3D point;
  GetControl(from, point);
  SetControl(to, point);
  return 1;
}

int CG_GraphicObject::SetControlCount(int) { return 0; }

int CG_GraphicObject::SetOpen(int) { return 0; }

int CG_GraphicObject::GetChildren(Seq<CG_GraphicObject*>&) { return 0; }

int CG_GraphicObject::GetMaterials(Seq<CG_NamedMaterial*>&) const { return 0; }

int CG_GraphicObject::GetTextures(Seq<CG_Texture*>&) const { return 0; }

void CG_GraphicObject::Edge(int, int&, int&) const {}

void CG_GraphicObject::GetMeshTransform(Transformation&) const {}

void CG_GraphicObject::RawMeshVertex(int, Point3D&) const {}

void CG_GraphicObject::GetVertexTransform(Transformation&) const {}

void CG_GraphicObject::RawVertex(int, Point3D&) const {}

int CG_GraphicObject::RawBox(GEO_Box&) const { return 0; }

int CG_GraphicObject::SetFrameCount(double) { return 0; }

int CG_GraphicObject::SetFrame(double) { return 0; }

int CG_GraphicObject::FieldDisplacement(const Point3D&, Point3D&) const { return 0; }

int CG_GraphicObject::GetView(CG_ViewReference&) const { return 0; }

int CG_GraphicObject::SetView(const CG_ViewReference&) { return 0; }

int CG_GraphicObject::GetBox(const CG_GraphicObject* object, GEO_Box& box) {
  if (object == nullptr) return 0;
  const BoundingObject* volume = object->GetBoundingObject();
  if (volume == nullptr) return 0;
  box = volume->GetBox();
  return 1;
}

int CG_GraphicObject::DeclassToBox(zavo::DeclassedParts& parts) {
  GEO_Box box;
  if (!GetBox(this, box)) return 0;
  return StandInBox(parts, box);
}

int CG_GraphicObject::StandInBox(zavo::DeclassedParts& parts, const GEO_Box& box) {
  zavo::BoxFactory factory = zavo::StandInBoxFactory();
  if (factory == nullptr) return 0;
  std::unique_ptr<CG_GraphicObjectCommData> data = zavo::CommDataCopy(*this);
  std::unique_ptr<CG_GraphicObject> standIn = factory(*data, box);
  if (!standIn) return 0;
  parts.SetSize(1);
  parts[0].object = standIn.release();
  parts[0].owned = 1;
  return 1;
}

void CG_GraphicObject::WriteIDnameAndToll(std::ostream& os) const {
  if (IDname.Text() != nullptr && IDname.Text()[0] != '\0') os << "\tIDname " << IDname << ";\n";
  if (!zavo::WrittenAlike(toll, CG_GraphicObjectCommData().toll)) {
    os << "\ttoll ";
    zavo::WriteReal(os, toll);
    os << ";\n";
  }
}
