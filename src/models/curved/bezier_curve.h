#pragma once

// The Bezier curve, model keyword "beziercurve": a chain of cubic Bezier
// segments. Segment k runs through controls 3k .. 3k + 3, so 3m + 1 controls
// make m segments; controls after the last complete segment take no part in
// the curve but are kept, written and edited. Every control carries an
// integer tag that the geometry does not use. A curve for the views, the curve
// editor and the tools that build surfaces from curves; never ray-traced or
// meshed.
//
// Its text body, inside "model { beziercurve" ... "}", each entry ended by ";":
//   open o;        default 1; stored and written only
//   div d;         default 3; samples per control point for the views (at most 1000)
//   ncontrol n;    0 to 100000; sizes the control block
//   control { ( x , y , z ) , tag; ... }   n points with their tags
// Numbers are number tokens; integers are truncated toward zero.

#include <iosfwd>
#include <memory>

#include "foundation/seq.h"
#include "geometry/geo_interface.h"
#include "geometry/point3d.h"
#include "models/curved/curve_object.h"
#include "scene/registry.h"

class CG_BezierCurveDescription {
public:
  Seq<Point3D> controls;
  Seq<int> tags;
  int div = 3;
  int open = 1;
  GeoInterface* progress = nullptr;  // the scene reader's; not owned
};

class CG_BezierCurve : public zavo::SampledCurve {
public:
  // Name, IDname, toll and the uniform data from the common data (the mapping
  // moves in), then SetDescription.
  CG_BezierCurve(CG_GraphicObjectCommData& data, const CG_BezierCurveDescription& description);

  // "{ object", name, the uniform data's lines, then "\tmodel { beziercurve"
  // with open, div, ncontrol and the control block (point and tag per line),
  // "\t}\n}\n".
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "beziercurve"; }

  double ParamMin() const override { return 0.0; }
  // The number of complete segments, (n - 1) / 3; 0 for no controls.
  double ParamMax() const override;
  // With s = t - k: (1 - s)^3 P0 + 3 s (1 - s)^2 P1 + 3 s^2 (1 - s) P2 + s^3 P3
  // of segment k, k being t truncated toward zero and held within the
  // complete segments (so ParamMax gives the end of the last one and t beyond
  // extends its cubic); 1. With 1 to 3 controls, segment 0 repeats the last
  // control for the missing ones; without controls (0, 0, 0) and 0. A t that
  // is not a number counts as 0.
  int Evaluate(double t, Point3D& point) const override;
  // Not defined: the internal-error box "Bezier Derive not def".
  int Derive(double t, Point3D& vector) const override;

  int ControlCount() const override { return static_cast<int>(controls_.Count()); }
  // Control i, which must lie below the count (0 otherwise); 1. SetControl
  // keeps the tag. SetControl and CopyControl renew the bounding box.
  int GetControl(int i, Point3D& point) const override;
  int SetControl(int i, const Point3D& point) override;
  // Point and tag of a copied to b; 1.
  int CopyControl(int a, int b) override;
  // Keeps the first points and tags; new points (0, 0, 0) with tag 1; renews
  // the bounding box; 1. A negative m counts as 0.
  int SetControlCount(int m) override;
  int GetOpen() const override { return open_; }
  int SetOpen(int flag) override {
    open_ = flag;
    return 1;
  }

  // Copies the settings out and in. SetDescription gives every control a tag
  // (new ones 1) and renews the bounding box.
  void GetDescription(CG_BezierCurveDescription& description) const;
  void SetDescription(const CG_BezierCurveDescription& description);

protected:
  int SampledControls() const override { return static_cast<int>(controls_.Count()); }
  int SampleDiv() const override { return div_; }

private:
  Seq<Point3D> controls_;
  Seq<int> tags_;
  int open_ = 1;
  int div_ = 3;
  GeoInterface* progress_ = nullptr;
};

class CG_BezierCurveModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "beziercurve"; }
  // Reads the body up to and including "}". Null, with the error recorded:
  // "Number wanted" (a token that is no number, "ncontrol" outside 0 ..
  // 100000, "div" above 1000), "Unknown attribute", "Wrong point definition"
  // (code 5), a missing ";", "{", "," or "}" (code 2). A token that is no
  // word where a key is expected gives null with no code of its own.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
