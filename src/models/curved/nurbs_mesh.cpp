#include "models/curved/nurbs_mesh.h"

#include <cmath>
#include <vector>

#include "foundation/runtime_error_box.h"

namespace {

bool Finite(const Point3D& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// The basis functions N(i, order)(x), i from 0 to count - 1, over the knots:
// the Cox-de Boor recursion run level by level (each value as the recursion
// gives it; a term whose denominator is exactly 0 counts 0). Where no
// half-open span holds x, the last non-empty span with t[i] < x <= t[i + 1]
// holds it.
std::vector<double> Basis(const Vector<double>& t, std::int32_t order, std::int32_t count, double x) {
  const std::int32_t spans = static_cast<std::int32_t>(t.Count()) - 1;
  std::vector<double> n(static_cast<std::size_t>(spans), 0.0);
  auto knot = [&t](std::int32_t i) { return t[static_cast<std::uint32_t>(i)]; };
  bool any = false;
  for (std::int32_t i = 0; i < spans; ++i) {
    if (knot(i) <= x && x < knot(i + 1)) {
      n[static_cast<std::size_t>(i)] = 1.0;
      any = true;
    }
  }
  if (!any) {
    for (std::int32_t i = spans - 1; i >= 0; --i) {
      if (knot(i) < knot(i + 1) && knot(i) < x && x <= knot(i + 1)) {
        n[static_cast<std::size_t>(i)] = 1.0;
        break;
      }
    }
  }
  for (std::int32_t k = 2; k <= order; ++k) {
    for (std::int32_t i = 0; i + k <= spans; ++i) {
      double a = 0.0;
      double b = 0.0;
      const double da = knot(i + k - 1) - knot(i);
      const double db = knot(i + k) - knot(i + 1);
      if (da != 0.0) a = (x - knot(i)) * n[static_cast<std::size_t>(i)] / da;
      if (db != 0.0) b = (knot(i + k) - x) * n[static_cast<std::size_t>(i + 1)] / db;
      n[static_cast<std::size_t>(i)] = a + b;
    }
  }
  n.resize(static_cast<std::size_t>(count));
  return n;
}

}  // namespace

Point3D CG_NURBSPatch::PointAt(double u, double v) const {
  if (dimx <= 0 || dimy <= 0) return Point3D{};
  const std::vector<double> nu = Basis(knotsU, orderx, dimx, u);
  const std::vector<double> nv = Basis(knotsV, ordery, dimy, v);
  double W = 0.0;
  Point3D P;
  double plainSum = 0.0;
  Point3D plain;
  for (std::int32_t r = 0; r < dimx; ++r) {
    for (std::int32_t c = 0; c < dimy; ++c) {
      const double w = weights(static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(c));
      const Point3D& q = controls(static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(c));
      const double b = nv[static_cast<std::size_t>(c)] * nu[static_cast<std::size_t>(r)];
      W += nu[static_cast<std::size_t>(r)] * w * nv[static_cast<std::size_t>(c)];
      P = P + q * (b * w);
      plainSum += b;
      plain = plain + q * b;
    }
  }
  if (W != 0.0) {
    const Point3D point = P * (1.0 / W);
    if (Finite(point)) return point;
  }
  if (plainSum != 0.0) {
    const Point3D point = plain * (1.0 / plainSum);
    if (Finite(point)) return point;
  }
  return controls(0, 0);
}

int CG_NURBSPatch::DU(double, double, Point3D&) const {
  RuntimeErrorBox("CG_NURBSPatch::DU undef");
  return 0;
}

int CG_NURBSPatch::DV(double, double, Point3D&) const {
  RuntimeErrorBox("CG_NURBSPatch::DV undef");
  return 0;
}

namespace zavo {

void NURBSMeshTraits::AddControls(CG_NURBSPatch& patch,
                                  ControlTableBuilder<CG_NURBSControlIndex, CG_NURBSControlRef>& table) {
  for (int r = 0; r < patch.dimx; ++r) {
    for (int c = 0; c < patch.dimy; ++c) {
      table.Add(patch.controls(static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(c)),
                CG_NURBSControlRef{&patch, r, c});
    }
  }
}

void NURBSMeshTraits::SampleGrid(const CG_NURBSPatch& patch, int n, Point3D* grid) {
  const double u0 = patch.UMin(), u1 = patch.UMax(), v0 = patch.VMin(), v1 = patch.VMax();
  for (int i = 0; i < n; ++i) {
    const double u = i == n - 1 ? u1 : u0 + i * (u1 - u0) / (n - 1);
    for (int j = 0; j < n; ++j) {
      const double v = j == n - 1 ? v1 : v0 + j * (v1 - v0) / (n - 1);
      grid[i * n + j] = patch.PointAt(u, v);
    }
  }
}

}  // namespace zavo
