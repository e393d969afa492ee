#include "editor/modules/model_storage.h"

#include <ostream>

#include "editor/dialog_controls.h"
#include "editor/graphic_editor.h"
#include "editor/modules/module_steps.h"
#include "editor/text_routines.h"
#include "foundation/path_resolver.h"
#include "models/curved/patch_model.h"

namespace zavo {

namespace {

enum StorageCommand { kSave = 0, kInclude = 1, kExternal = 2, kInfo = 3 };

int ExternalModel(CG_GraphicEditor& editor, ModelStorage& storage) {
  if (storage.IsInternal() == 0) {
    storage.Reapply();
    return 1;
  }
  gcg_list controls;
  controls.Append(new Edit_obj("Model name", ""));
  // The object keeps its held model.
  if (editor.ShowDialog(storage.Caption(), controls) == 0) return 1;
  const char* text = FieldText(controls, "Model name");
  const std::string name = text != nullptr ? text : "";
  // A model without a name could not be read back.
  if (name.empty()) {
    editor.CheckName("");
    return 0;
  }
  const std::string file = name + "." + storage.Extension();
  storage.DropCaches(name);
  const bool written =
      WriteModelFile(PathFromName(file), [&storage](std::ostream& os) { return storage.WriteHeld(os); });
  if (!written) {
    editor.Message(("Cannot write " + file).c_str());
    return 0;
  }
  return storage.MoveToFile(name);
}

void Info(CG_GraphicEditor& editor, const ModelStorage& storage) {
  if (storage.IsInternal() != 0) {
    editor.Message("Internal object");
  } else {
    editor.Message(("Object described in file " + storage.File()).c_str());
  }
}

}  // namespace

void StorageNames(Seq<charString>& names) {
  names.SetSize(0);
  for (const char* name : {"Save", "Include In Scene", "External Model", "Info"}) AppendText(names, name);
}

int RunStorageCommand(CG_GraphicEditor& editor, int index, ModelStorage& storage) {
  switch (index) {
    case kSave:
      return storage.Save();
    case kInclude:
      storage.Include();
      return 1;
    case kExternal:
      return ExternalModel(editor, storage);
    case kInfo:
      // Nothing is taken from the object, so nothing is read again.
      Info(editor, storage);
      return 0;
    default:
      return 0;
  }
}

}  // namespace zavo
