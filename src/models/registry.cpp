#include "models/registry.h"

#include <memory>

#include "geometry/bounding_module.h"
#include "models/core/anim.h"
#include "models/core/area_lamp.h"
#include "models/core/box.h"
#include "models/core/brep.h"
#include "models/core/camera.h"
#include "models/core/cone.h"
#include "models/core/cone_lamp.h"
#include "models/core/csg.h"
#include "models/core/cylinder.h"
#include "models/core/flip.h"
#include "models/core/group.h"
#include "models/core/point_lamp.h"
#include "models/core/quadric.h"
#include "models/core/sphere.h"
#include "models/core/transf.h"
#include "models/core/transf_lamp.h"
#include "models/curved/bezier.h"
#include "models/curved/bezier_curve.h"
#include "models/curved/blob.h"
#include "models/curved/deform_graph.h"
#include "models/curved/field.h"
#include "models/curved/nurbs_curve.h"
#include "models/curved/nurbs_mesh.h"
#include "models/curved/polyline.h"
#include "models/curved/spline.h"
#include "models/curved/vrml_node.h"
#include "scene/mapping.h"
#include "scene/material.h"
#include "scene/phong_shading.h"
#include "scene/registry.h"

void BuildRegistry(CG_ModelRegistry& registry) {
  registry.modelModules.Clear();
  registry.lampModules.Clear();
  registry.boundingModules.Clear();
  registry.shadingMethods.Clear();
  registry.materialModules.Clear();
  registry.mappingModules.Clear();

  BoundingObjectModule::CreateDefaultList(registry.boundingModules);

  registry.mappingModules.Append(new CG_PlanarMappingModule());
  registry.mappingModules.Append(new CG_SphericalMappingModule());
  registry.mappingModules.Append(new CG_CilindricMappingModule());

  registry.materialModules.Append(new CG_MaterialPhongModule());

  BoundingObjectModule::Append(registry.boundingModules, std::make_unique<BoundingBoxModule>());

  // Model modules, in this order once they exist: "sphere", "cylinder", "brep",
  // "ucbspline", "box", "group", "transf", "quad", "intersect", "subtract",
  // "union", "blob", "flip", "polyline", "NURBScurve", "NURBSmesh", "anim",
  // "deformgraph", "field", "beziercurve", "pointlamp", "cone", "arealamp",
  // "conelamp", "AbstractVRMLNode", "camera".
  registry.modelModules.Append(new CG_SphereModule());
  registry.modelModules.Append(new CG_CylinderModule());
  registry.modelModules.Append(new CG_BRepModule());
  registry.modelModules.Append(new CG_SplineModule());
  registry.modelModules.Append(new CG_BoxModule());
  registry.modelModules.Append(new CG_GroupModule());
  registry.modelModules.Append(new CG_TransfModule());
  registry.modelModules.Append(new CG_QuadModule());

  // The three CSG operations, one module each with its keyword and rules.
  registry.modelModules.Append(
      new CG_CSGModule("intersect", CSGIntersectIntervals, zavo::CSGIntersectBound, MeshIntersect));
  registry.modelModules.Append(
      new CG_CSGModule("subtract", CSGSubtractIntervals, zavo::CSGSubtractBound, MeshSubtract));
  registry.modelModules.Append(new CG_CSGModule("union", CSGUnionIntervals, zavo::CSGUnionBound, MeshUnion));
  registry.modelModules.Append(new CG_BlobModule());

  registry.modelModules.Append(new CG_FlipModule());
  registry.modelModules.Append(new CG_PolylineModule());
  registry.modelModules.Append(new CG_NURBSCurveModule());
  registry.modelModules.Append(new CG_NURBSMeshModule());
  registry.modelModules.Append(new CG_AnimModule());
  registry.modelModules.Append(new CG_PathControlModule());
  registry.modelModules.Append(new CG_FieldModule());
  registry.modelModules.Append(new CG_BezierCurveModule());

  // The point-lamp object, after beziercurve, just before the cone.
  registry.modelModules.Append(new CG_XPointLampModule());

  registry.modelModules.Append(new CG_ConeModule());
  registry.modelModules.Append(new CG_AreaLampModule());
  registry.modelModules.Append(new CG_XConeLampModule());
  registry.modelModules.Append(new CG_AbstractVRMLNodeModule());
  registry.modelModules.Append(new CG_CameraModule());

  registry.shadingMethods.Append(new GNoShadowPhongShading());
  registry.shadingMethods.Append(new GPhongShading());

  // Lamp-section modules, in this order: "pointlamp", "conelamp", "transf".
  registry.lampModules.Append(new NGPointLampModule());
  registry.lampModules.Append(new NGConeLampModule());
  registry.lampModules.Append(new NGTransfLampModule());

  // The stand-in of the default declass conversions.
  registry.SetBoxFactory(zavo::NewStandInBox);
  // The camera object of a "{ vrc" section.
  registry.SetCameraFactory(zavo::NewCameraObject);
}

namespace zavo {

void AddDocumentModelModules(CG_ModelRegistry& registry) {
  registry.modelModules.Append(new CG_BezierModule());
}

}  // namespace zavo
