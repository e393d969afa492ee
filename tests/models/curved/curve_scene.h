#pragma once

// A scene for the tests of the curve model types: a registry with the
// materials, mappings and bounding volumes of the scene layer, the sphere and
// the four curve modules, and the stand-in box installed (so that a
// conversion falling back to the default would show). Load a text, find its
// objects, write them.

#include <cmath>
#include <memory>
#include <sstream>
#include <string>

#include "geometry/bounding_module.h"
#include "models/core/box.h"
#include "models/core/sphere.h"
#include "models/curved/bezier_curve.h"
#include "models/curved/deform_graph.h"
#include "models/curved/nurbs_curve.h"
#include "models/curved/polyline.h"
#include "scene/mapping.h"
#include "scene/material.h"
#include "scene/registry.h"
#include "models/registry_scene.h"
#include "scene/scene.h"

namespace zavo::test {

class CurveScene : public RegistryScene {
public:
  CurveScene() : RegistryScene(Registry(), "c") {}

  static CG_ModelRegistry& Registry() {
    static CG_ModelRegistry registry;
    static const bool filled = [] {
      AddSceneLayerModules(registry);
      registry.modelModules.Append(new CG_SphereModule());
      registry.modelModules.Append(new CG_PolylineModule());
      registry.modelModules.Append(new CG_NURBSCurveModule());
      registry.modelModules.Append(new CG_PathControlModule());
      registry.modelModules.Append(new CG_BezierCurveModule());
      registry.SetBoxFactory(zavo::NewStandInBox);
      return true;
    }();
    (void)filled;
    return registry;
  }
};


inline bool IsFinite(const Point3D& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// A sequence of points.
inline Seq<Point3D> Points(std::initializer_list<Point3D> list) {
  Seq<Point3D> points(static_cast<std::uint32_t>(list.size()));
  std::uint32_t i = 0;
  for (const Point3D& p : list) points[i++] = p;
  return points;
}

// A vector of reals.
inline Vector<double> Reals(std::initializer_list<double> list) {
  Vector<double> values(static_cast<std::uint32_t>(list.size()));
  std::uint32_t i = 0;
  for (double v : list) values[i++] = v;
  return values;
}

// Every one of the four conversions answers 0 and adds nothing.
inline bool ConvertsToNothing(CG_GraphicObject& object) {
  DeclassedParts parts;
  const int answers = object.DeclassToRayTraceable(parts) + object.DeclassToFaced(parts, 0) +
                      object.DeclassToTriangleMesh(parts) + object.DeclassToIndexedMesh(parts, 0);
  return answers == 0 && parts.Size() == 0;
}

}  // namespace zavo::test
