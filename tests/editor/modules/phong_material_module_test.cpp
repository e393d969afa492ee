// The Phong material module: creation and its name checks, the modify dialog
// and what OK and Cancel take back, the preview of the dialog's values in the
// library's preview folder, "Put in library", and the working directory
// around both buttons.

#include "editor/modules/phong_material_module.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "models/registry.h"
#include "phong_fixture.h"
#include "scene/material.h"
#include "scene/registry.h"
#include "scene/scene.h"

namespace zavo::test {
namespace {

// The text of a material as the scene writer gives it.
std::string Written(const CG_NamedMaterial& material) {
  std::ostringstream out;
  material.Write(out);
  return out.str();
}

constexpr const char* kKd = "Kd (diffusive-reflection)";

TEST(PhongMaterialModule, CreateAsksForAValidName) {
  struct Case {
    std::vector<std::string> answer;  // empty: Cancel
    const char* made;                 // null: nothing made
    const char* message;              // null: none
  };
  const Case cases[] = {
      {{"glass"}, "glass", nullptr},
      {{"standard"}, "standard", nullptr},  // the editor then replaces the model
      {{""}, nullptr, "I need the material name"},
      {{"my mat"}, nullptr, "'my mat' not a valid name\ncharacter ' ' not valid."},
      {{"2tone"}, nullptr, "'2tone' not a valid name\ncharacter '2' not valid."},
      {{}, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer.empty() ? "(cancel)" : c.answer[0]);
    PhongDocument d;
    if (c.answer.empty()) {
      d.doc.fakes.multiEdit.AnswerCancel();
    } else {
      d.doc.fakes.multiEdit.AnswerTexts(c.answer);
    }
    const std::unique_ptr<CG_NamedMaterial> made = d.Module().Create(*d.doc.editor);
    ASSERT_EQ(d.doc.fakes.multiEdit.calls.size(), 1u);
    EXPECT_EQ(d.doc.fakes.multiEdit.calls[0].title, "Creating phong");
    EXPECT_EQ(d.doc.fakes.multiEdit.calls[0].labels, std::vector<std::string>{"name"});
    EXPECT_EQ(d.doc.fakes.multiEdit.calls[0].texts, std::vector<std::string>{""});
    EXPECT_EQ(d.Messages(), c.message != nullptr ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    if (c.made == nullptr) {
      EXPECT_EQ(made, nullptr);
      continue;
    }
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->name, c.made);
    ASSERT_NE(dynamic_cast<CG_MaterialPhong*>(made->model), nullptr);
    CG_NamedMaterial fresh(c.made, new CG_MaterialPhong());
    EXPECT_EQ(Written(*made), Written(fresh));
  }
}

TEST(PhongMaterialModule, ModifyShowsTheValuesOfANewMaterial) {
  PhongDocument d;
  CG_NamedMaterial& glass = d.AddMaterial("glass");
  EXPECT_EQ(d.Modify(glass, {}, {}, false), nullptr);
  ASSERT_EQ(d.dialog.calls.size(), 1u);
  EXPECT_EQ(d.dialog.calls[0].title, "Modifing Phong material");
  EXPECT_EQ(d.dialog.calls[0].tree, (std::vector<std::string>{
                                        "Bitmap_obj bitmap",
                                        "Button_obj preview",
                                        "Edit_obj name = glass",
                                        "Edit_obj Ks (specular-reflection coefficient) = 0.2",
                                        "Edit_obj Kt (transmission coefficient) = 0",
                                        "Edit_obj ni (index of refraction) = 1",
                                        "Edit_obj Ka (ambient-reflection coefficient) = 0.2",
                                        "Edit_obj Kd (diffusive-reflection) = 0.6",
                                        "Edit_obj n (specular-reflection exponent) = 10",
                                        "Color_obj Od (diffuse color) = 0.5 0.5 0.5",
                                        "Color_obj Os (specular color) = 0.5 0.5 0.5",
                                        "LogicalSet_obj Advanced",
                                        "  Check_obj Shadows = 1",
                                        "  Check_obj doubleside = 1",
                                        "  ScrollBar_obj Kh = 0.2 (0..1)",
                                        "  Edit_obj anglet = 0",
                                        "  Edit_obj angles = 0",
                                        "  Button_obj Put in library",
                                    }));
  // A blank picture of the preview's size.
  ASSERT_EQ(d.dialog.pictures.size(), 1u);
  EXPECT_EQ(d.dialog.pictures[0].Width(), 50);
  EXPECT_EQ(d.dialog.pictures[0].Height(), 50);
}

TEST(PhongMaterialModule, OkTakesTheDialogsValuesAndCancelNothing) {
  const std::vector<std::pair<std::string, std::string>> edits = {
      {"name", "other"},
      {"Ks (specular-reflection coefficient)", "0.35"},
      {"Kt (transmission coefficient)", "0.15"},
      {"ni (index of refraction)", "1.45"},
      {"Ka (ambient-reflection coefficient)", "dull"},
      {kKd, "0.55"},
      {"n (specular-reflection exponent)", "12.7"},
      {"Od (diffuse color)", "0.9 0.7 0.15"},
      {"Os (specular color)", "1 1 0.95"},
      {"Advanced/Shadows", "0"},
      {"Advanced/doubleside", "0"},
      {"Advanced/anglet", "0.05"},
      {"Advanced/angles", "0.03"},
  };
  struct Case {
    const char* kh;
    double keptKh;
  };
  for (const Case& c : {Case{"0", 0.45}, Case{"0.7", 0.7}}) {
    SCOPED_TRACE(c.kh);
    PhongDocument d;
    CG_NamedMaterial& glass = d.AddMaterial("glass");
    auto& phong = dynamic_cast<CG_MaterialPhong&>(*glass.model);
    phong.Kh = 0.45;
    auto values = edits;
    values.emplace_back("Advanced/Kh", c.kh);

    const std::string before = Written(glass);
    EXPECT_EQ(d.Modify(glass, values, {}, false), nullptr);
    EXPECT_EQ(Written(glass), before);

    EXPECT_EQ(d.Modify(glass, values, {}), &glass);
    EXPECT_EQ(glass.name, "glass");
    EXPECT_DOUBLE_EQ(phong.Ks, 0.35);
    EXPECT_DOUBLE_EQ(phong.Kt, 0.15);
    EXPECT_DOUBLE_EQ(phong.ni, 1.45);
    EXPECT_DOUBLE_EQ(phong.Ka, 0.0);
    EXPECT_DOUBLE_EQ(phong.Kd, 0.55);
    EXPECT_EQ(phong.n, 12);
    EXPECT_DOUBLE_EQ(phong.Od.y, 0.7);
    EXPECT_DOUBLE_EQ(phong.Os.z, 0.95);
    EXPECT_EQ(phong.shadows, 0);
    EXPECT_EQ(phong.doubleside, 0);
    EXPECT_DOUBLE_EQ(phong.Kh, c.keptKh);
    EXPECT_DOUBLE_EQ(phong.anglet, 0.05);
    EXPECT_DOUBLE_EQ(phong.angles, 0.03);
    EXPECT_TRUE(d.Messages().empty());
  }
}

// The preview renders the dialog's values in the preview folder, whether the
// library directory is absolute or the default ".", and leaves the working
// directory as it was.
TEST(PhongMaterialModule, PreviewRendersTheDialogsValuesInThePreviewFolder) {
  for (const bool relative : {false, true}) {
    SCOPED_TRACE(relative ? "library ." : "absolute library");
    PhongDocument d(relative);
    const fs::path before = fs::current_path();
    CG_NamedMaterial& glass = d.AddMaterial("glass");
    d.Modify(glass, {}, {"preview"}, false);
    d.Modify(glass, {{"Advanced/Kh", "0.9"}, {"Advanced/Shadows", "0"}}, {"preview"}, false);
    d.Modify(glass, {{kKd, "0.95"}}, {"preview"}, false);
    EXPECT_TRUE(d.Messages().empty());
    EXPECT_EQ(fs::current_path(), before);
    EXPECT_EQ(d.doc.fakes.system.plotted, 0);

    const BitmapManager& first = d.dialog.pictures[0];
    ASSERT_EQ(first.Width(), 50);
    ASSERT_EQ(first.Height(), 50);
    BitmapManager file;
    ASSERT_EQ(file.Load(d.library / "mpreview" / "__zavo__.bmp"), 1);
    EXPECT_EQ(Pixels(file), Pixels(d.dialog.pictures[2]));
    // The lit ball in the middle; the Advanced values do not reach the
    // preview, a brighter diffuse term does.
    int r = 0, g = 0, b = 0;
    first.GetPixel(20, 20, r, g, b);
    EXPECT_GT(r, 60);
    EXPECT_EQ(Pixels(d.dialog.pictures[1]), Pixels(first));
    EXPECT_NE(Pixels(d.dialog.pictures[2]), Pixels(first));
    EXPECT_TRUE(fs::is_empty(d.work.path()));
  }
}

TEST(PhongMaterialModule, APreviewThatCannotBeMadeLeavesThePicture) {
  struct Case {
    const char* name;
    const char* fastScene;  // null: no file
    std::vector<int> breaks;  // the user-break answers, in order
    const char* message;
  };
  const Case cases[] = {
      {"no preview scene", nullptr, {}, "Error in preview"},
      {"no material preview", "{ material\n\tname other;\n\tmodel { phong Kd 0.5; }\n}\n.\n", {}, "Error in preview"},
      {"unreadable scene", "{ object\n\tname ;\n}\n.\n", {}, "Error in preview"},
      {"user break while loading", "", {1}, "Error in preview"},
      // The reader asks once for each of the five sections and at the end.
      {"user break while rendering", "", {0, 0, 0, 0, 0, 0, 1}, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PhongDocument d;
    const fs::path fast = d.library / "mpreview" / "fast.qz";
    if (c.fastScene == nullptr) {
      fs::remove(fast);
    } else if (*c.fastScene != '\0') {
      WriteFile(fast, c.fastScene);
    }
    d.doc.fakes.system.breaks.assign(c.breaks.begin(), c.breaks.end());
    CG_NamedMaterial& glass = d.AddMaterial("glass");
    d.Modify(glass, {}, {"preview"}, false);
    EXPECT_EQ(d.Messages(), c.message != nullptr ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    EXPECT_EQ(fs::current_path(), d.work.path());
    EXPECT_FALSE(fs::exists(d.library / "mpreview" / "__zavo__.bmp"));
    BitmapManager blank;
    blank.Create(50, 50);
    EXPECT_EQ(Pixels(d.dialog.pictures[0]), Pixels(blank));
  }
}

// The material file of "Put in library", read back by the scene reader.
CG_MaterialPhong ReadLibraryMaterial(const fs::path& file, const char* name) {
  CG_ModelRegistry registry;
  BuildRegistry(registry);
  CG_GraphicScene scene(registry);
  std::istringstream in(ReadFile(file));
  EXPECT_NE(scene.Get(in), 0);
  const CG_NamedMaterial* material = scene.GetMaterials().Find(name);
  const auto* phong = material != nullptr ? dynamic_cast<const CG_MaterialPhong*>(material->model) : nullptr;
  EXPECT_NE(phong, nullptr);
  return phong != nullptr ? *phong : CG_MaterialPhong();
}

TEST(PhongMaterialModule, PutInLibraryWritesTheModifiedMaterialsFile) {
  for (const bool relative : {false, true}) {
    SCOPED_TRACE(relative ? "library ." : "absolute library");
    PhongDocument d(relative);
    const fs::path before = fs::current_path();
    CG_NamedMaterial& glass = d.AddMaterial("glass");
    const std::string kept = Written(glass);
    d.Modify(glass, {{"name", "other"}, {kKd, "0.45"}, {"n (specular-reflection exponent)", "30.2"},
                     {"Od (diffuse color)", "0.9 1 0.9"}, {"Advanced/Kh", "0.8"}},
             {"Advanced/Put in library"}, false);
    EXPECT_TRUE(d.Messages().empty());
    EXPECT_EQ(fs::current_path(), before);
    EXPECT_EQ(Written(glass), kept);  // Cancel: the file stays, the material is unchanged
    EXPECT_FALSE(fs::exists(d.library / "material" / "other.qz"));

    const fs::path file = d.library / "material" / "glass.qz";
    const std::string text = ReadFile(file);
    EXPECT_EQ(text.rfind("{ material\n\tname glass;\n\tmodel \t{ phong ", 0), 0u) << text;
    EXPECT_EQ(text.substr(text.size() - 5), "\n}\n.\n");
    const CG_MaterialPhong stored = ReadLibraryMaterial(file, "glass");
    EXPECT_DOUBLE_EQ(stored.Kd, 0.45);
    EXPECT_EQ(stored.n, 30);
    EXPECT_DOUBLE_EQ(stored.Od.x, 0.9);
    EXPECT_DOUBLE_EQ(stored.Ks, 0.2);
    EXPECT_DOUBLE_EQ(stored.Kh, 0.2);  // the template's: the Advanced group is not read
  }
}

TEST(PhongMaterialModule, PutInLibraryReportsAFileItCannotWrite) {
  PhongDocument d;
  WriteFile(d.library / "material", "a file where the folder should be");
  CG_NamedMaterial& glass = d.AddMaterial("glass");
  d.Modify(glass, {}, {"Advanced/Put in library"}, false);
  EXPECT_EQ(d.Messages(), std::vector<std::string>{"Cannot write " + (d.library / "material" / "glass.qz").string()});
  EXPECT_EQ(ReadFile(d.library / "material"), "a file where the folder should be");
  EXPECT_EQ(fs::current_path(), d.work.path());
}

}  // namespace
}  // namespace zavo::test
