// Request 82: the material library. Its list shows the material folder's
// entries; "preview" shows a ray-traced picture of the chosen material and
// "Insert" reads it into the open scene.

#include <fstream>
#include <string>

#include "editor/dialog_fields.h"
#include "editor/graphic_editor.h"

namespace {

constexpr const char* kPreviewError = "Error in preview";

// The chosen material of the dialog's "Material" list; empty for none.
std::string ChosenMaterial(const gcg_list& controls) {
  const auto* list = dynamic_cast<const ListBox_obj*>(FindControl(controls, "Material"));
  return list != nullptr && zavo::HasText(list->selected) ? std::string(list->selected.Text()) : std::string();
}

}  // namespace

int CG_GraphicEditor::PreviewPixels() const {
  return options.PreviewSize < 1 ? 1 : options.PreviewSize > 1024 ? 1024 : options.PreviewSize;
}

int CG_GraphicEditor::MaterialLibraryDialog() {
  libraryFolder = zavo::LibraryFolder(scene.GetLibraryDir(), "material");
  gcg_list controls;
  auto& list = zavo::AddControl<ListBox_obj>(controls, "Material");
  list.entries = zavo::LibraryEntries(libraryFolder);
  zavo::AddControl<Bitmap_obj>(controls, "bitmap").image.Create(PreviewPixels(), PreviewPixels());
  zavo::AddControl<Button_obj>(controls, "preview", [this](gcg_list& c) { PreviewMaterialAction(c); });
  zavo::AddControl<Button_obj>(controls, "Insert", [this](gcg_list& c) { InsertMaterialAction(c); });
  zavo::AddControl<Button_obj>(controls, "Delete", [](gcg_list&) {});
  zavo::AddControl<Button_obj>(controls, "Refresh All", [](gcg_list&) {});
  return ShowDialog("Editor options", controls);
}

void CG_GraphicEditor::PreviewMaterialAction(gcg_list& controls) {
  const std::string material = ChosenMaterial(controls);
  auto* bitmap = dynamic_cast<Bitmap_obj*>(FindControl(controls, "bitmap"));
  if (material.empty() || bitmap == nullptr) return;
  const std::filesystem::path cache = libraryFolder / (material + ".bmp");
  BitmapManager cached;
  if (cached.Load(cache) != 0) {
    bitmap->image = cached;
    return;
  }
  // The cache is a convenience: a library that cannot take it still shows
  // the picture.
  if (MakeMaterialPreview(bitmap->image, material.c_str()) != 0) bitmap->image.Save(cache);
}

void CG_GraphicEditor::InsertMaterialAction(gcg_list& controls) {
  const std::string material = ChosenMaterial(controls);
  if (material.empty()) return;
  std::ifstream in(libraryFolder / (material + ".qz"), std::ios::binary);
  if (!in.is_open() || scene.Get(in) == 0) {
    Message(kPreviewError);
    return;
  }
  // The new materials travel in the scene file: New must not drop them unasked.
  SetModified();
}
