#include "editor/modules/phong_material_module.h"

#include <cstring>
#include <locale>
#include <ostream>
#include <string>
#include <system_error>

#include "editor/dialog_fields.h"
#include "editor/graphic_editor.h"
#include "editor/modules/module_steps.h"
#include "editor/preview_scene.h"
#include "foundation/atomic_file.h"
#include "foundation/number_text.h"
#include "scene/material.h"

using namespace zavo;

namespace {

namespace fs = std::filesystem;

constexpr const char* kPreviewError = "Error in preview";
// The library's template of "Put in library" and the preview's output name.
constexpr const char* kTemplateScene = "preview";
constexpr const char* kPreviewOutput = "__zavo__";

bool BeginsWith(const charString& label, const char* prefix) {
  return label.Text() != nullptr && std::strncmp(label.Text(), prefix, std::strlen(prefix)) == 0;
}

// The edit field's number when it gives a text; otherwise the value stays.
void TakeReal(const gcg_list& items, const char* label, double& value) {
  if (const char* text = FieldText(items, label)) value = TextToReal(text);
}

void TakeColour(const gcg_obj* item, Point3D& colour) {
  if (const auto* picked = dynamic_cast<const Color_obj*>(item)) colour = Point3D{picked->r, picked->g, picked->b};
}

void AddColour(gcg_list& items, const char* label, const Point3D& colour) {
  AddControl<Color_obj>(items, label, colour.x, colour.y, colour.z);
}

// What the preview and the library take from the dialog: the fields and
// colours of the dialog's own level (the "Advanced" group stays out).
void PutDialogValues(const gcg_list& items, CG_MaterialPhong& material) {
  material.Ks = FindEditReal(items, "Ks");
  material.Kt = FindEditReal(items, "Kt");
  material.ni = FindEditReal(items, "ni");
  material.Ka = FindEditReal(items, "Ka");
  material.Kd = FindEditReal(items, "Kd");
  material.n = SaturateToInt(FindEditReal(items, "n "));
  TakeColour(FindDialogItem(items, "Od"), material.Od);
  TakeColour(FindDialogItem(items, "Os"), material.Os);
}

}  // namespace

namespace zavo {

double FindEditReal(const gcg_list& items, const char* prefix) {
  for (const gcg_obj& item : items) {
    const auto* edit = dynamic_cast<const Edit_obj*>(&item);
    if (edit != nullptr && BeginsWith(item.label, prefix)) return TextToReal(edit->text);
  }
  return 0.0;
}

gcg_obj* FindDialogItem(const gcg_list& items, const char* prefix) {
  for (gcg_obj& item : items) {
    if (BeginsWith(item.label, prefix)) return &item;
  }
  return nullptr;
}

}  // namespace zavo

std::unique_ptr<CG_NamedMaterial> CG_PhongMaterialEditorModule::Create(CG_GraphicEditor& editor) {
  Seq<charString> labels(1);
  labels[0] = "name";
  Seq<charString> texts(1);
  texts[0] = "";
  if (editor.EditTexts("Creating phong", labels, texts) == 0) return nullptr;
  if (!HasText(texts[0])) {
    editor.Message("I need the material name");
    return nullptr;
  }
  if (editor.CheckName(texts[0].Text()) == 0) return nullptr;
  return std::make_unique<CG_NamedMaterial>(texts[0].Text(), new CG_MaterialPhong());
}

CG_NamedMaterial* CG_PhongMaterialEditorModule::Modify(CG_GraphicEditor& editor, CG_NamedMaterial& material) {
  auto* phong = dynamic_cast<CG_MaterialPhong*>(material.model);
  if (phong == nullptr) return nullptr;
  gcg_list items;
  const int side = editor.PreviewPixels();
  AddControl<Bitmap_obj>(items, "bitmap").image.Create(side, side);
  AddControl<Button_obj>(items, "preview", [this](gcg_list& shown) { Preview(shown); });
  AddControl<Edit_obj>(items, "name", material.name.Text());
  AddRealField(items, "Ks (specular-reflection coefficient)", phong->Ks);
  AddRealField(items, "Kt (transmission coefficient)", phong->Kt);
  AddRealField(items, "ni (index of refraction)", phong->ni);
  AddRealField(items, "Ka (ambient-reflection coefficient)", phong->Ka);
  AddRealField(items, "Kd (diffusive-reflection)", phong->Kd);
  AddIntField(items, "n (specular-reflection exponent)", phong->n);
  AddColour(items, "Od (diffuse color)", phong->Od);
  AddColour(items, "Os (specular color)", phong->Os);
  gcg_list& advanced = AddControl<LogicalSet_obj>(items, "Advanced").children;
  auto& shadows = AddControl<Check_obj>(advanced, "Shadows", phong->shadows != 0 ? 1 : 0);
  auto& doubleside = AddControl<Check_obj>(advanced, "doubleside", phong->doubleside != 0 ? 1 : 0);
  auto& kh = AddControl<ScrollBar_obj>(advanced, "Kh", 0.0, 1.0, phong->Kh);
  AddRealField(advanced, "anglet", phong->anglet);
  AddRealField(advanced, "angles", phong->angles);
  AddControl<Button_obj>(advanced, "Put in library", [this](gcg_list& group) { PutInLibrary(group); });

  editor_ = &editor;
  materialName_ = material.name;
  items_ = &items;
  const int confirmed = editor.ShowDialog("Modifing Phong material", items);
  items_ = nullptr;  // the list dies with this call
  if (confirmed == 0) return nullptr;

  TakeReal(items, "Ks (specular-reflection coefficient)", phong->Ks);
  TakeReal(items, "Kt (transmission coefficient)", phong->Kt);
  TakeReal(items, "ni (index of refraction)", phong->ni);
  TakeReal(items, "Ka (ambient-reflection coefficient)", phong->Ka);
  TakeReal(items, "Kd (diffusive-reflection)", phong->Kd);
  if (const char* text = FieldText(items, "n (specular-reflection exponent)")) phong->n = SaturateToInt(TextToReal(text));
  TakeColour(FindControl(items, "Od (diffuse color)"), phong->Od);
  TakeColour(FindControl(items, "Os (specular color)"), phong->Os);
  phong->shadows = shadows.state != 0 ? 1 : 0;
  phong->doubleside = doubleside.state != 0 ? 1 : 0;
  if (kh.value != 0.0) phong->Kh = kh.value;
  TakeReal(advanced, "anglet", phong->anglet);
  TakeReal(advanced, "angles", phong->angles);
  return &material;
}

void CG_PhongMaterialEditorModule::WithPreviewMaterial(
    const char* sceneName, const gcg_list& items,
    const std::function<void(PreviewScene&, CG_MaterialPhong&)>& action) {
  if (editor_ == nullptr) return;
  CG_GraphicEditor& editor = *editor_;
  bool shown = false;
  try {
    PreviewScene preview(editor.scene);
    const WorkingDirectoryGuard inPreviewFolder(preview.Folder());
    CG_MaterialPhong* material = nullptr;
    if (inPreviewFolder.Changed() && preview.Read(preview.Folder() / (std::string(sceneName) + ".qz")) != 0) {
      material = preview.PreviewMaterial();
    }
    if (material != nullptr) {
      PutDialogValues(items, *material);
      action(preview, *material);
      shown = true;
    }
  } catch (...) {
    shown = false;
  }
  if (!shown) editor.Message(kPreviewError);
}

void CG_PhongMaterialEditorModule::Preview(gcg_list& items) {
  if (editor_ == nullptr) return;
  const char* type = editor_->options.PreviewType.Text();
  const int side = editor_->PreviewPixels();
  WithPreviewMaterial(type != nullptr ? type : "", items, [&](PreviewScene& preview, CG_MaterialPhong&) {
    if (auto* picture = dynamic_cast<Bitmap_obj*>(FindDialogItem(items, "bitmap"))) {
      preview.Render(kPreviewOutput, side, picture->image);
    }
  });
}

void CG_PhongMaterialEditorModule::PutInLibrary(gcg_list&) {
  if (editor_ == nullptr || items_ == nullptr) return;
  CG_GraphicEditor& editor = *editor_;
  const std::string name = materialName_.Text() != nullptr ? materialName_.Text() : "";
  WithPreviewMaterial(kTemplateScene, *items_, [&](PreviewScene& preview, CG_MaterialPhong& material) {
    const fs::path folder = preview.Library() / "material";
    const fs::path file = folder / (name + ".qz");
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    const CG_NamedMaterial entry(name.c_str(), new CG_MaterialPhong(material));
    const bool written = WriteFileAtomically(file, [&](std::ostream& os) {
      os.imbue(std::locale::classic());
      entry.Write(os);
      os << "\n.\n";
      return true;
    });
    if (!written) editor.Message(("Cannot write " + file.string()).c_str());
  });
}
