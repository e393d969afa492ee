#include "output.h"

#include <cctype>
#include <cstring>

#include "geometry/bitmap_manager.h"
#include "scene/scene.h"

namespace zavo::cli {

namespace {

struct ModeOutput {
  const char* mode;
  const char* extension;
  bool image;
};

constexpr ModeOutput kModes[] = {
    {"raytracing", ".bmp", true}, {"preview", ".bmp", true}, {"depth", ".bmp", true},
    {"vrml", ".wrl", false},      {"dxf", ".dxf", false},    {"tgl", ".tgl", false},
    {"t_analysis", ".ana", false},
};

const ModeOutput* Find(const std::string& mode) {
  for (const ModeOutput& m : kModes) {
    if (mode == m.mode) return &m;
  }
  return nullptr;
}

bool SameIgnoringCase(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool ImageSizeAllowed(int width, int height) {
  return width >= 1 && height >= 1 && width <= zavo::kMaxBitmapSide && height <= zavo::kMaxBitmapSide &&
         std::int64_t{height} * zavo::BitmapStride(width) <= zavo::kMaxBitmapBytes;
}

}  // namespace

const char* OutputExtension(const std::string& mode) {
  const ModeOutput* m = Find(mode);
  return m != nullptr ? m->extension : nullptr;
}

bool WritesImage(const std::string& mode) {
  const ModeOutput* m = Find(mode);
  return m != nullptr && m->image;
}

std::string OutputBase(const std::string& name, const char* extension) {
  if (extension == nullptr) return name;
  const std::size_t length = std::strlen(extension);
  const std::size_t slash = name.find_last_of('/');
  const std::size_t fileStart = slash == std::string::npos ? 0 : slash + 1;
  // A file name that is only the extension keeps it: ".bmp" is a name.
  if (name.size() < fileStart + length + 1) return name;
  if (!SameIgnoringCase(name.substr(name.size() - length), extension)) return name;
  return name.substr(0, name.size() - length);
}

std::string CheckRenderParameters(CG_GraphicScene& scene) {
  const GParam& param = scene.GetParam();
  const std::string mode = param.render.Text() != nullptr ? param.render.Text() : "";
  if (Find(mode) == nullptr) return "Unknown render mode " + mode;
  if (!WritesImage(mode)) return {};
  if (!ImageSizeAllowed(param.dimx, param.dimy)) {
    return "Wrong image size " + std::to_string(param.dimx) + " x " + std::to_string(param.dimy);
  }
  const char* shade = param.shade.Text() != nullptr ? param.shade.Text() : "";
  if (!scene.SetShadingMethod(shade)) return std::string("Unknown shading method ") + shade;
  return {};
}

}  // namespace zavo::cli
