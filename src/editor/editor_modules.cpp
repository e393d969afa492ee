#include "editor/editor_modules.h"

int CG_ObjectEditorModule::SpecialNames(CG_GraphicEditor&, Seq<charString>& names, CG_GraphicObject&) {
  names.SetSize(0);
  return 0;
}

int CG_ObjectEditorModule::RunSpecial(CG_GraphicEditor&, int, CG_GraphicObject*&, const Transformation*) {
  return 0;
}

std::unique_ptr<CG_ESelectionStatus> CG_ObjectEditorModule::NewSelectionStatus() { return nullptr; }

void CG_ObjectEditorModule::DrawSelection(CG_GraphicEditor&, CG_SceneEditorItem*, CG_GraphicObject&,
                                          CG_ESelectionStatus*, int, int, const Transformation*) {}

int CG_ObjectEditorModule::Mouse(CG_GraphicEditor&, CG_SceneEditorItem*, CG_GraphicObject&,
                                 CG_ESelectionStatus*, int, int, int, int, const Transformation*) {
  return 4;
}

int CG_ObjectEditorModule::Key(CG_GraphicEditor&, CG_SceneEditorItem*, CG_GraphicObject&,
                               CG_ESelectionStatus*, int, const Transformation*) {
  return 4;
}

std::unique_ptr<CG_MOAStatus> CG_ObjectEditorModule::NewMOAStatus(CG_GraphicEditor&) { return nullptr; }

CG_MOAStatus* CG_ObjectEditorModule::MOAAdd(CG_GraphicEditor&, CG_SceneEditorItem*, CG_GraphicObject*,
                                            CG_MOAStatus* status, const Transformation*) {
  return status;
}

int CG_ObjectEditorModule::MOAName(Seq<charString>& names) {
  names.SetSize(0);
  return 0;
}

int CG_ObjectEditorModule::MOARun(CG_MOAStatus&, int) { return 0; }

int CG_ObjectEditorModule::MayTransform() { return 1; }

void CG_ObjectEditorModule::Info(Seq<charString>& names) {
  names.SetSize(1);
  names[0] = keyword;
}

int CG_LampEditorModule::SpecialNames(CG_GraphicEditor&, Seq<charString>& names, CG_LightSource&) {
  names.SetSize(0);
  return 0;
}

int CG_LampEditorModule::RunSpecial(CG_GraphicEditor&, int, CG_LightSource*&) { return 0; }

int CG_LampEditorModule::HasShape() { return 0; }

void CG_LampEditorModule::GetShape(CG_GraphicEditor&, CG_LightSource&, Seq<Point3D>& points) {
  points.SetSize(0);
}
