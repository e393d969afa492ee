#pragma once

// The editor module of the Bezier patch object, keyword "bezier": a new
// object for a ".bzr" model chosen from the model list, or one new flat
// patch in the current view; its tessellation settings; the storage
// commands of editor/modules/model_storage.h; every control point drawn and
// edited in the views.

#include <memory>
#include <string>

#include "editor/modules/patch_model_module.h"
#include "geometry/point3d.h"

class CG_BezierEditorModule : public CG_GenericPModelEditorModule {
public:
  // "Choose mode" with "name" and the list "mode": "Load model" (the model
  // list, div 6, cache 1; "Internal Error in ZadBezier module" when the
  // file is not found) or "Create patch" (the name checked, then "Choose
  // patch dimention", then a flat 4 x 4 grid over 3/4 of half the view's
  // window, read from its scene text). Null on Cancel or refusal.
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // "Modifing bezier" (the multi-field editor) with "div" and "cache"; null
  // on Cancel or for an object that is no Bezier patch set. Without the
  // multi-field editor: the internal error "No output".
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "Save", "Include In Scene", "External Model", "Info"; 1.
  int SpecialNames(CG_GraphicEditor& editor, Seq<charString>& names, CG_GraphicObject& object) override;
  int RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                 const Transformation* wrapper) override;
  // "composite", "bezier".
  void Info(Seq<charString>& names) override;

  int CanEditControls() override { return 1; }
  CG_PatchModelBased* ControlPoints(CG_GraphicObject& object) override;
};

namespace zavo {

// The scene text of an object N holding one Bezier patch whose sixteen
// control points are given row by row.
std::string FlatPatchText(const char* objectName, const Point3D (&points)[16], bool standardMaterial);

}  // namespace zavo
