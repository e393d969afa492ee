#include "editor/frame_planes.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <utility>

#include "editor/mpeg_param_file.h"
#include "foundation/atomic_file.h"
#include "geometry/bitmap_manager.h"

namespace zavo {

namespace {

int RoundToByte(double value) { return static_cast<int>(std::clamp(std::lround(value), 0L, 255L)); }

bool WritePlane(const std::string& file, const std::vector<unsigned char>& plane) {
  return WriteFileAtomically(file, [&](std::ostream& os) {
    os.write(reinterpret_cast<const char*>(plane.data()), static_cast<std::streamsize>(plane.size()));
    return true;
  });
}

}  // namespace

int LumaOf(int r, int g, int b) { return RoundToByte(16.0 + 219.0 / 255.0 * (0.299 * r + 0.587 * g + 0.114 * b)); }

double BlueDifferenceOf(int r, int g, int b) { return 128.0 + 224.0 / 255.0 * (-0.1687 * r - 0.3313 * g + 0.5 * b); }

double RedDifferenceOf(int r, int g, int b) { return 128.0 + 224.0 / 255.0 * (0.5 * r - 0.4187 * g - 0.0813 * b); }

YuvPlanes ToYuvPlanes(const BitmapManager& image) {
  YuvPlanes planes;
  planes.width = image.Width() / 2 * 2;
  planes.height = image.Height() / 2 * 2;
  const int w = planes.width, h = planes.height;
  planes.y.resize(static_cast<std::size_t>(w) * h);
  planes.u.resize(static_cast<std::size_t>(w / 2) * (h / 2));
  planes.v.resize(planes.u.size());
  for (int by = 0; by < h; by += 2) {
    for (int bx = 0; bx < w; bx += 2) {
      double cb = 0.0, cr = 0.0;
      for (int y = by; y < by + 2; ++y) {
        for (int x = bx; x < bx + 2; ++x) {
          int r = 0, g = 0, b = 0;
          image.GetPixel(x, y, r, g, b);
          planes.y[static_cast<std::size_t>(y) * w + x] = static_cast<unsigned char>(LumaOf(r, g, b));
          cb += BlueDifferenceOf(r, g, b);
          cr += RedDifferenceOf(r, g, b);
        }
      }
      const std::size_t at = static_cast<std::size_t>(by / 2) * (w / 2) + bx / 2;
      planes.u[at] = static_cast<unsigned char>(RoundToByte(cb / 4.0));
      planes.v[at] = static_cast<unsigned char>(RoundToByte(cr / 4.0));
    }
  }
  return planes;
}

std::string FrameName(const std::string& base, int k) { return MpegFrameName(base + "%d", k, 4); }

bool ConvertFrameToYUV(const std::string& frameName, std::string& failed) {
  BitmapManager image;
  image.Load(frameName + ".bmp");
  const YuvPlanes planes = ToYuvPlanes(image);
  const std::pair<const char*, const std::vector<unsigned char>*> files[3] = {
      {".y", &planes.y}, {".u", &planes.u}, {".v", &planes.v}};
  for (const auto& [extension, plane] : files) {
    if (!WritePlane(frameName + extension, *plane)) {
      failed = frameName + extension;
      return false;
    }
  }
  return true;
}

}  // namespace zavo
