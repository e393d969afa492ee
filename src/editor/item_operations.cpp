// One transformation step on an item's object, grid snapping and the redraw
// of the Preview views from the camera in use.

#include <cmath>
#include <memory>

#include "editor/graphic_editor.h"
#include "editor/transform_wrapping.h"

namespace {

enum class StepKind { kTranslate, kRotate, kScale };

}  // namespace

static CG_SceneEditorItem* ApplyStep(CG_GraphicEditor& editor, CG_SceneEditorItem* item, StepKind kind,
                                     double x, double y, double z) {
  if (item == nullptr || item->object == nullptr) return nullptr;
  const IntTriple settings = item->display;
  const std::int32_t extra = item->displayExtra;
  const Point3D centre = item->centre;
  CG_GraphicObject* object = item->object;
  // The old item leaves the list now and is destroyed once its layer
  // entries and selection records have been handed over.
  editor.items.Remove(item);
  std::unique_ptr<CG_SceneEditorItem> old(item);

  auto* wrapper = dynamic_cast<GTransf*>(object);
  if (wrapper == nullptr) {
    std::unique_ptr<GTransf> made = settings.centre != 0 ? WrapInTransformAt(editor, object, centre)
                                                         : WrapInTransform(editor, object);
    wrapper = made.get();
    if (made == nullptr || editor.scene.AddObject(std::move(made)) == 0) wrapper = nullptr;
  }
  if (wrapper != nullptr) {
    switch (kind) {
      case StepKind::kTranslate:
        AddTranslation(editor, wrapper, x, y, z);
        break;
      case StepKind::kRotate:
        if (settings.centre != 0) {
          InsertRotationAt(editor, wrapper, x, y, z);
        } else {
          InsertRotation(editor, wrapper, x, y, z);
        }
        break;
      case StepKind::kScale:
        if (settings.centre != 0) {
          InsertScaleAt(editor, wrapper, x, y, z);
        } else {
          InsertScale(editor, wrapper, x, y, z);
        }
        break;
    }
  }
  CG_SceneEditorItem* created = editor.CreateItem(wrapper);
  editor.ReplaceItem(created, old.get());
  if (created != nullptr) {
    created->display = settings;
    created->displayExtra = extra;
    editor.InsertItem(created);
  }
  return created;
}

CG_SceneEditorItem* CG_GraphicEditor::TranslateItem(CG_SceneEditorItem* item, double x, double y, double z) {
  return ApplyStep(*this, item, StepKind::kTranslate, x, y, z);
}

CG_SceneEditorItem* CG_GraphicEditor::RotateItem(CG_SceneEditorItem* item, double x, double y, double z) {
  return ApplyStep(*this, item, StepKind::kRotate, x, y, z);
}

CG_SceneEditorItem* CG_GraphicEditor::ScaleItem(CG_SceneEditorItem* item, double x, double y, double z) {
  return ApplyStep(*this, item, StepKind::kScale, x, y, z);
}

void CG_GraphicEditor::SnapToGrid(Point3D& point) const {
  if (options.UseGrid == 0) return;
  const double d = options.GridDim;
  // A spacing of 0 (or one that is not a number) has no grid to snap to.
  if (d == 0.0 || !std::isfinite(d)) return;
  point = Point3D(std::floor(point.x / d) * d, std::floor(point.y / d) * d, std::floor(point.z / d) * d);
}

void CG_GraphicEditor::RedrawAll() {
  CG_GraphicObject* camera = scene.GetCurrentCamera();
  if (camera == nullptr) return;
  CG_ViewReference view = scene.GetViewReference();
  if (camera->GetView(view) != 0) scene.SetViewReference(view);
  RepaintPreviewViews();
}

void CG_GraphicEditor::RedrawIfCurrent(const CG_GraphicObject* object) {
  if (object != nullptr && object == scene.GetCurrentCamera()) RedrawAll();
}
