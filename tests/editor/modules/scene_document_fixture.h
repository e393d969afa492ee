#pragma once
// A document of the real modules holding the objects of a scene text, in its
// own working directory, with an item for each object and the layer "work"
// (holding them all) active.

#include <sstream>
#include <string>

#include "common/temp_dir.h"
#include "editor/layers.h"
#include "module_fixture.h"
#include "module_test_support.h"

namespace zavo::test {

inline const char kStandardMaterial[] =
    "{ material name standard; model { phong Ka 0.2; Kd 0.7; Ks 0.3; Od (0.9,0.8,0.1); } }\n";

class SceneDocument : public ModuleDocument {
public:
  explicit SceneDocument(const std::string& objects) {
    while (editor->items.First() != nullptr) editor->RemoveItem(editor->items.First());
    std::istringstream text(kStandardMaterial + objects + ".\n");
    loaded = editor->scene.Load(text);
    editor->CreateItems();
    // An unnamed document takes no undo snapshots.
    editor->options.UseUndo = 0;
    editor->NewLayer("work");
    editor->SetActiveLayer("work");
    for (CG_SceneEditorItem& item : editor->items) editor->activeLayer->Add(&item);
  }

  // The object and whether it has an item in the active layer.
  bool Shown(const char* objectName) {
    CG_SceneEditorItem* item = editor->FindItem(editor->scene.FindObject(objectName));
    return item != nullptr && editor->activeLayer->Holds(item);
  }
  std::size_t ObjectCount() { return CountOf(editor->scene.GetObjects()); }

  TempDir dir;
  ScopedCwd cwd{dir.path()};
  int loaded = 0;
};

}  // namespace zavo::test
