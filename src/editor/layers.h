#pragma once

// Named layers of the editor document: each lists editor items in the order
// they were added. A layer refers to its items; it owns neither the items
// nor their objects.

#include "editor/scene_editor_item.h"
#include "foundation/char_string.h"
#include "foundation/dbl_list.h"

// One entry of a layer: the item it shows (not owned).
class LayerItem : public DblListItem {
public:
  explicit LayerItem(CG_SceneEditorItem* shown) : item(shown) {}

  CG_SceneEditorItem* item = nullptr;
};

class Layer : public DblListItem {
public:
  explicit Layer(const char* layerName) : name(layerName) {}

  // The first entry that refers to the item, or null.
  LayerItem* Find(const CG_SceneEditorItem* item) const {
    for (LayerItem& entry : items) {
      if (entry.item == item) return &entry;
    }
    return nullptr;
  }
  bool Holds(const CG_SceneEditorItem* item) const { return Find(item) != nullptr; }
  // Appends an entry for the item at the tail.
  void Add(CG_SceneEditorItem* item) { items.Append(new LayerItem(item)); }

  charString name;
  DblList<LayerItem> items;
};
