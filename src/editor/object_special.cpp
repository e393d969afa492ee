// Request 39: the special commands of an object's editor module, and the end
// of one that goes on interactively (ReplaceEditedObject).

#include <memory>
#include <string>

#include "editor/graphic_editor.h"
#include "editor/layers.h"
#include "editor/object_editing.h"
#include "foundation/runtime_error_box.h"
#include "models/core/transf.h"

namespace {

// Where the item is in each layer: the layer's name and the entry's position.
std::vector<std::pair<std::string, long>> LayerPlaces(DblList<Layer>& layers, const CG_SceneEditorItem* item) {
  std::vector<std::pair<std::string, long>> places;
  for (Layer& layer : layers) {
    long position = 0;
    for (LayerItem& entry : layer.items) {
      if (entry.item == item) {
        places.emplace_back(layer.name.Text() != nullptr ? layer.name.Text() : "", position);
        break;
      }
      ++position;
    }
  }
  return places;
}

// The item enters the layers that still exist at the positions kept.
void EnterLayers(CG_GraphicEditor& editor, const std::vector<std::pair<std::string, long>>& places,
                 CG_SceneEditorItem* item) {
  if (item == nullptr) return;
  for (const auto& [layerName, position] : places) {
    Layer* layer = editor.FindLayer(layerName.c_str());
    if (layer == nullptr) continue;
    LayerItem* before = nullptr;
    for (long i = 0; i < position; ++i) {
      LayerItem* next = before == nullptr ? layer->items.First() : DblList<LayerItem>::Next(before);
      if (next == nullptr) break;
      before = next;
    }
    layer->items.InsertAfter(before, new LayerItem(item));
  }
}

}  // namespace

int CG_GraphicEditor::SpecialObjectCommand() { return OnChosenObject(&CG_GraphicEditor::RunSpecialCommand); }

int CG_GraphicEditor::RunSpecialCommand(const char* objectName) {
  CG_GraphicObject* object = scene.FindObject(objectName);
  if (object == nullptr) RuntimeErrorBox("non qui");
  zavo::EditTarget target;
  if (zavo::FindEditTarget(*this, object, target) == 0) return 0;

  Seq<charString> names;
  if (target.module->SpecialNames(*this, names, *target.inner) == 0) {
    CommandCancelled();
    return 0;
  }
  const charString command = ChooseFromList("Special", names);
  long index = -1;
  for (long i = 0; command.Text() != nullptr && i < static_cast<long>(names.Count()) && index < 0; ++i) {
    if (names[static_cast<std::uint32_t>(i)] == command) index = i;
  }
  if (index < 0) {
    CommandCancelled();
    return 0;
  }
  return RunSpecialOnTarget(target, index);
}

int CG_GraphicEditor::RunSpecialOnTarget(const zavo::EditTarget& target, long index) {
  std::unique_ptr<CG_SceneEditorItem> oldItem;
  ItemSettings settings;
  TakenObject taken = zavo::TakeOut(*this, target, oldItem, settings);
  const Transformation* transformation = taken.wrapper != nullptr ? &taken.wrapper->Forward() : nullptr;
  CG_GraphicObject* working = taken.inner;
  const int result = target.module->RunSpecial(*this, static_cast<int>(index), working, transformation);

  if (result == -1) {
    // An earlier edit that never ended gives its object back first.
    if (pendingEdit.Active()) ReplaceEditedObject(nullptr);
    pendingEdit.layerPlaces = LayerPlaces(layers, oldItem.get());
    // Nothing may refer to the item once it is gone.
    ReplaceItem(nullptr, oldItem.get());
    oldItem.reset();
    pendingEdit.taken = std::move(taken);
    pendingEdit.settings = settings;
    return 1;
  }
  zavo::PutBack(*this, taken, working, std::move(oldItem), settings);
  if (result == 0) {
    CommandCancelled();
    return 0;
  }
  SetModified();
  return 1;
}

int CG_GraphicEditor::ReplaceEditedObject(CG_GraphicObject* object) {
  // An object of the scene is not the module's to hand over.
  for (CG_GraphicObject& inScene : scene.GetObjects()) {
    if (&inScene == object) return 0;
  }
  if (!pendingEdit.Active()) {
    if (object == nullptr) return 0;
    AddObjectToEditor(std::unique_ptr<CG_GraphicObject>(object));
    SetModified();
    return 1;
  }
  PendingEditRecord pending = std::move(pendingEdit);
  pendingEdit = PendingEditRecord{};
  CG_SceneEditorItem* item = zavo::PutBack(*this, pending.taken, object, nullptr, pending.settings);
  EnterLayers(*this, pending.layerPlaces, item);
  if (object == nullptr) {
    CommandCancelled();
    return 0;
  }
  SetModified();
  return 1;
}
