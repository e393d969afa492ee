#include "editor/modules/brep_objects.h"

#include <filesystem>
#include <locale>
#include <ostream>
#include <system_error>

#include "editor/graphic_editor.h"

namespace zavo {

std::string BRepSceneText(const CG_GraphicEditor& editor, const std::string& name) {
  return editor.ObjectBuilderText(name.c_str(), "brep", "name " + name + ";\ninterp 0;\ncostr 1.3;\n");
}

int WriteMeshFile(CG_GraphicEditor& editor, const std::string& file,
                  const std::function<void(std::ostream&)>& write) {
  return editor.WriteDocumentFile(file, [&write](std::ostream& os) {
    os.imbue(std::locale::classic());
    write(os);
    return static_cast<bool>(os);
  });
}

int AddBRepObjects(CG_GraphicEditor& editor, const std::vector<std::string>& names) {
  int added = 0;
  for (const std::string& name : names) {
    // A stale face hierarchy of an older mesh of that name must not load.
    std::error_code ignored;
    std::filesystem::remove(name + ".br_", ignored);
    std::unique_ptr<CG_GraphicObject> object = editor.ReadObjectFromSceneText(BRepSceneText(editor, name), name.c_str());
    if (object != nullptr && editor.AddObjectToEditor(std::move(object)) != 0) ++added;
  }
  return added;
}

}  // namespace zavo
