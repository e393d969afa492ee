// New material, delete material and change material (requests 13, 14, 15).
// Every material is edited through the last material module named "phong",
// whatever its own model.

#include "editor/graphic_editor.h"
#include "editor/scene_references.h"
#include "foundation/runtime_error_box.h"
#include "scene/comm_data.h"
#include "scene/material.h"

namespace {

constexpr const char* kMaterialModule = "phong";

// The module's answer to Modify must be the material it was given.
void CheckModified(const CG_NamedMaterial* answer, const CG_NamedMaterial* material) {
  if (answer != nullptr && answer != material) RuntimeErrorBox("Material modified illegaly");
}

}  // namespace

Seq<charString> CG_GraphicEditor::MaterialNames() const {
  Seq<charString> names;
  for (const CG_NamedMaterial& material : scene.GetMaterials()) {
    names.Resize(names.Count() + 1);
    names[names.Count() - 1] = material.name;
  }
  return names;
}

int CG_GraphicEditor::NewMaterial() {
  if (NotifyChange() == 0) return 0;
  CG_MaterialEditorModule* module = FindMaterialModule(kMaterialModule);
  if (module == nullptr) return 0;
  std::unique_ptr<CG_NamedMaterial> created = module->Create(*this);
  if (created == nullptr) return 0;
  CG_NamedMaterial* material = scene.GetMaterials().AddOrReplace(created.release());
  // A user who closes the dialog keeps the material as Create made it: the
  // list has changed all the same.
  CheckModified(module->Modify(*this, *material), material);
  SetModified();
  return 1;
}

int CG_GraphicEditor::ChangeMaterial() {
  if (listShower == nullptr) return 0;
  // The change goes on even while a mouse operation runs.
  NotifyChange();
  const charString chosen = ChooseFromList("Select a material to change", MaterialNames());
  if (chosen.Text() == nullptr) {
    CommandCancelled();
    return 0;
  }
  CG_NamedMaterial* material = scene.GetMaterials().Find(chosen.Text());
  if (material == nullptr) RuntimeErrorBox("mat find error");
  CG_MaterialEditorModule* module = FindMaterialModule(kMaterialModule);
  CG_NamedMaterial* answer = module != nullptr ? module->Modify(*this, *material) : nullptr;
  if (answer == nullptr) {
    CommandCancelled();
    return 0;
  }
  CheckModified(answer, material);
  SetModified();
  return 1;
}

int CG_GraphicEditor::DeleteMaterial() {
  if (NotifyChange() == 0) return 0;
  const charString chosen = ChooseFromList("Select a material to delete", MaterialNames());
  if (chosen.Text() == nullptr) {
    Message("no selection");
    SetModified();
    return 1;
  }
  if (chosen == "standard") {
    Message("Cannot delete the standard material.");
    CommandCancelled();
    return 0;
  }
  DblList<CG_NamedMaterial>& materials = scene.GetMaterials();
  CG_NamedMaterial* material = materials.Find(chosen.Text());
  if (material == nullptr) RuntimeErrorBox("mat find error");
  switch (zavo::MaterialUse(scene, material)) {
    case zavo::RecordUse::kFree:
      materials.Delete(material);
      break;
    case zavo::RecordUse::kUsed:
      Message("You cannot delete that material.\nSome objects are using it.");
      break;
    case zavo::RecordUse::kMaybeUsed:
      if (Ask("Material can be used by one or more objects.\nDelete it ?", "Warning") == 1) {
        // Objects that could not tell may still point at it: they let go, and
        // the record stays alive until the scene is cleared.
        zavo::ReleaseRecord(scene, material, nullptr);
        retiredMaterials.Append(materials.Remove(material));
      }
      break;
  }
  SetModified();
  return 1;
}
