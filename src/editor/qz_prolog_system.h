#pragma once

// The editor document's Prolog system: an interpreter with stacks of 10000
// entries each, bound to its document at construction. The scene predicates,
// the host link and the log join it with the Prolog bridge of the editor.

#include "interp/prolog/prolog_system.h"

class CG_GraphicEditor;

class QZPrologSystem : public PrologSystem {
public:
  QZPrologSystem() : PrologSystem(10000, 10000) {}

  // Records the editor on which the scene predicates act.
  void SetEditor(CG_GraphicEditor* editor) { editor_ = editor; }
  CG_GraphicEditor* GetEditor() const { return editor_; }

private:
  CG_GraphicEditor* editor_ = nullptr;
};
