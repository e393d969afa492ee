#pragma once

// Dialog lists that let the user pick one of the editor's objects: an empty
// entry first (chosen at the start), then object names.

#include <vector>

#include "editor/dialog_controls.h"

class CG_GraphicEditor;
class CG_GraphicObject;

namespace zavo {

// A list whose first entry is the empty one, which is chosen.
ListBox_obj* EmptyChoiceList(const char* label, const std::vector<const char*>& names);

// The names of the objects of the editor's items in iteration order (the
// active layer's, all items when none is active); with curvesOnly set only
// the curves among them.
std::vector<const char*> ItemObjectNames(CG_GraphicEditor& editor, bool curvesOnly);

// The scene object of the list's chosen name, or null for the empty entry,
// no such list or a name no object has any more.
CG_GraphicObject* ChosenObject(const CG_GraphicEditor& editor, const gcg_list& controls, const char* label);

}  // namespace zavo
