#pragma once

// The area lamp, model keyword "arealamp": a quadrilateral of light that
// casts soft shadows. It is a light source but never traced (it is not seen
// in an image), and a closed polygon for the views and the editor: its points
// are its vertices and control points, its edges join them in a ring.
//
// Asked for the light that reaches a point, it tests the four corners of its
// first four points for shadows and splits the quadrilateral where the
// corners disagree, down to its depth, and answers the visible fraction of
// white.
//
// Its body, inside "model { arealamp" ... "}":
//   p ( 0 , 0 , 5 );   any number of points, in order
//   depth 2;           refinement levels, default 2

#include <iosfwd>
#include <memory>
#include <vector>

#include "geometry/bounding_object.h"
#include "geometry/geo_interface.h"
#include "geometry/point3d.h"
#include "models/core/model_object.h"
#include "scene/registry.h"
#include "scene/trace_data.h"

class CG_AreaLampDescription {
public:
  std::vector<Point3D> points;
  int depth = 2;
  GeoInterface* progress = nullptr;  // not owned
};

class CG_AreaLamp : public zavo::UniformModelObject {
public:
  // What the lamp's Position answers.
  static constexpr int kModeCentre = -1;  // the centre of the first four points
  static constexpr int kModeSample = -2;  // the corner under test
  // (a mode i >= 0 answers point i)

  // Name, IDname, toll and the uniform data from the common data (the
  // mapping moves in); the mode is the centre; then SetDescription.
  CG_AreaLamp(CG_GraphicObjectCommData& data, const CG_AreaLampDescription& description);

  int IsLightSource() const override { return 1; }
  // "{ object" head, "\tmodel { arealamp\n", "\t\tp ( x , y , z );\n" per
  // point, "\t\tdepth d;\n", "\t}\n}\n".
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "arealamp"; }
  // An area lamp with NewCommData's record, the points, depth and progress
  // interface; null when the record cannot be made.
  std::unique_ptr<CG_GraphicObject> Clone() const override;
  // The box of the points; all six limits 0 for an empty polygon.
  const BoundingObject* GetBoundingObject() const override { return bounding_.get(); }

  // ---- The polygon as a faced object: vertices, no faces ----

  int IsFaced(int) const override { return 1; }
  int VertexCount() const override { return PointCount(); }
  void Vertex(int i, Point3D& point) const override;
  int FaceCount() const override { return 0; }
  int FaceLoopCount(int) const override { return 0; }
  void FaceIndices(int face, int loop, Seq<int>& indices) const override;
  // The material's colour; black without a material.
  void FaceColour(int face, Point3D& colour) const override;
  CG_Material* MeshMaterial() const override;

  // ---- The polygon as a closed curve ----
  //
  // Parameters 0 to n - 1: the point at t lies on the segment from point
  // floor(t) to the next at the fraction t - floor(t); the first point below
  // 0, the last from n - 1 on; (0, 0, 0) without points. The derivative is
  // the unit direction of the segment (of the last one from n - 1 on); (0, 0,
  // 0) for a segment of length 0 or a polygon of fewer than two points.

  int IsCurve() const override { return 1; }
  double ParamMin() const override { return 0.0; }
  double ParamMax() const override { return PointCount() > 0 ? PointCount() - 1.0 : 0.0; }
  int Evaluate(double t, Point3D& point) const override;
  int Derive(double t, Point3D& vector) const override;
  int ControlCount() const override { return PointCount(); }
  // 1 with point i, or 0 (point untouched) outside 0 to n - 1.
  int GetControl(int i, Point3D& point) const override;
  // Sets point i below n and renews the box: 1; 0 otherwise (no growth).
  int SetControl(int i, const Point3D& point) override;
  // The polygon keeps its points: 0.
  int SetControlCount(int) override { return 0; }
  // Closed, whatever is asked.
  int GetOpen() const override { return 0; }
  int SetOpen(int) override { return 0; }

  // n edges: edge i joins vertices i + 1 and i + 2 (from 1), the last one
  // vertex n and vertex 1.
  int HasEdges() const override { return 1; }
  int EdgeCount() const override { return PointCount(); }
  void Edge(int i, int& a, int& b) const override;

  // ---- The lamp part ----

  // White, whatever the point.
  Point3D ColourAt(const Point3D& point, const Point3D& toLamp) const override;
  // By the mode: the corner under test, the centre, or point i. The centre is
  // the mean of the first four points, or of the points there are when
  // fewer ((0, 0, 0) without any).
  Point3D Position() const override;
  int ComputesLightItself() const override { return 1; }
  // SampleLight (scene, point).
  Point3D LightReachingPoint(CG_GraphicScene& scene, const Point3D& point, const Point3D& direction,
                             CG_Material& material) const override;

  // The light that reaches the point: the quadrilateral of the first four
  // points sampled down to the depth (see the file's head). Each corner test
  // is a shadow search of the scene toward that corner (the mode the sample
  // and the position the corner meanwhile), stopped by the first hit whose
  // material lets no light through; the mode is the centre afterwards. Black
  // for a polygon of fewer than four points. A depth below 0 samples as 0,
  // one above kMaxSampleDepth as kMaxSampleDepth.
  Point3D SampleLight(CG_GraphicScene& scene, const Point3D& point) const;
  static constexpr int kMaxSampleDepth = 8;

  int GetMode() const { return mode_; }
  void SetMode(int mode) { mode_ = mode; }
  // The number of corner tests run since the lamp was made or the count was
  // reset (for tests and measurements).
  long CornerTestCount() const { return cornerTests_; }
  void ResetCornerTestCount() { cornerTests_ = 0; }

  void GetDescription(CG_AreaLampDescription& description) const;
  // Copies points, depth and progress and renews the box.
  void SetDescription(const CG_AreaLampDescription& description);

private:
  int PointCount() const { return static_cast<int>(points_.size()); }
  // Sampling of one quadrilateral at one depth.
  Point3D SampleQuad(CG_GraphicScene& scene, const Point3D& point, const Point3D corners[4], int depth,
                     zavo::ShadowHitList& hits) const;
  // 1 when nothing opaque lies between the point and the corner.
  int CornerVisible(CG_GraphicScene& scene, const Point3D& point, const Point3D& corner,
                    zavo::ShadowHitList& hits) const;
  void RenewBounding();

  mutable int mode_ = kModeCentre;
  mutable Point3D samplePoint_;
  mutable long cornerTests_ = 0;
  std::vector<Point3D> points_;
  int depth_ = 2;
  std::unique_ptr<BoundingBox> bounding_;
  GeoInterface* progress_ = nullptr;
};

class CG_AreaLampModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "arealamp"; }
  // Reads "p" and "depth" entries up to and including "}". A point that does
  // not read records code 5 "Wrong point definition" (the point stays, as
  // far as it was read) and reading goes on. Null at a token that is no word
  // (no message), for "Number wanted" and "Unknown attribute" (code 5) and a
  // missing ";" (code 2).
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
