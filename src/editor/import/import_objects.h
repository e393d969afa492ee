#pragma once

// Curve objects that the import tools make: the common data of a new object
// (the name given, the editor's material "standard", defaults otherwise) and
// polylines through given points.

#include <memory>
#include <string>
#include <vector>

#include "geometry/point3d.h"
#include "models/curved/polyline.h"
#include "scene/graphic_object.h"

class CG_GraphicEditor;

namespace zavo {

// Sets the name and the material "standard" of fresh common data.
void SetImportObjectData(CG_GraphicEditor& editor, const std::string& name, CG_GraphicObjectCommData& data);

// A polyline of the points (open 1 or closed 0) with that common data.
std::unique_ptr<CG_Polyline> MakeImportPolyline(CG_GraphicEditor& editor, const std::string& name,
                                                const std::vector<Point3D>& points, int open);

}  // namespace zavo
