#pragma once

// The base of the editor modules of curve-like objects (polylines, Bezier
// and NURBS curves, area lamps), which keep an ordered list of control
// points behind the curve operations of CG_GraphicObject. While such an
// object is selected every control point shows as a square marker in the
// plane views, through the matrix of a transf around the curve; a click
// picks a point, pressing the left button on the current point and moving
// drags it, and keys act at the pointer: 'a' adds a point after the current
// one, 'd' deletes the current one, 'e' edits it, 'm' moves it to the
// pointer. A derived module answers MinControlCount and may edit a point
// in its own way (EditControl).
//
// Grid snapping: a dragged or moved point snaps in world coordinates (the
// position under the pointer, before it goes into the curve's frame); an
// added point snaps in the curve's own frame. A transf whose matrix has no
// inverse (a scale of 0) leaves its curve's points where they are.

#include <memory>

#include "editor/editor_modules.h"
#include "foundation/seq.h"

// The selection state: the current control point (-1 for none), the marked
// points, and the move flag (1 while the left button is down on the current
// point, when moves drag it).
class CG_EGenericCurveSelectionStatus : public CG_EObjectSelectionStatus {
public:
  int current = -1;
  Seq<int> marked;
  int canMove = 0;
};

class CG_GenericCurveEditorModule : public CG_ObjectEditorModule {
public:
  // A status with no current point, nothing marked, the move flag 0.
  std::unique_ptr<CG_ESelectionStatus> NewSelectionStatus() override;
  // The markers of every point in every plane view, through the wrapper's
  // matrix: the current point in (255, 0, 0), marked points in (150, 0, 0),
  // the others in (75, 75, 0); in the background colour for a non-zero
  // draw mode.
  void DrawSelection(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
                     CG_ESelectionStatus* status, int view, int drawMode, const Transformation* wrapper) override;
  // 0 in a view that is no plane view. With a current point a left press
  // sets the move flag and a left release clears it ("canmove=0"); a move
  // with the flag set drags the current point (0), any other move answers
  // 4; a left release with Control alone shows "ctrl + left" (0). Every
  // other button event picks: a hit on the current point names it, a hit on
  // another makes it current, a miss clears the current point (0), or
  // answers 1 (editing ends) when there is none.
  int Mouse(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
            CG_ESelectionStatus* status, int view, int x, int y, int flags,
            const Transformation* wrapper) override;
  // 'a', 'd', 'e', 'm' as above: 0 when refused (nothing changed), else 4.
  int Key(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
          CG_ESelectionStatus* status, int character, const Transformation* wrapper) override;

  // The fewest control points the curve may keep.
  virtual int MinControlCount(CG_GraphicObject& object) = 0;
  // Edits point index in the module's own way (base: nothing).
  virtual void EditControl(CG_GraphicEditor& editor, CG_GraphicObject& object, int index);

private:
  void DrawMarkers(CG_GraphicEditor& editor, CG_GraphicObject& object, const CG_EGenericCurveSelectionStatus& status,
                   const Transformation* wrapper, int erase);
  int Pick(CG_GraphicEditor& editor, CG_GraphicObject& object, CG_EGenericCurveSelectionStatus& status, int view,
           int x, int y, const Transformation* wrapper);
  int AddControl(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
                 CG_EGenericCurveSelectionStatus& status, const Transformation* wrapper);
  int DeleteControl(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
                    CG_EGenericCurveSelectionStatus& status);
};
