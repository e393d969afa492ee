#include "interp/prolog/frames.h"

#include <ostream>

#include "foundation/runtime_error_box.h"
#include "interp/prolog/prolog_system.h"
#include "interp/prolog/rule.h"
#include "interp/prolog/terms.h"

// ---- ValueStackItem

int ValueStackItem::CellCount() const {
  return rule != nullptr ? zavo::NameCount(rule->names) : 0;
}

void ValueStackItem::Release(PrologSystem& sys) {
  if (parent != -1) {
    ValueStackItem& p = sys.stack.Get(parent);
    p.goal = saved.goal;
    p.goalTermFrame = saved.goalTermFrame;
    p.ruleCursor = saved.ruleCursor;
    p.step = saved.step;
  }
  sys.trail.Resume(trailMark);
  delete[] cells;
  cells = nullptr;
}

// ---- ValueStack

ValueStack::ValueStack(int size) : items_(size) {}

ValueStackItem& ValueStack::Push(PrologSystem& sys, int parent) {
  if (count_ >= Capacity()) throw zavo::xPrologOverflow{};
  ValueStackItem& f = items_.v(count_);
  f = ValueStackItem{};
  f.trailMark = sys.trail.Count();
  f.parent = parent;
  if (parent != -1) {
    ValueStackItem& p = Get(parent);
    f.saved.goal = p.goal;
    f.saved.goalTermFrame = p.goalTermFrame;
    f.saved.ruleCursor = p.ruleCursor;
    f.saved.step = p.step;
  }
  f.ruleCursor = sys.rules.First();
  return f;
}

int ValueStack::Add(PrologSystem& sys, Rule* rule, int parent, Rule* next) {
  if (parent == -1) RuntimeErrorBox("ValueStack::Add not first");
  ValueStackItem& f = Push(sys, parent);
  int n = rule != nullptr ? zavo::NameCount(rule->names) : 0;
  f.cells = n > 0 ? new pDVar[n] : nullptr;
  f.rule = rule;
  f.goal = rule != nullptr ? rule->body : nullptr;
  f.goalTermFrame = count_;
  f.saved.ruleCursor = next;
  return count_++;
}

int ValueStack::Add(PrologSystem& sys, pDVar* goalCell, int parent, Rule* next) {
  if (parent == -1) RuntimeErrorBox("ValueStack::Add not first");
  ValueStackItem& f = Push(sys, parent);
  f.goalCell = goalCell;
  f.goalFrame = sys.RightPos;
  int frame = goalCell->frame;
  pObj* t = goalCell->term;
  f.goal = nullptr;
  while (t != nullptr) {
    if (t->IsCallable()) {
      f.goal = t;
      break;
    }
    if (t->Type() != zavo::kTypeVar) break;
    pDVar& c = sys.Cell(frame, static_cast<pVar*>(t)->index);
    if (c.frame != -1) frame = c.frame;
    t = c.term;
  }
  f.goalTermFrame = f.goal != nullptr ? frame : -1;
  f.saved.ruleCursor = next;
  return count_++;
}

int ValueStack::Add(PrologSystem& sys, Rule* rule) {
  ValueStackItem& f = Push(sys, -1);
  int n = rule != nullptr ? zavo::NameCount(rule->names) : 0;
  f.cells = n > 0 ? new pDVar[n] : nullptr;
  f.rule = rule;
  f.goal = rule != nullptr ? rule->body : nullptr;
  f.goalTermFrame = count_;
  return count_++;
}

ValueStackItem& ValueStack::Get(int i) {
  if (i < 0 || i >= count_) RuntimeErrorBox("ValueStack::Get");
  return items_.v(i);
}

void ValueStack::Pop(PrologSystem& sys) {
  if (count_ <= 0) RuntimeErrorBox("ValueStack::Get");
  --count_;
  items_.v(count_).Release(sys);
}

void ValueStack::PopTo(PrologSystem& sys, int n) {
  while (count_ > n) Pop(sys);
}

// ---- SignalStack

SignalStack::SignalStack(int size) : items_(size) {}

int SignalStack::Push(pDVar* cell) {
  if (count_ >= Capacity()) throw zavo::xPrologOverflow{};
  items_.v(count_) = cell;
  return ++count_;
}

void SignalStack::Resume(int mark) {
  if (mark < 0 || count_ < mark) RuntimeErrorBox("SignalStack::Resume");
  while (count_ > mark) {
    pDVar* c = items_.v(--count_);
    if (c->frame == -1 && c->term != nullptr) delete c->term;
    c->term = nullptr;
  }
}
