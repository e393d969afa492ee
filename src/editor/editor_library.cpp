// Request 81: the library directory and the camera shape read from it.

#include <filesystem>
#include <fstream>

#include "editor/graphic_editor.h"
#include "models/core/camera.h"

int CG_GraphicEditor::SetLibraryDirectory(const char* dir) {
  scene.SetLibraryDir(dir);
  auto* cameraModule = dynamic_cast<CG_CameraModule*>(FindModule(registry.modelModules, "camera"));
  if (cameraModule == nullptr) return 0;
  cameraModule->SetPrototype(nullptr);
  const std::filesystem::path file =
      std::filesystem::path(dir != nullptr ? dir : "") / "object" / "camera.qz";
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open()) return 0;
  scene.Get(in);
  if (CG_GraphicObject* shape = scene.FindObject("__camera__"); shape != nullptr) {
    cameraModule->SetPrototype(scene.DetachObject(shape));
  }
  return 0;
}
