// Reads arbitrary text with the three RAW readers: the merged mesh has a face
// per triangle whose indices name its vertices, every corner equal to the
// vertex it names, and its pbrep text reads back.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "editor/import/raw_reader.h"
#include "geometry/brep_model3.h"
#include "geometry/geo_scanner.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (int dimensions : {2, 3}) {
    std::istringstream in(text);
    for (const Point3D& p : zavo::ReadRawPoints(in, dimensions)) Check(dimensions == 3 || p.z == 0.0);
  }
  std::istringstream in(text);
  const std::vector<zavo::RawTriangle> triangles = zavo::ReadRawTriangles(in);
  const zavo::RawMesh mesh = zavo::MergeRawTriangles(triangles);
  Check(mesh.faces.size() == triangles.size());
  for (std::size_t t = 0; t < triangles.size(); ++t) {
    for (int c = 0; c < 3; ++c) {
      Check(mesh.faces[t][c] < mesh.vertices.size());
      const Point3D& v = mesh.vertices[mesh.faces[t][c]];
      Check(v.x == triangles[t][c].x && v.y == triangles[t][c].y && v.z == triangles[t][c].z);
    }
  }
  if (mesh.vertices.empty()) return 0;
  std::ostringstream os;
  zavo::WriteRawPbrep(os, mesh);
  std::istringstream back(os.str());
  GeoScanner scanner(back);
  scanner.Next();
  BRepModel3 model("fuzz");
  model.Read(scanner);  // a mesh of degenerate triangles only may have no face
  return 0;
}
