// The brep's ray queries and hit details, with the smoothing of shading
// normals across triangles.

#include <algorithm>
#include <cmath>
#include <utility>

#include "foundation/runtime_error_box.h"
#include "models/core/brep.h"

namespace {

// The hits the mesh search gave, in increasing ray parameter by selection:
// each position in turn takes the first least hit among those still left.
void SortBySelection(BRepModel3::Hits& hits, unsigned int count) {
  for (unsigned int i = 0; i + 1 < count; ++i) {
    unsigned int least = i;
    for (unsigned int k = i + 1; k < count; ++k) {
      if (hits[k].t < hits[least].t) least = k;
    }
    if (least != i) std::swap(hits[i], hits[least]);
  }
}

// One corner of the hit triangle in the face's projection plane, with its
// shading normal.
struct Corner {
  double u = 0.0;
  double v = 0.0;
  Point3D normal;
};

// The coordinates that a projection code keeps: 0 (y, z), 1 (x, z), 2 (x, y).
void Project(const Point3D& p, int axis, double& u, double& v) {
  switch (axis) {
    case 0:
      u = p.y;
      v = p.z;
      break;
    case 1:
      u = p.x;
      v = p.z;
      break;
    default:
      u = p.x;
      v = p.y;
      break;
  }
}

// The checks of the blend along an edge, by side (right, left) and edge
// (P1-P2, P2-P3, P3-P1). The choice of crossings never picks an edge whose
// ends have equal v.
constexpr const char* kFlatEdge[2][3] = {{"d p1y==p2y", "d p2y==p3y", "d p3y==p1y"},
                                         {"s p1y==p2y", "s p2y==p3y", "s p3y==p1y"}};

}  // namespace

std::unique_ptr<CG_GraphicObjectIntrInfo> GBRep::NewIntrInfo() const { return std::make_unique<CG_BRepIntrInfo>(); }

int GBRep::Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const {
  auto& found = static_cast<CG_BRepIntrInfo&>(record);
  found.count = 0;
  if (costr_ == 0.0 && !box_.HitByRay(ray)) return 0;
  found.count = mesh_->Intersect(ray, found.hits, toll);
  SortBySelection(found.hits, static_cast<unsigned int>(found.count));
  return found.count;
}

int GBRep::IntersectAny(const Ray& ray, CG_GraphicObjectIntrInfo& record) const {
  auto& found = static_cast<CG_BRepIntrInfo&>(record);
  found.count = 0;
  if (costr_ == 0.0 && !box_.HitByRay(ray)) return 0;
  int n = 0;
  switch (algorithm_) {
    case 1:
      n = mesh_->Intersect(ray, found.hits, toll);
      break;
    case 2:
      n = mesh_->IntersectFirst(ray, found.hits, toll);
      break;
    case 3:
      n = mesh_->IntersectBestFirst(ray, found.hits, toll);
      break;
    default:
      break;
  }
  if (n == 0) return 0;
  unsigned int least = 0;
  for (unsigned int k = 1; k < static_cast<unsigned int>(n); ++k) {
    if (found.hits[k].t < found.hits[least].t) least = k;
  }
  found.hits[0] = found.hits[least];
  found.count = 1;
  return 1;
}

int GBRep::HitsBefore(const Ray& ray, double limit, CG_GraphicObjectIntrInfo& record) const {
  if (algorithm_ != 3) return CG_GraphicObject::HitsBefore(ray, limit, record);
  static_cast<CG_BRepIntrInfo&>(record).count = 0;
  if (costr_ == 0.0 && !box_.HitByRay(ray)) return 0;
  return mesh_->HitBefore(ray, toll, limit) ? 1 : 0;
}

void GBRep::HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                       Point3D& point, Point3D& normal) const {
  const auto& found = static_cast<const CG_BRepIntrInfo&>(record);
  const BRepIntrInfo3& hit = found.hits[static_cast<unsigned int>(index)];
  // A record of another mesh than the one the object holds now.
  if (hit.face < 0 || static_cast<std::uint32_t>(hit.face) >= mesh_->faces.Count()) {
    RuntimeErrorBox("GBRep::HitDetails");
  }
  point = ray.PointAt(hit.t);
  const Face3& face = mesh_->faces[static_cast<std::uint32_t>(hit.face)];
  normal = interp_ != 0 ? InterpolatedNormal(face, point) : face.unitNormal;
  MapPoint(material, point);
  EvalTexture(point, normal);
}

namespace {

Point3D BarycentricNormal(const Corner (&c)[3], double hu, double hv, const Point3D& flat) {
  const double area = (c[1].u - c[0].u) * (c[2].v - c[0].v) - (c[2].u - c[0].u) * (c[1].v - c[0].v);
  if (!(area != 0.0) || !std::isfinite(area)) return flat;
  double w[3];
  for (int k = 0; k < 3; ++k) {
    const Corner& a = c[(k + 1) % 3];
    const Corner& b = c[(k + 2) % 3];
    w[k] = std::max(0.0, ((b.u - a.u) * (hv - a.v) - (hu - a.u) * (b.v - a.v)) / area);
  }
  const double sum = w[0] + w[1] + w[2];
  if (!(sum > 0.0)) return flat;
  const Point3D n = (w[0] / sum) * c[0].normal + (w[1] / sum) * c[1].normal + (w[2] / sum) * c[2].normal;
  const double length = Length(n);
  if (!(length > 0.0)) return flat;
  return n * (1.0 / length);
}

}  // namespace

Point3D GBRep::InterpolatedNormal(const Face3& face, const Point3D& point) const {
  // A normal that cannot be blended is the plane normal: a corner whose scan
  // line meets nothing else, a blend of length 0, a contour without normals.
  const Point3D& flat = face.unitNormal;
  const ContourFace3* contour = face.contours.First();
  if (contour == nullptr || contour->vertices.Count() < 3 || contour->normals.Count() < 3) return flat;

  Corner corners[3];
  for (std::uint32_t k = 0; k < 3; ++k) {
    const Point3D& p = mesh_->vertices[ContourFace3::VertexIndex(contour->vertices[k])];
    Project(p, contour->axis, corners[k].u, corners[k].v);
    corners[k].normal = contour->normals[k].ToPoint();
  }
  double hu = 0.0;
  double hv = 0.0;
  Project(point, contour->axis, hu, hv);

  // The scan line v = hv against the lines of the three edges: the nearest
  // crossing on each side of the point; an earlier edge keeps its place.
  int right = -1;
  int left = -1;
  double uRight = 0.0;
  double uLeft = 0.0;
  for (int e = 0; e < 3; ++e) {
    const Corner& a = corners[e];
    const Corner& b = corners[(e + 1) % 3];
    if (a.v == b.v) continue;
    const double u = a.u + (b.u - a.u) * (hv - a.v) / (b.v - a.v);
    if (u > hu && (right < 0 || u < uRight)) {
      right = e;
      uRight = u;
    }
    if (u < hu && (left < 0 || u > uLeft)) {
      left = e;
      uLeft = u;
    }
  }
  // A point on an edge or at a corner (where the ray test may put a hit) has
  // no crossing on one side: the blend there is the limit of the blends
  // around it, the corners' normals weighted by the point's barycentric
  // coordinates (clamped to the triangle).
  if (right < 0 || left < 0) return BarycentricNormal(corners, hu, hv, flat);

  const auto alongEdge = [&](int e, int side) {
    const Corner& a = corners[e];
    const Corner& b = corners[(e + 1) % 3];
    if (a.v == b.v) RuntimeErrorBox(kFlatEdge[side][e]);
    const double s = (a.v - hv) / (a.v - b.v);
    return a.normal - s * (a.normal - b.normal);
  };
  const Point3D nRight = alongEdge(right, 0);
  const Point3D nLeft = alongEdge(left, 1);
  if (uRight == uLeft) RuntimeErrorBox("cold == cols");
  const Point3D n = nLeft + ((hu - uLeft) / (uRight - uLeft)) * (nRight - nLeft);
  const double length = Length(n);
  if (!(length > 0.0)) return flat;
  return n * (1.0 / length);
}
