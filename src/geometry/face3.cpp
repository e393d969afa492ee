#include "geometry/face3.h"

#include <cmath>
#include <ostream>
#include <string>

#include "geometry/polygon2d.h"
#include "geometry/real_text.h"

namespace {

double Coordinate(const Point3D& p, int i) { return i == 0 ? p.x : (i == 1 ? p.y : p.z); }

template <int I>
double Coord(const Point3D& p) {
  if constexpr (I == 0) {
    return p.x;
  } else if constexpr (I == 1) {
    return p.y;
  } else {
    return p.z;
  }
}

// The crossing count with the two coordinates fixed at compile time: the ray
// test runs it for every candidate face.
template <int U, int V>
int Crossings(const Seq<int>& vertices, const Seq<Point3D>& points, const Point2D& p) {
  const std::uint32_t n = vertices.Count();
  int count = 0;
  for (std::uint32_t i = 0; i < n; ++i) {
    const Point3D& a = points[ContourFace3::VertexIndex(vertices[i])];
    const Point3D& b = points[ContourFace3::VertexIndex(vertices[i + 1 == n ? 0 : i + 1])];
    if (CrossesBelow(p, {Coord<U>(a), Coord<V>(a)}, {Coord<U>(b), Coord<V>(b)})) ++count;
  }
  return count;
}

// A vertex seen from the ray: its offset from the origin projected along the
// ray onto the plane across the ray's largest direction component K3, as the
// two components of (vertex - origin) x direction on the other two axes. It
// depends on the ray and the vertex only, so every face that holds the vertex
// sees it at the very same place.
template <int K1, int K2, int K3>
Point2D SeenFromRay(const Point3D& p, const Point3D& o, const Point3D& r) {
  const double a1 = Coord<K1>(p) - Coord<K1>(o), a2 = Coord<K2>(p) - Coord<K2>(o), a3 = Coord<K3>(p) - Coord<K3>(o);
  return {a1 * Coord<K3>(r) - a3 * Coord<K1>(r), a2 * Coord<K3>(r) - a3 * Coord<K2>(r)};
}

bool CrossesBelowRay(const Point2D& a, const Point2D& b);

// The number of contour edges that cross the half-line of CrossesBelowRay.
template <int K1, int K2, int K3>
int RayCrossings(const Seq<int>& vertices, const Seq<Point3D>& points, const Ray& ray) {
  const std::uint32_t n = vertices.Count();
  const Point3D& o = ray.origin;
  const Point3D& r = ray.direction;
  int count = 0;
  const Point2D first = SeenFromRay<K1, K2, K3>(points[ContourFace3::VertexIndex(vertices[0])], o, r);
  Point2D a = first;
  for (std::uint32_t i = 0; i < n; ++i) {
    const Point2D b =
        i + 1 == n ? first : SeenFromRay<K1, K2, K3>(points[ContourFace3::VertexIndex(vertices[i + 1])], o, r);
    if (CrossesBelowRay(a, b)) ++count;
    a = b;
  }
  return count;
}

// Whether the edge a-b crosses the half-line from the ray's point (0, 0)
// towards -y, the point taken as (e, e^2) for an infinitely small e > 0 so
// that it lies on no edge and on no vertex. The test gives the opposite
// orientation the opposite answer bit for bit (the cross product of b, a is
// the exact negation of that of a, b), so of two faces on either side of a
// shared edge the ray point lies in exactly one, whatever the rounding.
bool CrossesBelowRay(const Point2D& a, const Point2D& b) {
  const bool aRight = a.x > 0.0, bRight = b.x > 0.0;
  if (aRight == bRight) return false;
  // Orientation of (a, b, point): a.x b.y - a.y b.x, then the e and e^2 terms.
  const double cross = a.x * b.y - a.y * b.x;
  bool left;  // the point lies to the left of a -> b
  if (cross != 0.0) {
    left = cross > 0.0;
  } else if (b.y != a.y) {
    left = b.y < a.y;
  } else {
    left = b.x > a.x;
  }
  // Going right (b to the right), the point above the edge has it on its left.
  return left == bRight;
}

}  // namespace

GEO_Box ContourFace3::GetBox(const Seq<Point3D>& points) const {
  GEO_Box box;
  const std::uint32_t n = vertices.Count();
  if (n == 0) return box;
  box.SetPoint(points[VertexIndex(vertices[0])]);
  for (std::uint32_t i = 1; i < n; ++i) box.Extend(points[VertexIndex(vertices[i])]);
  return box;
}

Point3D ContourFace3::Centroid(const Seq<Point3D>& points) const {
  Point3D sum;
  const std::uint32_t n = vertices.Count();
  if (n == 0) return sum;
  for (std::uint32_t i = 0; i < n; ++i) sum += points[VertexIndex(vertices[i])];
  return sum * (1.0 / n);
}

Plane ContourFace3::ComputePlane(const Seq<Point3D>& points) {
  const std::uint32_t n = vertices.Count();
  Polygon2D yz(n), xz(n), xy(n);
  for (std::uint32_t i = 0; i < n; ++i) {
    const Point3D& p = points[VertexIndex(vertices[i])];
    yz.Append({p.y, p.z});
    xz.Append({p.x, p.z});
    xy.Append({p.x, p.y});
  }
  const double syz = yz.SignedArea();
  const double sxz = xz.SignedArea();
  const double sxy = xy.SignedArea();
  axis = 0;
  if (std::fabs(sxz) > std::fabs(syz)) axis = 1;
  if (std::fabs(sxy) > std::fabs(syz) && std::fabs(sxy) > std::fabs(sxz)) axis = 2;
  Plane plane{syz, -sxz, sxy, 0.0};
  if (n > 0) {
    const Point3D& p0 = points[VertexIndex(vertices[0])];
    plane.d = -(plane.a * p0.x + plane.b * p0.y + plane.c * p0.z);
  }
  return plane;
}

void ContourFace3::SetAxis(const Plane& plane) {
  axis = 0;
  double m = std::fabs(plane.a);
  if (std::fabs(plane.b) > m) {
    axis = 1;
    m = std::fabs(plane.b);
  }
  if (std::fabs(plane.c) > m) axis = 2;
}

int ContourFace3::CountCrossings(const Seq<Point3D>& points, const Point2D& p, int u, int v) const {
  if (u == 1 && v == 2) return Crossings<1, 2>(vertices, points, p);
  if (u == 0 && v == 2) return Crossings<0, 2>(vertices, points, p);
  if (u == 0 && v == 1) return Crossings<0, 1>(vertices, points, p);
  const std::uint32_t n = vertices.Count();
  int count = 0;
  for (std::uint32_t i = 0; i < n; ++i) {
    const Point3D& a = points[VertexIndex(vertices[i])];
    const Point3D& b = points[VertexIndex(vertices[i + 1 == n ? 0 : i + 1])];
    if (CrossesBelow(p, {Coordinate(a, u), Coordinate(a, v)}, {Coordinate(b, u), Coordinate(b, v)})) ++count;
  }
  return count;
}

int ContourFace3::Intersect(const Ray& ray, const Seq<Point3D>& points, double& t, const Plane& plane,
                            double tmin) const {
  const Point3D& o = ray.origin;
  const Point3D& r = ray.direction;
  const double q = plane.a * r.x + plane.b * r.y + plane.c * r.z;
  if (q == 0.0) return 0;
  t = -(plane.a * o.x + plane.b * o.y + plane.c * o.z + plane.d) / q;
  if (!(t > tmin)) return 0;
  // Whether the ray passes inside the contour is decided in the ray's own
  // projection, from the vertices alone (not from the hit point on this
  // face's plane): faces that share an edge or a vertex then agree on which
  // of them the ray passes through, and a closed mesh has no cracks.
  if (vertices.Count() == 0) return 0;
  const double ax = std::fabs(r.x), ay = std::fabs(r.y), az = std::fabs(r.z);
  int count;
  if (ax >= ay && ax >= az) {
    count = RayCrossings<1, 2, 0>(vertices, points, ray);
  } else if (ay >= az) {
    count = RayCrossings<0, 2, 1>(vertices, points, ray);
  } else {
    count = RayCrossings<0, 1, 2>(vertices, points, ray);
  }
  return count & 1;
}

void ContourFace3::Write(std::ostream& os, int withNormals) const {
  const std::uint32_t n = vertices.Count();
  os << "\t\t{ " << std::to_string(n) << "    ";
  for (std::uint32_t i = 0; i < n; ++i) {
    if (vertices[i] < 0) os << '*';
    os << std::to_string(VertexIndex(vertices[i])) << ' ';
  }
  if (withNormals && normals.Count() > 0) {
    for (std::uint32_t i = 0; i < normals.Count(); ++i) {
      const fVector3<double>& w = normals[i];
      os << "( ";
      zavo::WriteReal(os, w.x);
      os << " , ";
      zavo::WriteReal(os, w.y);
      os << " , ";
      zavo::WriteReal(os, w.z);
      os << " ) ";
    }
  }
  os << '}';
}

Face3::Face3(const Face3& other) { CopyFrom(other); }

Face3& Face3::operator=(const Face3& other) {
  if (this != &other) {
    contours.Clear();
    CopyFrom(other);
  }
  return *this;
}

void Face3::CopyFrom(const Face3& other) {
  plane = other.plane;
  unitNormal = other.unitNormal;
  for (const ContourFace3& c : other.contours) {
    auto* copy = new ContourFace3;
    copy->vertices = c.vertices;
    contours.Append(copy);
  }
}

std::uint32_t Face3::ContourCount() const {
  std::uint32_t n = 0;
  for (auto it = contours.begin(); it != contours.end(); ++it) ++n;
  return n;
}

void Face3::SetUnitNormal() {
  const Point3D n{-plane.a, -plane.b, -plane.c};
  if (n.x == 0.0 && n.y == 0.0 && n.z == 0.0) {
    unitNormal = {1.0, 0.0, 0.0};
    return;
  }
  unitNormal = n * (1.0 / Length(n));
}

void Face3::SpreadAxis() {
  ContourFace3* first = contours.First();
  for (ContourFace3* c = first; c != nullptr; c = List<ContourFace3>::Next(c)) c->axis = first->axis;
}

void Face3::ComputePlane(const Seq<Point3D>& points) {
  ContourFace3* first = contours.First();
  if (first == nullptr) return;
  plane = first->ComputePlane(points);
  SpreadAxis();
  SetUnitNormal();
}

void Face3::SetPlane(const Plane& p) {
  plane = p;
  ContourFace3* first = contours.First();
  if (first != nullptr) {
    first->SetAxis(p);
    SpreadAxis();
  }
  SetUnitNormal();
}

GEO_Box Face3::GetBox(const Seq<Point3D>& points) const {
  const ContourFace3* first = contours.First();
  if (first == nullptr) return GEO_Box{};
  GEO_Box box = first->GetBox(points);
  for (const ContourFace3* c = List<ContourFace3>::Next(first); c != nullptr; c = List<ContourFace3>::Next(c)) {
    box.ExtendBox(c->GetBox(points));
  }
  return box;
}

int Face3::Intersect(const Ray& ray, const Seq<Point3D>& points, double& t, Point3D& normal, double tmin) const {
  ++zavo::FaceNIntr;
  normal = unitNormal;
  const ContourFace3* outer = contours.First();
  if (outer == nullptr || !outer->Intersect(ray, points, t, plane, tmin)) return 0;
  for (const ContourFace3* hole = List<ContourFace3>::Next(outer); hole != nullptr;
       hole = List<ContourFace3>::Next(hole)) {
    double scratch = t;
    if (hole->Intersect(ray, points, scratch, plane, tmin)) return 0;
  }
  return 1;
}

void zavo::WriteFace(const Face3& face, std::ostream& os, int withNormals) {
  os << "\t{\t" << std::to_string(face.ContourCount()) << '\n';
  for (const ContourFace3& c : face.contours) {
    c.Write(os, withNormals);
    os << '\n';
  }
  os << "\t}\n\n";
}

std::ostream& operator<<(std::ostream& os, const Face3& face) {
  zavo::WriteFace(face, os, 1);
  return os;
}
