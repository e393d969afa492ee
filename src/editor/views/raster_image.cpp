#include "editor/views/raster_image.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "editor/views/bitmap_font.h"
#include "foundation/runtime_error_box.h"

namespace zavo {
namespace {

RasterPixel Colour(int r, int g, int b) { return {r & 0xFF, g & 0xFF, b & 0xFF}; }

// Twice the signed area of (a, b, p): which side of the edge a-b p lies on.
long long EdgeSide(long long ax, long long ay, long long bx, long long by, long long px, long long py) {
  return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

}  // namespace

RasterWireFrameImage::RasterWireFrameImage(int width, int height) { Resize(width, height); }

void RasterWireFrameImage::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  buffer_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3, 255);
}

RasterPixel RasterWireFrameImage::Pixel(int x, int y) const {
  if (!Inside(x, y)) return {};
  const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * 3;
  return {buffer_[i], buffer_[i + 1], buffer_[i + 2]};
}

void RasterWireFrameImage::Set(int x, int y, RasterPixel colour) {
  if (!Inside(x, y)) return;
  const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * 3;
  buffer_[i] = static_cast<std::uint8_t>(colour.r);
  buffer_[i + 1] = static_cast<std::uint8_t>(colour.g);
  buffer_[i + 2] = static_cast<std::uint8_t>(colour.b);
}

void RasterWireFrameImage::Invert(int x, int y) {
  if (!Inside(x, y)) return;
  const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * 3;
  for (std::size_t k = 0; k < 3; ++k) buffer_[i + k] = static_cast<std::uint8_t>(255 - buffer_[i + k]);
}

// Lines are stepped pixel by pixel: one whose end points lie farther than
// this outside the buffer is first cut to that margin (in reals, ends
// rounded), so that no line costs more than a few hundred thousand steps.
static constexpr double kMargin = 32768.0;

// Cuts the segment to the rectangle (Liang-Barsky); false when nothing is left.
static bool CutSegment(double& x1, double& y1, double& x2, double& y2, double xmin, double ymin, double xmax,
                double ymax) {
  double t0 = 0.0;
  double t1 = 1.0;
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - xmin, xmax - x1, y1 - ymin, ymax - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  const double ax = x1 + t0 * dx, ay = y1 + t0 * dy;
  x2 = x1 + t1 * dx;
  y2 = y1 + t1 * dy;
  x1 = ax;
  y1 = ay;
  return true;
}

template <class Plot>
void RasterWireFrameImage::Rasterise(int x1, int y1, int x2, int y2, Plot plot) const {
  const double xmin = -kMargin, ymin = -kMargin;
  const double xmax = width_ + kMargin, ymax = height_ + kMargin;
  const auto outside = [&](int x, int y) { return x < xmin || x > xmax || y < ymin || y > ymax; };
  if (outside(x1, y1) || outside(x2, y2)) {
    double a = x1, b = y1, c = x2, d = y2;
    if (!CutSegment(a, b, c, d, xmin, ymin, xmax, ymax)) return;
    x1 = static_cast<int>(std::lround(a));
    y1 = static_cast<int>(std::lround(b));
    x2 = static_cast<int>(std::lround(c));
    y2 = static_cast<int>(std::lround(d));
  }
  // One direction for both orders of the end points, so that a line and the
  // same line drawn backwards set the same pixels.
  if (x2 < x1 || (x2 == x1 && y2 < y1)) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const long long dx = std::llabs(static_cast<long long>(x2) - x1);
  const long long dy = -std::llabs(static_cast<long long>(y2) - y1);
  const int sx = x1 < x2 ? 1 : -1;
  const int sy = y1 < y2 ? 1 : -1;
  long long error = dx + dy;
  long long x = x1;
  long long y = y1;
  for (;;) {
    plot(static_cast<int>(x), static_cast<int>(y));
    if (x == x2 && y == y2) break;
    const long long e2 = 2 * error;
    if (e2 >= dy) {
      error += dy;
      x += sx;
    }
    if (e2 <= dx) {
      error += dx;
      y += sy;
    }
  }
}

void RasterWireFrameImage::Clear() {
  if (hasWindow_) std::fill(buffer_.begin(), buffer_.end(), 255);
}

void RasterWireFrameImage::DrawLine(int x1, int y1, int x2, int y2, int r, int g, int b) {
  if (!hasWindow_) return;
  const RasterPixel colour = Colour(r, g, b);
  Rasterise(x1, y1, x2, y2, [&](int x, int y) { Set(x, y, colour); });
}

void RasterWireFrameImage::DeleteLine() {
  if (hasWindow_) RuntimeErrorBox("Can't DeleteLine");
}

void RasterWireFrameImage::DrawXorLine(int x1, int y1, int x2, int y2) {
  if (!hasWindow_) return;
  Rasterise(x1, y1, x2, y2, [&](int x, int y) { Invert(x, y); });
}

void RasterWireFrameImage::BeginPen(int r, int g, int b) { pens_.push_back(Colour(r, g, b)); }

void RasterWireFrameImage::EndPen() {
  if (!pens_.empty()) pens_.pop_back();
}

void RasterWireFrameImage::PenLine(int x1, int y1, int x2, int y2) {
  if (pens_.empty()) return;
  const RasterPixel pen = pens_.back();
  DrawLine(x1, y1, x2, y2, pen.r, pen.g, pen.b);
}

void RasterWireFrameImage::Fill(int r, int g, int b) {
  if (!hasWindow_) return;
  const RasterPixel colour = Colour(r, g, b);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) Set(x, y, colour);
  }
}

void RasterWireFrameImage::TextSize(const char* text, int& width, int& height) {
  const std::size_t n = text != nullptr ? std::strlen(text) : 0;
  width = static_cast<int>(std::min<std::size_t>(n, 1u << 20)) * kCellWidth;
  height = kCellHeight;
}

void RasterWireFrameImage::DrawText(const char* text, int x, int y) {
  if (!hasWindow_ || text == nullptr) return;
  const RasterPixel black{0, 0, 0};
  for (const char* c = text; *c != '\0'; ++c, x += kCellWidth) {
    const std::uint8_t* rows = GlyphRows(*c);
    for (int row = 0; row < kGlyphHeight; ++row) {
      for (int column = 0; column < kGlyphWidth; ++column) {
        if ((rows[row] >> (kGlyphWidth - 1 - column)) & 1) Set(x + column, y + row, black);
      }
    }
    if (x > width_) break;
  }
}

void RasterWireFrameImage::ShowBitmap() { RuntimeErrorBox("WinWireFrameImage::ShowBitmap not def"); }

void RasterWireFrameImage::FillTriangle(int x1, int y1, int x2, int y2, int x3, int y3, int r, int g, int b) {
  if (!hasWindow_) return;
  const RasterPixel colour = Colour(r, g, b);
  // The inside: every pixel centre on the inner side of the three edges (or
  // on an edge), looked for only where the buffer is.
  const long long area = EdgeSide(x1, y1, x2, y2, x3, y3);
  if (area != 0) {
    const int left = std::max(std::min({x1, x2, x3}), 0);
    const int right = std::min(std::max({x1, x2, x3}), width_ - 1);
    const int top = std::max(std::min({y1, y2, y3}), 0);
    const int bottom = std::min(std::max({y1, y2, y3}), height_ - 1);
    for (int y = top; y <= bottom; ++y) {
      for (int x = left; x <= right; ++x) {
        const long long a = EdgeSide(x1, y1, x2, y2, x, y);
        const long long b2 = EdgeSide(x2, y2, x3, y3, x, y);
        const long long c = EdgeSide(x3, y3, x1, y1, x, y);
        const bool inside = area > 0 ? (a >= 0 && b2 >= 0 && c >= 0) : (a <= 0 && b2 <= 0 && c <= 0);
        if (inside) Set(x, y, colour);
      }
    }
  }
  // The outline.
  DrawLine(x1, y1, x2, y2, r, g, b);
  DrawLine(x2, y2, x3, y3, r, g, b);
  DrawLine(x3, y3, x1, y1, r, g, b);
}

}  // namespace zavo
