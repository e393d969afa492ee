// Reads arbitrary text as a pbrep block. A mesh that reads must write text
// that reads again and writes the same; then its edges, vertex normals, a
// level build of its face hierarchy and a few ray queries run over it. A text
// that the plain lane takes must read through the scanner to the same mesh.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "geometry/brep_model3.h"
#include "geometry/geo_scanner.h"
#include "geometry/pbrep_plain.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

std::string Written(const BRepModel3& mesh) {
  std::ostringstream os;
  mesh.Write(os, 1);
  return os.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::istringstream in(text);
  GeoScanner scanner(in);
  scanner.Next();
  BRepModel3 mesh("fuzz");
  const int ok = mesh.Read(scanner);
  BRepModel3 plain("fuzz");
  if (zavo::ReadPlainPbrep(text, plain)) {
    Check(ok == 1 && plain.vertices.Count() == mesh.vertices.Count() && plain.faces.Count() == mesh.faces.Count());
    for (std::uint32_t i = 0; i < mesh.vertices.Count(); ++i) {
      Check(std::memcmp(&plain.vertices[i], &mesh.vertices[i], sizeof(Point3D)) == 0);
    }
    for (std::uint32_t f = 0; f < mesh.faces.Count(); ++f) {
      Check(std::memcmp(&plain.faces[f].plane, &mesh.faces[f].plane, sizeof(Plane)) == 0);
    }
    Check(Written(plain) == Written(mesh));
  }
  if (!ok) {
    Written(mesh);  // whatever was read is a mesh all the same
    return 0;
  }

  const std::string first = Written(mesh);
  BRepModel3 again("again");
  std::istringstream back(first);
  GeoScanner rescan(back);
  rescan.Next();
  Check(again.Read(rescan) == 1);
  Check(Written(again) == first);

  mesh.BuildEdges();
  mesh.ComputeVertexNormals(0.5);
  if (mesh.faces.Count() > 3000) return 0;  // the level build is quadratic
  mesh.BuildHierarchy(1.3, nullptr, nullptr);
  const GEO_Box box = mesh.GetBox();
  const Point3D centre = box.Center();
  const Ray rays[] = {
      Ray::FromDirection({box.xmin - 1, centre.y, centre.z}, {1, 0, 0}),
      Ray::FromDirection(centre, {0.3, -0.5, 0.8}),
      Ray::FromPoints({box.xmin, box.ymin, box.zmin}, {box.xmax, box.ymax, box.zmax}),
  };
  BRepModel3::Hits hits;
  for (const Ray& ray : rays) {
    // Each face is tested at most once per query.
    for (int (BRepModel3::*query)(const Ray&, BRepModel3::Hits&, double) const :
         {&BRepModel3::Intersect, &BRepModel3::IntersectFirst, &BRepModel3::IntersectBestFirst}) {
      const int n = (mesh.*query)(ray, hits, 0.0);
      Check(n >= 0 && static_cast<unsigned int>(n) <= mesh.faces.Count() && hits.Size() >= static_cast<unsigned int>(n));
    }
  }
  return 0;
}
