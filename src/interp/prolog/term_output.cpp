// The printed form of terms.
//
// Numbers in the default stream format, atoms by name, lists as
// "[ a , b | T ]", operator terms as "L op R", " op A" or "A op" with
// parentheses where the operators' order asks for them, other compounds as
// "name(a,b)". In ViewMode 0 variables print by the names of the current
// clause; in ViewMode 1 through their bindings, an unbound one as its name,
// "_" and its frame. A term that holds itself prints "..." where it recurs,
// and so does whatever lies beyond the walk bounds.

#include <charconv>
#include <locale>
#include <system_error>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/runtime_error_box.h"
#include "interp/prolog/definitions.h"
#include "interp/prolog/prolog_system.h"
#include "interp/prolog/term_access.h"
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

// The value in the default floating-point format with `precision`
// significant digits.
std::string NumberText(double v, int precision) {
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text.precision(precision);
  text << v;
  return text.str();
}

// Whether the text reads as exactly the value (as the reader takes numbers).
bool ReadsBackAs(const std::string& text, double v) {
  double read = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
  return error == std::errc() && end == text.data() + text.size() && read == v;
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

// Where an operand stands: on the left of its operator (the left argument of
// an infix operator, the argument of a postfix one) or on its right (the
// right argument of an infix operator, the argument of a prefix one).
enum class Side { kLeft, kRight };

// How many operator terms the parenthesis check of one operand looks at.
constexpr int kSpineBudget = 1000;

// The parenthesis check of one operand.
struct SpineCheck {
  PrologSystem& sys;
  int budget = kSpineBudget;
  bool exhausted = false;
};

// The term t read in `frame` stands for: in ViewMode 1 through its bindings,
// `frame` moved along.
pObj* Follow(PrologSystem& sys, pObj* t, int& frame) {
  if (sys.ViewMode != 1) return t;
  zavo::FramedTerm d = zavo::Deref(sys, t, frame);
  frame = d.frame;
  return d.term;
}

// Whether the operand `arg` of the operator `op`, printed without
// parentheses, would read back as another tree.
//
// The reader decides by the order of two operators (zavo::OperatorOrder). An
// operand on the left leaves the operators of its right edge on the stack
// when op arrives: each must be reduced before op. An operand on the right
// brings the operators of its left edge while op is on the stack: op must be
// reduced before none of them. The edge runs from the operand's own operator
// into the operand on that side, as long as that one is printed without
// parentheses itself; a prefix operator on the left edge is pushed without
// comparing and ends it. So a - (b - c), (a , b) , c and x / -b * y (where
// -b * y is the right operand) keep their parentheses, a - b - c and
// a , b , c need none. Beyond the budget the answer is yes.
bool Exposed(SpineCheck& check, pObj* arg, int frame, const pOperator* op, Side side, bool top) {
  for (;;) {
    arg = Follow(check.sys, arg, frame);
    if (!arg->IsCompound()) return false;
    auto& f = *static_cast<Functor*>(arg);
    const pOperator* ao = NotationOperator(check.sys, f);
    if (ao == nullptr) return false;
    if (--check.budget < 0) {
      check.exhausted = true;
      return true;
    }
    pObj* next;
    if (side == Side::kLeft) {
      if (zavo::OperatorOrder(ao, op) != 1) return true;
      if (ao->kind == zavo::kPostfix) return false;
      next = f.args[ao->kind == zavo::kInfix ? 1 : 0];
      if (Exposed(check, next, frame, ao, Side::kRight, true)) return check.exhausted;
    } else {
      // An operand that is itself a prefix term keeps the order check.
      if (ao->kind == zavo::kPrefix) return top && zavo::OperatorOrder(op, ao) != 0;
      if (zavo::OperatorOrder(op, ao) != 0) return true;
      next = f.args[0];
      if (Exposed(check, next, frame, ao, Side::kLeft, true)) return check.exhausted;
    }
    arg = next;
    top = false;
  }
}

// Whether an operand of `op`, read in ViewFrame, needs parentheses so that
// its printed form reads back as the same tree. Where the operators have no
// order the operand always gets them.
bool NeedsParentheses(PrologSystem& sys, pObj* arg, const pOperator* op, Side side) {
  SpineCheck check{sys};
  return Exposed(check, arg, sys.ViewFrame, op, side, true);
}

// Sets whether the term printed stands among arguments, until the scope ends.
class ArgumentContext {
public:
  ArgumentContext(PrologSystem& sys, bool inArguments)
      : sys_(sys), value_(sys.printInArguments) {
    sys_.printInArguments = inArguments;
  }
  ~ArgumentContext() { sys_.printInArguments = value_; }
  ArgumentContext(const ArgumentContext&) = delete;
  ArgumentContext& operator=(const ArgumentContext&) = delete;

private:
  PrologSystem& sys_;
  bool value_;
};

// Prints a term between `open` and " )"; inside them "," is an operator again.
void OutEnclosed(PrologSystem& sys, std::ostream& os, pObj& t, const char* open) {
  ArgumentContext context(sys, false);
  sys.Emit(os, open);
  t.Out(sys, os);
  sys.Emit(os, " )");
}

// Prints an operator argument, resolved through its bindings in ViewMode 1,
// between `open` and " )" when it needs parentheses.
void OutArgument(PrologSystem& sys, std::ostream& os, pObj* arg, const pOperator* op, Side side,
                 const char* open) {
  ViewFrameGuard guard(sys);
  CellMarks marks;
  pObj* t = Resolve(sys, arg, marks);
  if (t == nullptr) {
    sys.Emit(os, kElided);
    return;
  }
  if (NeedsParentheses(sys, t, op, side)) {
    OutEnclosed(sys, os, *t, open);
  } else {
    t->Out(sys, os);
  }
}

// An argument of functional notation or a list element: "," separates them.
void OutAmongArguments(PrologSystem& sys, std::ostream& os, pObj* arg) {
  ArgumentContext context(sys, true);
  arg->Out(sys, os);
}

void OutList(PrologSystem& sys, std::ostream& os, Functor& list, zavo::WalkLevel& level) {
  ViewFrameGuard guard(sys);
  CellMarks marks;
  sys.Emit(os, "[ ");
  OutAmongArguments(sys, os, list.args[0]);
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
        OutAmongArguments(sys, os, f->args[0]);
        tail = f->args[1];
        continue;
      }
    }
    if (tail->Type() == kTypeAtom && static_cast<Atom*>(tail)->def == sys.emptyListDef) break;
    sys.Emit(os, " | ");
    OutAmongArguments(sys, os, tail);
    break;
  }
  sys.Emit(os, " ]");
}

}  // namespace

void RealNumber::Out(PrologSystem& sys, std::ostream& os) {
  // A clause is written with its own names (ViewMode 0) to be read again:
  // its numbers get the digits they need beyond the default six.
  int precision = 6;
  std::string text = NumberText(value, precision);
  while (sys.ViewMode == 0 && precision < 17 && !ReadsBackAs(text, value)) {
    text = NumberText(value, ++precision);
  }
  sys.Emit(os, text);
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
  // The chain of bindings is followed in a loop, each cell passed marked:
  // only compounds nest.
  ViewFrameGuard guard(sys);
  CellMarks marks;
  pObj* t = this;
  while (t->Type() == kTypeVar) {
    pDVar& c = sys.Cell(sys.ViewFrame, static_cast<pVar*>(t)->index);
    if (c.term == nullptr) break;
    if (!marks.Mark(c) || !zavo::WalkLevel::CountStep(sys.printWalk, sys.limits)) {
      OutElided(sys, os);
      return;
    }
    if (c.frame != -1) sys.ViewFrame = c.frame;
    t = c.term;
  }
  if (t->Type() != kTypeVar) {
    t->Out(sys, os);
    return;
  }
  const Rule* r = sys.stack.Get(sys.ViewFrame).rule;
  if (r == nullptr) RuntimeErrorBox("ListName::[]");
  std::string text = zavo::NameAt(r->names, static_cast<pVar*>(t)->index);
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
    // Among arguments a "," term reads as two arguments: it is enclosed.
    if (op == sys.comma && sys.printInArguments) {
      OutEnclosed(sys, os, *this, "( ");
      return;
    }
    switch (op->kind) {
      case zavo::kInfix:
        OutArgument(sys, os, args[0], op, Side::kLeft, "( ");
        sys.Emit(os, " ");
        sys.Emit(os, name);
        sys.Emit(os, " ");
        OutArgument(sys, os, args[1], op, Side::kRight, "( ");
        return;
      case zavo::kPrefix:
        sys.Emit(os, " ");
        sys.Emit(os, name);
        sys.Emit(os, " ");
        OutArgument(sys, os, args[0], op, Side::kRight, "( ");
        return;
      default:
        OutArgument(sys, os, args[0], op, Side::kLeft, " (");
        sys.Emit(os, " ");
        sys.Emit(os, name);
        return;
    }
  }
  sys.Emit(os, name);
  sys.Emit(os, "(");
  for (int i = 0; i < Arity(); ++i) {
    if (i > 0) sys.Emit(os, ",");
    OutAmongArguments(sys, os, args[i]);
  }
  sys.Emit(os, ")");
}
