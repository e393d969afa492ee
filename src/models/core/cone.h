#pragma once

// The closed circular cone, model keyword "cone": apex at the origin, axis z,
// base the disc of radius `radius` at z = -high (high is the full height). A
// transform wrapper places it elsewhere. Its body, bounding box (which also
// covers z from 0 to high) and tessellation are those of every axial solid
// (axial_solid.h); rows 0 and 1 of its grid are both the apex.

#include <memory>

#include "models/core/axial_solid.h"
#include "scene/registry.h"

class CG_ConeDescription : public zavo::AxialSolidDescription {};

// Parts: 0 the mantle, 2 the base.
class CG_ConeIntrInfo : public zavo::AxialSolidIntrInfo {};

class CG_Cone : public zavo::AxialSolid {
public:
  // Name, IDname, toll and the uniform data from the common data (the mapping
  // moves in); radius, high, div and progress from the description.
  CG_Cone(CG_GraphicObjectCommData& data, const zavo::AxialSolidDescription& description);

  const char* Keyword() const override { return "cone"; }
  // A cone with NewCommData's record (no IDname, default toll) and this
  // one's description; null when the record cannot be made.
  std::unique_ptr<CG_GraphicObject> Clone() const override;

  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override;
  // Where the ray enters and leaves the solid beyond toll, nearest first (a
  // CG_ConeIntrInfo). A line less steep than the mantle meets the mantle
  // twice or not at all: crossings above the apex are dropped, one below the
  // base moves to the base plane, two below the base give nothing. A line as
  // steep as the mantle or steeper (which meets the mirrored cone above the
  // apex too, or runs parallel to a mantle line) gives its mantle crossings
  // between the base and the apex and its crossing with the base disc, the
  // first and the last of these along the line.
  int Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override;
  // The hit point; on the mantle the outward normal (P.x, P.y, -k P.z)
  // normalised, k = (radius / high)^2 (at the apex, where it has no
  // direction, the reverse of the ray); (0, 0, -1) on the base; then
  // mapping, texture, bump.
  void HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                  Point3D& point, Point3D& normal) const override;
  int AlwaysOpaque() const override { return OpaqueMaterial(); }

protected:
  Point3D UpperRowPoint(int row, double x, double y) const override;

private:
  double Steepness() const { return (radius_ / high_) * (radius_ / high_); }
};

class CG_ConeModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "cone"; }
  // Reads the body (zavo::ReadAxialSolidBody) and makes the cone; null when
  // the body does not read.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
