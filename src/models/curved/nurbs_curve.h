#pragma once

// The NURBS curve, model keyword "NURBScurve": a rational B-spline curve of
// n control points with one weight each, an order (degree + 1) and a knot
// vector of n + order values. A curve for the views, the curve editor and the
// tools that build surfaces from curves; never ray-traced or meshed.
//
// Its text body, inside "model { NURBScurve" ... "}", each entry ended by ";",
// in any order:
//   open o;        default 1; stored and written only
//   div d;         default 3; samples per control point for the views (at most 1000)
//   order k;       default 4; 1 to 16 at the closing "}"
//   ncontrol n;    0 to 100000; sizes the blocks below (knots: n + the order in force)
//   control { ( x , y , z ) , w; ... }   n points with their weights
//   knots { u; ... }                     the knots
// Numbers are number tokens; integers are truncated toward zero.

#include <iosfwd>
#include <memory>

#include "foundation/seq.h"
#include "foundation/vector.h"
#include "geometry/bspline_surface.h"
#include "geometry/geo_interface.h"
#include "geometry/point3d.h"
#include "models/curved/curve_object.h"
#include "scene/registry.h"

class CG_NURBSCurveDescription {
public:
  CG_NURBSCurveDescription() = default;
  // Copies of every field, whatever the counts of the target's vectors.
  CG_NURBSCurveDescription(const CG_NURBSCurveDescription& other);
  CG_NURBSCurveDescription& operator=(const CG_NURBSCurveDescription& other);

  Seq<Point3D> controls;
  Vector<double> knots;
  Vector<double> weights;
  int div = 3;
  int order = 4;
  int open = 1;
  GeoInterface* progress = nullptr;  // the scene reader's; not owned
};

class CG_NURBSCurve : public zavo::SampledCurve {
public:
  // Name, IDname, toll and the uniform data from the common data (the mapping
  // moves in), then SetDescription.
  CG_NURBSCurve(CG_GraphicObjectCommData& data, const CG_NURBSCurveDescription& description);

  // "{ object", name, the uniform data's lines, then "\tmodel { NURBScurve"
  // with open, div, order, ncontrol, the control block (point and weight per
  // line) and the knots block, "\t}\n}\n".
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "NURBScurve"; }

  // knots[order - 1] and knots[n].
  double ParamMin() const override;
  double ParamMax() const override;
  // P / W with W = sum of N(i, order)(t) w[i] and P = sum of w[i] N(i, order)(t)
  // controls[i] over the half-open basis (SplineBasis). Where W is 0 (outside
  // the knots, at the end of a clamped knot vector) the limit from inside: t
  // is clamped into the parameter range and its end is taken from below (the
  // last non-empty span closed at its right end); 1. When W is 0 there too
  // (zero weights), the unweighted sum and 0. Never a point that is not finite
  // ((0, 0, 0) and 0 instead).
  int Evaluate(double t, Point3D& point) const override;
  // Not defined: the internal-error box "NURBS Derive not def".
  int Derive(double t, Point3D& vector) const override;

  int ControlCount() const override { return static_cast<int>(controls_.Count()); }
  // Control i, which must lie below the count (not tested); 1. SetControl
  // keeps the weight. SetControl and CopyControl renew the bounding box.
  int GetControl(int i, Point3D& point) const override;
  int SetControl(int i, const Point3D& point) override;
  // Point and weight of a copied to b; 1.
  int CopyControl(int a, int b) override;
  // Keeps the first points and weights (new weights 1, new points (0, 0, 0));
  // the knots become m + order, the new control i getting knots[order + i] =
  // order + i; renews the bounding box; 1. A negative m counts as 0.
  int SetControlCount(int m) override;
  int GetOpen() const override { return open_; }
  int SetOpen(int flag) override {
    open_ = flag;
    return 1;
  }

  // Copies the settings out and in. SetDescription keeps the curve whole:
  // the order is clamped into 1 .. 16, the weights are made n (new ones 1) and
  // the knots n + order (new ones repeat the last knot, 0 without one); then
  // it renews the bounding box.
  void GetDescription(CG_NURBSCurveDescription& description) const;
  void SetDescription(const CG_NURBSCurveDescription& description);

protected:
  int SampledControls() const override { return static_cast<int>(controls_.Count()); }
  int SampleDiv() const override { return div_; }

private:
  // The weighted sums at t for the basis of the given spans (see the .cpp).
  struct Sums;
  Sums SumsAt(double t, bool closedRight) const;
  // Notes whether the knots never decrease.
  void KnotsChanged();

  Seq<Point3D> controls_;
  Vector<double> knots_;
  Vector<double> weights_;
  int open_ = 1;
  int order_ = 4;
  int div_ = 3;
  GeoInterface* progress_ = nullptr;
  bool knotsRise_ = true;  // the knots never decrease
};

class CG_NURBSCurveModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "NURBScurve"; }
  // Reads the body up to and including "}". Null, with the error recorded:
  // "Number wanted" (a token that is no number, "ncontrol" outside 0 ..
  // 100000, "div" above 1000), "Unknown attribute", "Wrong point definition"
  // (code 5), a missing ";", "{", "," or "}" (code 2), and "Wrong NURBS
  // definition" (code 5) at the closing "}" when the order lies outside 1 ..
  // 16 or, with controls, no knots block was read after the last "ncontrol"
  // or the knot count is not n + order. A token that is no word where a key
  // is expected gives null with no code of its own.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
