#pragma once

// What the cylinder and the cone share: a closed solid about the z axis with a
// radius, a height and a tessellation density, the same text body, the same
// bounding box, the same kind of intersection record and the same grid
// tessellation but for its first two rows.
//
// Their text body, inside "model { cylinder" or "model { cone" ... "}", each
// attribute optional and ended by ";":
//   radius r;   default 0.5
//   high h;     default 0.5
//   div n;      default 10; truncated toward zero
// written as "\t\thigh h;\n\t\tradius r;\n\t\tdiv n;\n".

#include <iosfwd>
#include <memory>

#include "geometry/bounding_object.h"
#include "geometry/geo_interface.h"
#include "geometry/point3d.h"
#include "models/core/model_object.h"

class CG_GraphicScene;
class ScannerMemo;

namespace zavo {

class AxialSolidDescription {
public:
  double radius = 0.5;
  double high = 0.5;
  int div = 10;                       // tessellation density
  GeoInterface* progress = nullptr;   // handed on to the meshes; not owned
};

// The surface parts of the hits.
inline constexpr int kSidePart = 0;     // the cylinder's side, the cone's mantle
inline constexpr int kTopPart = 1;      // the cylinder's top cap
inline constexpr int kBottomPart = 2;   // the cylinder's bottom cap, the cone's base

// The hits of one ray: count (0 to 2), the ray parameters nearest first and
// the part of the surface of each.
class AxialSolidIntrInfo : public CG_GraphicObjectIntrInfo {
public:
  double Value(int i) const override { return i == 1 ? t[1] : t[0]; }
  int Count() const override { return count; }

  int count = 0;
  double t[2] = {0.0, 0.0};
  int part[2] = {kSidePart, kSidePart};
};

class AxialSolid : public UniformModelObject {
public:
  // The object block: head, "\tmodel { " keyword "\n\t\thigh h;\n\t\tradius
  // r;\n\t\tdiv n;\n\t}\n}\n". IDname and toll are not written.
  void Write(std::ostream& os) const override;

  int IsRayTraceable() const override { return 1; }
  int AlwaysOpaque() const override { return OpaqueMaterial(); }
  // The hit point; the normal (0, 0, 1) on the top cap, (0, 0, -1) on the
  // bottom cap, the type's side normal elsewhere; then mapping, texture, bump.
  void HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                  Point3D& point, Point3D& normal) const override;
  // The box from (-radius, -radius, -high) to (radius, radius, high).
  const BoundingObject* GetBoundingObject() const override { return bounding_.get(); }

  // The tessellation: one owned inline GBRep (no face hierarchy) of a grid of
  // n x n points, n = div but at least 4 and at most 1000, angle step
  // 2 pi / (n - 1) along the columns; rows 0 and 1 are the type's own, row 2
  // the bottom rim and the rows from 3 on the bottom centre (degenerate
  // triangles stay). 1, or 0 when the common data cannot be copied.
  int DeclassToFaced(DeclassedParts& parts, int mode) override;
  int DeclassToTriangleMesh(DeclassedParts& parts) override;
  int DeclassToIndexedMesh(DeclassedParts& parts, int mode) override;

  // Copies radius, high, div and progress out and in. SetDescription also
  // renews the bounding volume.
  void GetDescription(AxialSolidDescription& description) const;
  void SetDescription(const AxialSolidDescription& description);

protected:
  AxialSolid(CG_GraphicObjectCommData& data, const AxialSolidDescription& description);

  // Point of row 0 or 1 of the tessellation for the rim point (x, y).
  virtual Point3D UpperRowPoint(int row, double x, double y) const = 0;
  // The outward normal of the side at `point`, met by `ray`.
  virtual Point3D SideNormal(const Ray& ray, const Point3D& point) const = 0;

  // Drops the candidate hits below toll, then stores what is left, the two
  // exchanged (parameter and part together) when the second is nearer.
  // Answers the count, also stored in the record.
  int StoreHits(AxialSolidIntrInfo& record, int n, const double t[2], const int part[2]) const;

  double radius_ = 0.5;
  double high_ = 0.5;

private:
  void RenewBounding();
  int Tessellate(DeclassedParts& parts) const;

  std::unique_ptr<BoundingBox> bounding_;
  int div_ = 10;
  GeoInterface* progress_ = nullptr;
};

// Reads the body up to and including "}" into the description (defaults
// where an attribute is missing); the progress interface becomes the scene's.
// 0 at a token that is no attribute word (no message of its own), for
// "Number wanted" and "Unknown attribute" (code 5) and a missing ";" (code 2).
int ReadAxialSolidBody(CG_GraphicScene& scene, ScannerMemo& scanner, AxialSolidDescription& description);

}  // namespace zavo
