#include "editor/modules/box_module.h"

#include "editor/graphic_editor.h"
#include "editor/modules/module_steps.h"
#include "editor/modules/solid_modules.h"
#include "models/core/box.h"

using namespace zavo;

namespace {

// The dialog's fields and the bounds they edit, in dialog order.
struct BoundField {
  const char* label;
  double CG_BoxDescription::*bound;
};

constexpr BoundField kBounds[] = {
    {"Xmin", &CG_BoxDescription::xmin}, {"Xmax", &CG_BoxDescription::xmax}, {"Ymin", &CG_BoxDescription::ymin},
    {"Ymax", &CG_BoxDescription::ymax}, {"Zmin", &CG_BoxDescription::zmin}, {"Zmax", &CG_BoxDescription::zmax},
};

}  // namespace

std::unique_ptr<CG_GraphicObject> CG_BoxEditorModule::Create(CG_GraphicEditor& editor) {
  charString name;
  if (AskNewName(editor, "Creating box", "obj", kObjectName, name) == 0) return nullptr;
  CG_GraphicObjectCommData data;
  FillNewCommData(editor, name.Text(), data);
  const Placement place = PlaceNewObject(editor, true);
  const Point3D& c = place.centre;
  const double s = place.size;
  CG_BoxDescription bounds;
  bounds.xmin = c.x - s;
  bounds.xmax = c.x + s;
  bounds.ymin = c.y - s;
  bounds.ymax = c.y + s;
  bounds.zmin = c.z - s;
  bounds.zmax = c.z + s;
  return std::make_unique<GBox>(data, bounds);
}

CG_GraphicObject* CG_BoxEditorModule::Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int) {
  auto* box = dynamic_cast<GBox*>(&object);
  if (box == nullptr) return nullptr;
  CG_BoxDescription bounds;
  box->GetDescription(bounds);
  gcg_list controls;
  for (const BoundField& field : kBounds) AddRealField(controls, field.label, bounds.*field.bound);
  if (editor.ShowDialog("Modifing box", controls) == 0) return nullptr;
  for (const BoundField& field : kBounds) bounds.*field.bound = RealField(controls, field.label);
  box->SetDescription(bounds);
  return box;
}

void CG_BoxEditorModule::Info(Seq<charString>& names) { SetInfo(names, "primitive", "box"); }
