#include "interp/prolog/terms.h"

#include <vector>

#include "foundation/runtime_error_box.h"
#include "interp/prolog/definitions.h"
#include "interp/prolog/prolog_system.h"

using zavo::kTypeAnonim;
using zavo::kTypeAtom;
using zavo::kTypeFunctor;
using zavo::kTypeNumber;
using zavo::kTypeVar;
using zavo::UnifyTerms;

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

}  // namespace

// ---- pObj

int pObj::IsCompound() const { return 0; }

pObj* pObj::Eval(PrologSystem&, int) { return nullptr; }

int pObj::IsCallable() const { return 0; }

// ---- RealNumber

int RealNumber::Type() const { return kTypeNumber; }

int RealNumber::Unify(PrologSystem& sys, pObj& other) { return UnifyTerms(sys, this, &other); }

pObj* RealNumber::Eval(PrologSystem&, int mode) {
  return mode == 1 ? new RealNumber(value) : nullptr;
}

// ---- FunctorBase, Atom

int FunctorBase::IsCallable() const { return 1; }

int Atom::Type() const { return kTypeAtom; }

int Atom::Unify(PrologSystem& sys, pObj& other) { return UnifyTerms(sys, this, &other); }

pObj* Atom::Eval(PrologSystem& sys, int mode) {
  if (def == nullptr) return nullptr;
  Seq<pObj*> none;
  return def->Evaluate(sys, mode, none);
}

// ---- Functor

Functor::Functor(DFunc* d, int arity) : FunctorBase(d, kTypeFunctor), args(arity) {
  for (int i = 0; i < arity; ++i) args[i] = nullptr;
}

Functor::~Functor() {
  // Arguments that are compounds are emptied before they are deleted, and
  // their arguments handled here in turn: a term of any depth is destroyed
  // without recursion.
  std::vector<pObj*> pending;
  auto take = [&pending](Functor& f) {
    for (int i = 0; i < f.Arity(); ++i) {
      pObj* a = f.args[i];
      f.args[i] = nullptr;
      if (a == nullptr) continue;
      if (a->Tag() == kTypeFunctor) {
        pending.push_back(a);
      } else {
        delete a;
      }
    }
  };
  take(*this);
  while (!pending.empty()) {
    auto* f = static_cast<Functor*>(pending.back());
    pending.pop_back();
    take(*f);
    delete f;
  }
}

int Functor::IsCompound() const { return 1; }

int Functor::Type() const { return kTypeFunctor; }

int Functor::Unify(PrologSystem& sys, pObj& other) { return UnifyTerms(sys, this, &other); }

pObj* Functor::Eval(PrologSystem& sys, int mode) {
  zavo::WalkLevel level(sys.evalWalk, sys.limits);
  if (def == nullptr || !level.Within()) return nullptr;
  return def->Evaluate(sys, mode, args);
}

// ---- pVar

int pVar::Type() const { return kTypeVar; }

int pVar::Unify(PrologSystem& sys, pObj& other) { return UnifyTerms(sys, this, &other); }

pObj* pVar::Eval(PrologSystem& sys, int mode) {
  // The chain of bindings is followed in a loop: only compounds nest.
  int frame = sys.ViewFrame;
  pObj* t = this;
  while (t->Tag() == kTypeVar) {
    pDVar& c = sys.Cell(frame, static_cast<pVar*>(t)->index);
    if (c.term == nullptr) return nullptr;
    if (!zavo::WalkLevel::CountStep(sys.evalWalk, sys.limits)) return nullptr;
    if (c.frame != -1) frame = c.frame;
    t = c.term;
  }
  RegisterGuard guard(sys.ViewFrame);
  sys.ViewFrame = frame;
  return t->Eval(sys, mode);
}

// ---- Anonim

int Anonim::Type() const { return kTypeAnonim; }

int Anonim::Unify(PrologSystem&, pObj&) { return 1; }

// ---- pDVar

int pDVar::SetOnFullTrail(PrologSystem& sys, pObj* t, int f) {
  try {
    sys.trail.Push(this);
  } catch (const zavo::xPrologOverflow&) {
    if (f == -1) delete t;
    throw;
  }
  return Bind(t, f);
}

void pDVar::BoundTwice() { RuntimeErrorBox("pDVar::Set"); }
