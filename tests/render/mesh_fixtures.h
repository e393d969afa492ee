#pragma once

// Objects for the tests of the preview and the exports:
//
//   MeshObject   an indexed mesh of given vertices and triangles (numbers from
//                1, negative for a hidden edge) with a material or none
//   PartsObject  not a mesh itself: declasses into copies of its meshes,
//                owned or not
//   BareObject   neither a mesh nor anything with a bounding volume
//   FixedLamp    a lamp of the lamp list at a given position
//
// MeshObject counts its living instances.

#include <array>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "scene/fakes.h"
#include "scene/graphic_object.h"
#include "scene/light_source.h"
#include "scene/material.h"

namespace zavo::test {

using Triangle3 = std::array<int, 3>;

class MeshObject : public CG_GraphicObject {
public:
  MeshObject(const char* objectName, std::vector<Point3D> vertexList,
             std::vector<Triangle3> triangleList, CG_Material* meshMaterial = nullptr)
      : CG_GraphicObject(*MakeCommData(objectName)),
        vertices(std::move(vertexList)),
        triangles(std::move(triangleList)),
        material(meshMaterial) {
    ++alive;
  }
  MeshObject(const MeshObject& other)
      : CG_GraphicObject(other),
        vertices(other.vertices),
        triangles(other.triangles),
        material(other.material),
        materialMatches(other.materialMatches),
        camera(other.camera),
        lamp(other.lamp) {
    ++alive;
  }
  ~MeshObject() override { --alive; }

  int GetCommData(CG_GraphicObjectCommData& data) override {
    data.name = name;
    return 1;
  }
  int SetCommData(CG_GraphicObjectCommData& data) override {
    name = data.name;
    return 1;
  }
  void Write(std::ostream&) const override {}
  int HasMaterialOfClass(const CG_Material&) const override { return materialMatches; }
  int IsIndexedMesh() const override { return 1; }
  int MeshVertexCount() const override { return static_cast<int>(vertices.size()); }
  void MeshVertex(int i, Point3D& point) const override { point = vertices.at(static_cast<std::size_t>(i - 1)); }
  int MeshTriangleCount() const override { return static_cast<int>(triangles.size()); }
  void MeshTriangle(int i, int& a, int& b, int& c) const override {
    const Triangle3& t = triangles.at(static_cast<std::size_t>(i));
    a = t[0];
    b = t[1];
    c = t[2];
  }
  CG_Material* MeshMaterial() const override { return material; }
  int IsCamera() const override { return camera; }
  int IsLightSource() const override { return lamp; }

  std::vector<Point3D> vertices;
  std::vector<Triangle3> triangles;
  CG_Material* material;
  int materialMatches = 1;
  int camera = 0;
  int lamp = 0;
  static inline int alive = 0;
};

// A camera object drawn as a mesh.
inline std::unique_ptr<MeshObject> MakeCameraMesh(const char* objectName, std::vector<Point3D> v,
                                                  std::vector<Triangle3> t) {
  auto camera = std::make_unique<MeshObject>(objectName, std::move(v), std::move(t));
  camera->camera = 1;
  return camera;
}

class PartsObject : public CG_GraphicObject {
public:
  PartsObject(const char* objectName, std::vector<MeshObject> meshes, int ownedParts = 1)
      : CG_GraphicObject(*MakeCommData(objectName)), parts(std::move(meshes)), owned(ownedParts) {}

  int GetCommData(CG_GraphicObjectCommData&) override { return 0; }
  int SetCommData(CG_GraphicObjectCommData&) override { return 0; }
  void Write(std::ostream&) const override {}
  int DeclassToIndexedMesh(zavo::DeclassedParts& list, int) override {
    list.SetSize(static_cast<long>(parts.size()));
    for (std::size_t k = 0; k < parts.size(); ++k) {
      CG_DeclassedGraphicObject& entry = list[static_cast<long>(k)];
      entry.object = owned ? new MeshObject(parts[k]) : &parts[k];
      entry.owned = owned;
    }
    return parts.empty() ? 0 : 1;
  }

  std::vector<MeshObject> parts;
  int owned;
};

class BareObject : public CG_GraphicObject {
public:
  explicit BareObject(const char* objectName) : CG_GraphicObject(*MakeCommData(objectName)) {}
  int GetCommData(CG_GraphicObjectCommData&) override { return 0; }
  int SetCommData(CG_GraphicObjectCommData&) override { return 0; }
  void Write(std::ostream&) const override {}
};

class FixedLamp : public CG_LightSource {
public:
  FixedLamp(const char* lampName, const Point3D& where) : CG_LightSource(lampName), position(where) {}
  void Write(std::ostream&) const override {}
  Point3D Position() const override { return position; }
  Point3D position;
};

// A Phong material of the given colour.
inline std::unique_ptr<CG_MaterialPhong> Coloured(double r, double g, double b) {
  auto material = std::make_unique<CG_MaterialPhong>();
  material->Od = Point3D{r, g, b};
  return material;
}

}  // namespace zavo::test
