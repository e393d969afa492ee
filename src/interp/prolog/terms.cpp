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

[[gnu::always_inline]] inline ChainEnd LastVariable(PrologSystem& sys, pVar* v, int frame) {
  // Every link of a chain is a bound, hence trailed, cell: a longer walk can
  // only be a cycle made outside unification.
  int budget = sys.trail.Count() + 1;
  for (;;) {
    pDVar& c = sys.Cell(frame, v->index);
    if (c.term == nullptr || c.term->Tag() != kTypeVar) return {v, frame, &c, false};
    if (budget-- <= 0) [[unlikely]] return {v, frame, &c, true};
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
[[gnu::always_inline]] inline int BindToChain(PrologSystem& sys, pDVar& cell,
                                              const ChainEnd& end) {
  if (end.cell == &cell || end.cycle) return 1;
  if (end.cell->term != nullptr && end.cell->frame != -1) {
    return cell.Set(sys, end.cell->term, end.cell->frame);
  }
  return cell.Set(sys, end.var, end.frame);
}

// The pair (a in lp, b in rp) when it is settled without following a binding
// or descending into arguments: `result` gets the answer and the answer is
// true. Otherwise nothing is done and the answer is false. Both the cases
// and the answers are those of the first round of UnifyIn's loop.
[[gnu::always_inline]] inline bool Settle(PrologSystem& sys, pObj* a, int lp, pObj* b, int rp,
                                          int& result) {
  int ta = a->Tag();
  int tb = b->Tag();
  if (ta == kTypeAnonim || tb == kTypeAnonim) {
    result = 1;
    return true;
  }
  if (ta == kTypeVar) {
    auto* v = static_cast<pVar*>(a);
    pDVar& mine = sys.Cell(lp, v->index);
    if (mine.term == nullptr) {
      result = tb == kTypeVar
                   ? BindToChain(sys, mine, LastVariable(sys, static_cast<pVar*>(b), rp))
                   : mine.Set(sys, b, rp);
      return true;
    }
    if (tb != kTypeVar) return false;
    pDVar& theirs = sys.Cell(rp, static_cast<pVar*>(b)->index);
    if (theirs.term != nullptr) return false;
    result = BindToChain(sys, theirs, LastVariable(sys, v, lp));
    return true;
  }
  if (tb == kTypeVar) {
    pDVar& c = sys.Cell(rp, static_cast<pVar*>(b)->index);
    if (c.term != nullptr) return false;
    result = c.Set(sys, a, lp);
    return true;
  }
  if (ta != tb) {
    result = 0;
    return true;
  }
  if (ta == kTypeNumber) {
    result = static_cast<RealNumber*>(a)->value == static_cast<RealNumber*>(b)->value ? 1 : 0;
    return true;
  }
  if (ta == kTypeAtom) {
    result = static_cast<Atom*>(a)->def == static_cast<Atom*>(b)->def ? 1 : 0;
    return true;
  }
  return false;
}

int UnifyIn(PrologSystem& sys, pObj* a, int lp, pObj* b, int rp);

// One pair of arguments of two compounds being unified at the walk's current
// level: the same as a call of UnifyIn, which counts one level and one node,
// but a pair that is settled at once costs no call.
[[gnu::always_inline]] inline int UnifyArgument(PrologSystem& sys, pObj* a, int lp, pObj* b,
                                                int rp) {
  zavo::TermWalk& walk = sys.unifyWalk;
  ++walk.steps;
  if (walk.depth + 1 > sys.limits.depth || walk.steps > sys.limits.steps) [[unlikely]] {
    throw zavo::xPrologOverflow{};
  }
  int result;
  if (Settle(sys, a, lp, b, rp, result)) return result;
  --walk.steps;
  return UnifyIn(sys, a, lp, b, rp);
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
    int result;
    if (Settle(sys, a, lp, b, rp, result)) return result;
    if (a->Tag() == kTypeVar) {
      // Bound, and b is no unbound variable: follow the binding.
      pDVar& mine = sys.Cell(lp, static_cast<pVar*>(a)->index);
      if (mine.frame != -1) lp = mine.frame;
      a = mine.term;
    } else if (b->Tag() == kTypeVar) {
      pDVar& c = sys.Cell(rp, static_cast<pVar*>(b)->index);
      if (c.frame != -1) rp = c.frame;
      b = c.term;
    } else {
      // Two compounds.
      auto* fa = static_cast<Functor*>(a);
      auto* fb = static_cast<Functor*>(b);
      int n = fa->Arity();
      if (fa->def != fb->def || n != fb->Arity()) return 0;
      if (n == 0) return 1;
      pObj* const* xa = fa->args.Data();
      pObj* const* xb = fb->args.Data();
      for (int i = 0; i < n - 1; ++i) {
        if (!UnifyArgument(sys, xa[i], lp, xb[i], rp)) return 0;
      }
      a = xa[n - 1];
      b = xb[n - 1];
    }
    if (!level.Step()) throw zavo::xPrologOverflow{};
  }
}

}  // namespace

int zavo::UnifyTerms(PrologSystem& sys, pObj* a, pObj* b) {
  return UnifyIn(sys, a, sys.LeftPos, b, sys.RightPos);
}

// ---- pObj

int pObj::IsCompound() const { return 0; }

pObj* pObj::Eval(PrologSystem&, int) { return nullptr; }

int pObj::IsCallable() const { return 0; }

// ---- RealNumber

int RealNumber::Type() const { return kTypeNumber; }

int RealNumber::Unify(PrologSystem& sys, pObj& other) { return zavo::UnifyTerms(sys, this, &other); }

pObj* RealNumber::Eval(PrologSystem&, int mode) {
  return mode == 1 ? new RealNumber(value) : nullptr;
}

// ---- FunctorBase, Atom

int FunctorBase::IsCallable() const { return 1; }

int Atom::Type() const { return kTypeAtom; }

int Atom::Unify(PrologSystem& sys, pObj& other) { return zavo::UnifyTerms(sys, this, &other); }

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

int Functor::Unify(PrologSystem& sys, pObj& other) { return zavo::UnifyTerms(sys, this, &other); }

pObj* Functor::Eval(PrologSystem& sys, int mode) {
  zavo::WalkLevel level(sys.evalWalk, sys.limits);
  if (def == nullptr || !level.Within()) return nullptr;
  return def->Evaluate(sys, mode, args);
}

// ---- pVar

int pVar::Type() const { return kTypeVar; }

int pVar::Unify(PrologSystem& sys, pObj& other) { return zavo::UnifyTerms(sys, this, &other); }

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
