// Runs the readers of geometric text forms over arbitrary text through a
// GeoScanner: each reader is called again and again until the input ends
// (moving one token on after a failure). What a reader accepts is written back
// and must read back; a second round must reproduce the text. The first byte
// chooses the reader and the size of vectors and matrices; the rest is the text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "geometry/bounding_module.h"
#include "geometry/geo_scanner.h"
#include "geometry/geo_text.h"
#include "geometry/point_stream.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// Values whose six-digit text reads back to a value with the same text.
bool Stable(double v) { return v == 0.0 || (std::fabs(v) >= 1e-300 && std::fabs(v) <= 1e300); }

// Reads a value from text with read, which must succeed and consume it all.
template <class T, class Read>
T ReadBack(const std::string& text, Read read, T value) {
  std::istringstream in(text);
  GeoScanner s(in);
  s.Next();
  Check(read(s, value) == 1);
  Check(s.Kind() == zavo::kTokenError);
  return value;
}

// write(value) then read it back and write again: the same text.
template <class T, class Write, class Read>
void RoundTrip(const T& value, bool stable, Write write, Read read) {
  if (!stable) return;
  std::ostringstream first;
  write(first, value);
  const T again = ReadBack(first.str(), read, value);
  std::ostringstream second;
  write(second, again);
  Check(second.str() == first.str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t control = data[0];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const int reader = control % 7;
  const std::uint32_t n = (control / 7) % 5;  // vector size, matrix rows
  const std::uint32_t m = (control / 35) % 4;  // matrix columns

  List<BoundingObjectModule> modules;
  BoundingObjectModule::CreateDefaultList(modules);

  std::istringstream in(text);
  GeoScanner s(in);
  s.Next();
  std::size_t calls = 0;
  while (s.Kind() != zavo::kTokenError) {
    Check(++calls <= text.size() + 1);  // every call consumes a token
    int ok = 0;
    switch (reader) {
      case 0: {
        Point3D p;
        ok = ReadPoint3D(p, s);
        if (ok) {
          RoundTrip(p, Stable(p.x) && Stable(p.y) && Stable(p.z),
                    [](std::ostream& os, const Point3D& q) { WritePoint3D(q, os); },
                    [](ScannerMemo& sc, Point3D& q) { return ReadPoint3D(q, sc); });
        }
        break;
      }
      case 1: {
        Point2D p;
        ok = ReadPoint2D(p, s);
        if (ok) {
          RoundTrip(p, Stable(p.x) && Stable(p.y),
                    [](std::ostream& os, const Point2D& q) { WritePoint2D(q, os); },
                    [](ScannerMemo& sc, Point2D& q) { return ReadPoint2D(q, sc); });
        }
        break;
      }
      case 2: {
        Vector<double> v(n);
        ok = ReadVector(s, v);
        if (ok) {
          bool stable = true;
          for (std::uint32_t i = 0; i < n; ++i) stable = stable && Stable(v[i]);
          RoundTrip(v, stable, [](std::ostream& os, const Vector<double>& w) { WriteVector(os, w); },
                    [](ScannerMemo& sc, Vector<double>& w) { return ReadVector(sc, w); });
        }
        break;
      }
      case 3: {
        Matrix<double> mat(n, m);
        mat.Zero();
        ok = ReadMatrix(s, mat);
        if (ok) {
          bool stable = true;
          for (std::uint32_t i = 0; i < n; ++i) {
            for (std::uint32_t j = 0; j < m; ++j) stable = stable && Stable(mat(i, j));
          }
          RoundTrip(mat, stable, [](std::ostream& os, const Matrix<double>& w) { WriteMatrix(os, w); },
                    [](ScannerMemo& sc, Matrix<double>& w) { return ReadMatrix(sc, w); });
        }
        break;
      }
      case 4: {
        GEO_Box b;
        ok = ReadNumberRecord6(s, b);
        if (ok) {
          Check(b.xmin <= b.xmax || std::isnan(b.xmin) || std::isnan(b.xmax));
          RoundTrip(b,
                    Stable(b.xmin) && Stable(b.xmax) && Stable(b.ymin) && Stable(b.ymax) && Stable(b.zmin) &&
                        Stable(b.zmax),
                    [](std::ostream& os, const GEO_Box& c) {
                      WriteNumberRecord6(os, c.xmin, c.xmax, c.ymin, c.ymax, c.zmin, c.zmax);
                    },
                    [](ScannerMemo& sc, GEO_Box& c) { return ReadNumberRecord6(sc, c); });
        }
        break;
      }
      case 5: {
        std::unique_ptr<BoundingObject> volume;
        ok = ReadBound(modules, s, volume);
        Check((ok == 1) == (volume != nullptr));
        if (ok) {
          const GEO_Box b = volume->GetBox();
          Check(b.xmin <= b.xmax && b.ymin <= b.ymax && b.zmin <= b.zmax);
          RoundTrip(b,
                    Stable(b.xmin) && Stable(b.xmax) && Stable(b.ymin) && Stable(b.ymax) && Stable(b.zmin) &&
                        Stable(b.zmax),
                    [](std::ostream& os, const GEO_Box& c) { WriteBound(os, BoundingBox(c)); },
                    [&modules](ScannerMemo& sc, GEO_Box& c) {
                      std::unique_ptr<BoundingObject> v;
                      const int r = ReadBound(modules, sc, v);
                      if (r) c = v->GetBox();
                      return r;
                    });
        }
        break;
      }
      default: {
        Point3D p;
        ok = ReadPoint3DShort(p, s);
        if (ok) {
          RoundTrip(p, Stable(p.x) && Stable(p.y) && Stable(p.z),
                    [](std::ostream& os, const Point3D& q) { WritePoint3DShort(q, os); },
                    [](ScannerMemo& sc, Point3D& q) { return ReadPoint3DShort(q, sc); });
        }
        break;
      }
    }
    if (!ok) s.Next();
  }
  return 0;
}
