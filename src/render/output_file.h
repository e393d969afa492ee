#pragma once

// The files a render writes beside the scene: their names and their writing.

#include <functional>
#include <iosfwd>
#include <string>

class CG_GraphicScene;
class charString;

namespace zavo {

// "<base><extension>": the base is the scene's output image name, or its
// name when no output image name is set; empty when the scene has neither.
std::string OutputFileName(const CG_GraphicScene& scene, const char* extension);

// Writes the file OutputFileName (scene, extension) through a temporary file in
// its directory and a rename; the stream handed to write formats numbers in
// the classic locale. 1 on success. When write answers false, the stream
// fails or the file cannot be made, shows the message "Cannot write <file>"
// and answers 0, with any older file left as it was; a scene without any name
// shows "Cannot write <extension>" and writes nothing. An exception thrown by
// write leaves no temporary file behind and goes on to the caller.
int WriteOutputFile(CG_GraphicScene& scene, const char* extension,
                    const std::function<bool(std::ostream&)>& write);

// The text of a name, or "" for a null name.
const char* NameText(const charString& name);

}  // namespace zavo
