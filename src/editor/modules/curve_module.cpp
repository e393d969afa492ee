#include "editor/modules/curve_module.h"

#include <string>

#include "editor/graphic_editor.h"
#include "editor/modules/control_points.h"

using namespace zavo;

namespace {

CG_EGenericCurveSelectionStatus* StatusOf(CG_ESelectionStatus* status) {
  return dynamic_cast<CG_EGenericCurveSelectionStatus*>(status);
}

Point3D ControlAt(const CG_GraphicObject& object, int i) {
  Point3D p;
  object.GetControl(i, p);
  return p;
}

bool IsMarked(const CG_EGenericCurveSelectionStatus& status, int i) {
  for (std::uint32_t k = 0; k < status.marked.Count(); ++k) {
    if (status.marked[k] == i) return true;
  }
  return false;
}

// The inverse of the wrapper's matrix; false for a matrix that has none.
bool InverseOf(const Transformation& m, Transformation& inverse) {
  try {
    inverse = m.Inverse();
    return true;
  } catch (const xMatrix&) {
    return false;
  }
}

// The curve changed on screen: its item erased before the change, projected
// (its edge tables dropped first when the points were renumbered) and drawn
// after it.
template <class Change>
void ChangeCurve(CG_GraphicEditor& editor, CG_SceneEditorItem* item, bool renumbered, Change change) {
  if (item != nullptr) editor.EraseItem(item);
  change();
  if (item == nullptr) return;
  if (renumbered) item->FreeEdges();
  editor.ProjectItem(item);
  editor.DrawItem(item);
}

// The current point moved under pixel (x, y) of the view on the view's two
// axes, the position snapped to the grid in world coordinates. False, and
// nothing changed, when the pixel is in no plane view or the wrapper's
// matrix has no inverse.
bool MoveCurrentTo(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object, int current,
                   int view, int x, int y, const Transformation* wrapper) {
  Point3D q;
  int horizontal = 0, vertical = 1, flip = 0;
  if (editor.ViewPointToWorld(view, x, y, q, horizontal, vertical, flip) == 0) return false;
  editor.SnapToGrid(q);
  Point3D p;
  if (object.GetControl(current, p) == 0) return false;
  if (wrapper != nullptr) {
    Transformation inverse;
    if (!InverseOf(*wrapper, inverse)) return false;
    p = TransformPoint(inverse, WithShownAxes(TransformPoint(*wrapper, p), q, horizontal, vertical));
  } else {
    p = WithShownAxes(p, q, horizontal, vertical);
  }
  ChangeCurve(editor, item, false, [&] { object.SetControl(current, p); });
  return true;
}

}  // namespace

std::unique_ptr<CG_ESelectionStatus> CG_GenericCurveEditorModule::NewSelectionStatus() {
  return std::make_unique<CG_EGenericCurveSelectionStatus>();
}

void CG_GenericCurveEditorModule::EditControl(CG_GraphicEditor&, CG_GraphicObject&, int) {}

void CG_GenericCurveEditorModule::DrawMarkers(CG_GraphicEditor& editor, CG_GraphicObject& object,
                                              const CG_EGenericCurveSelectionStatus& status,
                                              const Transformation* wrapper, int erase) {
  const int count = object.ControlCount();
  for (int view = 0; view < 4; ++view) {
    PlaneViewPixels pixels;
    if (!ControlPointView(editor, view, wrapper, pixels)) continue;
    for (int i = 0; i < count; ++i) {
      const Point3D p = ControlAt(object, i);
      const MarkerColour colour = i == status.current ? kCurrentControl
                                  : IsMarked(status, i) ? kMarkedControl
                                                        : kOtherControl;
      DrawControlMarker(editor, view, pixels.Column(p), pixels.Row(p), erase, colour);
    }
  }
}

void CG_GenericCurveEditorModule::DrawSelection(CG_GraphicEditor& editor, CG_SceneEditorItem*,
                                                CG_GraphicObject& object, CG_ESelectionStatus* status, int,
                                                int drawMode, const Transformation* wrapper) {
  CG_EGenericCurveSelectionStatus* s = StatusOf(status);
  if (s == nullptr) return;
  DrawMarkers(editor, object, *s, wrapper, drawMode != 0 ? 1 : 0);
}

int CG_GenericCurveEditorModule::Pick(CG_GraphicEditor& editor, CG_GraphicObject& object,
                                      CG_EGenericCurveSelectionStatus& status, int view, int x, int y,
                                      const Transformation* wrapper) {
  PlaneViewPixels pixels;
  if (!ControlPointView(editor, view, wrapper, pixels)) return 0;
  const int hit = PickControl(
      pixels, object.ControlCount(), [&object](int i) { return ControlAt(object, i); }, x, y, editor.markSize);
  if (hit >= 0 && hit == status.current) {
    ShowControlIndex(editor, hit);
    return 0;
  }
  if (hit < 0 && status.current < 0) return 1;
  status.current = hit;
  DrawMarkers(editor, object, status, wrapper, 0);
  return 0;
}

int CG_GenericCurveEditorModule::Mouse(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
                                       CG_ESelectionStatus* status, int view, int x, int y, int flags,
                                       const Transformation* wrapper) {
  if (view < 0 || view > 3 || editor.viewModes[view] < 2) return 0;
  CG_EGenericCurveSelectionStatus* s = StatusOf(status);
  if (s == nullptr) return 4;
  const bool left = (flags & kMouseLeft) != 0;
  const bool right = (flags & kMouseRight) != 0;
  if (left && !right && s->current >= 0) {
    if ((flags & kMousePressed) != 0) s->canMove = 1;
    if ((flags & kMouseReleased) != 0) {
      s->canMove = 0;
      editor.Status("canmove=0");
    }
  }
  if (left && right) {
    if (s->current < 0 || s->canMove != 1) return 4;
    MoveCurrentTo(editor, item, object, s->current, view, x, y, wrapper);
    return 0;
  }
  if (flags == kMouseReleased + kMouseCtrl + kMouseLeft) {
    editor.Message("ctrl + left");
    return 0;
  }
  return Pick(editor, object, *s, view, x, y, wrapper);
}

int CG_GenericCurveEditorModule::Key(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
                                     CG_ESelectionStatus* status, int character, const Transformation* wrapper) {
  CG_EGenericCurveSelectionStatus* s = StatusOf(status);
  if (s == nullptr) return 4;
  const int view = editor.lastMouseView;
  const bool inPreview = view >= 0 && view <= 3 && editor.viewModes[view] == 1;
  switch (character) {
    case 'a':
      if (inPreview) return 0;
      return AddControl(editor, item, object, *s, wrapper);
    case 'd':
      return DeleteControl(editor, item, object, *s);
    case 'e':
      if (s->current >= 0) EditControl(editor, object, s->current);
      return 4;
    case 'm':
      if (inPreview || s->current < 0) return 0;
      return MoveCurrentTo(editor, item, object, s->current, view, editor.lastMouseX, editor.lastMouseY, wrapper)
                 ? 4
                 : 0;
    default:
      return 4;
  }
}

int CG_GenericCurveEditorModule::AddControl(CG_GraphicEditor& editor, CG_SceneEditorItem* item,
                                            CG_GraphicObject& object, CG_EGenericCurveSelectionStatus& status,
                                            const Transformation* wrapper) {
  // The hidden axis of the view gives the window's centre.
  Point3D q;
  int horizontal = 0, vertical = 1, flip = 0;
  if (editor.ViewPointToWorld(editor.lastMouseView, editor.lastMouseX, editor.lastMouseY, q, horizontal, vertical,
                              flip) == 0) {
    return 0;
  }
  if (wrapper != nullptr) {
    Transformation inverse;
    if (!InverseOf(*wrapper, inverse)) return 0;
    q = TransformPoint(inverse, q);
  }
  editor.SnapToGrid(q);
  const int n = object.ControlCount();
  const int c = status.current;
  bool added = false;
  ChangeCurve(editor, item, true, [&] {
    if (object.SetControlCount(n + 1) == 0) return;
    for (int i = n - 1; i > c; --i) object.CopyControl(i, i + 1);
    object.SetControl(c + 1, q);
    status.current = c + 1;
    added = true;
  });
  if (added) return 4;
  editor.Message("Sorry, cannot add a new control point.\n");
  return 0;
}

int CG_GenericCurveEditorModule::DeleteControl(CG_GraphicEditor& editor, CG_SceneEditorItem* item,
                                               CG_GraphicObject& object, CG_EGenericCurveSelectionStatus& status) {
  const int c = status.current;
  if (c < 0) return 0;
  const int n = object.ControlCount();
  const int k = MinControlCount(object);
  if (k >= n) {
    editor.Message(("Sorry, cannot delete.\nThis curve must have at least " + std::to_string(k) +
                    " control points.")
                       .c_str());
    return 0;
  }
  ChangeCurve(editor, item, true, [&] {
    for (int i = c + 1; i < n; ++i) object.CopyControl(i, i - 1);
    object.SetControlCount(n - 1);
    status.current = c - 1;
  });
  return 4;
}
