#include "editor/modules/csg_module.h"

#include <string>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor/modules/composite_scene_texts.h"
#include "editor/modules/consumed_sources.h"
#include "editor/modules/module_steps.h"
#include "editor/modules/object_choice.h"
#include "editor/modules/solid_modules.h"
#include "editor/text_routines.h"
#include "models/core/csg.h"

using namespace zavo;

std::unique_ptr<CG_GraphicObject> CG_CSGEditorModule::Create(CG_GraphicEditor& editor) {
  charString proposal;
  editor.MakeUniqueName("obj", kObjectName, proposal);
  const std::vector<const char*> objects = ItemObjectNames(editor, false);
  gcg_list controls;
  controls.Append(new Edit_obj("name", proposal.Text()));
  controls.Append(EmptyChoiceList("first", objects));
  controls.Append(EmptyChoiceList("second", objects));
  if (editor.ShowDialog(keyword.Text(), controls) == 0) return nullptr;

  CG_GraphicObject* first = ChosenObject(editor, controls, "first");
  CG_GraphicObject* second = ChosenObject(editor, controls, "second");
  if (first == nullptr || second == nullptr) return nullptr;
  const char* typed = FieldText(controls, "name");
  const std::string name = typed != nullptr ? typed : "";
  if (name.empty()) {
    editor.Message("I need the csg name");
    return nullptr;
  }
  const std::vector<CG_GraphicObject*> sources{first, second};
  const std::string text = CSGSceneText(name, keyword.Text(), ObjectBlock(*first), ObjectBlock(*second));
  return BuildFromSources(editor, name.c_str(), text, sources);
}

CG_GraphicObject* CG_CSGEditorModule::Modify(CG_GraphicEditor&, CG_GraphicObject&, int) { return nullptr; }

int CG_CSGEditorModule::SpecialNames(CG_GraphicEditor&, Seq<charString>& names, CG_GraphicObject&) {
  names.SetSize(1);
  names[0] = "DupSource";
  return 1;
}

int CG_CSGEditorModule::RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                                   const Transformation*) {
  auto* csg = dynamic_cast<GCSG*>(object);
  if (index != 0 || csg == nullptr) return 1;
  CG_CSGDescription description;
  csg->GetDescription(description);
  for (const CG_GraphicObject* child : {description.first, description.second}) {
    // A copy whose name is taken is dropped by the scene.
    if (child != nullptr) editor.AddObjectToEditor(child->Clone());
  }
  csg->SetDescription(description);
  return 1;
}

void CG_CSGEditorModule::Info(Seq<charString>& names) {
  names.SetSize(0);
  for (const char* text : {"composite", "CSG", keyword.Text()}) AppendText(names, text);
}
