#include "interp/prolog/frames.h"

#include <memory>
#include <ostream>

#include "foundation/runtime_error_box.h"
#include "interp/prolog/prolog_system.h"
#include "interp/prolog/rule.h"
#include "interp/prolog/terms.h"

// ---- ValueStackItem

int ValueStackItem::CellCount() const { return cellCount; }

void ValueStackItem::Release(PrologSystem& sys) {
  if (parent != -1) {
    ValueStackItem& p = sys.stack.Get(parent);
    p.goal = saved.goal;
    p.goalTermFrame = saved.goalTermFrame;
    p.ruleCursor = saved.ruleCursor;
    p.step = saved.step;
  }
  sys.trail.Resume(trailMark);
  sys.stack.GiveCells(cellMark);
  cells = nullptr;
  cellCount = 0;
}

// ---- ValueStack

namespace {

// Both stacks are sized in whole blocks of 500 entries, one block more than
// `size` needs when it is a multiple of 500.
int WholeBlocks(int size) { return (size > 0 ? size / 500 + 1 : 1) * 500; }

}  // namespace

ValueStack::ValueStack(int size)
    : items_(std::make_unique<ValueStackItem[]>(static_cast<std::size_t>(WholeBlocks(size)))),
      capacity_(WholeBlocks(size)) {}

void ValueStack::BadIndex() { RuntimeErrorBox("ValueStack::Get"); }

inline void ValueStack::TakeCells(ValueStackItem& f, Rule* rule) {
  int n = rule != nullptr ? zavo::NameCount(rule->names) : 0;
  f.cells = cells_.Take(n, f.cellMark);
  f.cellCount = n;
}

inline ValueStackItem& ValueStack::Push(PrologSystem& sys, int parent) {
  if (count_ >= capacity_) throw zavo::xPrologOverflow{};
  ValueStackItem& f = items_[count_];
  f.rule = nullptr;
  f.cells = nullptr;
  f.cellCount = 0;
  f.cellMark = cells_.Mark();
  f.goalFrame = -1;
  f.goalCell = nullptr;
  f.trailMark = sys.trail.Count();
  f.parent = parent;
  f.cut = 0;
  f.goal = nullptr;
  f.goalTermFrame = -1;
  f.ruleCursor = sys.rules.First();
  f.step = 0;
  if (parent != -1) {
    const ValueStackItem& p = Get(parent);
    f.saved = {p.goal, p.ruleCursor, p.goalTermFrame, p.step};
  } else {
    f.saved = zavo::Continuation{};
  }
  return f;
}

int ValueStack::Add(PrologSystem& sys, Rule* rule, int parent, Rule* next) {
  if (parent == -1) RuntimeErrorBox("ValueStack::Add not first");
  ValueStackItem& f = Push(sys, parent);
  TakeCells(f, rule);
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
  TakeCells(f, rule);
  f.rule = rule;
  f.goal = rule != nullptr ? rule->body : nullptr;
  f.goalTermFrame = count_;
  return count_++;
}

void ValueStack::Pop(PrologSystem& sys) {
  if (count_ <= 0) RuntimeErrorBox("ValueStack::Get");
  --count_;
  items_[count_].Release(sys);
}

void ValueStack::PopTo(PrologSystem& sys, int n) {
  while (count_ > n) Pop(sys);
}

// ---- SignalStack

SignalStack::SignalStack(int size)
    : items_(std::make_unique<pDVar*[]>(static_cast<std::size_t>(WholeBlocks(size)))),
      capacity_(WholeBlocks(size)) {}

int SignalStack::Push(pDVar* cell) {
  if (!TryPush(cell)) throw zavo::xPrologOverflow{};
  return count_;
}

void SignalStack::Resume(int mark) {
  if (mark < 0 || count_ < mark) RuntimeErrorBox("SignalStack::Resume");
  while (count_ > mark) {
    pDVar* c = items_[--count_];
    if (c->frame == -1 && c->term != nullptr) delete c->term;
    c->term = nullptr;
  }
}
