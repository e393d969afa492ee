// Painting a whole view over what it shows: the axes, the items, the lamp
// glyphs, the active-view marker, the mapping frame and the title; and the
// small decorations on their own.

#include "editor/graphic_editor.h"
#include "editor/views/plane_view_pixels.h"
#include "editor/views/view_mapping.h"

namespace {

const char* ViewTitle(const CG_GraphicEditor& editor, int mode) {
  switch (mode) {
    case 1: {
      const CG_GraphicObject* camera = editor.scene.GetCurrentCamera();
      if (camera == nullptr) return "Preview";
      return camera->name.Text() != nullptr ? camera->name.Text() : "";
    }
    case 2: return "Top";
    case 3: return "Side";
    case 4: return "Front";
    default: return nullptr;
  }
}

}  // namespace

void CG_GraphicEditor::RefreshView(int view) {
  if (view < 0 || view > 3) return;
  const int mode = viewModes[view];
  CG_WireFrameImage* surface = views[view];
  if (mode < 1 || mode > 4 || surface == nullptr) return;
  const bool parallel = mode >= 2;
  if (parallel && showAxes != 0) DrawAxes(view);
  CG_SceneEditorItem* item = nullptr;
  LayerItem* entry = nullptr;
  InitItemIterator(item, entry);
  while (NextItem(item, entry) != 0) DrawItemInView(view, item);
  if (parallel) {
    for (CG_LightSource& lamp : scene.GetLights()) DrawLampGlyphInView(view, &lamp);
    if (view == activeView) DrawCursor(view);
    if (mappingEdit != 0) ShowMappingFrame(view);
  }
  const int width = surface->GetWidth();
  const int height = surface->GetHeight();
  if (width < 0 || height < 0) return;
  const char* title = ViewTitle(*this, mode);
  int tw = 0, th = 0;
  surface->TextSize(title, tw, th);
  surface->DrawText(title, width - tw - markSize, markSize);
}

void CG_GraphicEditor::RefreshViews() {
  for (int v = 0; v < 4; ++v) {
    if (viewModes[v] != 0) RefreshView(v);
  }
}

namespace {

void PaintCursor(CG_GraphicEditor& editor, int view, int r, int g, int b) {
  if (view < 0 || view > 3 || editor.views[view] == nullptr) return;
  const int m = editor.markSize;
  editor.views[view]->FillTriangle(0, 0, 2 * m, 0, 0, 2 * m, r, g, b);
}

}  // namespace

void CG_GraphicEditor::DrawCursor(int view) { PaintCursor(*this, view, 0, 55, 0); }

void CG_GraphicEditor::EraseCursor(int view) {
  int r = 0, g = 0, b = 0;
  GetBackgroundColor(r, g, b);
  PaintCursor(*this, view, r, g, b);
}

void CG_GraphicEditor::DrawAxes(int view) {
  zavo::PlaneViewPixels pv;
  if (!zavo::FitPlaneView(*this, view, pv)) return;
  const Point3D origin(0, 0, 0);
  const int column = pv.Column(origin);
  const int row = pv.Row(origin);
  const int halfW = pv.halfW, halfH = pv.halfH;
  if (column >= 1 && column < 2 * halfW) pv.surface->DrawLine(column, 0, column, 2 * halfH, 150, 0, 0);
  if (row >= 1 && row < 2 * halfH) pv.surface->DrawLine(0, row, 2 * halfW, row, 150, 0, 0);
}

namespace {

void PaintMappingFrame(CG_GraphicEditor& editor, int view, int erase) {
  if (editor.currentMapping == nullptr) return;
  const char* type = editor.currentMapping->TypeName();
  if (type == nullptr) return;
  CG_MappingEditorModule* module = nullptr;
  for (CG_MappingEditorModule& m : editor.mappingModules) {
    if (m.keyword == type) {
      module = &m;
      break;
    }
  }
  if (module != nullptr) module->DrawFrame(editor, view, *editor.currentMapping, erase);
}

}  // namespace

void CG_GraphicEditor::ShowMappingFrame(int view) { PaintMappingFrame(*this, view, 0); }

void CG_GraphicEditor::HideMappingFrame(int view) { PaintMappingFrame(*this, view, 1); }
