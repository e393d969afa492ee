#include "scene/view_reference.h"

#include <cstring>
#include <ostream>
#include <string>

#include "foundation/number_text.h"
#include "foundation/scanner.h"
#include "geometry/geo_text.h"
#include "geometry/real_text.h"

namespace {

Point3D Divided(const Point3D& a, double by) { return {a.x / by, a.y / by, a.z / by}; }

Transformation Product(const Transformation& a, const Transformation& b) {
  Transformation r;
  ComposeTransformations(r, a, b);
  return r;
}

bool Is(const ScannerMemo& s, const char* text) { return std::strcmp(s.Text(), text) == 0; }

}  // namespace

CG_ViewReference::CG_ViewReference(const Point3D& vrp_, const Point3D& prp_, const Point3D& vpn_,
                                   const Point3D& vup_, int type_, double umin_, double umax_,
                                   double vmin_, double vmax_, double f_, double b_, int fon_,
                                   int bon_)
    : vrp(vrp_),
      prp(prp_),
      vpn(vpn_),
      vup(vup_),
      type(type_),
      umax(umax_),
      umin(umin_),
      vmax(vmax_),
      vmin(vmin_),
      f(f_),
      b(b_),
      fon(fon_),
      bon(bon_) {}

// --- matrices -------------------------------------------------------------------

Transformation CG_ViewReference::VRPTranslation() const {
  Transformation m;
  TranslationTransformation(m, -vrp.x, -vrp.y, -vrp.z);
  return m;
}

Transformation CG_ViewReference::Rotation() const {
  const Point3D n = Divided(vpn, Length(vpn));
  const Point3D across = Cross(vup, n);
  const Point3D u = Divided(across, Length(across));
  const Point3D v = Cross(n, u);
  Transformation m;  // zero
  const Point3D rows[3] = {u, v, n};
  for (std::uint32_t i = 0; i < 3; ++i) {
    m(i, 0) = rows[i].x;
    m(i, 1) = rows[i].y;
    m(i, 2) = rows[i].z;
  }
  m(3, 3) = 1;
  return m;
}

Transformation CG_ViewReference::Shear() const {
  const double dopX = (umax + umin) / 2 - prp.x;
  const double dopY = (vmax + vmin) / 2 - prp.y;
  const double dopZ = -prp.z;
  Transformation m;
  ShearZTransformation(m, -dopX / dopZ, -dopY / dopZ);
  return m;
}

Transformation CG_ViewReference::ParallelTranslation() const {
  Transformation m;
  TranslationTransformation(m, -(umax + umin) / 2, -(vmax + vmin) / 2, fon ? -f : 1.0);
  return m;
}

Transformation CG_ViewReference::ParallelScale() const {
  Transformation m;
  ScaleTransformation(m, 2 / (umax - umin), 2 / (vmax - vmin), fon && bon ? 1 / (f - b) : 1.0);
  return m;
}

Transformation CG_ViewReference::PRPTranslation() const {
  Transformation m;
  TranslationTransformation(m, -prp.x, -prp.y, -prp.z);
  return m;
}

Transformation CG_ViewReference::PerspectiveScale() const {
  const double z = -prp.z;
  Transformation m;
  ScaleTransformation(m, 2 * z / ((umax - umin) * (z + b)), 2 * z / ((vmax - vmin) * (z + b)),
                      -1 / (z + b));
  return m;
}

Transformation CG_ViewReference::ParallelMatrix() const {
  return Product(ParallelScale(),
                 Product(ParallelTranslation(),
                         Product(Shear(), Product(Rotation(), VRPTranslation()))));
}

Transformation CG_ViewReference::PerspectiveMatrix() const {
  return Product(PerspectiveScale(),
                 Product(Shear(), Product(PRPTranslation(), Product(Rotation(), VRPTranslation()))));
}

Transformation CG_ViewReference::PerspectiveToParallelMatrix() const {
  // Where the shear and the move to prp take the origin of view coordinates.
  const Transformation toPrp = Product(Shear(), PRPTranslation());
  const double z = toPrp(2, 3) / toPrp(3, 3);
  const double zmin = -(z + f) / (z + b);
  Transformation m;  // zero
  m(0, 0) = 1;
  m(1, 1) = 1;
  m(2, 2) = 1 / (1 + zmin);
  m(2, 3) = -zmin / (1 + zmin);
  m(3, 2) = -1;
  return m;
}

Transformation ProjectionMatrix(double zp, double Q, int parallel, const Point3D& d) {
  Transformation m;  // zero
  m(0, 0) = 1;
  m(1, 1) = 1;
  m(0, 2) = -d.x / d.z;
  m(0, 3) = zp * d.x / d.z;
  m(1, 2) = -d.y / d.z;
  m(1, 3) = zp * d.y / d.z;
  if (parallel) {
    m(2, 2) = 0;
    m(2, 3) = zp;
    m(3, 2) = 0;
    m(3, 3) = 1;
  } else {
    m(2, 2) = -zp / (Q * d.z);
    m(2, 3) = zp + zp * zp / (Q * d.z);
    m(3, 2) = -1 / (Q * d.z);
    m(3, 3) = zp / (Q * d.z) + 1;
  }
  return m;
}

Transformation ParallelProjectionMatrix() { return ProjectionMatrix(0, 0, 1, {0, 0, -1}); }

Transformation PerspectiveProjectionMatrix() { return ProjectionMatrix(1, 1, 0, {0, 0, -1}); }

// --- text -------------------------------------------------------------------------

int CG_ViewReference::Read(ScannerMemo& s) {
  struct PointKey {
    const char* key;
    Point3D CG_ViewReference::*field;
  };
  struct ScalarKey {
    const char* key;
    double CG_ViewReference::*real;  // null: an integer field
    int CG_ViewReference::*integer;
  };
  static const PointKey kPoints[] = {{"vrp", &CG_ViewReference::vrp},
                                     {"prp", &CG_ViewReference::prp},
                                     {"vpn", &CG_ViewReference::vpn},
                                     {"vup", &CG_ViewReference::vup}};
  static const ScalarKey kScalars[] = {
      {"type", nullptr, &CG_ViewReference::type}, {"f", &CG_ViewReference::f, nullptr},
      {"b", &CG_ViewReference::b, nullptr},       {"fon", nullptr, &CG_ViewReference::fon},
      {"bon", nullptr, &CG_ViewReference::bon},   {"umin", &CG_ViewReference::umin, nullptr},
      {"umax", &CG_ViewReference::umax, nullptr}, {"vmin", &CG_ViewReference::vmin, nullptr},
      {"vmax", &CG_ViewReference::vmax, nullptr}};
  for (;;) {
    if (s.Text()[0] == '}') {
      s.Next();
      return 1;
    }
    if (s.Kind() != zavo::kTokenIdentifier) return 0;
    const PointKey* point = nullptr;
    const ScalarKey* scalar = nullptr;
    for (const PointKey& k : kPoints) {
      if (Is(s, k.key)) point = &k;
    }
    for (const ScalarKey& k : kScalars) {
      if (Is(s, k.key)) scalar = &k;
    }
    if (point == nullptr && scalar == nullptr) return 0;
    s.Next();
    if (point != nullptr) {
      Point3D value;
      if (!ReadPoint3D(value, s)) return 0;
      if (!Is(s, ";")) return 0;
      this->*point->field = value;
    } else {
      double value = 0;
      if (!zavo::TokenToDouble(s, value)) return 0;
      if (scalar->real != nullptr) {
        this->*scalar->real = value;
      } else {
        int whole = 0;
        if (!zavo::TruncateToInt(value, whole)) return 0;
        this->*scalar->integer = whole;
      }
      s.Next();
      if (!Is(s, ";")) return 0;
    }
    s.Next();
  }
}

void CG_ViewReference::Write(std::ostream& os) const {
  const auto point = [&os](const char* key, const Point3D& p) {
    os << "\n\t" << key << ' ';
    WritePoint3D(p, os);
    os << ';';
  };
  const auto real = [&os](const char* key, double value) {
    os << "\n\t" << key << ' ';
    zavo::WriteReal(os, value);
    os << ';';
  };
  const auto integer = [&os](const char* key, int value) {
    os << "\n\t" << key << ' ' << std::to_string(value) << ';';
  };
  os << "{ vrc";
  point("vrp", vrp);
  point("prp", prp);
  point("vup", vup);
  point("vpn", vpn);
  real("umax", umax);
  real("umin", umin);
  real("vmax", vmax);
  real("vmin", vmin);
  integer("type", type);
  real("f", f);
  real("b", b);
  integer("fon", fon);
  integer("bon", bon);
  os << "\n}";
}
