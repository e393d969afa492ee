#include "geometry/tri3d.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "foundation/matrix.h"

using zavo::Coord;
using zavo::Line2D;

namespace {

bool Tiny(const Point3D& v, double limit) {
  return std::fabs(v.x) < limit && std::fabs(v.y) < limit && std::fabs(v.z) < limit;
}

Point2D Project(const Point3D& p, int k1, int k2) { return {Coord(p, k1), Coord(p, k2)}; }

Point3D Unit(const Point3D& v) {
  const double l = Length(v);
  return {v.x / l, v.y / l, v.z / l};
}

// The axis of v's largest absolute component, ties to the lower axis.
int LargestAxis(double x, double y, double z) {
  const int candidate = std::fabs(x) >= std::fabs(y) ? 0 : 1;
  const double value = candidate == 0 ? x : y;
  return std::fabs(value) >= std::fabs(z) ? candidate : 2;
}

}  // namespace

void Tri3D::AddSegment(const Point3D& from, const Point3D& to) {
  segments.Resize(segments.Count() + 1);
  segments[segments.Count() - 1] = {from, to};
}

int zavo::ProjectionAxisOf(const Plane& plane) { return LargestAxis(plane.a, plane.b, plane.c); }

Plane TrianglePlane(const Point3D& p0, const Point3D& p1, const Point3D& p2) {
  if (Tiny(p1 - p0, 1e-20) || Tiny(p2 - p0, 1e-20) || Tiny(p2 - p1, 1e-20)) return {1.0, 0.0, 0.0, -p0.x};
  const Point3D n = Cross(Unit(p1 - p0), Unit(p2 - p0));
  return {n.x, n.y, n.z, -Dot(n, p0)};
}

void ProjectionAxis(Tri3D& triangle) {
  triangle.axis = zavo::ProjectionAxisOf(TrianglePlane(triangle.corners[0], triangle.corners[1], triangle.corners[2]));
}

void KeptAxes(int axis, int& k1, int& k2) {
  k1 = axis == 0 ? 1 : (axis == 1 ? 2 : 0);
  k2 = axis == 0 ? 2 : (axis == 1 ? 0 : 1);
}

Line2D LineThroughPoints2D(const Point2D& p0, const Point2D& p1) {
  const double a = p1.y - p0.y;
  return {a, -(p1.x - p0.x), -a * p0.x + p0.y * (p1.x - p0.x)};
}

Line2D PlanesLine2D(const Plane& p1, const Plane& p2, int /*axis*/, int k1, int k2) {
  const Point3D u = Unit(Cross(p1.Normal(), p2.Normal()));
  const double m[3][3] = {{p1.a, p1.b, p1.c}, {p2.a, p2.b, p2.c}, {u.x, u.y, u.z}};
  double inverse[3][3];
  Inverse(m, inverse);
  const double rhs[3] = {-p1.d, -p2.d, 0.0};
  Point3D X;
  for (int i = 0; i < 3; ++i) {
    double sum = 0.0;
    for (int j = 0; j < 3; ++j) sum += inverse[i][j] * rhs[j];
    Coord(X, i) = sum;
  }
  return {Coord(u, k2), -Coord(u, k1), Coord(u, k1) * Coord(X, k2) - Coord(u, k2) * Coord(X, k1)};
}

bool LineCutsSegment2D(const Point2D& A, const Point2D& B, const Point2D& K, const Point2D& L, Point2D& out) {
  const double f = (L.y - K.y) * (B.x - A.x) - (B.y - A.y) * (L.x - K.x);
  if (std::fabs(f) < 1e-15) return false;
  const double s = ((B.x - A.x) * (A.y - K.y) + (B.y - A.y) * (K.x - A.x)) / f;
  if (!(s >= 0.0 && s <= 1.0)) return false;
  out = {K.x + s * (L.x - K.x), K.y + s * (L.y - K.y)};
  return true;
}

int TriangleChord2D(const Point2D (&triangle)[3], const Line2D& line, Point2D (&out)[2]) {
  // A line without a direction (two equal points were joined) meets nothing.
  if (line.a == 0.0 && line.b == 0.0) return 0;
  Point2D A, B;
  if (std::fabs(line.b) > std::fabs(line.a)) {
    A = {0.0, -line.c / line.b};
    B = {1.0, (-line.c - line.a) / line.b};
  } else {
    A = {-line.c / line.a, 0.0};
    B = {(-line.c - line.b) / line.a, 1.0};
  }
  int found = 0;
  const int sides[3][2] = {{0, 1}, {1, 2}, {2, 0}};
  for (int s = 0; s < 3; ++s) {
    if (s == 2 && found >= 2) break;
    Point2D p;
    if (LineCutsSegment2D(A, B, triangle[sides[s][0]], triangle[sides[s][1]], p) && found < 2) out[found++] = p;
  }
  return found;
}

Point3D LiftToPlane(const Point2D& p, const Plane& plane, int axis, int k1, int k2) {
  Point3D X;
  Coord(X, k1) = p.x;
  Coord(X, k2) = p.y;
  Coord(X, axis) = -(Coord(plane, k1) * p.x + plane.d + Coord(plane, k2) * p.y) / Coord(plane, axis);
  return X;
}

bool SegmentOverlap3D(const Point3D& P, const Point3D& Q, const Point3D& R, const Point3D& S, Point3D& from,
                      Point3D& to) {
  const Point3D D = Q - P;
  if (Tiny(D, 1e-10)) return false;
  const int t = LargestAxis(D.x, D.y, D.z);
  double u = (Coord(R, t) - Coord(P, t)) / Coord(D, t);
  double v = (Coord(S, t) - Coord(P, t)) / Coord(D, t);
  if (u > v) std::swap(u, v);
  const double lo = u > 0.0 ? u : 0.0;
  const double hi = v < 1.0 ? v : 1.0;
  if (!(hi > lo)) return false;
  from = P + lo * D;
  to = P + hi * D;
  return true;
}

long FindOrAddPoint2D(FragmentedSeq<Point2D, long>& table, const Point2D& p) {
  for (long i = 0; i < table.Size(); ++i) {
    if (table[i].x == p.x && table[i].y == p.y) return i;
  }
  const long i = table.Size();
  table.SetSize(i + 1);
  table[i] = p;
  return i;
}

Point3D TriangleCentroid(const Point3D& p0, const Point3D& p1, const Point3D& p2) {
  return (p0 + p1 + p2) * 0.3333333333333333;
}

namespace {

// The largest absolute coordinate of the two triangles, at least 1: the
// scale of the tolerances of the coplanar tests.
double Scale(const Tri3D& a, const Tri3D& b) {
  double m = 1.0;
  for (const Tri3D* t : {&a, &b}) {
    for (const Point3D& c : t->corners) m = std::max({m, std::fabs(c.x), std::fabs(c.y), std::fabs(c.z)});
  }
  return m;
}

// The part of the segment a-b inside the closed triangle (in 2-D, with the
// tolerance eps on the distance to its sides) as parameters lo < hi of the
// segment; false when the inside part is shorter than eps.
bool ClipToTriangle(const Point2D& a, const Point2D& b, const Point2D (&tri)[3], double eps, double& lo,
                    double& hi) {
  const double area = (tri[1].x - tri[0].x) * (tri[2].y - tri[0].y) - (tri[2].x - tri[0].x) * (tri[1].y - tri[0].y);
  if (area == 0.0) return false;
  const double sign = area > 0.0 ? 1.0 : -1.0;
  lo = 0.0;
  hi = 1.0;
  for (int k = 0; k < 3; ++k) {
    const Point2D& p = tri[k];
    const Point2D& q = tri[(k + 1) % 3];
    const double length = std::hypot(q.x - p.x, q.y - p.y);
    if (length == 0.0) return false;
    // Signed distances of a and b from the side, positive inside. An end
    // within eps of the side counts as on it and is not moved; an end beyond
    // it is cut back to where the segment meets the side.
    const double da = sign * ((q.x - p.x) * (a.y - p.y) - (q.y - p.y) * (a.x - p.x)) / length;
    const double db = sign * ((q.x - p.x) * (b.y - p.y) - (q.y - p.y) * (b.x - p.x)) / length;
    if (da < -eps && db < -eps) return false;
    if (da < -eps) lo = std::max(lo, da / (da - db));
    if (db < -eps) hi = std::min(hi, da / (da - db));
  }
  return (hi - lo) * std::hypot(b.x - a.x, b.y - a.y) > eps;
}

// Appends to the triangle the parts of the other's sides that lie on it.
void AddSidesOf(const Tri3D& other, Tri3D& target, int k1, int k2, double eps) {
  const Point2D tri[3] = {Project(target.corners[0], k1, k2), Project(target.corners[1], k1, k2),
                          Project(target.corners[2], k1, k2)};
  for (int k = 0; k < 3; ++k) {
    const Point3D& from = other.corners[k];
    const Point3D& to = other.corners[(k + 1) % 3];
    double lo = 0.0, hi = 1.0;
    if (!ClipToTriangle(Project(from, k1, k2), Project(to, k1, k2), tri, eps, lo, hi)) continue;
    target.AddSegment(lo == 0.0 ? from : from + lo * (to - from), hi == 1.0 ? to : from + hi * (to - from));
  }
}

}  // namespace

bool zavo::Coplanar(const Tri3D& first, const Tri3D& second) {
  const Plane p = TrianglePlane(first.corners[0], first.corners[1], first.corners[2]);
  const double length = Length(p.Normal());
  if (length == 0.0) return false;
  const double eps = 1e-9 * Scale(first, second);
  for (const Point3D& c : second.corners) {
    if (!(std::fabs(Dot(p.Normal(), c) + p.d) / length <= eps)) return false;
  }
  return true;
}

void zavo::CutCoplanar(Tri3D& first, Tri3D& second) {
  int k1, k2;
  KeptAxes(first.axis, k1, k2);
  const double eps = 1e-9 * Scale(first, second);
  AddSidesOf(second, first, k1, k2, eps);
  AddSidesOf(first, second, k1, k2, eps);
}

void IntersectTriangles(Tri3D& first, Tri3D& second) {
  const Plane p1 = TrianglePlane(first.corners[0], first.corners[1], first.corners[2]);
  const Plane p2 = TrianglePlane(second.corners[0], second.corners[1], second.corners[2]);
  // Distinct collinear corners have no normal: such a triangle cuts nothing.
  if (Length(p1.Normal()) == 0.0 || Length(p2.Normal()) == 0.0) return;
  if (Length(Cross(Unit(p1.Normal()), Unit(p2.Normal()))) < 1e-8) {
    if (zavo::Coplanar(first, second)) zavo::CutCoplanar(first, second);
    return;
  }

  int a1, b1, a2, b2;
  KeptAxes(first.axis, a1, b1);
  KeptAxes(second.axis, a2, b2);

  const Line2D line2 = PlanesLine2D(p1, p2, second.axis, a2, b2);
  const Point2D tri2[3] = {Project(second.corners[0], a2, b2), Project(second.corners[1], a2, b2),
                           Project(second.corners[2], a2, b2)};
  Point2D chord[2];
  if (TriangleChord2D(tri2, line2, chord) != 2) return;
  const Point3D G = LiftToPlane(chord[0], p2, second.axis, a2, b2);
  const Point3D H = LiftToPlane(chord[1], p2, second.axis, a2, b2);

  const Line2D line1 = LineThroughPoints2D(Project(G, a1, b1), Project(H, a1, b1));
  const Point2D tri1[3] = {Project(first.corners[0], a1, b1), Project(first.corners[1], a1, b1),
                           Project(first.corners[2], a1, b1)};
  if (TriangleChord2D(tri1, line1, chord) != 2) return;
  const Point3D A = LiftToPlane(chord[0], p1, first.axis, a1, b1);
  const Point3D B = LiftToPlane(chord[1], p1, first.axis, a1, b1);

  Point3D from, to;
  if (!SegmentOverlap3D(A, B, G, H, from, to)) return;
  first.AddSegment(from, to);
  if (SegmentOverlap3D(G, H, A, B, from, to)) second.AddSegment(from, to);
}
