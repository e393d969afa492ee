#pragma once

// The editor modules of the objects made around one existing object: the
// flip, keyword "flip", around any object, and the deformation graph,
// keyword "deformgraph", around a curve (its "size"). The chosen object
// leaves the scene and lives on inside the new object, which is read back
// from a small scene text (editor/modules/consumed_sources.h).

#include <memory>
#include <string>

#include "editor/editor_modules.h"

class CG_FlipEditorModule : public CG_ObjectEditorModule {
public:
  // The dialog "Flip" with "name" (empty) and the list "obj" of the
  // objects of the active layer's items after an empty entry. Null on
  // Cancel or the empty entry (nothing said), an empty name ("I need the
  // flip name") or a refused name or text (the message shown).
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // Null: nothing happens.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "meta", "flip".
  void Info(Seq<charString>& names) override;
};

class CG_PathControlEditorModule : public CG_ObjectEditorModule {
public:
  // The flip's steps with the dialog "deformgraph", its list "Size" of the
  // curves only, and "I need the deformgraph object name".
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // "You cannot modify a deformgraph.\nCreate a new one."; null.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "meta", "deformgraph".
  void Info(Seq<charString>& names) override;
};

namespace zavo {

// The scene text of a new flip around child, and of a new deformation graph
// with the curve size (none: no "size" entry).
std::string FlipSceneText(const char* name, const CG_GraphicObject& child);
std::string DeformGraphSceneText(const char* name, const CG_GraphicObject* size);

}  // namespace zavo
