#pragma once
// A document with the real modules whose library, in a temporary directory,
// holds the shipped preview scenes; it works in another temporary directory,
// or in the library itself when the library directory is ".". Its dialog
// runner keeps the picture of every dialog.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "common/temp_dir.h"
#include "module_fixture.h"
#include "scene/material.h"

namespace zavo::test {

namespace fs = std::filesystem;

// The dialog runner that keeps the picture of every dialog it ran.
class PictureKeepingDialog : public FakeDialog {
public:
  int Show(const char* title, gcg_list& controls) override {
    const int result = FakeDialog::Show(title, controls);
    const auto* bitmap = dynamic_cast<const Bitmap_obj*>(FindControl(controls, "bitmap"));
    pictures.push_back(bitmap != nullptr ? bitmap->image : BitmapManager());
    return result;
  }
  std::vector<BitmapManager> pictures;
};

// Every pixel of an image, row by row.
inline std::vector<int> Pixels(const BitmapManager& image) {
  std::vector<int> out;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      int r = 0, g = 0, b = 0;
      image.GetPixel(x, y, r, g, b);
      out.insert(out.end(), {r, g, b});
    }
  }
  return out;
}

// The shipped preview scenes in a library of a temporary directory; the
// document works in another directory, or in the library itself when the
// library directory is ".".
struct PhongDocument {
  explicit PhongDocument(bool relativeLibrary = false)
      : cwd(relativeLibrary ? library.path() : work.path()) {
    fs::create_directories(library / "mpreview");
    for (const char* scene : {"fast.qz", "preview.qz"}) {
      fs::copy_file(DataPath("../../apps/zavo/library/mpreview") / scene, library / "mpreview" / scene);
    }
    doc.editor->SetDialog(&dialog);
    doc.editor->options.UseUndo = 0;
    doc.editor->scene.SetLibraryDir(relativeLibrary ? "." : library.path().string().c_str());
  }
  CG_MaterialEditorModule& Module() { return *doc.editor->FindMaterialModule("phong"); }
  CG_NamedMaterial& AddMaterial(const char* name) {
    return *doc.editor->scene.GetMaterials().AddOrReplace(new CG_NamedMaterial(name, new CG_MaterialPhong()));
  }
  // Modify of the material with the dialog's values set, the buttons pressed,
  // and OK or Cancel.
  CG_NamedMaterial* Modify(CG_NamedMaterial& material, std::vector<std::pair<std::string, std::string>> values,
                           std::vector<std::string> presses, bool ok = true) {
    dialog.Answer({std::move(values), std::move(presses), ok});
    return Module().Modify(*doc.editor, material);
  }
  const std::vector<std::string>& Messages() const { return doc.fakes.system.messages; }

  TempDir library;
  TempDir work;
  ScopedCwd cwd;
  ModuleDocument doc;
  PictureKeepingDialog dialog;
};

}  // namespace zavo::test
