#include "editor/modules/object_choice.h"

#include "editor/graphic_editor.h"

namespace zavo {

ListBox_obj* EmptyChoiceList(const char* label, const std::vector<const char*>& names) {
  auto* list = new ListBox_obj(label);
  list->entries.SetSize(static_cast<std::uint32_t>(names.size() + 1));
  list->entries[0] = "";
  for (std::size_t i = 0; i < names.size(); ++i) list->entries[static_cast<std::uint32_t>(i + 1)] = names[i];
  list->selected = "";
  return list;
}

std::vector<const char*> ItemObjectNames(CG_GraphicEditor& editor, bool curvesOnly) {
  std::vector<const char*> names;
  CG_SceneEditorItem* item = nullptr;
  LayerItem* entry = nullptr;
  editor.InitItemIterator(item, entry);
  while (editor.NextItem(item, entry) != 0) {
    if (curvesOnly && item->object->IsCurve() == 0) continue;
    names.push_back(item->object->name.Text() != nullptr ? item->object->name.Text() : "");
  }
  return names;
}

CG_GraphicObject* ChosenObject(const CG_GraphicEditor& editor, const gcg_list& controls, const char* label) {
  const auto* list = dynamic_cast<const ListBox_obj*>(FindControl(controls, label));
  if (list == nullptr || list->selected.Text() == nullptr || *list->selected.Text() == '\0') return nullptr;
  return editor.scene.FindObject(list->selected.Text());
}

}  // namespace zavo
