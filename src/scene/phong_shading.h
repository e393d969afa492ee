#pragma once

// The two shading methods of the Phong model: "noshadowphong", which lets every
// lamp reach the hit at full strength, and "phong", which casts one shadow ray
// per lamp and filters light through transparent objects on the way.
//
// Both shade a CG_MaterialPhong (the material their NewMaterial makes); any
// other material model is a programming error. The colour is the Phong sum
// over the scene's lamp sequence (refilled by PrepareTraceData):
//
//   S = Ka (Ia * Od) + sum over lamps of (I * T) * (Kd cd Od + Kh cs^n Os)
//
// with Ia the render parameter "ambientcolor", V the unit direction from the
// hit toward the scene's eye point, L toward the lamp's Position, R the mirror
// image of L about N, cd = N.R and cs = R.V (negative values count by their
// absolute value with doubleside 1, as 0 with doubleside 0), I the lamp's
// ColourAt (P, L) and T the light factor of the shadow test (1, 1, 1 without
// it). Nothing clamps the result.
//
// Degenerate input still gives a finite colour: a hit at the eye point or at a
// lamp's position has a zero V or L, whose terms become 0, and cs = 0 gives no
// highlight whatever the exponent (also a negative or zero one).
//
// The coefficients are read from the material once, before any shadow ray is
// cast, so the material may be the scene's hit record, which the shadow search
// overwrites.

#include <memory>

#include "scene/material.h"
#include "scene/shading_method.h"
#include "scene/trace_data.h"

class CG_LightSourceBase;

// "noshadowphong": the Phong sum with every lamp at full strength. Its
// ShadeWithoutShadows is the base one (it calls Shade).
class GNoShadowPhongShading : public CG_ShadingMetod {
public:
  GNoShadowPhongShading() : CG_ShadingMetod("noshadowphong") {}

  // A new CG_MaterialPhong with the defaults.
  std::unique_ptr<CG_Material> NewMaterial() const override;
  Point3D Shade(CG_GraphicScene& scene, const CG_Material& material, const Point3D& P,
                const Point3D& N) override;
};

// "phong": the Phong sum with a shadow test toward each lamp, unless the
// material's shadows is 0.
//
// The shadow test: a lamp whose ComputesLightItself answers non-zero gives its
// LightReachingPoint (scene, P, (1, 0, 0), a fresh default Phong material) as
// the light factor and casts no ray. For any other lamp the scene's shadow
// search runs from P toward the lamp's Position and stops at the first hit
// nearer than the lamp whose material is opaque (Kt 0): the lamp adds
// nothing. Otherwise every object the search listed is intersected again; each
// one hit no farther than the lamp multiplies the light factor by its material's
// Od * Kt at the crossing.
//
// The shadow candidates and the scratch material are members for the first
// tracing worker and per thread for the others, so the workers of one render
// may shade at the same time.
class GPhongShading : public CG_ShadingMetod {
public:
  GPhongShading();

  // A new CG_MaterialPhong with the defaults.
  std::unique_ptr<CG_Material> NewMaterial() const override;
  Point3D Shade(CG_GraphicScene& scene, const CG_Material& material, const Point3D& P,
                const Point3D& N) override;
  // The Phong sum with every lamp at full strength, whatever shadows says.
  Point3D ShadeWithoutShadows(CG_GraphicScene& scene, const CG_Material& material,
                              const Point3D& P, const Point3D& N) override;

private:
  // The shadow test toward one lamp: 1 when the lamp is hidden; else 0 with
  // the light factor in T.
  int InShadow(CG_GraphicScene& scene, const Point3D& P, const CG_LightSourceBase& lamp, Point3D& T);

  zavo::ShadowHitList shadowCandidates_;  // filled by the shadow search
  CG_MaterialPhong scratch_;              // each transparent occluder's material at its crossing
  zavo::ShadowStopTest stopAtOpaque_;
};
