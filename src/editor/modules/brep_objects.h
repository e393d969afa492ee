#pragma once

// Mesh files and the brep objects that name them, as the tools that build
// meshes (rotation, extrusion, sweep) put them into the editor.

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

class CG_GraphicEditor;

namespace zavo {

// The scene text of one brep object: "{object", "name N;", "material
// standard;", "model { brep", "name N;", "interp 0;", "costr 1.3;", "}",
// "}", "." (no line end after the ".").
std::string BRepSceneText(const CG_GraphicEditor& editor, const std::string& name);

// Writes the text whole to file through a temporary file, in the classic
// locale; "Cannot write <file>" and 0 when that fails.
int WriteMeshFile(CG_GraphicEditor& editor, const std::string& file,
                  const std::function<void(std::ostream&)>& write);

// Each named brep object: its cache <name>.br_ deleted, its scene text read
// into the scene, the object given its item in the active layer, projected
// and drawn. The number of objects added.
int AddBRepObjects(CG_GraphicEditor& editor, const std::vector<std::string>& names);

}  // namespace zavo
