#pragma once

// What the curve model types share (the NURBS curve, the Bezier curve and the
// polyline): a single-material object that is drawn in the views as a wire of
// its own vertices and edges, answers the curve operations of the object
// interface, and takes no part in images, previews and exports.
//
// The sampled curves (NURBS and Bezier) add the views' sampling: n * div
// points from the start of the parameter range, the end point itself not
// sampled, joined by n * div - 1 edges and never closed (the views close a
// closed curve themselves).

#include <memory>

#include "foundation/seq.h"
#include "geometry/bounding_object.h"
#include "geometry/point3d.h"
#include "models/core/model_object.h"

class CG_GraphicScene;
class ScannerMemo;

namespace zavo {

// The reader's bound on a control-point count ("ncontrol") and on the
// samples per control point ("div"): n * div stays far inside an int.
inline constexpr int kMaxCurveControls = 100000;
inline constexpr int kMaxCurveDiv = 1000;

class CurveObject : public UniformModelObject {
public:
  int IsCurve() const override { return 1; }
  int IsFaced(int) const override { return 1; }
  int HasEdges() const override { return 1; }
  // The box of the points; null for a curve without points.
  const BoundingObject* GetBoundingObject() const override { return bounding_.get(); }

  // A curve is no surface: it gives no ray-traceable parts, no faced parts,
  // no triangle or indexed meshes, so that renderers and exporters skip it
  // (it would otherwise stand in as the solid box of its points). 0, adding
  // nothing.
  int DeclassToRayTraceable(DeclassedParts&) override { return 0; }
  int DeclassToFaced(DeclassedParts&, int) override { return 0; }
  int DeclassToTriangleMesh(DeclassedParts&) override { return 0; }
  int DeclassToIndexedMesh(DeclassedParts&, int) override { return 0; }

  // A curve cannot tell its children, materials or textures: 0, the list
  // left alone (the editor's deletion of materials and textures relies on
  // this answer). No mapping test, no material class test.
  int GetChildren(Seq<CG_GraphicObject*>&) override { return 0; }
  int GetMaterials(Seq<CG_NamedMaterial*>&) const override { return 0; }
  int GetTextures(Seq<CG_Texture*>&) const override { return 0; }
  int MappingTest(const std::type_info&) const override { return 0; }
  int HasMaterialOfClass(const CG_Material&) const override { return 0; }

protected:
  explicit CurveObject(CG_GraphicObjectCommData& data) : UniformModelObject(data) {}

  // The bounding box of the points (none without points).
  void RenewBounding(const Seq<Point3D>& points);

private:
  std::unique_ptr<BoundingBox> bounding_;
};

class SampledCurve : public CurveObject {
public:
  // Not duplicated through the object interface.
  std::unique_ptr<CG_GraphicObjectCommData> NewCommData() const override { return nullptr; }
  std::unique_ptr<CG_GraphicObject> Clone() const override { return nullptr; }

  // n * div, 0 when div is below 1.
  int VertexCount() const override;
  // Evaluate (ParamMin + i * (ParamMax - ParamMin) / div / n), i from 0.
  void Vertex(int i, Point3D& point) const override;
  // VertexCount - 1, never negative.
  int EdgeCount() const override;
  // (i + 1, i + 2).
  void Edge(int i, int& a, int& b) const override;
  // Black.
  void FaceColour(int face, Point3D& colour) const override;

protected:
  explicit SampledCurve(CG_GraphicObjectCommData& data) : CurveObject(data) {}

  // The number of control points and the samples per control point.
  virtual int SampledControls() const = 0;
  virtual int SampleDiv() const = 0;
};

// The integer of an attribute "key value ;", the scanner standing on the
// value: a number token truncated toward zero and lying in [low, high], else
// code 5 "Number wanted" with the scanner on the value. 1 with the scanner
// after the ";" (a missing ";" gives code 2).
int ReadBoundedInt(CG_GraphicScene& scene, ScannerMemo& scanner, int low, int high, int& value);

}  // namespace zavo
