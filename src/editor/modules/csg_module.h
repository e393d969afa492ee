#pragma once

// The editor module of the CSG combinations "intersect", "subtract" and
// "union" (one instance per keyword): a new CSG object from two objects of
// the scene, which it takes out of the scene, and the special command
// "DupSource" that puts copies of the two back.

#include <memory>

#include "editor/editor_modules.h"

class CG_CSGEditorModule : public CG_ObjectEditorModule {
public:
  // The dialog of the keyword ("name", "first", "second"); the CSG is read
  // back from its scene text. Null on Cancel, with a choice left empty
  // (silently), for a refused name, or when the text does not read (the
  // sources stay).
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // Null: a CSG is not edited.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "DupSource"; 1.
  int SpecialNames(CG_GraphicEditor& editor, Seq<charString>& names, CG_GraphicObject& object) override;
  // Command 0: a copy of each child whose name is free joins the scene with
  // an item in the active layer, drawn in the views. 1 for every index.
  int RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                 const Transformation* wrapper) override;
  // "composite", "CSG", the keyword.
  void Info(Seq<charString>& names) override;
};
