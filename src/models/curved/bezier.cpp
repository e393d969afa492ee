#include "models/curved/bezier.h"

Point3D CG_BezierPatch::Control(int r, int c) const {
  return {comp.coord[0].G(r, c), comp.coord[1].G(r, c), comp.coord[2].G(r, c)};
}

void CG_BezierPatch::SetControl(int r, int c, const Point3D& p) {
  comp.coord[0].G(r, c) = p.x;
  comp.coord[1].G(r, c) = p.y;
  comp.coord[2].G(r, c) = p.z;
}

namespace {

// The cubic Bernstein weights (1 − t)³, 3t(1 − t)², 3t²(1 − t), t³: exactly
// (1, 0, 0, 0) at t = 0 and (0, 0, 0, 1) at t = 1.
void Bernstein(double t, double w[4]) {
  const double s = 1.0 - t;
  w[0] = s * s * s;
  w[1] = 3.0 * t * s * s;
  w[2] = 3.0 * t * t * s;
  w[3] = t * t * t;
}

}  // namespace

Point3D CG_BezierPatch::PointAt(double u, double v) const {
  double wu[4], wv[4];
  Bernstein(u, wu);
  Bernstein(v, wv);
  double out[3];
  for (int k = 0; k < 3; ++k) {
    const Matrix<double>& G = comp.coord[k].G;
    double sum = 0.0;
    for (int r = 0; r < 4; ++r) {
      double row = 0.0;
      for (int c = 0; c < 4; ++c) row += G(r, c) * wv[c];
      sum += wu[r] * row;
    }
    out[k] = sum;
  }
  return {out[0], out[1], out[2]};
}

namespace zavo {

void BezierModelTraits::AddControls(CG_BezierPatch& patch,
                                    ControlTableBuilder<CG_BezControl, BezRefs>& table) {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) table.Add(patch.Control(r, c), BezRefs{&patch, r, c});
  }
}

void BezierModelTraits::SampleGrid(const CG_BezierPatch& patch, int n, Point3D* grid) {
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      grid[i * n + j] = patch.PointAt(static_cast<double>(i) / (n - 1), static_cast<double>(j) / (n - 1));
    }
  }
}

}  // namespace zavo
