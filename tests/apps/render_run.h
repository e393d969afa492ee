#pragma once
// Running zavo-render from tests: the program in a directory of its own with
// stderr captured, and pixels of the images it writes.

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "geometry/bitmap_manager.h"

namespace zavo::test {

struct Outcome {
  int exitCode = -1;
  std::string err;
};

// Runs zavo-render in dir with the arguments; stdout is dropped, stderr kept.
// With interruptAfter set, SIGINT goes to the program once stderr holds that text.
Outcome RunIn(const std::filesystem::path& dir, std::vector<std::string> args,
              const std::string& interruptAfter = "");

// The same for any program, with PATH set to path when that is not empty.
Outcome RunProgramIn(const std::string& exe, const std::filesystem::path& dir, std::vector<std::string> args,
                     const std::string& interruptAfter = "", const std::string& path = "");

struct Rgb {
  int r = -1, g = -1, b = -1;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << '(' << c.r << ',' << c.g << ',' << c.b << ')';
}
inline Rgb Pixel(const BitmapManager& image, int x, int y) {
  Rgb c;
  image.GetPixel(x, y, c.r, c.g, c.b);
  return c;
}

}  // namespace zavo::test
