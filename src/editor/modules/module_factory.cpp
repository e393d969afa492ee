#include "editor/modules/module_factory.h"

#include <cstring>

#include "editor/modules/anim_module.h"
#include "editor/modules/area_lamp_module.h"
#include "editor/modules/csg_module.h"
#include "editor/modules/field_module.h"
#include "editor/modules/test_mode_modules.h"
#include "editor/modules/blob_module.h"
#include "editor/modules/box_module.h"
#include "editor/modules/brep_module.h"
#include "editor/modules/bezier_module.h"
#include "editor/modules/bezier_curve_module.h"
#include "editor/modules/nurbs_curve_module.h"
#include "editor/modules/nurbs_mesh_module.h"
#include "editor/modules/camera_module.h"
#include "editor/modules/flip_module.h"
#include "editor/modules/group_module.h"
#include "editor/modules/lamp_modules.h"
#include "editor/modules/mapping_modules.h"
#include "editor/modules/polyline_module.h"
#include "editor/modules/phong_material_module.h"
#include "editor/modules/solid_modules.h"

namespace zavo {

namespace {

struct FactoryEntry {
  EditorModuleList list;
  const char* className;
  std::unique_ptr<EditorModule> (*make)();
};

template <class Module>
std::unique_ptr<EditorModule> Make() {
  return std::make_unique<Module>();
}

constexpr FactoryEntry kBuilt[] = {
    {EditorModuleList::kObject, "CG_SphereEditorModule", &Make<CG_SphereEditorModule>},
    {EditorModuleList::kObject, "CG_ConeEditorModule", &Make<CG_ConeEditorModule>},
    {EditorModuleList::kObject, "CG_CylinderEditorModule", &Make<CG_CylinderEditorModule>},
    {EditorModuleList::kObject, "CG_XConeLampEditorModule", &Make<CG_XConeLampEditorModule>},
    {EditorModuleList::kObject, "CG_XPointLampEditorModule", &Make<CG_XPointLampEditorModule>},
    {EditorModuleList::kObject, "CG_CameraEditorModule", &Make<CG_CameraEditorModule>},
    {EditorModuleList::kLamp, "CG_PointLampEditorModule", &Make<CG_PointLampEditorModule>},
    {EditorModuleList::kLamp, "CG_ConeLampEditorModule", &Make<CG_ConeLampEditorModule>},
    {EditorModuleList::kObject, "CG_AreaLampEditorModule", &Make<CG_AreaLampEditorModule>},
    {EditorModuleList::kMapping, "CG_PlanarMappingEditorModule", &Make<CG_PlanarMappingEditorModule>},
    {EditorModuleList::kMapping, "CG_SphericalMappingEditorModule", &Make<CG_SphericalMappingEditorModule>},
    {EditorModuleList::kMapping, "CG_CylindricMappingEditorModule", &Make<CG_CylindricMappingEditorModule>},
    {EditorModuleList::kObject, "CG_BoxEditorModule", &Make<CG_BoxEditorModule>},
    {EditorModuleList::kObject, "CG_BRepEditorModule", &Make<CG_BRepEditorModule>},
    {EditorModuleList::kObject, "CG_BlobEditorModule", &Make<CG_BlobEditorModule>},
    {EditorModuleList::kObject, "CG_BezierEditorModule", &Make<CG_BezierEditorModule>},
    {EditorModuleList::kObject, "CG_PolylineEditorModule", &Make<CG_PolylineEditorModule>},
    {EditorModuleList::kObject, "CG_BezierCurveEditorModule", &Make<CG_BezierCurveEditorModule>},
    {EditorModuleList::kObject, "CG_NURBSCurveEditorModule", &Make<CG_NURBSCurveEditorModule>},
    {EditorModuleList::kObject, "CG_NURBSMeshEditorModule", &Make<CG_NURBSMeshEditorModule>},
    {EditorModuleList::kMaterial, "CG_PhongMaterialEditorModule", &Make<CG_PhongMaterialEditorModule>},
    {EditorModuleList::kObject, "CG_FlipEditorModule", &Make<CG_FlipEditorModule>},
    {EditorModuleList::kObject, "CG_GroupEditorModule", &Make<CG_GroupEditorModule>},
    {EditorModuleList::kObject, "CG_PathControlEditorModule", &Make<CG_PathControlEditorModule>},
    {EditorModuleList::kObject, "CG_AnimEditorModule", &Make<CG_AnimEditorModule>},
    {EditorModuleList::kObject, "CG_AbstractVRMLNodeEditorModule", &Make<CG_AbstractVRMLNodeEditorModule>},
    {EditorModuleList::kObject, "CG_UCBSplineEditorModule", &Make<CG_UCBSplineEditorModule>},
    {EditorModuleList::kObject, "CG_FieldEditorModule", &Make<CG_FieldEditorModule>},
    {EditorModuleList::kObject, "CG_CSGEditorModule", &Make<CG_CSGEditorModule>},
};

}  // namespace

std::unique_ptr<EditorModule> MakeEditorModule(EditorModuleList list, const char*, const char* className) {
  if (className == nullptr) return nullptr;
  for (const FactoryEntry& entry : kBuilt) {
    if (entry.list == list && std::strcmp(entry.className, className) == 0) return entry.make();
  }
  return nullptr;
}

void InstallEditorModules() { SetEditorModuleFactory(&MakeEditorModule); }

}  // namespace zavo
