// The name of a lamp and its module's special commands (requests 28, 40).

#include <memory>

#include "editor/graphic_editor.h"
#include "editor/lamp_commands.h"
#include "editor/lamp_wrapping.h"

using namespace zavo;

int CG_GraphicEditor::LampCommonData() {
  if (NotifyChange() == 0) return 0;
  const charString chosen = ChooseLamp(*this, "Select a lamp to modify");
  if (chosen.Text() == nullptr) {
    CommandCancelled();
    return 1;
  }
  CG_LightSource& lamp = ChosenLamp(*this, chosen);
  // A transform lamp is renamed with its inner lamp.
  CG_LightSource* target = &lamp;
  auto* wrapper = dynamic_cast<GTransfLamp*>(&lamp);
  if (wrapper != nullptr) {
    InnerLampLoan loan(*wrapper);
    target = loan.Lamp();
  }
  if (target == nullptr) {
    Message("Cannot change lamp.\nGTranf has not the object");
    CommandCancelled();
    return 0;
  }
  charString current;
  target->GetName(current);
  gcg_list controls;
  auto* field = new Edit_obj("name", current.Text());
  controls.Append(field);
  if (ShowDialog("Change common data", controls) == 0 || CheckName(field->text.Text()) == 0) {
    CommandCancelled();
    return 0;
  }
  for (const CG_LightSource& other : scene.GetLights()) {
    if (&other != &lamp && other.name == field->text) {
      Message("Exist a lamp with same name");
      CommandCancelled();
      return 0;
    }
  }
  target->SetName(field->text.Text());
  if (wrapper != nullptr) wrapper->SetName(field->text.Text());
  SetModified();
  return 1;
}

int CG_GraphicEditor::LampSpecificMenu() {
  if (NotifyChange() == 0) return 0;
  const charString chosen = ChooseLamp(*this, "Select a lamp to modify");
  if (chosen.Text() == nullptr) {
    CommandCancelled();
    return 0;
  }
  CG_LightSource& lamp = ChosenLamp(*this, chosen);
  CG_LightSource* target = nullptr;
  CG_LampEditorModule* module = LampModuleFor(*this, lamp, target);
  Seq<charString> names;
  const int index = module != nullptr && module->SpecialNames(*this, names, *target) != 0
                        ? IndexOf(names, ChooseFromList("Specific Menu", names))
                        : -1;
  if (index < 0) {
    CommandCancelled();
    return 0;
  }
  EraseLampGlyph(&lamp);
  std::unique_ptr<CG_LightSource> detached = scene.DetachLight(&lamp);
  // The module may put another lamp in place of the one it gets; that lamp
  // belongs to the editor. Answer 0 keeps the change, any other answer
  // drops it and puts the lamp back as it was.
  int result = 0;
  std::unique_ptr<CG_LightSource> made;
  if (auto* wrapper = dynamic_cast<GTransfLamp*>(&lamp)) {
    InnerLampLoan loan(*wrapper);
    CG_LightSource* worked = loan.Lamp();
    result = module->RunSpecial(*this, index, worked);
    if (worked != nullptr && worked != loan.Lamp()) {
      if (result == 0) {
        loan.Replace(worked);
      } else {
        delete worked;
      }
    }
  } else {
    CG_LightSource* worked = &lamp;
    result = module->RunSpecial(*this, index, worked);
    if (worked != nullptr && worked != &lamp) made.reset(worked);
    if (result != 0) made.reset();
  }
  bool refused = false;
  PutLampBack(*this, std::move(detached), std::move(made), refused);
  if (result != 0 || refused) {
    CommandCancelled();
    return 0;
  }
  SetModified();
  return 1;
}
