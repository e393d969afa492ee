#include "win/pixel_target.h"

#include <algorithm>

namespace zavo {

void FillRgbBlock(std::uint8_t* bytes, int width, int height, int x, int y, int n, Rgb8 colour) {
  const long long x0 = std::max<long long>(x, 0);
  const long long y0 = std::max<long long>(y, 0);
  const long long x1 = std::min<long long>(static_cast<long long>(x) + n, width);
  const long long y1 = std::min<long long>(static_cast<long long>(y) + n, height);
  for (long long row = y0; row < y1; ++row) {
    std::uint8_t* p = bytes + (row * width + x0) * 3;
    for (long long col = x0; col < x1; ++col) {
      *p++ = colour.r;
      *p++ = colour.g;
      *p++ = colour.b;
    }
  }
}

PixelBuffer::PixelBuffer(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      bytes_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3, 0) {}

Rgb8 PixelBuffer::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
  const std::uint8_t* p = bytes_.data() + (static_cast<std::size_t>(y) * width_ + x) * 3;
  return {p[0], p[1], p[2]};
}

void PixelBuffer::FillBlock(int x, int y, int n, Rgb8 colour) {
  FillRgbBlock(bytes_.data(), width_, height_, x, y, n, colour);
}

}  // namespace zavo
