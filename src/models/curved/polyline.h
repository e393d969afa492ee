#pragma once

// The polyline, model keyword "polyline": straight segments through a list of
// points, open or closed. Point k sits at parameter k, so the parameter runs
// from 0 to n - 1. The views draw its points joined by its edges (a closed
// polyline also joins the last point to the first); it is not ray-traced or
// meshed. The editor's curve tools, the point import and the 3-D text tool
// build polylines through the constructor.
//
// Its text body, inside "model { polyline" ... "}", each entry ended by ";":
//   open o;              default 1 (open); truncated toward zero
//   p ( x , y , z );     one point, appended (any number of them)

#include <iosfwd>
#include <memory>

#include "foundation/seq.h"
#include "geometry/point3d.h"
#include "models/curved/curve_object.h"
#include "scene/registry.h"
#include "scene/system_interface.h"

class CG_PolylineDescription {
public:
  Seq<Point3D> points;
  int open = 1;
  CG_GraphicSystemInterface* sysInterface = nullptr;  // the scene's; not owned
};

class CG_Polyline : public zavo::CurveObject {
public:
  // Name, IDname, toll and the uniform data from the common data (the mapping
  // moves in), then SetDescription.
  CG_Polyline(CG_GraphicObjectCommData& data, const CG_PolylineDescription& description);

  // "{ object", name, the uniform data's lines, "\tmodel { polyline\n\t\topen
  // o;\n", one line "\t\tp ( x , y , z );\n" per point, "\t}\n}\n". IDname
  // and toll are not written.
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "polyline"; }
  // A polyline with NewCommData's record (the mapping cloned; no IDname,
  // default toll), a copy of the points, the flag and the interface; null when
  // the record cannot be made.
  std::unique_ptr<CG_GraphicObject> Clone() const override;

  int VertexCount() const override { return static_cast<int>(points_.Count()); }
  // Point i, counted from 0.
  void Vertex(int i, Point3D& point) const override;
  // The colour of the material's model; black without one.
  void FaceColour(int face, Point3D& colour) const override;
  // The material's model, or null.
  CG_Material* MeshMaterial() const override;

  double ParamMin() const override { return 0.0; }
  // n - 1 (0 for no points).
  double ParamMax() const override;
  // k = t truncated toward zero, compared without sign: when k < n - 1 the
  // point k + (t - k)(point k+1 - point k) (a t in (-1, 0) extends the first
  // segment backwards), otherwise the last point (also for t <= -1); 1. One
  // point: that point. No points: (0, 0, 0) and 0. A t that is not a number
  // counts as 0.
  int Evaluate(double t, Point3D& point) const override;
  // The unit vector from point k to point k + 1, k = t truncated and held in
  // 0 .. n - 2; 1. Fewer than two points or a segment of length 0: (0, 0, 0)
  // and 0.
  int Derive(double t, Point3D& vector) const override;

  int ControlCount() const override { return static_cast<int>(points_.Count()); }
  // Point i; 1 (0 when i lies outside the list).
  int GetControl(int i, Point3D& point) const override;
  // Point i = p, the list first growing to i + 1 points (new ones (0, 0, 0))
  // when it is shorter; renews the bounding box; 1 (0 for a negative i).
  int SetControl(int i, const Point3D& point) override;
  // Keeps the first min(n, m) points, new ones (0, 0, 0); renews the
  // bounding box; 1. A negative m counts as 0.
  int SetControlCount(int m) override;
  int GetOpen() const override { return open_; }
  int SetOpen(int flag) override {
    open_ = flag;
    return 1;
  }

  // n - 1 when open, n when closed; never negative.
  int EdgeCount() const override;
  // (i + 1, i + 2); when i + 1 = n the closing edge (n, 1).
  void Edge(int i, int& a, int& b) const override;

  // Copies points, flag and interface out and in; SetDescription renews the
  // bounding box (none without points).
  void GetDescription(CG_PolylineDescription& description) const;
  void SetDescription(const CG_PolylineDescription& description);

private:
  Seq<Point3D> points_;
  int open_ = 1;
  CG_GraphicSystemInterface* sysInterface_ = nullptr;
};

class CG_PolylineModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "polyline"; }
  // Reads the body up to and including "}". "Number wanted" and "Unknown
  // attribute" (code 5) and a missing ";" (code 2) give null; a point that
  // does not read records "Wrong point definition" (code 5), is stored as
  // (0, 0, 0), and reading goes on; a token that is no word where a key is
  // expected gives null with no code of its own.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
