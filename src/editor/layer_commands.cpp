// The layer requests: "Add to layer" (30), "Create new layer" (31), deleting
// a layer (32), "Remove from layer" (34) and choosing the active layer (35).

#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor/layers.h"

namespace {

constexpr const char* kAll = "** ALL **";

const char* Text(const charString& s) { return s.Text() != nullptr ? s.Text() : ""; }

const char* ObjectName(const CG_SceneEditorItem* item) {
  return item != nullptr && item->object != nullptr ? Text(item->object->name) : "";
}

bool HasWhiteSpace(const char* text) {
  for (const char* c = text; *c != '\0'; ++c) {
    if (std::isspace(static_cast<unsigned char>(*c)) != 0) return true;
  }
  return false;
}

void SetEntries(ListBox_obj& list, const std::vector<std::string>& names) {
  list.entries.SetSize(static_cast<std::uint32_t>(names.size()));
  for (std::uint32_t i = 0; i < names.size(); ++i) list.entries[i] = names[i].c_str();
}

// The layer names in order, with `extra` empty places after them.
Seq<charString> LayerNames(DblList<Layer>& layers, std::uint32_t extra) {
  std::uint32_t count = extra;
  for (Layer& layer : layers) {
    (void)layer;
    ++count;
  }
  Seq<charString> names;
  names.SetSize(count);
  std::uint32_t i = 0;
  for (Layer& layer : layers) names[i++] = Text(layer.name);
  return names;
}

}  // namespace

int CG_GraphicEditor::AddToLayer() {
  gcg_list controls;
  auto* from = new ListBox_obj("From layer");
  std::vector<std::string> layerNames{kAll};
  for (Layer& layer : layers) layerNames.emplace_back(Text(layer.name));
  SetEntries(*from, layerNames);
  from->selected = kAll;
  controls.Append(from);

  // "update": the items that the active layer lacks, from the chosen layer
  // or from the whole scene.
  controls.Append(new Button_obj("update", [this](gcg_list& list) {
    auto* source = dynamic_cast<ListBox_obj*>(FindControl(list, "From layer"));
    auto* objects = dynamic_cast<ListBox_obj*>(FindControl(list, "Object"));
    if (activeLayer == nullptr || source == nullptr || objects == nullptr) return;
    std::vector<std::string> candidates;
    if (Layer* layer = FindLayer(Text(source->selected)); layer != nullptr) {
      for (LayerItem& entry : layer->items) {
        if (!activeLayer->Holds(entry.item)) candidates.emplace_back(ObjectName(entry.item));
      }
    } else {
      for (CG_GraphicObject& object : scene.GetObjects()) {
        CG_SceneEditorItem* item = FindItem(&object);
        if (item != nullptr && !activeLayer->Holds(item)) candidates.emplace_back(Text(object.name));
      }
    }
    SetEntries(*objects, candidates);
    if (!candidates.empty()) objects->selected = candidates.front().c_str();
  }));

  auto* objects = new ListBox_obj("Object");
  std::vector<std::string> objectNames;
  for (CG_GraphicObject& object : scene.GetObjects()) objectNames.emplace_back(Text(object.name));
  SetEntries(*objects, objectNames);
  if (!objectNames.empty()) objects->selected = objectNames.front().c_str();
  controls.Append(objects);

  // One object into the active layer, shown at once.
  auto addNamed = [this](const char* objectName) {
    if (activeLayer == nullptr) return;
    CG_GraphicObject* object = scene.FindObject(objectName);
    CG_SceneEditorItem* item = object != nullptr ? FindItem(object) : nullptr;
    if (item == nullptr || activeLayer->Holds(item)) return;
    activeLayer->Add(item);
    ProjectItem(item);
    DrawItem(item);
  };
  controls.Append(new Button_obj("add", [addNamed](gcg_list& list) {
    auto* chosen = dynamic_cast<ListBox_obj*>(FindControl(list, "Object"));
    if (chosen != nullptr && chosen->selected.Text() != nullptr) addNamed(chosen->selected.Text());
  }));
  controls.Append(new Button_obj("add all", [addNamed](gcg_list& list) {
    auto* chosen = dynamic_cast<ListBox_obj*>(FindControl(list, "Object"));
    if (chosen == nullptr) return;
    // The names first: adding never changes the list, but stay safe.
    std::vector<std::string> names;
    for (std::uint32_t i = 0; i < chosen->entries.Count(); ++i) names.emplace_back(Text(chosen->entries[i]));
    for (const std::string& n : names) addNamed(n.c_str());
  }));
  return ShowDialog("Add to layer", controls);
}

int CG_GraphicEditor::CreateLayer() {
  gcg_list controls;
  controls.Append(new Edit_obj("layer", ""));
  if (ShowDialog("Create new layer", controls) == 0) return 0;
  auto* edit = dynamic_cast<Edit_obj*>(FindControl(controls, "layer"));
  const char* text = edit != nullptr ? Text(edit->text) : "";
  // The layers file is read word by word: a name must be one word.
  if ((text[0] == '\0' || HasWhiteSpace(text)) && CheckName(text) == 0) return 0;
  return NewLayer(text) != nullptr ? 1 : 0;
}

int CG_GraphicEditor::DeleteLayer() {
  const Seq<charString> names = LayerNames(layers, 0);
  const charString chosen = ChooseFromList(nullptr, names);
  if (chosen.Text() == nullptr) return 0;
  Layer* layer = FindLayer(chosen.Text());
  if (layer == nullptr) return 0;
  if (layer == activeLayer) {
    Message("Layer Active. Cannot delete");
    return 0;
  }
  layers.Delete(layer);
  return 1;
}

int CG_GraphicEditor::RemoveFromLayer() {
  if (activeLayer == nullptr) {
    Message("Layer not selected");
    return 0;
  }
  Seq<charString> names;
  std::uint32_t count = 0;
  for (LayerItem& entry : activeLayer->items) {
    (void)entry;
    ++count;
  }
  names.SetSize(count);
  std::uint32_t i = 0;
  for (LayerItem& entry : activeLayer->items) names[i++] = ObjectName(entry.item);
  const charString chosen = ChooseFromList("Remove from layer", names);
  if (chosen.Text() == nullptr) return 0;
  for (LayerItem& entry : activeLayer->items) {
    if (std::strcmp(ObjectName(entry.item), chosen.Text()) != 0) continue;
    EraseItem(entry.item);
    activeLayer->items.Delete(&entry);
    return 1;
  }
  return 0;
}

int CG_GraphicEditor::ChooseLayer() {
  Seq<charString> names = LayerNames(layers, 1);
  names[names.Count() - 1] = kAll;
  const charString chosen = ChooseFromList("Choose a layer", names);
  if (chosen.Text() == nullptr) return 0;
  if (std::strcmp(chosen.Text(), kAll) == 0) {
    // The items a layer hid lost their pictures: bring them back first.
    Layer* old = activeLayer;
    activeLayer = nullptr;
    SwitchLayer(old, nullptr);
    UpdateTitle();
    RefreshViews();
    return 1;
  }
  NotifyChange();
  SetActiveLayer(chosen.Text());
  SetModified();
  return 1;
}
