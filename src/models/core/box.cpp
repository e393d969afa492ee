#include "models/core/box.h"

#include <utility>

#include "scene/material.h"

namespace {

// The mesh tables, vertex numbers from 1. Triangle and MeshTriangle list
// different corner orders for some triangles; each answers its own table.
constexpr int kFaces[6][4] = {{1, 2, 3, 4}, {5, 6, 7, 8}, {1, 5, 8, 4},
                              {4, 8, 7, 3}, {3, 7, 6, 2}, {2, 6, 5, 1}};
constexpr int kTriangles[12][3] = {{1, 2, 3}, {3, 4, 1}, {5, 6, 7}, {7, 8, 5}, {1, 5, 8}, {1, 4, 8},
                                   {4, 8, 7}, {7, 3, 4}, {3, 2, 6}, {6, 7, 3}, {5, 6, 2}, {2, 1, 5}};
constexpr int kMeshTriangles[12][3] = {{1, 2, 3}, {3, 4, 1}, {5, 7, 6}, {7, 5, 8}, {1, 8, 5}, {1, 4, 8},
                                       {4, 7, 8}, {7, 4, 3}, {3, 2, 6}, {6, 7, 3}, {5, 6, 2}, {2, 1, 5}};
constexpr int kEdges[12][2] = {{1, 2}, {2, 3}, {3, 4}, {4, 1}, {5, 6}, {6, 7},
                               {7, 8}, {8, 5}, {1, 5}, {4, 8}, {3, 7}, {6, 2}};

bool InRange(int i, int count) { return i >= 0 && i < count; }

GEO_Box BoxOfCorners(double xmin, double xmax, double ymin, double ymax, double zmin, double zmax) {
  GEO_Box box;
  box.SetPoint({xmin, ymin, zmin});
  box.Extend({xmax, ymax, zmax});
  return box;
}

}  // namespace

GBox::GBox(CG_GraphicObjectCommData& data, const CG_BoxDescription& d) : UniformModelObject(data) {
  SetBox(BoxOfCorners(d.xmin, d.xmax, d.ymin, d.ymax, d.zmin, d.zmax));
}

GBox::GBox(CG_GraphicObjectCommData& data, const GEO_Box& b) : UniformModelObject(data) {
  SetBox(BoxOfCorners(b.xmin, b.xmax, b.ymin, b.ymax, b.zmin, b.zmax));
}

void GBox::SetBox(const GEO_Box& box) {
  box_ = box;
  bounding_ = std::make_unique<BoundingBox>(box_);
}

std::unique_ptr<CG_GraphicObject> GBox::Clone() const {
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return nullptr;
  return std::make_unique<GBox>(*data, box_);
}

std::unique_ptr<CG_GraphicObjectIntrInfo> GBox::NewIntrInfo() const { return std::make_unique<CG_BoxIntrInfo>(); }

int GBox::Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const {
  auto& hits = static_cast<CG_BoxIntrInfo&>(record);
  hits.count = box_.RayRange(ray, hits.hits, toll);
  if (hits.count == 2 && hits.hits[0].t > hits.hits[1].t) std::swap(hits.hits[0], hits.hits[1]);
  return hits.count;
}

int GBox::IntersectAny(const Ray& ray, CG_GraphicObjectIntrInfo& record) const {
  auto& hits = static_cast<CG_BoxIntrInfo&>(record);
  hits.count = box_.IntersectRay(ray, hits.hits[0], toll);
  return hits.count;
}

void GBox::HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                      Point3D& point, Point3D& normal) const {
  const auto& hits = static_cast<const CG_BoxIntrInfo&>(record);
  point = ray.PointAt(record.Value(index));
  normal = box_.SideNormal(hits.hits[index == 1 ? 1 : 0]);
  MapPoint(material, point);
  EvalTexture(point, normal);
}

Point3D GBox::Corner(int n) const {
  // Around the zmin side, then around the zmax side: (xmin, ymin), (xmax,
  // ymin), (xmax, ymax), (xmin, ymax).
  const int k = n - 1;
  const bool xMax = k % 4 == 1 || k % 4 == 2;
  const bool yMax = k % 4 >= 2;
  return {xMax ? box_.xmax : box_.xmin, yMax ? box_.ymax : box_.ymin, k >= 4 ? box_.zmax : box_.zmin};
}

void GBox::Vertex(int i, Point3D& point) const {
  if (InRange(i, 8)) point = Corner(i + 1);
}

void GBox::MeshVertex(int i, Point3D& point) const {
  if (InRange(i - 1, 8)) point = Corner(i);
}

void GBox::FaceIndices(int face, int, Seq<int>& indices) const {
  if (!InRange(face, 6)) return;
  indices.SetSize(4);
  for (std::uint32_t k = 0; k < 4; ++k) indices[k] = kFaces[face][k];
}

void GBox::FaceColour(int, Point3D& colour) const { colour = MaterialColour(); }

void GBox::Triangle(int i, Point3D& a, Point3D& b, Point3D& c, Point3D& colour) const {
  if (!InRange(i, 12)) return;
  colour = MaterialColour();
  a = Corner(kTriangles[i][0]);
  b = Corner(kTriangles[i][1]);
  c = Corner(kTriangles[i][2]);
}

void GBox::MeshTriangle(int i, int& a, int& b, int& c) const {
  if (!InRange(i, 12)) return;
  a = kMeshTriangles[i][0];
  b = kMeshTriangles[i][1];
  c = kMeshTriangles[i][2];
}

CG_Material* GBox::MeshMaterial() const { return material != nullptr ? material->model : nullptr; }

void GBox::Edge(int i, int& a, int& b) const {
  if (!InRange(i, 12)) return;
  a = kEdges[i][0];
  b = kEdges[i][1];
}

void GBox::GetDescription(CG_BoxDescription& d) const {
  d.xmin = box_.xmin;
  d.xmax = box_.xmax;
  d.ymin = box_.ymin;
  d.ymax = box_.ymax;
  d.zmin = box_.zmin;
  d.zmax = box_.zmax;
}

void GBox::SetDescription(const CG_BoxDescription& d) {
  SetBox(BoxOfCorners(d.xmin, d.xmax, d.ymin, d.ymax, d.zmin, d.zmax));
}

std::unique_ptr<CG_GraphicObject> zavo::NewStandInBox(CG_GraphicObjectCommData& data, const GEO_Box& box) {
  return std::make_unique<GBox>(data, box);
}
