#include "editor/modules/patch_model_module.h"

#include <vector>

#include "editor/graphic_editor.h"
#include "editor/modules/apply_field.h"
#include "editor/modules/control_points.h"

using namespace zavo;

namespace {

CG_EGenericPModelSelectionStatus* StatusOf(CG_ESelectionStatus* status) {
  return dynamic_cast<CG_EGenericPModelSelectionStatus*>(status);
}

Point3D ControlAt(const CG_PatchModelBased& points, int i) {
  Point3D p;
  points.GetControl(i, p);
  return p;
}

}  // namespace

std::unique_ptr<CG_ESelectionStatus> CG_GenericPModelEditorModule::NewSelectionStatus() {
  if (CanEditControls() == 0) return nullptr;
  return std::make_unique<CG_EGenericPModelSelectionStatus>();
}

void CG_GenericPModelEditorModule::DrawMarkers(CG_GraphicEditor& editor, CG_PatchModelBased& points, int current,
                                               int erase) {
  const int count = points.ControlCount();
  const bool all = ShowAllControls() != 0;
  for (int view = 0; view < 4; ++view) {
    PlaneViewPixels pixels;
    if (!ControlPointView(editor, view, nullptr, pixels)) continue;
    for (int i = all ? 0 : current; i < count && i >= 0; ++i) {
      const Point3D p = ControlAt(points, i);
      const MarkerColour colour = i == current ? kCurrentControl : kOtherControl;
      DrawControlMarker(editor, view, pixels.Column(p), pixels.Row(p), erase, colour);
      if (!all) break;
    }
  }
}

void CG_GenericPModelEditorModule::DrawSelection(CG_GraphicEditor& editor, CG_SceneEditorItem*,
                                                 CG_GraphicObject& object, CG_ESelectionStatus* status, int,
                                                 int drawMode, const Transformation*) {
  if (CanEditControls() == 0) return;
  CG_EGenericPModelSelectionStatus* s = StatusOf(status);
  CG_PatchModelBased* points = ControlPoints(object);
  if (s == nullptr || points == nullptr) return;
  DrawMarkers(editor, *points, s->current, drawMode != 0 ? 1 : 0);
}

int CG_GenericPModelEditorModule::Mouse(CG_GraphicEditor& editor, CG_SceneEditorItem*, CG_GraphicObject& object,
                                        CG_ESelectionStatus* status, int view, int x, int y, int flags,
                                        const Transformation*) {
  if (CanEditControls() == 0 || (flags & kMouseRight) != 0) return 4;
  CG_EGenericPModelSelectionStatus* s = StatusOf(status);
  CG_PatchModelBased* points = ControlPoints(object);
  if (s == nullptr || points == nullptr) return 4;
  PlaneViewPixels pixels;
  if (!ControlPointView(editor, view, nullptr, pixels)) return 0;
  const int hit = PickControl(
      pixels, points->ControlCount(), [points](int i) { return ControlAt(*points, i); }, x, y, editor.markSize);
  if (hit >= 0 && hit == s->current) {
    ShowControlIndex(editor, hit);
    return 0;
  }
  if (hit < 0 && s->current < 0) return 1;
  // Without markers for every point the old one would stay behind.
  if (ShowAllControls() == 0) DrawMarkers(editor, *points, s->current, 1);
  s->current = hit;
  DrawMarkers(editor, *points, s->current, 0);
  return 0;
}

int CG_GenericPModelEditorModule::Key(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
                                      CG_ESelectionStatus* status, int character, const Transformation*) {
  if (CanEditControls() == 0) return 4;
  CG_EGenericPModelSelectionStatus* s = StatusOf(status);
  CG_PatchModelBased* points = ControlPoints(object);
  if (s == nullptr || points == nullptr) return 4;
  switch (character) {
    case 'f':
    case 'g':
      ChooseField(editor, item, *points);
      return 4;
    case 'm':
      return MoveCurrent(editor, item, *points, *s);
    default:
      return 4;
  }
}

void CG_GenericPModelEditorModule::ChooseField(CG_GraphicEditor& editor, CG_SceneEditorItem* item,
                                               CG_PatchModelBased& points) {
  std::vector<const CG_GraphicObject*> found;
  CG_SceneEditorItem* shown = nullptr;
  LayerItem* entry = nullptr;
  editor.InitItemIterator(shown, entry);
  while (editor.NextItem(shown, entry) != 0) {
    if (shown->object != nullptr && shown->object->IsField() != 0) found.push_back(shown->object);
  }
  Seq<charString> fields(static_cast<std::uint32_t>(found.size()));
  for (std::uint32_t i = 0; i < fields.Count(); ++i) fields[i] = found[i]->name;
  const charString chosen = editor.ChooseFromList("Choose field", fields);
  if (chosen.Text() == nullptr) return;
  ApplyFieldDialog(editor, item, chosen.Text(), points);
}

int CG_GenericPModelEditorModule::MoveCurrent(CG_GraphicEditor& editor, CG_SceneEditorItem* item,
                                              CG_PatchModelBased& points, CG_EGenericPModelSelectionStatus& status) {
  const int view = editor.lastMouseView;
  if (view < 0 || view > 3 || editor.viewModes[view] == 1 || status.current < 0) return 0;
  Point3D q;
  int horizontal = 0, vertical = 1, flip = 0;
  if (editor.ViewPointToWorld(view, editor.lastMouseX, editor.lastMouseY, q, horizontal, vertical, flip) == 0) {
    return 0;
  }
  Point3D p;
  if (points.GetControl(status.current, p) == 0) return 0;
  points.SetControl(status.current, WithShownAxes(p, q, horizontal, vertical));
  points.UpdateModel();
  // The update may merge points that came to lie together.
  if (status.current >= points.ControlCount()) status.current = -1;
  editor.RebuildItem(item);
  return 4;
}
