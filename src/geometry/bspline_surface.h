#pragma once

// A uniform bicubic B-spline surface over an n x m grid of control points,
// and the Cox-de Boor basis function of general B-splines.

#include <cstdint>
#include <iosfwd>
#include <memory>

#include "foundation/seq.h"
#include "foundation/vector.h"
#include "geometry/brep_model3.h"
#include "geometry/bspline_patch.h"
#include "geometry/log_support.h"
#include "geometry/point3d.h"

// Control point (i, j), i from 0 to n - 1 along u and j from 0 to m - 1 along
// v. Every 4 x 4 window of the grid is one patch: u runs over 0..n - 3 and v
// over 0..m - 3; the integer part of a parameter selects the window, the
// fraction is the parameter inside it. A grid with fewer than four points
// along either side has no window. The log settings (LogSupport) turn on the
// lines of the ray search (patch_hits.h).
class BSplineSurface : public LogSupport {
 public:
  // Discards the grid and makes n rows of m points (0, 0, 0). Negative sizes
  // are an internal error.
  void SetGridSize(std::int32_t n, std::int32_t m);

  std::int32_t N() const { return n; }
  std::int32_t M() const { return m; }
  // No range check.
  Point3D& ControlPoint(std::int32_t i, std::int32_t j) { return controlPoints[i][j]; }
  const Point3D& ControlPoint(std::int32_t i, std::int32_t j) const { return controlPoints[i][j]; }

  double UMin() const { return 0.0; }
  double UMax() const { return n - 3.0; }
  double VMin() const { return 0.0; }
  double VMax() const { return m - 3.0; }

  // The surface point and its partial derivatives. Inside the parameter range
  // the window is the integer part of (u, v). Outside it the window index is
  // clamped to the grid (0..n - 4, 0..m - 4), so u = UMax is the end of the
  // last window and nothing is read past the grid; the local parameter is
  // then below 0 or above 1. A surface without a window gives (0, 0, 0).
  Point3D PointAt(double u, double v) const;
  Point3D DerivativeU(double u, double v) const;
  Point3D DerivativeV(double u, double v) const;

  // Fills patch with the window whose first control point is (i, j); i from
  // 0 to n - 4, j from 0 to m - 4 (not checked). The log settings are left.
  void GetPatch(std::int32_t i, std::int32_t j, BSplineComp& patch) const;

 private:
  // The window of (u, v) and the local parameters; false without a window.
  bool Locate(double u, double v, BSplineComp& patch, double& s, double& t) const;

  Seq<Seq<Point3D>> controlPoints;
  std::int32_t n = 0;
  std::int32_t m = 0;
};

namespace zavo {
// The largest grid that ReadControlGrid accepts.
inline constexpr std::int32_t kMaxGridSide = 10000;
inline constexpr std::int64_t kMaxGridPoints = 10000000;
}  // namespace zavo

// Reads a control grid from text: n and m, then n * m points of three reals,
// point (i, j) for i from 0 to n - 1 and, inside, j from 0 to m - 1; tokens are
// separated by any white space and numbers are read in the C locale's syntax.
// Answers 1 with the surface holding the new grid, or 0 with the surface
// unchanged when the text ends early, a token is not a number, n or m is not a
// whole number from 4 to kMaxGridSide, or n * m exceeds kMaxGridPoints.
// Nothing is allocated for the grid before the counts are checked.
int ReadControlGrid(BSplineSurface& surface, std::istream& in);

namespace zavo {
// Samples of the spline mesh per window side, fewer (down to 1) when the
// mesh would have more vertices than the budget.
inline constexpr int kSplineMeshSamplesPerWindow = 8;
inline constexpr std::int64_t kSplineMeshVertexBudget = 1000000;
}  // namespace zavo

// k = SplineMeshSamplesPerWindow: kSplineMeshSamplesPerWindow, or the largest
// smaller number whose mesh stays within the budget; 0 without a window.
int SplineMeshSamplesPerWindow(const BSplineSurface& surface);
// The number of vertices of TessellateSplineSurface's mesh.
std::int64_t SplineMeshVertexCount(const BSplineSurface& surface);

// The mesh of a sampling of the whole parameter rectangle, named "bpline",
// k steps per window side: table entry [r][c] is PointAt(UMin + r / k,
// VMin + c / k), r from 0 to (n - 3) k and c from 0 to (m - 3) k, so both
// ends of each range are sampled; handed to MakeGridBRep. A surface without
// a window gives a "bpline" mesh without vertices.
std::unique_ptr<BRepModel3> TessellateSplineSurface(const BSplineSurface& surface);

// The B-spline basis function N(i, k) at t over the knot vector (Cox-de Boor):
// N(i, 1) is 1 when knot[i] <= t < knot[i + 1], else 0; a term whose
// denominator is exactly 0 counts as 0. i >= 0, k >= 1 and i + k below the
// knot count, else an internal error.
double SplineBasis(std::int32_t i, std::int32_t k, double t, const Vector<double>& knot);

namespace zavo {
// The highest order the NURBS models accept: their bases of order k are
// evaluated level by level, and their files are checked against it.
inline constexpr int kMaxNURBSOrder = 16;
}  // namespace zavo
