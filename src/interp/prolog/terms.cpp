#include "interp/prolog/terms.h"

#include "foundation/runtime_error_box.h"
#include "interp/prolog/definitions.h"
#include "interp/prolog/prolog_system.h"

using zavo::kTypeAnonim;
using zavo::kTypeAtom;
using zavo::kTypeFunctor;
using zavo::kTypeNumber;
using zavo::kTypeVar;

namespace {

// Puts a register back when the scope ends, also when an overflow unwinds.
class RegisterGuard {
public:
  explicit RegisterGuard(int& r) : reg_(r), value_(r) {}
  ~RegisterGuard() { reg_ = value_; }
  RegisterGuard(const RegisterGuard&) = delete;
  RegisterGuard& operator=(const RegisterGuard&) = delete;

private:
  int& reg_;
  int value_;
};

// True when the variable v, read in `frame`, is the cell `target` or is bound
// to it through a chain of variables. Binding target to v would then close a
// cycle of variables (X = Y, Y = X): the two are already one variable.
bool ChainReaches(PrologSystem& sys, pVar* v, int frame, const pDVar* target) {
  // Every link of a chain is a bound, hence trailed, cell: a longer walk can
  // only be a cycle made outside unification.
  int budget = sys.trail.Count() + 1;
  for (;;) {
    pDVar& c = sys.Cell(frame, v->index);
    if (&c == target || budget-- <= 0) return true;
    if (c.term == nullptr || c.term->Type() != kTypeVar) return false;
    if (c.frame != -1) frame = c.frame;
    v = static_cast<pVar*>(c.term);
  }
}

// A non-variable s (read in LeftPos) meets the variable w (read in RightPos):
// follow w's binding, or bind w to s.
int BindOrFollow(PrologSystem& sys, pObj& s, pVar& w) {
  pDVar& c = sys.Cell(sys.RightPos, w.index);
  if (c.term != nullptr) {
    RegisterGuard guard(sys.RightPos);
    if (c.frame != -1) sys.RightPos = c.frame;
    return s.Unify(sys, *c.term);
  }
  return c.Set(sys, &s, sys.LeftPos);
}

}  // namespace

// ---- pObj

int pObj::IsCompound() const { return 0; }

pObj* pObj::Eval(PrologSystem&, int) { return nullptr; }

int pObj::IsCallable() const { return 0; }

// ---- RealNumber

int RealNumber::Type() const { return kTypeNumber; }

int RealNumber::Unify(PrologSystem& sys, pObj& other) {
  switch (other.Type()) {
    case kTypeAnonim:
      return 1;
    case kTypeVar:
      return BindOrFollow(sys, *this, static_cast<pVar&>(other));
    case kTypeNumber:
      return value == static_cast<RealNumber&>(other).value ? 1 : 0;
    default:
      return 0;
  }
}

pObj* RealNumber::Eval(PrologSystem&, int mode) {
  return mode == 1 ? new RealNumber(value) : nullptr;
}

// ---- FunctorBase, Atom

int FunctorBase::IsCallable() const { return 1; }

int Atom::Type() const { return kTypeAtom; }

int Atom::Unify(PrologSystem& sys, pObj& other) {
  switch (other.Type()) {
    case kTypeAnonim:
      return 1;
    case kTypeVar:
      return BindOrFollow(sys, *this, static_cast<pVar&>(other));
    case kTypeAtom:
      return def == static_cast<Atom&>(other).def ? 1 : 0;
    default:
      return 0;
  }
}

pObj* Atom::Eval(PrologSystem& sys, int mode) {
  if (def == nullptr) return nullptr;
  Seq<pObj*> none;
  return def->Evaluate(sys, mode, none);
}

// ---- Functor

Functor::Functor(DFunc* d, int arity) : FunctorBase(d), args(arity) {
  for (int i = 0; i < arity; ++i) args[i] = nullptr;
}

Functor::~Functor() {
  for (int i = 0; i < Arity(); ++i) delete args[i];
}

int Functor::IsCompound() const { return 1; }

int Functor::Type() const { return kTypeFunctor; }

int Functor::Unify(PrologSystem& sys, pObj& other) {
  switch (other.Type()) {
    case kTypeAnonim:
      return 1;
    case kTypeVar:
      return BindOrFollow(sys, *this, static_cast<pVar&>(other));
    case kTypeFunctor: {
      auto& f = static_cast<Functor&>(other);
      if (def != f.def || Arity() != f.Arity()) return 0;
      for (int i = 0; i < Arity(); ++i) {
        if (!args[i]->Unify(sys, *f.args[i])) return 0;
      }
      return 1;
    }
    default:
      return 0;
  }
}

pObj* Functor::Eval(PrologSystem& sys, int mode) {
  if (def == nullptr) return nullptr;
  return def->Evaluate(sys, mode, args);
}

// ---- pVar

int pVar::Type() const { return kTypeVar; }

int pVar::Unify(PrologSystem& sys, pObj& other) {
  if (other.Type() == kTypeAnonim) return 1;
  pDVar& mine = sys.Cell(sys.LeftPos, index);
  if (mine.term == nullptr) {
    if (other.Type() == kTypeVar &&
        ChainReaches(sys, static_cast<pVar*>(&other), sys.RightPos, &mine)) {
      return 1;
    }
    return mine.Set(sys, &other, sys.RightPos);
  }
  if (other.Type() == kTypeVar) {
    pDVar& theirs = sys.Cell(sys.RightPos, static_cast<pVar&>(other).index);
    if (theirs.term == nullptr) {
      if (ChainReaches(sys, this, sys.LeftPos, &theirs)) return 1;
      return theirs.Set(sys, this, sys.LeftPos);
    }
  }
  RegisterGuard guard(sys.LeftPos);
  if (mine.frame != -1) sys.LeftPos = mine.frame;
  return mine.term->Unify(sys, other);
}

pObj* pVar::Eval(PrologSystem& sys, int mode) {
  pDVar& c = sys.Cell(sys.ViewFrame, index);
  if (c.term == nullptr) return nullptr;
  RegisterGuard guard(sys.ViewFrame);
  if (c.frame != -1) sys.ViewFrame = c.frame;
  return c.term->Eval(sys, mode);
}

// ---- Anonim

int Anonim::Type() const { return kTypeAnonim; }

int Anonim::Unify(PrologSystem&, pObj&) { return 1; }

// ---- pDVar

int pDVar::Set(PrologSystem& sys, pObj* t, int f) {
  try {
    sys.trail.Push(this);
  } catch (const zavo::xPrologOverflow&) {
    if (f == -1) delete t;
    throw;
  }
  if (term != nullptr) RuntimeErrorBox("pDVar::Set");
  term = t;
  frame = f;
  return 1;
}
