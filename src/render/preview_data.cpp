#include "render/preview_data.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "render/preview_view.h"
#include "scene/graphic_object.h"
#include "scene/material.h"
#include "scene/scene.h"
#include "scene/trace_data.h"

CG_GraphicObjectZBData::~CG_GraphicObjectZBData() {
  if (owned) delete object;
}

namespace {

// A point in clip coordinates.
struct Clip {
  double x, y, z, w;
};

Clip ToClip(const Transformation& m, const Point3D& p) {
  double v[4];
  for (int r = 0; r < 4; ++r) v[r] = m(r, 0) * p.x + m(r, 1) * p.y + m(r, 2) * p.z + m(r, 3);
  return {v[0], v[1], v[2], v[3]};
}

// The point divided by its w; (0, 0, 0) when w is 0.
Point3D Projected(const Clip& c) {
  if (c.w == 0) return Point3D{0, 0, 0};
  return Point3D{c.x / c.w, c.y / c.w, c.z / c.w};
}

// How far inside the front (Z >= 0) and the back (Z <= W) the point lies.
double InFront(const Clip& c) { return c.z; }
double InBack(const Clip& c) { return c.w - c.z; }

// Cuts the polygon to the side where inside gives at least 0.
template <class Inside>
void CutPolygon(std::vector<Clip>& polygon, std::vector<Clip>& scratch, Inside inside) {
  scratch.clear();
  const std::size_t n = polygon.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Clip& a = polygon[i];
    const Clip& b = polygon[(i + 1) % n];
    const double da = inside(a);
    const double db = inside(b);
    if (da >= 0) scratch.push_back(a);
    if ((da >= 0) != (db >= 0)) {
      const double t = da / (da - db);
      scratch.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z),
                         a.w + t * (b.w - a.w)});
    }
  }
  polygon.swap(scratch);
}

}  // namespace

void CG_GraphicObjectZBData::Prepare(const Transformation& m) {
  const int n = object->MeshVertexCount();
  const std::size_t count = n > 0 ? static_cast<std::size_t>(n) : 0;
  std::vector<Point3D> world(count);
  std::vector<Clip> clip(count);
  std::vector<char> inside(count);
  points.assign(count, Point3D{});
  for (std::size_t k = 0; k < count; ++k) {
    object->MeshVertex(static_cast<int>(k) + 1, world[k]);
    clip[k] = ToClip(m, world[k]);
    inside[k] = InFront(clip[k]) >= 0 && InBack(clip[k]) >= 0;
    points[k] = Projected(clip[k]);
  }

  faces.clear();
  const int triangles = object->MeshTriangleCount();
  if (triangles > 0) faces.reserve(static_cast<std::size_t>(triangles));
  std::vector<Clip> polygon;
  std::vector<Clip> scratch;
  for (int i = 0; i < triangles; ++i) {
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

    if (inside[face.index[0]] && inside[face.index[1]] && inside[face.index[2]]) {
      AddFace(face);
      continue;
    }
    polygon.assign({clip[face.index[0]], clip[face.index[1]], clip[face.index[2]]});
    CutPolygon(polygon, scratch, InFront);
    if (polygon.size() >= 3) CutPolygon(polygon, scratch, InBack);
    if (polygon.size() < 3) continue;
    // The cut part as a fan around its first corner, in the triangle's turn.
    const int first = static_cast<int>(points.size());
    for (const Clip& c : polygon) points.push_back(Projected(c));
    for (int k = 1; k + 1 < static_cast<int>(polygon.size()); ++k) {
      face.index[0] = first;
      face.index[1] = first + k;
      face.index[2] = first + k + 1;
      AddFace(face);
    }
  }
  colour = zavo::ColourOrDefault(object->MeshMaterial());
}

void CG_GraphicObjectZBData::AddFace(CG_GraphicObjectZBFace face) {
  face.ymin = face.ymax = points[face.index[0]].y;
  for (int j = 1; j < 3; ++j) {
    const double y = points[face.index[j]].y;
    if (y < face.ymin) face.ymin = y;
    if (y > face.ymax) face.ymax = y;
  }
  if (faces.empty()) {
    ymin = face.ymin;
    ymax = face.ymax;
  } else {
    if (face.ymin < ymin) ymin = face.ymin;
    if (face.ymax > ymax) ymax = face.ymax;
  }
  faces.push_back(face);
}

namespace zavo {

double FarthestAhead(const PreviewRecords& records, const CG_ViewReference& view) {
  double farthest = -std::numeric_limits<double>::infinity();
  for (const auto& record : records) {
    const int n = record->object->MeshVertexCount();
    for (int k = 1; k <= n; ++k) {
      Point3D p;
      record->object->MeshVertex(k, p);
      const double ahead = DistanceAhead(view, p);
      if (ahead > farthest) farthest = ahead;
    }
  }
  return farthest;
}

void CollectPreviewRecords(const CG_GraphicScene& scene, PreviewRecords& records) {
  records.clear();
  CG_GraphicObject* object = nullptr;
  scene.ResetObjectIteration(object);
  while (scene.NextObject(object)) {
    // What the ray tracer does not see is not drawn either.
    if (!TracedAsSurface(*object)) continue;
    if (object->IsIndexedMesh()) {
      records.push_back(std::make_unique<CG_GraphicObjectZBData>(object, 0));
      continue;
    }
    DeclassedParts parts;
    DeclassedPartsRelease release{parts};
    object->DeclassToIndexedMesh(parts, 0);
    for (long k = 0; k < parts.Size(); ++k) {
      CG_DeclassedGraphicObject& part = parts[k];
      if (part.object == nullptr || !TracedAsSurface(*part.object)) continue;
      // The part passes to its record before anything else can fail.
      auto record = std::make_unique<CG_GraphicObjectZBData>(part.object, part.owned);
      part.object = nullptr;
      part.owned = 0;
      records.push_back(std::move(record));
    }
  }
}

}  // namespace zavo
