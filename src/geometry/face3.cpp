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

// The two coordinates kept by the projection that leaves out the axis.
void ProjectionOf(int axis, int& u, int& v) {
  u = axis == 0 ? 1 : 0;
  v = axis == 2 ? 1 : 2;
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
  const Point3D h = o + t * r;
  int u, v;
  ProjectionOf(axis, u, v);
  return CountCrossings(points, {Coordinate(h, u), Coordinate(h, v)}, u, v) & 1;
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
