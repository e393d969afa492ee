// The import tools end to end, headless: a DXF polyface and a RAW triangle
// file imported through the editor's requests, the scene saved and rendered
// by zavo-render.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "apps/editor_scene_text.h"
#include "apps/render_run.h"
#include "common/temp_dir.h"
#include "editor/editor_injection.h"
#include "editor/graphic_editor.h"
#include "editor/import/import_entries.h"
#include "editor_fakes.h"
#include "geometry/bitmap_manager.h"

namespace zavo::test {
namespace {

// The eye at (0, 0, 10) looks down -z at the origin, a lamp beside it, the
// background dark blue; no objects.
const std::string kScene = EditorSceneText(33, 25, kLampBesideEye);

// A quadrangle of 3 by 2 units around the origin in the plane z = 0, as a
// CAD program writes a polyface mesh.
const char kQuadDxf[] =
    "  0\nSECTION\n  2\nENTITIES\n  0\nPOLYLINE\n  8\nplate\n 66\n     1\n 70\n    64\n"
    "  0\nVERTEX\n  8\nplate\n 10\n-1.5\n 20\n-1.0\n 30\n0.0\n 70\n   192\n"
    "  0\nVERTEX\n  8\nplate\n 10\n1.5\n 20\n-1.0\n 30\n0.0\n 70\n   192\n"
    "  0\nVERTEX\n  8\nplate\n 10\n1.5\n 20\n1.0\n 30\n0.0\n 70\n   192\n"
    "  0\nVERTEX\n  8\nplate\n 10\n-1.5\n 20\n1.0\n 30\n0.0\n 70\n   192\n"
    "  0\nVERTEX\n  8\nplate\n 10\n0\n 20\n0\n 30\n0\n 70\n   128\n 71\n1\n 72\n2\n 73\n3\n 74\n4\n"
    "  0\nSEQEND\n  0\nENDSEC\n  0\nEOF\n";

class ImportEndToEnd : public ::testing::Test {
protected:
  ImportEndToEnd() : cwd(dir.path()) {
    WriteFile(dir / "house.qz", kScene);
    editor = CG_GraphicEditor::Create(0);
    fakes.AttachTo(*editor);
    InstallImportEntries();
  }
  ~ImportEndToEnd() override { SetEditorImportEntries({}); }

  // Renders name.qz; the pixel in the middle of the picture, where the
  // imported shape lies, is not the background.
  void ExpectShapeInTheMiddle(const std::string& name) {
    const Outcome run = RunIn(dir.path(), {name + ".qz"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    BitmapManager image;
    ASSERT_EQ(image.Load(dir / (name + ".bmp")), 1);
    const Rgb background{25, 51, 153};
    EXPECT_EQ(Pixel(image, 0, 0), background);
    EXPECT_NE(Pixel(image, 16, 12), background);
  }

  TempDir dir;
  ScopedCwd cwd;
  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
};

TEST_F(ImportEndToEnd, DxfPolyfaceInsertedSavedAndRendered) {
  EditorDriver driver(*editor);
  ASSERT_EQ(driver.Request(66, "house").result, 1);
  WriteFile(dir / "plate.dxf", kQuadDxf);
  fakes.dialog.Answer({});
  ASSERT_EQ(driver.Request(70, "plate").result, 1);
  driver.Request(69, "__ZAVO__.qz");
  ASSERT_NE(editor->scene.FindObject("plate"), nullptr);
  ASSERT_EQ(driver.Request(68, "withplate").result, 1);
  ExpectShapeInTheMiddle("withplate");
}

TEST_F(ImportEndToEnd, RawTriangleSavedAndRendered) {
  EditorDriver driver(*editor);
  ASSERT_EQ(driver.Request(66, "house").result, 1);
  WriteFile(dir / "tri.raw", "-1.5 -1 0  1.5 -1 0  0 1.5 0\n");
  ASSERT_EQ(driver.Request(71, "tri").result, 1);
  ASSERT_EQ(driver.Request(68, "withtri").result, 1);
  ExpectShapeInTheMiddle("withtri");
}

}  // namespace
}  // namespace zavo::test
