// The render of request 4 (and of each animation frame): only the objects of
// the active layer are in the scene while it renders. While the render runs
// the window layer may still send requests; those that could change the scene
// wait in a queue and are served, in order, once the render has ended.

#include <exception>
#include <memory>
#include <system_error>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor/layers.h"

namespace {

// Requests that neither change the scene nor the views' content: served at once.
bool ServedWhileRendering(int code) {
  switch (code) {
    case 3:
    case 36:
    case 50:
    case 74:
    case 76:
    case 84: return true;
    default: return false;
  }
}

}  // namespace

int CG_GraphicEditor::Command(EDCommand& command) {
  if (rendering != 0 && !ServedWhileRendering(command.code)) {
    requestQueue_.push_back({command.code, command.text != nullptr ? command.text : "", command.text != nullptr,
                             command.value});
    return 0;
  }
  return Dispatch(command);
}

void CG_GraphicEditor::ServeQueuedRequests() {
  while (rendering == 0 && !requestQueue_.empty()) {
    QueuedRequest request = std::move(requestQueue_.front());
    requestQueue_.erase(requestQueue_.begin());
    EDCommand command;
    command.code = request.code;
    command.text = request.hasText ? request.text.c_str() : nullptr;
    command.value = request.value;
    Command(command);
  }
  RunQueuedGoals();
}

int CG_GraphicEditor::RenderActiveLayer() {
  if (named == 1) {
    std::error_code ignored;
    std::filesystem::remove(DocumentFile(".qz_"), ignored);
  }
  CG_GraphicObject* const camera = scene.GetCurrentCamera();
  std::vector<std::unique_ptr<CG_GraphicObject>> detached;
  if (activeLayer != nullptr) {
    std::vector<CG_GraphicObject*> outside;
    for (CG_GraphicObject& object : scene.GetObjects()) {
      bool shown = false;
      for (const LayerItem& entry : activeLayer->items) {
        if (entry.item != nullptr && entry.item->object == &object) {
          shown = true;
          break;
        }
      }
      if (!shown) outside.push_back(&object);
    }
    // The render still looks through the camera in use when the layer lacks it.
    if (camera != nullptr) camera->GetView(scene.GetViewReference());
    for (CG_GraphicObject* object : outside) detached.push_back(scene.DetachObject(object));
  }
  // Every object goes back, whatever the render did, and the camera in use
  // stays the one it was. A render inside a longer one (a frame of an
  // animation export) leaves the queue held.
  const int outer = rendering;
  auto restore = [&] {
    for (std::unique_ptr<CG_GraphicObject>& object : detached) scene.AddObject(std::move(object));
    detached.clear();
    scene.SetCurrentCamera(camera);
    rendering = outer;
  };
  rendering = 1;
  try {
    scene.Render();
  } catch (...) {
    restore();
    ServeQueuedRequests();
    throw;
  }
  restore();
  ServeQueuedRequests();
  return 1;
}
