#include "editor/modules/camera_module.h"

#include "editor/graphic_editor.h"
#include "editor/modules/module_steps.h"
#include "editor/view_general.h"
#include "models/core/camera.h"

using namespace zavo;

namespace {

constexpr const char* kImageSizeText = "dimx and dimy must be at least 1.";

int RunGeneral(CG_GraphicEditor& editor, CG_GraphicObject& camera, CG_ViewReference& view) {
  ViewGeneral values = ViewGeneralOf(view, editor.scene.GetDimX(), editor.scene.GetDimY());
  if (AskViewGeneral(editor, values) == 0) return 0;
  // A size of no pixels would give the window no finite width.
  if (values.dimx < 1 || values.dimy < 1) {
    editor.Message(kImageSizeText);
    return 0;
  }
  editor.scene.SetDimX(values.dimx);
  editor.scene.SetDimY(values.dimy);
  ApplyViewGeneral(values, view);
  camera.SetView(view);
  editor.RedrawAll();
  return 1;
}

}  // namespace

std::unique_ptr<CG_GraphicObject> CG_CameraEditorModule::Create(CG_GraphicEditor& editor) {
  charString name;
  if (AskNewName(editor, "Creating camera", "obj", kObjectName, name) == 0) return nullptr;
  CG_GraphicObjectCommData data;
  FillNewCommData(editor, name.Text(), data);
  CG_CameraDescription description;
  description.progress = &editor.scene.GetInterface();
  description.module = dynamic_cast<CG_CameraModule*>(FindModule(editor.registry.modelModules, "camera"));
  return std::make_unique<CG_Camera>(data, description);
}

CG_GraphicObject* CG_CameraEditorModule::Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int) {
  auto* camera = dynamic_cast<CG_Camera*>(&object);
  if (camera == nullptr) return nullptr;
  CG_CameraDescription description;
  camera->GetDescription(description);
  gcg_list controls;
  AddRealField(controls, "size", description.size);
  if (editor.ShowDialog("Modifing camera", controls) == 0) return nullptr;
  description.size = RealField(controls, "size");
  camera->SetDescription(description);
  return camera;
}

int CG_CameraEditorModule::SpecialNames(CG_GraphicEditor&, Seq<charString>& names, CG_GraphicObject&) {
  names.SetSize(2);
  names[0] = "Set";
  names[1] = "General";
  return 1;
}

int CG_CameraEditorModule::RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                                      const Transformation*) {
  CG_ViewReference view;
  if (object == nullptr || object->GetView(view) == 0) return 0;
  switch (index) {
    case 0:
      editor.SetCameraInUse(object);
      editor.RedrawAll();
      return 1;
    case 1:
      return RunGeneral(editor, *object, view);
    default:
      return 0;
  }
}

std::unique_ptr<CG_ESelectionStatus> CG_CameraEditorModule::NewSelectionStatus() {
  return std::make_unique<CG_ECameraSelectionStatus>();
}
