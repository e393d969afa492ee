// A scene rendered into the shell's render output: the window image and its
// off-screen copy take every rendered pixel as a block, and the status texts
// of the render arrive.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "geometry/bitmap_manager.h"
#include "models/registry.h"
#include "scene/scene.h"
#include "win/bmp_manager.h"
#include "win/win_qz_interface.h"

namespace {

class RecordingStatus : public zavo::StatusField {
public:
  void SetText(const char* text) override { texts.emplace_back(text); }
  std::vector<std::string> texts;
};

constexpr const char* kScene = R"({ param
  render raytracing;
  dimx 37;
  dimy 23;
  backcolor (0.55,0.7,0.9);
  ambientcolor (0.6,0.6,0.6);
}
{ material
  name red;
  model { phong Ka 0.2; Kd 0.7; Ks 0.1; n 20; Od (0.85,0.15,0.1); Os (1,1,1); }
}
{ material
  name floor;
  model { phong Ka 0.25; Kd 0.6; Ks 0.25; Od (0.8,0.78,0.7); }
}
{ object
  name ground;
  material floor;
  model { box xmin -6; xmax 7; ymin -1.7; ymax -1.5; zmin -14; zmax -1; }
}
{ object
  name ball;
  material red;
  model { sphere center ( -0.3 , -0.65 , -4.5 ); radius 0.85; }
}
{ lamp
  name sun;
  model { pointlamp pos ( -4 , 6 , 3 ); color (1,1,0.95); }
}
.
)";

TEST(RenderToWindow, TheMemoryImageIsTheRenderedPictureInBlocks) {
  zavo::test::TempDir dir;
  zavo::test::ScopedCwd cwd(dir.path());
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  zavo::AddDocumentModelModules(registry);
  CG_GraphicScene scene(registry);
  scene.SetName("window");
  RecordingStatus status;
  WinQZInterface qz(nullptr, &status);
  scene.SetInterface(&qz);
  std::istringstream in(kScene);
  ASSERT_TRUE(scene.Load(in)) << scene.GetErrorMessage();

  constexpr int n = 3;
  zavo::PixelBuffer window(37 * n, 23 * n);
  BmpManager memory;
  ASSERT_EQ(memory.Create(37 * n, 23 * n), 1);
  qz.SetTarget(&window, &memory, n);
  scene.Render();
  ASSERT_TRUE(scene.RenderSucceeded());

  BitmapManager written;
  ASSERT_EQ(written.Load(dir / "window.bmp"), 1);
  ASSERT_EQ(written.Width(), 37);
  ASSERT_EQ(written.Height(), 23);
  int differentColours = 0;
  zavo::Rgb8 first = memory.Pixel(0, 0);
  for (int y = 0; y < 23 * n; ++y) {
    for (int x = 0; x < 37 * n; ++x) {
      int r = 0, g = 0, b = 0;
      written.GetPixel(x / n, y / n, r, g, b);
      const zavo::Rgb8 expected{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                static_cast<std::uint8_t>(b)};
      ASSERT_EQ(memory.Pixel(x, y), expected) << x << "," << y;
      ASSERT_EQ(window.Pixel(x, y), expected) << x << "," << y;
      differentColours += !(expected == first);
    }
  }
  // A picture, not a flat colour.
  EXPECT_GT(differentColours, 100);
  // The off-screen copy saves as the same picture.
  ASSERT_EQ(memory.Save(dir / "copy.bmp"), 1);
  BmpManager copy;
  ASSERT_EQ(copy.Load(dir / "copy.bmp"), 1);
  EXPECT_EQ(copy.Pixel(40, 30), memory.Pixel(40, 30));
  // The render's progress texts arrived.
  ASSERT_FALSE(status.texts.empty());
  bool rowText = false;
  for (const std::string& text : status.texts) rowText |= text.find("Line") != std::string::npos;
  EXPECT_TRUE(rowText) << status.texts.front();
}

}  // namespace
