#include "editor/modules/polyline_module.h"

#include <typeinfo>

#include "editor/graphic_editor.h"
#include "editor/modules/module_steps.h"
#include "editor/modules/solid_modules.h"
#include "models/curved/polyline.h"

using namespace zavo;

std::unique_ptr<CG_GraphicObject> CG_PolylineEditorModule::Create(CG_GraphicEditor& editor) {
  charString name;
  if (AskNewName(editor, "Creating polyline", "obj", kObjectName, name) == 0) return nullptr;
  CG_GraphicObjectCommData data;
  FillNewCommData(editor, name.Text(), data);
  const Placement place = PlaceNewObject(editor, true);
  CG_PolylineDescription description;
  description.points.SetSize(2);
  description.points[0] = place.centre;
  description.points[1] = place.centre + Point3D{place.size, 0.0, 0.0};
  description.open = 1;
  return std::make_unique<CG_Polyline>(data, description);
}

CG_GraphicObject* CG_PolylineEditorModule::Modify(CG_GraphicEditor&, CG_GraphicObject&, int) { return nullptr; }

int CG_PolylineEditorModule::SpecialNames(CG_GraphicEditor&, Seq<charString>& names, CG_GraphicObject&) {
  static const char* const kNames[] = {"close", "open", "rotation", "sweep"};
  names.SetSize(4);
  for (std::uint32_t i = 0; i < 4; ++i) names[i] = kNames[i];
  return 1;
}

int CG_PolylineEditorModule::RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                                        const Transformation* wrapper) {
  if (object == nullptr) return 0;
  switch (index) {
    case 0:
      if (object->GetOpen() != 0) {
        object->SetOpen(0);
      } else {
        editor.Message("Polyline already close.");
      }
      return 1;
    case 1:
      if (object->GetOpen() != 0) {
        editor.Message("Polyline already open.");
      } else {
        object->SetOpen(1);
      }
      return 1;
    case 2:
      currentEditor_ = &editor;
      return Rotation(editor, *object, wrapper);
    case 3:
      currentEditor_ = &editor;
      return Sweep(editor, *object, wrapper);
    default:
      return 0;
  }
}

std::unique_ptr<CG_MOAStatus> CG_PolylineEditorModule::NewMOAStatus(CG_GraphicEditor& editor) {
  currentEditor_ = &editor;
  return std::make_unique<CG_MOAPolylineStatus>(&editor);
}

CG_MOAStatus* CG_PolylineEditorModule::MOAAdd(CG_GraphicEditor&, CG_SceneEditorItem* item, CG_GraphicObject* object,
                                              CG_MOAStatus* status, const Transformation* transformation) {
  if (status == nullptr || typeid(*status) != typeid(CG_MOAPolylineStatus)) return status;
  auto& collected = static_cast<CG_MOAPolylineStatus&>(*status);
  auto add = [&](CG_SceneEditorItem* entryItem, CG_GraphicObject* entryObject) {
    CG_MOAPolylineStatus::Entry entry;
    entry.item = entryItem;
    entry.object = entryObject;
    entry.hasTransformation = transformation != nullptr ? 1 : 0;
    if (transformation != nullptr) entry.transformation = *transformation;
    collected.entries.push_back(entry);
  };
  if (item != nullptr) add(item, nullptr);
  if (object != nullptr) add(nullptr, object);
  return status;
}

int CG_PolylineEditorModule::MOAName(Seq<charString>& names) {
  names.SetSize(1);
  names[0] = "Sweep";
  return 1;
}

int CG_PolylineEditorModule::MOARun(CG_MOAStatus& status, int index) { return SweepAlongPath(status, index); }

void CG_PolylineEditorModule::Info(Seq<charString>& names) { SetInfo(names, "curve", "polyline"); }

int CG_PolylineEditorModule::MinControlCount(CG_GraphicObject&) { return 2; }
