// Request 27: an object's name, material, texture, bump texture and mapping.

#include <memory>

#include "editor/graphic_editor.h"
#include "foundation/runtime_error_box.h"
#include "models/core/transf.h"
#include "scene/material.h"
#include "scene/texture.h"

namespace {

const char* NameOf(const charString& name) { return name.Text() != nullptr ? name.Text() : ""; }

// A choice list: an empty first entry, then the names; preset to current.
template <class T>
ListBox_obj* NameList(const char* label, const DblList<T>& list, const T* current) {
  auto* box = new ListBox_obj(label);
  std::uint32_t count = 1;
  for (const T& element : list) {
    (void)element;
    ++count;
  }
  box->entries.SetSize(count);
  box->entries[0] = "";
  std::uint32_t i = 1;
  for (const T& element : list) box->entries[i++] = NameOf(element.name);
  box->selected = current != nullptr ? NameOf(current->name) : "";
  return box;
}

// The element of the chosen name; none for the empty choice.
template <class T>
T* Chosen(const DblList<T>& list, const ListBox_obj* box) {
  const char* text = box->selected.Text();
  if (text == nullptr || *text == '\0') return nullptr;
  for (const T& element : list) {
    if (element.name == text) return const_cast<T*>(&element);
  }
  return nullptr;
}

}  // namespace

int CG_GraphicEditor::ModifyCommonCommand() { return OnChosenObject(&CG_GraphicEditor::ModifyCommonData); }

int CG_GraphicEditor::ModifyCommonData(const char* objectName) {
  CG_GraphicObject* object = scene.FindObject(objectName);
  if (object == nullptr) RuntimeErrorBox("non qui");
  CG_GraphicObject* target = nullptr;
  CG_GraphicObject* wrapperObject = nullptr;
  FindObject(object, target, wrapperObject);
  // An empty transf: FindObject has told the user and cancelled.
  if (target == nullptr) return 0;
  auto* wrapper = dynamic_cast<GTransf*>(wrapperObject);

  // The object lends its mapping to the record and takes it back with the
  // record, changed or not.
  CG_GraphicObjectCommData record;
  target->GetCommData(record);
  const auto cancel = [&]() {
    target->SetCommData(record);
    CommandCancelled();
    return 0;
  };
  applyMapping = 0;

  gcg_list controls;
  // The name the object has in the scene: a transf's, whatever its child
  // is called.
  auto* name = new Edit_obj("name", object->name);
  controls.Append(name);
  auto* material = NameList("material", scene.GetMaterials(), record.material);
  controls.Append(material);
  auto* texture = NameList("texture", scene.GetTextures(), record.texture);
  controls.Append(texture);
  auto* bump = NameList("bump", scene.GetTextures(), record.bump);
  controls.Append(bump);
  controls.Append(new Button_obj("Apply Mapping", [this](gcg_list&) { applyMapping = 1; }));
  if (ShowDialog("Change common data", controls) == 0) return cancel();

  const char* newName = NameOf(name->text);
  if (CheckName(newName) == 0) return cancel();
  CG_GraphicObject* holder = scene.FindObject(newName);
  if (holder != nullptr && holder != target && holder != wrapperObject) {
    Message("Exist an object with same name");
    return cancel();
  }

  CG_SceneEditorItem* item = FindItem(object);
  if (item != nullptr) EraseItem(item);
  const bool renamed = object->name != newName;
  if (renamed) record.name = newName;
  record.material = Chosen(scene.GetMaterials(), material);
  record.texture = Chosen(scene.GetTextures(), texture);
  if (options.Test != 0) record.bump = Chosen(scene.GetTextures(), bump);
  if (applyMapping != 0) {
    record.mapping.reset();
    if (currentMapping != nullptr) {
      record.mapping.reset(currentMapping->Clone());
      // The current mapping is placed in the scene's frame; the child of a
      // transf is mapped in its own one.
      if (record.mapping != nullptr && wrapper != nullptr) record.mapping->Transform(wrapper->Inverse());
    }
  }
  target->SetCommData(record);
  if (wrapper != nullptr && renamed) {
    CG_GraphicObjectCommData own;
    wrapper->GetCommData(own);
    own.name = newName;
    wrapper->SetCommData(own);
  }
  if (object == scene.GetCurrentCamera()) SetCameraInUse(object);
  if (item != nullptr) {
    ProjectItem(item);
    DrawItem(item);
  }
  SetModified();
  return 1;
}
