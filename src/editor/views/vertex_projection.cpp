// The vertex path: a part's vertices projected once per view; the painters
// walk the object's own edge list at drawing time.

#include <algorithm>
#include <cmath>
#include <string>

#include "editor/graphic_editor.h"
#include "editor/scene_editor_item.h"
#include "editor/views/projection.h"
#include "foundation/number_text.h"
#include "scene/graphic_object.h"

namespace zavo {

namespace {

// Stores row r0, r1 (and r2 when r2 >= 0) of M' applied to every vertex.
void ProjectAll(CG_GraphicEditor& editor, const CG_SceneEditorItem& item, const CG_GraphicObject& o,
                const ViewMatrix& M, int r0, int r1, int r2, Seq<Point3D>& out) {
  const int n = o.VertexCount();
  const bool progress = n > 400;
  if (progress) {
    std::string text = "EProjecting vertices for ";
    if (item.object != nullptr && item.object->name.Text() != nullptr) text += item.object->name.Text();
    editor.Status(text.c_str());
  }
  ViewMatrix m = M;
  const bool transformed = o.HasVertexTransform() != 0;
  if (transformed) {
    Transformation t;
    IdentityTransformation(t);
    o.GetVertexTransform(t);
    m = M.Times(t);
  }
  out.SetSize(n > 0 ? static_cast<std::uint32_t>(n) : 0);
  for (int k = 0; k < n; ++k) {
    Point3D p;
    if (transformed) {
      o.RawVertex(k, p);
    } else {
      o.Vertex(k, p);
    }
    Point3D& q = out[static_cast<std::uint32_t>(k)];
    q.x = m.Row(r0, p);
    q.y = m.Row(r1, p);
    if (r2 >= 0) q.z = m.Row(r2, p);
  }
  if (progress) editor.Status("");
}

// The part's vertex array in a view, the view's arrays sized to the item's
// parts first when a caller has not done so.
Seq<Point3D>& PartVertices(CG_SceneEditorItem& item, int view, long part) {
  Seq<Seq<Point3D>>& arrays = item.vertices[view];
  if (arrays.Count() <= static_cast<std::uint32_t>(part)) {
    arrays.Resize(static_cast<std::uint32_t>(std::max(item.PartCount(), part + 1)));
  }
  return arrays[static_cast<std::uint32_t>(part)];
}

}  // namespace

int ProjectPreviewVertices(CG_GraphicEditor& editor, int view, CG_SceneEditorItem& item, CG_GraphicObject& o,
                           const ViewMatrix& M, long part) {
  if (item.object != nullptr && item.object == editor.scene.GetCurrentCamera()) return 1;
  if (o.IsCurve() != 0 || o.IsFaced(0) == 0) return 1;
  Seq<Point3D>& array = PartVertices(item, view, part);
  if (item.display.style == 1 || editor.options.DirectDraw != 0) {
    array.SetSize(0);
    return 0;
  }
  ProjectAll(editor, item, o, M, 0, 1, 3, array);
  return 1;
}

int ProjectOrthoVertices(CG_GraphicEditor& editor, int view, CG_SceneEditorItem& item, CG_GraphicObject& o,
                         const ViewMatrix& M, long part, int viewType) {
  if (o.IsFaced(0) == 0) return 1;
  CG_WireFrameImage* surface = editor.views[view];
  if (surface == nullptr) return 1;
  const int halfW = surface->GetWidth() / 2;
  int hAxis = 0, vAxis = 1, flip = 0;
  editor.GetViewAxes(viewType, hAxis, vAxis, flip);
  bool tiny = false;
  GEO_Box box;
  if (CG_GraphicObject::GetBox(&o, box) != 0) {
    const Range2D object = BoxRange2D(box, hAxis, vAxis);
    const Range2D window = BoxRange2D(WindowBox(editor.viewBoxes[view]), hAxis, vAxis);
    if (RangesApart(window, object)) return 1;
    const int w =
        SaturateToInt(std::fabs(object.hmax - object.hmin) / std::fabs(window.hmax - window.hmin) * halfW * 2);
    const int hgt =
        SaturateToInt(std::fabs(object.vmax - object.vmin) / std::fabs(window.vmax - window.vmin) * halfW * 2);
    tiny = (w < 1 || hgt < 1) && o.IsCurve() == 0;
  }
  Seq<Point3D>& array = PartVertices(item, view, part);
  if (item.display.style == 1 || editor.options.DirectDraw != 0 || tiny) {
    array.SetSize(0);
    return 0;
  }
  ProjectAll(editor, item, o, M, hAxis, vAxis, -1, array);
  return 1;
}

}  // namespace zavo
