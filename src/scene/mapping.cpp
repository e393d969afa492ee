#include "scene/mapping.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ostream>

#include "foundation/number_text.h"
#include "geometry/geo_text.h"
#include "geometry/real_text.h"
#include "geometry/transformation.h"

namespace {

// acos of a cosine that rounding may have put just past +-1.
double SafeAcos(double c) { return std::acos(std::clamp(c, -1.0, 1.0)); }

double Finite(double x) { return std::isfinite(x) ? x : 0.0; }

Point3D Divided(const Point3D& a, double by) { return {a.x / by, a.y / by, a.z / by}; }

// |a|, also where the squares overflow or underflow.
double Norm(const Point3D& a) {
  const double length = Length(a);
  return length > 0 && std::isfinite(length) ? length : std::hypot(a.x, a.y, a.z);
}

// The axis scaled to length 1; a zero axis stays zero.
Point3D Unit(const Point3D& a) {
  const double length = Norm(a);
  return length > 0 && std::isfinite(length) ? Divided(a, length) : a;
}

// Scale * (d . axis) / |axis|^2; 0 for a zero axis.
double Project(const Point3D& d, const Point3D& axis, double scale) {
  const double squared = Dot(axis, axis);
  return squared > 0 ? scale * Dot(d, axis) / squared : 0.0;
}

}  // namespace

// --- the base ---------------------------------------------------------------

int CG_MappingMetod::GetAxes(Point3D& first, Point3D& second) const {
  first = {1, 0, 0};
  second = {0, 1, 0};
  return 1;
}

int CG_MappingMetod::Transform(const Matrix4x4<double>&) { return 0; }

void CG_MappingMetod::WriteBlock(std::ostream& os, const char* keyword) const {
  os << "{ " << keyword << " \ncenter ";
  WritePoint3D(center, os);
  os << ";\n  assx ";
  WritePoint3D(assx, os);
  os << ";\n  assy ";
  WritePoint3D(assy, os);
  os << ";\n  moltx ";
  zavo::WriteReal(os, moltx);
  os << ";\n  molty ";
  zavo::WriteReal(os, molty);
  os << ";\n}\n";
}

// --- planar -------------------------------------------------------------------

CG_PlanarMapping::CG_PlanarMapping(const Point3D& c, const Point3D& ax, const Point3D& ay,
                                   double mx, double my)
    : CG_MappingMetod(c, ax, ay, mx, my) {}

int CG_PlanarMapping::Map(const Point3D& point, double& u, double& v) const {
  const Point3D d = point - center;
  u = Finite(Project(d, assx, moltx));
  v = Finite(Project(d, assy, molty));
  return 1;
}

int CG_PlanarMapping::GetAxes(Point3D& first, Point3D& second) const {
  first = assx;
  second = assy;
  return 1;
}

void CG_PlanarMapping::Write(std::ostream& os) const { WriteBlock(os, "planar"); }

int CG_PlanarMapping::Transform(const Matrix4x4<double>& matrix) {
  center = TransformPoint(matrix, center);
  assx = TransformVector(matrix, assx);
  assy = TransformVector(matrix, assy);
  return 1;
}

// --- spherical ----------------------------------------------------------------

CG_SphericalMapping::CG_SphericalMapping(const Point3D& c, const Point3D& ax, const Point3D& ay,
                                         double mx, double my)
    : CG_MappingMetod(c, Unit(ax), Unit(ay), mx, my) {}

int CG_SphericalMapping::Map(const Point3D& point, double& u, double& v) const {
  const Point3D d = point - center;
  const double length = Norm(d);
  if (!(length > 0)) {  // the centre itself has no direction
    u = v = 0;
    return 1;
  }
  const Point3D s = Divided(d, length);
  v = Finite(molty * SafeAcos(Dot(s, assy)));
  u = Finite(moltx * SafeAcos(Dot(s, assx)));
  return 1;
}

void CG_SphericalMapping::Write(std::ostream& os) const { WriteBlock(os, "spherical"); }

// --- cylindrical --------------------------------------------------------------

CG_CilindricMapping::CG_CilindricMapping(const Point3D& c, const Point3D& ax, const Point3D& ay,
                                         double mx, double my)
    : CG_MappingMetod(c, Unit(ax), ay, mx, my) {}

int CG_CilindricMapping::Map(const Point3D& point, double& u, double& v) const {
  const Point3D d = point - center;
  const double h = Dot(d, assy);
  const Point3D r = d - h * assy;
  const double length = Norm(r);
  // A point on the axis has no direction around it.
  u = length > 0 ? Finite(moltx * SafeAcos(Dot(Divided(r, length), assx))) : 0.0;
  v = Finite(molty * h);
  return 1;
}

void CG_CilindricMapping::Write(std::ostream& os) const { WriteBlock(os, "cilindric"); }

// --- reading ------------------------------------------------------------------

CG_MappingMetod* CG_MappingModule::Read(ScannerMemo& s) {
  Point3D values[3];
  bool given[3] = {false, false, false};
  double scale[2] = {1, 1};
  static const char* const kPoints[] = {"center", "assx", "assy"};
  static const char* const kScales[] = {"moltx", "molty"};
  while (s.Text()[0] != '}') {
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    int point = -1, factor = -1;
    for (int i = 0; i < 3; ++i) {
      if (std::strcmp(s.Text(), kPoints[i]) == 0) point = i;
    }
    for (int i = 0; i < 2; ++i) {
      if (std::strcmp(s.Text(), kScales[i]) == 0) factor = i;
    }
    if (point < 0 && factor < 0) return nullptr;
    s.Next();
    if (point >= 0) {
      if (!ReadPoint3D(values[point], s)) return nullptr;
      given[point] = true;
    } else {
      if (!zavo::TokenToDouble(s, scale[factor])) return nullptr;
      s.Next();
    }
    if (std::strcmp(s.Text(), ";") != 0) return nullptr;
    s.Next();
  }
  s.Next();
  if (!given[0] || !given[1] || !given[2]) return nullptr;
  return Make(values[0], values[1], values[2], scale[0], scale[1]);
}
