// The segment path: edge tables, projected vertices of one part, clipped
// pixel segments, and bounding boxes drawn as twelve segments.

#include "editor/views/projection.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "editor/graphic_editor.h"
#include "editor/scene_editor_item.h"
#include "foundation/number_text.h"
#include "geometry/clip2d.h"
#include "scene/graphic_object.h"

namespace zavo {

namespace {

constexpr int kProgressThreshold = 400;

// The progress text of one step: prefix and the item's object name, only for
// objects of more than 400 vertices.
class Progress {
public:
  Progress(CG_GraphicEditor& editor, const CG_SceneEditorItem& item, long n)
      : editor_(editor), item_(item), on_(n > kProgressThreshold) {}
  void Step(const char* prefix) {
    if (!on_) return;
    std::string text = prefix;
    if (item_.object != nullptr && item_.object->name.Text() != nullptr) text += item_.object->name.Text();
    editor_.Status(text.c_str());
  }
  void End() {
    if (on_) editor_.Status("");
  }

private:
  CG_GraphicEditor& editor_;
  const CG_SceneEditorItem& item_;
  bool on_;
};

// What the segment path of one view needs besides the matrix.
struct SegmentView {
  int halfW = 0;
  int halfH = 0;
  bool preview = false;
  int hAxis = 0;  // rows of the matrix giving u and v (parallel views)
  int vAxis = 1;
  int sign = 1;   // -1 on a flipped vertical axis
  bool clip = true;
};

// The matrix for a part: M x T with the raw geometry for a transformed part.
ViewMatrix PartMatrix(const CG_GraphicObject& o, const ViewMatrix& M, bool& transformed) {
  transformed = o.HasVertexTransform() != 0;
  if (!transformed) return M;
  Transformation t;
  IdentityTransformation(t);
  o.GetVertexTransform(t);
  return M.Times(t);
}

void PartVertex(const CG_GraphicObject& o, bool transformed, int k, Point3D& p) {
  if (transformed) {
    o.RawVertex(k, p);
  } else {
    o.Vertex(k, p);
  }
}

// Normalised coordinates of a point; false when it is not usable (Preview:
// not in front of the eye).
bool Normalised(const SegmentView& sv, const ViewMatrix& m, const Point3D& p, double& u, double& v) {
  if (sv.preview) {
    const double w = m.Row(3, p);
    if (!(w < 0)) return false;
    u = m.Row(0, p) / w;
    v = m.Row(1, p) / w;
    return true;
  }
  u = m.Row(sv.hAxis, p);
  v = m.Row(sv.vAxis, p);
  return true;
}

// Appends the segment between two normalised points, clipped when asked.
void AppendSegment(SegmentList& list, const SegmentView& sv, bool clip, double u1, double v1, double u2,
                   double v2) {
  if (clip && !ClipSegment2D(u1, v1, u2, v2, -1.0, -1.0, 1.0, 1.0)) return;
  const double s = sv.sign;
  mvert seg;
  seg.x1 = SaturateToShort(sv.halfW * u1 + sv.halfW);
  seg.y1 = SaturateToShort(s * v1 * sv.halfH + sv.halfH);
  seg.x2 = SaturateToShort(sv.halfW * u2 + sv.halfW);
  seg.y2 = SaturateToShort(s * v2 * sv.halfH + sv.halfH);
  const long at = list.Size();
  list.SetSize(at + 1);
  list[at] = seg;
}

// The part's box as twelve segments, every edge clipped to the view.
void BoxSegments(const SegmentView& sv, const CG_GraphicObject& o, const ViewMatrix& M, SegmentList& list) {
  bool transformed = false;
  const ViewMatrix m = PartMatrix(o, M, transformed);
  GEO_Box box;
  if (transformed ? o.RawBox(box) == 0 : CG_GraphicObject::GetBox(&o, box) == 0) return;
  const double xs[2] = {box.xmin, box.xmax};
  const double ys[2] = {box.ymin, box.ymax};
  const double zs[2] = {box.zmin, box.zmax};
  double u[8], v[8];
  bool usable[8];
  for (int c = 0; c < 8; ++c) {
    usable[c] = Normalised(sv, m, {xs[c & 1], ys[(c >> 1) & 1], zs[(c >> 2) & 1]}, u[c], v[c]);
  }
  // Corner c has bit 0 for x, bit 1 for y, bit 2 for z: an edge joins two
  // corners that differ in one bit.
  for (int c = 0; c < 8; ++c) {
    for (int bit = 1; bit < 8; bit <<= 1) {
      const int d = c | bit;
      if (d == c || !usable[c] || !usable[d]) continue;
      AppendSegment(list, sv, true, u[c], v[c], u[d], v[d]);
    }
  }
}

// The edges of the part's table projected into its segment list.
void EdgeSegments(CG_GraphicEditor& editor, const SegmentView& sv, CG_SceneEditorItem& item,
                  const CG_GraphicObject& o, const ViewMatrix& M, long part, SegmentList& list) {
  EdgeTable& table = item.edges[static_cast<std::uint32_t>(part)];
  // A table kept from an earlier projection may be longer than the object
  // now is: only vertices that both know are used.
  const long n = std::min<long>(o.VertexCount(), table.Size());
  Progress progress(editor, item, o.VertexCount());
  progress.Step("Projecting vertices for ");
  bool transformed = false;
  const ViewMatrix m = PartMatrix(o, M, transformed);
  FragmentedSeq<VData, long> data;
  data.SetSize(std::max<long>(n, 0));
  for (long k = 0; k < n; ++k) {
    if (table[k].useCount <= 0) continue;
    Point3D p;
    PartVertex(o, transformed, static_cast<int>(k), p);
    VData& d = data[k];
    d.hidden = Normalised(sv, m, p, d.u, d.v) ? 0 : 1;
  }
  progress.Step("Creating lines for ");
  list.Clear();
  for (long a = 0; a < n; ++a) {
    const FragmentedSeq<int, int>& next = table[a].neighbours;
    for (int j = 0; j < next.Size(); ++j) {
      const int b = next[j];
      if (b < 0 || b >= n) continue;
      const VData& p = data[a];
      const VData& q = data[b];
      if (p.hidden != 0 || q.hidden != 0) continue;
      AppendSegment(list, sv, sv.clip, p.u, p.v, q.u, q.v);
    }
  }
  progress.End();
  data.Clear();
}

// The part's segment list in a view; the view's lists are sized to the
// item's parts first when a caller has not done so.
SegmentList& PartSegments(CG_SceneEditorItem& item, int view, long part) {
  Seq<SegmentList>& lists = item.segments[view];
  if (lists.Count() <= static_cast<std::uint32_t>(part)) {
    lists.Resize(static_cast<std::uint32_t>(std::max(item.PartCount(), part + 1)));
  }
  return lists[static_cast<std::uint32_t>(part)];
}

}  // namespace

int FastviewStep(const CG_SceneEditorItem& item) {
  return item.display.style == 2 ? std::max(1, static_cast<int>(item.display.fastview)) : 1;
}

void AddEdge(EdgeTable& table, int a, int b) {
  if (b < a) std::swap(a, b);
  ++table[a].useCount;
  ++table[b].useCount;
  FragmentedSeq<int, int>& list = table[a].neighbours;
  for (int j = 0; j < list.Size(); ++j) {
    if (list[j] == b) return;
  }
  const int at = list.Size();
  list.SetSize(at + 1);
  list[at] = b;
}

void BuildEdges(CG_GraphicEditor& editor, CG_SceneEditorItem& item, const CG_GraphicObject& o, long part,
                bool withCurves) {
  if (item.edges.Count() <= static_cast<std::uint32_t>(part)) {
    item.edges.Resize(static_cast<std::uint32_t>(item.PartCount()));
    if (item.edges.Count() <= static_cast<std::uint32_t>(part)) return;
  }
  EdgeTable& table = item.edges[static_cast<std::uint32_t>(part)];
  if (table.Size() != 0) return;
  const int n = o.VertexCount();
  if (n <= 0) return;
  Progress progress(editor, item, n);
  progress.Step("Building edges for ");
  table.Clear();
  table.SetSize(n);
  const auto offer = [&](int a, int b) {
    if (a >= 0 && a < n && b >= 0 && b < n) AddEdge(table, a, b);
  };
  if (o.IsCurve() != 0) {
    if (!withCurves) return;
    for (int k = 0; k + 1 < n; ++k) offer(k, k + 1);
    if (o.GetOpen() == 0) offer(n - 1, 0);
    return;
  }
  const int step = FastviewStep(item);
  const bool thinned = item.display.style == 2;
  long f = 0;
  Seq<int> indices;
  const int faces = o.FaceCount();
  for (int l = 0; l < faces; ++l) {
    const bool skip = thinned && f % step != 0;
    ++f;
    if (skip) continue;
    const int loops = o.FaceLoopCount(l);
    for (int m = 0; m < loops; ++m) {
      o.FaceIndices(l, m, indices);
      const int k = static_cast<int>(indices.Count());
      for (int j = 0; j < k; ++j) {
        if (indices[j] < 0) continue;
        const int next = indices[(j + 1) % k];
        offer(std::abs(indices[j]) - 1, std::abs(next) - 1);
      }
      indices.SetSize(0);
    }
  }
}

void ProjectOrthoSegments(CG_GraphicEditor& editor, int view, CG_SceneEditorItem& item, CG_GraphicObject& o,
                          const ViewMatrix& M, long part, int viewType) {
  if (o.IsFaced(0) == 0) return;
  CG_WireFrameImage* surface = editor.views[view];
  if (surface == nullptr) return;
  SegmentView sv;
  sv.halfW = surface->GetWidth() / 2;
  sv.halfH = surface->GetHeight() / 2;
  int flip = 0;
  editor.GetViewAxes(viewType, sv.hAxis, sv.vAxis, flip);
  sv.sign = flip != 0 ? -1 : 1;
  const bool curve = o.IsCurve() != 0;
  bool asBox = false;
  GEO_Box box;
  if (CG_GraphicObject::GetBox(&o, box) != 0) {
    const Range2D object = BoxRange2D(box, sv.hAxis, sv.vAxis);
    const Range2D window = BoxRange2D(WindowBox(editor.viewBoxes[view]), sv.hAxis, sv.vAxis);
    if (RangesApart(window, object)) return;
    sv.clip = RangeInside(object, window) == 0;
    const int w = SaturateToInt(std::fabs(object.hmax - object.hmin) / std::fabs(window.hmax - window.hmin) *
                                sv.halfW * 2);
    const int hgt = SaturateToInt(std::fabs(object.vmax - object.vmin) / std::fabs(window.vmax - window.vmin) *
                                  sv.halfW * 2);
    if (w < 0 && hgt < 0) return;
    if ((w < 3 || hgt < 3) && !curve) asBox = true;
  }
  if (item.display.style == 1 || editor.options.DirectDraw != 0) asBox = true;
  SegmentList& list = PartSegments(item, view, part);
  if (asBox) {
    list.Clear();
    BoxSegments(sv, o, M, list);
    return;
  }
  BuildEdges(editor, item, o, part, true);
  if (item.edges.Count() <= static_cast<std::uint32_t>(part)) return;
  EdgeSegments(editor, sv, item, o, M, part, list);
}

void ProjectPreviewSegments(CG_GraphicEditor& editor, int view, CG_SceneEditorItem& item, CG_GraphicObject& o,
                            const ViewMatrix& M, long part) {
  if (o.IsCurve() != 0 || o.IsFaced(0) == 0) return;
  CG_WireFrameImage* surface = editor.views[view];
  if (surface == nullptr) return;
  SegmentView sv;
  sv.halfW = surface->GetWidth() / 2;
  sv.halfH = surface->GetHeight() / 2;
  sv.preview = true;
  SegmentList& list = PartSegments(item, view, part);
  if (item.display.style == 1 || editor.options.DirectDraw != 0) {
    list.Clear();
    BoxSegments(sv, o, M, list);
    return;
  }
  BuildEdges(editor, item, o, part, false);
  if (item.edges.Count() <= static_cast<std::uint32_t>(part)) return;
  EdgeSegments(editor, sv, item, o, M, part, list);
}

}  // namespace zavo
