// Groups from layers and layers from groups (requests 33 and 37): the active
// layer becomes one group object, and a group (or a transf holding one)
// gives its children back to the scene in a new layer.

#include <cstring>
#include <memory>
#include <string>
#include <typeinfo>
#include <unordered_set>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor/layers.h"
#include "editor/object_editing.h"
#include "models/core/group.h"
#include "models/core/transf.h"

namespace {

const char* Text(const charString& s) { return s.Text() != nullptr ? s.Text() : ""; }

// Class tests are of the exact class: a class derived from GGroup or GTransf
// does not count.
template <class T>
T* Exactly(CG_GraphicObject* object) {
  return object != nullptr && typeid(*object) == typeid(T) ? static_cast<T*>(object) : nullptr;
}

// The group a transf holds, when it is exactly a GGroup.
GGroup* InnerGroup(GTransf* transf) {
  if (transf == nullptr) return nullptr;
  Seq<CG_GraphicObject*> children;
  transf->GetChildren(children);
  return children.Count() == 1 ? Exactly<GGroup>(children[0]) : nullptr;
}

// A new item is projected and drawn when the current layer choice shows it.
void ShowIfVisible(CG_GraphicEditor& editor, CG_SceneEditorItem* item) {
  if (item == nullptr) return;
  if (editor.activeLayer != nullptr && !editor.activeLayer->Holds(item)) return;
  editor.ProjectItem(item);
  editor.DrawItem(item);
}

// A new item for an object that stays in the scene, shown when visible.
void RenewItem(CG_GraphicEditor& editor, CG_GraphicObject* object) {
  CG_SceneEditorItem* item = editor.CreateItem(object);
  if (item == nullptr) return;
  editor.InsertItem(item);
  ShowIfVisible(editor, item);
}

}  // namespace

void CG_GraphicEditor::RemoveFromOtherLayers(const char* objectName, const char* layerName) {
  for (Layer& layer : layers) {
    if (layer.name == layerName) continue;
    for (LayerItem& entry : layer.items) {
      if (entry.item != nullptr && entry.item->object != nullptr && entry.item->object->name == objectName) {
        layer.items.Delete(&entry);
        break;
      }
    }
  }
}

int CG_GraphicEditor::GroupFromLayer() {
  Layer* layer = activeLayer;
  if (layer == nullptr) {
    Message("Layer not select");
    return 0;
  }
  const std::string layerName = Text(layer->name);
  if (layerName == "default") {
    Message("Cannot create group form layer default.");
    return 0;
  }

  // The group that takes the layer's objects, and the object that gets the
  // one item of the result (the transf when the group is inside one).
  CG_GraphicObject* existing = scene.FindObject(layerName.c_str());
  GGroup* target = Exactly<GGroup>(existing);
  CG_GraphicObject* registered = target;
  if (existing != nullptr && target == nullptr) {
    target = InnerGroup(Exactly<GTransf>(existing));
    registered = existing;
    if (target == nullptr) {
      Message("Cannot create group. Name busy.");
      return 0;
    }
  }
  if (existing != nullptr) {
    RemoveItem(FindItem(existing));
  } else {
    CG_GraphicObjectCommData data;
    data.name = layerName.c_str();
    auto group = std::make_unique<GGroup>(data, nullptr);
    target = group.get();
    registered = target;
    scene.AddObject(std::move(group));
  }

  // The layer's items, each once, before any of them goes.
  std::vector<CG_SceneEditorItem*> entries;
  std::unordered_set<CG_SceneEditorItem*> seen;
  for (LayerItem& entry : layer->items) {
    if (entry.item != nullptr && seen.insert(entry.item).second) entries.push_back(entry.item);
  }
  for (CG_SceneEditorItem* item : entries) RemoveFromOtherLayers(Text(item->object->name), layerName.c_str());

  CG_GroupDescription description;
  target->GetDescription(description);
  if (description.children == nullptr) description.children = std::make_unique<DblList<CG_GraphicObject>>();
  for (CG_SceneEditorItem* item : entries) {
    CG_GraphicObject* object = item->object;
    // Lamps and cameras stay in the scene's list.
    if (zavo::IsCamera(object) != 0 || object->IsLightSource() != 0) continue;
    RemoveItem(item);
    description.children->Append(scene.DetachObject(object).release());
  }
  target->SetDescription(description);

  CG_SceneEditorItem* groupItem = CreateItem(registered);
  if (groupItem != nullptr) InsertItem(groupItem);

  gcg_list controls;
  auto* choice = new ListBox_obj("layer");
  for (Layer& other : layers) {
    if (other.name == layerName.c_str()) continue;
    choice->entries.Resize(choice->entries.Count() + 1);
    choice->entries[choice->entries.Count() - 1] = other.name;
  }
  choice->selected = "default";
  controls.Append(choice);
  const std::string destinationName = ShowDialog("Layer for group", controls) != 0 ? Text(choice->selected) : "default";
  Layer* destination = FindLayer(destinationName.c_str());
  // The layer being turned into the group cannot receive it.
  if (destination == layer) destination = nullptr;
  if (destination != nullptr && groupItem != nullptr) destination->Add(groupItem);

  for (int v = 0; v < 4; ++v) {
    if (viewModes[v] != 0) FillView(v);
  }
  if (destination != nullptr) {
    SetActiveLayer(destinationName.c_str());
  } else {
    // Without the layer the item stays in no layer and every object is
    // shown: the old layer, about to go, must not stay active.
    Message("Layer default not exist.");
    activeLayer = nullptr;
    SwitchLayer(layer, nullptr);
    UpdateTitle();
  }
  layers.Delete(layer);

  if (groupItem != nullptr) ProjectItem(groupItem);
  RedrawParallelViews();
  RedrawPreviewViews();
  SetModified();
  return 1;
}

void CG_GraphicEditor::MoveChildrenToLayer(CG_GraphicObject& group, Layer& layer) {
  auto* owner = Exactly<GGroup>(&group);
  if (owner == nullptr) return;
  CG_GroupDescription description;
  owner->GetDescription(description);
  if (description.children != nullptr) {
    auto kept = std::make_unique<DblList<CG_GraphicObject>>();
    std::vector<CG_SceneEditorItem*> added;
    while (CG_GraphicObject* child = description.children->RemoveHead()) {
      // The scene holds one object of a name: such a child stays in the group.
      if (scene.FindObject(child->name.Text()) != nullptr) {
        kept->Append(child);
        continue;
      }
      scene.AddObject(std::unique_ptr<CG_GraphicObject>(child));
      CG_SceneEditorItem* item = CreateItem(child);
      if (item == nullptr) continue;
      InsertItem(item);
      layer.Add(item);
      added.push_back(item);
    }
    description.children = kept->First() != nullptr ? std::move(kept) : nullptr;
    for (CG_SceneEditorItem* item : added) ShowIfVisible(*this, item);
  }
  owner->SetDescription(description);
}

int CG_GraphicEditor::LayerFromInnerGroup(CG_GraphicObject* group) {
  if (Exactly<GGroup>(group) == nullptr) return 0;
  auto* layer = new Layer(Text(group->name));
  layers.Append(layer);
  MoveChildrenToLayer(*group, *layer);
  return 1;
}

int CG_GraphicEditor::LayerFromGroupItem(CG_SceneEditorItem* item) {
  CG_GraphicObject* group = item != nullptr ? Exactly<GGroup>(item->object) : nullptr;
  if (group == nullptr) return 0;
  auto* layer = new Layer(Text(group->name));
  layers.Append(layer);
  EraseItem(item);
  RemoveItem(item);
  MoveChildrenToLayer(*group, *layer);
  RenewItem(*this, group);
  return 1;
}

int CG_GraphicEditor::LayerFromGroup() {
  if (listShower == nullptr) return 0;
  NotifyChange();
  Seq<charString> names;
  CG_SceneEditorItem* item = nullptr;
  LayerItem* entry = nullptr;
  InitItemIterator(item, entry);
  while (NextItem(item, entry) != 0) {
    if (item == nullptr) continue;
    CG_GraphicObject* object = item->object;
    if (Exactly<GGroup>(object) == nullptr && InnerGroup(Exactly<GTransf>(object)) == nullptr) continue;
    names.Resize(names.Count() + 1);
    names[names.Count() - 1] = object->name;
  }
  const charString chosen = ChooseFromList("Select a group", names);
  if (chosen.Text() == nullptr) {
    SetModified();
    return 1;
  }

  CG_GraphicObject* object = scene.FindObject(chosen.Text());
  const char* keyword = object != nullptr ? object->Keyword() : nullptr;
  if (keyword == nullptr) {
    CommandCancelled();
    Message("cannot get module name.");
    return 0;
  }
  if (std::strcmp(keyword, "transf") == 0) {
    CG_GraphicObject* child = nullptr;
    CG_GraphicObject* wrapper = nullptr;
    // An empty transf: FindObject has told the user and cancelled.
    if (FindObject(object, child, wrapper) == 0) return 0;
    if (child->Keyword() == nullptr) {
      CommandCancelled();
      Message("cannot get module name.");
      return 0;
    }
    if (CG_SceneEditorItem* old = FindItem(object); old != nullptr) {
      EraseItem(old);
      RemoveItem(old);
    }
    auto* transf = static_cast<GTransf*>(wrapper);
    CG_TransfDescription description;
    transf->GetTransformList(description);
    LayerFromInnerGroup(description.child);
    transf->SetTransformList(description);
    RenewItem(*this, object);
    SetActiveLayer(chosen.Text());
    SetModified();
    return 1;
  }
  LayerFromGroupItem(FindItem(object));
  SetActiveLayer(chosen.Text());
  SetModified();
  return 1;
}
