#include "models/curved/spline.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <utility>

#include "models/core/brep.h"
#include "geometry/patch_hits.h"
#include "geometry/surface_hit_refine.h"

GSpline::GSpline(CG_GraphicObjectCommData& data, const CG_SplineDescription& description)
    : UniformModelObject(data), progress_(description.progress) {
  LoadModelFile(description, false);
}

void GSpline::SetDescription(const CG_SplineDescription& description) { LoadModelFile(description, true); }

void GSpline::GetDescription(CG_SplineDescription& d) const {
  d.modelName = modelName_;
  d.modelPath = modelPath_;
  d.usebrep = usebrep_;
  d.progress = progress_;
}

void GSpline::LoadModelFile(const CG_SplineDescription& d, bool tell) {
  modelName_ = d.modelName;
  modelPath_ = d.modelPath;
  usebrep_ = d.usebrep;
  surface_ = std::make_unique<BSplineSurface>();
  load_ = zavo::LoadModelFile(zavo::kSplineFile, zavo::TextOf(modelPath_), tell ? progress_ : nullptr,
                              [this](std::istream& in) { return ReadControlGrid(*surface_, in); });
}

std::unique_ptr<CG_GraphicObjectIntrInfo> GSpline::NewIntrInfo() const {
  return std::make_unique<CG_SplineIntrInfo>();
}

int GSpline::Intersect(const Ray& ray, CG_GraphicObjectIntrInfo& record) const {
  auto& found = static_cast<CG_SplineIntrInfo&>(record);
  const std::int32_t searched = CountPatchHits(*surface_, ray, found.hits);
  // The search's single-precision hits lie up to a few thousandths off the
  // surface: each is polished in double precision, so that a ray leaving the
  // surface (a shadow ray) does not meet it again below the tolerance. A hit
  // that does not polish is none: the ray passes within the search's
  // tolerance of the surface's border but beside it. Then only hits beyond the
  // tolerance count, and one place found from two windows counts once.
  std::uint32_t n = 0;
  for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(searched); ++i) {
    BSplineIntrInfo hit = found.hits[i];
    if (!RefineSurfaceHit(*surface_, ray, hit)) continue;
    if (!(hit.t > toll)) continue;
    bool seen = false;
    for (std::uint32_t k = 0; k < n && !seen; ++k) {
      const BSplineIntrInfo& other = found.hits[k];
      seen = std::fabs(other.t - hit.t) <= 1e-9 * std::max(1.0, std::fabs(hit.t)) &&
             std::fabs(other.surfaceU - hit.surfaceU) <= 1e-7 && std::fabs(other.surfaceV - hit.surfaceV) <= 1e-7;
    }
    if (!seen) found.hits[n++] = hit;
  }
  found.count = static_cast<std::int32_t>(n);
  if (n == 0) return 0;
  for (std::uint32_t i = 0; i + 1 < n; ++i) {
    std::uint32_t least = i;
    for (std::uint32_t k = i + 1; k < n; ++k) {
      if (found.hits[k].t < found.hits[least].t) least = k;
    }
    if (least != i) std::swap(found.hits[i], found.hits[least]);
  }
  return found.count;
}

void GSpline::HitDetails(const Ray& ray, CG_GraphicObjectIntrInfo& record, int index, CG_Material& material,
                         Point3D& point, Point3D& normal) const {
  const auto& found = static_cast<const CG_SplineIntrInfo&>(record);
  const BSplineIntrInfo& hit = found.hits[static_cast<std::uint32_t>(index)];
  point = ray.PointAt(hit.t);
  const Point3D n = Cross(surface_->DerivativeU(hit.surfaceU, hit.surfaceV),
                          surface_->DerivativeV(hit.surfaceU, hit.surfaceV));
  const double length = Length(n);
  if (length > 0.0 && std::isfinite(length)) {
    normal = n * (1.0 / length);
  } else {
    normal = ray.direction * -1.0;
  }
  MapPoint(material, point);
  EvalTexture(point, normal);
}

int GSpline::Tessellate(zavo::DeclassedParts& parts) const {
  std::unique_ptr<CG_GraphicObjectCommData> data = UniformModelObject::NewCommData();
  if (!data) return 0;
  CG_BRepDescription d;
  d.isInline = 1;
  d.mesh = TessellateSplineSurface(*surface_);
  d.name = name;
  d.costr = 0.0;
  d.hierKind = "auto";
  d.gridDim = 20;
  d.interp = 0;
  d.interp_ang = zavo::kDefaultCreaseAngle;
  d.interp_hold = 0;
  d.progress = progress_;
  parts.SetSize(1);
  parts[0].object = new GBRep(*data, d);
  parts[0].owned = 1;
  return 1;
}
