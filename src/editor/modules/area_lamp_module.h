#pragma once

// The editor module of the area lamp ("arealamp"): a new lamp is a small
// square in the current view, its depth is edited by a dialog, and its
// corners are control points moved, added and deleted as a curve's, never
// fewer than four. The lamp stays out of the translate, rotate and scale
// commands.

#include <memory>

#include "editor/modules/curve_module.h"

class CG_AreaLampEditorModule : public CG_GenericCurveEditorModule {
public:
  // "Creating arealamp" with an "obj" proposal and material "standard":
  // a square of half diagonal d (0.15 x the smaller shown extent of the
  // view's box) about the placement point, its corners c + (d, 0, 0),
  // c + (0, d, 0), c - (d, 0, 0), c - (0, d, 0); depth 2; no transf.
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // "Modifing arealamp" with "depth": the text read as a number, truncated
  // toward zero (0 for a text that is none); the corners stay.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // 0: the transform commands leave an area lamp alone.
  int MayTransform() override { return 0; }
  // "lamp", "arealamp".
  void Info(Seq<charString>& names) override;
  // 4: the lamp's quadrilateral.
  int MinControlCount(CG_GraphicObject& object) override;
};
