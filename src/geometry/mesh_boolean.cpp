#include "geometry/mesh_boolean.h"

#include <algorithm>
#include <cmath>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/user_break.h"
#include "geometry/geo_scanner.h"
#include "geometry/mesh_builders.h"
#include "geometry/raw_to_brep.h"
#include "geometry/ray.h"
#include "geometry/real_text.h"
#include "geometry/triangulate2d.h"

namespace {

GeoInterface* progress = nullptr;

void Status(const std::string& text) {
  if (progress != nullptr) progress->Status(text.c_str());
}

bool TwoCornersEqual(const Point3D (&c)[3]) { return c[0] == c[1] || c[1] == c[2] || c[0] == c[2]; }

// Which pieces of one mesh an operation keeps: by the parity of the ray hits
// on the other mesh, or, for a piece on a face of the other mesh, by whether
// that face is turned the same way or the opposite way.
struct Keep {
  bool odd;
  bool same;
  bool opposite;
};
struct KeepRule {
  Keep first;
  Keep second;
};

// The triangles of a mesh as planes and 2-D corners, for finding the face
// that a point lies on.
class FaceFinder {
public:
  explicit FaceFinder(const BRepModel3& mesh) {
    Seq<Tri3D> triangles;
    zavo::MeshTriangles(mesh, triangles);
    for (std::uint32_t i = 0; i < triangles.Count(); ++i) {
      const Tri3D& t = triangles[i];
      const Plane p = TrianglePlane(t.corners[0], t.corners[1], t.corners[2]);
      const double length = Length(p.Normal());
      if (!(length > 0.0)) continue;
      Face f;
      f.normal = p.Normal() * (1.0 / length);
      f.d = p.d / length;
      KeptAxes(t.axis, f.k1, f.k2);
      for (int k = 0; k < 3; ++k) {
        f.corners[k] = {zavo::Coord(t.corners[k], f.k1), zavo::Coord(t.corners[k], f.k2)};
        for (double c : {t.corners[k].x, t.corners[k].y, t.corners[k].z}) scale_ = std::max(scale_, std::fabs(c));
      }
      faces_.push_back(f);
    }
  }

  // +1 when the point lies on a face turned like the normal, -1 on one turned
  // the opposite way, 0 on none.
  int Side(const Point3D& p, const Point3D& normal) const {
    const double eps = 1e-9 * scale_;
    for (const Face& f : faces_) {
      if (!(std::fabs(Dot(f.normal, p) + f.d) <= eps)) continue;
      const Point2D q{zavo::Coord(p, f.k1), zavo::Coord(p, f.k2)};
      if (!Inside(f.corners, q, eps)) continue;
      return Dot(f.normal, normal) > 0.0 ? 1 : -1;
    }
    return 0;
  }

private:
  struct Face {
    Point3D normal;
    double d = 0.0;
    int k1 = 0, k2 = 1;
    Point2D corners[3];
  };

  static bool Inside(const Point2D (&c)[3], const Point2D& q, double eps) {
    const double area = (c[1].x - c[0].x) * (c[2].y - c[0].y) - (c[2].x - c[0].x) * (c[1].y - c[0].y);
    if (area == 0.0) return false;
    for (int k = 0; k < 3; ++k) {
      const Point2D& a = c[k];
      const Point2D& b = c[(k + 1) % 3];
      const double side = ((b.x - a.x) * (q.y - a.y) - (b.y - a.y) * (q.x - a.x)) / std::hypot(b.x - a.x, b.y - a.y);
      if ((area > 0.0 ? side : -side) < -eps) return false;
    }
    return true;
  }

  std::vector<Face> faces_;
  double scale_ = 1.0;
};

// Appends every item of the list that the rule keeps to the raw text.
void WriteKept(const List<Tri>& pieces, const BRepModel3& other, const FaceFinder& otherFaces, Keep keep,
               BRepModel3::Hits& hits, std::ostream& raw) {
  for (const Tri& t : pieces) {
    if (zavo::BreakRequested()) return;
    const Point3D centroid = TriangleCentroid(t.corners[0], t.corners[1], t.corners[2]);
    const int side = otherFaces.Side(centroid, t.normal);
    if (side != 0) {
      if (!(side > 0 ? keep.same : keep.opposite)) continue;
    } else {
      const Ray ray{centroid, {1.0, 0.0, 0.0}};
      const int k = other.Intersect(ray, hits, 0.0);
      if (((k & 1) != 0) != keep.odd) continue;
    }
    for (const Point3D& p : t.corners) {
      zavo::WriteReal(raw, p.x);
      raw << ' ';
      zavo::WriteReal(raw, p.y);
      raw << ' ';
      zavo::WriteReal(raw, p.z);
      raw << ' ';
    }
    raw << '\n';
  }
}

std::unique_ptr<BRepModel3> Combine(const BRepModel3& first, const BRepModel3& second, KeepRule rule) {
  std::ostringstream raw;
  raw.imbue(std::locale::classic());
  {
    List<Tri> cutFirst, cutSecond, wholeFirst, wholeSecond;
    IntersectMeshes(first, second, cutFirst, cutSecond, wholeFirst, wholeSecond);
    // After a break the result is thrown away: an empty mesh ends the work.
    if (zavo::BreakRequested()) return std::make_unique<BRepModel3>("intr");
    BRepModel3::Hits hits;
    const FaceFinder firstFaces(first), secondFaces(second);
    WriteKept(wholeFirst, second, secondFaces, rule.first, hits, raw);
    WriteKept(wholeSecond, first, firstFaces, rule.second, hits, raw);
    WriteKept(cutFirst, second, secondFaces, rule.first, hits, raw);
    WriteKept(cutSecond, first, firstFaces, rule.second, hits, raw);
  }

  std::istringstream rawIn(raw.str());
  std::ostringstream pbrep;
  pbrep.imbue(std::locale::classic());
  RawToBRep(rawIn, pbrep);

  auto result = std::make_unique<BRepModel3>("intr");
  std::istringstream pbrepIn(pbrep.str());
  GeoScanner scanner(pbrepIn);
  scanner.Next();
  result->Read(scanner);
  CloseMeshGaps(*result);
  return result;
}

}  // namespace

GeoInterface* zavo::MeshBooleanProgress() { return progress; }

zavo::MeshBooleanProgressScope::MeshBooleanProgressScope(GeoInterface* p) : previous_(progress) { progress = p; }

zavo::MeshBooleanProgressScope::~MeshBooleanProgressScope() { progress = previous_; }

void zavo::MeshTriangles(const BRepModel3& mesh, Seq<Tri3D>& out) {
  std::uint32_t count = 0;
  for (std::uint32_t f = 0; f < mesh.faces.Count(); ++f) {
    const ContourFace3* c = mesh.faces[f].contours.First();
    if (c != nullptr && c->vertices.Count() >= 3) count += c->vertices.Count() - 2;
  }
  out.SetSize(count);
  std::uint32_t at = 0;
  for (std::uint32_t f = 0; f < mesh.faces.Count(); ++f) {
    const ContourFace3* c = mesh.faces[f].contours.First();
    if (c == nullptr || c->vertices.Count() < 3) continue;
    const Point3D& apex = mesh.vertices[ContourFace3::VertexIndex(c->vertices[0])];
    for (std::uint32_t k = 1; k + 1 < c->vertices.Count(); ++k) {
      Tri3D& t = out[at++];
      t.corners[0] = apex;
      t.corners[1] = mesh.vertices[ContourFace3::VertexIndex(c->vertices[k])];
      t.corners[2] = mesh.vertices[ContourFace3::VertexIndex(c->vertices[k + 1])];
      ProjectionAxis(t);
    }
  }
}

void IntersectMeshes(const BRepModel3& first, const BRepModel3& second, List<Tri>& cutFirst, List<Tri>& cutSecond,
                     List<Tri>& wholeFirst, List<Tri>& wholeSecond) {
  Seq<Tri3D> one, two;
  zavo::MeshTriangles(first, one);
  zavo::MeshTriangles(second, two);
  const std::uint32_t n = one.Count();
  for (std::uint32_t i = 0; i < n; ++i) {
    if (zavo::BreakRequested()) return;
    for (std::uint32_t j = 0; j < two.Count(); ++j) IntersectTriangles(one[i], two[j]);
    if (progress != nullptr) Status("Computing intrs " + zavo::RealText(100.0 * i / n) + "%");
  }
  Status("Wait...");
  cutFirst.Clear();
  cutSecond.Clear();
  SplitTriangles(cutFirst, wholeFirst, one);
  SplitTriangles(cutSecond, wholeSecond, two);
}

void SplitTriangles(List<Tri>& cut, List<Tri>& whole, const Seq<Tri3D>& triangles) {
  for (std::uint32_t i = 0; i < triangles.Count(); ++i) {
    if (zavo::BreakRequested()) return;
    const Tri3D& t = triangles[i];
    if (TwoCornersEqual(t.corners)) continue;
    const Plane plane = TrianglePlane(t.corners[0], t.corners[1], t.corners[2]);
    if (t.segments.Count() == 0) {
      whole.Append(new Tri(t.corners[0], t.corners[1], t.corners[2], plane.Normal()));
      continue;
    }
    int k1, k2;
    KeptAxes(t.axis, k1, k2);
    const auto flat = [k1, k2](const Point3D& p) { return Point2D{zavo::Coord(p, k1), zavo::Coord(p, k2)}; };
    FragmentedSeq<Point2D, long> points;
    for (const Point3D& c : t.corners) FindOrAddPoint2D(points, flat(c));
    Seq<PreEdge> edges(t.segments.Count());
    for (std::uint32_t s = 0; s < t.segments.Count(); ++s) {
      edges[s].first = static_cast<int>(FindOrAddPoint2D(points, flat(t.segments[s].from)));
      edges[s].second = static_cast<int>(FindOrAddPoint2D(points, flat(t.segments[s].to)));
    }
    const std::unique_ptr<List<ETri2D>> pieces = Triangulate2D(points, edges);
    for (const ETri2D& e : *pieces) {
      // A zero-area piece along a side bounds nothing; kept, its sides would
      // pair up with real boundary edges in the gap repair.
      if (zavo::IsFlatTriangle2D(e.corners[0], e.corners[1], e.corners[2])) continue;
      cut.Append(new Tri(LiftToPlane(e.corners[0], plane, t.axis, k1, k2), LiftToPlane(e.corners[1], plane, t.axis, k1, k2),
                         LiftToPlane(e.corners[2], plane, t.axis, k1, k2), plane.Normal()));
    }
  }
}

std::unique_ptr<BRepModel3> MeshUnion(const BRepModel3& first, const BRepModel3& second) {
  return Combine(first, second, {{false, true, false}, {false, false, false}});
}

std::unique_ptr<BRepModel3> MeshIntersect(const BRepModel3& first, const BRepModel3& second) {
  return Combine(first, second, {{true, true, false}, {true, false, false}});
}

std::unique_ptr<BRepModel3> MeshSubtract(const BRepModel3& first, const BRepModel3& second) {
  return Combine(first, second, {{false, false, true}, {true, false, false}});
}
