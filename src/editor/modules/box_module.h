#pragma once

// The editor module of the axis-aligned box, keyword "box": a cube in the
// current view, and the six bounds in one dialog.

#include <memory>

#include "editor/editor_modules.h"

class CG_BoxEditorModule : public CG_ObjectEditorModule {
public:
  // "Creating box": a cube about the placement point whose half edge is the
  // placement size; no wrapper.
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // "Modifing box" with "Xmin", "Xmax", "Ymin", "Ymax", "Zmin", "Zmax",
  // applied as entered; null on Cancel or for an object that is no box.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "primitive", "box".
  void Info(Seq<charString>& names) override;
};
