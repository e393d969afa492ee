#pragma once

// What the importers share: names made fit for objects and files, finding the
// input file by its extension, and writing the meshes they produce.

#include <filesystem>
#include <fstream>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "editor/brep_mesh_objects.h"

class CG_GraphicEditor;

namespace zavo {

// A name fit for an object, a model and a file in the working directory:
// every character other than a letter, a digit or "_" becomes "_"; a name
// that starts with a digit (or is empty) gets "_" in front ("0" gives "_0").
std::string MakeIdentifier(std::string_view name);

// The last component of a path ("/" and "\" both separate).
std::string BaseName(std::string_view path);

// The leading number of a text ("30.0", " 12abc"), 0 when it has none or it
// is not finite.
double LeadingNumber(std::string_view text);

// The file "<path><extension>" opened for reading: the exact name first, then
// one of the same directory whose name differs in case only ("M.DXF").
// fileName receives the name tried first. Nothing when neither opens.
std::optional<std::ifstream> OpenInput(const std::string& path, const char* extension, std::string& fileName);

// Writes the file name (in the working directory unless it has a directory)
// through a temporary file. A failure shows "Cannot write " and the name
// through the editor's message box and answers false.
bool WriteImportFile(CG_GraphicEditor& editor, const std::string& name,
                     const std::function<void(std::ostream&)>& write);

}  // namespace zavo
