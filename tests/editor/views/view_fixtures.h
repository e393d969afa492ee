#pragma once

// Small fixtures of the projection tests: a faced test object whose
// vertices, face loops, edge list, box, curve flag, matrix and material are
// chosen by the test, and an editor with raster views.

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "editor/graphic_editor.h"
#include "editor/scene_editor_item.h"
#include "editor_fakes.h"
#include "geometry/bounding_object.h"
#include "scene/comm_data.h"
#include "scene/material.h"

namespace zavo::test {

// The common data of a test object: a name only.
inline const CG_GraphicObjectCommData& NamedData(const char* name) {
  static CG_GraphicObjectCommData data;
  data.name = name;
  return data;
}

class TestShape : public CG_GraphicObject {
public:
  explicit TestShape(const char* objectName) : CG_GraphicObject(NamedData(objectName)) {}

  int GetCommData(CG_GraphicObjectCommData&) override { return 0; }
  int SetCommData(CG_GraphicObjectCommData&) override { return 0; }
  void Write(std::ostream&) const override {}
  int IsFaced(int mode) const override { return mode == 0 && faced ? 1 : 0; }
  int VertexCount() const override { return static_cast<int>(points.size()); }
  void Vertex(int i, Point3D& p) const override { p = Placed(points.at(static_cast<std::size_t>(i))); }
  int FaceCount() const override { return static_cast<int>(faces.size()); }
  int FaceLoopCount(int face) const override { return static_cast<int>(faces.at(static_cast<std::size_t>(face)).size()); }
  void FaceIndices(int face, int loop, Seq<int>& indices) const override {
    const std::vector<int>& l = faces.at(static_cast<std::size_t>(face)).at(static_cast<std::size_t>(loop));
    indices.SetSize(static_cast<std::uint32_t>(l.size()));
    for (std::size_t j = 0; j < l.size(); ++j) indices[static_cast<std::uint32_t>(j)] = l[j];
  }
  int HasEdges() const override { return 1; }
  int EdgeCount() const override { return static_cast<int>(edges.size()); }
  void Edge(int i, int& a, int& b) const override {
    a = edges.at(static_cast<std::size_t>(i)).first;
    b = edges.at(static_cast<std::size_t>(i)).second;
  }
  int IsCurve() const override { return curve ? 1 : 0; }
  int GetOpen() const override { return open ? 1 : 0; }
  CG_Material* MeshMaterial() const override { return material; }
  const BoundingObject* GetBoundingObject() const override {
    if (!hasBox || points.empty()) return nullptr;
    bound = BoundingBox(Placed(points[0]));
    for (const Point3D& p : points) bound.Extend(Placed(p));
    return &bound;
  }
  int HasVertexTransform() const override { return matrix ? 1 : 0; }
  void GetVertexTransform(Transformation& m) const override {
    if (matrix) m = *matrix;
  }
  void RawVertex(int i, Point3D& p) const override { p = points.at(static_cast<std::size_t>(i)); }
  int RawBox(GEO_Box& box) const override {
    if (!hasBox || points.empty()) return 0;
    box.SetPoint(points[0]);
    for (const Point3D& p : points) box.Extend(p);
    return 1;
  }

  // The points as the scene sees them (through the matrix when there is one).
  Point3D Placed(const Point3D& p) const { return matrix ? TransformPoint(*matrix, p) : p; }

  std::vector<Point3D> points;
  std::vector<std::vector<std::vector<int>>> faces;  // face, loop, 1-based signed indices
  std::vector<std::pair<int, int>> edges;            // 1-based, negative: not drawn
  bool faced = true;
  bool curve = false;
  bool open = true;
  bool hasBox = true;
  std::optional<Transformation> matrix;
  CG_Material* material = nullptr;
  mutable BoundingBox bound;
};

// The eight corners of a box from lo to hi, its six quadrilateral faces and
// its twelve edges (1-based), as a mesh would give them.
inline std::unique_ptr<TestShape> MakeBoxShape(const char* name, const Point3D& lo, const Point3D& hi) {
  auto shape = std::make_unique<TestShape>(name);
  for (int c = 0; c < 8; ++c) {
    shape->points.push_back({(c & 1) ? hi.x : lo.x, (c & 2) ? hi.y : lo.y, (c & 4) ? hi.z : lo.z});
  }
  shape->faces = {{{1, 3, 4, 2}}, {{5, 6, 8, 7}}, {{1, 2, 6, 5}}, {{3, 7, 8, 4}}, {{1, 5, 7, 3}}, {{2, 4, 8, 6}}};
  shape->edges = {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {1, 3}, {2, 4}, {5, 7}, {6, 8}, {1, 5}, {2, 6}, {3, 7}, {4, 8}};
  return shape;
}

// A curve of n points on a circle of radius r about the origin in the plane z = 0.
std::unique_ptr<TestShape> MakeCurveShape(const char* name, int n, double r, bool closed);

// An editor with the interface fakes and raster views set per test.
class ViewTest : public ::testing::Test {
protected:
  ViewTest() : editor(CG_GraphicEditor::Create(0)) { fakes.AttachTo(*editor); }

  // A raster surface of that size as view `view` with that mode.
  RecordingWireFrameImage& SetView(int view, int mode, int width, int height);
  // Adds the object to the scene and makes its item.
  CG_SceneEditorItem* Add(std::unique_ptr<CG_GraphicObject> object);
  // Reads a scene text (sections, without the ending ".") into the scene and
  // makes the items of its objects.
  void Read(const std::string& text);
  CG_SceneEditorItem* ItemOf(const char* name);
  // The segments of part 0 of an item in a view, as (x1 y1 x2 y2) texts.
  static std::vector<std::string> Segments(const CG_SceneEditorItem& item, int view, long part = 0);
  // The perspective camera of the scene looking down -z from (0, 0, 10) with
  // a square window: sets the scene's view record and drops the camera object.
  void LookDownZ(int dimx, int dimy);

  ScopedFakeModuleFactory factory;
  EditorFakes fakes;
  std::unique_ptr<CG_GraphicEditor> editor;
  std::unique_ptr<RecordingWireFrameImage> surfaces[4];
};

}  // namespace zavo::test
