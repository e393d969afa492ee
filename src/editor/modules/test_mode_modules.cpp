#include "editor/modules/test_mode_modules.h"

#include <string>

#include "editor/dialog_fields.h"
#include "editor/graphic_editor.h"
#include "editor/modules/model_list.h"
#include "editor/modules/module_steps.h"
#include "editor/modules/solid_modules.h"
#include "editor/text_routines.h"
#include "models/curved/spline.h"
#include "models/curved/vrml_node.h"

using namespace zavo;

// ---- Abstract VRML node ----

std::unique_ptr<CG_GraphicObject> CG_AbstractVRMLNodeEditorModule::Create(CG_GraphicEditor& editor) {
  charString name;
  if (AskNewName(editor, "Creating AbstractVRMLNode", "obj", kObjectName, name) == 0) return nullptr;
  CG_GraphicObjectCommData data;
  FillNewCommData(editor, name.Text(), data);
  CG_AbstractVRMLNodeDescription description;
  description.center = Point3D(0.0, 0.0, 0.0);
  description.radius = 1.0;
  description.div = 6;
  description.show = 1;
  return std::make_unique<CG_AbstractVRMLNode>(data, description);
}

CG_GraphicObject* CG_AbstractVRMLNodeEditorModule::Modify(CG_GraphicEditor&, CG_GraphicObject&, int) {
  return nullptr;
}

void CG_AbstractVRMLNodeEditorModule::Info(Seq<charString>& names) { SetInfo(names, "meta", "AbstractVRMLNode"); }

// ---- Spline surface ----

std::unique_ptr<CG_GraphicObject> CG_UCBSplineEditorModule::Create(CG_GraphicEditor& editor) {
  charString model, name;
  if (ChooseNewModel(editor, "bsp", model, name) == 0) return nullptr;
  CG_GraphicObjectCommData data;
  FillNewCommData(editor, name.Text(), data);
  CG_SplineDescription description;
  description.modelName = model;
  description.usebrep = 1;
  description.progress = &editor.scene.GetInterface();
  const charString path = editor.scene.FindModelFile(model.Text(), "bsp");
  if (path.Text() == nullptr) {
    editor.Message("Internal Error in ZadSpline module");
    return nullptr;
  }
  description.modelPath = path;
  return std::make_unique<GSpline>(data, description);
}

CG_GraphicObject* CG_UCBSplineEditorModule::Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int) {
  auto* spline = dynamic_cast<GSpline*>(&object);
  if (spline == nullptr) return nullptr;
  CG_SplineDescription description;
  spline->GetDescription(description);
  Seq<charString> labels, texts;
  AppendText(labels, "usebrep");
  AppendText(texts, std::to_string(description.usebrep).c_str());
  if (editor.EditTexts("Modifing ucbspline", labels, texts) == 0) return nullptr;
  description.usebrep = TextToInt(texts[0]);
  description.progress = &editor.scene.GetInterface();
  spline->SetDescription(description);
  return spline;
}

void CG_UCBSplineEditorModule::Info(Seq<charString>& names) {
  names.SetSize(1);
  names[0] = "ucbspline";
}
