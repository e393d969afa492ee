#include "editor/import/glyph_outline.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace zavo {

namespace {

// 16.16 values, kept wide so that a midpoint is exact.
struct WidePoint {
  long long x = 0, y = 0;
  bool on = true;
};

GlyphFixed FixedFrom16Dot16(long long value) {
  const long long lo = std::numeric_limits<std::int32_t>::min();
  const long long hi = std::numeric_limits<std::int32_t>::max();
  const auto bits = static_cast<std::uint32_t>(static_cast<std::int32_t>(std::clamp(value, lo, hi)));
  GlyphFixed fixed;
  fixed.fract = static_cast<std::uint16_t>(bits & 0xFFFFu);
  fixed.value = static_cast<std::int16_t>(static_cast<std::uint16_t>(bits >> 16));
  return fixed;
}

GlyphPointFx ToFx(const WidePoint& p) { return GlyphPointFx{FixedFrom16Dot16(p.x), FixedFrom16Dot16(p.y)}; }

WidePoint Widen(const OutlinePoint& p) {
  // 26.6 to 16.16, clamped first so that the product cannot overflow.
  const long long limit = 1LL << 40;
  return WidePoint{std::clamp<long long>(p.x, -limit, limit) * 1024,
                   std::clamp<long long>(p.y, -limit, limit) * 1024, p.on};
}

GlyphContour ContourRecords(const std::vector<WidePoint>& pts) {
  const std::size_t n = pts.size();
  GlyphContour contour;
  // The start point and the points that follow it, in order.
  std::size_t from = 0, to = n;
  WidePoint start;
  if (pts.front().on) {
    start = pts.front();
    from = 1;
  } else if (pts.back().on) {
    start = pts.back();
    to = n - 1;
  } else {
    start = WidePoint{(pts.back().x + pts.front().x) / 2, (pts.back().y + pts.front().y) / 2, true};
  }
  contour.start = ToFx(start);
  bool conicOpen = false;
  for (std::size_t i = from; i < to; ++i) {
    const WidePoint& p = pts[i];
    if (!p.on) {
      if (!conicOpen) contour.curves.push_back(GlyphCurve{2, {}});
      conicOpen = true;
    } else if (!conicOpen && (contour.curves.empty() || contour.curves.back().type != 1)) {
      contour.curves.push_back(GlyphCurve{1, {}});
    } else {
      conicOpen = false;
    }
    contour.curves.back().points.push_back(ToFx(p));
  }
  // A conic that closes the contour ends at the start point.
  if (conicOpen) contour.curves.back().points.push_back(ToFx(start));
  return contour;
}

}  // namespace

GlyphFixed FixedFrom26Dot6(long value) { return ToFx(Widen(OutlinePoint{value, 0, true})).x; }

std::vector<GlyphContour> OutlineRecords(const std::vector<OutlinePoint>& points,
                                         const std::vector<int>& contourEnds) {
  std::vector<GlyphContour> contours;
  std::size_t first = 0;
  for (const int end : contourEnds) {
    if (end < 0 || static_cast<std::size_t>(end) >= points.size() || static_cast<std::size_t>(end) < first) break;
    std::vector<WidePoint> pts;
    for (std::size_t i = first; i <= static_cast<std::size_t>(end); ++i) pts.push_back(Widen(points[i]));
    contours.push_back(ContourRecords(pts));
    first = static_cast<std::size_t>(end) + 1;
  }
  return contours;
}

}  // namespace zavo
