#include "scene/phong_shading.h"

#include <cmath>

#include "foundation/runtime_error_box.h"
#include "geometry/ray.h"
#include "geometry/reflect.h"
#include "scene/light_source.h"
#include "scene/scene.h"

namespace {

// What the Phong sum reads of the material, copied out before any shadow ray
// can overwrite a material that the scene's shadow search fills.
struct PhongTerms {
  double Ka, Kd, Kh, n;
  Point3D Od, Os;
  bool doubleside;
  int shadows;
};

PhongTerms TermsOf(const CG_Material& material, const char* operation) {
  const auto* phong = dynamic_cast<const CG_MaterialPhong*>(&material);
  if (phong == nullptr) RuntimeErrorBox(operation);
  return {phong->Ka,  phong->Kd, phong->Kh, static_cast<double>(phong->n),
          phong->Od,  phong->Os, phong->doubleside != 0, phong->shadows};
}

Point3D Times(const Point3D& a, const Point3D& b) { return {a.x * b.x, a.y * b.y, a.z * b.z}; }

// v divided by its length; the zero vector when it has none.
Point3D UnitOrZero(const Point3D& v) {
  const double length = Length(v);
  if (!(length > 0.0)) return {};
  return v * (1.0 / length);
}

// A cosine that came out negative: its absolute value on double-sided
// surfaces, else nothing.
double Facing(double cosine, bool doubleside) {
  if (cosine >= 0.0) return cosine;
  return doubleside ? -cosine : 0.0;
}

// The Phong sum. lightFactor (lamp, T) answers 1 when the lamp is hidden, else
// 0 with its light factor in T.
template <class LightFactor>
Point3D PhongSum(CG_GraphicScene& scene, const PhongTerms& m, const Point3D& P, const Point3D& N,
                 LightFactor&& lightFactor) {
  Point3D S = m.Ka * Times(scene.GetParam().ambientcolor, m.Od);
  const Point3D V = UnitOrZero(scene.GetEyePoint() - P);
  FragmentedSeq<CG_LightSourceBase*, long>& lamps = scene.GetLampSequence();
  for (long i = 0; i < lamps.Size(); ++i) {
    const CG_LightSourceBase* lamp = lamps[i];
    if (lamp == nullptr) continue;
    Point3D T{1, 1, 1};
    if (lightFactor(*lamp, T)) continue;
    const Point3D L = UnitOrZero(lamp->Position() - P);
    const Point3D R = ReflectVector(N, L);
    const double cd = Facing(Dot(N, R), m.doubleside);
    const double cs = Facing(Dot(R, V), m.doubleside);
    const Point3D I = lamp->ColourAt(P, L);
    const double diff = m.Kd * cd;
    // No highlight without a cosine, whatever the exponent: pow (0, n) is
    // infinite for a negative n and 1 for n = 0.
    const double spec = cs > 0.0 ? m.Kh * std::pow(cs, m.n) : 0.0;
    S += Times(Times(I, T), diff * m.Od + spec * m.Os);
  }
  return S;
}

int FullStrength(const CG_LightSourceBase&, Point3D&) { return 0; }

}  // namespace

std::unique_ptr<CG_Material> GNoShadowPhongShading::NewMaterial() const {
  return std::make_unique<CG_MaterialPhong>();
}

Point3D GNoShadowPhongShading::Shade(CG_GraphicScene& scene, const CG_Material& material,
                                     const Point3D& P, const Point3D& N) {
  return PhongSum(scene, TermsOf(material, "GNoShadowPhongShading::Shade"), P, N, FullStrength);
}

GPhongShading::GPhongShading()
    : CG_ShadingMetod("phong"),
      stopAtOpaque_([](const zavo::SceneHitRecord& hit) { return hit.material->Kt == 0.0 ? 1 : 0; }) {}

std::unique_ptr<CG_Material> GPhongShading::NewMaterial() const {
  return std::make_unique<CG_MaterialPhong>();
}

Point3D GPhongShading::Shade(CG_GraphicScene& scene, const CG_Material& material, const Point3D& P,
                             const Point3D& N) {
  const PhongTerms terms = TermsOf(material, "GPhongShading::Shade");
  if (terms.shadows == 0) return PhongSum(scene, terms, P, N, FullStrength);
  return PhongSum(scene, terms, P, N, [&](const CG_LightSourceBase& lamp, Point3D& T) {
    return InShadow(scene, P, lamp, T);
  });
}

Point3D GPhongShading::ShadeWithoutShadows(CG_GraphicScene& scene, const CG_Material& material,
                                           const Point3D& P, const Point3D& N) {
  return PhongSum(scene, TermsOf(material, "GPhongShading::ShadeWithoutShadows"), P, N,
                  FullStrength);
}

int GPhongShading::InShadow(CG_GraphicScene& scene, const Point3D& P, const CG_LightSourceBase& lamp,
                            Point3D& T) {
  if (lamp.ComputesLightItself()) {
    CG_MaterialPhong material;
    T = lamp.LightReachingPoint(scene, P, Point3D{1, 0, 0}, material);
    return 0;
  }

  T = {1, 1, 1};
  const double distance = Distance3D(P, lamp.Position());
  Ray ray;
  long count = 0;
  // Further workers of a render on several threads have storage of their own.
  thread_local zavo::ShadowHitList workerCandidates;
  thread_local CG_MaterialPhong workerScratch;
  const bool primary = zavo::TraceWorker() == 0;
  zavo::ShadowHitList& candidates = primary ? shadowCandidates_ : workerCandidates;
  CG_MaterialPhong& scratch = primary ? scratch_ : workerScratch;
  if (scene.ShadowIntersections(P, lamp, ray, candidates, count, stopAtOpaque_, true)) return 1;

  // Only transparent objects lie between: each filters the light by what it
  // lets through at its crossing.
  Point3D point;
  Point3D normal;
  for (long i = 0; i < count; ++i) {
    CG_GraphicObjectQZData* entry = candidates[i];
    CG_GraphicObjectIntrInfo* const slot = entry != nullptr ? entry->Record() : nullptr;
    if (entry == nullptr || entry->object == nullptr || slot == nullptr) continue;
    CG_GraphicObjectIntrInfo& record = *slot;
    if (entry->object->IntersectAny(ray, record) <= 0) continue;
    entry->object->HitDetails(ray, record, 0, scratch, point, normal);
    if (record.Value(0) > distance) continue;
    T = Times(T, scratch.Od * scratch.Kt);
  }
  return 0;
}
