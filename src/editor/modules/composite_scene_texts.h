#pragma once

// The scene texts of the objects built around other objects of the scene
// (anim, CSG), which BuildFromSources (consumed_sources.h) reads back.

#include <string>

#include "geometry/point3d.h"

class CG_GraphicObject;

namespace zavo {

// The object's own block as the scene writer gives it.
std::string ObjectBlock(const CG_GraphicObject& object);

// "{object\nname N;\nmodel { anim\n", the object's block, "\n\t\tcenter ( x ,
// y , z );\n\t\tfrom f;\n\t\tto t;\n", "move " and the move curve's block
// and "\n" when there is one, the same with "rotate ", then "\n}\n}\n.".
std::string AnimSceneText(const std::string& name, const std::string& objectBlock, const Point3D& centre,
                          int from, int to, const std::string* moveBlock, const std::string* rotateBlock);

// "{object\nname N;\nmodel { K\nfirst ", the first block, "\nsecond ", the
// second block, "\n\n}\n}\n.".
std::string CSGSceneText(const std::string& name, const char* keyword, const std::string& firstBlock,
                         const std::string& secondBlock);

}  // namespace zavo
