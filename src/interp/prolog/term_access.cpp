#include "interp/prolog/term_access.h"

#include <locale>
#include <sstream>

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

std::string zavo::TermText(PrologSystem& sys, pObj* t, int frame) {
  std::ostringstream text;
  text.imbue(std::locale::classic());
  // Without a host the routing writes to the given stream.
  PrologInterface* host = sys.host;
  sys.host = nullptr;
  try {
    WriteTerm(sys, t, frame, text);
  } catch (...) {
    sys.host = host;
    throw;
  }
  sys.host = host;
  return text.str();
}
