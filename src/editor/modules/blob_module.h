#pragma once

// The editor module of the blob, keyword "blob": a new object for a ".blb"
// model chosen from the model list; it has no modification dialog.

#include <memory>

#include "editor/editor_modules.h"

class CG_BlobEditorModule : public CG_ObjectEditorModule {
public:
  // The model list (".blb") and the object name; the object is read from
  // its scene text. Null when nothing was chosen, no name is free or the
  // text does not read (the reader's message shown).
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // Null: nothing to edit.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "composite", "blob".
  void Info(Seq<charString>& names) override;
};
