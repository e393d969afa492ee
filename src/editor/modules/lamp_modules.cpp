#include "editor/modules/lamp_modules.h"

#include "editor/graphic_editor.h"
#include "editor/modules/module_steps.h"
#include "editor/modules/solid_modules.h"
#include "models/core/cone_lamp.h"
#include "models/core/point_lamp.h"

using namespace zavo;

namespace {

Point3D ColourOf(const gcg_list& controls, const Point3D& current) {
  const auto* colour = dynamic_cast<const Color_obj*>(FindControl(controls, "color"));
  return colour != nullptr ? Point3D{colour->r, colour->g, colour->b} : current;
}

void AddColourField(gcg_list& controls, const Point3D& colour) {
  controls.Append(new Color_obj("color", colour.x, colour.y, colour.z));
}

CG_LightSourceModule* LampModuleOf(CG_GraphicEditor& editor, const char* keyword) {
  return FindLampModule(editor.registry.lampModules, keyword);
}

}  // namespace

// ---- Point lamp, lamp form ----

std::unique_ptr<CG_LightSource> CG_PointLampEditorModule::Create(CG_GraphicEditor& editor) {
  charString name;
  if (AskNewName(editor, "Creating pointlamp", "lmp", kLampName, name) == 0) return nullptr;
  CG_PointLampDescription description;
  description.pos = PlaceNewObject(editor, true).centre;
  description.color = Point3D{1.0, 1.0, 1.0};
  return std::make_unique<GPointLamp>(name.Text(), LampModuleOf(editor, "pointlamp"), description);
}

CG_LightSource* CG_PointLampEditorModule::Modify(CG_GraphicEditor& editor, CG_LightSource& lamp) {
  auto* point = dynamic_cast<GPointLamp*>(&lamp);
  if (point == nullptr) return nullptr;
  CG_PointLampDescription description;
  point->GetDescription(description);
  gcg_list controls;
  AddPointField(controls, "center", description.pos);
  AddColourField(controls, description.color);
  if (editor.ShowDialog("Modifing pointlamp", controls) == 0) return nullptr;
  ReadPointText(FieldText(controls, "center"), description.pos);
  description.color = ColourOf(controls, description.color);
  point->SetDescription(description);
  return point;
}

// ---- Cone lamp, lamp form ----

std::unique_ptr<CG_LightSource> CG_ConeLampEditorModule::Create(CG_GraphicEditor& editor) {
  charString name;
  if (AskNewName(editor, "Creating conelamp", "lmp", kLampName, name) == 0) return nullptr;
  CG_ConeLampDescription description;
  description.pos = PlaceNewObject(editor, false).centre;
  description.ang = 0.3;
  description.dir = Point3D{0.0, 0.0, -1.0};
  description.color = Point3D{1.0, 1.0, 1.0};
  return std::make_unique<GConeLamp>(name.Text(), LampModuleOf(editor, "conelamp"), description);
}

CG_LightSource* CG_ConeLampEditorModule::Modify(CG_GraphicEditor& editor, CG_LightSource& lamp) {
  auto* cone = dynamic_cast<GConeLamp*>(&lamp);
  if (cone == nullptr) return nullptr;
  CG_ConeLampDescription description;
  cone->GetDescription(description);
  gcg_list controls;
  AddPointField(controls, "center", description.pos);
  AddPointField(controls, "dir", description.dir);
  AddRealField(controls, "angle", description.ang);
  AddColourField(controls, description.color);
  if (editor.ShowDialog("Modifing conelamp", controls) == 0) return nullptr;
  ReadPointText(FieldText(controls, "center"), description.pos);
  ReadPointText(FieldText(controls, "dir"), description.dir);
  description.ang = RealField(controls, "angle");
  description.color = ColourOf(controls, description.color);
  cone->SetDescription(description);
  return cone;
}

void CG_ConeLampEditorModule::GetShape(CG_GraphicEditor&, CG_LightSource& lamp, Seq<Point3D>& points) {
  auto* cone = dynamic_cast<GConeLamp*>(&lamp);
  if (cone == nullptr) return;
  CG_ConeLampDescription description;
  cone->GetDescription(description);
  cone->SetDescription(description);
  const Point3D& p = description.pos;
  const Point3D& d = description.dir;
  points.SetSize(2);
  points[0] = p;
  points[1] = Point3D{p.x + 3 * d.x, p.y + 3 * d.y, p.z + 3 * d.z};
}

// ---- Point lamp, object form ----

std::unique_ptr<CG_GraphicObject> CG_XPointLampEditorModule::Create(CG_GraphicEditor& editor) {
  charString name;
  if (AskNewName(editor, "Creating pointlamp", "obj", kObjectName, name) == 0) return nullptr;
  CG_GraphicObjectCommData data;
  FillNewCommData(editor, name.Text(), data);
  const Placement place = PlaceNewObject(editor, true);
  CG_XPointLampDescription description;
  description.center = place.centre;
  description.radius = place.lampRadius;
  description.div = 6;
  description.color = Point3D{1.0, 1.0, 1.0};
  return std::make_unique<GXPointLamp>(data, description);
}

CG_GraphicObject* CG_XPointLampEditorModule::Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int) {
  auto* lamp = dynamic_cast<GXPointLamp*>(&object);
  if (lamp == nullptr) return nullptr;
  CG_XPointLampDescription current;
  lamp->GetDescription(current);
  gcg_list controls;
  AddPointField(controls, "center", current.center);
  AddRealField(controls, "radius", current.radius);
  if (editor.ShowDialog("Modifing pointlamp", controls) == 0) return nullptr;
  CG_XPointLampDescription changed;
  changed.progress = current.progress;
  changed.center = current.center;
  ReadPointText(FieldText(controls, "center"), changed.center);
  changed.radius = RealField(controls, "radius");
  changed.div = 6;
  changed.color = Point3D{1.0, 1.0, 1.0};
  lamp->SetDescription(changed);
  return lamp;
}

void CG_XPointLampEditorModule::Info(Seq<charString>& names) { SetInfo(names, "lamp", "pointlamp"); }

// ---- Cone lamp, object form ----

std::unique_ptr<CG_GraphicObject> CG_XConeLampEditorModule::Create(CG_GraphicEditor& editor) {
  charString name;
  if (AskNewName(editor, "Creating cone", "obj", kObjectName, name) == 0) return nullptr;
  CG_GraphicObjectCommData data;
  FillNewCommData(editor, name.Text(), data);
  const Placement place = PlaceNewObject(editor, true);
  CG_XConeLampDescription description;
  description.radius = place.size / 2;
  description.high = place.size / 2;
  return WrapNewSolid(editor, std::make_unique<CG_XConeLamp>(data, description), place.centre);
}

CG_GraphicObject* CG_XConeLampEditorModule::Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int) {
  auto* lamp = dynamic_cast<CG_XConeLamp*>(&object);
  if (lamp == nullptr) return nullptr;
  CG_XConeLampDescription current;
  lamp->GetDescription(current);
  gcg_list controls;
  AddRealField(controls, "high", current.high);
  AddRealField(controls, "radius", current.radius);
  AddRealField(controls, "p", current.p);
  AddRealField(controls, "c1", current.c1);
  AddRealField(controls, "c2", current.c2);
  AddRealField(controls, "c3", current.c3);
  AddIntField(controls, "double", current.isDouble);
  if (editor.ShowDialog("Modifing conelamp", controls) == 0) return nullptr;
  CG_XConeLampDescription changed;
  changed.progress = current.progress;
  changed.high = RealField(controls, "high");
  changed.radius = RealField(controls, "radius");
  changed.p = RealField(controls, "p");
  changed.c1 = RealField(controls, "c1");
  changed.c2 = RealField(controls, "c2");
  changed.c3 = RealField(controls, "c3");
  changed.isDouble = IntField(controls, "double");
  lamp->SetDescription(changed);
  return lamp;
}

void CG_XConeLampEditorModule::Info(Seq<charString>& names) { SetInfo(names, "lamp", "conelamp"); }
