#include "editor/modules/flip_module.h"

#include <locale>
#include <sstream>

#include "editor/graphic_editor.h"
#include "editor/modules/consumed_sources.h"
#include "editor/modules/module_steps.h"
#include "editor/modules/object_choice.h"
#include "editor/modules/solid_modules.h"

namespace zavo {

namespace {

// "{object", the name, "model { " and the head line, then the object's
// block after prefix when there is an object, and the closing lines.
std::string AroundObjectText(const char* name, const char* head, const char* prefix,
                             const CG_GraphicObject* object) {
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text << "{object\n" << "name " << (name != nullptr ? name : "") << ";\n" << "model { " << head << "\n";
  if (object != nullptr) {
    text << prefix;
    object->Write(text);
    text << "\n";
  }
  text << "\n}\n}\n.";
  return text.str();
}

// What the two dialogs differ in.
struct AroundDialog {
  const char* caption;
  const char* listLabel;
  bool curvesOnly;
  const char* noNameMessage;
  // Without an object of the chosen name: nothing made (flip), or no "size".
  bool needsObject;
  std::string (*text)(const char* name, const CG_GraphicObject* object);
};

std::string FlipText(const char* name, const CG_GraphicObject* child) { return FlipSceneText(name, *child); }

constexpr AroundDialog kFlip = {"Flip", "obj", false, "I need the flip name", true, &FlipText};
constexpr AroundDialog kDeformGraph = {"deformgraph",      "Size", true, "I need the deformgraph object name",
                                       false,              &DeformGraphSceneText};

std::unique_ptr<CG_GraphicObject> CreateAround(CG_GraphicEditor& editor, const AroundDialog& dialog) {
  gcg_list controls;
  controls.Append(new Edit_obj("name", ""));
  controls.Append(EmptyChoiceList(dialog.listLabel, ItemObjectNames(editor, dialog.curvesOnly)));
  if (editor.ShowDialog(dialog.caption, controls) == 0) return nullptr;
  const auto* list = dynamic_cast<const ListBox_obj*>(FindControl(controls, dialog.listLabel));
  if (list == nullptr || list->selected.Text() == nullptr || *list->selected.Text() == '\0') return nullptr;
  CG_GraphicObject* chosen = ChosenObject(editor, controls, dialog.listLabel);
  const char* name = FieldText(controls, "name");
  if (name == nullptr || *name == '\0') {
    editor.Message(dialog.noNameMessage);
    return nullptr;
  }
  if (chosen == nullptr && dialog.needsObject) return nullptr;
  const std::string text = dialog.text(name, chosen);
  return BuildFromSources(editor, name, text, {chosen});
}

}  // namespace

std::string FlipSceneText(const char* name, const CG_GraphicObject& child) {
  return AroundObjectText(name, "flip", "", &child);
}

std::string DeformGraphSceneText(const char* name, const CG_GraphicObject* size) {
  return AroundObjectText(name, "deformgraph", "size ", size);
}

}  // namespace zavo

using namespace zavo;

std::unique_ptr<CG_GraphicObject> CG_FlipEditorModule::Create(CG_GraphicEditor& editor) {
  return CreateAround(editor, kFlip);
}

CG_GraphicObject* CG_FlipEditorModule::Modify(CG_GraphicEditor&, CG_GraphicObject&, int) { return nullptr; }

void CG_FlipEditorModule::Info(Seq<charString>& names) { SetInfo(names, "meta", "flip"); }

std::unique_ptr<CG_GraphicObject> CG_PathControlEditorModule::Create(CG_GraphicEditor& editor) {
  return CreateAround(editor, kDeformGraph);
}

CG_GraphicObject* CG_PathControlEditorModule::Modify(CG_GraphicEditor& editor, CG_GraphicObject&, int) {
  editor.Message("You cannot modify a deformgraph.\nCreate a new one.");
  return nullptr;
}

void CG_PathControlEditorModule::Info(Seq<charString>& names) { SetInfo(names, "meta", "deformgraph"); }
