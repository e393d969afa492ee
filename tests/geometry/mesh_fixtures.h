#pragma once

// Small meshes and a recording reporter for the mesh tests.

#include <cstdint>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/brep_model3.h"
#include "geometry/geo_interface.h"
#include "geometry/geo_scanner.h"

namespace zavo::test {

// A face as its contours, each a list of signed 1-based vertex numbers.
using FaceSpec = std::vector<std::vector<int>>;

inline std::unique_ptr<BRepModel3> MakeMesh(const std::vector<Point3D>& points, const std::vector<FaceSpec>& specs,
                                            const char* name = "m") {
  Seq<Point3D> vertices(static_cast<std::uint32_t>(points.size()));
  for (std::uint32_t i = 0; i < vertices.Count(); ++i) vertices[i] = points[i];
  Seq<Face3> faces(static_cast<std::uint32_t>(specs.size()));
  for (std::uint32_t f = 0; f < faces.Count(); ++f) {
    for (const std::vector<int>& entries : specs[f]) {
      auto* c = new ContourFace3;
      c->vertices.SetSize(static_cast<std::uint32_t>(entries.size()));
      for (std::uint32_t i = 0; i < c->vertices.Count(); ++i) c->vertices[i] = entries[i];
      faces[f].contours.Append(c);
    }
  }
  return std::make_unique<BRepModel3>(name, vertices, faces);
}

// The box [lo, hi]^3 with six square faces, normals outward.
inline std::unique_ptr<BRepModel3> MakeCube(double lo = 0.0, double hi = 1.0, const char* name = "cube") {
  const std::vector<Point3D> p = {{lo, lo, lo}, {hi, lo, lo}, {hi, hi, lo}, {lo, hi, lo},
                                  {lo, lo, hi}, {hi, lo, hi}, {hi, hi, hi}, {lo, hi, hi}};
  return MakeMesh(p,
                  {{{1, 4, 3, 2}}, {{5, 6, 7, 8}}, {{1, 2, 6, 5}}, {{3, 4, 8, 7}}, {{2, 3, 7, 6}}, {{1, 5, 8, 4}}},
                  name);
}

// A mesh whose face i has exactly the box boxes[i]: a contour through two
// opposite corners of the box.
inline std::unique_ptr<BRepModel3> BoxFaces(const std::vector<GEO_Box>& boxes, const char* name = "b") {
  std::vector<Point3D> points;
  std::vector<FaceSpec> faces;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const GEO_Box& b = boxes[i];
    points.push_back({b.xmin, b.ymin, b.zmin});
    points.push_back({b.xmax, b.ymax, b.zmax});
    const int k = static_cast<int>(2 * i);
    faces.push_back({{k + 1, k + 2, -(k + 1)}});
  }
  return MakeMesh(points, faces, name);
}

// n small random triangles in [0, size]^3.
inline std::unique_ptr<BRepModel3> RandomTriangles(int n, unsigned seed, double size = 10.0, double spread = 1.5,
                                                   const char* name = "r") {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> pos(0, size), off(-spread, spread);
  std::vector<Point3D> points;
  std::vector<FaceSpec> faces;
  for (int i = 0; i < n; ++i) {
    const Point3D c{pos(gen), pos(gen), pos(gen)};
    for (int k = 0; k < 3; ++k) points.push_back(c + Point3D{off(gen), off(gen), off(gen)});
    faces.push_back({{3 * i + 1, 3 * i + 2, 3 * i + 3}});
  }
  return MakeMesh(points, faces, name);
}

// A mesh of n faces that are all the same triangle, with extra vertices so
// that the mesh has v vertices.
inline std::unique_ptr<BRepModel3> ManyVertices(int v, int n) {
  std::vector<Point3D> points(static_cast<std::size_t>(v));
  for (int i = 0; i < v; ++i) points[static_cast<std::size_t>(i)] = {i * 0.001, (i % 7) * 0.1, (i % 3) * 0.2};
  std::vector<FaceSpec> faces;
  for (int i = 0; i < n; ++i) faces.push_back({{3 * i % (v - 2) + 1, 3 * i % (v - 2) + 2, 3 * i % (v - 2) + 3}});
  return MakeMesh(points, faces);
}

class Recorder : public GeoInterface {
public:
  std::vector<std::string> texts;
  void Status(const char* text) override { texts.emplace_back(text); }
  void Message(const char* text) override { texts.emplace_back(std::string("message ") + text); }
  std::int32_t UserBreak() override { return 0; }
};

// Reads pbrep text into mesh; the scanner's token after reading goes to rest.
inline int ReadPbrep(const std::string& text, BRepModel3& mesh, std::string* rest = nullptr) {
  std::istringstream in(text);
  GeoScanner s(in);
  s.Next();
  const int ok = mesh.Read(s);
  if (rest != nullptr) *rest = s.Text();
  return ok;
}

inline std::string WritePbrep(const BRepModel3& mesh, int withNormals) {
  std::ostringstream os;
  mesh.Write(os, withNormals);
  return os.str();
}

}  // namespace zavo::test
