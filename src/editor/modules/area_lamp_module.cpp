#include "editor/modules/area_lamp_module.h"

#include <algorithm>

#include "editor/graphic_editor.h"
#include "editor/modules/module_steps.h"
#include "editor/modules/solid_modules.h"
#include "models/core/area_lamp.h"

using namespace zavo;

std::unique_ptr<CG_GraphicObject> CG_AreaLampEditorModule::Create(CG_GraphicEditor& editor) {
  charString name;
  if (AskNewName(editor, "Creating arealamp", "obj", kObjectName, name) == 0) return nullptr;
  CG_GraphicObjectCommData data;
  FillNewCommData(editor, name.Text(), data);
  const Placement place = PlaceNewObject(editor, true);
  const Point3D& c = place.centre;
  const double d = place.areaHalfDiagonal;
  CG_AreaLampDescription description;
  description.points = {Point3D{c.x + d, c.y, c.z}, Point3D{c.x, c.y + d, c.z}, Point3D{c.x - d, c.y, c.z},
                        Point3D{c.x, c.y - d, c.z}};
  description.depth = 2;
  return std::make_unique<CG_AreaLamp>(data, description);
}

CG_GraphicObject* CG_AreaLampEditorModule::Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int) {
  auto* lamp = dynamic_cast<CG_AreaLamp*>(&object);
  if (lamp == nullptr) return nullptr;
  CG_AreaLampDescription description;
  lamp->GetDescription(description);
  gcg_list controls;
  AddIntField(controls, "depth", description.depth);
  if (editor.ShowDialog("Modifing arealamp", controls) == 0) return nullptr;
  description.depth = IntField(controls, "depth");
  lamp->SetDescription(description);
  return lamp;
}

void CG_AreaLampEditorModule::Info(Seq<charString>& names) { SetInfo(names, "lamp", "arealamp"); }

int CG_AreaLampEditorModule::MinControlCount(CG_GraphicObject&) { return 4; }
