// The document's layers: lookup, the active layer and the switch of the
// views between layer choices; entries following their items.

#include <vector>

#include "editor/graphic_editor.h"
#include "editor/layers.h"

Layer* CG_GraphicEditor::NewLayer(const char* layerName) {
  if (FindLayer(layerName) != nullptr) return nullptr;
  auto* layer = new Layer(layerName != nullptr ? layerName : "");
  layers.Append(layer);
  return layer;
}

Layer* CG_GraphicEditor::FindLayer(const char* layerName) const {
  const char* wanted = layerName != nullptr ? layerName : "";
  for (Layer& layer : layers) {
    if (layer.name == wanted) return &layer;
  }
  return nullptr;
}

int CG_GraphicEditor::SetActiveLayer(const char* layerName) {
  Layer* old = activeLayer;
  if (Layer* found = FindLayer(layerName); found != nullptr) activeLayer = found;
  SwitchLayer(old, activeLayer);
  UpdateTitle();
  return 1;
}

void CG_GraphicEditor::SwitchLayer(Layer* from, Layer* to) {
  std::vector<CG_SceneEditorItem*> hidden;
  std::vector<CG_SceneEditorItem*> shown;
  for (CG_SceneEditorItem& item : items) {
    const bool before = from == nullptr || from->Holds(&item);
    const bool now = to == nullptr || to->Holds(&item);
    if (before && !now) hidden.push_back(&item);
    if (now && !before) shown.push_back(&item);
  }
  for (CG_SceneEditorItem* item : hidden) {
    EraseItem(item);
    item->FreeWireData();
  }
  for (CG_SceneEditorItem* item : shown) {
    ProjectItem(item);
    DrawItem(item);
  }
  CG_GraphicObject* camera = scene.GetCurrentCamera();
  if (camera != nullptr && to != nullptr) {
    bool inLayer = false;
    for (LayerItem& entry : to->items) inLayer = inLayer || (entry.item != nullptr && entry.item->object == camera);
    if (!inLayer) SetCameraInUse(nullptr);
  }
  RedrawAll();
}

void CG_GraphicEditor::RemoveFromAllLayers(CG_SceneEditorItem* item) {
  for (Layer& layer : layers) {
    if (LayerItem* entry = layer.Find(item); entry != nullptr) layer.items.Delete(entry);
  }
}

void CG_GraphicEditor::ReplaceItem(CG_SceneEditorItem* newItem, CG_SceneEditorItem* oldItem) {
  for (Layer& layer : layers) {
    LayerItem* entry = layer.items.First();
    while (entry != nullptr) {
      LayerItem* next = DblList<LayerItem>::Next(entry);
      if (entry->item == oldItem) {
        // Without a new item the entry would point at nothing.
        if (newItem != nullptr) {
          entry->item = newItem;
        } else {
          layer.items.Delete(entry);
        }
      }
      entry = next;
    }
  }
  CG_ESelection* record = selection.First();
  while (record != nullptr) {
    CG_ESelection* next = DblList<CG_ESelection>::Next(record);
    auto* objectSelection = dynamic_cast<CG_EObjectSelection*>(record);
    if (objectSelection != nullptr && objectSelection->item == oldItem) {
      if (newItem != nullptr) {
        objectSelection->item = newItem;
      } else {
        selection.Delete(record);
      }
    }
    record = next;
  }
}
