#pragma once

// The DXF polyface import (request 70): every polyface POLYLINE of the file
// becomes a mesh file "<N>.brp" in the working directory and an object block
// of the scene "__ZAVO__.qz" there, which the user inserts or opens later.
// Nothing is loaded into the open scene.

#include <istream>
#include <string>
#include <vector>

#include "editor/import/dxf_reader.h"

class CG_GraphicEditor;

namespace zavo {

// The choices of the dialog "DXF options".
struct DxfOptions {
  int useOriginalNames = 1;
  int interpolation = 1;
  std::string interpolationAngle = "30.0";  // degrees, as typed
};

// One mesh to write: its name N (object, model and file "<N>.brp") and text.
struct DxfMesh {
  std::string name;
  std::string pbrep;
};

struct DxfConversion {
  std::vector<DxfMesh> meshes;
  int noPolyline = 0;  // a POLYLINE that is not a polyface mesh was met
};

// The pbrep text of a polyline and the number of faces written in it: a face
// whose indices are not DXF vertex numbers of the polyline (0 among the first
// three, beyond its vertex count) is left out.
std::string DxfPbrepText(const DxfPolyline& polyline, long& facesWritten);

// The object block of the mesh named name.
std::string DxfObjectBlock(const std::string& name, const DxfOptions& options);

// Reads the DXF text and makes its meshes. Names come from the layer (with
// "Use original names") or the base name and the running number of the
// polyline, made identifiers; a name used before in the same text gets "_2",
// "_3", ... A polyline that is no polyface mesh, or that has no vertex or no
// face left, makes no mesh.
DxfConversion ConvertDxf(std::istream& in, const DxfOptions& options, const std::string& baseName);

// Request 70 with the path without its extension: asks the options, reads
// "<path>.dxf" (or the same name with the extension in another case) and
// writes the meshes and "__ZAVO__.qz", each file name shown in the status
// line. 0 when the dialog was cancelled, the file does not open (nothing
// written) or a file could not be written; 1 otherwise.
int CaricaFlagPolyline(CG_GraphicEditor& editor, const char* path);

}  // namespace zavo
