// Tracing one ray: nearest hit, local shading, reflected and refracted rays
// (optionally spread over a cone of directions) and atmospheric attenuation.

#include <algorithm>
#include <cmath>

#include "foundation/number_text.h"
#include "foundation/runtime_error_box.h"
#include "foundation/user_break.h"
#include "geometry/reflect.h"
#include "render/random.h"
#include "scene/render_limits.h"
#include "scene/scene.h"
#include "scene/shading_method.h"

Point3D CG_GraphicScene::Background() const {
  if (!param_.UseAA) return param_.backcolor;
  return param_.AAsf * param_.ambientcolor + (1.0 - param_.AAsf) * param_.backcolor;
}

Point3D CG_GraphicScene::Trace(const Ray& ray, int depth, double weight) {
  // After a break the pixels are thrown away: no further ray is worth tracing.
  if (zavo::BreakRequested()) return Point3D{};
  CG_GraphicObjectQZData* hit = FirstIntersection(ray);
  if (hit == nullptr) return Background();

  // Outside an image (a caller tracing single rays) the working material is
  // made here, from the shading method named by "shade".
  if (shadingMethod_ == nullptr && !SetShadingMethod(param_.shade.Text() != nullptr ? param_.shade.Text() : "")) {
    RuntimeErrorBox("CG_GraphicScene::Trace without a shading method");
  }
  std::unique_ptr<CG_Material>& hitMaterial = WorkerHitMaterial();
  if (!hitMaterial) hitMaterial = shadingMethod_->NewMaterial();
  CG_Material& material = *hitMaterial;
  CG_GraphicObjectIntrInfo& record = *hit->Record();
  Point3D P, N;
  hit->object->HitDetails(ray, record, 0, material, P, N);
  // The hit material is filled again by every further ray: read it now.
  const double kr = material.Ks;
  const double kt = material.Kt;
  const double ni = material.ni;
  const double angles = material.angles;
  const double anglet = material.anglet;
  const double t = record.Value(0);

  Point3D L = shadingMethod_->Shade(*this, material, P, N);

  if (depth > 1) {
    const Point3D V = -ray.direction;
    Point3D R, T;
    int tir = 0;
    if (kr != 0 && kr * weight > param_.infltoll) R = TraceReflected(P, N, V, depth, kr * weight, angles);
    if (kt != 0 && kt * weight > param_.infltoll) {
      T = TraceRefracted(P, N, V, tir, depth, ni, kt * weight, anglet);
    }
    if (tir == 1) {
      L += (kr + kt) * R;
    } else {
      L += kr * R + kt * T;
    }
  }

  if (!param_.UseAA) return L;
  double s;
  if (t < param_.AAzb) {
    s = param_.AAsb;
  } else if (t > param_.AAzf) {
    s = param_.AAsf;
  } else if (param_.AAzf == param_.AAzb) {
    s = t < param_.AAzb ? param_.AAsb : param_.AAsf;
  } else {
    s = param_.AAsb + (t - param_.AAzb) * (param_.AAsf - param_.AAsb) / (param_.AAzf - param_.AAzb);
  }
  return s * L + (1.0 - s) * param_.ambientcolor;
}

Point3D CG_GraphicScene::TraceReflected(const Point3D& P, const Point3D& N, const Point3D& V, int depth,
                                        double weight, double spread) {
  const Point3D D = ReflectVector(N, V);
  if (param_.UseDistribuiteTS == 0 || spread == 0) {
    return Trace(Ray::FromDirection(P, D), depth - 1, weight);
  }
  return SpreadSamples(P, N, V, D, depth, weight, spread);
}

Point3D CG_GraphicScene::TraceRefracted(const Point3D& P, const Point3D& N, const Point3D& V, int& tir,
                                        int depth, double ni, double weight, double spread) {
  double c = Dot(N, V);
  Point3D Nr = N;
  double eta;
  if (c >= 0) {
    eta = param_.ambient_ni / ni;
  } else {
    Nr = -N;
    eta = ni / param_.ambient_ni;
    c = Dot(Nr, V);
  }
  const double m = 1.0 - (1.0 - c * c) * eta * eta;
  if (m < 0) {
    tir = 1;
    return {};
  }
  const Point3D T = (eta * c - std::sqrt(m)) * Nr - eta * V;
  if (param_.UseDistribuiteTS == 0 || spread == 0) {
    tir = 0;
    return Trace(Ray::FromDirection(P, T), depth - 1, weight);
  }
  return SpreadSamples(P, N, V, T, depth, weight, spread);
}

Point3D CG_GraphicScene::SpreadSamples(const Point3D& P, const Point3D& N, const Point3D& V,
                                       const Point3D& D, int depth, double weight, double spread) {
  const int n = std::min(zavo::SaturateToInt(spread * spread * param_.AngleFreq), zavo::kMaxSpreadSamples);
  if (n <= 0) {
    // Too small a spread for one sample: the single unspread ray.
    return Trace(Ray::FromDirection(P, D), depth - 1, weight);
  }
  // Rays traced inside are single rays; the switch is on again afterwards.
  struct Restore {
    GParam& param;
    ~Restore() { param.UseDistribuiteTS = 1; }
  } restore{param_};
  param_.UseDistribuiteTS = 0;
  const Point3D A = Cross(N, V);
  const Point3D B = Cross(A, D);
  Point3D sum;
  for (int k = 0; k < n; ++k) {
    const double r1 = RandomSigned();
    const double r2 = RandomSigned();
    const Point3D Dk = D + (spread * r1) * A + (spread * r2) * B;
    sum += Trace(Ray::FromDirection(P, Dk), depth - 1, weight);
  }
  return sum * (1.0 / n);
}
