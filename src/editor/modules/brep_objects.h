#pragma once

// Mesh files and the brep objects that name them, as the tools that build
// meshes (rotation, extrusion, sweep) put them into the editor.

#include <string>
#include <vector>

#include "editor/brep_mesh_objects.h"

class CG_GraphicEditor;

namespace zavo {

// Each named brep object: its cache <name>.br_ deleted, its scene text read
// into the scene, the object given its item in the active layer, projected
// and drawn. The number of objects added.
int AddBRepObjects(CG_GraphicEditor& editor, const std::vector<std::string>& names);

}  // namespace zavo
