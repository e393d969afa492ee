// Time of one ProjectItem into four views (Preview 400 x 300, Top, Side and
// Front 400 x 300 each, default windows):
//   - a wavy grid of 100352 triangles (225 x 225 vertices) with its edge
//     list: every part goes the vertex path;
//   - a closed curve of 10^4 vertices: the segment path, with its edge table
//     built once and shared by the three parallel views (the Preview view
//     never shows curves).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <ostream>

#include "editor/graphic_editor.h"
#include "editor/scene_editor_item.h"
#include "editor/views/raster_image.h"
#include "scene/comm_data.h"
#include "scene/graphic_object.h"
#include "geometry/bounding_object.h"

namespace {

constexpr int kSide = 225;  // vertices along each side of the grid

CG_GraphicObjectCommData& Data(const char* name) {
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

class Ring : public CG_GraphicObject {
public:
  Ring() : CG_GraphicObject(Data("ring")) {
    bound = BoundingBox(Point(0));
    for (int i = 1; i < VertexCount(); ++i) bound.Extend(Point(i));
  }
  int GetCommData(CG_GraphicObjectCommData&) override { return 1; }
  int SetCommData(CG_GraphicObjectCommData&) override { return 1; }
  void Write(std::ostream&) const override {}
  int IsFaced(int mode) const override { return mode == 0; }
  int IsCurve() const override { return 1; }
  int GetOpen() const override { return 0; }
  int VertexCount() const override { return 10000; }
  void Vertex(int i, Point3D& p) const override { p = Point(i); }
  const BoundingObject* GetBoundingObject() const override { return &bound; }

private:
  static Point3D Point(int i) {
    const double a = 2 * std::acos(-1.0) * i / 10000;
    return {6.3 * std::cos(a), 5.1 * std::sin(a), 1.7 * std::sin(7 * a)};
  }
  BoundingBox bound;
};

struct Views {
  Views() : editor(CG_GraphicEditor::Create(0)) {
    for (int v = 0; v < 4; ++v) {
      surfaces[v] = std::make_unique<zavo::RasterWireFrameImage>(400, 300);
      editor->SetView(v, surfaces[v].get(), v + 1);
    }
  }
  std::unique_ptr<CG_GraphicEditor> editor;
  std::unique_ptr<zavo::RasterWireFrameImage> surfaces[4];
};

void ProjectObject(benchmark::State& state, std::unique_ptr<CG_GraphicObject> object) {
  Views views;
  CG_GraphicObject* raw = object.get();
  views.editor->scene.AddObject(std::move(object));
  CG_SceneEditorItem* item = views.editor->CreateItem(raw);
  views.editor->options.KeepEdge = 0;
  for (auto _ : state) {
    views.editor->ProjectItem(item);
    benchmark::DoNotOptimize(item->segments[1].Data());
  }
}

void BM_ProjectMesh(benchmark::State& state) { ProjectObject(state, std::make_unique<WavyGrid>()); }
void BM_ProjectCurve(benchmark::State& state) { ProjectObject(state, std::make_unique<Ring>()); }

BENCHMARK(BM_ProjectMesh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjectCurve)->Unit(benchmark::kMillisecond);

}  // namespace
