// The resolution engine: depth first, left to right, clauses in stored order,
// with cut, deterministic built-in predicates and goals held in variables.
//
// Frames stay on the stack when their goals succeed: a finished frame is the
// choice point of the goal that made it, and popping it gives the calling
// frame back that goal with the clause after the one it used. A frame's goal
// is read in its `goalTermFrame`: its own index for a clause frame, the frame
// of the bound term for a frame made for a variable goal.
//
// The cut pushes a marker whose parent is the frame of the clause that holds
// the cut; backtracking onto a marker pops that frame and everything above
// it, so neither the clause's alternatives nor the choice points made since
// the clause began are tried again.

#include <cstring>
#include <ostream>

#include "foundation/runtime_error_box.h"
#include "interp/prolog/prolog_system.h"
#include "interp/prolog/term_access.h"

namespace {

bool IsCutGoal(const pObj* goal) {
  if (goal->Tag() != zavo::kTypeAtom) return false;
  const DFunc* def = static_cast<const Atom*>(goal)->def;
  return def != nullptr && def->cut;
}

// Puts the registers back when the scope ends.
class Registers {
public:
  explicit Registers(PrologSystem& sys)
      : sys_(sys), left_(sys.LeftPos), mode_(sys.ViewMode), frame_(sys.ViewFrame) {}
  ~Registers() {
    sys_.LeftPos = left_;
    sys_.ViewMode = mode_;
    sys_.ViewFrame = frame_;
  }
  Registers(const Registers&) = delete;
  Registers& operator=(const Registers&) = delete;

private:
  PrologSystem& sys_;
  int left_;
  int mode_;
  int frame_;
};

// Marks a search in progress.
class Solving {
public:
  explicit Solving(bool& flag) : flag_(flag) { flag_ = true; }
  ~Solving() { flag_ = false; }
  Solving(const Solving&) = delete;
  Solving& operator=(const Solving&) = delete;

private:
  bool& flag_;
};

}  // namespace

void PrologSystem::ToHost(const std::string& text) {
  if (host != nullptr) {
    host->Output(text);
  } else {
    Emit(*out, text);
  }
}

bool PrologSystem::IsConjunction(const pObj* goal) const {
  if (goal == nullptr || goal->Tag() != zavo::kTypeFunctor) return false;
  auto* f = static_cast<const Functor*>(goal);
  return f->def == conjunction_ && f->Arity() == 2;
}

int PrologSystem::GoalFrame(const ValueStackItem& f, int index) const {
  // A term owned by a cell (frame -1) has no variables: any frame reads it.
  return f.goalTermFrame >= 0 ? f.goalTermFrame : index;
}

void PrologSystem::TraceTerm(pObj* t, int frame) {
  Registers keep(*this);
  ViewMode = 1;
  ViewFrame = frame;
  Emit(*log, *t);
}

void PrologSystem::Solve(Rule* query) {
  if (solving_) RuntimeErrorBox("PrologSystem::Solve");
  Solving running(solving_);
  Poll();
  succeeded_ = 0;
  stack.PopTo(*this, 0);
  trail.Resume(0);
  PurgeRemoved();
  if (query == nullptr) return;
  query_ = query;
  try {
    current_ = stack.Add(*this, query);
    RightPos = current_;
    if (debug) [[unlikely]] stack.Dump(*this, *log);
    for (;;) {
      if (Poll()) break;
      if (debug) [[unlikely]] *log << "Forward to " << current_ << "\n";
      int rc = Forward(current_);
      if (rc == 0) continue;
      if (rc == 1) {
        ValueStackItem& f = stack.Get(current_);
        if (f.parent != -1) {
          ValueStackItem& p = stack.Get(f.parent);
          if (IsConjunction(f.saved.goal)) {
            p.goal = static_cast<Functor*>(f.saved.goal)->args[1];
            p.ruleCursor = rules.First();
          } else {
            p.goal = nullptr;
          }
          p.step = 0;
          current_ = f.parent;
          continue;
        }
        if (debug) [[unlikely]] {
          *log << "successo\n";
          stack.Dump(*this, *log);
        }
        succeeded_ = 1;
        PrintSolution();
      }
      if (!Backtrack()) break;
    }
  } catch (const zavo::xPrologOverflow&) {
    Emit(*out, "Prolog stack overflow\n");
    stack.PopTo(*this, 0);
    trail.Resume(0);
    succeeded_ = 0;
  }
  PurgeRemoved();
  query_ = nullptr;
}

bool PrologSystem::Backtrack() {
  if (stack.Count() == 0) return false;
  // Backtracking onto a cut marker pops the frame of the clause that made it
  // and everything above; a marker reached that way is performed in turn.
  for (;;) {
    int top = stack.Count() - 1;
    ValueStackItem& t = stack.Get(top);
    if (!t.cut) break;
    if (debug) [[unlikely]] *log << "performing cut from " << top << " to " << t.parent << "\n";
    stack.PopTo(*this, t.parent < 0 ? 0 : t.parent);
    if (stack.Count() == 0) return false;
  }
  int b = stack.Get(stack.Count() - 1).parent;
  if (debug) [[unlikely]] *log << "Backtracking to " << b << "\n";
  stack.Pop(*this);
  current_ = b;
  if (b == -1) return false;
  if (debug && stack.Get(b).goalCell != nullptr) *log << "!!Backtracking on a variable!!\n";
  return true;
}

int PrologSystem::Forward(int frame) {
  ValueStackItem& f = stack.Get(frame);
  if (debug) [[unlikely]] {
    *log << "Forward( " << frame << " )\n";
    *log << "RightPos " << RightPos << "\n";
    *log << "LeftPos " << LeftPos << "\n";
    if (f.goalCell != nullptr) *log << "variable case\n";
  }
  pObj* goal = f.goal;
  if (goal == nullptr) {
    if (debug) [[unlikely]] *log << "nothing to do\n";
    return 1;
  }
  if (goal->Tag() == zavo::kTypeVar) return CallVariable(frame, static_cast<pVar*>(goal), nullptr);
  // A number has no definition to ask: it matches nothing.
  if (!goal->TagCallable() || static_cast<FunctorBase*>(goal)->def == nullptr) return -1;
  int goalFrame = GoalFrame(f, frame);
  if (static_cast<FunctorBase*>(goal)->def->predicate) {
    if (debug) [[unlikely]] *log << "run predicat\n";
    return RunPredicate(goal, goalFrame) ? 1 : -1;
  }
  if (IsCutGoal(goal)) {
    Cut(frame);
    f.goal = nullptr;
    return 0;
  }
  if (IsConjunction(goal)) return StepConjunction(frame);
  if (debug) [[unlikely]] {
    *log << "Analizing: ";
    TraceTerm(goal, goalFrame);
    *log << "\n";
  }
  int rc = Search(frame, goal, goalFrame);
  f.goal = nullptr;
  f.step = 0;
  return rc;
}

int PrologSystem::StepConjunction(int frame) {
  ValueStackItem& f = stack.Get(frame);
  auto* conjunction = static_cast<Functor*>(f.goal);
  pObj* first = conjunction->args[0];
  pObj* rest = conjunction->args[1];
  int goalFrame = GoalFrame(f, frame);
  if (debug) [[unlikely]] {
    *log << "Analizing  [,] ";
    TraceTerm(conjunction, goalFrame);
    *log << "\n : ";
  }

  if (first->Tag() == zavo::kTypeVar) return CallVariable(frame, static_cast<pVar*>(first), rest);

  if (debug) [[unlikely]] {
    TraceTerm(first, goalFrame);
    *log << "\n";
  }
  // The anonymous variable as a goal is an unbound variable.
  if (first->Tag() == zavo::kTypeAnonim) return -1;
  if (first->TagCallable() && static_cast<FunctorBase*>(first)->def == nullptr) return -1;
  if (first->TagCallable() && static_cast<FunctorBase*>(first)->def->predicate) {
    if (debug) [[unlikely]] *log << "run predicat\n";
    int ok = RunPredicate(first, goalFrame);
    f.ruleCursor = rules.First();
    f.goal = rest;
    f.step = 0;
    return ok ? 0 : -1;
  }
  if (IsCutGoal(first)) {
    Cut(frame);
    f.goal = rest;
    f.step = 0;
    return 0;
  }
  int rc = Search(frame, first, goalFrame);
  f.goal = rest;
  f.ruleCursor = rules.First();
  f.step = 0;
  return rc;
}

int PrologSystem::CallVariable(int frame, pVar* goal, pObj* rest) {
  ValueStackItem& f = stack.Get(frame);
  // A variable frame once popped leaves its caller marked, so that the
  // variable goal is not run a second time.
  if (f.step != 0) return -1;
  int goalFrame = GoalFrame(f, frame);
  pDVar& cell = Cell(goalFrame, goal->index);
  if (debug) [[unlikely]] {
    *log << "Variable ";
    if (cell.term != nullptr) {
      TraceTerm(cell.term, cell.frame != -1 ? cell.frame : goalFrame);
    } else {
      *log << "???";
    }
    *log << "\n";
  }
  // The chain of bindings must reach a callable term.
  zavo::FramedTerm t = zavo::Deref(*this, goal, goalFrame);
  if (!t.term->IsCallable()) return -1;
  int v = stack.Add(*this, &cell, frame, nullptr);
  stack.Get(v).saved.step = 1;
  RightPos = v;
  f.goal = rest;
  f.ruleCursor = rules.First();
  f.step = 0;
  current_ = v;
  return 0;
}

int PrologSystem::Search(int frame, pObj* goal, int goalFrame) {
  ValueStackItem& f = stack.Get(frame);
  LeftPos = goalFrame;
  if (f.ruleCursor == nullptr) return -1;
  Rule* c = Find(goal, f.ruleCursor, frame);
  if (debug) [[unlikely]] {
    *log << "Esito ricerca ";
    if (c != nullptr) {
      WriteClause(c, *log);
    } else {
      *log << "NULL";
    }
    *log << "\n";
    stack.Dump(*this, *log);
  }
  if (c == nullptr) return -1;
  current_ = RightPos;
  return 0;
}

int PrologSystem::RunPredicate(pObj* goal, int frame) {
  auto* def = static_cast<DFuncPred*>(static_cast<FunctorBase*>(goal)->def);
  if (def->fn == nullptr) return 0;
  int left = LeftPos;
  LeftPos = frame;
  int ok;
  try {
    if (goal->Tag() == zavo::kTypeFunctor) {
      ok = def->fn(*this, static_cast<Functor*>(goal)->args);
    } else {
      Seq<pObj*> none;
      ok = def->fn(*this, none);
    }
  } catch (...) {
    LeftPos = left;
    throw;
  }
  LeftPos = left;
  return ok;
}

void PrologSystem::Cut(int frame) {
  ValueStackItem& f = stack.Get(frame);
  int marker = stack.Add(*this, static_cast<Rule*>(nullptr), frame, f.ruleCursor);
  RightPos = marker;
  stack.Get(marker).cut = 1;
  f.ruleCursor = rules.First();
}

void PrologSystem::PrintSolution() {
  if (query_ == nullptr) return;
  Registers keep(*this);
  ListofNames* previous = names;
  names = &query_->names;
  for (int i = 0; i < zavo::NameCount(query_->names); ++i) {
    Emit(*out, zavo::NameAt(query_->names, i));
    Emit(*out, " = ");
    pDVar& c = Cell(0, i);
    if (c.term == nullptr) {
      Emit(*out, "???");
    } else {
      // The cell is being printed: a term that holds it shows "..." there.
      c.printing = true;
      ViewMode = 1;
      ViewFrame = c.frame != -1 ? c.frame : 0;
      Emit(*out, *c.term);
      c.printing = false;
    }
    Emit(*out, "\n");
  }
  names = previous;
}

void PrologSystem::Answer() { Emit(*out, succeeded_ ? "yes\n" : "no\n"); }
