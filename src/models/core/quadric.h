#pragma once

// The general quadric surface, model keyword "quad": the points where
//   F(x, y, z) = a x^2 + b y^2 + c z^2 + d x y + e x z + f y z + g x + h y + i z + j
// is zero. The surface may be unbounded: a quadric has no bounding volume, no
// copy and no mesh form, so views, previews and exporters leave it out, and
// the ray tracer keeps it beside its hierarchy.
//
// Its text body, inside "model { quad" ... "}": any of the attributes "a" to
// "j", each a number and ";", each optional (default 0), in any order; a
// letter given twice keeps its last value. Written with all ten, a to j, one
// a line.

#include <iosfwd>
#include <memory>

#include "models/core/model_object.h"
#include "scene/registry.h"

// The ten coefficients, all 0 at construction; the quadric's description.
class QuadricCoefficients {
public:
  double a = 0.0, b = 0.0, c = 0.0, d = 0.0, e = 0.0, f = 0.0, g = 0.0, h = 0.0, i = 0.0, j = 0.0;
};

// The hits of one ray: count (0 to 2) and the ray parameters, nearest first.
class CG_QuadIntrInfo : public CG_GraphicObjectIntrInfo {
public:
  double Value(int i) const override { return i == 1 ? t[1] : t[0]; }
  int Count() const override { return count; }

  int count = 0;
  double t[2] = {0.0, 0.0};
};

class GQuad : public zavo::UniformModelObject {
public:
  // Name, IDname, toll and the uniform data from the common data (the mapping
  // moves in); a copy of the coefficients.
  GQuad(CG_GraphicObjectCommData& data, const QuadricCoefficients& coefficients);

  // The object block: head, "\tmodel { quad\n", "\t\ta v;\n" and so on for
  // the ten coefficients, "\t}\n}\n". IDname and toll are not written.
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "quad"; }
  // No copy of the common data (the object interface's default: null).
  std::unique_ptr<CG_GraphicObjectCommData> NewCommData() const override { return nullptr; }

  int IsRayTraceable() const override { return 1; }
  std::unique_ptr<CG_GraphicObjectIntrInfo> NewIntrInfo() const override;
  // The roots of F along the ray at or beyond toll, nearest first (a
  // CG_QuadIntrInfo); a ray along which F is linear gives its one root, one
  // along which F is constant none.
  int Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const override;
  // Inside where F < 0, outside where F > 0; 0 on the surface.
  int ImplicitInside(const Point3D& point, int& inside) const override;
  // The hit point, the unit gradient of F there (the reverse of the ray where
  // the gradient is 0), then mapping, texture and bump.
  void HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                  Point3D& point, Point3D& normal) const override;
  int AlwaysOpaque() const override { return OpaqueMaterial(); }

  void GetDescription(QuadricCoefficients& coefficients) const { coefficients = q_; }
  void SetDescription(const QuadricCoefficients& coefficients) { q_ = coefficients; }

private:
  QuadricCoefficients q_;
};

class CG_QuadModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "quad"; }
  // Reads the attributes up to and including "}". A token that is no
  // attribute word, a word other than "a" to "j", a value that is no number
  // or a missing ";" give null with no message of its own.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
