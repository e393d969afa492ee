#include "interp/prolog/term_access.h"

#include "interp/prolog/definitions.h"
#include "interp/prolog/prolog_system.h"

zavo::FramedTerm zavo::Deref(PrologSystem& sys, pObj* t, int frame) {
  while (t != nullptr && t->Tag() == kTypeVar) {
    pDVar& c = sys.Cell(frame, static_cast<pVar*>(t)->index);
    if (c.term == nullptr) break;
    if (c.frame != -1) frame = c.frame;
    t = c.term;
  }
  return {t, frame};
}

const char* zavo::TermName(const pObj* t) {
  if (t == nullptr || !t->IsCallable()) return nullptr;
  const DFunc* def = static_cast<const FunctorBase*>(t)->def;
  return def != nullptr ? def->name.Text() : nullptr;
}

void zavo::WriteTerm(PrologSystem& sys, pObj* t, int frame, std::ostream& os) {
  int mode = sys.ViewMode;
  int view = sys.ViewFrame;
  sys.ViewMode = 1;
  sys.ViewFrame = frame;
  sys.Emit(os, *t);
  sys.ViewMode = mode;
  sys.ViewFrame = view;
}
