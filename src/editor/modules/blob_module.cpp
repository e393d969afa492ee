#include "editor/modules/blob_module.h"

#include <string>

#include "editor/graphic_editor.h"
#include "editor/modules/model_list.h"
#include "editor/modules/solid_modules.h"

using namespace zavo;

std::unique_ptr<CG_GraphicObject> CG_BlobEditorModule::Create(CG_GraphicEditor& editor) {
  charString model, name;
  if (ChooseNewModel(editor, "blb", model, name) == 0) return nullptr;
  const std::string lines = std::string("name ") + model.Text() + ";\n";
  return editor.ReadObjectFromSceneText(editor.ObjectBuilderText(name.Text(), "blob", lines), name.Text());
}

CG_GraphicObject* CG_BlobEditorModule::Modify(CG_GraphicEditor&, CG_GraphicObject&, int) { return nullptr; }

void CG_BlobEditorModule::Info(Seq<charString>& names) { SetInfo(names, "composite", "blob"); }
