// The printed form of calls and vectors: operator calls in operator notation
// with the parentheses that parse back as the same tree, other calls as
// "name(a,b)", vectors as "[v a, b ]". A tree of any depth is printed in one
// loop over a stack of steps, without recursion.

#include <ostream>
#include <vector>

#include "interp/eval/definitions.h"
#include "interp/eval/e_system.h"
#include "interp/eval/eval_obj.h"

namespace {

// The operator a call prints with, or null for functional notation.
const Operator* NotationOperator(const Fun& call) {
  const Operator* op = call.Function()->GetOperator();
  if (op == nullptr) return nullptr;
  const unsigned wanted = op->Position() == zavo::kInfix ? 2 : 1;
  return call.Count() == wanted ? op : nullptr;
}

// Where an operand stands: on the left of its operator (the left argument of
// an infix operator, the argument of a postfix one) or on its right (the
// right argument of an infix operator, the argument of a prefix one).
enum class Side { kLeft, kRight };

// How many calls the parenthesis check of one operand looks at.
constexpr int kEdgeBudget = 1000;

struct EdgeCheck {
  int budget = kEdgeBudget;
  bool exhausted = false;
};

// Whether the operand `arg` of `op`, printed without parentheses, would parse
// as another tree.
//
// The parser decides by Operator::IsBig. An operand on the left leaves the
// operators of its right edge on the stack when op arrives: IsBig of each
// and op must be 1. An operand on the right brings the operators of its left
// edge while op is on the stack: IsBig of op and each must be 0. The edge runs
// from the operand's own operator into its operand on that side, as long as
// that one is printed without parentheses itself; a prefix operator on the
// left edge is pushed without comparing and ends it. So a / (b / c) and
// a / -b * c (where -b * c is the right operand) keep their parentheses, and
// a / b / c needs none. Beyond the budget the answer is yes.
bool Exposed(EdgeCheck& check, const EvalObj* arg, const Operator& op, Side side, bool top) {
  for (;;) {
    if (!arg->IsCall()) return false;
    const auto& call = static_cast<const Fun&>(*arg);
    const Operator* inner = NotationOperator(call);
    if (inner == nullptr) return false;
    if (--check.budget < 0) {
      check.exhausted = true;
      return true;
    }
    const EvalObj* next;
    if (side == Side::kLeft) {
      if (Operator::IsBig(*inner, op) != 1) return true;
      if (inner->Position() == zavo::kPostfix) return false;
      next = call.Item(inner->Position() == zavo::kInfix ? 1 : 0);
      if (Exposed(check, next, *inner, Side::kRight, true)) return check.exhausted;
    } else {
      // An operand that is itself a prefix call keeps the order check.
      if (inner->Position() == zavo::kPrefix) return top && Operator::IsBig(op, *inner) != 0;
      if (Operator::IsBig(op, *inner) != 0) return true;
      next = call.Item(0);
      if (Exposed(check, next, *inner, Side::kLeft, true)) return check.exhausted;
    }
    arg = next;
    top = false;
  }
}

// Whether an operand of `op` must be enclosed in parentheses so that the
// printed text parses as the same tree; always where the operators have no
// grouping.
bool NeedsParentheses(const EvalObj& arg, const Operator& op, Side side) {
  EdgeCheck check;
  return Exposed(check, &arg, op, side, true);
}

// One step of printing a tree: a node to print, or a text to write.
struct PrintStep {
  const EvalObj* node;
  const char* text;
};

// The steps of printing a tree, taken from the back: a tree of any depth is
// printed without recursion.
class PrintSteps {
public:
  void Text(const char* text) { steps_.push_back({nullptr, text}); }
  void Node(const EvalObj* node) { steps_.push_back({node, nullptr}); }
  // An operand, between `open` and " )" when it needs parentheses. Steps are
  // taken from the back, so they are pushed last part first.
  void Operand(const EvalObj* node, const Operator& op, Side side, const char* open) {
    const bool enclose = NeedsParentheses(*node, op, side);
    if (enclose) Text(" )");
    Node(node);
    if (enclose) Text(open);
  }
  bool Empty() const { return steps_.empty(); }
  PrintStep Take() {
    PrintStep step = steps_.back();
    steps_.pop_back();
    return step;
  }

private:
  std::vector<PrintStep> steps_;
};

// Pushes the parts of a call, last first.
void PushCall(const Fun& call, PrintSteps& steps) {
  const unsigned n = call.Count();
  if (const Operator* op = NotationOperator(call)) {
    switch (op->Position()) {
      case zavo::kInfix:
        steps.Operand(call.Item(1), *op, Side::kRight, "( ");
        steps.Text(" ");
        steps.Text(op->Name());
        steps.Text(" ");
        steps.Operand(call.Item(0), *op, Side::kLeft, "( ");
        return;
      case zavo::kPrefix:
        steps.Operand(call.Item(0), *op, Side::kRight, "( ");
        steps.Text(" ");
        steps.Text(op->Name());
        steps.Text(" ");
        return;
      default:
        steps.Text(op->Name());
        steps.Text(" ");
        steps.Operand(call.Item(0), *op, Side::kLeft, " (");
        return;
    }
  }
  if (n > 0) {
    steps.Text(")");
    for (unsigned i = n; i-- > 0;) {
      steps.Node(call.Item(i));
      if (i > 0) steps.Text(",");
    }
    steps.Text("(");
  }
  steps.Text(call.Function()->Name());
}

// Pushes the parts of a vector, last first.
void PushVector(const eVector& vector, PrintSteps& steps) {
  steps.Text(" ]");
  for (unsigned i = vector.Count(); i-- > 0;) {
    steps.Node(vector.Item(i));
    if (i > 0) steps.Text(", ");
  }
  steps.Text("[v ");
}

// Prints a call or a vector and everything below it.
void PrintTree(eSystem& system, std::ostream& out, const EvalObj& root) {
  PrintSteps steps;
  steps.Node(&root);
  while (!steps.Empty()) {
    const PrintStep step = steps.Take();
    if (step.node == nullptr) {
      out << step.text;
    } else if (step.node->Kind() == zavo::kFunKind) {
      PushCall(static_cast<const Fun&>(*step.node), steps);
    } else if (step.node->Kind() == zavo::kVectorKind) {
      PushVector(static_cast<const eVector&>(*step.node), steps);
    } else {
      step.node->Print(system, out);
    }
  }
}

}  // namespace

void eVector::Print(eSystem& system, std::ostream& out) const { PrintTree(system, out, *this); }

void Fun::Print(eSystem& system, std::ostream& out) const { PrintTree(system, out, *this); }
