#include "render/preview_data.h"

#include <cmath>
#include <cstdlib>

#include "scene/graphic_object.h"
#include "scene/material.h"
#include "scene/scene.h"

CG_GraphicObjectZBData::~CG_GraphicObjectZBData() {
  if (owned) delete object;
}

void CG_GraphicObjectZBData::Prepare(const Transformation& m) {
  const int n = object->MeshVertexCount();
  std::vector<Point3D> world(n > 0 ? static_cast<std::size_t>(n) : 0);
  points.assign(world.size(), Point3D{});
  for (int k = 0; k < n; ++k) {
    object->MeshVertex(k + 1, world[k]);
    points[k] = zavo::ProjectPoint(m, world[k]);
    if (k == 0) {
      ymin = ymax = points[k].y;
    } else if (points[k].y < ymin) {
      ymin = points[k].y;
    } else if (points[k].y > ymax) {
      ymax = points[k].y;
    }
  }

  faces.clear();
  const int count = object->MeshTriangleCount();
  if (count > 0) faces.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    int number[3] = {0, 0, 0};
    object->MeshTriangle(i, number[0], number[1], number[2]);
    CG_GraphicObjectZBFace face;
    bool valid = true;
    for (int j = 0; j < 3; ++j) {
      const long index = std::labs(static_cast<long>(number[j])) - 1;
      valid = valid && index >= 0 && index < n;
      face.index[j] = static_cast<int>(index);
    }
    if (!valid) continue;
    const Point3D& P = world[face.index[0]];
    const Point3D& Q = world[face.index[1]];
    const Point3D& R = world[face.index[2]];
    const Point3D normal = Cross(Q - P, R - Q);
    if (std::fabs(normal.x) < 1e-20 && std::fabs(normal.y) < 1e-20 && std::fabs(normal.z) < 1e-20) {
      face.normal = Point3D{0, 0, 0};
    } else {
      face.normal = normal * (1 / Length(normal));
    }
    face.ymin = face.ymax = points[face.index[0]].y;
    for (int j = 1; j < 3; ++j) {
      const double y = points[face.index[j]].y;
      if (y < face.ymin) face.ymin = y;
      if (y > face.ymax) face.ymax = y;
    }
    faces.push_back(face);
  }
  colour = zavo::ColourOrDefault(object->MeshMaterial());
}

namespace zavo {

Point3D ProjectPoint(const Transformation& m, const Point3D& p) {
  double v[4];
  for (int r = 0; r < 4; ++r) v[r] = m(r, 0) * p.x + m(r, 1) * p.y + m(r, 2) * p.z + m(r, 3);
  if (v[3] == 0) return Point3D{0, 0, 0};
  return Point3D{v[0] / v[3], v[1] / v[3], v[2] / v[3]};
}

void CollectPreviewRecords(const CG_GraphicScene& scene, PreviewRecords& records) {
  records.clear();
  CG_GraphicObject* object = nullptr;
  scene.ResetObjectIteration(object);
  while (scene.NextObject(object)) {
    if (object->IsCamera()) continue;
    if (object->IsIndexedMesh()) {
      records.push_back(std::make_unique<CG_GraphicObjectZBData>(object, 0));
      continue;
    }
    DeclassedParts parts;
    DeclassedPartsRelease release{parts};
    object->DeclassToIndexedMesh(parts, 0);
    for (long k = 0; k < parts.Size(); ++k) {
      CG_DeclassedGraphicObject& part = parts[k];
      if (part.object == nullptr) continue;
      // The part passes to its record before anything else can fail.
      auto record = std::make_unique<CG_GraphicObjectZBData>(part.object, part.owned);
      part.object = nullptr;
      part.owned = 0;
      records.push_back(std::move(record));
    }
  }
}

}  // namespace zavo
