// A Bezier curve made by its editor module and revolved into a bezier patch
// object, and a NURBS mesh made from a model file: the saved scenes render
// with zavo-render.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "apps/render_run.h"
#include "common/temp_dir.h"
#include "editor/modules/model_file_fixture.h"
#include "editor/modules/module_fixture.h"
#include "geometry/bitmap_manager.h"

namespace zavo::test {
namespace {

// The eye at (0, 0, 10) looks down -z at the origin; a lamp beside the eye.
const char kScene[] =
    "{ vrc\n\tvrp ( 0 , 0 , 0 );\n\tprp ( 0 , 0 , 10 );\n\tvup ( 0 , 1 , 0 );\n\tvpn ( 0 , 0 , 1 );\n"
    "\tumax 3.2;\n\tumin -3.2;\n\tvmax 2.4;\n\tvmin -2.4;\n\ttype 1;\n\tf 1;\n\tb 0;\n\tfon 0;\n\tbon 0;\n}\n"
    "{ param\n  dimx 33;\n  dimy 25;\n  backcolor (0.1,0.2,0.6);\n}\n"
    "{ material\n\tname standard;\n\tmodel { phong Ka 0.2; Kd 0.7; Ks 0.3; Od (0.9,0.8,0.1); }\n}\n"
    "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( 2.5 , 3 , 10 );\n\tcolor (1,1,1);\n}\n}\n.\n";

const Rgb kBackground{25, 51, 153};

// The document "house" opened in the directory, as the editor's requests see it.
class HouseDocument : public ModuleDocument {
public:
  HouseDocument() {
    WriteFile(dir / "house.qz", kScene);
    EXPECT_EQ(driver.Request(66, "house").result, 1);
  }
  // Saved as "made" (request 68), rendered; the picture.
  BitmapManager SaveAndRender() {
    BitmapManager image;
    EXPECT_EQ(driver.Request(68, "made").result, 1);
    const Outcome run = RunIn(dir.path(), {"made.qz"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(image.Load(dir / "made.bmp"), 1);
    return image;
  }

  TempDir dir;
  ScopedCwd cwd{dir.path()};
  EditorDriver driver{*editor};
};

TEST(BezierNURBSEndToEnd, ARevolvedBezierCurveRenders) {
  HouseDocument doc;
  doc.fakes.listShower.AnswerText("beziercurve");
  doc.Answer({{"name", "profile"}});
  ASSERT_EQ(doc.driver.Request(16).result, 1);
  CG_GraphicObject* profile = doc.editor->scene.FindObject("profile");
  ASSERT_NE(profile, nullptr);
  // The profile of a vase, as its control points are edited in the views.
  const Point3D points[] = {{1, 0, 0}, {2, 1, 0}, {2, 2, 0}, {1, 3, 0}};
  for (int i = 0; i < 4; ++i) profile->SetControl(i, points[i]);

  doc.fakes.listShower.AnswerText("profile");
  doc.fakes.listShower.AnswerText("rotation");
  doc.Answer({{"bezier name", "vase"}});
  ASSERT_EQ(doc.driver.Request(39).result, 1);
  CG_GraphicObject* vase = doc.editor->scene.FindObject("vase");
  ASSERT_NE(vase, nullptr);
  EXPECT_STREQ(vase->Keyword(), "bezier");
  EXPECT_TRUE(std::filesystem::exists(doc.dir / "vase.bzr"));
  EXPECT_TRUE(doc.fakes.system.messages.empty());

  const BitmapManager image = doc.SaveAndRender();
  EXPECT_EQ(Pixel(image, 0, 0), kBackground);
  // The top pole on the axis, and the side at x = 1.2, z = 1.5: u = 1.41.
  EXPECT_NE(Pixel(image, 16, 12), kBackground);
  EXPECT_NE(Pixel(image, 23, 12), kBackground);
}

TEST(BezierNURBSEndToEnd, ANURBSMeshFromAModelFileRenders) {
  HouseDocument doc;
  WriteFile(doc.dir / "sail.nrb", kOneNURBSPatch);
  doc.fakes.listShower.AnswerText("NURBSmesh");
  doc.fakes.listShower.AnswerText("sail");
  ASSERT_EQ(doc.driver.Request(16).result, 1);
  CG_GraphicObject* sail = doc.editor->scene.FindObject("sail");
  ASSERT_NE(sail, nullptr);
  EXPECT_STREQ(sail->Keyword(), "NURBSmesh");
  EXPECT_TRUE(doc.fakes.system.messages.empty());

  const BitmapManager image = doc.SaveAndRender();
  EXPECT_EQ(Pixel(image, 0, 0), kBackground);
  EXPECT_NE(Pixel(image, 16, 12), kBackground);
}

}  // namespace
}  // namespace zavo::test
