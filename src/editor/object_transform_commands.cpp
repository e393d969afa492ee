// Rotating, translating and scaling one object by typed values (requests 19,
// 21 and 20): the object is chosen among the shown items, the three values
// are typed under "x", "y", "z", and the step goes into the object's transf.

#include <numbers>

#include "editor/graphic_editor.h"
#include "editor/number_prefix.h"

namespace {

enum class ObjectStep { kRotate, kTranslate, kScale };

struct StepDialog {
  const char* chooserTitle;
  const char* editTitle;
};

StepDialog DialogOf(ObjectStep step) {
  switch (step) {
    case ObjectStep::kRotate: return {"Select object to rotate", "Rotate"};
    case ObjectStep::kTranslate: return {"Select object to translate", "Translate"};
    case ObjectStep::kScale: return {"Select object to scale", "Scale"};
  }
  return {"", ""};
}

// A typed field: empty keeps the default, otherwise the number at its start.
double FieldValue(const charString& text, double empty) {
  if (text.Text() == nullptr || text.Text()[0] == '\0') return empty;
  return zavo::RealPrefix(text.Text());
}

}  // namespace

int CG_GraphicEditor::MayTransform(CG_GraphicObject* object) {
  // Cameras and area lamps keep their own frame; a transf ("transf" has no
  // module) is never refused.
  CG_ObjectEditorModule* module = object != nullptr ? FirstObjectModule(object->Keyword()) : nullptr;
  return module != nullptr && module->MayTransform() == 0 ? 0 : 1;
}

namespace {

int TransformObjectByDialog(CG_GraphicEditor& editor, ObjectStep step) {
  if (editor.NotifyChange() == 0) return 0;
  const StepDialog dialog = DialogOf(step);
  Seq<charString> names;
  editor.ItemIterationNames(names);
  const charString chosen = editor.ChooseFromList(dialog.chooserTitle, names);
  Seq<charString> labels(3);
  labels[0] = "x";
  labels[1] = "y";
  labels[2] = "z";
  Seq<charString> texts(3);
  if (chosen.Text() == nullptr || editor.EditTexts(dialog.editTitle, labels, texts) == 0) {
    editor.CommandCancelled();
    return 0;
  }
  double v[3];
  for (std::uint32_t i = 0; i < 3; ++i) {
    if (step == ObjectStep::kScale) {
      v[i] = FieldValue(texts[i], 1.0);
      if (v[i] == 0.0) v[i] = 1.0;
    } else {
      v[i] = FieldValue(texts[i], 0.0);
      // Angles are typed in degrees.
      if (step == ObjectStep::kRotate) v[i] = v[i] / 180.0 * std::numbers::pi;
    }
  }
  CG_GraphicObject* object = editor.scene.FindObject(chosen.Text());
  CG_SceneEditorItem* item = editor.FindItem(object);
  if (item == nullptr || editor.MayTransform(object) == 0) {
    editor.CommandCancelled();
    return 0;
  }
  editor.EraseItem(item);
  switch (step) {
    case ObjectStep::kRotate: item = editor.RotateItem(item, v[0], v[1], v[2]); break;
    case ObjectStep::kTranslate: item = editor.TranslateItem(item, v[0], v[1], v[2]); break;
    case ObjectStep::kScale: item = editor.ScaleItem(item, v[0], v[1], v[2]); break;
  }
  if (item != nullptr) {
    editor.ProjectItem(item);
    editor.DrawItem(item);
  }
  editor.SetModified();
  return 1;
}

}  // namespace

int CG_GraphicEditor::RotateObject() { return TransformObjectByDialog(*this, ObjectStep::kRotate); }
int CG_GraphicEditor::TranslateObject() { return TransformObjectByDialog(*this, ObjectStep::kTranslate); }
int CG_GraphicEditor::ScaleObject() { return TransformObjectByDialog(*this, ObjectStep::kScale); }
