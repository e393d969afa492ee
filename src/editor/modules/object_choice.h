#pragma once

// The object lists of the dialogs that build an object from others: the
// names of the objects of the editor's items (the active layer's, all items
// when none is active) after an empty entry, and the object chosen in such a
// list.

#include <vector>

#include "editor/dialog_controls.h"

class CG_GraphicEditor;
class CG_GraphicObject;

namespace zavo {

// The names of the items' objects in iteration order; with curvesOnly set
// only those of curves (IsCurve).
std::vector<const char*> ItemObjectNames(CG_GraphicEditor& editor, bool curvesOnly);

// A list whose first entry is the empty one, which is chosen.
ListBox_obj* EmptyChoiceList(const char* label, const std::vector<const char*>& names);

// The scene object of the list's chosen name, or null for the empty entry or
// a name no object has any more.
CG_GraphicObject* ChosenObject(const CG_GraphicEditor& editor, const gcg_list& controls, const char* label);

}  // namespace zavo
