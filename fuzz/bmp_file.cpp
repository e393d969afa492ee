// Reads arbitrary bytes from files, as the readers that take a path do: the
// BMP loader, a texture of a scene (found by its name beside the scene) and
// the conversion of a depth-image file "<name>.img" into "<name>.bmp", in a
// temporary directory. A loaded image must save to a file that loads again at
// the same size; nothing may crash or leave a temporary file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "geometry/bitmap_manager.h"
#include "scene/registry.h"
#include "scene/scene.h"
#include "scene/texture.h"

namespace {

namespace fs = std::filesystem;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

fs::path* workDirectory = nullptr;

class InWorkDirectory {
public:
  InWorkDirectory() : old_(fs::current_path()) { fs::current_path(*workDirectory); }
  ~InWorkDirectory() { fs::current_path(old_); }

private:
  fs::path old_;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/zavo-fuzz-bmp-file-XXXXXX";
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
  InWorkDirectory inside;
  struct Removed {
    ~Removed() {
      std::error_code error;
      for (const auto& entry : fs::directory_iterator(".")) {
        Check(entry.path().filename().string().find(".tmp") == std::string::npos);
        fs::remove_all(entry.path(), error);
      }
    }
  } removed;
  for (const char* name : {"in.bmp", "in.img"}) {
    std::ofstream os(name, std::ios::binary);
    os.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  BitmapManager image;
  if (image.Load(fs::path("in.bmp"))) {
    Check(image.Width() > 0 && image.Height() > 0);
    Check(image.Save(fs::path("out.bmp")) == 1);
    BitmapManager again;
    Check(again.Load(fs::path("out.bmp")) == 1);
    Check(again.Width() == image.Width() && again.Height() == image.Height());
  }
  try {
    CG_Texture texture("t", "in");
    Check(texture.image.Width() > 0);
    texture.ColorAt(0.25, 0.75);
  } catch (const xQZTexture&) {
  }
  CG_ModelRegistry registry;
  CG_GraphicScene scene(registry);
  scene.SetName("in");
  scene.ConvertImgToBmp();
  return 0;
}
