#pragma once

// The RAW imports (requests 71 to 73), each given the path of the file
// without its extension ".raw" (found also when the extension differs in
// case). A missing file shows "file <path>.raw not found" and answers 0.

class CG_GraphicEditor;

namespace zavo {

// Triangles merged into one mesh, written as "<O>.brp" in the working
// directory, where O is the first free object name of the file's base name
// made an identifier (M, M_2, ...), and loaded as the brep object O of the
// model O. Status texts: "Loading...", "Triangles = N", the number merged
// after each triangle, "Saving brep file". 1 done; 0 when the file is
// missing, no name is free or the mesh cannot be written.
int ImportRaw(CG_GraphicEditor& editor, const char* path);

// 3-D points (x y z) or 2-D points (x y, z = 0) as one open polyline named
// after the file (made an identifier), material "standard", tolerance 0.01.
// A taken name drops the polyline silently. 1 unless the file is missing.
int ImportRawPoints(CG_GraphicEditor& editor, const char* path);
int ImportRawPoints2D(CG_GraphicEditor& editor, const char* path);

}  // namespace zavo
