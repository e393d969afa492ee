#pragma once

// The transf, model keyword "transf": one child object placed under a list of
// transformation steps (transf_steps.h). It has no geometry of its own:
// rays, points and light directions go into the child's frame through the
// inverse matrix; points, vectors, boxes and matrices come back through the
// forward matrix, normals through the inverse transpose of its 3 x 3 part
// (renormalised), so that they stay perpendicular to the surface under
// non-uniform scales and shears. A transf around a lamp object is itself a
// light source.
//
// Its text body, inside "model \t{ transf" ... "}": step lines in any number
// and one object block (the child), written as an object section:
//   { object
//   	name moved;
//   	model 	{ transf
//   		t ( 0 , 0 , -3 );
//   		s ( 2 , 2 , 2 );
//   { object ... the child's block ... }
//   	}
//   }
// A later object block replaces the child. IDname and toll are not written.

#include <iosfwd>
#include <memory>

#include "foundation/vector.h"
#include "geometry/bounding_object.h"
#include "geometry/ray.h"
#include "geometry/transformation.h"
#include "models/core/transf_steps.h"
#include "models/core/name_only_object.h"
#include "scene/registry.h"

// What builds and edits a transf: the steps, the child and whether the
// transf is to own it. Destroying it destroys an owned child.
class CG_TransfDescription {
public:
  CG_TransfDescription() = default;
  ~CG_TransfDescription();
  CG_TransfDescription(const CG_TransfDescription&) = delete;
  CG_TransfDescription& operator=(const CG_TransfDescription&) = delete;

  List<t_Data> steps;
  CG_GraphicObject* child = nullptr;
  int ownsChild = 0;
};

// The hits of one ray: the child's own record, the scene-frame distance of
// each of the child's hits (in the child's order) and the ray in the child's
// frame.
class CG_TransfIntrInfo : public CG_GraphicObjectIntrInfo {
public:
  explicit CG_TransfIntrInfo(std::unique_ptr<CG_GraphicObjectIntrInfo> childRecord)
      : child(std::move(childRecord)) {}

  double Value(int i) const override {
    return i >= 0 && static_cast<std::uint32_t>(i) < hits.Count() ? hits[static_cast<std::uint32_t>(i)] : 0.0;
  }
  int Count() const override { return static_cast<int>(hits.Count()); }

  std::unique_ptr<CG_GraphicObjectIntrInfo> child;
  Vector<double> hits;
  Ray localRay{{0.0, 0.0, 0.0}, {1.0, 0.0, 0.0}};
};

class GTransf : public zavo::NameOnlyObject {
public:
  // Name, IDname and toll from the common data; then SetTransformList with
  // the description. Throws xMatrix, taking nothing from the description,
  // when the steps have no inverse.
  GTransf(const CG_GraphicObjectCommData& data, CG_TransfDescription& description);
  ~GTransf() override;
  GTransf(const GTransf&) = delete;

  // Hands the child and its ownership to the description (the transf keeps
  // no child until SetTransformList, and must not be used meanwhile) and
  // replaces the description's steps by copies of the transf's.
  void GetTransformList(CG_TransfDescription& description);
  // Takes the description's child and ownership (an owned child held before
  // is destroyed), copies its steps, composes the matrices and renews the
  // box. Throws xMatrix, changing nothing, when the steps have no inverse.
  void SetTransformList(CG_TransfDescription& description);

  // ---- Identity, common data, text ----

  int ContainsIDname(const char* id) const override { return Child().ContainsIDname(id); }
  int IsLightSource() const override { return Child().IsLightSource(); }
  // The name only.
  // The child's record.
  std::unique_ptr<CG_GraphicObjectCommData> DupCommData() const override { return Child().DupCommData(); }
  // "{ object\n\tname N;\n\tmodel \t{ transf\n", the step lines, the child's
  // block, "\t}\n}\n".
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "transf"; }
  // Null unless the transf owns its child; else a transf with the name only
  // (no IDname, the default toll), copies of the steps and the child's clone
  // (null when the child gives none).
  std::unique_ptr<CG_GraphicObject> Clone() const override;

  // ---- Ray tracing ----

  int IsRayTraceable() const override { return Child().IsRayTraceable(); }
  // Each part of the child's declass in a new transf with copies of the
  // steps, owning the part when the child's entry did; the new transfs are
  // handed out owned. 0 when the child's declass fails.
  int DeclassToRayTraceable(zavo::DeclassedParts& parts) override;
  // A CG_TransfIntrInfo around the child's record; null when the child
  // gives none.
  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override;
  // The child's hits of the ray mapped into its frame; each value is the
  // scene-frame distance from the ray's origin to the hit.
  int Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override;
  // The child's answer at the point taken into the child's frame.
  int ImplicitInside(const Point3D& point, int& inside) const override;
  int IntersectAny(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override {
    return GTransf::Intersect(ray, record);
  }
  // The child's details for the local ray (mapping and textures move with
  // the object); the point on the scene ray at the hit's value; the child's
  // normal through the inverse transpose, of unit length.
  void HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                  Point3D& point, Point3D& normal) const override;
  int AlwaysOpaque() const override { return Child().AlwaysOpaque(); }
  int HasMaterialOfClass(const CG_Material& material) const override {
    return Child().HasMaterialOfClass(material);
  }
  // The box of the eight mapped corners of the child's box; null when the
  // child has none.
  const BoundingObject* GetBoundingObject() const override { return bound_.get(); }

  // ---- Meshes: the child's, vertices mapped by the forward matrix ----

  int IsFaced(int) const override { return Child().IsFaced(0); }
  int DeclassToFaced(zavo::DeclassedParts& parts, int mode) override;
  int VertexCount() const override { return Child().VertexCount(); }
  void Vertex(int i, Point3D& point) const override;
  int FaceCount() const override { return Child().FaceCount(); }
  int FaceLoopCount(int face) const override { return Child().FaceLoopCount(face); }
  void FaceIndices(int face, int loop, Seq<int>& indices) const override {
    Child().FaceIndices(face, loop, indices);
  }
  void FaceColour(int face, Point3D& colour) const override { Child().FaceColour(face, colour); }
  int IsTriangleMesh() const override { return Child().IsTriangleMesh(); }
  int DeclassToTriangleMesh(zavo::DeclassedParts& parts) override;
  int TriangleCount() const override { return Child().TriangleCount(); }
  void Triangle(int i, Point3D& a, Point3D& b, Point3D& c, Point3D& colour) const override;
  int IsIndexedMesh() const override { return Child().IsIndexedMesh(); }
  int DeclassToIndexedMesh(zavo::DeclassedParts& parts, int mode) override;
  int MeshVertexCount() const override { return Child().MeshVertexCount(); }
  void MeshVertex(int i, Point3D& point) const override;
  int MeshTriangleCount() const override { return Child().MeshTriangleCount(); }
  void MeshTriangle(int i, int& a, int& b, int& c) const override { Child().MeshTriangle(i, a, b, c); }
  CG_Material* MeshMaterial() const override { return Child().MeshMaterial(); }

  // ---- Curves: the child's, points and derivatives mapped forward, the
  // points set mapped back; each answers the child's answer ----

  int IsCurve() const override { return Child().IsCurve(); }
  double ParamMin() const override { return Child().ParamMin(); }
  double ParamMax() const override { return Child().ParamMax(); }
  int Evaluate(double t, Point3D& point) const override;
  int Derive(double t, Point3D& vector) const override;
  int ControlCount() const override { return Child().ControlCount(); }
  int GetControl(int i, Point3D& point) const override;
  int SetControl(int i, const Point3D& point) override;
  int CopyControl(int from, int to) override { return Child().CopyControl(from, to); }
  int SetControlCount(int n) override { return Child().SetControlCount(n); }
  int GetOpen() const override { return Child().GetOpen(); }
  int SetOpen(int flag) override { return Child().SetOpen(flag); }

  // ---- Children, materials, textures ----

  // The child alone (an empty list without a child); 1.
  int GetChildren(Seq<CG_GraphicObject*>& children) override;
  // The child's; without a child an empty list and 1.
  int GetMaterials(Seq<CG_NamedMaterial*>& materials) const override;
  int GetTextures(Seq<CG_Texture*>& textures) const override;

  int HasEdges() const override { return Child().HasEdges(); }
  int EdgeCount() const override { return Child().EdgeCount(); }
  void Edge(int i, int& a, int& b) const override { Child().Edge(i, a, b); }

  // ---- Wrapper matrices: the forward matrix times the child's, and the
  // innermost object's own vertices and box ----

  int HasMeshTransform() const override { return 1; }
  void GetMeshTransform(Transformation& m) const override;
  void RawMeshVertex(int i, Point3D& point) const override;
  int HasVertexTransform() const override { return 1; }
  void GetVertexTransform(Transformation& m) const override;
  void RawVertex(int i, Point3D& point) const override;
  int RawBox(GEO_Box& box) const override;

  // The wrapper's own matrix, the composition of its steps (from the child's
  // frame into the scene's), and its inverse: what the editor's modules and
  // the mappings of objects inside the wrapper are given.
  const Transformation& Forward() const { return forward_; }
  const Transformation& Inverse() const { return inverse_; }

  int IsField() const override { return Child().IsField(); }
  // The child's vector at the point mapped into its frame, mapped back as a
  // direction; the child's answer.
  int FieldDisplacement(const Point3D& point, Point3D& vector) const override;

  // ---- The lamp part (a transf around a lamp object) ----

  // The child's colour for the point and the direction toward the lamp
  // mapped into its frame (the direction made of unit length again).
  Point3D ColourAt(const Point3D& point, const Point3D& toLamp) const override;
  // The child's position, mapped forward.
  Point3D Position() const override;

private:
  // The child, which every forwarding operation needs: a transf between
  // GetTransformList and SetTransformList has none, and using it then is an
  // internal error.
  const CG_GraphicObject& Child() const;
  CG_GraphicObject& Child();
  // Each of the child's declass parts wrapped in a new transf with copies of
  // the steps, which takes the part's ownership; the wrappers go into parts,
  // owned, and childParts is left empty. 1.
  int WrapParts(zavo::DeclassedParts& parts, zavo::DeclassedParts& childParts) const;
  // The box of the eight mapped corners of the child's box, or none.
  void RenewBound();
  // The child's normal in the scene's frame, of unit length (zero stays zero).
  Point3D MapNormal(const Point3D& normal) const;

  List<t_Data> steps_;
  CG_GraphicObject* child_ = nullptr;
  int ownsChild_ = 0;
  Transformation inverse_;
  Transformation forward_;
  std::unique_ptr<BoundingObject> bound_;
};

class CG_TransfModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "transf"; }
  // Reads step lines and object blocks up to and including "}". A missing
  // ";" after a step (other than "t"), a failing object block, a token that
  // is neither a step keyword nor "{" nor "}" (code 5 "Unknown attribute"),
  // and a body without an object block (code 5 "Object block missing") give
  // null, the child read so far destroyed. Steps without an inverse throw
  // xMatrix (the child is destroyed).
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};

namespace zavo {

// Hands every child part over to a new owned transf of the steps: the parts
// take the places of the child parts, which are emptied. Null places stay null.
int WrapPartsInTransfs(const List<t_Data>& steps, DeclassedParts& parts, DeclassedParts& childParts);

}  // namespace zavo
