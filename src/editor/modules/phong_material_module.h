#pragma once

// The editor module of the Phong material ("phong"): a new material is named
// in a one-field dialog; "Modifing Phong material" edits the coefficients and
// colours, and while it is open renders a preview of the values in a private
// scene of the library folder "mpreview" ("preview") and writes them as a
// material file of the library folder "material" ("Put in library").

#include <functional>
#include <memory>

#include "editor/dialog_controls.h"
#include "editor/editor_modules.h"
#include "foundation/char_string.h"

class CG_MaterialPhong;

namespace zavo {

class PreviewScene;

// The first control of the list itself (not looking into groups) whose label
// begins with the prefix and that is an edit field, its text read as a
// number (0 for a text that is none); 0 when there is no such field.
double FindEditReal(const gcg_list& items, const char* prefix);
// The first control of the list itself whose label begins with the prefix,
// of any kind; null when none.
gcg_obj* FindDialogItem(const gcg_list& items, const char* prefix);

}  // namespace zavo

class CG_PhongMaterialEditorModule : public CG_MaterialEditorModule {
public:
  // "Creating phong" with an empty "name": a named material holding a new
  // Phong material. Null on Cancel, after "I need the material name" for an
  // empty name, or after CheckName's message for a name that is no
  // identifier (the saved scene could not read it back). The name of an
  // existing material is accepted: the editor then replaces its model.
  std::unique_ptr<CG_NamedMaterial> Create(CG_GraphicEditor& editor) override;
  // "Modifing Phong material" for a material of the Phong model: on OK the
  // coefficients, n (truncated), the colours, "Shadows" and "doubleside"
  // are taken, Kh only when the slider is not at 0; the "name" field does
  // not rename. The material; null on Cancel (nothing changed) or for a
  // material of another model.
  CG_NamedMaterial* Modify(CG_GraphicEditor& editor, CG_NamedMaterial& material) override;

  // The "preview" button, given the dialog's items: the preview scene
  // mpreview/<Type>.qz of the library takes the dialog's Ks, Kt, ni, Ka, Kd,
  // n, Od and Os into its material "preview" and is rendered Size square as
  // "__zavo__" in that folder; the image goes into the "bitmap" picture (a
  // render that writes no image leaves the picture). "Error in preview" when
  // the scene does not load or has no Phong material "preview".
  void Preview(gcg_list& items);
  // The "Put in library" button (its group's items are not used): the same
  // values put into the material "preview" of mpreview/preview.qz are
  // written as the material being modified, material/<name>.qz of the
  // library, through a temporary file ("Cannot write <file>" on failure).
  void PutInLibrary(gcg_list& groupItems);

private:
  // Reads the scene file of the preview folder into the preview scene,
  // with that folder as working directory (restored however the action
  // ends), puts the dialog's values into its material "preview" and runs the
  // action on both. "Error in preview" when the scene does not load, has no
  // Phong material "preview" or the folder cannot be entered.
  void WithPreviewMaterial(const char* sceneName, const gcg_list& items,
                           const std::function<void(zavo::PreviewScene&, CG_MaterialPhong&)>& action);

  // Set by Modify for the buttons of its dialog.
  CG_GraphicEditor* editor_ = nullptr;
  charString materialName_;
  gcg_list* items_ = nullptr;
};
