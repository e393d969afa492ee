// Projection of whole items into the views: the per-item steps and the
// editor's entry points that project one item, every item, or one view.

#include "editor/graphic_editor.h"
#include "editor/scene_editor_item.h"
#include "editor/views/projection.h"

using zavo::ViewMatrix;

void CG_GraphicEditor::ProjectItemInView(int view, CG_SceneEditorItem* item) {
  if (view < 0 || view > 3 || item == nullptr) return;
  const int mode = viewModes[view];
  if (mode == 1) {
    ProjectPreviewItem(view, item);
  } else if (mode >= 2 && mode <= 4) {
    ProjectOrthoItem(view, item);
  }
}

void CG_GraphicEditor::ProjectPreviewItem(int view, CG_SceneEditorItem* item) {
  if (view < 0 || view > 3 || item == nullptr) return;
  CG_WireFrameImage* surface = views[view];
  if (surface == nullptr) return;
  const int width = surface->GetWidth();
  const int height = surface->GetHeight();
  if (width < 1 || height < 1) return;
  const ViewMatrix M = zavo::PreviewMapping(scene, width / 2, height / 2);
  const long n = item->PartCount();
  const auto count = static_cast<std::uint32_t>(n > 0 ? n : 0);
  item->segments[view].SetSize(count);
  item->vertices[view].SetSize(count);
  for (long i = 0; i < n; ++i) {
    CG_GraphicObject* o = item->Part(i);
    if (o == nullptr) continue;
    const bool vertexFirst = item->display.style != 1 && o->IsCurve() == 0;
    if (vertexFirst && zavo::ProjectPreviewVertices(*this, view, *item, *o, M, i) != 0) continue;
    zavo::ProjectPreviewSegments(*this, view, *item, *o, M, i);
  }
}

void CG_GraphicEditor::ProjectOrthoItem(int view, CG_SceneEditorItem* item) {
  if (view < 0 || view > 3 || item == nullptr) return;
  item->drawnAsSegments[view].SetSize(0);
  CG_WireFrameImage* surface = views[view];
  if (surface == nullptr) return;
  const int width = surface->GetWidth();
  const int height = surface->GetHeight();
  if (width < 1 || height < 1) return;
  const int mode = viewModes[view];
  int hAxis = 0, vAxis = 1, flip = 0;
  GetViewAxes(mode, hAxis, vAxis, flip);
  double window[6];
  for (int k = 0; k < 6; ++k) window[k] = viewBoxes[view][k];
  FitWindowToView(window, width / 2, height / 2, hAxis, vAxis);
  const ViewMatrix M = zavo::ParallelMapping(window);
  const long n = item->PartCount();
  const auto count = static_cast<std::uint32_t>(n > 0 ? n : 0);
  item->segments[view].SetSize(count);
  item->vertices[view].SetSize(count);
  item->drawnAsSegments[view].SetSize(count);
  for (long i = 0; i < n; ++i) {
    CG_GraphicObject* o = item->Part(i);
    if (o == nullptr) continue;
    const auto at = static_cast<std::uint32_t>(i);
    item->drawnAsSegments[view][at] = false;
    const bool vertexFirst = item->display.style != 1 && o->IsCurve() == 0;
    if (vertexFirst) {
      if (zavo::ProjectOrthoVertices(*this, view, *item, *o, M, i, mode) != 0) continue;
      item->drawnAsSegments[view][at] = true;
    }
    zavo::ProjectOrthoSegments(*this, view, *item, *o, M, i, mode);
  }
}

void CG_GraphicEditor::ProjectItem(CG_SceneEditorItem* item) {
  if (item == nullptr) return;
  for (int view = 0; view < 4; ++view) {
    if (viewModes[view] != 0) ProjectItemInView(view, item);
  }
  if (options.KeepEdge == 0) item->FreeEdges();
}

int CG_GraphicEditor::ProjectAllItems() {
  CG_SceneEditorItem* item = nullptr;
  LayerItem* entry = nullptr;
  InitItemIterator(item, entry);
  while (NextItem(item, entry) != 0) ProjectItem(item);
  return 1;
}

void CG_GraphicEditor::RedrawView(int view) {
  if (view < 0 || view > 3) return;
  const int mode = viewModes[view];
  if (mode < 1 || mode > 4) return;
  CG_SceneEditorItem* item = nullptr;
  LayerItem* entry = nullptr;
  InitItemIterator(item, entry);
  while (NextItem(item, entry) != 0) {
    if (mode == 1) {
      ProjectPreviewItem(view, item);
    } else {
      ProjectOrthoItem(view, item);
      if (options.KeepEdge == 0) item->FreeEdges();
    }
  }
}
