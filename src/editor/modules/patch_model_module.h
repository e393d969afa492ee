#pragma once

// The base of the editor modules of models made of patches or faces (Bezier
// patch sets, NURBS meshes, boundary meshes), whose points the editor moves
// through their CG_PatchModelBased part. While such an object is selected
// its control points show as square markers in the plane views; a left
// click picks one, 'm' moves the picked point to the pointer, and 'f' (or
// 'g') deforms every point by a field object through the "Apply Field"
// dialog (editor/modules/apply_field.h). A derived module answers only
// CanEditControls, ControlPoints and ShowAllControls.

#include <memory>

#include "editor/editor_modules.h"
#include "models/core/patch_model_based.h"

// The selection state: the current control point, -1 for none.
class CG_EGenericPModelSelectionStatus : public CG_EObjectSelectionStatus {
public:
  int current = -1;
};

class CG_GenericPModelEditorModule : public CG_ObjectEditorModule {
public:
  // A status with no current point; null when control points are not edited.
  std::unique_ptr<CG_ESelectionStatus> NewSelectionStatus() override;
  // The markers in every plane view: the current point in (255, 0, 0), the
  // others in (75, 75, 0) when ShowAllControls is 1; in the background
  // colour for a non-zero draw mode. The wrapper's matrix is not applied.
  void DrawSelection(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
                     CG_ESelectionStatus* status, int view, int drawMode, const Transformation* wrapper) override;
  // Picking with the left button (press or release alike): 4 for right
  // buttons, moves or without control-point editing; 0 in a view that is
  // no plane view. A hit on the current point names it in the status line,
  // a hit on another makes it current; a miss clears the current point, or
  // answers 1 (editing ends) when there is none. 0 otherwise.
  int Mouse(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
            CG_ESelectionStatus* status, int view, int x, int y, int flags,
            const Transformation* wrapper) override;
  // 'm': the current point takes the pointer's position on the two axes of
  // the plane view under it (its third coordinate stays), then the model is
  // updated; 0 (nothing changed) without a current point or outside a plane
  // view. 'f' and 'g': the field chooser and the "Apply Field" dialog.
  // 4 otherwise.
  int Key(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
          CG_ESelectionStatus* status, int character, const Transformation* wrapper) override;

  // 1 when control points are edited (base 0).
  virtual int CanEditControls() { return 0; }
  // The object's point interface; null for an object of another type.
  virtual CG_PatchModelBased* ControlPoints(CG_GraphicObject& object) = 0;
  // 1 when every point has a marker, 0 when only the current one has (base 1).
  virtual int ShowAllControls() { return 1; }

private:
  // The markers of every point in every plane view (erase non-zero: in the
  // background colour).
  void DrawMarkers(CG_GraphicEditor& editor, CG_PatchModelBased& points, int current, int erase);
  // 'f': the user chooses a field among the items shown, which then deforms
  // the points.
  void ChooseField(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_PatchModelBased& points);
  int MoveCurrent(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_PatchModelBased& points,
                  CG_EGenericPModelSelectionStatus& status);
};
