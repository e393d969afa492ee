#pragma once

// Objects built from other objects of the scene (anim, CSG): the scene text
// that describes the new object around the sources' own blocks, the check of
// the new name, and the exchange of the sources for the object read back.

#include <memory>
#include <string>
#include <vector>

#include "geometry/point3d.h"

class CG_GraphicEditor;
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

// 1 when the new object may take the name: a valid name that no object of
// the scene has, other than the sources the command consumes; else the
// name check's or "Object 'N' exist." message and 0.
int CheckNameForSources(CG_GraphicEditor& editor, const char* name,
                        const std::vector<CG_GraphicObject*>& sources);

// The sources (each distinct object once) leave the views and the scene,
// kept aside with their items; the text is read into the scene from memory.
// When it gives an object of the name, the sources and their items are
// destroyed and the object, detached from the scene, is answered. Otherwise
// every source goes back to its place in the scene and is drawn again with
// its item (its layers never changed), and the answer is null (the reader's
// message was shown).
std::unique_ptr<CG_GraphicObject> ExchangeSourcesForText(CG_GraphicEditor& editor, const std::string& text,
                                                         const char* name,
                                                         const std::vector<CG_GraphicObject*>& sources);

}  // namespace zavo
