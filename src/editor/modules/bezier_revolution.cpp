#include "editor/modules/bezier_revolution.h"

#include <array>
#include <ostream>
#include <utility>

#include "geometry/geo_text.h"

namespace zavo {

namespace {

using Column = std::array<Point3D, 4>;

// The weight of the tangent handles of a quarter circle.
constexpr double kCircle = 0.45;

// Row i runs along the quarter circle from P(i) to Q(i) at the height of
// profile point i; the columns run along the profile.
void WriteQuarterPatch(std::ostream& os, const Column& p, const Column& q) {
  os << "\t{ patch\n";
  for (std::size_t i = 0; i < 4; ++i) {
    const Point3D a{p[i].x + kCircle * q[i].x, p[i].y + kCircle * q[i].y, p[i].z};
    const Point3D b{q[i].x + kCircle * p[i].x, q[i].y + kCircle * p[i].y, p[i].z};
    for (const Point3D& point : {p[i], a, b, q[i]}) {
      os << "\t\t";
      WritePoint3D(point, os);
      os << "\n";
    }
    os << "\n";
  }
  os << "\t}\n";
}

void NegateX(Column& c) {
  for (Point3D& p : c) p.x = -p.x;
}
void NegateY(Column& c) {
  for (Point3D& p : c) p.y = -p.y;
}

// S is the segment in the x-z plane, T the same turned by 90 degrees about z.
void WriteRevolutionSegment(std::ostream& os, Column s) {
  Column t;
  for (std::size_t i = 0; i < 4; ++i) t[i] = Point3D{s[i].y, s[i].x, s[i].z};
  WriteQuarterPatch(os, s, t);
  NegateX(s);
  WriteQuarterPatch(os, t, s);
  NegateY(t);
  WriteQuarterPatch(os, s, t);
  NegateX(s);
  WriteQuarterPatch(os, t, s);
}

}  // namespace

int CubicSegmentCount(int n) { return n < 1 ? 0 : (n - 1) / 3; }

void WriteRevolutionFile(std::ostream& os, const std::vector<Point3D>& profile) {
  os << "{ bezier\n\n";
  const int segments = CubicSegmentCount(static_cast<int>(profile.size()));
  for (int s = 0; s < segments; ++s) {
    const std::size_t first = static_cast<std::size_t>(3 * s);
    WriteRevolutionSegment(os, Column{profile[first], profile[first + 1], profile[first + 2], profile[first + 3]});
  }
  os << "}\n.\n";
}

}  // namespace zavo
