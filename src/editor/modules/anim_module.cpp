#include "editor/modules/anim_module.h"

#include <string>
#include <vector>

#include "editor/dialog_fields.h"
#include "editor/graphic_editor.h"
#include "editor/modules/composite_scene_texts.h"
#include "editor/modules/consumed_sources.h"
#include "editor/modules/module_steps.h"
#include "editor/modules/object_choice.h"
#include "editor/modules/solid_modules.h"
#include "editor/scene_editor_item.h"

using namespace zavo;

std::unique_ptr<CG_GraphicObject> CG_AnimEditorModule::Create(CG_GraphicEditor& editor) {
  const bool test = editor.options.Test != 0;
  charString proposal;
  editor.MakeUniqueName("obj", kObjectName, proposal);
  gcg_list controls;
  controls.Append(new Edit_obj("name", proposal.Text()));
  controls.Append(EmptyChoiceList("Object", ItemObjectNames(editor, false)));
  const std::vector<const char*> curves = ItemObjectNames(editor, true);
  controls.Append(EmptyChoiceList("Translate curve", curves));
  if (test) controls.Append(EmptyChoiceList("Rotate curve", curves));
  controls.Append(new Edit_obj("from", "0"));
  controls.Append(new Edit_obj("to", "10"));
  if (editor.ShowDialog(keyword.Text(), controls) == 0) return nullptr;

  CG_GraphicObject* object = ChosenObject(editor, controls, "Object");
  CG_GraphicObject* move = ChosenObject(editor, controls, "Translate curve");
  CG_GraphicObject* rotate = test ? ChosenObject(editor, controls, "Rotate curve") : nullptr;
  if (object == nullptr || (move == nullptr && rotate == nullptr)) return nullptr;
  const char* typed = FieldText(controls, "name");
  const std::string name = typed != nullptr ? typed : "";
  if (name.empty()) {
    editor.Message("I need the anim object name");
    return nullptr;
  }
  const std::vector<CG_GraphicObject*> sources{object, move, rotate};

  const CG_SceneEditorItem* item = editor.FindItem(object);
  const Point3D centre = item != nullptr ? item->centre : Point3D();
  const std::string moveBlock = move != nullptr ? ObjectBlock(*move) : std::string();
  const std::string rotateBlock = rotate != nullptr ? ObjectBlock(*rotate) : std::string();
  const std::string text =
      AnimSceneText(name, ObjectBlock(*object), centre, TextToInt(charString(FieldText(controls, "from"))),
                    TextToInt(charString(FieldText(controls, "to"))), move != nullptr ? &moveBlock : nullptr,
                    rotate != nullptr ? &rotateBlock : nullptr);
  return BuildFromSources(editor, name.c_str(), text, sources);
}

CG_GraphicObject* CG_AnimEditorModule::Modify(CG_GraphicEditor&, CG_GraphicObject&, int) { return nullptr; }

void CG_AnimEditorModule::Info(Seq<charString>& names) { SetInfo(names, "meta", "anim"); }
