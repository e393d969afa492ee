#pragma once

// The editor module of the "NURBScurve" model: a new curve of order 4 with
// four points, the dialog "Modify NURBScurve" for its knots and order, the
// weight of one control point (key 'e'), and deletion of control points
// limited by the order. The points are edited in the views by the curve
// editing of the base.

#include <memory>

#include "editor/modules/curve_module.h"
#include "geometry/bspline_surface.h"

class CG_NURBSCurveDescription;

class CG_NURBSCurveEditorModule : public CG_GenericCurveEditorModule {
public:
  // "Creating NURBScurve": four points along x from the placement point
  // (a pending click used), weights 1, order 4, knots 0 .. 7, div 5, open.
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  // "Modify NURBScurve": the knots chosen by index, read and set through
  // "vknots", and the order. The dialog's changes are applied on OK and on
  // Cancel alike; the curve (null for an object that is no NURBS curve).
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // "curve", "NURBScurve".
  void Info(Seq<charString>& names) override;
  // The curve's order: it keeps at least that many points.
  int MinControlCount(CG_GraphicObject& object) override;
  // "NURBS Control edit" with the point's "weight"; set on OK.
  void EditControl(CG_GraphicEditor& editor, CG_GraphicObject& object, int index) override;
};

namespace zavo {

// "change order" on a description: the knots resized to n + order keeping
// the first ones, a grown order continuing the last old knot by steps of 1.
// An order outside 1 .. kMaxNURBSOrder changes nothing: false.
bool ChangeNURBSOrder(CG_NURBSCurveDescription& description, int order);

}  // namespace zavo
