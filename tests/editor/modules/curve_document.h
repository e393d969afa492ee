#pragma once
// A module document of a scene text (the material "standard" first), in a
// working directory of its own whose model path is "models", with the layer
// "work" active and holding every item. The Top view (view 0) is current and
// shows x -10..10, y -5..5.

#include <filesystem>
#include <sstream>
#include <string>

#include "common/temp_dir.h"
#include "editor/layers.h"
#include "module_fixture.h"
#include "module_test_support.h"

namespace zavo::test {

inline const char kStandardMaterial[] =
    "{ material name standard; model { phong Ka 0.2; Kd 0.7; Ks 0.3; Od (0.9,0.8,0.1); } }\n";

class CurveDocument : public ModuleDocument {
public:
  explicit CurveDocument(const std::string& objects = "") {
    std::filesystem::create_directories(dir / "models");
    while (editor->items.First() != nullptr) editor->RemoveItem(editor->items.First());
    std::istringstream text(kStandardMaterial + objects + ".\n");
    loaded = editor->scene.Load(text);
    editor->scene.SetModelPath("models");
    editor->CreateItems();
    // An unnamed document takes no undo snapshots.
    editor->options.UseUndo = 0;
    editor->NewLayer("work");
    editor->SetActiveLayer("work");
    for (CG_SceneEditorItem& item : editor->items) editor->activeLayer->Add(&item);
    SetBox(0, {-10, -5, -3.7}, {10, 5, 4.1});
    editor->activeView = 0;
  }

  // The special command chosen for the object, as request 39 runs it.
  int Special(const char* objectName, const char* command) {
    fakes.listShower.AnswerText(command);
    return editor->RunSpecialCommand(objectName);
  }
  // Whether the object has an item in the active layer.
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
