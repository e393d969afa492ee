#include "editor/modules/bezier_curve_module.h"

#include "editor/graphic_editor.h"
#include "editor/modules/four_point_curve.h"
#include "editor/modules/module_steps.h"
#include "editor/modules/solid_modules.h"
#include "models/curved/bezier_curve.h"

using namespace zavo;

std::unique_ptr<CG_GraphicObject> CG_BezierCurveEditorModule::Create(CG_GraphicEditor& editor) {
  charString name;
  if (AskNewName(editor, "Creating beziercurve", "obj", kObjectName, name) == 0) return nullptr;
  CG_GraphicObjectCommData data;
  FillNewCommData(editor, name.Text(), data);
  const Placement place = PlaceNewObject(editor, false);
  CG_BezierCurveDescription description;
  FourPointsAlongX(place.centre, place.size, description.controls);
  description.tags.SetSize(4);
  for (std::uint32_t i = 0; i < 4; ++i) description.tags[i] = 1;
  description.div = 5;
  description.open = 1;
  return std::make_unique<CG_BezierCurve>(data, description);
}

CG_GraphicObject* CG_BezierCurveEditorModule::Modify(CG_GraphicEditor&, CG_GraphicObject&, int) { return nullptr; }

int CG_BezierCurveEditorModule::SpecialNames(CG_GraphicEditor&, Seq<charString>& names, CG_GraphicObject&) {
  names.SetSize(1);
  names[0] = "rotation";
  return 1;
}

int CG_BezierCurveEditorModule::RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                                           const Transformation* wrapper) {
  currentEditor_ = &editor;
  if (index != 0 || object == nullptr) return 0;
  return Rotation(editor, *object, wrapper);
}

void CG_BezierCurveEditorModule::Info(Seq<charString>& names) { SetInfo(names, "curve", "beziercurve"); }

int CG_BezierCurveEditorModule::MinControlCount(CG_GraphicObject&) { return 4; }
