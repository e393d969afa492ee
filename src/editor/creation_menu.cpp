// The creation menu of empty space: "Empty Zone" -> "New" -> the object
// modules by category; the chosen module creates the new object at the
// clicked pixel.

#include "editor/creation_menu.h"

#include <memory>

#include "editor/graphic_editor.h"

void TryEmptyTreeItem::Insert(Seq<TryEmptyTreeItem>& children, const Seq<charString>& path, std::uint32_t level,
                              CG_ObjectEditorModule* module) {
  if (level >= path.Count()) return;
  std::uint32_t at = 0;
  while (at < children.Count() && !(children[at].name == path[level])) ++at;
  if (at == children.Count()) {
    // The level grows by one child: the present ones are copied over whole.
    children.Resize(at + 1);
    children[at].name = path[level];
  }
  TryEmptyTreeItem& child = children[at];
  if (level + 1 < path.Count()) {
    Insert(child.children, path, level + 1, module);
  } else if (child.module == nullptr) {
    child.module = module;
  }
}

void TryEmptyTreeItem::FindModule(const Seq<TryEmptyTreeItem>& children, const Seq<int>& path, std::uint32_t level,
                                  CG_ObjectEditorModule*& module) {
  module = nullptr;
  if (level >= path.Count()) return;
  const int index = path[level];
  if (index < 0 || static_cast<std::uint32_t>(index) >= children.Count()) return;
  const TryEmptyTreeItem& child = children[static_cast<std::uint32_t>(index)];
  if (level + 1 < path.Count()) {
    FindModule(child.children, path, level + 1, module);
  } else if (child.children.Count() == 0) {
    module = child.module;
  }
}

void CG_GraphicEditor::BuildModuleTree(TryEmptyTreeItem& tree) {
  tree.children.SetSize(0);
  for (CG_ObjectEditorModule& module : objectModules) {
    // Groups are made from layers, never from this menu.
    if (module.keyword == "group") continue;
    Seq<charString> path;
    module.Info(path);
    TryEmptyTreeItem::Insert(tree.children, path, 0, &module);
  }
}

void CG_GraphicEditor::CopyTreeToFlyMenu(const Seq<TryEmptyTreeItem>& children, FlyMenuItem& item) {
  item.SetSubCount(children.Count());
  for (std::uint32_t i = 0; i < children.Count(); ++i) {
    item.Sub(i).name = children[i].name;
    CopyTreeToFlyMenu(children[i].children, item.Sub(i));
  }
}

int CG_GraphicEditor::EmptyZoneMenu(int view, int x, int y) {
  TryEmptyTreeItem tree;
  BuildModuleTree(tree);
  FlyMenuItem root("Empty Zone");
  root.SetSubCount(1);
  root.Sub(0).name = "New";
  CopyTreeToFlyMenu(tree.children, root.Sub(0));

  Seq<int> path;
  if (ShowFlyMenu(root, path) == 0 || path.Count() < 2 || path[0] != 0) return 0;
  CG_ObjectEditorModule* module = nullptr;
  TryEmptyTreeItem::FindModule(tree.children, path, 1, module);
  if (module == nullptr) return 0;

  // The module places the new object under the click while it creates it.
  creationClick = 1;
  creationView = view;
  creationX = x;
  creationY = y;
  std::unique_ptr<CG_GraphicObject> object = module->Create(*this);
  creationClick = 0;
  return AddCreatedObject(std::move(object));
}

int CG_GraphicEditor::AddCreatedObject(std::unique_ptr<CG_GraphicObject> object) {
  // The scene refuses a second object of one name; the new one is dropped.
  if (object == nullptr || scene.FindObject(object->name) != nullptr) {
    CommandCancelled();
    return 0;
  }
  AddObjectToEditor(std::move(object));
  SetModified();
  return 1;
}
