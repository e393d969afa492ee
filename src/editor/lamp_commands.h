#pragma once

// What the lamp commands of the editor share: choosing a lamp of the lamp
// list by name, looking it up, and finding the lamp editor module that
// edits it.

#include <memory>

#include "foundation/char_string.h"
#include "foundation/seq.h"

class CG_GraphicEditor;
class CG_LampEditorModule;
class CG_LightSource;

namespace zavo {

// The chooser, cleared and given the name of every lamp of the lamp list in
// list order, under the title: the chosen name, or null on cancel.
charString ChooseLamp(CG_GraphicEditor& editor, const char* title);

// The first lamp of the lamp list with the name. The name comes from the
// list itself: one that no lamp has is an internal error ("non qui").
CG_LightSource& ChosenLamp(CG_GraphicEditor& editor, const charString& name);

// The last lamp module of the lamp's keyword, and in target the lamp it
// works on: the lamp itself, or for a transform lamp its inner lamp (whose
// keyword then names the module). A null keyword shows "cannot get module
// name.", a transform lamp without an inner lamp "Cannot change
// object.\nGTranf has not the object"; null then, and null without a module.
CG_LampEditorModule* LampModuleFor(CG_GraphicEditor& editor, CG_LightSource& lamp, CG_LightSource*& target);

// Puts back a lamp that was detached from the lamp list for its module and
// draws the mark of the lamp now in the list. A new lamp the module made
// (made, may be null) takes its place and the detached one is destroyed;
// when the list refuses the new lamp (its name is taken) it is destroyed,
// the detached lamp comes back and refused is set.
void PutLampBack(CG_GraphicEditor& editor, std::unique_ptr<CG_LightSource> detached,
                 std::unique_ptr<CG_LightSource> made, bool& refused);

// The index of the first entry equal to the text; -1 for none.
int IndexOf(const Seq<charString>& entries, const charString& text);

}  // namespace zavo
