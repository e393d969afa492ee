// Request 69: a scene file read into the open scene; the same merge from
// scene text held in memory.

#include <fstream>

#include "editor/graphic_editor.h"
#include "editor/layers.h"

int CG_GraphicEditor::MergeScene(const char* fileName) {
  if (fileName == nullptr) return 0;
  std::ifstream in(fileName, std::ios::binary);
  // A file that cannot be opened adds nothing and says nothing.
  if (!in) return 0;
  MergeSceneFrom(in);
  return 1;
}

int CG_GraphicEditor::MergeSceneFrom(std::istream& in) {
  // What a failed read added before its error stays in the scene.
  const int read = scene.Get(in);
  for (CG_GraphicObject& object : scene.GetObjects()) {
    if (FindItem(&object) != nullptr) continue;
    CG_SceneEditorItem* item = CreateItem(&object);
    if (item == nullptr) continue;
    InsertItem(item);
    if (activeLayer != nullptr) activeLayer->Add(item);
    ProjectItem(item);
  }
  ProjectAllItems();
  for (int v = 0; v < 4; ++v) {
    if (viewModes[v] != 0 && views[v] != nullptr) views[v]->Clear();
  }
  RefreshViews();
  // The scene has changed: New must not drop it without asking.
  SetModified();
  return read != 0 ? 1 : 0;
}
