// The polyline's "rotation" and "sweep" commands: its outline turned into a
// mesh file <name>.brp in the working directory and a brep object naming it.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <system_error>

#include "editor/graphic_editor.h"
#include "editor/modules/brep_objects.h"
#include "editor/modules/derived_object_name.h"
#include "editor/modules/module_steps.h"
#include "editor/modules/polyline_module.h"
#include "editor/number_prefix.h"

using namespace zavo;

namespace {

// An existing mesh file is replaced only when the user says Yes.
bool MayReplace(CG_GraphicEditor& editor, const std::string& file) {
  if (!std::ifstream(file).is_open()) return true;
  return editor.Ask("File .brp exist.Delete it ?", "Warning") == 1;
}

std::string FieldString(const gcg_list& controls, const char* label) {
  const char* text = FieldText(controls, label);
  return text != nullptr ? text : "";
}

// The steps both commands share once the profile is ready: the dialog with
// the brep name first and the command's own fields after it, the name check,
// the overwrite question, the cache deletion, the mesh and the new object.
// check reads the command's own fields (false ends the command); write
// writes the mesh.
int MakeOutlineBRep(CG_GraphicEditor& editor, CG_GraphicObject& polyline, const char* caption,
                    const std::vector<std::pair<const char*, const char*>>& fields,
                    const std::function<bool(const gcg_list&)>& check,
                    const std::function<void(std::ostream&)>& write) {
  const charString proposal = ProposeDerivedName(editor, polyline);
  gcg_list controls;
  controls.Append(new Edit_obj("brep name", proposal.Text()));
  for (const auto& [label, text] : fields) controls.Append(new Edit_obj(label, text));
  if (editor.ShowDialog(caption, controls) == 0) return 0;
  const std::string name = FieldString(controls, "brep name");
  if (!AcceptDerivedName(editor, polyline, name.c_str())) return 0;
  if (!check(controls)) return 0;
  const std::string file = name + ".brp";
  if (!MayReplace(editor, file)) return 0;
  if (!WriteMeshFile(editor, file, write)) return 0;
  AddBRepObjects(editor, {name});
  return 1;
}

// The profile of the polyline in the order the meshes want; false when no
// edge decides its orientation.
bool OrientedProfile(Outline& profile) {
  const int orientation = OutlineOrientation(profile);
  if (orientation == -1) return false;
  if (orientation == 0) std::reverse(profile.begin(), profile.end());
  return true;
}

}  // namespace

int CG_PolylineEditorModule::Rotation(CG_GraphicEditor& editor, CG_GraphicObject& polyline,
                                      const Transformation* wrapper) {
  Outline profile = ProfileOf(polyline, wrapper);
  MirrorOntoPositiveX(profile);
  if (!OrientedProfile(profile)) return 0;
  const bool open = polyline.GetOpen() != 0;
  if (open) {
    profile.front().x = 0.0;
    profile.back().x = 0.0;
  }
  int rings = 0;
  double ang = 0.0;
  auto check = [&](const gcg_list& controls) {
    rings = IntPrefix(FieldString(controls, "ndiv"));
    ang = RealPrefix(FieldString(controls, "ang"));
    if (rings >= 1) return true;
    editor.Message("ndiv must be at least 1.");
    return false;
  };
  return MakeOutlineBRep(editor, polyline, "Rotation", {{"ndiv", "15"}, {"ang", "360.0"}}, check,
                         [&](std::ostream& os) { WriteRevolutionMesh(os, profile, open, rings, ang); });
}

int CG_PolylineEditorModule::Sweep(CG_GraphicEditor& editor, CG_GraphicObject& polyline,
                                   const Transformation* wrapper) {
  if (polyline.GetOpen() != 0) {
    editor.Message("Sweep only on close curve.");
    return 0;
  }
  Outline profile = ProfileOf(polyline, wrapper);
  if (!OrientedProfile(profile)) return 0;
  int move = 0;
  auto check = [&](const gcg_list& controls) {
    move = IntPrefix(FieldString(controls, "move"));
    return true;
  };
  return MakeOutlineBRep(editor, polyline, "Sweep", {{"move", "1"}}, check,
                         [&](std::ostream& os) { WriteExtrusionMesh(os, profile, move); });
}
