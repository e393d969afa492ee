// Whether an edit through the selected object's module changed the object:
// its written scene text before and after a key, or over a drag from the
// button press to the release. Only a change marks the document modified,
// and a drag marks it once, at its end.

#include <locale>
#include <sstream>
#include <utility>

#include "editor/graphic_editor.h"

std::string CG_GraphicEditor::WrittenObjectText(const CG_GraphicObject* object) {
  if (object == nullptr) return {};
  std::ostringstream text;
  text.imbue(std::locale::classic());
  object->Write(text);
  return text.str();
}

void CG_GraphicEditor::SetModifiedIfChanged(const CG_GraphicObject* object, const std::string& before) {
  // An object that lost its item may be gone: it is not read.
  if (object == nullptr || FindItem(object) == nullptr) return;
  if (WrittenObjectText(object) != before) SetModified();
}

void CG_GraphicEditor::OpenSelectedDrag(const CG_GraphicObject* object) {
  if (dragObject != nullptr && dragObject == object) return;
  // A drag of another object that saw no release ends first.
  if (dragObject != nullptr) CloseSelectedDrag();
  dragObject = object;
  dragObjectText = WrittenObjectText(object);
}

void CG_GraphicEditor::CloseSelectedDrag() {
  const CG_GraphicObject* object = dragObject;
  dragObject = nullptr;
  const std::string before = std::move(dragObjectText);
  dragObjectText.clear();
  SetModifiedIfChanged(object, before);
}
