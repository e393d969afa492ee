// Arbitrary contours of points with on/off-curve tags through the record
// conversion and the curve construction: every curve has as many knots as
// points + 3 and every value is finite. Input: a pen offset (2 bytes), then
// points of 9 bytes each: x and y (26.6, 4 bytes each, little-endian) and a
// tag byte (bit 0 on the curve, bit 1 the last point of a contour).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <vector>

#include "editor/import/glyph_outline.h"
#include "editor/import/text_curves.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

std::int32_t Int32At(const std::uint8_t* p) {
  return static_cast<std::int32_t>(std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
                                   std::uint32_t{p[3]} << 24);
}

bool Finite(const Point3D& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int penX = static_cast<std::int16_t>(data[0] | data[1] << 8);
  std::vector<zavo::OutlinePoint> points;
  std::vector<int> ends;
  for (std::size_t at = 2; at + 9 <= size; at += 9) {
    points.push_back(zavo::OutlinePoint{Int32At(data + at), Int32At(data + at + 4), (data[at + 8] & 1) != 0});
    if ((data[at + 8] & 2) != 0) ends.push_back(static_cast<int>(points.size()) - 1);
  }
  for (const zavo::GlyphContour& contour : zavo::OutlineRecords(points, ends)) {
    std::ostringstream log;
    const zavo::ContourCurve curve = zavo::BuildContourCurve(contour, penX, log);
    Check(!curve.points.empty());
    for (const Point3D& p : curve.points) Check(Finite(p) && p.z == 0.0);
    if (curve.onlyPolyline) {
      Check(curve.knots.empty());
      continue;
    }
    Check(curve.knots.size() == curve.points.size() + 3);
    for (double k : curve.knots) Check(std::isfinite(k));
  }
  return 0;
}
