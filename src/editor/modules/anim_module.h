#pragma once

// The editor module of the anim, keyword "anim": an object of the scene
// moved along a curve (and, in test mode, turned after another) between two
// frames. The new anim takes the object and the curves out of the scene.

#include <memory>

#include "editor/editor_modules.h"

class CG_AnimEditorModule : public CG_ObjectEditorModule {
public:
  // The dialog "anim" ("name", "Object", "Translate curve", in test mode
  // "Rotate curve", "from", "to"); the anim is read back from its scene
  // text. Null on Cancel, without an object or any curve (silently), for a
  // refused name, or when the text does not read (the sources stay).
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // Null: an anim is not edited.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "meta", "anim".
  void Info(Seq<charString>& names) override;
};
