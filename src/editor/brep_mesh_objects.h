#pragma once

// Mesh files that the editor's tools write (imports, revolutions, sweeps).

#include <functional>
#include <iosfwd>
#include <string>

class CG_GraphicEditor;

namespace zavo {

// Writes the mesh file whole through a temporary file, in the classic locale,
// after removing the face-hierarchy cache of the same name (".br_"), which
// belongs to the mesh being replaced. "Cannot write <file>" and false when
// the file cannot be written.
bool WriteMeshFile(CG_GraphicEditor& editor, const std::string& file,
                   const std::function<void(std::ostream&)>& write);

}  // namespace zavo
