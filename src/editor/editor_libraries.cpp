// Requests 83 and 85: the libraries of render parameters and of fields, scene
// fragments merged into the open scene.

#include <string>

#include "editor/dialog_fields.h"
#include "editor/graphic_editor.h"

int CG_GraphicEditor::LibraryFragmentDialog(const char* library, const char* title, const char* label) {
  libraryFolder = zavo::LibraryFolder(scene.GetLibraryDir(), library);
  gcg_list controls;
  auto& list = zavo::AddControl<ListBox_obj>(controls, label);
  list.entries = zavo::LibraryEntries(libraryFolder);
  if (ShowDialog(title, controls) == 0) return 0;
  if (zavo::HasText(list.selected)) {
    MergeScene((libraryFolder / (std::string(list.selected.Text()) + ".qz")).string().c_str());
  }
  return 1;
}

int CG_GraphicEditor::ParamLibraryDialog() { return LibraryFragmentDialog("param", "Library param", "Param"); }

int CG_GraphicEditor::FieldLibraryDialog() { return LibraryFragmentDialog("field", "Library field", "Field"); }
