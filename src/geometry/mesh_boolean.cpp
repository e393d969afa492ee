#include "geometry/mesh_boolean.h"

#include <locale>
#include <sstream>
#include <string>

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

// Which pieces an operation keeps, by the parity of the ray hits on the other
// mesh: pieces of the first mesh, then pieces of the second.
struct KeepRule {
  bool firstOdd;
  bool secondOdd;
};

// Appends every item of the list that the rule keeps to the raw text.
void WriteKept(const List<Tri>& pieces, const BRepModel3& other, bool keepOdd, BRepModel3::Hits& hits,
               std::ostream& raw) {
  for (const Tri& t : pieces) {
    if (zavo::BreakRequested()) return;
    const Ray ray{TriangleCentroid(t.corners[0], t.corners[1], t.corners[2]), {1.0, 0.0, 0.0}};
    const int k = other.Intersect(ray, hits, 0.0);
    if (((k & 1) != 0) != keepOdd) continue;
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
    WriteKept(wholeFirst, second, rule.firstOdd, hits, raw);
    WriteKept(wholeSecond, first, rule.secondOdd, hits, raw);
    WriteKept(cutFirst, second, rule.firstOdd, hits, raw);
    WriteKept(cutSecond, first, rule.secondOdd, hits, raw);
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
    if (t.segments.Count() == 0) {
      whole.Append(new Tri(t.corners[0], t.corners[1], t.corners[2]));
      continue;
    }
    int k1, k2;
    KeptAxes(t.axis, k1, k2);
    const Plane plane = TrianglePlane(t.corners[0], t.corners[1], t.corners[2]);
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
                         LiftToPlane(e.corners[2], plane, t.axis, k1, k2)));
    }
  }
}

std::unique_ptr<BRepModel3> MeshUnion(const BRepModel3& first, const BRepModel3& second) {
  return Combine(first, second, {false, false});
}

std::unique_ptr<BRepModel3> MeshIntersect(const BRepModel3& first, const BRepModel3& second) {
  return Combine(first, second, {true, true});
}

std::unique_ptr<BRepModel3> MeshSubtract(const BRepModel3& first, const BRepModel3& second) {
  return Combine(first, second, {false, true});
}
