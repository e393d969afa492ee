// The painter of the Top, Side and Front views.

#include "editor/views/wireframe_painter.h"

#include "editor/graphic_editor.h"
#include "editor/scene_editor_item.h"
#include "editor/views/projection.h"
#include "editor/views/view_mapping.h"
#include "foundation/number_text.h"
#include "geometry/clip2d.h"
#include "models/core/transf.h"
#include "scene/graphic_object.h"
#include "scene/material.h"

namespace zavo {

ParallelPixels ParallelPixels::Of(CG_WireFrameImage& surface, int flip) {
  ParallelPixels pixels;
  pixels.halfW = surface.GetWidth() / 2;
  pixels.halfH = surface.GetHeight() / 2;
  pixels.sign = flip != 0 ? -1 : 1;
  return pixels;
}

int ParallelPixels::Column(double u) const { return PixelOf(u, halfW); }
int ParallelPixels::Row(double v) const { return PixelOf(sign * v, halfH); }

}  // namespace zavo

namespace {

int Channel(double value) { return zavo::SaturateToInt(value * 255); }

// The pens of one painting: one pen for the whole item, or one per part
// (draw mode 0 with UseColor on an item that is not selected). Whatever was
// begun is ended when the painting stops, also early.
class WireframePens {
public:
  WireframePens(CG_GraphicEditor& editor, CG_WireFrameImage& surface, int mode, bool selected)
      : surface_(surface) {
    int r = 0, g = 0, b = 0;
    if (mode == 0) {
      if (selected) {
        r = Channel(editor.options.SelectedObject[0]);
        g = Channel(editor.options.SelectedObject[1]);
        b = Channel(editor.options.SelectedObject[2]);
      } else if (editor.options.UseColor != 0) {
        perPart_ = true;
        return;
      }
    } else {
      editor.GetBackgroundColor(r, g, b);
    }
    Begin(r, g, b);
  }
  ~WireframePens() {
    while (open_ > 0) End();
  }
  WireframePens(const WireframePens&) = delete;
  WireframePens& operator=(const WireframePens&) = delete;

  // The part's pen with per-part colouring: its material colour, or black.
  void BeginPart(const CG_GraphicObject& part) {
    if (!perPart_) return;
    int r = 0, g = 0, b = 0;
    if (const CG_Material* material = part.MeshMaterial()) {
      const Point3D c = material->GetColour();
      r = Channel(c.x);
      g = Channel(c.y);
      b = Channel(c.z);
    }
    Begin(r, g, b);
  }
  void EndPart() {
    if (perPart_ && open_ > 0) End();
  }

private:
  void Begin(int r, int g, int b) {
    surface_.BeginPen(r, g, b);
    ++open_;
  }
  void End() {
    surface_.EndPen();
    --open_;
  }

  CG_WireFrameImage& surface_;
  bool perPart_ = false;
  int open_ = 0;
};

void Line(CG_WireFrameImage& surface, int mode, int x1, int y1, int x2, int y2) {
  if (mode == 2) {
    surface.DrawXorLine(x1, y1, x2, y2);
  } else {
    surface.PenLine(x1, y1, x2, y2);
  }
}

CG_EObjectSelection* SelectionOf(CG_GraphicEditor& editor, const CG_SceneEditorItem* item) {
  for (CG_ESelection& s : editor.selection) {
    auto* record = dynamic_cast<CG_EObjectSelection*>(&s);
    if (record != nullptr && record->item == item) return record;
  }
  return nullptr;
}

// The stored segments of a part, as they are.
void PaintSegments(CG_WireFrameImage& surface, int mode, const SegmentList& list) {
  for (long k = 0; k < list.Size(); ++k) {
    const mvert& s = list[k];
    Line(surface, mode, s.x1, s.y1, s.x2, s.y2);
  }
}

// The object's edges between the part's projected vertices, clipped to the
// window. False when an edge names a vertex beyond the projected ones: the
// painting of the item ends there.
bool PaintEdges(CG_WireFrameImage& surface, int mode, const zavo::ParallelPixels& pixels,
                const CG_GraphicObject& part, const Seq<Point3D>& array, int step) {
  const long count = array.Count();
  const int edges = part.EdgeCount();
  for (int e = 0; e < edges; e += step) {
    int a = 0, b = 0;
    part.Edge(e, a, b);
    if (a < 0 || b < 0) continue;
    if (a < 1 || b < 1 || a > count || b > count) return false;
    const Point3D& p = array[static_cast<std::uint32_t>(a - 1)];
    const Point3D& q = array[static_cast<std::uint32_t>(b - 1)];
    double ua = p.x, va = p.y, ub = q.x, vb = q.y;
    if (!ClipSegment2D(ua, va, ub, vb, -1.0, -1.0, 1.0, 1.0)) continue;
    Line(surface, mode, pixels.Column(ua), pixels.Row(va), pixels.Column(ub), pixels.Row(vb));
  }
  return true;
}

// Paints every part; stops at the first part or edge beyond the projected data.
void PaintParts(CG_WireFrameImage& surface, int mode, const zavo::ParallelPixels& pixels,
                CG_SceneEditorItem& item, int view, WireframePens& pens) {
  const Seq<SegmentList>& lists = item.segments[view];
  const Seq<Seq<Point3D>>& arrays = item.vertices[view];
  const Seq<bool>& asSegments = item.drawnAsSegments[view];
  const int step = zavo::FastviewStep(item);
  const long parts = lists.Count();
  for (long d = 0; d < parts; ++d) {
    const CG_GraphicObject* part = item.Part(d);
    if (part == nullptr) return;
    const auto i = static_cast<std::uint32_t>(d);
    pens.BeginPart(*part);
    const bool segmentsOnly = item.display.style == 1 || part->IsCurve() != 0 ||
                              (d < asSegments.Count() && asSegments[i]);
    if (segmentsOnly) {
      PaintSegments(surface, mode, lists[i]);
    } else if (d >= arrays.Count()) {
      pens.EndPart();
      return;
    } else if (arrays[i].Count() != 0 && !PaintEdges(surface, mode, pixels, *part, arrays[i], step)) {
      pens.EndPart();
      return;
    }
    pens.EndPart();
  }
}

// The selection marks of the item's object, drawn by the object's editor
// module with the wrapper's matrix when the object sits in a transf.
void DrawSelectionMarks(CG_GraphicEditor& editor, int view, CG_SceneEditorItem* item,
                        CG_EObjectSelection& record, int mode) {
  if (item->object == nullptr) return;
  CG_GraphicObject* object = item->object;
  CG_GraphicObject* wrapper = nullptr;
  editor.FindObject(item->object, object, wrapper);
  if (object == nullptr) return;
  CG_ObjectEditorModule* module = editor.FindObjectModule(object->Keyword());
  if (module == nullptr || record.status == nullptr) return;
  auto* transf = dynamic_cast<GTransf*>(wrapper);
  module->DrawSelection(editor, item, *object, record.status, view, mode,
                        transf != nullptr ? &transf->Forward() : nullptr);
}

}  // namespace

void DrawWireframeObjects(CG_GraphicEditor& editor, int view, CG_SceneEditorItem* item, int mode) {
  if (view < 0 || view > 3 || item == nullptr) return;
  CG_WireFrameImage* surface = editor.views[view];
  const int viewMode = editor.viewModes[view];
  if (surface == nullptr || viewMode < 2 || viewMode > 4) return;
  CG_EObjectSelection* record = SelectionOf(editor, item);
  int horizontal = 0, vertical = 1, flip = 0;
  editor.GetViewAxes(viewMode, horizontal, vertical, flip);
  const zavo::ParallelPixels pixels = zavo::ParallelPixels::Of(*surface, flip);
  if (pixels.halfW < 0 || pixels.halfH < 0) return;
  {
    WireframePens pens(editor, *surface, mode, record != nullptr);
    PaintParts(*surface, mode, pixels, *item, view, pens);
  }
  // A mouse manipulation hides the marks until its click completes it.
  if (record != nullptr && editor.objectEditing != 0 && editor.selectionMarksShown != 0) {
    DrawSelectionMarks(editor, view, item, *record, mode);
  }
}
