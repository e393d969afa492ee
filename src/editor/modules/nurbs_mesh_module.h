#pragma once

// The editor module of the NURBS mesh object, keyword "NURBSmesh": a new
// object for a ".nrb" model chosen from the model list, its tessellation
// settings, the storage commands of editor/modules/model_storage.h, and
// every control point drawn and edited in the views.

#include <memory>

#include "editor/modules/patch_model_module.h"

class CG_NURBSMeshEditorModule : public CG_GenericPModelEditorModule {
public:
  // "Select a model" among the ".nrb" models; div 6, cache 1; "Internal
  // Error in ZadNRNSM module" when the file is not found. Null on Cancel or
  // refusal.
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // "Modifing NURBSmesh" (the multi-field editor) with "div" and "cache";
  // null on Cancel or for an object that is no NURBS mesh.
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "Save", "Include In Scene", "External Model", "Info"; 1.
  int SpecialNames(CG_GraphicEditor& editor, Seq<charString>& names, CG_GraphicObject& object) override;
  // The storage commands 0 to 3: 1 when the scene changed; 0 after "Info"
  // (which reads nothing again), when a model file could not be written or
  // a name was refused, and for other numbers.
  int RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                 const Transformation* wrapper) override;
  // "composite", "NURBSmesh".
  void Info(Seq<charString>& names) override;

  int CanEditControls() override { return 1; }
  CG_PatchModelBased* ControlPoints(CG_GraphicObject& object) override;
};
