// Mesh files turned into brep objects of the scene, for the importers and the
// tools that build meshes.

#include "editor/brep_mesh_objects.h"

#include <filesystem>
#include <locale>
#include <ostream>
#include <sstream>
#include <system_error>

#include "editor/graphic_editor.h"

namespace zavo {

bool WriteMeshFile(CG_GraphicEditor& editor, const std::string& file,
                   const std::function<void(std::ostream&)>& write) {
  std::error_code ignored;
  std::filesystem::remove(std::filesystem::path(file).replace_extension(".br_"), ignored);
  return editor.WriteDocumentFile(file, [&write](std::ostream& os) {
    os.imbue(std::locale::classic());
    write(os);
    return static_cast<bool>(os);
  }) != 0;
}

}  // namespace zavo

std::string CG_GraphicEditor::BRepObjectText(const char* objectName, const char* modelName) const {
  return ObjectBuilderText(objectName, "brep", std::string("name ") + modelName + ";\ninterp 0;\ncostr 1.3;\n");
}

std::string CG_GraphicEditor::FreeObjectName(const std::string& name, int limit) const {
  if (scene.FindObject(name.c_str()) == nullptr) return name;
  for (int k = 2; k <= limit; ++k) {
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
    // The mesh file was not found or did not read: the reader says why.
    Message(scene.GetErrorMessage() != nullptr ? scene.GetErrorMessage() : "Generic Error");
    return 0;
  }
  AddObjectToEditor(scene.DetachObject(object));
  SetModified();
  return 1;
}
