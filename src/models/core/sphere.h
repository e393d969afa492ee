#pragma once

// The sphere, model keyword "sphere": the pattern of every primitive model
// type (object class, description, intersection record, reader module,
// writer).
//
// Its text body, inside "model { sphere" ... "}", each attribute ended by ";":
//   center ( x , y , z );   required
//   radius r;               required
//   div n;                  optional, default 6; truncated toward zero
//
// Rays hit it where they cross its surface beyond the object's toll; it
// turns itself into one inline boundary-mesh object (a GBRep of a grid of
// (div + 1) x (div + 1) points) for the views, the preview and the exporters.

#include <iosfwd>
#include <memory>

#include "geometry/bounding_object.h"
#include "geometry/geo_interface.h"
#include "geometry/point3d.h"
#include "models/core/model_object.h"
#include "scene/registry.h"

// The sphere's own attributes.
class CG_SphereDescription {
public:
  Point3D center;                     // (0, 0, 0)
  double radius = 1.0;
  int div = 6;                        // tessellation density
  GeoInterface* progress = nullptr;   // handed on to the meshes; not owned
};

// The hits of one ray: count (0 to 2) and the ray parameters, nearest first.
class CG_SphereIntrInfo : public CG_GraphicObjectIntrInfo {
public:
  double Value(int i) const override { return i == 1 ? t[1] : t[0]; }
  int Count() const override { return count; }

  int count = 0;
  double t[2] = {0.0, 0.0};
};

class GSphere : public zavo::UniformModelObject {
public:
  // Name, IDname, toll and the uniform data from the common data (the mapping
  // moves in); centre, radius, div and progress from the description.
  GSphere(CG_GraphicObjectCommData& data, const CG_SphereDescription& description);

  // The object block: head, "\tmodel { sphere\n\t\tcenter ( x , y , z );\n
  // \t\tradius r;\n\t\tdiv n;\n\t}\n}\n". IDname and toll are not written.
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "sphere"; }
  // A sphere with NewCommData's record (no IDname, default toll) and this
  // one's description; null when the record cannot be made.
  std::unique_ptr<CG_GraphicObject> Clone() const override;

  int IsRayTraceable() const override { return 1; }
  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override;
  // The crossings beyond toll, nearest first (a CG_SphereIntrInfo); a
  // tangent ray gives two equal hits. The ray's direction is of unit length.
  int Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override;
  // The hit point, the outward normal (P - centre) / radius, then the
  // mapping, texture and bump of the uniform data.
  void HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                  Point3D& point, Point3D& normal) const override;
  int AlwaysOpaque() const override { return OpaqueMaterial(); }
  // The box centre +- sqrt(2) radius on each axis.
  const BoundingObject* GetBoundingObject() const override { return bounding_.get(); }

  // The tessellation: one owned inline GBRep (no face hierarchy) of the grid
  // of points; 1, or 0 when the common data cannot be copied.
  int DeclassToFaced(zavo::DeclassedParts& parts, int mode) override;
  int DeclassToTriangleMesh(zavo::DeclassedParts& parts) override;
  int DeclassToIndexedMesh(zavo::DeclassedParts& parts, int mode) override;

  // Copies centre, radius, div and progress out and in. SetDescription also
  // renews the bounding volume.
  void GetDescription(CG_SphereDescription& description) const;
  void SetDescription(const CG_SphereDescription& description);

private:
  // The bounding volume for the present centre and radius.
  void RenewBounding();
  int Tessellate(zavo::DeclassedParts& parts) const;

  Point3D center_;
  double radius_ = 1.0;
  std::unique_ptr<BoundingBox> bounding_;
  int div_ = 6;
  GeoInterface* progress_ = nullptr;
};

class CG_SphereModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "sphere"; }
  // Reads the attributes up to and including "}". Without "center" or
  // "radius", or at a token that is no attribute word, null with no message
  // of its own; "Number wanted" and "Unknown attribute" (code 5) and a
  // missing ";" (code 2) give null; a point that does not read records
  // "Wrong point definition" (code 5) and reading goes on.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
