#include "editor/import/raw_import.h"

#include <memory>
#include <optional>
#include <string>

#include "editor/graphic_editor.h"
#include "editor/import/import_files.h"
#include "editor/import/import_objects.h"
#include "editor/import/raw_reader.h"

namespace zavo {

namespace {

// The input file, or nothing after the message of a missing file.
std::optional<std::ifstream> OpenRaw(CG_GraphicEditor& editor, const std::string& path) {
  std::string fileName;
  std::optional<std::ifstream> in = OpenInput(path, ".raw", fileName);
  if (!in) editor.Message(("file " + fileName + " not found").c_str());
  return in;
}

int ImportPoints(CG_GraphicEditor& editor, const char* path, int dimensions) {
  const std::string given = path != nullptr ? path : "";
  std::optional<std::ifstream> in = OpenRaw(editor, given);
  if (!in) return 0;
  editor.Status("Loading...");
  const std::vector<Point3D> points = ReadRawPoints(*in, dimensions);
  const std::string name = MakeIdentifier(BaseName(given));
  if (editor.scene.FindObject(name.c_str()) != nullptr) return 1;
  if (editor.AddObjectToEditor(MakeImportPolyline(editor, name, points, 1)) != 0) editor.SetModified();
  return 1;
}

}  // namespace

int ImportRaw(CG_GraphicEditor& editor, const char* path) {
  const std::string given = path != nullptr ? path : "";
  std::optional<std::ifstream> in = OpenRaw(editor, given);
  if (!in) return 0;
  editor.Status("Loading...");
  const std::vector<RawTriangle> triangles = ReadRawTriangles(*in);
  editor.Status(("Triangles = " + std::to_string(triangles.size())).c_str());
  const RawMesh mesh =
      MergeRawTriangles(triangles, [&](long merged) { editor.Status(std::to_string(merged).c_str()); });
  // The object's own name names its mesh, so that a second import of the
  // same file never replaces the mesh of the first.
  const std::string name = editor.FreeObjectName(MakeIdentifier(BaseName(given)));
  if (name.empty()) return 0;
  editor.Status("Saving brep file");
  if (!WriteMeshFile(editor, name + ".brp", [&](std::ostream& os) { WriteRawPbrep(os, mesh); })) return 0;
  return editor.LoadBRepObject(name.c_str());
}

int ImportRawPoints(CG_GraphicEditor& editor, const char* path) { return ImportPoints(editor, path, 3); }
int ImportRawPoints2D(CG_GraphicEditor& editor, const char* path) { return ImportPoints(editor, path, 2); }

}  // namespace zavo
