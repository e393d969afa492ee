#pragma once
// A document with the real modules and a second camera "cam2" (the default
// settings) beside the document's own camera "camera", which stays in use.

#include <memory>

#include "editor/modules/camera_module.h"
#include "models/core/camera.h"
#include "module_fixture.h"

namespace zavo::test {

class CameraDocument : public ModuleDocument {
public:
  explicit CameraDocument(const CG_ViewReference* view = nullptr) {
    CG_GraphicObjectCommData data;
    data.name = "cam2";
    CG_CameraDescription description;
    if (view != nullptr) description.vrc = *view;
    auto made = std::make_unique<CG_Camera>(data, description);
    cam2 = made.get();
    editor->AddObjectToEditor(std::move(made));
  }

  CG_ViewReference ViewOf(const CG_GraphicObject& camera) const {
    CG_ViewReference view;
    camera.GetView(view);
    return view;
  }
  CG_ObjectEditorModule& Module() { return Object("camera"); }

  CG_Camera* cam2 = nullptr;
};

}  // namespace zavo::test
