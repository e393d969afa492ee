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

// The end of a chain of variables: the last variable reached from a variable
// by following cells bound to variables, with its frame and cell. The cell is
// unbound or bound to a term that is not a variable.
struct ChainEnd {
  pVar* var;
  int frame;
  pDVar* cell;
  // The walk met a cycle of variables (which unification never makes).
  bool cycle;
};

ChainEnd LastVariable(PrologSystem& sys, pVar* v, int frame) {
  // Every link of a chain is a bound, hence trailed, cell: a longer walk can
  // only be a cycle made outside unification.
  int budget = sys.trail.Count() + 1;
  for (;;) {
    pDVar& c = sys.Cell(frame, v->index);
    if (c.term == nullptr || c.term->Tag() != kTypeVar) return {v, frame, &c, false};
    if (budget-- <= 0) return {v, frame, &c, true};
    if (c.frame != -1) frame = c.frame;
    v = static_cast<pVar*>(c.term);
  }
}

// Binds the unbound cell to what the variable chain ending at `end` stands
// for: the term at its end when that term is read in a frame, else (unbound,
// or a term owned by the end's cell) the last variable. Binding past the
// links keeps every chain short: a variable passed down a recursion is one
// link from its value at every depth, not one link per level. When the chain
// ends at the cell itself, the two are already one variable.
int BindToChain(PrologSystem& sys, pDVar& cell, const ChainEnd& end) {
  if (end.cell == &cell || end.cycle) return 1;
  if (end.cell->term != nullptr && end.cell->frame != -1) {
    return cell.Set(sys, end.cell->term, end.cell->frame);
  }
  return cell.Set(sys, end.var, end.frame);
}

// Unifies a (read in frame `lp`) with b (read in frame `rp`).
//
// The cases are those of the term classes: a variable binds or follows its
// binding, a non-variable meeting a variable binds it or follows it, numbers
// compare, atoms compare their definitions, compounds unify their arguments
// pairwise from the first. The last pair of arguments, and every binding
// followed, continue the loop instead of recursing, so a long list costs no
// depth. The frames followed are kept here, not in the system's registers,
// which are the same before and after.
int UnifyIn(PrologSystem& sys, pObj* a, int lp, pObj* b, int rp) {
  zavo::WalkLevel level(sys.unifyWalk, sys.limits);
  if (!level.Within()) throw zavo::xPrologOverflow{};
  for (;;) {
    int ta = a->Tag();
    int tb = b->Tag();
    if (ta == kTypeAnonim || tb == kTypeAnonim) return 1;
    if (ta == kTypeVar) {
      auto* v = static_cast<pVar*>(a);
      pDVar& mine = sys.Cell(lp, v->index);
      if (mine.term == nullptr) {
        if (tb == kTypeVar) {
          return BindToChain(sys, mine, LastVariable(sys, static_cast<pVar*>(b), rp));
        }
        return mine.Set(sys, b, rp);
      }
      if (tb == kTypeVar) {
        pDVar& theirs = sys.Cell(rp, static_cast<pVar*>(b)->index);
        if (theirs.term == nullptr) return BindToChain(sys, theirs, LastVariable(sys, v, lp));
      }
      if (mine.frame != -1) lp = mine.frame;
      a = mine.term;
    } else if (tb == kTypeVar) {
      pDVar& c = sys.Cell(rp, static_cast<pVar*>(b)->index);
      if (c.term == nullptr) return c.Set(sys, a, lp);
      if (c.frame != -1) rp = c.frame;
      b = c.term;
    } else if (ta != tb) {
      return 0;
    } else if (ta == kTypeNumber) {
      return static_cast<RealNumber*>(a)->value == static_cast<RealNumber*>(b)->value ? 1 : 0;
    } else if (ta == kTypeAtom) {
      return static_cast<Atom*>(a)->def == static_cast<Atom*>(b)->def ? 1 : 0;
    } else {
      auto* fa = static_cast<Functor*>(a);
      auto* fb = static_cast<Functor*>(b);
      int n = fa->Arity();
      if (fa->def != fb->def || n != fb->Arity()) return 0;
      if (n == 0) return 1;
      for (int i = 0; i < n - 1; ++i) {
        if (!UnifyIn(sys, fa->args[i], lp, fb->args[i], rp)) return 0;
      }
      a = fa->args[n - 1];
      b = fb->args[n - 1];
    }
    if (!level.Step()) throw zavo::xPrologOverflow{};
  }
}

// Unifies a (read in LeftPos) with b (read in RightPos).
int UnifyTerms(PrologSystem& sys, pObj* a, pObj* b) {
  return UnifyIn(sys, a, sys.LeftPos, b, sys.RightPos);
}

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

int pDVar::Set(PrologSystem& sys, pObj* t, int f) {
  if (!sys.trail.TryPush(this)) return SetOnFullTrail(sys, t, f);
  return Bind(t, f);
}

int pDVar::SetOnFullTrail(PrologSystem& sys, pObj* t, int f) {
  try {
    sys.trail.Push(this);
  } catch (const zavo::xPrologOverflow&) {
    if (f == -1) delete t;
    throw;
  }
  return Bind(t, f);
}

int pDVar::Bind(pObj* t, int f) {
  if (term != nullptr) RuntimeErrorBox("pDVar::Set");
  term = t;
  frame = f;
  return 1;
}
