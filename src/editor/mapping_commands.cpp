// Requests 53 to 57: the editor's current texture mapping, made by a mapping
// module, copied from an object or dropped, and its frame in the parallel
// views while mapping edit is on.

#include <memory>

#include "editor/graphic_editor.h"
#include "editor/text_routines.h"
#include "models/core/transf.h"
#include "scene/comm_data.h"

namespace {

bool IsParallelView(int mode) { return mode >= 2 && mode <= 4; }

}  // namespace

int CG_GraphicEditor::SelectMappingType() {
  if (NotifyChange() == 0) return 0;
  Seq<charString> names;
  for (const CG_MappingEditorModule& module : mappingModules) zavo::AppendText(names, module.keyword.Text());
  const charString chosen = ChooseFromList("Select a mapping type", names);
  CG_MappingEditorModule* module = chosen.Text() != nullptr ? FindMappingModule(chosen.Text()) : nullptr;
  std::unique_ptr<CG_MappingMetod> mapping = module != nullptr ? module->Create(*this) : nullptr;
  if (mapping == nullptr) {
    CommandCancelled();
    return 0;
  }
  currentMapping = std::move(mapping);
  SetModified();
  return 1;
}

int CG_GraphicEditor::DropMapping() {
  currentMapping.reset();
  return 1;
}

int CG_GraphicEditor::ModifyMapping() {
  if (NotifyChange() == 0) return 0;
  Seq<charString> names;
  ItemIterationNames(names);
  const charString chosen = ChooseFromList("Select an object to modify", names);
  CG_GraphicObject* object = chosen.Text() != nullptr ? scene.FindObject(chosen.Text()) : nullptr;
  if (object == nullptr) {
    CommandCancelled();
    return 0;
  }
  CG_GraphicObject* target = nullptr;
  CG_GraphicObject* wrapperObject = nullptr;
  FindObject(object, target, wrapperObject);
  // An empty transf: FindObject has told the user and cancelled.
  if (target == nullptr) return 0;
  auto* wrapper = dynamic_cast<GTransf*>(wrapperObject);

  // The target lends its mapping to the record and takes it back with it.
  CG_GraphicObjectCommData data;
  target->GetCommData(data);
  if (data.mapping != nullptr) {
    std::unique_ptr<CG_MappingMetod> copy(data.mapping->Clone());
    // The copy stands where the object is seen: in the scene's frame.
    if (copy != nullptr && wrapper != nullptr) copy->Transform(wrapper->Forward());
    if (copy != nullptr) currentMapping = std::move(copy);
  }
  target->SetCommData(data);
  if (wrapper != nullptr) {
    CG_GraphicObjectCommData own;
    wrapper->GetCommData(own);
    wrapper->SetCommData(own);
  }
  SetModified();
  return 1;
}

int CG_GraphicEditor::BeginMappingEdit() {
  mappingEdit = 1;
  for (int view = 0; view < 4; ++view) {
    if (!IsParallelView(viewModes[view])) continue;
    EraseViewingInView(view);
    ShowMappingFrame(view);
  }
  return 1;
}

int CG_GraphicEditor::EndMappingEdit() {
  mappingEdit = 0;
  for (int view = 0; view < 4; ++view) {
    if (!IsParallelView(viewModes[view])) continue;
    HideMappingFrame(view);
    DrawViewingInView(view);
  }
  return 1;
}
