#pragma once

// The nested object blocks of the wrapper and container bodies (transf,
// group, flip): each is written exactly like an object section of the scene
// text, "{ object" header "model {" keyword body "}" "}".

#include <memory>

#include "scene/graphic_object.h"

class CG_GraphicScene;
class ScannerMemo;

namespace zavo {

// Reads one object block, the scanner standing on its "{": the word "object"
// (else the scene's word error), the header and the model through the
// scene's readers, then the closing "}" (else the scene's character error).
// The object with the scanner after the "}", or null (what was read is
// destroyed).
std::unique_ptr<CG_GraphicObject> ReadObjectBlock(CG_GraphicScene& scene, ScannerMemo& scanner);

// "{ object\n\tname " name ";\n\tmodel \t{ " keyword "\n": the head of the
// blocks of the objects that keep no material of their own.
void WriteWrapperHead(std::ostream& os, const CG_GraphicObject& object, const char* keyword);

}  // namespace zavo
