#include "geometry/raw_to_brep.h"

#include <istream>
#include <locale>
#include <ostream>
#include <string>

#include "foundation/fragmented_seq.h"
#include "foundation/number_text.h"
#include "geometry/real_text.h"

namespace {

// The next white-space separated number of the text; false at the end or at
// a text that is no number.
bool ReadNumber(std::istream& in, double& value) {
  std::string token;
  return static_cast<bool>(in >> token) && zavo::NumberTextToDouble(token, value);
}

bool ReadTriangle(std::istream& in, XTri& t) {
  for (Point3D& p : t.corners) {
    if (!ReadNumber(in, p.x) || !ReadNumber(in, p.y) || !ReadNumber(in, p.z)) return false;
  }
  return true;
}

// The index of a vertex exactly equal to p, or of p appended.
int VertexIndex(FragmentedSeq<Point3D, long>& vertices, const Point3D& p) {
  for (long i = 0; i < vertices.Size(); ++i) {
    const Point3D& q = vertices[i];
    if (q.x == p.x && q.y == p.y && q.z == p.z) return static_cast<int>(i);
  }
  const long i = vertices.Size();
  vertices.SetSize(i + 1);
  vertices[i] = p;
  return static_cast<int>(i);
}

}  // namespace

int RawToBRep(std::istream& raw, std::ostream& pbrep) {
  raw.imbue(std::locale::classic());
  List<XTri> triangles;
  for (;;) {
    auto* t = new XTri;
    if (!ReadTriangle(raw, *t)) {
      delete t;
      break;
    }
    triangles.Append(t);
  }

  FragmentedSeq<Point3D, long> vertices;
  FragmentedSeq<Xqztri, long> faces;
  long proper = 0;
  for (const XTri& t : triangles) {
    const Xqztri f{VertexIndex(vertices, t.corners[0]), VertexIndex(vertices, t.corners[1]),
                   VertexIndex(vertices, t.corners[2])};
    faces.SetSize(faces.Size() + 1);
    faces[faces.Size() - 1] = f;
    if (f.first != f.second && f.second != f.third && f.first != f.third) ++proper;
  }

  pbrep << "{ pbrep\nvertices\n" << std::to_string(vertices.Size()) << "\n";
  for (long i = 0; i < vertices.Size(); ++i) {
    zavo::WriteReal(pbrep, vertices[i].x);
    pbrep << ' ';
    zavo::WriteReal(pbrep, vertices[i].y);
    pbrep << ' ';
    zavo::WriteReal(pbrep, vertices[i].z);
    pbrep << '\n';
  }
  pbrep << "faces\n" << std::to_string(proper) << "\n";
  for (long i = 0; i < faces.Size(); ++i) {
    const Xqztri& f = faces[i];
    if (f.first == f.second || f.second == f.third || f.first == f.third) continue;
    pbrep << "{ 1\n\t{ 3 " << std::to_string(f.first) << ' ' << std::to_string(f.second) << ' '
          << std::to_string(f.third) << "}\n\n}\n";
  }
  pbrep << "}\n";
  return 1;
}
