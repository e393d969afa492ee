// The window picture's BMP reader on arbitrary bytes: a file it accepts must
// have a sane size and save to a file that loads again to the same picture.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>

#include "win/bmp_manager.h"

namespace {

namespace fs = std::filesystem;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

fs::path* workDirectory = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/zavo-fuzz-window-bmp-XXXXXX";
  const char* dir = mkdtemp(pattern);
  if (dir == nullptr) std::abort();
  workDirectory = new fs::path(dir);
  std::atexit([] {
    std::error_code error;
    fs::remove_all(*workDirectory, error);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path in = *workDirectory / "in.bmp";
  const fs::path out = *workDirectory / "out.bmp";
  {
    std::ofstream os(in, std::ios::binary | std::ios::trunc);
    os.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  BmpManager bmp;
  if (bmp.Load(in)) {
    const int w = bmp.Width(), h = bmp.Height();
    Check(w >= 1 && h >= 1 && w <= BmpManager::kMaxSide && h <= BmpManager::kMaxSide);
    Check(bmp.Save(out) == 1);
    BmpManager again;
    Check(again.Load(out) == 1);
    Check(again.Width() == w && again.Height() == h);
    Check(again.Pixel(w - 1, h - 1) == bmp.Pixel(w - 1, h - 1));
  }
  std::error_code error;
  fs::remove(out, error);
  return 0;
}
