#include "editor/modules/solid_modules.h"

#include <string>

#include "editor/graphic_editor.h"
#include "editor/modules/module_steps.h"
#include "editor/transform_wrapping.h"
#include "models/core/cone.h"
#include "models/core/cylinder.h"
#include "models/core/sphere.h"
#include "models/core/transf.h"

namespace zavo {

std::unique_ptr<CG_GraphicObject> WrapNewSolid(CG_GraphicEditor& editor, std::unique_ptr<CG_GraphicObject> solid,
                                               const Point3D& centre) {
  CG_GraphicObject* raw = solid.get();
  if (raw == nullptr || editor.scene.AddObject(std::move(solid)) == 0) return nullptr;
  std::unique_ptr<GTransf> wrapper = ::WrapInTransformAt(editor, raw, Point3D{0.0, 0.0, 0.0});
  if (wrapper == nullptr) return nullptr;
  ::AddTranslation(editor, wrapper.get(), centre.x, centre.y, centre.z);
  return wrapper;
}

void SetInfo(Seq<charString>& names, const char* category, const char* keyword) {
  names.SetSize(2);
  names[0] = category;
  names[1] = keyword;
}

}  // namespace zavo

using namespace zavo;

// ---- Sphere ----

std::unique_ptr<CG_GraphicObject> CG_SphereEditorModule::Create(CG_GraphicEditor& editor) {
  charString name;
  if (AskNewName(editor, "Creating sphere", "obj", kObjectName, name) == 0) return nullptr;
  CG_GraphicObjectCommData data;
  FillNewCommData(editor, name.Text(), data);
  const Placement place = PlaceNewObject(editor, true);
  CG_SphereDescription description;
  description.center = place.centre;
  description.radius = place.size;
  description.div = 6;
  return std::make_unique<GSphere>(data, description);
}

CG_GraphicObject* CG_SphereEditorModule::Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int) {
  auto* sphere = dynamic_cast<GSphere*>(&object);
  if (sphere == nullptr) return nullptr;
  CG_SphereDescription current;
  sphere->GetDescription(current);
  gcg_list controls;
  AddPointField(controls, "center", current.center);
  AddRealField(controls, "radius", current.radius);
  AddIntField(controls, "div", current.div);
  if (editor.ShowDialog("Modifing sphere", controls) == 0) return nullptr;
  CG_SphereDescription changed;
  changed.progress = current.progress;
  ReadPointText(FieldText(controls, "center"), changed.center);
  changed.radius = RealField(controls, "radius");
  changed.div = IntField(controls, "div");
  sphere->SetDescription(changed);
  return sphere;
}

void CG_SphereEditorModule::Info(Seq<charString>& names) { SetInfo(names, "primitive", "sphere"); }

// ---- Cone and cylinder ----

std::unique_ptr<CG_GraphicObject> AxialSolidEditorModule::Create(CG_GraphicEditor& editor) {
  const std::string caption = std::string("Creating ") + ModelKeyword();
  charString name;
  if (AskNewName(editor, caption.c_str(), "obj", kObjectName, name) == 0) return nullptr;
  CG_GraphicObjectCommData data;
  FillNewCommData(editor, name.Text(), data);
  const Placement place = PlaceNewObject(editor, true);
  AxialSolidDescription description;
  description.radius = place.size / 2;
  description.high = place.size / 2;
  description.div = 10;
  return WrapNewSolid(editor, MakeSolid(data, description), place.centre);
}

CG_GraphicObject* AxialSolidEditorModule::Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int) {
  AxialSolidDescription current;
  if (GetSolid(object, current) == 0) return nullptr;
  gcg_list controls;
  AddRealField(controls, "high", current.high);
  AddRealField(controls, "radius", current.radius);
  AddIntField(controls, "div", current.div);
  const std::string caption = std::string("Modifing ") + ModelKeyword();
  if (editor.ShowDialog(caption.c_str(), controls) == 0) return nullptr;
  AxialSolidDescription changed;
  changed.progress = current.progress;
  changed.high = RealField(controls, "high");
  changed.radius = RealField(controls, "radius");
  changed.div = IntField(controls, "div");
  SetSolid(object, changed);
  return &object;
}

void AxialSolidEditorModule::Info(Seq<charString>& names) { SetInfo(names, "primitive", ModelKeyword()); }

namespace {

template <class Solid>
int GetAxial(CG_GraphicObject& object, AxialSolidDescription& description) {
  auto* solid = dynamic_cast<Solid*>(&object);
  if (solid == nullptr) return 0;
  solid->GetDescription(description);
  return 1;
}

template <class Solid>
void SetAxial(CG_GraphicObject& object, const AxialSolidDescription& description) {
  if (auto* solid = dynamic_cast<Solid*>(&object)) solid->SetDescription(description);
}

}  // namespace

std::unique_ptr<CG_GraphicObject> CG_ConeEditorModule::MakeSolid(CG_GraphicObjectCommData& data,
                                                                 const AxialSolidDescription& description) const {
  return std::make_unique<CG_Cone>(data, description);
}
int CG_ConeEditorModule::GetSolid(CG_GraphicObject& object, AxialSolidDescription& description) const {
  return GetAxial<CG_Cone>(object, description);
}
void CG_ConeEditorModule::SetSolid(CG_GraphicObject& object, const AxialSolidDescription& description) const {
  SetAxial<CG_Cone>(object, description);
}

std::unique_ptr<CG_GraphicObject> CG_CylinderEditorModule::MakeSolid(
    CG_GraphicObjectCommData& data, const AxialSolidDescription& description) const {
  return std::make_unique<GCylinder>(data, description);
}
int CG_CylinderEditorModule::GetSolid(CG_GraphicObject& object, AxialSolidDescription& description) const {
  return GetAxial<GCylinder>(object, description);
}
void CG_CylinderEditorModule::SetSolid(CG_GraphicObject& object, const AxialSolidDescription& description) const {
  SetAxial<GCylinder>(object, description);
}
