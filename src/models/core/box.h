#pragma once

// The axis-aligned box, model keyword "box". Besides a primitive it is a
// ready polygon mesh (8 vertices, 6 faces, 12 triangles, 12 edges), and it is
// the stand-in of every object that cannot convert itself: the default
// declass conversions make a GBox of the object's bounding box
// (zavo::NewStandInBox, installed by BuildRegistry).
//
// Its text body, inside "model { box" ... "}": the six attributes "xmin",
// "xmax", "ymin", "ymax", "zmin", "zmax", each a number and ";", all
// required, in any order. A minimum above its maximum still gives a proper
// box.
//
// Vertex numbers (from 1): 1 (xmin, ymin, zmin), 2 (xmax, ymin, zmin),
// 3 (xmax, ymax, zmin), 4 (xmin, ymax, zmin), 5 to 8 the same at zmax.

#include <iosfwd>
#include <memory>

#include "geometry/bounding_object.h"
#include "geometry/box.h"
#include "models/core/model_object.h"
#include "scene/registry.h"

class CG_BoxDescription {
public:
  double xmin = 0.0;
  double xmax = 0.0;
  double ymin = 0.0;
  double ymax = 0.0;
  double zmin = 0.0;
  double zmax = 0.0;
};

// The hits of one ray: count (0 to 2) and the crossings (parameter and side
// 0 xmin, 1 xmax, 2 ymin, 3 ymax, 4 zmin, 5 zmax), nearest first.
class CG_BoxIntrInfo : public CG_GraphicObjectIntrInfo {
public:
  double Value(int i) const override { return hits[i == 1 ? 1 : 0].t; }
  int Count() const override { return count; }

  int count = 0;
  BoxHitRecord hits[2];
};

class GBox : public zavo::UniformModelObject {
public:
  // Name, IDname, toll and the uniform data from the common data (the mapping
  // moves in); the box from the corners (xmin, ymin, zmin) and (xmax, ymax,
  // zmax) of the description or of the given box.
  GBox(CG_GraphicObjectCommData& data, const CG_BoxDescription& description);
  GBox(CG_GraphicObjectCommData& data, const GEO_Box& box);

  // The object block: head, "\tmodel { box\n\t\txmin v;\n" and so on for the
  // six bounds, "\t}\n}\n".
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "box"; }
  std::unique_ptr<CG_GraphicObject> Clone() const override;

  int IsRayTraceable() const override { return 1; }
  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override;
  // The up to two crossings beyond toll (strictly), nearest first.
  int Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override;
  // The nearest crossing only.
  int IntersectAny(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override;
  // The hit point, the outward normal of the side crossed, then mapping,
  // texture and bump.
  void HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                  Point3D& point, Point3D& normal) const override;
  int AlwaysOpaque() const override { return OpaqueMaterial(); }
  const BoundingObject* GetBoundingObject() const override { return bounding_.get(); }

  // ---- The box as a polygon mesh; colours are the material's, the default
  // Phong colour without a material ----

  int IsFaced(int) const override { return 1; }
  int VertexCount() const override { return 8; }
  void Vertex(int i, Point3D& point) const override;
  int FaceCount() const override { return 6; }
  int FaceLoopCount(int) const override { return 1; }
  void FaceIndices(int face, int loop, Seq<int>& indices) const override;
  void FaceColour(int face, Point3D& colour) const override;
  int IsTriangleMesh() const override { return 1; }
  int TriangleCount() const override { return 12; }
  void Triangle(int i, Point3D& a, Point3D& b, Point3D& c, Point3D& colour) const override;
  int IsIndexedMesh() const override { return 1; }
  int MeshVertexCount() const override { return 8; }
  void MeshVertex(int i, Point3D& point) const override;
  int MeshTriangleCount() const override { return 12; }
  void MeshTriangle(int i, int& a, int& b, int& c) const override;
  // The named material's model; null without a material.
  CG_Material* MeshMaterial() const override;
  int HasEdges() const override { return 1; }
  int EdgeCount() const override { return 12; }
  void Edge(int i, int& a, int& b) const override;

  // Copies the six bounds out and in. SetDescription also renews the
  // bounding volume.
  void GetDescription(CG_BoxDescription& description) const;
  void SetDescription(const CG_BoxDescription& description);

private:
  void SetBox(const GEO_Box& box);
  // Vertex number n (1 to 8).
  Point3D Corner(int n) const;

  std::unique_ptr<BoundingBox> bounding_;
  GEO_Box box_;
};

class CG_BoxModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "box"; }
  // Reads the attributes up to and including "}". A bound missing, or a token
  // that is no attribute word: null with no message of its own; "Number
  // wanted" and "Unknown attribute" (code 5) and a missing ";" (code 2): null.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};

namespace zavo {

// The stand-in of the default declass conversions: a GBox of the box with the
// common data (which gives its mapping up).
std::unique_ptr<CG_GraphicObject> NewStandInBox(CG_GraphicObjectCommData& data, const GEO_Box& box);

}  // namespace zavo
