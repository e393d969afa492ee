#pragma once

// The flip, model keyword "flip": one child object turned inside out. Every
// operation goes to the child, with three changes: the shading normal of a
// hit is negated, the triangles handed out have their second and third
// corners exchanged, and the flip has no material of its own.
//
// Its text body, inside "model \t{ flip" ... "}": one object block, written as
// an object section. A later block replaces the earlier one.

#include <iosfwd>
#include <memory>

#include "models/core/name_only_object.h"
#include "scene/registry.h"

// The editor's record of a flip: the child and whether it is owned.
// Destroying it destroys an owned child.
class CG_FlipDescription {
public:
  CG_FlipDescription() = default;
  ~CG_FlipDescription();
  CG_FlipDescription(const CG_FlipDescription&) = delete;
  CG_FlipDescription& operator=(const CG_FlipDescription&) = delete;

  CG_GraphicObject* child = nullptr;
  int owned = 0;
};

// The hits of one ray: the child's own record.
class CG_FlipIntrInfo : public CG_GraphicObjectIntrInfo {
public:
  explicit CG_FlipIntrInfo(std::unique_ptr<CG_GraphicObjectIntrInfo> childRecord)
      : child(std::move(childRecord)) {}

  double Value(int i) const override { return child->Value(i); }
  int Count() const override { return child->Count(); }

  std::unique_ptr<CG_GraphicObjectIntrInfo> child;
};

class GFlip : public zavo::NameOnlyObject {
public:
  // Name, IDname and toll from the common data; the child and its owned flag
  // move out of the pair (which keeps none). The child must not be null.
  GFlip(const CG_GraphicObjectCommData& data, CG_DeclassedGraphicObject& pair);
  ~GFlip() override;
  GFlip(const GFlip&) = delete;

  // The name only.
  // "{ object\n\tname N;\n\tmodel \t{ flip\n", the child's block, "\t}\n}\n".
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "flip"; }
  // Null unless the flip owns its child; else a flip owning the child's
  // clone (null when the child gives none), with the name only.
  std::unique_ptr<CG_GraphicObject> Clone() const override;

  int IsRayTraceable() const override { return child_->IsRayTraceable(); }
  // Each part of the child's declass wrapped in a new flip named after the
  // part, which takes the part's ownership; the new flips are handed out
  // owned. 0 when the child's declass fails.
  int DeclassToRayTraceable(zavo::DeclassedParts& parts) override;
  // A CG_FlipIntrInfo around the child's record; null when the child gives none.
  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override;
  int Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override;
  // All of the child's hits, as Intersect.
  int IntersectAny(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override {
    return GFlip::Intersect(ray, record);
  }
  // The child's details (mapping and textures applied); the point on the ray
  // at the hit's value; the child's normal negated.
  void HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                  Point3D& point, Point3D& normal) const override;
  int HasMaterialOfClass(const CG_Material& material) const override {
    return child_->HasMaterialOfClass(material);
  }
  const BoundingObject* GetBoundingObject() const override { return child_->GetBoundingObject(); }

  int IsFaced(int) const override { return child_->IsFaced(0); }
  int DeclassToFaced(zavo::DeclassedParts& parts, int mode) override;
  int VertexCount() const override { return child_->VertexCount(); }
  void Vertex(int i, Point3D& point) const override { child_->Vertex(i, point); }
  int FaceCount() const override { return child_->FaceCount(); }
  int FaceLoopCount(int face) const override { return child_->FaceLoopCount(face); }
  void FaceIndices(int face, int loop, Seq<int>& indices) const override {
    child_->FaceIndices(face, loop, indices);
  }
  void FaceColour(int face, Point3D& colour) const override { child_->FaceColour(face, colour); }
  int IsTriangleMesh() const override { return child_->IsTriangleMesh(); }
  int DeclassToTriangleMesh(zavo::DeclassedParts& parts) override;
  int TriangleCount() const override { return child_->TriangleCount(); }
  // The child's triangle with b and c exchanged.
  void Triangle(int i, Point3D& a, Point3D& b, Point3D& c, Point3D& colour) const override {
    child_->Triangle(i, a, c, b, colour);
  }
  int IsIndexedMesh() const override { return child_->IsIndexedMesh(); }
  int DeclassToIndexedMesh(zavo::DeclassedParts& parts, int mode) override;
  int MeshVertexCount() const override { return child_->MeshVertexCount(); }
  void MeshVertex(int i, Point3D& point) const override { child_->MeshVertex(i, point); }
  int MeshTriangleCount() const override { return child_->MeshTriangleCount(); }
  // The child's triangle with b and c exchanged.
  void MeshTriangle(int i, int& a, int& b, int& c) const override { child_->MeshTriangle(i, a, c, b); }
  CG_Material* MeshMaterial() const override { return child_->MeshMaterial(); }

  // The child alone; 1.
  int GetChildren(Seq<CG_GraphicObject*>& children) override;
  int GetMaterials(Seq<CG_NamedMaterial*>& materials) const override { return child_->GetMaterials(materials); }
  int GetTextures(Seq<CG_Texture*>& textures) const override { return child_->GetTextures(textures); }

  // The wrapper matrices are the child's.
  int HasMeshTransform() const override { return child_->HasMeshTransform(); }
  void GetMeshTransform(Transformation& m) const override { child_->GetMeshTransform(m); }
  void RawMeshVertex(int i, Point3D& point) const override { child_->RawMeshVertex(i, point); }
  int HasVertexTransform() const override { return child_->HasVertexTransform(); }
  void GetVertexTransform(Transformation& m) const override { child_->GetVertexTransform(m); }
  void RawVertex(int i, Point3D& point) const override { child_->RawVertex(i, point); }
  int RawBox(GEO_Box& box) const override { return child_->RawBox(box); }

private:
  // The child's declass parts, each wrapped in a new owned flip; childParts
  // is left empty. 1.
  static int WrapParts(zavo::DeclassedParts& parts, zavo::DeclassedParts& childParts);

  CG_GraphicObject* child_;
  int owned_;
};

class CG_FlipModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "flip"; }
  // Reads object blocks up to and including "}"; the last one becomes the
  // child (the earlier ones are destroyed). A failing block, a token other
  // than "{" and "}" (code 5 "Unknown attribute") and a body without a block
  // (code 5 "Object block missing") give null.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
