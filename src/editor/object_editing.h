#pragma once

// An object taken out of the editor's scene while its editor module changes
// it (Modify, a special command), and how it goes back: the changed object
// takes its old place (inside its transf when it had one), gets a new item in
// place of the old one, and the camera in use follows it.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/scene_editor_item.h"
#include "foundation/char_string.h"
#include "scene/graphic_object.h"

class CG_GraphicEditor;
class CG_ObjectEditorModule;
class GTransf;

// An item's display settings with the further value that travels with them.
struct ItemSettings {
  IntTriple display;
  std::int32_t extra = 0;
};

// What left the scene: the scene object (the object itself, or the transf
// around it, which keeps owning the object), the object its module works on,
// and the scene object's name and camera-in-use state at that moment.
struct TakenObject {
  std::unique_ptr<CG_GraphicObject> detached;
  GTransf* wrapper = nullptr;
  CG_GraphicObject* inner = nullptr;
  charString name;
  bool cameraInUse = false;
};

// The interactive special command in progress: the object out of the scene
// until the module hands it back (CG_GraphicEditor::ReplaceEditedObject),
// the display settings of its former item and the places that item had in
// the layers (layer name, position), where the new item goes.
struct PendingEditRecord {
  TakenObject taken;
  ItemSettings settings;
  std::vector<std::pair<std::string, long>> layerPlaces;

  bool Active() const { return taken.detached != nullptr; }
};

namespace zavo {

// The scene object of that name seen through its transf: the object a module
// works on and its module (the last of the object's keyword). A transf
// without a child, an object without a keyword ("Can' t find the module name
// of the object.") or without a module ("Can' t find the module of the
// object.") shows its message, calls CommandCancelled and answers 0.
struct EditTarget {
  CG_GraphicObject* object = nullptr;  // in the scene
  CG_GraphicObject* inner = nullptr;   // the object itself, or the transf's child
  CG_ObjectEditorModule* module = nullptr;
};
int FindEditTarget(CG_GraphicEditor& editor, CG_GraphicObject* object, EditTarget& target);

// Erases the target's item and unlinks it from the item list (its layer
// entries and selection records still refer to it; it is handed out through
// oldItem, null when the object has none), keeps its settings and detaches
// the scene object.
TakenObject TakeOut(CG_GraphicEditor& editor, const EditTarget& target,
                    std::unique_ptr<CG_SceneEditorItem>& oldItem, ItemSettings& settings);

// Puts the taken object back into the scene. A result other than the object
// the module was given (null: unchanged) becomes the transf's child or takes
// the object's place; the old object is destroyed once the new one is in
// place. A name that another scene object has meanwhile shows "Exist an
// object with same name" and the object goes back under its old name. A new
// item with the settings takes the old item's layer entries and selection
// records, is centred, projected and drawn. When the object was the camera
// in use, the camera in use becomes the returned object if that is a camera
// (else none) and the Preview views follow it. The new item, or null when
// the object gives none.
CG_SceneEditorItem* PutBack(CG_GraphicEditor& editor, TakenObject& taken, CG_GraphicObject* result,
                            std::unique_ptr<CG_SceneEditorItem> oldItem, const ItemSettings& settings);

// 1 when the object is a camera (it answers a view record).
int IsCamera(const CG_GraphicObject* object);

}  // namespace zavo
