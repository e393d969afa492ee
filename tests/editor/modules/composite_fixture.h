#pragma once
// A document holding a user's small scene (two overlapping spheres a and b, a
// third sphere c, an open polyline path and a lamp), every item in the
// active layer "work", in its own working directory.

#include <sstream>
#include <string>
#include <vector>

#include "editor/layers.h"
#include "editor/scene_editor_item.h"
#include "module_fixture.h"
#include "module_test_support.h"
#include "common/temp_dir.h"

namespace zavo::test {

inline const char kCompositeScene[] =
    "{ material name standard; model { phong Ka 0.2; Kd 0.7; Ks 0.3; Od (0.9,0.8,0.1); } }\n"
    "{ lamp name sun; model { pointlamp pos ( -4 , 6 , 3 ); color (1,1,0.95); } }\n"
    "{ object name a; material standard; model { sphere center ( -0.35 , 0.2 , 0 ); radius 1.1; div 6; } }\n"
    "{ object name b; material standard; model { sphere center ( 0.45 , 0.2 , 0 ); radius 0.9; div 6; } }\n"
    "{ object name c; material standard; model { sphere center ( 3.3 , -2.7 , 0.4 ); radius 0.6; div 6; } }\n"
    "{ object name path; material standard; model { polyline open 1;"
    " p ( 0 , 0 , 0 ); p ( 1.3 , 0.4 , 0.7 ); p ( 2.9 , 1.1 , 1.6 ); } }\n";

class CompositeDocument : public ModuleDocument {
public:
  explicit CompositeDocument(int test = 0, const std::string& objects = kCompositeScene) : ModuleDocument(test) {
    while (editor->items.First() != nullptr) editor->RemoveItem(editor->items.First());
    std::istringstream text(objects + ".\n");
    loaded = editor->scene.Load(text);
    editor->CreateItems();
    editor->options.UseUndo = 0;
    editor->NewLayer("work");
    editor->SetActiveLayer("work");
    for (CG_SceneEditorItem& item : editor->items) editor->activeLayer->Add(&item);
  }

  // The scene's object names in scene order.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const CG_GraphicObject& object : editor->scene.GetObjects()) names.emplace_back(object.name.Text());
    return names;
  }
  // Whether the object has an item in the active layer.
  bool Shown(const char* objectName) {
    CG_SceneEditorItem* item = editor->FindItem(editor->scene.FindObject(objectName));
    return item != nullptr && editor->activeLayer->Holds(item);
  }
  const std::vector<std::string>& Messages() const { return fakes.system.messages; }

  TempDir dir;
  ScopedCwd cwd{dir.path()};
  int loaded = 0;
};

}  // namespace zavo::test
