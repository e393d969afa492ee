#pragma once

// The interface of every thing that stands in a scene's object list: solids,
// meshes, curves, patches, groups, CSG combinations, transforms, lamps placed
// as objects, cameras and fields. A model type overrides what fits it; every
// other operation keeps the default given here (mostly: answer 0 or do nothing).
//
// Beside it: the per-hit record of a ray intersection and the pair that the
// declass conversions fill. A declass conversion hands its caller simpler
// objects that have a capability the object lacks (ray-traceable parts, faced
// parts, triangle or indexed meshes); parts marked owned belong to the caller.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <typeinfo>

#include "foundation/char_string.h"
#include "foundation/dbl_list.h"
#include "foundation/fragmented_seq.h"
#include "foundation/seq.h"
#include "geometry/box.h"
#include "geometry/point3d.h"
#include "geometry/ray.h"
#include "geometry/transformation.h"
#include "scene/comm_data.h"
#include "scene/light_source.h"

class BoundingObject;
class CG_GraphicObject;
class CG_Material;
class CG_NamedMaterial;
class CG_Texture;
class CG_ViewReference;

// The record of one ray intersection of one object, made by the object's
// NewIntrInfo and filled by its Intersect. Hits are listed by increasing ray
// parameter.
class CG_GraphicObjectIntrInfo {
public:
  virtual ~CG_GraphicObjectIntrInfo() = default;
  // The ray parameter of hit i (0 is the nearest).
  virtual double Value(int i) const = 0;
  // The number of hits of the last intersection.
  virtual int Count() const = 0;

protected:
  CG_GraphicObjectIntrInfo() = default;
};

// One result of a declass conversion. Destroying the pair never touches the object.
struct CG_DeclassedGraphicObject {
  CG_GraphicObject* object = nullptr;
  int owned = 0;  // 1: the receiver destroys the object; 0: it belongs to the declassed object
};

namespace zavo {

// What the declass conversions fill (blocks of 100 pairs).
using DeclassedParts = FragmentedSeq<CG_DeclassedGraphicObject, long>;

// The most vertices that the meshes of one scene may take together (each
// vertex with its share of faces, normals and face hierarchy costs about
// 800 bytes): a scene beyond it is refused when read, and a conversion that
// alone would exceed it fails.
inline constexpr std::int64_t kMaxSceneTessellationVertices = 4000000;

// Destroys the parts marked owned and empties the sequence.
void ReleaseDeclassedParts(DeclassedParts& parts);

// Releases the parts when it goes out of scope, whatever way a walk ends.
struct DeclassedPartsRelease {
  DeclassedParts& parts;
  ~DeclassedPartsRelease() { ReleaseDeclassedParts(parts); }
};

// Makes the object that stands in for another as the box of its bounding
// volume: it takes the common data's name, IDname, toll, material, texture and
// bump, and takes its mapping over. Null when it cannot be made.
using BoxFactory = std::unique_ptr<CG_GraphicObject> (*)(CG_GraphicObjectCommData& data,
                                                         const GEO_Box& box);

// The process-wide stand-in box factory that the default declass conversions
// call; null (the default) makes them fail. Installing a registry's box factory
// sets it (CG_ModelRegistry::SetBoxFactory).
void SetStandInBoxFactory(BoxFactory factory);
BoxFactory StandInBoxFactory();

}  // namespace zavo

class CG_GraphicObject : public DblListItem, public CG_LightSourceBase {
public:
  // Takes name, IDname and toll from the common data.
  explicit CG_GraphicObject(const CG_GraphicObjectCommData& data);
  CG_GraphicObject& operator=(const CG_GraphicObject&) = delete;
  ~CG_GraphicObject() override = default;

  // ---- Identity, common data, text ----

  // 1 when this object or one of its children has the IDname.
  virtual int ContainsIDname(const char* id) const;
  // 1 for objects that emit light; such an object is also a lamp through its
  // CG_LightSourceBase part.
  virtual int IsLightSource() const { return 0; }
  // Copies the name and the common attributes into the record (single-material
  // objects move their mapping out into it).
  virtual int GetCommData(CG_GraphicObjectCommData& data) = 0;
  // A new record with the name and the common attributes (a copy of the
  // mapping); null by default.
  virtual std::unique_ptr<CG_GraphicObjectCommData> NewCommData() const;
  // Calls NewCommData.
  virtual std::unique_ptr<CG_GraphicObjectCommData> DupCommData() const { return NewCommData(); }
  // Takes the name and the common attributes from the record (the mapping moves in).
  virtual int SetCommData(CG_GraphicObjectCommData& data) = 0;
  // Writes the "{ object" block.
  void Write(std::ostream& os) const override = 0;
  // The model keyword ("sphere", "box", ...); null by default.
  const char* Keyword() const override { return nullptr; }
  // A new equal object; null by default.
  virtual std::unique_ptr<CG_GraphicObject> Clone() const;

  // ---- Ray tracing ----

  virtual int IsRayTraceable() const { return 0; }
  // Ray-traceable parts; by default one owned stand-in box (see below).
  virtual int DeclassToRayTraceable(zavo::DeclassedParts& parts);
  // A new per-hit record of the type; null by default.
  virtual std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const;
  // Fills the record and answers the number of hits; 0 by default.
  virtual int Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const;
  // The intersection entry of the ray tracer and the shadow search; calls Intersect.
  virtual int IntersectAny(const Ray& ray, CG_GraphicObjectIntrInfo& record) const {
    return Intersect(ray, record);
  }
  // For hit index of the record: the hit point, the unit normal, and the
  // material at the hit (texture and mapping applied) copied into material.
  // Does nothing by default.
  virtual void HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index,
                          CG_Material& material, Point3D& point, Point3D& normal) const;
  // 1 when HitDetails gives a Phong material with Kt 0 at every hit, whatever
  // the point, texture or mapping: the shadow search then stops at the hit
  // without asking its details. 0 (not known) by default.
  virtual int AlwaysOpaque() const { return 0; }
  // 1 when IntersectAny finds a first hit nearer than limit; the record may
  // be left in any state. For the shadow search past opaque objects, where
  // any hit before the lamp will do.
  virtual int HitsBefore(const Ray& ray, double limit, CG_GraphicObjectIntrInfo& record) const {
    return IntersectAny(ray, record) != 0 && record.Count() != 0 && record.Value(0) < limit ? 1 : 0;
  }
  // 1 when the object's mapping is of exactly this type, e.g.
  // MappingTest(typeid(CG_PlanarMapping)); 0 by default.
  virtual int MappingTest(const std::type_info& kind) const;
  // 1 when the model of the object's named material is of the same class as
  // the given material (an object without a material counts as having the
  // default Phong material); 0 by default.
  virtual int HasMaterialOfClass(const CG_Material& material) const;
  // The object's bounding volume, owned by the object; null by default.
  virtual const BoundingObject* GetBoundingObject() const { return nullptr; }
  // Whether the point lies inside the solid, by the sign of the object's
  // implicit function: 1 with inside set when the object has one and the
  // point is not on its surface; 0 by default. A CSG asks it of a child that
  // has no bounding volume, whose hit count does not tell where a ray starts.
  virtual int ImplicitInside(const Point3D& point, int& inside) const {
    (void)point;
    (void)inside;
    return 0;
  }

  // ---- Polygon data ----

  virtual int IsFaced(int mode) const;
  virtual int DeclassToFaced(zavo::DeclassedParts& parts, int mode);
  virtual int VertexCount() const { return 0; }
  // Vertex i, counted from 0.
  virtual void Vertex(int i, Point3D& point) const;
  virtual int FaceCount() const { return 0; }
  virtual int FaceLoopCount(int face) const;
  // The vertex numbers of one loop of a face, counted from 1; a negative number
  // marks the edge from that vertex to the next as not drawn.
  virtual void FaceIndices(int face, int loop, Seq<int>& indices) const;
  // The colour of a face from the object's material.
  virtual void FaceColour(int face, Point3D& colour) const;

  // ---- Triangle sets ----

  virtual int IsTriangleMesh() const { return 0; }
  virtual int DeclassToTriangleMesh(zavo::DeclassedParts& parts);
  virtual int TriangleCount() const { return 0; }
  // Triangle i: its three points and its colour.
  virtual void Triangle(int i, Point3D& a, Point3D& b, Point3D& c, Point3D& colour) const;

  // ---- Indexed meshes (preview renderer, exporters) ----

  virtual int IsIndexedMesh() const { return 0; }
  virtual int DeclassToIndexedMesh(zavo::DeclassedParts& parts, int mode);
  // DeclassToIndexedMesh (parts, 0); when that fails, one owned stand-in box
  // from -1 to 1 on each axis. 0 only when no stand-in can be made.
  virtual int DeclassToIndexedMeshOrBox(zavo::DeclassedParts& parts);
  virtual int MeshVertexCount() const { return 0; }
  // Vertex i, counted from 1.
  virtual void MeshVertex(int i, Point3D& point) const;
  virtual int MeshTriangleCount() const { return 0; }
  // The vertex numbers (from 1) of triangle i (from 0).
  virtual void MeshTriangle(int i, int& a, int& b, int& c) const;
  // The mesh's material; null by default.
  virtual CG_Material* MeshMaterial() const { return nullptr; }

  // ---- Curves and control points ----

  virtual int IsCurve() const { return 0; }
  virtual double ParamMin() const { return 0.0; }
  virtual double ParamMax() const { return 0.0; }
  // The point at parameter t; 0 by default.
  virtual int Evaluate(double t, Point3D& point) const;
  // The derivative at t; 0 by default.
  virtual int Derive(double t, Point3D& vector) const;
  virtual int ControlCount() const { return 0; }
  virtual int GetControl(int i, Point3D& point) const;
  // Sets control point i; grows the control list when i is the count.
  virtual int SetControl(int i, const Point3D& point);
  // GetControl (from), then SetControl (to); answers 1.
  virtual int CopyControl(int from, int to);
  virtual int SetControlCount(int n);
  // The open flag (non-zero: open).
  virtual int GetOpen() const { return 0; }
  virtual int SetOpen(int flag);

  // ---- Tessellation ----

  // The vertices of the meshes that the object's own conversions make (its
  // children count for themselves): what the scene's bound on the
  // tessellation of a scene adds up. 0 for types that make no mesh of size
  // chosen by the user.
  virtual std::int64_t TessellationVertices() const { return 0; }

  // ---- Children, materials, textures ----

  // The child objects into the list; 0 by default (the list is left alone).
  virtual int GetChildren(Seq<CG_GraphicObject*>& children);
  // The named materials the object uses; 0 by default: the object cannot tell.
  virtual int GetMaterials(Seq<CG_NamedMaterial*>& materials) const;
  // The textures (texture and bump) the object uses; 0 by default.
  virtual int GetTextures(Seq<CG_Texture*>& textures) const;

  // ---- Edges of the object's own wire frame ----

  virtual int HasEdges() const { return 0; }
  virtual int EdgeCount() const { return 0; }
  // Edge i (from 0): vertex numbers from 1, negative for an edge not drawn.
  virtual void Edge(int i, int& a, int& b) const;

  // ---- Wrapper matrices ----
  //
  // A wrapper (an object placed under a matrix) answers 1 to the two Has
  // tests and gives the composed matrix that places its innermost object,
  // with that object's own mesh vertices, vertices and box: the wire-frame
  // views take those once and apply one matrix instead of asking for every
  // mapped vertex. Other objects answer 0 and leave the outputs alone.

  virtual int HasMeshTransform() const { return 0; }
  virtual void GetMeshTransform(Transformation& m) const;
  // The innermost object's own MeshVertex i (from 1).
  virtual void RawMeshVertex(int i, Point3D& point) const;
  virtual int HasVertexTransform() const { return 0; }
  virtual void GetVertexTransform(Transformation& m) const;
  // The innermost object's own Vertex i (from 0).
  virtual void RawVertex(int i, Point3D& point) const;
  // The innermost object's own box: 1, or 0 (box untouched) when there is none.
  virtual int RawBox(GEO_Box& box) const;

  // ---- Special types ----

  virtual int IsAnim() const { return 0; }
  // The number of frames of the animation (an anim keeps it); 0 by default.
  virtual int SetFrameCount(double count);
  // The frame at which an anim places its object from now on; 0 by default.
  virtual int SetFrame(double frame);
  // The frame at which the object is placed now (what SetFrame set); 0 by default.
  virtual double GetFrame() const { return 0.0; }
  virtual int IsField() const { return 0; }
  // The field's vector at the point: 1 with the vector set, or 0 (vector
  // untouched) for objects that are no fields.
  virtual int FieldDisplacement(const Point3D& point, Point3D& vector) const;
  virtual int IsCamera() const { return 0; }
  // Copies the camera's view record out; 0 by default.
  virtual int GetView(CG_ViewReference& view) const;
  // Replaces the camera's view record; 0 by default.
  virtual int SetView(const CG_ViewReference& view);

  // The box of the object's bounding volume: 1, or 0 (box untouched) when the
  // object is null or has no bounding volume.
  static int GetBox(const CG_GraphicObject* object, GEO_Box& box);

  // The header lines that keep what the reader took from the object header
  // beside the name: "\tIDname " I ";\n" when the object has an IDname, and
  // "\ttoll " T ";\n" when T is not written as the default 0.01 is.
  void WriteIDnameAndToll(std::ostream& os) const;

  charString name;
  charString IDname;
  double toll = 0.01;  // ray parameters at or below it are no hits

protected:
  CG_GraphicObject() = default;
  // Copies name, IDname and toll; the copy starts unlinked.
  CG_GraphicObject(const CG_GraphicObject& other);

  // The default declass conversion: one owned stand-in box of the bounding
  // volume with the object's common data. 0, adding nothing, without a
  // bounding volume or without a stand-in box factory.
  int DeclassToBox(zavo::DeclassedParts& parts);
  // Sets parts to the one owned stand-in for the given box; 0, adding nothing,
  // when it cannot be made.
  int StandInBox(zavo::DeclassedParts& parts, const GEO_Box& box);
};
