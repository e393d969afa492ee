#pragma once

// The editor module of the boundary-mesh object, keyword "brep": a new
// object for a ".brp" model chosen from the model list, its two rendering
// settings, the storage commands of editor/modules/model_storage.h, and the
// editing of its vertices as control points (only the current one drawn).

#include <memory>

#include "editor/modules/patch_model_module.h"

class CG_BRepEditorModule : public CG_GenericPModelEditorModule {
public:
  // The model list (".brp") and the object name; the material "standard";
  // costr 1.3, the scene's "_brep_optimiz" and "_brep_grid_dim"; the file
  // the scene's model search finds ("Internal Error in ZadBrep module" and
  // null when there is none).
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // "Modifing brep" with "constr" and the check box "interp"; null on Cancel
  // (the object untouched) or for an object that is no brep.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "Save", "Include In Scene", "External Model", "Info"; 1.
  int SpecialNames(CG_GraphicEditor& editor, Seq<charString>& names, CG_GraphicObject& object) override;
  int RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                 const Transformation* wrapper) override;
  // "composite", "brep".
  void Info(Seq<charString>& names) override;

  int CanEditControls() override { return 1; }
  CG_PatchModelBased* ControlPoints(CG_GraphicObject& object) override;
  int ShowAllControls() override { return 0; }
};
