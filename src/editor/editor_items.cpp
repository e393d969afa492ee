// The document's items: creation, lookup, removal, centres, the walk over
// the items and the object chooser; the selection records.

#include <algorithm>
#include <memory>

#include "editor/graphic_editor.h"
#include "editor/layers.h"

namespace {

// How rays meet the item (its object and parts already set).
int ItemKind(CG_SceneEditorItem& item) {
  CG_GraphicObject& object = *item.object;
  if (object.IsCurve() != 0) return item.declassed != 0 ? 1 : 0;
  if (item.declassed == 0 && object.IsRayTraceable() != 0) return 0;
  if (item.declassed != 0) {
    bool all = true;
    for (long i = 0; i < item.parts.Size() && all; ++i) {
      const CG_GraphicObject* part = item.parts[i].object;
      all = part != nullptr && (part->IsRayTraceable() != 0 || part->IsCurve() != 0);
    }
    if (all) return 1;
  }
  if (object.DeclassToRayTraceable(item.traceParts) != 0) return 2;
  zavo::ReleaseDeclassedParts(item.traceParts);
  return -1;
}

}  // namespace

CG_SceneEditorItem* CG_GraphicEditor::CreateItem(CG_GraphicObject* object) {
  if (object == nullptr) return nullptr;
  auto item = std::make_unique<CG_SceneEditorItem>();
  item->object = object;
  if (object->IsFaced(0) != 0) {
    item->declassed = 0;
  } else if (object->DeclassToFaced(item->parts, 0) != 0) {
    item->declassed = 1;
  } else {
    // What a failed conversion left behind is not the item's to show.
    zavo::ReleaseDeclassedParts(item->parts);
    return nullptr;
  }
  item->edges.SetSize(static_cast<std::uint32_t>(item->PartCount()));
  item->kind = ItemKind(*item);
  CG_SceneEditorItem* created = item.release();
  items.Append(created);
  return created;
}

void CG_GraphicEditor::CreateItems() {
  for (CG_GraphicObject& object : scene.GetObjects()) CreateItem(&object);
  Status("");
}

CG_SceneEditorItem* CG_GraphicEditor::FindItem(const CG_GraphicObject* object) const {
  for (CG_SceneEditorItem& item : items) {
    if (item.object == object) return &item;
  }
  return nullptr;
}

void CG_GraphicEditor::RemoveItem(CG_SceneEditorItem* item) {
  if (item == nullptr) return;
  // A selection record must never outlive the item it points at.
  CG_ESelection* record = selection.First();
  while (record != nullptr) {
    CG_ESelection* next = DblList<CG_ESelection>::Next(record);
    auto* objectSelection = dynamic_cast<CG_EObjectSelection*>(record);
    if (objectSelection != nullptr && objectSelection->item == item) selection.Delete(record);
    record = next;
  }
  RemoveFromAllLayers(item);
  items.Delete(item);
}

void CG_GraphicEditor::ClearSelection() { selection.Clear(); }

void CG_GraphicEditor::InsertItem(CG_SceneEditorItem* item) {
  if (item == nullptr) return;
  item->centre = Point3D();
  if (item->display.centre == 0) return;
  bool any = false;
  Point3D low;
  Point3D high;
  auto add = [&](const CG_GraphicObject& object) {
    const int n = object.VertexCount();
    for (int k = 0; k < n; ++k) {
      Point3D p;
      object.Vertex(k, p);
      if (!any) {
        low = high = p;
        any = true;
        continue;
      }
      low = Point3D(std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z));
      high = Point3D(std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z));
    }
  };
  if (item->declassed != 0 && item->parts.Size() > 0) {
    for (long i = 0; i < item->parts.Size(); ++i) {
      if (item->parts[i].object != nullptr) add(*item->parts[i].object);
    }
  } else if (item->object != nullptr) {
    add(*item->object);
  }
  if (any) {
    item->centre = Point3D((low.x + high.x) / 2, (low.y + high.y) / 2, (low.z + high.z) / 2);
  }
}

void CG_GraphicEditor::InsertAllItems() {
  for (CG_SceneEditorItem& item : items) InsertItem(&item);
}

void CG_GraphicEditor::InitItemIterator(CG_SceneEditorItem*& item, LayerItem*& entry) {
  item = nullptr;
  entry = nullptr;
}

int CG_GraphicEditor::NextItem(CG_SceneEditorItem*& item, LayerItem*& entry) {
  // With an active layer, its entries in order; else every item.
  if (activeLayer != nullptr) {
    entry = entry == nullptr ? activeLayer->items.First() : DblList<LayerItem>::Next(entry);
    item = entry != nullptr ? entry->item : nullptr;
    return entry != nullptr ? 1 : 0;
  }
  entry = nullptr;
  item = item == nullptr ? items.First() : DblList<CG_SceneEditorItem>::Next(item);
  return item != nullptr ? 1 : 0;
}

int CG_GraphicEditor::OnChosenObject(int (CG_GraphicEditor::*worker)(const char* objectName)) {
  if (NotifyChange() == 0) return 0;
  charString chosen;
  if (ChooseObject(chosen) == 0) {
    CommandCancelled();
    return 0;
  }
  return (this->*worker)(chosen.Text());
}

int CG_GraphicEditor::ChooseObject(charString& chosen, const char* title) {
  for (CG_ESelection& record : selection) {
    auto* objectSelection = dynamic_cast<CG_EObjectSelection*>(&record);
    if (objectSelection == nullptr || objectSelection->item == nullptr) continue;
    chosen = objectSelection->item->object->name;
    return 1;
  }
  Seq<charString> names;
  ItemIterationNames(names);
  charString answer = ChooseFromList(title != nullptr ? title : "Select an object", names);
  if (answer.Text() == nullptr) return 0;
  chosen = answer;
  return 1;
}
