#include "editor/modules/derived_object_name.h"

#include <memory>
#include <string>

#include "editor/graphic_editor.h"
#include "editor/modules/module_steps.h"

namespace zavo {

charString ProposeDerivedName(CG_GraphicEditor& editor, CG_GraphicObject& source) {
  const bool standIn = source.name.Text() != nullptr && editor.scene.FindObject(source.name.Text()) == nullptr;
  if (standIn) editor.scene.AddObject(std::unique_ptr<CG_GraphicObject>(&source));
  charString proposal;
  editor.MakeUniqueName("obj", kObjectName, proposal);
  // The scene gives the source back; the command that runs on it owns it.
  if (standIn) static_cast<void>(editor.scene.DetachObject(&source).release());
  return proposal;
}

bool AcceptDerivedName(CG_GraphicEditor& editor, const CG_GraphicObject& source, const char* name) {
  if (editor.CheckNewName(name, kObjectName) == 0) return false;
  if (source.name.Text() == nullptr || std::string(source.name.Text()) != name) return true;
  editor.Message((std::string("Object '") + name + "' exist.").c_str());
  return false;
}

}  // namespace zavo
