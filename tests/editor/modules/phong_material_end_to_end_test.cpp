// A user's material session through the editor's requests with the real
// modules: a new material named, previewed, put in the library and
// confirmed; changed again later; and the shipped preview scenes rendered.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "phong_fixture.h"

namespace zavo::test {
namespace {

constexpr const char* kKd = "Kd (diffusive-reflection)";

TEST(PhongMaterialEndToEnd, NewMaterialPreviewedPutInLibraryAndChanged) {
  PhongDocument d(true);
  EditorDriver driver(*d.doc.editor);
  d.doc.fakes.multiEdit.AnswerTexts({"brass"});
  d.dialog.Answer({{{kKd, "0.45"}, {"Od (diffuse color)", "0.8 0.6 0.2"}, {"n (specular-reflection exponent)", "25"}},
                   {"preview", "Advanced/Put in library"},
                   true});
  EXPECT_EQ(driver.Request(13).result, 1);
  EXPECT_TRUE(d.Messages().empty());
  EXPECT_EQ(d.doc.editor->modified, 1);
  EXPECT_EQ(fs::current_path(), d.library.path());

  CG_NamedMaterial* brass = d.doc.editor->scene.GetMaterials().Find("brass");
  ASSERT_NE(brass, nullptr);
  const auto& phong = dynamic_cast<const CG_MaterialPhong&>(*brass->model);
  EXPECT_DOUBLE_EQ(phong.Kd, 0.45);
  EXPECT_EQ(phong.n, 25);
  // The preview shows the brass colour: more red than blue in the middle.
  int r = 0, g = 0, b = 0;
  ASSERT_EQ(d.dialog.pictures.at(0).GetPixel(20, 20, r, g, b), 1);
  EXPECT_GT(r, b + 30);
  EXPECT_TRUE(fs::exists(d.library / "mpreview" / "__zavo__.bmp"));
  const std::string stored = ReadFile(d.library / "material" / "brass.qz");
  EXPECT_NE(stored.find("\t\tKd 0.45;\n"), std::string::npos) << stored;
  EXPECT_NE(stored.find("\t\tn 25;\n"), std::string::npos) << stored;

  // Changing it later shows the stored values; Cancel keeps them.
  d.doc.fakes.listShower.AnswerText("brass");
  d.dialog.Answer({{{kKd, "0.9"}}, {}, false});
  EXPECT_EQ(driver.Request(15).result, 0);
  ASSERT_EQ(d.dialog.calls.size(), 2u);
  EXPECT_EQ(d.dialog.calls[1].tree.at(7), "Edit_obj Kd (diffusive-reflection) = 0.45");
  EXPECT_DOUBLE_EQ(phong.Kd, 0.45);
}

// Each shipped preview scene holds a Phong material "preview" lit in front
// of the camera, and renders at the preview's size.
TEST(PhongMaterialEndToEnd, TheShippedPreviewScenesRender) {
  for (const char* type : {"fast", "preview"}) {
    SCOPED_TRACE(type);
    PhongDocument d;
    d.doc.editor->options.PreviewType = type;
    d.doc.editor->options.PreviewSize = 40;
    CG_NamedMaterial& material = d.AddMaterial("chalk");
    d.Modify(material, {}, {"preview"}, false);
    EXPECT_TRUE(d.Messages().empty());
    const BitmapManager& picture = d.dialog.pictures.at(0);
    ASSERT_EQ(picture.Width(), 40);
    int r = 0, g = 0, b = 0;
    ASSERT_EQ(picture.GetPixel(16, 16, r, g, b), 1);
    EXPECT_GT(r, 70);
    BitmapManager blank;
    blank.Create(40, 40);
    EXPECT_NE(Pixels(picture), Pixels(blank));
  }
}

}  // namespace
}  // namespace zavo::test
