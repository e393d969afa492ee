#include <cstdint>
#include <fstream>
#include <string>

#include "foundation/number_text.h"
#include "geometry/point_stream.h"
#include "scene/scene.h"

namespace {

// A channel for the output image: not at least 0 (NaN too) gives 0, above 1 gives 1.
double ClampChannel(double c) {
  if (!(c >= 0)) return 0;
  return c > 1 ? 1 : c;
}

bool ReadInt32LittleEndian(std::istream& in, std::int32_t& value) {
  unsigned char bytes[4];
  if (!in.read(reinterpret_cast<char*>(bytes), 4)) return false;
  const std::uint32_t u = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                          static_cast<std::uint32_t>(bytes[2]) << 16 |
                          static_cast<std::uint32_t>(bytes[3]) << 24;
  value = static_cast<std::int32_t>(u);
  return true;
}

}  // namespace

int CG_GraphicScene::SetOutputImage(const char* name) {
  outputImageName_ = name;
  return outputImage_.Create(param_.dimx, param_.dimy);
}

void CG_GraphicScene::PutPixel(int x, int y, double r, double g, double b) {
  r = ClampChannel(r);
  g = ClampChannel(g);
  b = ClampChannel(b);
  outputImage_.SetPixel(x, y, static_cast<int>(r * 255), static_cast<int>(g * 255),
                        static_cast<int>(b * 255));
  interface_->PlotPixel(x, y, r, g, b);
}

int CG_GraphicScene::ConvertImgToBmp() {
  const char* base = outputImageName_.Text() != nullptr ? outputImageName_.Text() : name_.Text();
  if (base == nullptr) {
    interface_->Message("No image name to convert the depth image");
    return 0;
  }
  const std::string imgName = std::string(base) + ".img";
  const std::string bmpName = std::string(base) + ".bmp";

  std::ifstream in(imgName, std::ios::binary);
  if (!in) {
    interface_->Message(("Cannot open " + imgName).c_str());
    return 0;
  }
  std::int32_t width = 0;
  std::int32_t height = 0;
  if (!ReadInt32LittleEndian(in, width) || !ReadInt32LittleEndian(in, height)) {
    interface_->Message(("Unexpected end of " + imgName).c_str());
    return 0;
  }
  BitmapManager bitmap;
  if (width <= 0 || height <= 0 || width > zavo::kMaxBitmapSide || height > zavo::kMaxBitmapSide) {
    interface_->Message(("Wrong image size in " + imgName).c_str());
    return 0;
  }
  // The whole pixel data must be there before anything is allocated.
  const std::streamoff start = in.tellg();
  in.seekg(0, std::ios::end);
  const std::streamoff end = in.tellg();
  in.seekg(start);
  const std::int64_t needed = std::int64_t{width} * height * 24;
  if (start < 0 || end < 0 || end - start < needed) {
    interface_->Message(("Unexpected end of " + imgName).c_str());
    return 0;
  }
  if (!bitmap.Create(width, height)) {
    interface_->Message(("Wrong image size in " + imgName).c_str());
    return 0;
  }
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      Point3D colour;
      if (!ReadPoint3DBinary(colour, in)) {
        interface_->Message(("Unexpected end of " + imgName).c_str());
        return 0;
      }
      bitmap.SetPixel(column, row, zavo::SaturateToInt(colour.x * 255),
                      zavo::SaturateToInt(colour.y * 255), zavo::SaturateToInt(colour.z * 255));
    }
    const std::string status =
        "Creating bitmap " + std::to_string(std::int64_t{row + 1} * 100 / height) + "%";
    interface_->Status(status.c_str());
  }
  if (!bitmap.Save(bmpName)) {
    interface_->Message(("Cannot write " + bmpName).c_str());
    return 0;
  }
  interface_->Status("");
  return 1;
}
