// Loads arbitrary bytes as a BMP file through the stream loader and reads every
// pixel of whatever loaded; a loaded image must agree with its own header and
// save back to a valid file of the same pixels.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "geometry/bitmap_manager.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size), std::ios::binary);
  BitmapManager image;
  const int loaded = image.Load(in);
  if (!loaded) {
    Check(image.Width() == 0 && image.Height() == 0 && image.PixelData() == nullptr);
    return 0;
  }
  const int w = image.Width();
  const int h = image.Height();
  Check(w > 0 && h > 0);
  Check(static_cast<std::size_t>(h) * static_cast<std::size_t>(image.Stride()) <= size);
  std::uint32_t sum = 0;
  for (int y = -1; y <= h; ++y) {
    for (int x = -1; x <= w; ++x) {
      int r = -1, g = -1, b = -1;
      const int inside = x >= 0 && y >= 0 && x < w && y < h;
      Check(image.GetPixel(x, y, r, g, b) == inside);
      if (inside) {
        Check(r >= 0 && r < 256 && g >= 0 && g < 256 && b >= 0 && b < 256);
        sum += static_cast<std::uint32_t>(r + g + b);
      }
    }
  }
  std::ostringstream out(std::ios::binary);
  Check(image.Save(out) == 1);
  BitmapManager again;
  std::istringstream back(out.str(), std::ios::binary);
  Check(again.Load(back) == 1 && again.Width() == w && again.Height() == h);
  std::uint32_t sum2 = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int r, g, b;
      again.GetPixel(x, y, r, g, b);
      sum2 += static_cast<std::uint32_t>(r + g + b);
    }
  }
  Check(sum == sum2);
  return 0;
}
