#include "models/curved/curve_object.h"

#include <climits>
#include <cstdint>

#include "foundation/number_text.h"
#include "foundation/scanner.h"
#include "scene/scene.h"

namespace zavo {

void CurveObject::RenewBounding(const Seq<Point3D>& points) {
  if (points.Count() == 0) {
    bounding_.reset();
    return;
  }
  auto box = std::make_unique<BoundingBox>(points[0]);
  for (std::uint32_t i = 1; i < points.Count(); ++i) box->Extend(points[i]);
  bounding_ = std::move(box);
}

int SampledCurve::VertexCount() const {
  const int div = SampleDiv();
  const int n = SampledControls();
  if (div < 1 || n < 1) return 0;
  const std::int64_t count = std::int64_t{n} * div;
  return count > INT_MAX ? INT_MAX : static_cast<int>(count);
}

void SampledCurve::Vertex(int i, Point3D& point) const {
  const double low = ParamMin();
  const double high = ParamMax();
  Evaluate(low + i * (high - low) / SampleDiv() / SampledControls(), point);
}

int SampledCurve::EdgeCount() const {
  const int vertices = VertexCount();
  return vertices > 0 ? vertices - 1 : 0;
}

void SampledCurve::Edge(int i, int& a, int& b) const {
  a = i + 1;
  b = i + 2;
}

void SampledCurve::FaceColour(int, Point3D& colour) const { colour = Point3D{}; }

int ReadBoundedInt(CG_GraphicScene& scene, ScannerMemo& s, int low, int high, int& value) {
  int read = 0;
  if (!TokenToInt(s, read) || read < low || read > high) {
    scene.SetError(5, "Number wanted");
    return 0;
  }
  s.Next();
  if (!scene.Expect(s, ';')) return 0;
  s.Next();
  value = read;
  return 1;
}

}  // namespace zavo
