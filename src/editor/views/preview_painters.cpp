// The painters of the Preview view: an item drawn from its projected
// vertices and the object's own edge list, or from its pixel segments.
// Columns are mirrored when drawn. Draw mode 0 draws (in the part's material
// colour with UseColor, else black), 1 draws in the background colour, 2
// inverts. The Preview painters mark nothing as selected.

#include <algorithm>

#include "editor/graphic_editor.h"
#include "editor/scene_editor_item.h"
#include "editor/views/projection.h"
#include "foundation/number_text.h"
#include "geometry/clip2d.h"
#include "scene/graphic_object.h"
#include "scene/material.h"

namespace {

// The pens of one painting: one pen for the whole item, or one per part.
class PreviewPens {
public:
  PreviewPens(CG_GraphicEditor& editor, CG_WireFrameImage& surface, int mode)
      : surface_(surface), perPart_(mode == 0 && editor.options.UseColor != 0) {
    if (perPart_) return;
    int r = 0, g = 0, b = 0;
    if (mode == 1 || mode == 2) editor.GetBackgroundColor(r, g, b);
    surface_.BeginPen(r, g, b);
  }
  ~PreviewPens() {
    if (!perPart_) surface_.EndPen();
  }
  PreviewPens(const PreviewPens&) = delete;
  PreviewPens& operator=(const PreviewPens&) = delete;

  // The part's pen: its material colour, black without a material.
  void BeginPart(const CG_GraphicObject* o) {
    if (!perPart_) return;
    int r = 0, g = 0, b = 0;
    if (const CG_Material* material = o != nullptr ? o->MeshMaterial() : nullptr) {
      const Point3D c = material->GetColour();
      r = zavo::SaturateToInt(c.x * 255);
      g = zavo::SaturateToInt(c.y * 255);
      b = zavo::SaturateToInt(c.z * 255);
    }
    surface_.BeginPen(r, g, b);
  }
  void EndPart() {
    if (perPart_) surface_.EndPen();
  }

private:
  CG_WireFrameImage& surface_;
  bool perPart_;
};

void Line(CG_WireFrameImage& surface, int mode, int x1, int y1, int x2, int y2) {
  if (mode == 2) {
    surface.DrawXorLine(x1, y1, x2, y2);
  } else {
    surface.PenLine(x1, y1, x2, y2);
  }
}

}  // namespace

void CG_GraphicEditor::GetBackgroundColor(int& r, int& g, int& b) const {
  r = zavo::SaturateToInt(options.Background[0] * 255);
  g = zavo::SaturateToInt(options.Background[1] * 255);
  b = zavo::SaturateToInt(options.Background[2] * 255);
}

void CG_GraphicEditor::DrawPreviewVertices(int view, CG_SceneEditorItem* item, int mode) {
  if (options.DirectDraw != 0 || view < 0 || view > 3 || item == nullptr) return;
  CG_WireFrameImage* surface = views[view];
  if (surface == nullptr) return;
  const int halfW = surface->GetWidth() / 2;
  const int halfH = surface->GetHeight() / 2;
  PreviewPens pens(*this, *surface, mode);
  const int step = zavo::FastviewStep(*item);
  const Seq<Seq<Point3D>>& arrays = item->vertices[view];
  const long parts = std::min<long>(arrays.Count(), item->PartCount());
  for (long d = 0; d < parts; ++d) {
    const Seq<Point3D>& array = arrays[static_cast<std::uint32_t>(d)];
    if (array.Count() == 0) continue;
    const CG_GraphicObject* o = item->Part(d);
    if (o == nullptr) continue;
    pens.BeginPart(o);
    const long count = array.Count();
    const int edges = o->EdgeCount();
    for (int e = 0; e < edges; e += step) {
      int a = 0, b = 0;
      o->Edge(e, a, b);
      if (a < 0 || b < 0) continue;
      // An edge beyond the projected vertices ends the item's painting.
      if (a < 1 || b < 1 || a > count || b > count) {
        pens.EndPart();
        return;
      }
      const Point3D& p = array[static_cast<std::uint32_t>(a - 1)];
      const Point3D& q = array[static_cast<std::uint32_t>(b - 1)];
      if (!(p.z < 0) || !(q.z < 0)) continue;
      double ua = p.x / p.z, va = p.y / p.z;
      double ub = q.x / q.z, vb = q.y / q.z;
      if (!ClipSegment2D(ua, va, ub, vb, -1.0, -1.0, 1.0, 1.0)) continue;
      const int ca = zavo::PixelOf(ua, halfW), ra = zavo::PixelOf(va, halfH);
      const int cb = zavo::PixelOf(ub, halfW), rb = zavo::PixelOf(vb, halfH);
      Line(*surface, mode, 2 * halfW - ca, ra, 2 * halfW - cb, rb);
    }
    pens.EndPart();
  }
}

void CG_GraphicEditor::DrawPreviewSegments(int view, CG_SceneEditorItem* item, int mode) {
  if (view < 0 || view > 3 || item == nullptr) return;
  CG_WireFrameImage* surface = views[view];
  if (surface == nullptr) return;
  const int halfW = surface->GetWidth() / 2;
  PreviewPens pens(*this, *surface, mode);
  const Seq<SegmentList>& lists = item->segments[view];
  const long parts = std::min<long>(lists.Count(), item->PartCount());
  for (long d = 0; d < parts; ++d) {
    const SegmentList& list = lists[static_cast<std::uint32_t>(d)];
    pens.BeginPart(item->Part(d));
    for (long k = 0; k < list.Size(); ++k) {
      const mvert& s = list[k];
      Line(*surface, mode, 2 * halfW - s.x1, s.y1, 2 * halfW - s.x2, s.y2);
    }
    pens.EndPart();
  }
}
