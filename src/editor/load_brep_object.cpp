// A mesh file turned into a brep object of the scene, for the importers.

#include <sstream>

#include "editor/graphic_editor.h"

std::string CG_GraphicEditor::BRepObjectText(const char* objectName, const char* modelName) {
  return std::string("{object\nname ") + objectName + ";\nmaterial standard;\nmodel { brep\nname " + modelName +
         ";\ninterp 0;\ncostr 1.3;\n}\n}\n.";
}

std::string CG_GraphicEditor::FreeObjectName(const std::string& name) const {
  if (scene.FindObject(name.c_str()) == nullptr) return name;
  for (int k = 2; k <= 999999; ++k) {
    const std::string candidate = name + "_" + std::to_string(k);
    if (scene.FindObject(candidate.c_str()) == nullptr) return candidate;
  }
  return "";
}

int CG_GraphicEditor::LoadBRepObject(const char* modelName) {
  const std::string model = modelName != nullptr ? modelName : "";
  const std::string objectName = FreeObjectName(model);
  if (objectName.empty()) return 0;
  std::istringstream text(BRepObjectText(objectName.c_str(), model.c_str()));
  scene.Get(text);
  CG_GraphicObject* object = scene.FindObject(objectName.c_str());
  if (object == nullptr) {
    // The mesh file was not found or did not read: say why.
    Message(scene.GetErrorMessage() != nullptr ? scene.GetErrorMessage() : "Generic Error");
    return 0;
  }
  AddObjectToEditor(scene.DetachObject(object));
  SetModified();
  return 1;
}
