// Moving, turning and scaling the manipulated object by mouse (modes 3, 4
// and 5): the live preview while the pointer moves in the drag view and the
// step that the completing click adds.

#include "editor/graphic_editor.h"
#include "editor/mouse_drag.h"
#include "models/core/transf.h"

using zavo::DragKind;

namespace {

// The item operation that applies one step of the kind.
CG_SceneEditorItem* ApplyDragStep(CG_GraphicEditor& editor, CG_SceneEditorItem* item, DragKind kind,
                                  const Point3D& v) {
  switch (kind) {
    case DragKind::kMove: return editor.TranslateItem(item, v.x, v.y, v.z);
    case DragKind::kRotate: return editor.RotateItem(item, v.x, v.y, v.z);
    case DragKind::kScale: return editor.ScaleItem(item, v.x, v.y, v.z);
  }
  return nullptr;
}

// The step list the object has now, as the wrapping of its first step would
// leave it: a copy of its transf's list, translate(-c), translate(c) about
// the item's centre with the centre flag set, or none.
void StepsBeforePreview(CG_SceneEditorItem* item, List<t_Data>& steps) {
  if (auto* transf = dynamic_cast<GTransf*>(item->object)) {
    CG_TransfDescription description;
    transf->GetTransformList(description);
    steps.CopyFrom(description.steps);
    transf->SetTransformList(description);
  } else if (item->display.centre != 0) {
    const Point3D& c = item->centre;
    // 0 - v: a zero centre gives +0 (written "0", never "-0").
    steps.Append(new t_Data(zavo::kStepTranslate, 0.0 - c.x, 0.0 - c.y, 0.0 - c.z));
    steps.Append(new t_Data(zavo::kStepTranslate, c.x, c.y, c.z));
  }
}

// The transf takes the list back; its child stays.
void GiveStepsBack(GTransf& transf, const List<t_Data>& steps) {
  CG_TransfDescription description;
  transf.GetTransformList(description);
  description.steps.Clear();
  description.steps.CopyFrom(steps);
  // The list had an inverse when it was taken: no throw.
  transf.SetTransformList(description);
}

// The item as it stands in the scene, shown again after a drag that added no
// step: with show modes 1 and 2 it was taken out of the views for the drag.
void ShowUnchanged(CG_GraphicEditor& editor, CG_SceneEditorItem* item) {
  if (editor.FeedbackShowMode() == 0 || item == nullptr) return;
  editor.ProjectItem(item);
  editor.RepaintViews();
}

int CompleteObjectStep(CG_GraphicEditor& editor, DragKind kind, int view, int x, int y) {
  // The mode is still set: the guard refuses and its answer is not used.
  editor.NotifyChange();
  editor.selectionMarksShown = 1;
  CG_SceneEditorItem* item = editor.FindItem(editor.manipulatedObject);
  Point3D v;
  // Rotations and scalings complete only in the view they started in.
  if (item == nullptr || (kind != DragKind::kMove && view != editor.dragView) ||
      !zavo::DragValue(editor, kind, view, x, y, v)) {
    ShowUnchanged(editor, item);
    return 0;
  }
  const int showMode = editor.FeedbackShowMode();
  if (showMode == 0) editor.EraseItem(item);
  item = ApplyDragStep(editor, item, kind, v);
  editor.manipulatedObject = item != nullptr ? item->object : nullptr;
  if (item != nullptr) editor.ProjectItem(item);
  if (showMode != 0) {
    editor.RepaintViews();
  } else if (item != nullptr) {
    editor.DrawItem(item);
  }
  editor.SetModified();
  return 1;
}

}  // namespace

void CG_GraphicEditor::PreviewObjectDrag(int view, int x, int y) {
  CG_SceneEditorItem* item = FindItem(manipulatedObject);
  const DragKind kind = zavo::DragKindOfMode(mouseMode);
  Point3D v;
  if (item == nullptr || !zavo::DragValue(*this, kind, view, x, y, v)) return;
  const int showMode = FeedbackShowMode();
  if (showMode == 2) {
    InvertItem(item);
  } else {
    EraseItem(item);
  }
  List<t_Data> saved;
  StepsBeforePreview(item, saved);
  item = ApplyDragStep(*this, item, kind, v);
  manipulatedObject = item != nullptr ? item->object : nullptr;
  if (item == nullptr) return;
  ProjectItem(item);
  if (showMode == 2) {
    InvertItem(item);
  } else {
    DrawItem(item);
  }
  // Only the drawing shows the step: the object stays as it was.
  if (auto* transf = dynamic_cast<GTransf*>(item->object)) {
    GiveStepsBack(*transf, saved);
    InsertItem(item);
  }
  if (mouseMode == 3) {
    dragLastX = x;
    dragLastY = y;
  }
}

int CG_GraphicEditor::MoveObjectByMouse(int view, int x, int y) {
  return CompleteObjectStep(*this, DragKind::kMove, view, x, y);
}

int CG_GraphicEditor::RotateObjectByMouse(int view, int x, int y) {
  return CompleteObjectStep(*this, DragKind::kRotate, view, x, y);
}

int CG_GraphicEditor::ScaleObjectByMouse(int view, int x, int y) {
  return CompleteObjectStep(*this, DragKind::kScale, view, x, y);
}
