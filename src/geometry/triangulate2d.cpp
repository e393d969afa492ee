#include "geometry/triangulate2d.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "foundation/runtime_error_box.h"

namespace {

// Segment parameters this close to an end count as the end: the end points
// of intersection segments lie on the triangle's sides only up to rounding,
// and an edge that ends on another edge must not count as crossing it.
constexpr double kEndMargin = 1e-9;
// Segments whose directions differ by less than this angle (radians) count
// as parallel, for the same reason.
constexpr double kParallelMargin = 1e-9;

// An edge between two merged points, in creation order.
class Edge : public ListItem {
public:
  Edge(int a_, int b_) : a(a_), b(b_) {}
  int a;
  int b;

  bool Has(int p) const { return a == p || b == p; }
  bool Touches(const Edge& o) const { return Has(o.a) || Has(o.b); }
};

// An accepted triangle: three edges of the edge list (not owned), in the
// order in which they were found, and the centroid of its corners.
class Triangle : public ListItem {
public:
  Triangle(const Edge* e1_, const Edge* e2_, const Edge* e3_) : e1(e1_), e2(e2_), e3(e3_) {}
  const Edge* e1;
  const Edge* e2;
  const Edge* e3;
  Point2D centroid;

  bool HoldsEdges(const Edge* x, const Edge* y, const Edge* z) const {
    const auto mine = [this](const Edge* e) { return e == e1 || e == e2 || e == e3; };
    return mine(x) && mine(y) && mine(z);
  }
};

// The corners of the triangle on edges e1, e2, e3: both ends of e1, then the
// last end of e2 and e3 (in the order e2.a, e2.b, e3.a, e3.b) that differs
// from both.
void Corners(const Edge& e1, const Edge& e2, const Edge& e3, int (&c)[3]) {
  c[0] = e1.a;
  c[1] = e1.b;
  c[2] = e1.b;
  for (const int p : {e2.a, e2.b, e3.a, e3.b}) {
    if (p != c[0] && p != c[1]) c[2] = p;
  }
}

// Whether P lies in the closed triangle U, V, W (sides included, with a
// relative margin of 1e-9 on the barycentric coordinates); never for a flat
// triangle.
bool OnOrInProperTriangle(const Point2D& U, const Point2D& V, const Point2D& W, const Point2D& P) {
  if (zavo::IsFlatTriangle2D(U, V, W)) return false;
  const auto cross = [](const Point2D& o, const Point2D& a, const Point2D& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
  };
  const double area2 = cross(U, V, W);
  return cross(P, V, W) / area2 > -1e-9 && cross(U, P, W) / area2 > -1e-9 && cross(U, V, P) / area2 > -1e-9;
}

class Triangulator {
public:
  explicit Triangulator(std::vector<Point2D> points) : p_(std::move(points)) {}

  // A constraint edge goes in without the crossing test. One whose ends
  // merged, or that repeats an edge already taken, is left out: on such an
  // edge the triangle search would pair it with its neighbours and read off
  // triangles over edges that do not exist, duplicating or overlapping the
  // proper pieces.
  void AddConstraint(int a, int b) {
    if (a == b || HasEdge(a, b)) return;
    edges_.Append(new Edge(a, b));
  }

  // Every ordered pair (i, j), i outer, j inner.
  void AddAllEdges() {
    const int n = static_cast<int>(p_.size());
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) {
        if (j != i) TryAddEdge(i, j);
      }
    }
  }

  // Every triple of distinct edges in list order, all six orders of a triple
  // being tried; only triples whose first two edges meet can close a
  // triangle, so the others are passed over without a try.
  void CollectTriangles() {
    for (const Edge& e1 : edges_) {
      for (const Edge& e2 : edges_) {
        if (&e2 == &e1 || !(e2.Has(e1.a) || e2.Has(e1.b))) continue;
        for (const Edge& e3 : edges_) {
          if (&e3 == &e1 || &e3 == &e2) continue;
          TryAddTriangle(e1, e2, e3);
        }
      }
    }
  }

  // The distinct corners of every triangle, gathered along its edges.
  std::unique_ptr<List<ETri2D>> Result() const {
    auto out = std::make_unique<List<ETri2D>>();
    for (const Triangle& t : triangles_) {
      int got[3];
      int n = 0;
      for (const int p : {t.e1->a, t.e1->b, t.e2->a, t.e2->b, t.e3->a, t.e3->b}) {
        if (n == 3) break;
        bool seen = false;
        for (int k = 0; k < n; ++k) seen = seen || got[k] == p;
        if (!seen) got[n++] = p;
      }
      if (n == 3) out->Append(new ETri2D(p_[got[0]], p_[got[1]], p_[got[2]]));
    }
    return out;
  }

private:
  bool HasEdge(int i, int j) const {
    for (const Edge& e : edges_) {
      if ((e.a == i && e.b == j) || (e.a == j && e.b == i)) return true;
    }
    return false;
  }

  void TryAddEdge(int i, int j) {
    if (HasEdge(i, j)) return;
    for (const Edge& e : edges_) {
      if (e.Has(i) || e.Has(j)) continue;
      if (SegmentsCross2D(p_[e.a], p_[e.b], p_[i], p_[j])) return;
    }
    edges_.Append(new Edge(i, j));
  }

  void TryAddTriangle(const Edge& e1, const Edge& e2, const Edge& e3) {
    const bool closes = (e2.Has(e1.a) && e3.Has(e1.b)) || (e2.Has(e1.b) && e3.Has(e1.a));
    if (!closes || !e2.Touches(e3)) return;
    for (const Triangle& t : triangles_) {
      if (t.HoldsEdges(&e1, &e2, &e3)) return;
    }
    int c[3];
    Corners(e1, e2, e3, c);
    const Point2D& U = p_[c[0]];
    const Point2D& V = p_[c[1]];
    const Point2D& W = p_[c[2]];
    const int n = static_cast<int>(p_.size());
    for (int k = 0; k < n; ++k) {
      if (k == c[0] || k == c[1] || k == c[2]) continue;
      if (PointStrictlyInTriangle2D(U, V, W, p_[k]) || OnOrInProperTriangle(U, V, W, p_[k])) return;
    }
    for (const Triangle& t : triangles_) {
      if (PointStrictlyInTriangle2D(U, V, W, t.centroid)) return;
    }
    auto* t = new Triangle(&e1, &e2, &e3);
    t->centroid = {((U.x + V.x) + W.x) * 0.3333333333333333, ((U.y + V.y) + W.y) * 0.3333333333333333};
    triangles_.Append(t);
  }

  std::vector<Point2D> p_;
  List<Edge> edges_;
  List<Triangle> triangles_;
};

}  // namespace

bool zavo::IsFlatTriangle2D(const Point2D& U, const Point2D& V, const Point2D& W) {
  const auto square = [](const Point2D& a, const Point2D& b) {
    return (b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y);
  };
  const double area2 = (V.x - U.x) * (W.y - U.y) - (V.y - U.y) * (W.x - U.x);
  return !(std::fabs(area2) >= 1e-9 * std::max({square(U, V), square(V, W), square(W, U)}));
}

bool SegmentsCross2D(const Point2D& A, const Point2D& B, const Point2D& K, const Point2D& L) {
  const double f = (L.y - K.y) * (B.x - A.x) - (B.y - A.y) * (L.x - K.x);
  if (std::fabs(f) < 1e-15) return false;
  // Segments on one line up to rounding (both along a side of the triangle)
  // overlap but never cross.
  if (std::fabs(f) < kParallelMargin * std::hypot(B.x - A.x, B.y - A.y) * std::hypot(L.x - K.x, L.y - K.y)) {
    return false;
  }
  const double s = ((A.y - K.y) * (B.x - A.x) + (K.x - A.x) * (B.y - A.y)) / f;
  if (!(s > kEndMargin && s < 1.0 - kEndMargin)) return false;
  const Point2D P{K.x + s * (L.x - K.x), K.y + s * (L.y - K.y)};
  const double t = std::fabs(B.x - A.x) >= std::fabs(B.y - A.y) ? (P.x - A.x) / (B.x - A.x) : (P.y - A.y) / (B.y - A.y);
  return t > kEndMargin && t < 1.0 - kEndMargin;
}

bool PointStrictlyInTriangle2D(const Point2D& U, const Point2D& V, const Point2D& W, const Point2D& P) {
  const auto passes = [&P](const Point2D& X, const Point2D& Y, const Point2D& Z) {
    const auto s = [&X, &Y](const Point2D& Q) { return (Y.y - X.y) * (Q.x - X.x) - (Y.x - X.x) * (Q.y - X.y); };
    return s(P) * s(Z) >= 1e-10;
  };
  return passes(U, V, W) && passes(V, W, U) && passes(W, U, V);
}

std::unique_ptr<List<ETri2D>> Triangulate2D(const FragmentedSeq<Point2D, long>& points,
                                            const Seq<PreEdge>& constraints) {
  std::vector<Point2D> merged;
  FragmentedSeq<int, long> map;
  map.SetSize(points.Size());
  for (long i = 0; i < points.Size(); ++i) {
    const Point2D& p = points[i];
    std::size_t q = 0;
    while (q < merged.size() && !(std::fabs(p.x - merged[q].x) < 1e-10 && std::fabs(p.y - merged[q].y) < 1e-10)) ++q;
    if (q == merged.size()) merged.push_back(p);
    map[i] = static_cast<int>(q);
  }
  Triangulator work(std::move(merged));
  for (std::uint32_t k = 0; k < constraints.Count(); ++k) {
    const PreEdge& e = constraints[k];
    if (e.first < 0 || e.first >= points.Size() || e.second < 0 || e.second >= points.Size()) {
      RuntimeErrorBox("Triangulate2D");
    }
    work.AddConstraint(map[e.first], map[e.second]);
  }
  work.AddAllEdges();
  work.CollectTriangles();
  return work.Result();
}
