// The material library (request 82): its controls, the ray-traced preview
// with its cache beside the material, the errors of a preview, Insert, and
// the working directory and temporary files around a preview.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor_fakes.h"
#include "library_fixture.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

// The scripted dialog that also keeps the image the dialog showed last.
class ImageKeepingDialog : public FakeDialog {
public:
  int Show(const char* title, gcg_list& controls) override {
    const int result = FakeDialog::Show(title, controls);
    if (auto* bitmap = dynamic_cast<Bitmap_obj*>(FindControl(controls, "bitmap"))) image = bitmap->image;
    return result;
  }
  BitmapManager image;
};

struct Document {
  Document() : cwd(work.path()), editor(CG_GraphicEditor::Create(0)), driver(*editor) {
    fakes.AttachTo(*editor);
    editor->SetDialog(&dialog);
    editor->options.UseUndo = 0;
    editor->scene.SetLibraryDir(library.Path().c_str());
  }
  // Request 82 with the material chosen and the buttons pressed; OK.
  int Press(const char* material, std::vector<std::string> buttons) {
    dialog.Answer({{{"Material", material}}, std::move(buttons), true});
    return driver.Request(82).result;
  }
  fs::path Cache() const { return library.dir / "material/gold.bmp"; }
  // The files of a folder, by name.
  static std::vector<std::string> Files(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    return names;
  }

  LibraryFolder library;
  TempDir work;
  ScopedCwd cwd;
  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  ImageKeepingDialog dialog;
  EditorDriver driver;
};

int Red(const BitmapManager& image, int x, int y) {
  int r = -1, g = -1, b = -1;
  image.GetPixel(x, y, r, g, b);
  return r;
}

TEST(MaterialLibrary, Controls) {
  Document d;
  d.library.Put("material/gold.bmp", "an old cache");
  d.dialog.AnswerCancel();
  EXPECT_EQ(d.driver.Request(82).result, 0);
  ASSERT_EQ(d.dialog.calls.size(), 1u);
  EXPECT_EQ(d.dialog.calls[0].title, "Editor options");
  EXPECT_EQ(d.dialog.calls[0].tree,
            (std::vector<std::string>{"ListBox_obj Material =  [gold]", "Bitmap_obj bitmap", "Button_obj preview",
                                      "Button_obj Insert", "Button_obj Delete", "Button_obj Refresh All"}));
  EXPECT_EQ(d.dialog.image.Width(), 50);
  EXPECT_EQ(d.dialog.image.Height(), 50);
}

TEST(MaterialLibrary, PreviewSizeIsKeptWithinReason) {
  struct Case {
    int size;
    int side;
  };
  for (const Case& c : {Case{0, 1}, Case{-40, 1}, Case{64, 64}, Case{1024, 1024}, Case{100000, 1024}}) {
    SCOPED_TRACE(c.size);
    Document d;
    d.editor->options.PreviewSize = c.size;
    d.dialog.Answer({{}, {}, true});
    EXPECT_EQ(d.driver.Request(82).result, 1);
    EXPECT_EQ(d.dialog.image.Width(), c.side);
    EXPECT_EQ(d.dialog.image.Height(), c.side);
  }
}

TEST(MaterialLibrary, PreviewRendersOnceAndCachesBesideTheMaterial) {
  Document d;
  EXPECT_EQ(d.Press("gold", {"preview"}), 1);
  EXPECT_TRUE(d.fakes.system.messages.empty());
  // The gold ball in the middle, the background black at the corner.
  int r = 0, g = 0, b = 0;
  ASSERT_EQ(d.dialog.image.GetPixel(25, 25, r, g, b), 1);
  EXPECT_GT(r, b + 40);
  EXPECT_GT(g, b);
  EXPECT_EQ(Red(d.dialog.image, 1, 1), 0);
  BitmapManager cache;
  ASSERT_EQ(cache.Load(d.Cache()), 1);
  EXPECT_EQ(cache.Width(), 50);
  EXPECT_EQ(Red(cache, 25, 25), r);
  // No image left in the preview folder (the renderer's log stays there),
  // nothing in the working directory.
  for (const std::string& name : Document::Files(d.library.dir / "mpreview")) {
    EXPECT_NE(fs::path(name).extension(), ".bmp") << name;
  }
  EXPECT_TRUE(Document::Files(d.work.path()).empty());
  EXPECT_EQ(fs::current_path(), d.work.path());
  EXPECT_EQ(d.editor->modified, 0);
  EXPECT_EQ(d.editor->scene.GetMaterials().Find("gold"), nullptr);

  // A second preview shows the cache: a cache painted over shows the paint.
  ASSERT_EQ(cache.SetPixel(25, 25, 7, 8, 9), 1);
  ASSERT_EQ(cache.Save(d.Cache()), 1);
  EXPECT_EQ(d.Press("gold", {"preview"}), 1);
  EXPECT_EQ(Red(d.dialog.image, 25, 25), 7);
}

TEST(MaterialLibrary, PreviewErrorsLeaveTheImageAndTheDirectory) {
  struct Case {
    const char* what;
    const char* material;
    const char* previewType;
  };
  for (const Case& c : {Case{"no such material", "nickel", "fast"},
                        Case{"a material that does not read", "broken", "fast"},
                        Case{"no such preview scene", "gold", "studio"},
                        Case{"a preview scene that does not read", "gold", "bad"}}) {
    SCOPED_TRACE(c.what);
    Document d;
    d.library.Put("material/broken.qz", "{ material\n\tname broken;\n\tmodel { phong Kd ; }\n}\n.\n");
    d.library.Put("mpreview/bad.qz", "{ object\n\tname ball;\n\tmaterial preview;\n\tmodel { sphere radius; }\n");
    d.editor->options.PreviewType = c.previewType;
    EXPECT_EQ(d.Press(c.material, {"preview"}), 1);
    EXPECT_EQ(d.fakes.system.messages, std::vector<std::string>{"Error in preview"});
    EXPECT_EQ(Red(d.dialog.image, 25, 25), 0);
    EXPECT_FALSE(fs::exists(d.library.dir / "material" / (std::string(c.material) + ".bmp")));
    EXPECT_EQ(fs::current_path(), d.work.path());
    EXPECT_TRUE(Document::Files(d.work.path()).empty());
  }
}

TEST(MaterialLibrary, InsertReadsTheMaterialIntoTheScene) {
  Document d;
  EXPECT_EQ(d.Press("gold", {"Insert", "Delete", "Refresh All"}), 1);
  EXPECT_NE(d.editor->scene.GetMaterials().Find("gold"), nullptr);
  EXPECT_TRUE(d.fakes.system.messages.empty());
  EXPECT_EQ(d.driver.Request(76).result, 1);

  Document missing;
  EXPECT_EQ(missing.Press("nickel", {"Insert"}), 1);
  EXPECT_EQ(missing.fakes.system.messages, std::vector<std::string>{"Error in preview"});
  EXPECT_EQ(missing.editor->modified, 0);
}

TEST(MaterialLibrary, OkAndCancelChangeNothingByThemselves) {
  for (bool ok : {true, false}) {
    SCOPED_TRACE(ok);
    Document d;
    d.dialog.Answer({{{"Material", "gold"}}, {"Delete", "Refresh All"}, ok});
    EXPECT_EQ(d.driver.Request(82).result, ok ? 1 : 0);
    EXPECT_EQ(d.editor->scene.GetMaterials().Find("gold"), nullptr);
    EXPECT_FALSE(fs::exists(d.Cache()));
    EXPECT_EQ(d.editor->modified, 0);
  }
}

}  // namespace
}  // namespace zavo::test
