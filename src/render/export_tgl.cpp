// The TGL export: the image size, the viewing matrix, then three vertices and
// a colour per triangle.

#include "render/export_tgl.h"

#include <ostream>

#include "render/export_meshes.h"
#include "render/output_file.h"
#include "render/sound_view.h"
#include "scene/material.h"
#include "scene/scene.h"
#include "scene/view_reference.h"

namespace zavo {

Transformation TGLViewMatrix(const CG_ViewReference& view, int dimx, int dimy) {
  CG_ViewReference v = view;
  v.f = 0;
  v.b = -10000;
  v.fon = 1;
  v.bon = 1;
  Transformation t;
  if (v.type != 0) {
    ComposeTransformations(t, v.PerspectiveToParallelMatrix(), v.PerspectiveMatrix());
  } else {
    t = v.ParallelMatrix();
  }
  Transformation scale;
  if (dimy < dimx) {
    ScaleTransformation(scale, 1, static_cast<double>(dimy) / dimx, 1);
    ComposeTransformations(t, scale, t);
  }
  const int hx = dimx / 2;
  const int hy = dimy / 2;
  int q = 1;
  // An image one pixel wide or high has a half of 0: no second scale then.
  if (hx != 0 && hy != 0) q = hx > hy ? hx / hy : hy / hx;
  ScaleTransformation(scale, 1, q, 1);
  ComposeTransformations(t, scale, t);
  return t;
}

}  // namespace zavo

namespace {

void WriteTriangles(std::ostream& os, const CG_GraphicObject& mesh) {
  const Point3D colour = zavo::ColourOrDefault(mesh.MeshMaterial());
  const int m = mesh.MeshTriangleCount();
  for (int i = 0; i < m; ++i) {
    int number[3] = {0, 0, 0};
    mesh.MeshTriangle(i, number[0], number[1], number[2]);
    for (int n : number) {
      Point3D p;
      mesh.MeshVertex(zavo::VertexOfNumber(n), p);
      os << p.x << ' ' << p.y << ' ' << p.z << '\n';
    }
    os << colour.x << ' ' << colour.y << ' ' << colour.z << '\n';
  }
}

}  // namespace

int CG_GraphicScene::ExportTGL() {
  if (!zavo::CheckView(viewReference_, *interface_)) return 0;
  const Transformation t = zavo::TGLViewMatrix(viewReference_, param_.dimx, param_.dimy);
  // The export's own planes can still meet the eye (an eye 10000 behind the
  // view plane): such a matrix is not written either.
  if (!zavo::FiniteMatrix(t)) {
    interface_->Message(zavo::kDegenerateView);
    return 0;
  }
  interface_->Status("Creating TGL file");
  const int result = zavo::WriteOutputFile(*this, ".tgl", [this, &t](std::ostream& os) {
    os << param_.dimx << '\n' << param_.dimy << '\n';
    for (int column = 0; column < 4; ++column) {
      for (int row = 0; row < 4; ++row) os << t(row, column) << ' ';
    }
    os << '\n';
    zavo::ForEachExportMesh(*this, [&os](CG_GraphicObject& mesh, const CG_GraphicObject&, int) {
      WriteTriangles(os, mesh);
    });
    return true;
  });
  interface_->Status("");
  return result;
}
