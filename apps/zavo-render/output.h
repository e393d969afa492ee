#pragma once

// What a render writes and whether it can: the output file's extension for a
// render mode, the -o name, and the checks made before anything is built.

#include <filesystem>
#include <string>

class CG_GraphicScene;

namespace zavo::cli {

// The extension of the file the render mode writes (".bmp" for the images,
// ".wrl", ".dxf", ".tgl", ".ana" for the exports); null for an unknown mode.
const char* OutputExtension(const std::string& mode);
// Whether the mode writes an image (raytracing, preview, depth).
bool WritesImage(const std::string& mode);

// The output base for -o NAME: NAME without its extension when that already
// is the output's extension, compared case-blind ("out.BMP" -> "out"); NAME
// itself otherwise.
std::string OutputBase(const std::string& name, const char* extension);

// The first fault of the render parameters that would stop the render: an
// unknown render mode, an image size that cannot be made, an unknown shading
// method (the render's own message texts); empty when there is none.
std::string CheckRenderParameters(CG_GraphicScene& scene);

}  // namespace zavo::cli
