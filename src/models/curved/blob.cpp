#include "models/curved/blob.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "foundation/path_resolver.h"
#include "models/curved/poly_solvers.h"

namespace {

// Elements at or below these sizes take no part in the surface.
constexpr double kMinRadius = 1e-5;
constexpr double kMinStrength = 1e-5;
// Entries and exits closer to the ray's origin count from the origin.
constexpr double kMinEventT = 0.01;
// Spheres of influence that a ray only grazes are left out.
constexpr double kMinDiscriminant = 1e-5;
constexpr int kProxyDivision = 6;

}  // namespace

GBlob::GBlob(CG_GraphicObjectCommData& data, const CG_BlobDescription& description)
    : UniformModelObject(data) {
  LoadModel(description);
}

GBlob::~GBlob() = default;

void GBlob::LoadModel(const CG_BlobDescription& description) {
  modelName_ = description.name;
  modelPath_ = description.path;
  complete_.elements.Clear();
  // The file as the case-blind model search found it ("DROP.BLB").
  const std::filesystem::path file =
      zavo::SideFileName(std::string(modelPath_.Text() != nullptr ? modelPath_.Text() : ""), "blb");
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    loadResult_ = kNotOpened;
  } else {
    loadResult_ = ReadBlobFile(complete_, in) ? kLoaded : kBadFile;
  }
  MakeSpheres();
  Prepare();
}

void GBlob::ShareLookWithSpheres(CG_GraphicObjectCommData& data) const {
  data.name = name;
  data.material = material;
  data.texture = texture;
  data.bump = bump;
}

int GBlob::SetCommData(CG_GraphicObjectCommData& data) {
  const int result = UniformModelObject::SetCommData(data);
  for (const std::unique_ptr<GSphere>& sphere : spheres_) {
    CG_GraphicObjectCommData look;
    ShareLookWithSpheres(look);
    sphere->SetCommData(look);
  }
  return result;
}

void GBlob::MakeSpheres() {
  spheres_.clear();
  for (const CG_BlobElement& element : complete_.elements) {
    CG_GraphicObjectCommData data;
    ShareLookWithSpheres(data);
    CG_SphereDescription sphere;
    sphere.center = element.center;
    sphere.radius = element.radius * complete_.threshold;
    sphere.div = kProxyDivision;
    spheres_.push_back(std::make_unique<GSphere>(data, sphere));
  }
}

void GBlob::Prepare() {
  std::uint32_t count = 0;
  for (const CG_BlobElement& e : complete_.elements) {
    if (e.radius > kMinRadius && std::fabs(e.strength) > kMinStrength) ++count;
  }
  valid_.SetSize(count);
  bounding_.reset();
  std::uint32_t i = 0;
  for (const CG_BlobElement& e : complete_.elements) {
    if (!(e.radius > kMinRadius && std::fabs(e.strength) > kMinStrength)) continue;
    CG_BlobElement& v = valid_[i++];
    v.center = e.center;
    v.radius = e.radius;
    v.strength = e.strength;
    v.radiusSq = e.radius * e.radius;
    v.coef4 = e.strength / (v.radiusSq * v.radiusSq);
    v.coef2 = -2.0 * e.strength / v.radiusSq;
    v.coef0 = e.strength;
    const Point3D r{e.radius, e.radius, e.radius};
    if (!bounding_) {
      bounding_ = std::make_unique<BoundingBox>(e.center - r);
    } else {
      bounding_->Extend(e.center - r);
    }
    bounding_->Extend(e.center + r);
  }
}

void GBlob::GetDescription(CG_BlobDescription& description) const {
  description.name = modelName_;
  description.path = modelPath_;
}

std::unique_ptr<CG_GraphicObjectIntrInfo> GBlob::NewIntrInfo() const {
  return std::make_unique<CG_BlobIntrInfo>();
}

int GBlob::Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const {
  return IntersectRay(ray, static_cast<CG_BlobIntrInfo&>(record).hits);
}

void GBlob::HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                       Point3D& point, Point3D& normal) const {
  point = ray.PointAt(record.Value(index));
  normal = NormalAt(point);
  if (normal.x == 0.0 && normal.y == 0.0 && normal.z == 0.0) normal = -1.0 * ray.direction;
  MapPoint(material, point);
  EvalTexture(point, normal);
}

double GBlob::FieldAt(const Point3D& p) const {
  double sum = 0.0;
  for (std::uint32_t i = 0; i < valid_.Count(); ++i) {
    const CG_BlobElement& e = valid_[i];
    const Point3D d = p - e.center;
    const double d2 = Dot(d, d);
    if (d2 < e.radiusSq) sum += (e.coef4 * d2 + e.coef2) * d2 + e.coef0;
  }
  return sum;
}

Point3D GBlob::NormalAt(const Point3D& p) const {
  Point3D n{0.0, 0.0, 0.0};
  for (std::uint32_t i = 0; i < valid_.Count(); ++i) {
    const CG_BlobElement& e = valid_[i];
    const Point3D d = p - e.center;
    const double d2 = Dot(d, d);
    if (d2 <= e.radiusSq) n = n + (-2.0 * (2.0 * e.coef4 * d2 + e.coef2)) * d;
  }
  const double length = std::sqrt(Dot(n, n));
  if (!(length > 0.0)) return Point3D{0.0, 0.0, 0.0};
  return (1.0 / length) * n;
}

int GBlob::FindIntervals(const Ray& ray, double minT, std::vector<CG_BlobInterval>& events) const {
  events.clear();
  for (std::uint32_t i = 0; i < valid_.Count(); ++i) {
    const CG_BlobElement& e = valid_[i];
    const Point3D v = e.center - ray.origin;
    const double b = Dot(v, ray.direction);
    // r² less the squared distance of the centre from the ray, taken from
    // the closest approach itself: b² − |v|² would cancel away its digits
    // when the eye is far from the element.
    const Point3D across = v - b * ray.direction;
    const double disc = e.radiusSq - Dot(across, across);
    if (!(disc >= kMinDiscriminant)) continue;
    const double h = std::sqrt(disc);
    double t0 = b - h;
    double t1 = b + h;
    if (t0 < minT) t0 = 0.0;
    if (t1 < minT) t1 = 0.0;
    if (t0 == t1) continue;
    // The entry before the first event at or after t0, the exit before the
    // first event after the entry at or after t1: ties put the newer first.
    std::size_t entry = 0;
    while (entry < events.size() && events[entry].t < t0) ++entry;
    events.insert(events.begin() + static_cast<std::ptrdiff_t>(entry),
                  CG_BlobInterval{0, static_cast<int>(i), t0});
    std::size_t exit = entry + 1;
    while (exit < events.size() && events[exit].t < t1) ++exit;
    events.insert(events.begin() + static_cast<std::ptrdiff_t>(exit),
                  CG_BlobInterval{1, static_cast<int>(i), t1});
  }
  return static_cast<int>(events.size());
}

namespace {

// The field of the element along the ray near the ray point base:
// coefficients of s⁴ … 1 where s is the ray parameter counted from
// base. Counting from a point near the element keeps every coefficient of
// the size of the element instead of the eye's distance.
void ElementPolynomial(const CG_BlobElement& e, const Point3D& base, const Point3D& direction, double poly[5]) {
  const Point3D v = base - e.center;
  const double b = Dot(v, direction);
  const double q = Dot(v, v);
  poly[0] = e.coef4;
  poly[1] = 4.0 * e.coef4 * b;
  poly[2] = 2.0 * e.coef4 * (2.0 * b * b + q) + e.coef2;
  poly[3] = 2.0 * b * (2.0 * e.coef4 * q + e.coef2);
  poly[4] = e.coef4 * q * q + e.coef2 * q + e.coef0;
}

double Horner(const double c[5], double x, double* derivative) {
  double value = c[0];
  double slope = 0.0;
  for (int k = 1; k < 5; ++k) {
    slope = slope * x + value;
    value = value * x + c[k];
  }
  if (derivative != nullptr) *derivative = slope;
  return value;
}

// A few Newton steps on a root of the quartic, each kept only when it brings
// the polynomial closer to zero.
double PolishRoot(const double c[5], double x) {
  double slope = 0.0;
  double value = Horner(c, x, &slope);
  for (int step = 0; step < 4 && value != 0.0 && slope != 0.0; ++step) {
    const double next = x - value / slope;
    double nextSlope = 0.0;
    const double nextValue = Horner(c, next, &nextSlope);
    if (!(std::fabs(nextValue) < std::fabs(value))) break;
    x = next;
    value = nextValue;
    slope = nextSlope;
  }
  return x;
}

// The real roots of the quartic c (t⁴ first) in x, scaled so that the
// solver's fixed thresholds meet numbers of the order of one.
int StretchRoots(double c[5], double roots[5]) {
  double largest = 0.0;
  for (int k = 0; k < 5; ++k) largest = std::max(largest, std::fabs(c[k]));
  if (!(largest > 0.0) || !std::isfinite(largest)) return 0;
  for (int k = 0; k < 5; ++k) c[k] /= largest;
  int found = SolveQuartic(c, roots);
  // The solver leaves out the root 0 of a polynomial without constant term.
  if (std::fabs(c[4]) < 1e-20 && std::fabs(c[0]) >= 1e-20) roots[found++] = 0.0;
  for (int k = 0; k < found; ++k) roots[k] = PolishRoot(c, roots[k]);
  return found;
}

}  // namespace

int GBlob::IntersectRay(const Ray& ray, FragmentedSeq<double, int>& hits) const {
  hits.SetSize(0);
  // Scratch of this thread: the workers of a render intersect at the same time.
  thread_local std::vector<CG_BlobInterval> events;
  thread_local std::vector<int> active;  // the elements a stretch lies in
  const int n = FindIntervals(ray, kMinEventT, events);
  if (n == 0) return 0;
  active.clear();
  int count = 0;
  for (int i = 0; i + 1 < n; ++i) {
    const CG_BlobInterval& event = events[static_cast<std::size_t>(i)];
    if (event.kind == 1) {
      const auto gone = std::find(active.begin(), active.end(), event.element);
      if (gone != active.end()) active.erase(gone);
    } else {
      active.push_back(event.element);
    }
    const double from = event.t;
    const double to = events[static_cast<std::size_t>(i) + 1].t;
    if (active.empty() || !(to > from)) continue;
    // The stretch's field less the threshold, in x with t = middle + half·x:
    // x runs over −1 … 1 on the stretch, which lies inside the sphere of
    // influence of every active element, so no coefficient grows with the
    // distance of the eye.
    const double middle = 0.5 * (from + to);
    const double half = 0.5 * (to - from);
    const Point3D base = ray.PointAt(middle);
    double p[5] = {0.0, 0.0, 0.0, 0.0, -complete_.threshold};
    for (const int element : active) {
      const CG_BlobElement& e = valid_[static_cast<std::uint32_t>(element)];
      double poly[5];
      ElementPolynomial(e, base, ray.direction, poly);
      for (int k = 0; k < 5; ++k) p[k] += poly[k];
    }
    double scale = 1.0;
    for (int k = 3; k >= 0; --k) {
      scale *= half;
      p[k] *= scale;
    }
    double roots[5];
    const int found = StretchRoots(p, roots);
    for (int k = 0; k < found; ++k) {
      const double t = middle + half * roots[k];
      if (t >= from && t <= to && t > toll && std::isfinite(t)) {
        hits.SetSize(count + 1);
        hits[count++] = t;
      }
    }
  }
  // Selection sort: an equal value found later never moves ahead.
  for (int i = 0; i + 1 < count; ++i) {
    int least = i;
    for (int j = i + 1; j < count; ++j) {
      if (hits[j] < hits[least]) least = j;
    }
    if (least != i) std::swap(hits[i], hits[least]);
  }
  return count;
}

template <class Convert>
int GBlob::DeclassSpheres(zavo::DeclassedParts& parts, Convert convert) {
  parts.SetSize(0);
  long count = 0;
  for (const std::unique_ptr<GSphere>& sphere : spheres_) {
    zavo::DeclassedParts scratch;
    if (!convert(*sphere, scratch) || scratch.Size() == 0) {
      zavo::ReleaseDeclassedParts(scratch);
      continue;
    }
    parts.SetSize(count + 1);
    parts[count++] = scratch[0];
    scratch[0].owned = 0;  // handed on with the first entry
    zavo::ReleaseDeclassedParts(scratch);
  }
  return 1;
}

int GBlob::DeclassToRayTraceable(zavo::DeclassedParts& parts) {
  parts.SetSize(static_cast<long>(spheres_.size()));
  for (std::size_t i = 0; i < spheres_.size(); ++i) {
    parts[static_cast<long>(i)].object = spheres_[i].get();
    parts[static_cast<long>(i)].owned = 0;
  }
  return 1;
}

int GBlob::DeclassToFaced(zavo::DeclassedParts& parts, int mode) {
  return DeclassSpheres(parts, [mode](GSphere& s, zavo::DeclassedParts& out) { return s.DeclassToFaced(out, mode); });
}

int GBlob::DeclassToTriangleMesh(zavo::DeclassedParts& parts) {
  return DeclassSpheres(parts, [](GSphere& s, zavo::DeclassedParts& out) { return s.DeclassToTriangleMesh(out); });
}

int GBlob::DeclassToIndexedMesh(zavo::DeclassedParts& parts, int mode) {
  return DeclassSpheres(parts,
                        [mode](GSphere& s, zavo::DeclassedParts& out) { return s.DeclassToIndexedMesh(out, mode); });
}
