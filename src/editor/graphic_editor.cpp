#include "editor/graphic_editor.h"

#include <typeinfo>

#include "editor/editor_injection.h"
#include "editor/layers.h"
#include "models/core/camera.h"
#include "models/core/transf.h"
#include "models/registry.h"
#include "scene/material.h"

namespace {

// The registry filled before the scene is built over it.
CG_ModelRegistry& Built(CG_ModelRegistry& registry) {
  BuildRegistry(registry);
  return registry;
}

using zavo::EditorModuleList;

struct ModuleEntry {
  EditorModuleList list;
  const char* keyword;
  const char* className;
  bool testOnly;
};

// The registration order of the editor modules. The object list's order is
// the order of the "Select an object type" chooser.
constexpr ModuleEntry kModuleTable[] = {
    {EditorModuleList::kObject, "sphere", "CG_SphereEditorModule", false},
    {EditorModuleList::kObject, "cylinder", "CG_CylinderEditorModule", false},
    {EditorModuleList::kObject, "box", "CG_BoxEditorModule", false},
    {EditorModuleList::kObject, "brep", "CG_BRepEditorModule", false},
    {EditorModuleList::kLamp, "pointlamp", "CG_PointLampEditorModule", false},
    {EditorModuleList::kLamp, "conelamp", "CG_ConeLampEditorModule", false},
    {EditorModuleList::kMaterial, "phong", "CG_PhongMaterialEditorModule", false},
    {EditorModuleList::kObject, "intersect", "CG_CSGEditorModule", false},
    {EditorModuleList::kObject, "subtract", "CG_CSGEditorModule", false},
    {EditorModuleList::kObject, "union", "CG_CSGEditorModule", false},
    {EditorModuleList::kObject, "blob", "CG_BlobEditorModule", false},
    {EditorModuleList::kObject, "flip", "CG_FlipEditorModule", false},
    {EditorModuleList::kObject, "NURBScurve", "CG_NURBSCurveEditorModule", false},
    {EditorModuleList::kObject, "NURBSmesh", "CG_NURBSMeshEditorModule", false},
    {EditorModuleList::kObject, "field", "CG_FieldEditorModule", false},
    {EditorModuleList::kObject, "beziercurve", "CG_BezierCurveEditorModule", false},
    {EditorModuleList::kObject, "cone", "CG_ConeEditorModule", false},
    {EditorModuleList::kObject, "arealamp", "CG_AreaLampEditorModule", false},
    {EditorModuleList::kObject, "camera", "CG_CameraEditorModule", false},
    {EditorModuleList::kObject, "conelamp", "CG_XConeLampEditorModule", true},
    {EditorModuleList::kObject, "AbstractVRMLNode", "CG_AbstractVRMLNodeEditorModule", true},
    {EditorModuleList::kObject, "ucbspline", "CG_UCBSplineEditorModule", true},
    {EditorModuleList::kObject, "pointlamp", "CG_XPointLampEditorModule", false},
    {EditorModuleList::kObject, "polyline", "CG_PolylineEditorModule", false},
    {EditorModuleList::kObject, "bezier", "CG_BezierEditorModule", false},
    {EditorModuleList::kMapping, "planar", "CG_PlanarMappingEditorModule", false},
    {EditorModuleList::kMapping, "spherical", "CG_SphericalMappingEditorModule", false},
    {EditorModuleList::kMapping, "cilindric", "CG_CylindricMappingEditorModule", false},
    {EditorModuleList::kObject, "anim", "CG_AnimEditorModule", false},
    {EditorModuleList::kObject, "group", "CG_GroupEditorModule", false},
    {EditorModuleList::kObject, "deformgraph", "CG_PathControlEditorModule", false},
};

// Appends the module to the list when it has the list's base class; a module
// of another kind is destroyed.
template <class Base>
void AppendModule(List<Base>& list, std::unique_ptr<zavo::EditorModule> module, const char* keyword) {
  Base* typed = dynamic_cast<Base*>(module.get());
  if (typed == nullptr) return;
  module.release();
  typed->keyword = keyword;
  list.Append(typed);
}

template <class Base>
Base* LastOf(const List<Base>& list, const char* keyword) {
  if (keyword == nullptr) return nullptr;
  Base* found = nullptr;
  for (Base& module : list) {
    if (module.keyword == keyword) found = &module;
  }
  return found;
}

}  // namespace

std::unique_ptr<CG_GraphicEditor> CG_GraphicEditor::Create(int test) {
  return std::make_unique<CG_GraphicEditor>(test);
}

CG_GraphicEditor::CG_GraphicEditor(int test) : scene(Built(registry)) {
  options.Test = test;
  prolog.SetEditor(this);
  zavo::AddDocumentModelModules(registry);
  CreateModules();
  ResetDocument();
  AddStandardMaterial(scene);
  activeLayer = NewLayer("default");
  AddDefaultCamera();
}

CG_GraphicEditor::~CG_GraphicEditor() {
  // The modules go before the scene; the scene before the registry.
  mappingModules.Clear();
  materialModules.Clear();
  lampModules.Clear();
  objectModules.Clear();
}

void CG_GraphicEditor::CreateModules() {
  const zavo::EditorModuleFactory& factory = zavo::GetEditorModuleFactory();
  if (!factory) return;
  for (const ModuleEntry& entry : kModuleTable) {
    if (entry.testOnly && options.Test == 0) continue;
    std::unique_ptr<zavo::EditorModule> module = factory(entry.list, entry.keyword, entry.className);
    if (module == nullptr) continue;
    switch (entry.list) {
      case EditorModuleList::kObject:
        AppendModule(objectModules, std::move(module), entry.keyword);
        break;
      case EditorModuleList::kLamp:
        AppendModule(lampModules, std::move(module), entry.keyword);
        break;
      case EditorModuleList::kMaterial:
        AppendModule(materialModules, std::move(module), entry.keyword);
        break;
      case EditorModuleList::kMapping:
        AppendModule(mappingModules, std::move(module), entry.keyword);
        break;
    }
  }
}

void CG_GraphicEditor::SetView(int view, CG_WireFrameImage* image, int mode) {
  if (view < 0 || view > 3) return;
  views[view] = image;
  viewModes[view] = image != nullptr ? mode : 0;
}

void CG_GraphicEditor::SetGraphicSystem(CG_GraphicSystemInterface* system) {
  graphicSystem = system;
  scene.SetInterface(system);
}

void CG_GraphicEditor::ResetDocument() {
  mappingEdit = 0;
  currentMapping.reset();
  // The items, their layer entries and the selection go before the objects
  // they refer to.
  ClearSelection();
  activeLayer = nullptr;
  layers.Clear();
  items.Clear();
  SetCameraInUse(nullptr);
  scene.Clear();
  retiredMaterials.Clear();
  retiredTextures.Clear();
  scene.SetName("zavo");
  activeView = -1;
  animationOn = 0;
  currentFrame = 0;
  frameCount = 50;
  nameCounters[0] = nameCounters[1] = nameCounters[2] = 0;
}

void CG_GraphicEditor::AddStandardMaterial(CG_GraphicScene& scene) {
  scene.GetMaterials().AddOrReplace(new CG_NamedMaterial("standard", new CG_MaterialPhong()));
}

void CG_GraphicEditor::AddDefaultCamera() {
  CG_GraphicObjectCommData data;
  data.name = "camera";
  data.material = scene.GetMaterials().Find("standard");
  CG_CameraDescription description;
  description.progress = &scene.GetInterface();
  description.module = dynamic_cast<CG_CameraModule*>(FindModule(registry.modelModules, "camera"));
  auto camera = std::make_unique<CG_Camera>(data, description);
  CG_GraphicObject* added = camera.get();
  if (scene.AddObject(std::move(camera)) == 0) return;
  SetCameraInUse(added);
  CG_SceneEditorItem* item = CreateItem(added);
  if (item != nullptr && activeLayer != nullptr) activeLayer->Add(item);
}

void CG_GraphicEditor::SetCameraInUse(CG_GraphicObject* camera) {
  scene.SetCurrentCamera(camera);
  if (camera != nullptr) {
    scene.GetParam().CameraInUse = camera->name;
  } else {
    scene.GetParam().CameraInUse = nullptr;
  }
}

int CG_GraphicEditor::FindObject(CG_GraphicObject* object, CG_GraphicObject*& child,
                                 CG_GraphicObject*& wrapper) {
  auto* transf = dynamic_cast<GTransf*>(object);
  if (transf == nullptr) {
    child = object;
    wrapper = nullptr;
    return 0;
  }
  // The wrapper hands its child over for a moment and takes it back.
  CG_TransfDescription description;
  transf->GetTransformList(description);
  CG_GraphicObject* inner = description.child;
  transf->SetTransformList(description);
  if (inner == nullptr) {
    Message("Cannot change object.\nGTranf has not the object");
    CommandCancelled();
    return 0;
  }
  child = inner;
  wrapper = transf;
  return 1;
}

CG_ObjectEditorModule* CG_GraphicEditor::FindObjectModule(const char* keyword) const {
  return LastOf(objectModules, keyword);
}

CG_ObjectEditorModule* CG_GraphicEditor::FirstObjectModule(const char* keyword) const {
  if (keyword == nullptr) return nullptr;
  for (CG_ObjectEditorModule& module : objectModules) {
    if (module.keyword == keyword) return &module;
  }
  return nullptr;
}

CG_LampEditorModule* CG_GraphicEditor::FindLampModule(const char* keyword) const {
  return LastOf(lampModules, keyword);
}

CG_MaterialEditorModule* CG_GraphicEditor::FindMaterialModule(const char* keyword) const {
  return LastOf(materialModules, keyword);
}

CG_MappingEditorModule* CG_GraphicEditor::FindMappingModule(const char* keyword) const {
  return LastOf(mappingModules, keyword);
}

void CG_GraphicEditor::Status(const char* text) { scene.GetInterface().Status(text); }

void CG_GraphicEditor::Message(const char* text) { scene.GetInterface().Message(text); }

void CG_GraphicEditor::SetStatusText(const char* text) {
  if (winSupp != nullptr) winSupp->SetStatus(text);
}

charString CG_GraphicEditor::ChooseFromList(const char* title, const Seq<charString>& entries) {
  if (listShower == nullptr) return {};
  listShower->Clear();
  for (std::uint32_t i = 0; i < entries.Count(); ++i) listShower->Add(entries[i].Text());
  std::unique_ptr<char[]> chosen(listShower->Choose(title));
  return charString(chosen.get());
}

int CG_GraphicEditor::EditTexts(const char* title, const Seq<charString>& labels, Seq<charString>& texts) {
  return multiEdit != nullptr ? multiEdit->Edit(title, labels, texts) : 0;
}

int CG_GraphicEditor::ShowDialog(const char* title, gcg_list& controls) {
  return dialog != nullptr ? dialog->Show(title, controls) : 0;
}

int CG_GraphicEditor::ShowFlyMenu(const FlyMenuItem& root, Seq<int>& path) {
  if (flyMenu == nullptr) {
    path.SetSize(0);
    return 0;
  }
  return flyMenu->Show(root, path);
}

int CG_GraphicEditor::Ask(const char* question, const char* title) {
  return winSupp != nullptr ? winSupp->Ask(question, title) : 0;
}

void CG_GraphicEditor::SetTitle(const char* text) {
  if (winSupp != nullptr) winSupp->SetTitle(text);
}

void CG_GraphicEditor::BeginWait() {
  if (winSupp != nullptr) winSupp->BeginWait();
}

void CG_GraphicEditor::EndWait() {
  if (winSupp != nullptr) winSupp->EndWait();
}

int CG_GraphicEditor::Poll() { return winSupp != nullptr ? winSupp->Poll() : 0; }
