#include "editor/modules/apply_field.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "editor/dialog_controls.h"
#include "editor/graphic_editor.h"
#include "editor/modules/field_parameters.h"
#include "editor/object_editing.h"
#include "foundation/runtime_error_box.h"
#include "models/core/patch_model_based.h"
#include "models/core/transf.h"

namespace zavo {
namespace {

// The field as the scene holds it: its scene object (the field or the
// transf around it) and the field itself.
struct FieldInScene {
  CG_GraphicObject* sceneObject = nullptr;
  CG_GraphicObject* field = nullptr;
};

bool FindField(CG_GraphicEditor& editor, const char* name, FieldInScene& out) {
  CG_GraphicObject* object = editor.scene.FindObject(name);
  if (object == nullptr) return false;
  CG_GraphicObject* inner = nullptr;
  CG_GraphicObject* wrapper = nullptr;
  editor.FindObject(object, inner, wrapper);
  if (inner == nullptr || !IsFieldModel(*inner) || inner->IsField() == 0) return false;
  out = {object, inner};
  return true;
}

// The field's parameter values set (ApplyFieldParameters), with the field
// out of the views and the scene meanwhile: its item shows the old deformed
// copy. The parameters as they are then come out.
void ChangeField(CG_GraphicEditor& editor, const FieldInScene& where, const std::vector<double>& values,
                 std::vector<FieldParameter>& parameters) {
  EditTarget target;
  target.object = where.sceneObject;
  target.inner = where.field;
  std::unique_ptr<CG_SceneEditorItem> oldItem;
  ItemSettings settings;
  TakenObject taken = TakeOut(editor, target, oldItem, settings);
  ApplyFieldParameters(*where.field, values, parameters);
  if (taken.wrapper != nullptr) {
    // The steps set again renew the wrapper's matrices and box.
    CG_TransfDescription steps;
    taken.wrapper->GetTransformList(steps);
    taken.wrapper->SetTransformList(steps);
  }
  PutBack(editor, taken, nullptr, std::move(oldItem), settings);
}

// What one opening of the dialog works on.
struct ApplyFieldContext {
  CG_GraphicEditor& editor;
  CG_SceneEditorItem* item;     // the patch model's, built again after each change
  CG_PatchModelBased& points;
  FieldInScene field;
  std::vector<Point3D> saved;   // the points as the dialog found them
  std::size_t parameters = 0;
};

// Each point for which position(saved point, new point) answers true takes
// the new point (the others stay); then the model is updated and its item
// built again. The item has been erased.
template <class Position>
void MovePoints(ApplyFieldContext& context, Position position) {
  const std::size_t count =
      std::min(context.saved.size(), static_cast<std::size_t>(std::max(context.points.ControlCount(), 0)));
  for (std::size_t i = 0; i < count; ++i) {
    Point3D p;
    if (position(context.saved[i], p)) context.points.SetControl(static_cast<int>(i), p);
  }
  context.points.UpdateModel();
  context.item = context.editor.RebuildItem(context.item);
}

void EraseModel(ApplyFieldContext& context) {
  if (context.item != nullptr) context.editor.EraseItem(context.item);
}

void ApplyFieldButton(ApplyFieldContext& context, gcg_list& controls) {
  std::vector<double> values;
  for (const gcg_obj& control : controls) {
    if (values.size() == context.parameters) break;
    const auto* slider = dynamic_cast<const ScrollBar_obj*>(&control);
    if (slider == nullptr) RuntimeErrorBox("!ScrollBar_obj");
    values.push_back(slider->value);
  }
  EraseModel(context);
  std::vector<FieldParameter> parameters;
  ChangeField(context.editor, context.field, values, parameters);
  const CG_GraphicObject& field = *context.field.sceneObject;
  MovePoints(context, [&field](const Point3D& from, Point3D& to) {
    Point3D d{0.0, 0.0, 0.0};
    if (field.FieldDisplacement(from, d) == 0) return false;
    to = from + d;
    return true;
  });
}

}  // namespace

void ApplyFieldDialog(CG_GraphicEditor& editor, CG_SceneEditorItem* item, const char* fieldName,
                      CG_PatchModelBased& points) {
  FieldInScene field;
  if (fieldName == nullptr || !FindField(editor, fieldName, field)) return;
  ApplyFieldContext context{editor, item, points, field, {}, 0};
  context.saved.resize(static_cast<std::size_t>(std::max(points.ControlCount(), 0)));
  for (std::size_t i = 0; i < context.saved.size(); ++i) points.GetControl(static_cast<int>(i), context.saved[i]);

  std::vector<FieldParameter> parameters;
  ChangeField(editor, field, {}, parameters);
  gcg_list controls;
  for (const FieldParameter& parameter : parameters) {
    controls.Append(new ScrollBar_obj(parameter.name.c_str(), parameter.from, parameter.to, parameter.value));
  }
  context.parameters = parameters.size();
  controls.Append(new Button_obj("Apply field", [&context](gcg_list& shown) { ApplyFieldButton(context, shown); }));
  if (editor.ShowDialog("Apply Field", controls) != 0) return;
  EraseModel(context);
  MovePoints(context, [](const Point3D& from, Point3D& to) {
    to = from;
    return true;
  });
}

}  // namespace zavo
