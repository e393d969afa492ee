#pragma once

// The editor module of the group, keyword "group". It makes and changes no
// group itself; its special commands are the multi-object action of the
// module of the group's first member (the polyline module's "Sweep"), run
// over all members: each member goes to its own module's MOAAdd with the
// matrix that places it, so members whose module has no such action are
// passed over.

#include <memory>

#include "editor/editor_modules.h"

class CG_GroupEditorModule : public CG_ObjectEditorModule {
public:
  // Null: nothing happens.
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  // The command names of the first member's module's action (its MOAName),
  // or 0 with none: an empty group, a first member without a module or
  // without a multi-object action, a member's module refusing its member.
  int SpecialNames(CG_GraphicEditor& editor, Seq<charString>& names, CG_GraphicObject& object) override;
  // Runs command index of that action (its MOARun's answer), or 0 as above.
  // Each member goes with wrapper * (its own transf's matrix); a member
  // without a transf when no wrapper is given goes without a matrix. The
  // group keeps its members whatever happens.
  int RunSpecial(CG_GraphicEditor& editor, int index, CG_GraphicObject*& object,
                 const Transformation* wrapper) override;
};
