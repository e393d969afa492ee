// Reads arbitrary bytes as the raw file of a depth image. The first two bytes
// give the image size the render expects (1 to 16 pixels each way); the rest
// is the file. A file whose size differs or that is short must be refused; an
// accepted one gives an image of that size whose pixels are grey.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "geometry/bitmap_manager.h"
#include "render/depth_file.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int width = 1 + data[0] % 16;
  const int height = 1 + data[1] % 16;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 2, size - 2), std::ios::binary);
  zavo::DepthRange range;
  range.Widen(0.75);
  range.Widen(12.5);
  BitmapManager image;
  int rows = 0;
  const bool read = zavo::ReadDepthImage(in, width, height, range, 48, 64, 200, image, [&](int row) {
    Check(row == rows);
    ++rows;
  });
  if (!read) return 0;
  Check(rows == height);
  Check(size - 2 >= static_cast<std::size_t>(zavo::kDepthHeaderBytes + width * height * zavo::kDepthRecordBytes));
  Check(image.Width() == width && image.Height() == height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int r = -1, g = -1, b = -1;
      Check(image.GetPixel(x, y, r, g, b) == 1);
      Check(r == g && g == b);
    }
  }
  return 0;
}
