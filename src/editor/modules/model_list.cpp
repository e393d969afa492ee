#include "editor/modules/model_list.h"

#include <string>
#include <string_view>

#include "editor/graphic_editor.h"
#include "editor/text_routines.h"
#include "foundation/path_resolver.h"

namespace zavo {

namespace {

int objectNumberLimit = 999999;

// The base name of a file "<...>/<base>.<extension>", or empty when the name
// does not end with that extension.
std::string ModelBase(const std::string& file, const std::string& extension) {
  const std::size_t suffix = extension.size() + 1;
  if (file.size() < suffix || file[file.size() - suffix] != '.') return {};
  if (!SameIgnoringAsciiCase(std::string_view(file).substr(file.size() - extension.size()), extension)) return {};
  const std::string stem = file.substr(0, file.size() - suffix);
  const std::size_t cut = stem.find_last_of("/\\:");
  return cut == std::string::npos ? stem : stem.substr(cut + 1);
}

void AddModelsOf(const std::filesystem::path& folder, const std::string& extension, Seq<charString>& models) {
  Seq<charString> files;
  if (LoadDirectoryList(folder, files) == 0) return;
  for (std::uint32_t i = 0; i < files.Count(); ++i) {
    const std::string base = ModelBase(files[i].Text() != nullptr ? files[i].Text() : "", extension);
    if (!base.empty()) AppendText(models, base.c_str());
  }
}

}  // namespace

void ListModels(const CG_GraphicEditor& editor, const char* extension, Seq<charString>& models) {
  models.SetSize(0);
  const std::string ext = extension != nullptr ? extension : "";
  AddModelsOf(".", ext, models);
  const char* modelPath = editor.scene.GetModelPath();
  if (modelPath != nullptr && modelPath[0] != '\0') AddModelsOf(PathFromName(modelPath), ext, models);
}

charString FreeObjectName(const CG_GraphicEditor& editor, const char* model) {
  return charString(editor.FreeObjectName(model, objectNumberLimit).c_str());
}

int SetObjectNumberLimit(int limit) {
  const int previous = objectNumberLimit;
  objectNumberLimit = limit;
  return previous;
}

int ChooseNewModel(CG_GraphicEditor& editor, const char* extension, charString& model, charString& objectName) {
  Seq<charString> models;
  ListModels(editor, extension, models);
  const charString chosen = editor.ChooseFromList("Select a model", models);
  if (chosen.Text() == nullptr) return 0;
  // The name goes into the object's block and its model block.
  if (editor.CheckName(chosen.Text()) == 0) return 0;
  const charString name = FreeObjectName(editor, chosen.Text());
  if (name.Text() == nullptr || name.Text()[0] == '\0') return 0;
  model = chosen;
  objectName = name;
  return 1;
}

}  // namespace zavo
