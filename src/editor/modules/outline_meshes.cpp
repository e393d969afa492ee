#include "editor/modules/outline_meshes.h"

#include <algorithm>
#include <cmath>
#include <ostream>

#include "scene/graphic_object.h"

namespace zavo {

Outline ProfileOf(const CG_GraphicObject& object, const Transformation* wrapper) {
  const int n = object.ControlCount();
  Outline profile;
  profile.reserve(n > 0 ? static_cast<std::size_t>(n) : 0);
  for (int i = 0; i < n; ++i) {
    Point3D p;
    object.GetControl(i, p);
    if (wrapper != nullptr) p = TransformPoint(*wrapper, p);
    profile.push_back(Point3D{p.x, p.y, 0.0});
  }
  return profile;
}

int OutlineOrientation(const Outline& points) {
  const std::size_t n = points.size();
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const Point3D& p = points[i];
    const Point3D& q = points[i + 1];
    const double a = q.y - p.y;
    const double b = -(q.x - p.x);
    const double c = -a * p.x - b * p.y;
    int positive = 0, negative = 0;
    for (std::size_t k = 0; k < n; ++k) {
      if (k == i || k == i + 1) continue;
      const double side = a * points[k].x + b * points[k].y + c;
      if (side > 0) ++positive;
      if (side < 0) ++negative;
    }
    if (positive > 0 && negative == 0) return 0;
    if (negative > 0 && positive == 0) return 1;
  }
  return -1;
}

void OrientContour(Outline& points, int wanted) {
  const int orientation = OutlineOrientation(points);
  if (orientation != -1 && orientation != wanted) std::reverse(points.begin(), points.end());
}

void MirrorOntoPositiveX(Outline& points) {
  const bool mirrored = points.size() > 2 && std::any_of(points.begin() + 1, points.end() - 1,
                                                         [](const Point3D& p) { return p.x < 0; });
  if (!mirrored) return;
  for (Point3D& p : points) p.x = -p.x;
}

void WriteTriangle(std::ostream& os, long a, long b, long c) {
  os << "{ 1\n\t{ 3 " << a << ' ' << b << ' ' << c << "}\n\n}\n";
}

namespace {

void WriteVertex(std::ostream& os, const Point3D& p) { os << p.x << ' ' << p.y << ' ' << p.z << '\n'; }

// The ring angles: 0, then growing by alpha / rings ring by ring.
std::vector<double> RingAngles(int rings, double ang) {
  const double alpha = ang * (1.0 / 360.0) * 2.0 * 3.141592653589793;
  const double step = alpha / rings;
  std::vector<double> angles;
  double theta = 0.0;
  for (int k = 0; k < rings; ++k) {
    angles.push_back(theta);
    theta += step;
  }
  return angles;
}

// Points first .. last - 1 of the profile on every ring.
void WriteRings(std::ostream& os, const Outline& profile, std::size_t first, std::size_t last,
                const std::vector<double>& angles) {
  for (double theta : angles) {
    const double c = std::cos(theta), s = std::sin(theta);
    for (std::size_t i = first; i < last; ++i) {
      const Point3D& p = profile[i];
      WriteVertex(os, Point3D{p.x * c, p.x * s, p.y});
    }
  }
}

// An open profile: the two poles, then its m interior points on each ring.
void WriteOpenRevolution(std::ostream& os, const Outline& profile, int rings, bool full,
                         const std::vector<double>& angles) {
  const long n = static_cast<long>(profile.size());
  const long m = n - 2;
  const long R = rings;
  os << R * m + 2 << '\n';
  os << 0.0 << " 0 " << profile.front().y << '\n';
  os << 0.0 << " 0 " << profile.back().y << '\n';
  WriteRings(os, profile, 1, profile.size() - 1, angles);
  os << "faces\n" << (full ? 2 * R * m : 2 * (R - 1) * m) << '\n';
  auto r = [m](long k) { return 2 + k * m; };
  auto s = [m, &r](long k) { return r(k) + m - 1; };
  for (long k = 0; k + 1 < R; ++k) WriteTriangle(os, 0, r(k + 1), r(k));
  if (full) WriteTriangle(os, 0, r(0), r(R - 1));
  for (long k = 0; k + 1 < R; ++k) WriteTriangle(os, 1, s(k), s(k + 1));
  if (full) WriteTriangle(os, 1, s(R - 1), s(0));
  for (long k = 0; k + 1 < R; ++k) {
    for (long j = 0; j + 1 < m; ++j) {
      const long a = r(k) + j, b = r(k + 1) + j;
      WriteTriangle(os, a, b, a + 1);
      WriteTriangle(os, b, b + 1, a + 1);
    }
  }
  if (!full) return;
  for (long j = 0; j + 1 < m; ++j) {
    const long a = r(R - 1) + j;
    WriteTriangle(os, a, r(0) + j, a + 1);
    WriteTriangle(os, r(0) + j, r(0) + j + 1, a + 1);
  }
}

// The band between ring d and ring e of n points each, closed around.
void WriteBand(std::ostream& os, long d, long e, long n) {
  for (long j = 0; j + 1 < n; ++j) {
    WriteTriangle(os, d + j, e + j, d + j + 1);
    WriteTriangle(os, e + j, e + j + 1, d + j + 1);
  }
}

void WriteClosedRevolution(std::ostream& os, const Outline& profile, int rings, bool full,
                           const std::vector<double>& angles) {
  const long n = static_cast<long>(profile.size());
  const long R = rings;
  os << R * n << '\n';
  WriteRings(os, profile, 0, profile.size(), angles);
  os << "faces\n" << (full ? 2 * R * n : 2 * (R - 1) * n) << '\n';
  for (long k = 0; k + 1 < R; ++k) {
    const long d = k * n, e = (k + 1) * n;
    WriteBand(os, d, e, n);
    WriteTriangle(os, e - 1, e + n - 1, d);
    WriteTriangle(os, e + n - 1, e, d);
  }
  if (!full) return;
  const long L = (R - 1) * n;
  WriteBand(os, L, 0, n);
  WriteTriangle(os, L + n - 1, n - 1, L);
  WriteTriangle(os, n - 1, 0, L);
}

}  // namespace

void WriteRevolutionMesh(std::ostream& os, const Outline& profile, bool open, int rings, double ang) {
  const bool full = ang == 360.0;
  const std::vector<double> angles = RingAngles(rings, ang);
  os << "{ pbrep\n\tvertices\n";
  if (open) {
    WriteOpenRevolution(os, profile, rings, full, angles);
  } else {
    WriteClosedRevolution(os, profile, rings, full, angles);
  }
  os << "}\n.\n";
}

void WriteExtrusionMesh(std::ostream& os, const Outline& profile, int move) {
  const long c = static_cast<long>(profile.size());
  const double h = move;
  os << "{pbrep\n\tvertices\n" << 2 * c << '\n';
  for (const Point3D& p : profile) os << '\t' << p.x << ' ' << 0 << ' ' << p.y << '\n';
  for (const Point3D& p : profile) os << '\t' << p.x + 0.0 << ' ' << 0.0 + h << ' ' << p.y + 0.0 << '\n';
  os << "faces\n" << 2 * c + 2 << "\n\n";
  os << "{ 1 { " << c << ' ';
  for (long i = 0; i < c; ++i) os << i << ' ';
  os << " } }\n";
  os << "{ 1 { " << c << ' ';
  for (long i = 2 * c - 1; i >= c; --i) os << i << ' ';
  os << " } }\n";
  for (long i = 0; i + 1 < c; ++i) {
    WriteTriangle(os, i + 1, i, c + i);
    WriteTriangle(os, i + 1, c + i, c + i + 1);
  }
  WriteTriangle(os, c - 1, 2 * c - 1, 0);
  WriteTriangle(os, 0, 2 * c - 1, c);
  os << "}\n.\n";
}

}  // namespace zavo
