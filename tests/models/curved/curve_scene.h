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
#include "scene/scene.h"

namespace zavo::test {

class CurveScene {
public:
  CurveScene() : scene_(Registry()) {}

  // Loads the scene text; 1 on success.
  int Load(const std::string& text) {
    std::istringstream in(text);
    return scene_.Load(in);
  }
  // Loads "{ object name NAME; model { MODEL } }" and "."; 1 on success.
  int LoadObject(const std::string& model, const std::string& name = "c") {
    return Load("{ object\n\tname " + name + ";\n\tmodel { " + model + " }\n}\n.\n");
  }

  CG_GraphicScene& scene() { return scene_; }
  CG_GraphicObject* Find(const char* name = "c") const { return scene_.FindObject(name); }
  int Code() const { return scene_.GetErrorCode(); }
  int Line() const { return scene_.GetErrorLine(); }
  std::string Message() const {
    const char* m = scene_.GetErrorMessage();
    return m != nullptr ? m : "";
  }

  static CG_ModelRegistry& Registry() {
    static CG_ModelRegistry registry;
    static const bool filled = [] {
      BoundingObjectModule::CreateDefaultList(registry.boundingModules);
      registry.mappingModules.Append(new CG_PlanarMappingModule());
      registry.mappingModules.Append(new CG_SphericalMappingModule());
      registry.mappingModules.Append(new CG_CilindricMappingModule());
      registry.materialModules.Append(new CG_MaterialPhongModule());
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

private:
  CG_GraphicScene scene_;
};

// What the object's Write gives.
inline std::string Written(const CG_GraphicObject& object) {
  std::ostringstream os;
  object.Write(os);
  return os.str();
}

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
