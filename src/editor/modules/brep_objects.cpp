#include "editor/modules/brep_objects.h"

#include <filesystem>
#include <system_error>

#include "editor/graphic_editor.h"

namespace zavo {

int AddBRepObjects(CG_GraphicEditor& editor, const std::vector<std::string>& names) {
  int added = 0;
  for (const std::string& name : names) {
    // A stale face hierarchy of an older mesh of that name must not load.
    std::error_code ignored;
    std::filesystem::remove(name + ".br_", ignored);
    std::unique_ptr<CG_GraphicObject> object = editor.ReadObjectFromSceneText(editor.BRepObjectText(name.c_str(), name.c_str()), name.c_str());
    if (object != nullptr && editor.AddObjectToEditor(std::move(object)) != 0) ++added;
  }
  return added;
}

}  // namespace zavo
