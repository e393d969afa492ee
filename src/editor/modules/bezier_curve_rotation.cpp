// The Bezier curve's "rotation": the curve's profile turned about z into a
// patch model file <name>.bzr and a bezier object naming it.

#include <fstream>
#include <ostream>
#include <string>

#include "editor/graphic_editor.h"
#include "editor/modules/bezier_curve_module.h"
#include "editor/modules/bezier_revolution.h"
#include "editor/modules/derived_object_name.h"
#include "editor/modules/module_steps.h"
#include "editor/modules/outline_meshes.h"
#include "foundation/path_resolver.h"
#include "models/curved/bezier.h"

using namespace zavo;

namespace {

// The curve's points as seen in the x-y plane, its y becoming the height.
std::vector<Point3D> RevolutionProfile(const CG_GraphicObject& curve, const Transformation* wrapper) {
  std::vector<Point3D> profile = ProfileOf(curve, wrapper);
  for (Point3D& p : profile) p = Point3D{p.x, 0.0, p.y};
  return profile;
}

// An existing model file is replaced only when the user says Yes: No and
// Cancel both keep it.
bool MayReplace(CG_GraphicEditor& editor, const std::string& file) {
  if (!std::ifstream(file).is_open()) return true;
  return editor.Ask("File .bzr exist.Delete it ?", "Warning") == 1;
}

}  // namespace

int CG_BezierCurveEditorModule::Rotation(CG_GraphicEditor& editor, CG_GraphicObject& curve,
                                         const Transformation* wrapper) {
  std::vector<Point3D> profile = RevolutionProfile(curve, wrapper);
  const charString proposal = ProposeDerivedName(editor, curve);
  gcg_list controls;
  controls.Append(new Edit_obj("bezier name", proposal.Text()));
  if (editor.ShowDialog("Rotation", controls) == 0) return 0;
  const char* typed = FieldText(controls, "bezier name");
  const std::string name = typed != nullptr ? typed : "";
  if (!AcceptDerivedName(editor, curve, name.c_str())) return 0;
  const std::string text = editor.ObjectBuilderText(name.c_str(), "bezier", "name " + name + ";\n");
  const std::string file = name + ".bzr";
  if (!MayReplace(editor, file)) return 0;
  if (curve.GetOpen() == 0) return 0;
  if (!profile.empty()) {
    profile.front().x = 0.0;
    profile.back().x = 0.0;
  }
  // The mesh cache of an older model of that name would show the old surface.
  RemoveMarkedCache(name, BezierModelTraits::kMarker);
  const int written = editor.WriteDocumentFile(PathFromName(file), [&profile](std::ostream& os) {
    WriteRevolutionFile(os, profile);
    return static_cast<bool>(os);
  });
  if (written == 0) return 0;
  std::unique_ptr<CG_GraphicObject> object = editor.ReadObjectFromSceneText(text, name.c_str());
  if (object == nullptr) return 0;
  editor.AddObjectToEditor(std::move(object));
  return 1;
}
