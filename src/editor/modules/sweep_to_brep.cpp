#include "editor/modules/sweep_to_brep.h"

#include <cmath>
#include <locale>
#include <ostream>

#include "foundation/atomic_file.h"
#include "geometry/geo_text.h"
#include "geometry/polygon2d.h"
#include "models/curved/deform_graph.h"

namespace zavo {

namespace {

Polygon2D OutlinePolygon(const Outline& profile) {
  Polygon2D polygon(static_cast<unsigned>(profile.size()));
  for (const Point3D& p : profile) polygon.Append(Point2D{p.x, p.y});
  return polygon;
}

bool LiesIn(const Outline& inner, const Polygon2D& outer) {
  if (inner.empty()) return false;
  return outer.CountCrossings(Point2D{inner.front().x, inner.front().y}) % 2 == 1;
}

}  // namespace

std::vector<Region> FindRegions(const std::vector<Outline>& profiles) {
  const std::size_t c = profiles.size();
  std::vector<Polygon2D> outlines;
  for (const Outline& profile : profiles) outlines.push_back(OutlinePolygon(profile));
  std::vector<bool> free(c, true);
  // Whether profile i lies in a free profile other than i.
  auto inOtherFree = [&](std::size_t i) {
    for (std::size_t j = 0; j < c; ++j) {
      if (j != i && free[j] && LiesIn(profiles[i], outlines[j])) return true;
    }
    return false;
  };
  std::vector<Region> regions;
  for (bool started = true; started;) {
    started = false;
    std::size_t outer = 0;
    for (std::size_t i = 0; i < c && !started; ++i) {
      if (!free[i] || inOtherFree(i)) continue;
      regions.push_back(Region{profiles[i]});
      free[i] = false;
      outer = i;
      started = true;
    }
    if (!started) break;
    for (std::size_t i = 0; i < c; ++i) {
      if (!free[i] || !LiesIn(profiles[i], outlines[outer]) || inOtherFree(i)) continue;
      regions.back().push_back(profiles[i]);
      free[i] = false;
      break;
    }
  }
  for (Region& region : regions) {
    for (std::size_t k = 0; k < region.size(); ++k) OrientContour(region[k], k == 0 ? 0 : 1);
  }
  return regions;
}

std::vector<Point3D> SweepPath(const std::vector<Point3D>& path) {
  std::vector<Point3D> points;
  for (const Point3D& p : path) {
    if (points.empty() || !(points.back() == p)) points.push_back(p);
  }
  if (points.size() < 2) return {Point3D{0, 0, 0}, Point3D{0, 0, 1}};
  return points;
}

namespace {

Point3D Unit(const Point3D& v) {
  const double length = Length(v);
  return length > 0 ? v * (1.0 / length) : v;
}

}  // namespace

std::vector<PathFrame> PathFrames(const std::vector<Point3D>& path) {
  const std::size_t n = path.size();
  std::vector<PathFrame> frames(n);
  for (std::size_t j = 0; j < n; ++j) {
    Point3D t;
    if (j == 0) {
      t = Unit(path[1] - path[0]);
    } else if (j + 1 == n) {
      t = Unit(path[j] - path[j - 1]);
    } else {
      const Point3D incoming = Unit(path[j] - path[j - 1]);
      t = 0.5 * (Unit(path[j + 1] - path[j]) + incoming);
      // A path that turns straight back: the frame follows the way in.
      if (Length(t) < 1e-12) t = incoming;
    }
    Point3D u{0, 1, 0};
    Point3D a = Cross(u, t);
    if (a.x == 0 && a.y == 0 && a.z == 0) {
      u = Point3D{1, 0, 0};
      a = Cross(u, t);
    }
    a = Unit(a);
    frames[j] = PathFrame{t, a, Unit(Cross(t, a))};
  }
  return frames;
}

std::vector<double> PathScales(const CG_PathControl* control, std::size_t n) {
  std::vector<double> scales(n, 1.0);
  if (control == nullptr) return scales;
  const double min = control->ParamMin(), max = control->ParamMax();
  for (std::size_t j = 0; j < n; ++j) {
    scales[j] = control->PointAt(min + static_cast<double>(j) * (max - min) / static_cast<double>(n));
  }
  return scales;
}

namespace {

// One cap: a face of one loop per contour, the vertex numbers from first
// upward, or downward from the contour's last vertex when reversed.
void WriteCap(std::ostream& os, const Region& region, long first, bool reversed) {
  os << " { " << region.size() << '\n';
  long offset = first;
  for (const Outline& contour : region) {
    const long m = static_cast<long>(contour.size());
    os << "\t{ " << m << ' ';
    for (long i = 0; i < m; ++i) os << (reversed ? offset + m - 1 - i : offset + i) << ' ';
    os << "}\n";
    offset += m;
  }
  os << "}\n";
}

}  // namespace

void WriteSweepMesh(std::ostream& os, const Region& region, const std::vector<Point3D>& path,
                    const std::vector<PathFrame>& frames, const std::vector<double>& scales) {
  long M = 0;
  for (const Outline& contour : region) M += static_cast<long>(contour.size());
  const long N = static_cast<long>(path.size());
  os << "{pbrep\n\tvertices\n" << N * M << '\n';
  for (long j = 0; j < N; ++j) {
    const PathFrame& f = frames[j];
    for (const Outline& contour : region) {
      for (const Point3D& q : contour) {
        const Point3D v = scales[j] * (q.x * f.a + q.y * f.b + q.z * f.t) + path[j];
        os << v.x << ' ' << v.y << ' ' << v.z << '\n';
      }
    }
  }
  os << "faces\n" << 2 * M * (N - 1) + 2 << "\n\n";
  WriteCap(os, region, 0, false);
  WriteCap(os, region, (N - 1) * M, true);
  for (long j = 0; j + 1 < N; ++j) {
    long d = j * M, e = (j + 1) * M;
    for (const Outline& contour : region) {
      const long m = static_cast<long>(contour.size());
      for (long i = 0; i + 1 < m; ++i) {
        WriteTriangle(os, d + i + 1, d + i, e + i);
        WriteTriangle(os, d + i + 1, e + i, e + i + 1);
      }
      WriteTriangle(os, d + m - 1, e + m - 1, d);
      WriteTriangle(os, d, e + m - 1, e);
      d += m;
      e += m;
    }
  }
  os << "}\n.\n";
}

void WriteSweepLog(std::ostream& os, const std::vector<PathFrame>& frames) {
  for (const PathFrame& frame : frames) {
    const Point3D& t = frame.t;
    double az = 0.0, ay = 3.141592653589793 / 2;
    if (t.x != 0 || t.y != 0) {
      const double w = std::sqrt(t.x * t.x + t.y * t.y);
      az = std::acos(t.x / w);
      ay = std::acos(w / Length(t));
    }
    Transformation turnZ, turnY, turn;
    RotationZTransformation(turnZ, az);
    RotationYTransformation(turnY, ay);
    ComposeTransformations(turn, turnY, turnZ);
    os << "dir = ";
    WritePoint3D(t, os);
    os << "\naz= " << az << "   ay= " << ay << '\n';
    WritePoint3D(TransformPoint(turn, t), os);
    os << '\n';
    WritePoint3D(TransformPoint(turn, Point3D{1, 0, 0}), os);
    os << '\n';
  }
}

std::vector<std::string> SweepOutputNames(const std::string& base, std::size_t k) {
  if (k == 1) return {base};
  std::vector<std::string> names;
  for (std::size_t i = 0; i < k; ++i) names.push_back(base + "_" + std::to_string(i));
  return names;
}

namespace {

// The text written whole to the file, in the classic locale.
bool WriteText(const std::string& file, const std::function<void(std::ostream&)>& write) {
  return WriteFileAtomically(file, [&write](std::ostream& os) {
    os.imbue(std::locale::classic());
    write(os);
    return static_cast<bool>(os);
  });
}

}  // namespace

int SweepToBRep(const std::vector<Outline>& profiles, const std::vector<Point3D>* path,
                const CG_PathControl* control, const std::string& baseName, std::vector<std::string>& names,
                const SweepHooks& hooks) {
  names.clear();
  const std::vector<Region> regions = FindRegions(profiles);
  if (regions.empty()) return 0;
  const std::vector<std::string> outputs = SweepOutputNames(baseName, regions.size());
  if (hooks.acceptName) {
    for (const std::string& name : outputs) {
      if (!hooks.acceptName(name)) return 0;
    }
  }
  const std::vector<Point3D> points = SweepPath(path != nullptr ? *path : std::vector<Point3D>{});
  const std::vector<PathFrame> frames = PathFrames(points);
  const std::vector<double> scales = PathScales(control, points.size());
  for (std::size_t k = 0; k < regions.size(); ++k) {
    WriteText("ftest.log", [&](std::ostream& os) { WriteSweepLog(os, frames); });
    const std::string file = outputs[k] + ".brp";
    if (!WriteText(file, [&](std::ostream& os) { WriteSweepMesh(os, regions[k], points, frames, scales); })) {
      if (hooks.message) hooks.message("Cannot write " + file);
      return 0;
    }
  }
  names = outputs;
  return 1;
}

}  // namespace zavo
