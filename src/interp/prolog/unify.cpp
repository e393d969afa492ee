// Unification of two terms, each read in its own frame.
//
// The cases are those of the term classes: a variable binds or follows its
// binding, a non-variable meeting a variable binds it or follows it, numbers
// compare, atoms compare their definitions, compounds unify their arguments
// pairwise from the first. The last pair of arguments, and every binding
// followed, continue a loop instead of recursing, so a long list costs no
// depth. The frames followed are kept here, not in the system's registers,
// which are the same before and after.
//
// The walk is counted as term_walk.h describes: every pair of terms that the
// unification of a pair of arguments starts from is one level and one node,
// every binding followed and every last pair of arguments one more node.

#include "interp/prolog/prolog_system.h"
#include "interp/prolog/terms.h"

using zavo::kTypeAnonim;
using zavo::kTypeAtom;
using zavo::kTypeNumber;
using zavo::kTypeVar;

namespace {

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

// The chain from variable `v` of `frame`, whose cell is `c`.
[[gnu::always_inline]] inline ChainEnd LastVariable(PrologSystem& sys, pVar* v, int frame,
                                                    pDVar* c) {
  // Every link of a chain is a bound, hence trailed, cell: a longer walk can
  // only be a cycle made outside unification.
  int budget = sys.trail.Count() + 1;
  for (;;) {
    if (c->term == nullptr || c->term->Tag() != kTypeVar) return {v, frame, c, false};
    if (budget-- <= 0) [[unlikely]] return {v, frame, c, true};
    if (c->frame != -1) frame = c->frame;
    v = static_cast<pVar*>(c->term);
    c = &sys.Cell(frame, v->index);
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

// What one round of the loop does with a pair of terms.
enum class Step {
  kDone,       // settled: the answer is given
  kFollowA,    // the first is a bound variable: follow its cell
  kFollowB,    // the second is: follow its cell
  kCompounds,  // two compounds: compare them and go into their arguments
};

// Settles the pair (a in lp, b in rp) when that needs no binding followed
// and no argument visited (`result` gets the answer); otherwise says what to
// do, with the cell to follow.
[[gnu::always_inline]] inline Step Settle(PrologSystem& sys, pObj* a, int lp, pObj* b, int rp,
                                          int& result, pDVar*& follow) {
  int ta = a->Tag();
  int tb = b->Tag();
  if (ta == kTypeAnonim || tb == kTypeAnonim) {
    result = 1;
    return Step::kDone;
  }
  if (ta == kTypeVar) {
    auto* v = static_cast<pVar*>(a);
    pDVar& mine = sys.Cell(lp, v->index);
    if (mine.term == nullptr) {
      if (tb == kTypeVar) {
        auto* w = static_cast<pVar*>(b);
        result = BindToChain(sys, mine, LastVariable(sys, w, rp, &sys.Cell(rp, w->index)));
      } else {
        result = mine.Set(sys, b, rp);
      }
      return Step::kDone;
    }
    if (tb == kTypeVar) {
      pDVar& theirs = sys.Cell(rp, static_cast<pVar*>(b)->index);
      if (theirs.term == nullptr) {
        result = BindToChain(sys, theirs, LastVariable(sys, v, lp, &mine));
        return Step::kDone;
      }
    }
    follow = &mine;
    return Step::kFollowA;
  }
  if (tb == kTypeVar) {
    pDVar& c = sys.Cell(rp, static_cast<pVar*>(b)->index);
    if (c.term == nullptr) {
      result = c.Set(sys, a, lp);
      return Step::kDone;
    }
    follow = &c;
    return Step::kFollowB;
  }
  if (ta != tb) {
    result = 0;
    return Step::kDone;
  }
  if (ta == kTypeNumber) {
    result = static_cast<RealNumber*>(a)->value == static_cast<RealNumber*>(b)->value ? 1 : 0;
    return Step::kDone;
  }
  if (ta == kTypeAtom) {
    result = static_cast<Atom*>(a)->def == static_cast<Atom*>(b)->def ? 1 : 0;
    return Step::kDone;
  }
  return Step::kCompounds;
}

// One level of the walk below the top: counted in depth while it runs.
class Level {
public:
  explicit Level(zavo::TermWalk& walk) : walk_(walk) { ++walk_.depth; }
  ~Level() { --walk_.depth; }
  Level(const Level&) = delete;
  Level& operator=(const Level&) = delete;

private:
  zavo::TermWalk& walk_;
};

int Unify(PrologSystem& sys, pObj* a, int lp, pObj* b, int rp);

// The rest of the unification of a pair whose first round said `step`, at a
// level whose node is counted.
int Continue(PrologSystem& sys, pObj* a, int lp, pObj* b, int rp, Step step, pDVar* follow) {
  Level level(sys.unifyWalk);
  for (;;) {
    if (step == Step::kFollowA) {
      if (follow->frame != -1) lp = follow->frame;
      a = follow->term;
    } else if (step == Step::kFollowB) {
      if (follow->frame != -1) rp = follow->frame;
      b = follow->term;
    } else {
      auto* fa = static_cast<Functor*>(a);
      auto* fb = static_cast<Functor*>(b);
      int n = fa->Arity();
      if (fa->def != fb->def || n != fb->Arity()) return 0;
      if (n == 0) return 1;
      pObj* const* xa = fa->args.Data();
      pObj* const* xb = fb->args.Data();
      for (int i = 0; i < n - 1; ++i) {
        if (!Unify(sys, xa[i], lp, xb[i], rp)) return 0;
      }
      a = xa[n - 1];
      b = xb[n - 1];
    }
    if (++sys.unifyWalk.steps > sys.limits.steps) throw zavo::xPrologOverflow{};
    int result;
    step = Settle(sys, a, lp, b, rp, result, follow);
    if (step == Step::kDone) return result;
  }
}

// Unifies a (read in lp) with b (read in rp) one level below the current
// one: counts the level and its node, and settles the pair without a call
// when it can.
[[gnu::always_inline]] inline int Unify(PrologSystem& sys, pObj* a, int lp, pObj* b, int rp) {
  zavo::TermWalk& walk = sys.unifyWalk;
  ++walk.steps;
  if (walk.depth + 1 > sys.limits.depth || walk.steps > sys.limits.steps) [[unlikely]] {
    throw zavo::xPrologOverflow{};
  }
  int result;
  pDVar* follow = nullptr;
  Step step = Settle(sys, a, lp, b, rp, result, follow);
  if (step == Step::kDone) return result;
  return Continue(sys, a, lp, b, rp, step, follow);
}

}  // namespace

int zavo::UnifyTerms(PrologSystem& sys, pObj* a, pObj* b) {
  // A new top-level walk starts a new count.
  zavo::TermWalk& walk = sys.unifyWalk;
  if (walk.depth == 0) {
    walk.steps = 0;
    walk.truncated = false;
  }
  return Unify(sys, a, sys.LeftPos, b, sys.RightPos);
}
