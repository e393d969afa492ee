#pragma once

// The name of an object that a command makes from another one (a mesh or a
// surface built from a curve) while that source object is outside the scene.

#include "foundation/char_string.h"

class CG_GraphicEditor;
class CG_GraphicObject;

namespace zavo {

// The first free "obj" name, never the source's own: the source stands in
// the scene for the proposal and is detached again.
charString ProposeDerivedName(CG_GraphicEditor& editor, CG_GraphicObject& source);

// The name typed for the new object: it must pass the editor's check and may
// not be the source's own name, which the source takes back into the scene
// when the command ends ("Object '<name>' exist.").
bool AcceptDerivedName(CG_GraphicEditor& editor, const CG_GraphicObject& source, const char* name);

}  // namespace zavo
