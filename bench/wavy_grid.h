#pragma once
// A wavy grid of 100352 triangles (225 x 225 vertices) with its edge list,
// the large faced object that the view benchmarks project and draw.
#include <cmath>
#include <ostream>

#include "geometry/bounding_object.h"
#include "scene/comm_data.h"
#include "scene/graphic_object.h"

namespace bench_views {

constexpr int kSide = 225;  // vertices along each side of the grid

inline CG_GraphicObjectCommData& Data(const char* name) {
  static CG_GraphicObjectCommData data;
  data.name = name;
  return data;
}

class WavyGrid : public CG_GraphicObject {
public:
  WavyGrid() : CG_GraphicObject(Data("grid")) {
    bound = BoundingBox(Point(0));
    for (int i = 1; i < VertexCount(); ++i) bound.Extend(Point(i));
  }
  int GetCommData(CG_GraphicObjectCommData&) override { return 1; }
  int SetCommData(CG_GraphicObjectCommData&) override { return 1; }
  void Write(std::ostream&) const override {}
  int IsFaced(int mode) const override { return mode == 0; }
  int VertexCount() const override { return kSide * kSide; }
  void Vertex(int i, Point3D& p) const override { p = Point(i); }
  int FaceCount() const override { return 2 * (kSide - 1) * (kSide - 1); }
  int FaceLoopCount(int) const override { return 1; }
  void FaceIndices(int face, int, Seq<int>& indices) const override {
    const int quad = face / 2;
    const int a = quad / (kSide - 1) * kSide + quad % (kSide - 1) + 1;
    indices.SetSize(3);
    if (face % 2 == 0) {
      indices[0] = a, indices[1] = a + 1, indices[2] = a + kSide + 1;
    } else {
      indices[0] = a, indices[1] = a + kSide + 1, indices[2] = a + kSide;
    }
  }
  int HasEdges() const override { return 1; }
  // Per quad: the edge along the row, along the column and the diagonal.
  int EdgeCount() const override { return 3 * (kSide - 1) * (kSide - 1); }
  void Edge(int e, int& a, int& b) const override {
    const int quad = e / 3;
    a = quad / (kSide - 1) * kSide + quad % (kSide - 1) + 1;
    b = a + (e % 3 == 0 ? 1 : e % 3 == 1 ? kSide : kSide + 1);
  }
  const BoundingObject* GetBoundingObject() const override { return &bound; }

private:
  static Point3D Point(int i) {
    const double x = -7 + 14.0 * (i % kSide) / (kSide - 1);
    const double y = -7 + 14.0 * (i / kSide) / (kSide - 1);
    return {x, y, 0.7 * std::sin(1.3 * x) * std::cos(0.9 * y)};
  }
  BoundingBox bound;
};

}  // namespace bench_views
