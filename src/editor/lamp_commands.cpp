// New lamp, delete lamp and modify lamp (requests 10, 11, 12), and what the
// lamp commands share.

#include "editor/lamp_commands.h"

#include <memory>

#include "editor/graphic_editor.h"
#include "editor/lamp_wrapping.h"
#include "foundation/runtime_error_box.h"

namespace zavo {

charString ChooseLamp(CG_GraphicEditor& editor, const char* title) {
  Seq<charString> names;
  for (const CG_LightSource& lamp : editor.scene.GetLights()) {
    names.Resize(names.Count() + 1);
    names[names.Count() - 1] = lamp.name;
  }
  return editor.ChooseFromList(title, names);
}

CG_LightSource& ChosenLamp(CG_GraphicEditor& editor, const charString& name) {
  CG_LightSource* lamp = editor.scene.FindLight(name.Text());
  if (lamp == nullptr) RuntimeErrorBox("non qui");
  return *lamp;
}

CG_LampEditorModule* LampModuleFor(CG_GraphicEditor& editor, CG_LightSource& lamp, CG_LightSource*& target) {
  target = &lamp;
  if (lamp.Keyword() == nullptr) {
    editor.Message("cannot get module name.");
    return nullptr;
  }
  if (auto* wrapper = dynamic_cast<GTransfLamp*>(&lamp)) {
    InnerLampLoan loan(*wrapper);
    if (loan.Lamp() == nullptr) {
      editor.Message("Cannot change object.\nGTranf has not the object");
      return nullptr;
    }
    target = loan.Lamp();
  }
  if (target->Keyword() == nullptr) {
    editor.Message("cannot get module name.");
    return nullptr;
  }
  return editor.FindLampModule(target->Keyword());
}

void PutLampBack(CG_GraphicEditor& editor, std::unique_ptr<CG_LightSource> detached,
                 std::unique_ptr<CG_LightSource> made, bool& refused) {
  refused = false;
  CG_LightSource* shown = nullptr;
  if (made != nullptr) {
    CG_LightSource* candidate = made.get();
    if (editor.scene.AddLight(std::move(made)) != 0) {
      shown = candidate;
      detached.reset();
    } else {
      refused = true;
    }
  }
  if (detached != nullptr) {
    CG_LightSource* back = detached.get();
    if (editor.scene.AddLight(std::move(detached)) != 0) shown = back;
  }
  editor.DrawLampGlyph(shown);
}

int IndexOf(const Seq<charString>& entries, const charString& text) {
  for (std::uint32_t i = 0; i < entries.Count(); ++i) {
    if (entries[i] == text) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace zavo

using namespace zavo;

int CG_GraphicEditor::AddLampToScene(std::unique_ptr<CG_LightSource> lamp) {
  CG_LightSource* added = lamp.get();
  if (scene.AddLight(std::move(lamp)) == 0) return 0;
  DrawLampGlyph(added);
  SetModified();
  return 1;
}

int CG_GraphicEditor::NewLamp() {
  if (NotifyChange() == 0) return 0;
  Seq<charString> types;
  for (CG_LampEditorModule& module : lampModules) {
    types.Resize(types.Count() + 1);
    types[types.Count() - 1] = module.keyword;
  }
  const charString chosen = ChooseFromList("Select a lamp type", types);
  CG_LampEditorModule* module = chosen.Text() != nullptr ? FindLampModule(chosen.Text()) : nullptr;
  std::unique_ptr<CG_LightSource> lamp = module != nullptr ? module->Create(*this) : nullptr;
  if (lamp == nullptr || AddLampToScene(std::move(lamp)) == 0) {
    CommandCancelled();
    return 0;
  }
  return 1;
}

int CG_GraphicEditor::DeleteLamp() {
  if (NotifyChange() == 0) return 0;
  const charString chosen = ChooseLamp(*this, "Select a lamp to delete");
  if (chosen.Text() == nullptr) {
    CommandCancelled();
    return 0;
  }
  if (CG_LightSource* lamp = scene.FindLight(chosen.Text())) {
    EraseLampGlyph(lamp);
    scene.RemoveLight(lamp);
    SetModified();
  }
  return 1;
}

int CG_GraphicEditor::ModifyLamp() {
  if (NotifyChange() == 0) return 0;
  const charString chosen = ChooseLamp(*this, "Select a lamp to modify");
  if (chosen.Text() == nullptr) {
    CommandCancelled();
    return 0;
  }
  CG_LightSource& lamp = ChosenLamp(*this, chosen);
  CG_LightSource* target = nullptr;
  CG_LampEditorModule* module = LampModuleFor(*this, lamp, target);
  if (module == nullptr) {
    CommandCancelled();
    return 0;
  }
  EraseLampGlyph(&lamp);
  std::unique_ptr<CG_LightSource> detached = scene.DetachLight(&lamp);
  CG_LightSource* changed = nullptr;
  std::unique_ptr<CG_LightSource> made;
  if (auto* wrapper = dynamic_cast<GTransfLamp*>(&lamp)) {
    // The wrapper takes the lamp the module answers as its inner lamp.
    InnerLampLoan loan(*wrapper);
    changed = module->Modify(*this, *loan.Lamp());
    if (changed != nullptr) loan.Replace(changed);
  } else {
    changed = module->Modify(*this, lamp);
    if (changed != nullptr && changed != &lamp) made.reset(changed);
  }
  bool refused = false;
  PutLampBack(*this, std::move(detached), std::move(made), refused);
  if (changed == nullptr || refused) {
    CommandCancelled();
    return 0;
  }
  SetModified();
  return 1;
}
