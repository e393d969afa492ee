#include "models/curved/bezier.h"

Point3D CG_BezierPatch::Control(int r, int c) const {
  return {comp.coord[0].G(r, c), comp.coord[1].G(r, c), comp.coord[2].G(r, c)};
}

void CG_BezierPatch::SetControl(int r, int c, const Point3D& p) {
  comp.coord[0].G(r, c) = p.x;
  comp.coord[1].G(r, c) = p.y;
  comp.coord[2].G(r, c) = p.z;
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
