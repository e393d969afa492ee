#include "editor/modules/nurbs_mesh_module.h"

#include "editor/modules/model_storage.h"
#include "editor/modules/patch_model_commands.h"
#include "editor/modules/patch_model_storage.h"
#include "editor/modules/solid_modules.h"
#include "models/curved/nurbs_mesh.h"

using namespace zavo;

namespace {

constexpr const char* kCaption = "Modifing NURBSmesh";

}  // namespace

std::unique_ptr<CG_GraphicObject> CG_NURBSMeshEditorModule::Create(CG_GraphicEditor& editor) {
  return LoadPatchModel<CG_NURBSMesh>(editor, "Internal Error in ZadNRNSM module");
}

CG_GraphicObject* CG_NURBSMeshEditorModule::Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int) {
  auto* mesh = dynamic_cast<CG_NURBSMesh*>(&object);
  return mesh != nullptr ? ModifyPatchModel(editor, *mesh, kCaption) : nullptr;
}

int CG_NURBSMeshEditorModule::SpecialNames(CG_GraphicEditor&, Seq<charString>& names, CG_GraphicObject&) {
  StorageNames(names);
  return 1;
}

int CG_NURBSMeshEditorModule::RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                                         const Transformation*) {
  auto* mesh = dynamic_cast<CG_NURBSMesh*>(object);
  if (mesh == nullptr) return 0;
  PatchModelStorage<CG_NURBSMesh> storage(*mesh, kCaption);
  return RunStorageCommand(editor, index, storage);
}

void CG_NURBSMeshEditorModule::Info(Seq<charString>& names) { SetInfo(names, "composite", "NURBSmesh"); }

CG_PatchModelBased* CG_NURBSMeshEditorModule::ControlPoints(CG_GraphicObject& object) {
  return dynamic_cast<CG_NURBSMesh*>(&object);
}
