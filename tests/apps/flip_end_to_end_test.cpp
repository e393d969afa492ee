// A flip made by the editor's flip module around a sphere, saved and
// rendered by zavo-render: the same picture as the same flip written by hand.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <locale>
#include <string>

#include "apps/render_run.h"
#include "common/temp_dir.h"
#include "editor/modules/module_fixture.h"
#include "geometry/bitmap_manager.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

// The eye at (0, 0, 10) looks down -z at the origin, a lamp beside the eye.
const char kHead[] =
    "{ vrc\n\tvrp ( 0 , 0 , 0 );\n\tprp ( 0 , 0 , 10 );\n\tvup ( 0 , 1 , 0 );\n\tvpn ( 0 , 0 , 1 );\n"
    "\tumax 3.2;\n\tumin -3.2;\n\tvmax 2.4;\n\tvmin -2.4;\n\ttype 1;\n\tf 1;\n\tb 0;\n\tfon 0;\n\tbon 0;\n}\n"
    "{ param\n  dimx 33;\n  dimy 25;\n  backcolor (0.1,0.2,0.6);\n}\n"
    "{ material\n\tname standard;\n\tmodel { phong Ka 0.2; Kd 0.7; Ks 0.3; Od (0.9,0.8,0.1); }\n}\n"
    "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( 2.5 , 3 , 10 );\n\tcolor (1,1,1);\n}\n}\n";
const char kSphere[] =
    "{ object name s1; material standard; model { sphere center ( 0.3 , -0.2 , 0 ); radius 1.7; div 8; } }\n";

// A scene file of the head, the objects' text and the end line.
void PutScene(const fs::path& file, const char* objects) {
  std::ofstream out(file);
  out << kHead << objects << ".\n";
}

TEST(FlipEndToEnd, AFlipMadeInTheEditorRendersAsTheSameFlipWrittenByHand) {
  TempDir dir;
  ModuleDocument doc;
  while (doc.editor->items.First() != nullptr) doc.editor->RemoveItem(doc.editor->items.First());
  PutScene(dir / "sphere.qz", kSphere);
  std::ifstream text(dir / "sphere.qz");
  ASSERT_EQ(doc.editor->scene.Load(text), 1) << doc.editor->scene.GetErrorMessage();
  doc.editor->CreateItems();

  doc.Answer({{"name", "f1"}, {"obj", "s1"}});
  ASSERT_EQ(doc.editor->AddObjectToEditor(doc.Object("flip").Create(*doc.editor)), 1);
  EXPECT_TRUE(doc.fakes.system.messages.empty());
  {
    std::ofstream out(dir / "made.qz");
    out.imbue(std::locale::classic());
    doc.editor->scene.Write(out);
  }
  PutScene(dir / "byhand.qz",
           "{ object name f1; model { flip\n"
           "{ object name s1; material standard; model { sphere center ( 0.3 , -0.2 , 0 ); radius 1.7; div 8; } }\n"
           "} }\n");

  BitmapManager images[2];
  const std::string names[2] = {"made", "byhand"};
  for (int i = 0; i < 2; ++i) {
    const Outcome run = RunIn(dir.path(), {names[i] + ".qz"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(images[i].Load(dir / (names[i] + ".bmp")), 1);
  }
  ASSERT_EQ(images[0].Width(), 33);
  ASSERT_EQ(images[0].Height(), 25);
  EXPECT_NE(Pixel(images[0], 16, 12), Pixel(images[0], 0, 0));
  for (int y = 0; y < 25; ++y) {
    for (int x = 0; x < 33; ++x) ASSERT_EQ(Pixel(images[0], x, y), Pixel(images[1], x, y)) << x << ", " << y;
  }
}

}  // namespace
}  // namespace zavo::test
