#pragma once

// The closed circular cylinder, model keyword "cylinder": axis z, centred on
// the origin, side of radius `radius`, flat caps at z = high and z = -high
// (high is half the height). A transform wrapper places it elsewhere. Its
// body and tessellation are those of every axial solid (axial_solid.h); rows
// 0 and 1 of its grid are the top centre and the top rim.

#include <memory>

#include "models/core/axial_solid.h"
#include "scene/registry.h"

class CG_CylinderDescription : public zavo::AxialSolidDescription {};

// Parts: 0 the side, 1 the top cap, 2 the bottom cap.
class CG_CylinderIntrInfo : public zavo::AxialSolidIntrInfo {};

class GCylinder : public zavo::AxialSolid {
public:
  // Name, IDname, toll and the uniform data from the common data (the mapping
  // moves in); radius, high, div and progress from the description.
  GCylinder(CG_GraphicObjectCommData& data, const zavo::AxialSolidDescription& description);

  const char* Keyword() const override { return "cylinder"; }
  // A cylinder with NewCommData's record (no IDname, default toll) and this
  // one's description; null when the record cannot be made.
  std::unique_ptr<CG_GraphicObject> Clone() const override;

  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override;
  // The crossings beyond toll, nearest first (a CG_CylinderIntrInfo): the
  // crossings with the infinite side, those beyond a cap moved to that cap's
  // plane; a ray that passes wholly above or wholly below gives none. A
  // crossing at exactly z = +-high stays a side hit. A ray parallel to the
  // axis meets the two caps when it runs within the radius, nothing else.
  int Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override;
  // The hit point; the normal (P.x / r, P.y / r, 0) on the side, (0, 0, 1) on
  // the top cap, (0, 0, -1) on the bottom cap; then mapping, texture, bump.
  void HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                  Point3D& point, Point3D& normal) const override;
  int AlwaysOpaque() const override { return OpaqueMaterial(); }

protected:
  Point3D UpperRowPoint(int row, double x, double y) const override;
};

class CG_CylinderModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "cylinder"; }
  // Reads the body (zavo::ReadAxialSolidBody) and makes the cylinder; null
  // when the body does not read.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
