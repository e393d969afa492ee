#pragma once

// The creation and modification of a patch model object that the user makes
// from a model file (NURBS meshes and the other patch models): the model
// chosen from the model list, and the dialog with its "div" and "cache".

#include <memory>

#include "editor/graphic_editor.h"
#include "editor/modules/model_list.h"
#include "editor/modules/module_steps.h"
#include "editor/number_prefix.h"
#include "editor/text_routines.h"
#include "foundation/number_text.h"

namespace zavo {

// The number at the start of the text truncated toward zero; 0 for none.
inline int TruncatedNumberText(const charString& text) {
  return SaturateToInt(RealPrefix(text.Text() != nullptr ? text.Text() : ""));
}

// A file object for a model chosen from the model list, named by the model
// (or the first free numbered name), div 6, cache 1, "auto", the editor's
// message interface. Null when nothing is chosen or the name is refused;
// with the message notFound when the model file cannot be found.
template <class Model>
std::unique_ptr<CG_GraphicObject> LoadPatchModel(CG_GraphicEditor& editor, const char* notFound) {
  charString model, name;
  if (ChooseNewModel(editor, Model::Traits::kFile.extension, model, name) == 0) return nullptr;
  CG_GraphicObjectCommData data;
  FillNewCommData(editor, name.Text(), data);
  typename Model::Description description;
  description.embedded = 0;
  description.modelName = model;
  description.div = 6;
  description.cache = 1;
  description.hierKind = "auto";
  description.gridDim = 0;
  description.progress = &editor.scene.GetInterface();
  description.modelPath = editor.scene.FindModelFile(model.Text(), Model::Traits::kFile.extension);
  if (description.modelPath.Text() == nullptr) {
    editor.Message(notFound);
    return nullptr;
  }
  return std::make_unique<Model>(data, description);
}

// The multi-field dialog caption with "div" and "cache" as integer texts;
// on OK both read as reals truncated toward zero and applied as entered
// (the model clamps its tessellation). The model, or null on Cancel.
template <class Model>
CG_GraphicObject* ModifyPatchModel(CG_GraphicEditor& editor, Model& model, const char* caption) {
  Seq<charString> labels, texts;
  AppendText(labels, "div");
  AppendText(labels, "cache");
  AppendText(texts, IntToText(model.Div()).Text());
  AppendText(texts, IntToText(model.Cache()).Text());
  if (editor.EditTexts(caption, labels, texts) == 0) return nullptr;
  typename Model::Description description;
  model.GetDescription(description);
  description.div = TruncatedNumberText(texts[0]);
  description.cache = TruncatedNumberText(texts[1]);
  description.progress = &editor.scene.GetInterface();
  model.SetDescription(description);
  return &model;
}

}  // namespace zavo
