// The DXF export: an ENTITIES section with one polyface-mesh POLYLINE per mesh.

#include <ostream>
#include <string>

#include "render/export_meshes.h"
#include "render/output_file.h"
#include "render/sound_view.h"
#include "scene/scene.h"

namespace {

// The layer of a mesh: its object's name, or name_k for part k of a declass.
std::string Layer(const CG_GraphicObject& owner, int part) {
  std::string layer = zavo::NameText(owner.name);
  if (part >= 0) layer += "_" + std::to_string(part);
  return layer;
}

void WritePolyline(std::ostream& os, const CG_GraphicObject& mesh, const std::string& layer) {
  const int n = mesh.MeshVertexCount();
  const int m = mesh.MeshTriangleCount();
  os << "0\nPOLYLINE\n8\n" << layer << "\n66\n1\n70\n64\n71\n" << n << "\n72\n" << m << '\n';
  for (int k = 1; k <= n; ++k) {
    Point3D p;
    mesh.MeshVertex(k, p);
    os << "0\nVERTEX\n8\n" << layer << "\n10\n" << p.x << "\n20\n" << p.y << "\n30\n" << p.z
       << "\n70\n192\n";
  }
  for (int i = 0; i < m; ++i) {
    int a = 0;
    int b = 0;
    int c = 0;
    mesh.MeshTriangle(i, a, b, c);
    // The numbers keep their signs: a negative one hides the edge from that vertex.
    os << "0\nVERTEX\n8\n" << layer << "\n10\n0\n20\n0\n30\n0\n70\n128\n71\n" << a << "\n72\n" << b
       << "\n73\n" << c << '\n';
  }
  os << "0\nSEQEND\n";
}

}  // namespace

int CG_GraphicScene::ExportDXF() {
  if (!zavo::CheckView(viewReference_, *interface_)) return 0;
  interface_->Status("Creating DXF file");
  const int result = zavo::WriteOutputFile(*this, ".dxf", [this](std::ostream& os) {
    os << "0\nSECTION\n2\nENTITIES\n";
    zavo::ForEachExportMesh(*this, [&os](CG_GraphicObject& mesh, const CG_GraphicObject& owner,
                                         int part) { WritePolyline(os, mesh, Layer(owner, part)); });
    os << "0\nENDSEC\n0\nEOF\n";
    return true;
  });
  interface_->Status("");
  return result;
}
