// The printed form of terms.
//
// Numbers in the default stream format, atoms by name, lists as
// "[ a , b | T ]", operator terms as "L op R", " op A" or "A op" with
// parentheses where the operators' order asks for them, other compounds as
// "name(a,b)". In ViewMode 0 variables print by the names of the current
// clause; in ViewMode 1 through their bindings, an unbound one as its name,
// "_" and its frame. A term that holds itself prints "..." where it recurs,
// and so does whatever lies beyond the walk bounds.

#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/runtime_error_box.h"
#include "interp/prolog/definitions.h"
#include "interp/prolog/prolog_system.h"
#include "interp/prolog/terms.h"

using zavo::kTypeAtom;
using zavo::kTypeFunctor;
using zavo::kTypeVar;

namespace {

class ViewFrameGuard {
public:
  explicit ViewFrameGuard(PrologSystem& sys) : sys_(sys), value_(sys.ViewFrame) {}
  ~ViewFrameGuard() { sys_.ViewFrame = value_; }
  ViewFrameGuard(const ViewFrameGuard&) = delete;
  ViewFrameGuard& operator=(const ViewFrameGuard&) = delete;

private:
  PrologSystem& sys_;
  int value_;
};

// The cells whose bound terms are being printed, marked until the marks end.
class CellMarks {
public:
  CellMarks() = default;
  ~CellMarks() {
    for (pDVar* c : cells_) c->printing = false;
  }
  CellMarks(const CellMarks&) = delete;
  CellMarks& operator=(const CellMarks&) = delete;

  // False when the cell is marked already: its term holds itself.
  bool Mark(pDVar& c) {
    if (c.printing) return false;
    c.printing = true;
    cells_.push_back(&c);
    return true;
  }

private:
  std::vector<pDVar*> cells_;
};

// What stands for a term that holds itself, or for the rest of a term beyond
// the walk bounds.
constexpr const char* kElided = "...";

// In ViewMode 1 the term a variable stands for, following its bindings and
// moving ViewFrame along, each cell passed marked in `marks`; any other term
// as it is. Null when the chain meets a cell whose term is being printed.
pObj* Resolve(PrologSystem& sys, pObj* t, CellMarks& marks) {
  if (sys.ViewMode != 1) return t;
  while (t->Type() == kTypeVar) {
    pDVar& c = sys.Cell(sys.ViewFrame, static_cast<pVar*>(t)->index);
    if (c.term == nullptr) break;
    if (!marks.Mark(c)) return nullptr;
    if (c.frame != -1) sys.ViewFrame = c.frame;
    t = c.term;
  }
  return t;
}

// Writes "..." for a walk that went beyond its bounds: for the depth every
// time, for the steps once, the rest of the term being left out.
void OutElided(PrologSystem& sys, std::ostream& os) {
  if (sys.printWalk.steps > sys.limits.steps) {
    if (sys.printWalk.truncated) return;
    sys.printWalk.truncated = true;
  }
  sys.Emit(os, kElided);
}

const char* NameOf(const DFunc* def, const char* what) {
  if (def == nullptr || def->name.Text() == nullptr) RuntimeErrorBox(what);
  return def->name.Text();
}

// The operator a compound prints with, or null for list and functional
// notation: a compound whose arity does not fit its operator's kind (built by
// name, say is(a)) prints in functional notation.
const pOperator* NotationOperator(const PrologSystem& sys, const Functor& f) {
  if (f.def == nullptr || f.def == sys.listDef) return nullptr;
  const pOperator* op = f.def->op;
  if (op == nullptr) return nullptr;
  int wanted = op->kind == zavo::kInfix ? 2 : 1;
  return f.Arity() == wanted ? op : nullptr;
}

// Whether an argument of the operator `op` needs parentheses. `right` marks
// the right argument of an infix operator, which needs none when it carries
// op itself and op groups to the right. Where the operators have no order the
// argument always gets them, so the printed form reads back as the same term.
bool NeedsParentheses(const PrologSystem& sys, const pObj* arg, const pOperator* op,
                      bool right) {
  if (!arg->IsCompound()) return false;
  const pOperator* ao = NotationOperator(sys, *static_cast<const Functor*>(arg));
  if (ao == nullptr) return false;
  switch (zavo::OperatorOrder(ao, op)) {
    case 1:
      return false;
    case 0:
      return !(right && ao == op);
    default:
      return true;
  }
}

// Prints an operator argument, resolved through its bindings in ViewMode 1,
// between `open` and " )" when it needs parentheses.
void OutArgument(PrologSystem& sys, std::ostream& os, pObj* arg, const pOperator* op,
                 bool right, const char* open) {
  ViewFrameGuard guard(sys);
  CellMarks marks;
  pObj* t = Resolve(sys, arg, marks);
  if (t == nullptr) {
    sys.Emit(os, kElided);
    return;
  }
  bool paren = NeedsParentheses(sys, t, op, right);
  if (paren) sys.Emit(os, open);
  t->Out(sys, os);
  if (paren) sys.Emit(os, " )");
}

void OutList(PrologSystem& sys, std::ostream& os, Functor& list, zavo::WalkLevel& level) {
  ViewFrameGuard guard(sys);
  CellMarks marks;
  sys.Emit(os, "[ ");
  list.args[0]->Out(sys, os);
  pObj* tail = list.args[1];
  for (;;) {
    pObj* next = Resolve(sys, tail, marks);
    if (next == nullptr) {
      sys.Emit(os, " | ");
      sys.Emit(os, kElided);
      break;
    }
    if (!level.Step()) {
      if (!sys.printWalk.truncated) sys.Emit(os, " | ");
      OutElided(sys, os);
      break;
    }
    tail = next;
    if (tail->Type() == kTypeFunctor) {
      auto* f = static_cast<Functor*>(tail);
      if (f->def == sys.listDef && f->Arity() == 2) {
        sys.Emit(os, " , ");
        f->args[0]->Out(sys, os);
        tail = f->args[1];
        continue;
      }
    }
    if (tail->Type() == kTypeAtom && static_cast<Atom*>(tail)->def == sys.emptyListDef) break;
    sys.Emit(os, " | ");
    tail->Out(sys, os);
    break;
  }
  sys.Emit(os, " ]");
}

}  // namespace

void RealNumber::Out(PrologSystem& sys, std::ostream& os) {
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text << value;
  sys.Emit(os, text.str());
}

void Atom::Out(PrologSystem& sys, std::ostream& os) {
  sys.Emit(os, NameOf(def, "Atom::Out"));
}

void Anonim::Out(PrologSystem& sys, std::ostream& os) { sys.Emit(os, "_"); }

void pVar::Out(PrologSystem& sys, std::ostream& os) {
  if (sys.ViewMode != 1) {
    if (sys.names == nullptr) RuntimeErrorBox("ListName::[]");
    sys.Emit(os, zavo::NameAt(*sys.names, index));
    return;
  }
  pDVar& c = sys.Cell(sys.ViewFrame, index);
  if (c.term != nullptr) {
    zavo::WalkLevel level(sys.printWalk, sys.limits);
    CellMarks marks;
    if (!level.Within() || !marks.Mark(c)) {
      OutElided(sys, os);
      return;
    }
    ViewFrameGuard guard(sys);
    if (c.frame != -1) sys.ViewFrame = c.frame;
    c.term->Out(sys, os);
    return;
  }
  const Rule* r = sys.stack.Get(sys.ViewFrame).rule;
  if (r == nullptr) RuntimeErrorBox("ListName::[]");
  std::string text = zavo::NameAt(r->names, index);
  text += '_';
  text += std::to_string(sys.ViewFrame);
  sys.Emit(os, text);
}

void Functor::Out(PrologSystem& sys, std::ostream& os) {
  const char* name = NameOf(def, "Atom::Out");
  zavo::WalkLevel level(sys.printWalk, sys.limits);
  if (!level.Within()) {
    OutElided(sys, os);
    return;
  }
  if (def == sys.listDef && Arity() == 2) {
    OutList(sys, os, *this, level);
    return;
  }
  if (const pOperator* op = NotationOperator(sys, *this)) {
    switch (op->kind) {
      case zavo::kInfix:
        OutArgument(sys, os, args[0], op, false, "( ");
        sys.Emit(os, " ");
        sys.Emit(os, name);
        sys.Emit(os, " ");
        OutArgument(sys, os, args[1], op, true, "( ");
        return;
      case zavo::kPrefix:
        sys.Emit(os, " ");
        sys.Emit(os, name);
        sys.Emit(os, " ");
        OutArgument(sys, os, args[0], op, false, "( ");
        return;
      default:
        OutArgument(sys, os, args[0], op, false, " (");
        sys.Emit(os, " ");
        sys.Emit(os, name);
        return;
    }
  }
  sys.Emit(os, name);
  sys.Emit(os, "(");
  for (int i = 0; i < Arity(); ++i) {
    if (i > 0) sys.Emit(os, ",");
    args[i]->Out(sys, os);
  }
  sys.Emit(os, ")");
}
