#include "editor/modules/bezier_module.h"

#include <string>

#include "editor/graphic_editor.h"
#include "editor/modules/model_list.h"
#include "editor/modules/module_steps.h"
#include "editor/modules/patch_model_commands.h"
#include "editor/modules/patch_model_storage.h"
#include "editor/modules/solid_modules.h"
#include "editor/text_routines.h"
#include "foundation/runtime_error_box.h"
#include "models/curved/bezier.h"
#include "scene/material.h"

using namespace zavo;

namespace {

constexpr const char* kCaption = "Modifing bezier";

double& Axis(Point3D& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

std::unique_ptr<CG_GraphicObject> LoadModel(CG_GraphicEditor& editor) {
  charString model, name;
  if (ChooseNewModel(editor, "bzr", model, name) == 0) return nullptr;
  CG_GraphicObjectCommData data;
  FillNewCommData(editor, name.Text(), data);
  CG_BezierDescription description;
  description.embedded = 0;
  description.modelName = model;
  description.div = 6;
  description.cache = 1;
  description.progress = &editor.scene.GetInterface();
  description.modelPath = editor.scene.FindModelFile(model.Text(), "bzr");
  if (description.modelPath.Text() == nullptr) {
    editor.Message("Internal Error in ZadBezier module");
    return nullptr;
  }
  return std::make_unique<GBezier>(data, description);
}

// One flat patch in the current view: corner o = c - q with q a quarter of
// the view's window, points S / 4 apart along the two shown axes (S = 2 q).
std::unique_ptr<CG_GraphicObject> CreatePatch(CG_GraphicEditor& editor, const char* name) {
  gcg_list none;
  if (editor.ShowDialog("Choose patch dimention", none) == 0) return nullptr;
  const Placement place = PlaceNewObject(editor, false);
  const Point3D q = (place.high - place.low) * 0.25;
  const Point3D o = place.centre - q;
  const Point3D span = q * 2.0;
  Point3D points[16];
  for (int k = 0; k < 4; ++k) {
    for (int l = 0; l < 4; ++l) {
      Point3D p = o;
      Point3D s = span;
      Axis(p, place.horizontal) += k / 4.0 * Axis(s, place.horizontal);
      Axis(p, place.vertical) += l / 4.0 * Axis(s, place.vertical);
      points[k * 4 + l] = p;
    }
  }
  const bool standard = editor.scene.GetMaterials().Find("standard") != nullptr;
  return editor.ReadObjectFromSceneText(FlatPatchText(name, points, standard), name);
}

}  // namespace

std::string zavo::FlatPatchText(const char* objectName, const Point3D (&points)[16], bool standardMaterial) {
  std::string text = "{ object\n\tname ";
  text += objectName != nullptr ? objectName : "";
  text += ";\n";
  // The reader could not find a material the scene lacks.
  if (standardMaterial) text += "\tmaterial standard;\n";
  text += "\tmodel { bezier\n\t\tmodel { bezier\n\t\t\t{ patch\n";
  for (const Point3D& p : points) {
    text += "\t\t\t";
    text += VectorToText(p).Text();
    text += "\n";
  }
  text += "\t\t\t}\n\t\t}\n\t}\n}\n.\n";
  return text;
}

std::unique_ptr<CG_GraphicObject> CG_BezierEditorModule::Create(CG_GraphicEditor& editor) {
  charString proposal;
  editor.MakeUniqueName("obj", kObjectName, proposal);
  gcg_list controls;
  controls.Append(new Edit_obj("name", proposal.Text()));
  auto* mode = new ListBox_obj("mode");
  AppendText(mode->entries, "Load model");
  AppendText(mode->entries, "Create patch");
  mode->selected = "Load model";
  controls.Append(mode);
  if (editor.ShowDialog("Choose mode", controls) == 0) return nullptr;
  if (!(mode->selected == "Create patch")) return LoadModel(editor);
  const char* name = FieldText(controls, "name");
  // A taken name would find the older object, one that is no name none.
  if (editor.CheckNewName(name, kObjectName) == 0) return nullptr;
  return CreatePatch(editor, name);
}

CG_GraphicObject* CG_BezierEditorModule::Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int) {
  auto* bezier = dynamic_cast<GBezier*>(&object);
  if (bezier == nullptr) return nullptr;
  if (editor.multiEdit == nullptr) RuntimeErrorBox("No output");
  return ModifyPatchModel(editor, *bezier, kCaption);
}

int CG_BezierEditorModule::SpecialNames(CG_GraphicEditor&, Seq<charString>& names, CG_GraphicObject&) {
  StorageNames(names);
  return 1;
}

int CG_BezierEditorModule::RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                                      const Transformation*) {
  auto* bezier = dynamic_cast<GBezier*>(object);
  if (bezier == nullptr) return 0;
  PatchModelStorage<GBezier> storage(*bezier, kCaption);
  return RunStorageCommand(editor, index, storage);
}

void CG_BezierEditorModule::Info(Seq<charString>& names) { SetInfo(names, "composite", "bezier"); }

CG_PatchModelBased* CG_BezierEditorModule::ControlPoints(CG_GraphicObject& object) {
  return dynamic_cast<GBezier*>(&object);
}
