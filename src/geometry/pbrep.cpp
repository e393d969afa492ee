// The pbrep text of a boundary mesh:
//
//   block    "{" "pbrep" vertices faces [edges] "}"
//   vertices "vertices" NUMBER nv, then nv times NUMBER x, y, z
//   faces    "faces" NUMBER nf (at least 1), then nf times "{" face "}"
//   face     NUMBER nc (at least 1), nc contours, then optionally
//            "(" REAL "," REAL "," REAL "," REAL ")": the face's plane
//   contour  "{" NUMBER n (at least 1), n entries ["*"] NUMBER, then unless
//            the next token is "}" exactly n normals "(" NUMBER "," NUMBER
//            "," NUMBER ")", then "}"
//   edges    "edges" REAL ne, then ne pairs ["*"] REAL ["*"] REAL
//
// NUMBER is a number token, REAL any token read as a real (a token that is
// no number reads as 0; the end of the input is no token). Counts and vertex
// numbers are those reals truncated toward zero. Vertex numbers are 0-based
// and must name a vertex of the list; "*" marks the edge leaving the vertex
// as hidden. Punctuation is recognised by the token's first character,
// keywords by the whole token.
//
// Nothing is allocated ahead for a count: every item is stored as it is
// read, so a count larger than the text fails where the text ends.

#include <cstring>
#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "foundation/number_text.h"
#include "foundation/scanner.h"
#include "geometry/brep_model3.h"
#include "geometry/geo_text.h"
#include "geometry/real_text.h"

namespace {

class PbrepReader {
public:
  PbrepReader(ScannerMemo& scanner, BRepModel3& mesh) : s_(scanner), mesh_(mesh) {}

  // Reads the block. Whatever was read completely before a failure is in the
  // mesh afterwards: the vertices, the faces, the edge table.
  int Read() {
    const int ok = ReadBlock();
    if (!verticesDone_) StoreVertices();
    mesh_.faces.SetSize(static_cast<std::uint32_t>(faces_.size()));
    for (std::uint32_t f = 0; f < mesh_.faces.Count(); ++f) Take(mesh_.faces[f], faces_[f]);
    return ok;
  }

private:
  bool Is(char c) const { return s_.Text()[0] == c; }
  bool IsWord(const char* word) const { return std::strcmp(s_.Text(), word) == 0; }
  bool Count(int& value) const {
    double x = 0;
    return zavo::TokenToDouble(s_, x) && zavo::TruncateToInt(x, value) && value >= 0;
  }
  bool Real(double& value) const {
    return s_.Kind() != zavo::kTokenError && zavo::TokenToDoubleOrZero(s_, value);
  }
  // A vertex number of the list, from a number token or a real.
  bool Vertex(bool anyToken, int& k) const {
    double x = 0;
    const bool read = anyToken ? Real(x) : zavo::TokenToDouble(s_, x);
    return read && zavo::TruncateToInt(x, k) && k >= 0 && static_cast<std::uint32_t>(k) < mesh_.vertices.Count();
  }

  int ReadBlock() {
    if (!Is('{')) return 0;
    s_.Next();
    if (!IsWord("pbrep")) return 0;
    s_.Next();
    if (!ReadVertices()) return 0;
    if (!ReadFaces()) return 0;
    if (IsWord("edges") && !ReadEdges()) return 0;
    if (!Is('}')) return 0;
    s_.Next();
    return 1;
  }

  bool ReadVertices() {
    int nv = 0;
    if (!IsWord("vertices")) return false;
    s_.Next();
    if (!Count(nv)) return false;
    s_.Next();
    for (int i = 0; i < nv; ++i) {
      double xyz[3];
      for (double& v : xyz) {
        if (!zavo::TokenToDouble(s_, v)) return false;
        s_.Next();
      }
      vertices_.push_back({xyz[0], xyz[1], xyz[2]});
    }
    StoreVertices();
    return true;
  }

  void StoreVertices() {
    mesh_.vertices.SetSize(static_cast<std::uint32_t>(vertices_.size()));
    for (std::uint32_t i = 0; i < mesh_.vertices.Count(); ++i) mesh_.vertices[i] = vertices_[i];
    std::vector<Point3D>().swap(vertices_);
    verticesDone_ = true;
  }

  bool ReadFaces() {
    int nf = 0;
    if (!IsWord("faces")) return false;
    s_.Next();
    if (!Count(nf) || nf == 0) return false;
    s_.Next();
    for (int f = 0; f < nf; ++f) {
      if (!Is('{')) return false;
      s_.Next();
      Face3& face = faces_.emplace_back();
      if (!ReadFace(face) || !Is('}')) {
        faces_.pop_back();
        return false;
      }
      s_.Next();
    }
    return true;
  }

  bool ReadFace(Face3& face) {
    int nc = 0;
    if (!Count(nc) || nc == 0) return false;
    s_.Next();
    for (int c = 0; c < nc; ++c) {
      auto* contour = new ContourFace3;
      face.contours.Append(contour);
      if (!ReadContour(*contour)) return false;
    }
    if (!Is('(')) {
      face.ComputePlane(mesh_.vertices);
      return true;
    }
    s_.Next();
    double abcd[4];
    for (int i = 0; i < 4; ++i) {
      if (i > 0) {
        if (!Is(',')) return false;
        s_.Next();
      }
      if (!Real(abcd[i])) return false;
      s_.Next();
    }
    if (!Is(')')) return false;
    s_.Next();
    face.SetPlane({abcd[0], abcd[1], abcd[2], abcd[3]});
    return true;
  }

  bool ReadContour(ContourFace3& contour) {
    int n = 0;
    if (!Is('{')) return false;
    s_.Next();
    if (!Count(n) || n == 0) return false;
    s_.Next();
    entries_.clear();
    for (int i = 0; i < n; ++i) {
      const bool hidden = Is('*');
      if (hidden) s_.Next();
      int k = 0;
      if (!Vertex(false, k)) return false;
      entries_.push_back(hidden ? -(k + 1) : k + 1);
      s_.Next();
    }
    normals_.clear();
    if (!Is('}')) {
      for (int i = 0; i < n; ++i) {
        fVector3<double> w;
        const int ok = zavo::ReadNumberTuple(s_, '(', ')', 3, [&w](std::uint32_t at, double v) {
          (at == 0 ? w.x : (at == 1 ? w.y : w.z)) = v;
        });
        if (!ok) return false;
        normals_.push_back(w);
      }
    }
    if (!Is('}')) return false;
    s_.Next();
    contour.vertices.SetSize(static_cast<std::uint32_t>(entries_.size()));
    for (std::uint32_t i = 0; i < contour.vertices.Count(); ++i) contour.vertices[i] = entries_[i];
    contour.normals.SetSize(static_cast<std::uint32_t>(normals_.size()));
    for (std::uint32_t i = 0; i < contour.normals.Count(); ++i) contour.normals[i] = normals_[i];
    return true;
  }

  bool ReadEdges() {
    s_.Next();
    double count = 0;
    int ne = 0;
    if (!Real(count) || !zavo::TruncateToInt(count, ne) || ne < 0) return false;
    s_.Next();
    std::vector<GEO_BRepEdge> edges;
    for (int e = 0; e < ne; ++e) {
      std::int32_t ends[2];
      for (std::int32_t& end : ends) {
        const bool hidden = Is('*');
        if (hidden) s_.Next();
        int k = 0;
        if (!Vertex(true, k)) return false;
        end = hidden ? -(k + 1) : k + 1;
        s_.Next();
      }
      edges.push_back({ends[0], ends[1]});
    }
    mesh_.edges.SetSize(static_cast<std::uint32_t>(edges.size()));
    for (std::uint32_t i = 0; i < mesh_.edges.Count(); ++i) mesh_.edges[i] = edges[i];
    return true;
  }

  // Moves the plane, the unit normal and the contours of from into to.
  static void Take(Face3& to, Face3& from) {
    to.plane = from.plane;
    to.unitNormal = from.unitNormal;
    while (ContourFace3* c = from.contours.RemoveHead()) to.contours.Append(c);
  }

  ScannerMemo& s_;
  BRepModel3& mesh_;
  std::vector<Point3D> vertices_;
  bool verticesDone_ = false;
  // Faces are stored where they never move: a face copy keeps no normals.
  std::deque<Face3> faces_;
  std::vector<int> entries_;
  std::vector<fVector3<double>> normals_;
};

}  // namespace

int BRepModel3::Read(ScannerMemo& scanner) {
  FreeHierarchy();
  vertices.SetSize(0);
  faces.SetSize(0);
  PbrepReader reader(scanner, *this);
  return reader.Read();
}

std::ostream& BRepModel3::Write(std::ostream& os, int withNormals) const {
  os << "{ pbrep\n\nvertices\n\n" << std::to_string(vertices.Count()) << "\n\n";
  for (std::uint32_t i = 0; i < vertices.Count(); ++i) {
    const Point3D& p = vertices[i];
    zavo::WriteReal(os, p.x);
    os << ' ';
    zavo::WriteReal(os, p.y);
    os << ' ';
    zavo::WriteReal(os, p.z);
    os << '\n';
  }
  os << "\nfaces\n\n" << std::to_string(faces.Count()) << "\n\n";
  for (std::uint32_t f = 0; f < faces.Count(); ++f) WriteFace(faces[f], os, withNormals);
  os << " }\n";
  os.flush();
  return os;
}

void BRepModel3::WriteFace(const Face3& face, std::ostream& os, int withNormals) {
  zavo::WriteFace(face, os, withNormals);
}
