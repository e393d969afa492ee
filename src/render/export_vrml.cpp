// The VRML 1.0 export: one perspective camera at the view reference point,
// one point light per lamp of the lamp list, one separator per mesh.

#include <ostream>

#include "render/export_meshes.h"
#include "render/output_file.h"
#include "render/sound_view.h"
#include "scene/material.h"
#include "scene/scene.h"

namespace {

void WriteMeshBlock(std::ostream& os, const CG_GraphicObject& mesh) {
  const Point3D colour = zavo::ColourOrDefault(mesh.MeshMaterial());
  os << "\tSeparator {\n";
  os << "\t\tMaterial { diffuseColor " << colour.x << ' ' << colour.y << ' ' << colour.z << " }\n";
  os << "\t\tCoordinate3 {\n\t\t\tpoint [\n";
  const int n = mesh.MeshVertexCount();
  for (int k = 1; k <= n; ++k) {
    Point3D p;
    mesh.MeshVertex(k, p);
    os << "\t\t\t\t " << p.x << ' ' << p.y << ' ' << p.z << ' ' << (k < n ? ",\n" : "\n");
  }
  os << "\t\t\t]\n\t\t}\n";
  os << "\t\tIndexedFaceSet {\n\t\t\tcoordIndex [\n";
  const int m = mesh.MeshTriangleCount();
  for (int i = 0; i < m; ++i) {
    int a = 0;
    int b = 0;
    int c = 0;
    mesh.MeshTriangle(i, a, b, c);
    // A negative number only marks a hidden edge: the index is its magnitude.
    os << "\t\t\t\t " << zavo::VertexOfNumber(a) - 1 << " , " << zavo::VertexOfNumber(b) - 1
       << " , " << zavo::VertexOfNumber(c) - 1 << " , -1" << (i + 1 < m ? ",\n" : "\n");
  }
  os << "\t\t\t]\n\t\t}\n\t}\n";
}

}  // namespace

int CG_GraphicScene::ExportVRML() {
  if (!zavo::CheckView(viewReference_, *interface_)) return 0;
  interface_->Status("Creating VRML file");
  const int result = zavo::WriteOutputFile(*this, ".wrl", [this](std::ostream& os) {
    const CG_ViewReference& view = viewReference_;
    os << "#VRML V1.0 ascii\n" << "Separator {\n" << "Separator {\n";
    os << "\tPerspectiveCamera {\n";
    os << "\t\tposition\t" << view.vrp.x << ' ' << view.vrp.y << ' ' << view.vrp.z << '\n';
    os << "\t\torientation\t" << 1 << ' ' << 0 << ' ' << 0 << ' ' << 3.14159265358979323846 << '\n';
    os << "\t\theightAngle\t0.785398\n" << "\t}\n";
    CG_LightSource* lamp = nullptr;
    ResetLightIteration(lamp);
    while (NextLight(lamp)) {
      const Point3D p = lamp->Position();
      os << "\tPointLight {\n" << "\tlocation " << p.x << ' ' << p.y << ' ' << p.z << '\n' << "\t}\n";
    }
    zavo::ForEachExportMesh(*this, [&os](CG_GraphicObject& mesh, const CG_GraphicObject&, int) {
      WriteMeshBlock(os, mesh);
    });
    os << "}\n" << "}\n";
    return true;
  });
  interface_->Status("");
  return result;
}
