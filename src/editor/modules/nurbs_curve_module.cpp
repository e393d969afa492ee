#include "editor/modules/nurbs_curve_module.h"

#include <string>

#include "editor/graphic_editor.h"
#include "editor/modules/four_point_curve.h"
#include "editor/modules/module_steps.h"
#include "editor/modules/solid_modules.h"
#include "editor/number_prefix.h"
#include "editor/text_routines.h"
#include "models/curved/nurbs_curve.h"

using namespace zavo;

namespace {

Edit_obj* EditField(gcg_list& controls, const char* label) {
  return dynamic_cast<Edit_obj*>(FindControl(controls, label));
}

std::string TextOf(const charString& text) { return text.Text() != nullptr ? text.Text() : ""; }

// The knot chosen in "Knots", or null when its index is not below the
// current knot count (the entries are not renewed when the order changes).
double* ChosenKnot(gcg_list& controls, CG_NURBSCurveDescription& description) {
  auto* knots = dynamic_cast<ListBox_obj*>(FindControl(controls, "Knots"));
  if (knots == nullptr) return nullptr;
  const int index = IntPrefix(TextOf(knots->selected));
  if (index < 0 || static_cast<std::uint32_t>(index) >= description.knots.Count()) return nullptr;
  return &description.knots[static_cast<std::uint32_t>(index)];
}

// The controls of "Modify NURBScurve"; the buttons work on description,
// which outlives the dialog.
void KnotDialog(CG_GraphicEditor& editor, CG_NURBSCurveDescription& description, gcg_list& controls) {
  auto* knots = new ListBox_obj("Knots");
  for (std::uint32_t i = 0; i < description.knots.Count(); ++i) {
    AppendText(knots->entries, IntToText(static_cast<int>(i)).Text());
  }
  knots->selected = "0";
  controls.Append(knots);
  controls.Append(new Button_obj("update knots", [&description](gcg_list& all) {
    const double* knot = ChosenKnot(all, description);
    Edit_obj* value = EditField(all, "vknots");
    if (knot != nullptr && value != nullptr) RealToString(value->text, *knot);
  }));
  controls.Append(new Button_obj("change knots", [&description](gcg_list& all) {
    double* knot = ChosenKnot(all, description);
    const Edit_obj* value = EditField(all, "vknots");
    if (knot != nullptr && value != nullptr) *knot = IntPrefix(TextOf(value->text));
  }));
  controls.Append(new Edit_obj("vknots", ""));
  controls.Append(new Edit_obj("order", IntToText(description.order).Text()));
  controls.Append(new Button_obj("change order", [&editor, &description](gcg_list& all) {
    const Edit_obj* order = EditField(all, "order");
    if (order == nullptr) return;
    if (!ChangeNURBSOrder(description, IntPrefix(TextOf(order->text)))) {
      editor.Message(("The order must lie between 1 and " + std::to_string(kMaxNURBSOrder) + ".").c_str());
    }
  }));
}

}  // namespace

bool zavo::ChangeNURBSOrder(CG_NURBSCurveDescription& description, int order) {
  if (order < 1 || order > kMaxNURBSOrder) return false;
  const int old = description.order;
  if (order == old) return true;
  const std::uint32_t n = description.controls.Count();
  const std::uint32_t oldCount = description.knots.Count();
  description.knots.Resize(n + static_cast<std::uint32_t>(order));
  if (order > old && oldCount > 0) {
    const double last = description.knots[oldCount - 1];
    for (std::uint32_t i = oldCount; i < description.knots.Count(); ++i) {
      description.knots[i] = last + (i - oldCount + 1);
    }
  }
  description.order = order;
  return true;
}

std::unique_ptr<CG_GraphicObject> CG_NURBSCurveEditorModule::Create(CG_GraphicEditor& editor) {
  charString name;
  if (AskNewName(editor, "Creating NURBScurve", "obj", kObjectName, name) == 0) return nullptr;
  CG_GraphicObjectCommData data;
  FillNewCommData(editor, name.Text(), data);
  const Placement place = PlaceNewObject(editor, true);
  CG_NURBSCurveDescription description;
  FourPointsAlongX(place.centre, place.size, description.controls);
  description.weights.SetSize(4);
  for (std::uint32_t i = 0; i < 4; ++i) description.weights[i] = 1.0;
  description.order = 4;
  description.knots.SetSize(8);
  for (std::uint32_t i = 0; i < 8; ++i) description.knots[i] = i;
  description.div = 5;
  description.open = 1;
  return std::make_unique<CG_NURBSCurve>(data, description);
}

CG_GraphicObject* CG_NURBSCurveEditorModule::Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int) {
  auto* curve = dynamic_cast<CG_NURBSCurve*>(&object);
  if (curve == nullptr) return nullptr;
  CG_NURBSCurveDescription description;
  curve->GetDescription(description);
  gcg_list controls;
  KnotDialog(editor, description, controls);
  // The buttons' changes count whichever way the dialog closes.
  static_cast<void>(editor.ShowDialog("Modify NURBScurve", controls));
  curve->SetDescription(description);
  return curve;
}

void CG_NURBSCurveEditorModule::Info(Seq<charString>& names) { SetInfo(names, "curve", "NURBScurve"); }

int CG_NURBSCurveEditorModule::MinControlCount(CG_GraphicObject& object) {
  const auto* curve = dynamic_cast<const CG_NURBSCurve*>(&object);
  if (curve == nullptr) return 4;
  CG_NURBSCurveDescription description;
  curve->GetDescription(description);
  return description.order;
}

void CG_NURBSCurveEditorModule::EditControl(CG_GraphicEditor& editor, CG_GraphicObject& object, int index) {
  auto* curve = dynamic_cast<CG_NURBSCurve*>(&object);
  if (curve == nullptr || index < 0 || index >= curve->ControlCount()) return;
  CG_NURBSCurveDescription description;
  curve->GetDescription(description);
  gcg_list controls;
  AddRealField(controls, "weight", description.weights[static_cast<std::uint32_t>(index)]);
  if (editor.ShowDialog("NURBS Control edit", controls) == 0) return;
  curve->GetDescription(description);
  description.weights[static_cast<std::uint32_t>(index)] = RealField(controls, "weight");
  curve->SetDescription(description);
}
