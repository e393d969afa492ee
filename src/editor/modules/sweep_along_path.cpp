// The polyline module's multi-object action "Sweep": the collected objects'
// control points swept along a chosen curve, scaled by a chosen deformation
// graph, into brep objects.

#include <algorithm>
#include <typeinfo>

#include "editor/graphic_editor.h"
#include "editor/modules/brep_objects.h"
#include "editor/modules/module_steps.h"
#include "editor/modules/object_choice.h"
#include "editor/modules/polyline_module.h"
#include "editor/modules/sweep_to_brep.h"
#include "models/curved/deform_graph.h"

using namespace zavo;

namespace {

// The scene's deformation graphs, in scene order.
std::vector<const char*> ControlNames(const CG_GraphicEditor& editor) {
  std::vector<const char*> names;
  for (const CG_GraphicObject& object : editor.scene.GetObjects()) {
    if (typeid(object) == typeid(CG_PathControl)) names.push_back(object.name.Text() ? object.name.Text() : "");
  }
  return names;
}

std::vector<Point3D> ControlPointsOf(const CG_GraphicObject& object) {
  std::vector<Point3D> points(static_cast<std::size_t>(std::max(object.ControlCount(), 0)));
  for (std::size_t i = 0; i < points.size(); ++i) object.GetControl(static_cast<int>(i), points[i]);
  return points;
}

}  // namespace

int CG_PolylineEditorModule::SweepAlongPath(CG_MOAStatus& status, int flag) {
  if (flag != 0) return 1;
  auto* collected = dynamic_cast<CG_MOAPolylineStatus*>(&status);
  CG_GraphicEditor* owner = collected != nullptr && collected->editor != nullptr ? collected->editor : currentEditor_;
  if (collected == nullptr || owner == nullptr) return 0;
  CG_GraphicEditor& editor = *owner;

  charString proposal;
  editor.MakeUniqueName("swp", kObjectName, proposal);
  gcg_list controls;
  controls.Append(new Edit_obj("brep name", proposal.Text()));
  controls.Append(EmptyChoiceList("Path", ItemObjectNames(editor, true)));
  controls.Append(EmptyChoiceList("Control", ControlNames(editor)));
  if (editor.ShowDialog("Sweep", controls) == 0) return 0;
  const char* typed = FieldText(controls, "brep name");
  const std::string name = typed != nullptr ? typed : "";
  if (editor.CheckNewName(name.c_str(), kObjectName) == 0) return 0;

  // The profiles as stored: the entries' transformations are not applied.
  std::vector<Outline> profiles;
  for (const CG_MOAPolylineStatus::Entry& entry : collected->entries) {
    if (entry.object != nullptr) profiles.push_back(ControlPointsOf(*entry.object));
  }
  const CG_GraphicObject* pathObject = ChosenObject(editor, controls, "Path");
  const std::vector<Point3D> path = pathObject != nullptr ? ControlPointsOf(*pathObject) : std::vector<Point3D>{};
  const auto* control = dynamic_cast<const CG_PathControl*>(ChosenObject(editor, controls, "Control"));

  SweepHooks hooks;
  hooks.acceptName = [&editor](const std::string& output) {
    return editor.CheckNewName(output.c_str(), kObjectName) != 0;
  };
  hooks.message = [&editor](const std::string& text) { editor.Message(text.c_str()); };
  std::vector<std::string> names;
  if (SweepToBRep(profiles, pathObject != nullptr ? &path : nullptr, control, name, names, hooks) == 0) {
    editor.Message("Some problems");
    return 0;
  }
  AddBRepObjects(editor, names);
  return 1;
}
