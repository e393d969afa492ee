#include "interp/eval/eval_obj.h"

#include <charconv>
#include <ostream>
#include <vector>

#include "interp/eval/definitions.h"
#include "interp/eval/e_system.h"

namespace zavo {

void WriteEvalNumber(std::ostream& out, double value) {
  // General format with six significant digits, as a stream writes a double by
  // default, but without consulting any locale.
  char text[64];
  auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
  out.write(text, result.ptr - text);
}

}  // namespace zavo

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

// ---- EvalObj ---------------------------------------------------------------

int EvalObj::GetReal(eSystem& system, double& out) const {
  std::unique_ptr<EvalObj> value = Evaluate(system);
  if (!value || value->Kind() != zavo::kRealKind) return 0;
  out = static_cast<const RealNum&>(*value).Value();
  return 1;
}

// ---- RealNum ---------------------------------------------------------------

void RealNum::Print(eSystem&, std::ostream& out) const { zavo::WriteEvalNumber(out, value_); }

std::unique_ptr<EvalObj> RealNum::Evaluate(eSystem&) const {
  return std::make_unique<RealNum>(value_);
}

int RealNum::GetReal(eSystem&, double& out) const {
  out = value_;
  return 1;
}

// ---- ComplexNum ------------------------------------------------------------

void ComplexNum::Print(eSystem&, std::ostream& out) const {
  out << "[c ";
  zavo::WriteEvalNumber(out, re_);
  out << ",";
  zavo::WriteEvalNumber(out, im_);
  out << " ]";
}

std::unique_ptr<EvalObj> ComplexNum::Evaluate(eSystem&) const {
  return std::make_unique<ComplexNum>(re_, im_);
}

int ComplexNum::GetReal(eSystem&, double& out) const {
  if (im_ != 0.0) return 0;
  out = re_;
  return 1;
}

// ---- eVector ---------------------------------------------------------------

void eVector::Print(eSystem& system, std::ostream& out) const { PrintTree(system, out, *this); }

std::unique_ptr<EvalObj> eVector::Evaluate(eSystem& system) const {
  zavo::NestingGuard nesting(system);
  if (!nesting) return nullptr;
  auto result = std::make_unique<eVector>(Count());
  for (unsigned i = 0; i < Count(); ++i) {
    std::unique_ptr<EvalObj> element = Item(i)->Evaluate(system);
    if (!element) return nullptr;
    result->Set(i, element.release());
  }
  return result;
}

int eVector::GetReal(eSystem&, double&) const { return 0; }

// ---- Fun -------------------------------------------------------------------

void Fun::Print(eSystem& system, std::ostream& out) const { PrintTree(system, out, *this); }

std::unique_ptr<EvalObj> Fun::Evaluate(eSystem& system) const {
  zavo::NestingGuard nesting(system);
  if (!nesting) return nullptr;
  return function_->Evaluate(system, Items());
}

int Fun::GetReal(eSystem& system, double& out) const {
  zavo::NestingGuard nesting(system);
  if (!nesting) return 0;
  return function_->EvaluateReal(system, Items(), out);
}

// ---- Var -------------------------------------------------------------------

void Var::Print(eSystem&, std::ostream& out) const { out << variable_->Name(); }

std::unique_ptr<EvalObj> Var::Evaluate(eSystem& system) const {
  zavo::NestingGuard nesting(system);
  if (!nesting) return nullptr;
  const EvalObj* value = variable_->Value();
  if (value == nullptr) return nullptr;
  return value->Evaluate(system);
}

int Var::GetReal(eSystem& system, double& out) const {
  zavo::NestingGuard nesting(system);
  if (!nesting) return 0;
  const EvalObj* value = variable_->Value();
  if (value == nullptr) return 0;
  return value->GetReal(system, out);
}

// ---- Param -----------------------------------------------------------------

// The parameter's name while a definition is read; otherwise (nothing prints
// a function body) "#" and the index.
void Param::Print(eSystem& system, std::ostream& out) const {
  const NameList* names = system.ParameterNames();
  if (names != nullptr && index_ < names->Count()) {
    out << names->Name(index_);
  } else {
    out << '#' << index_;
  }
}

std::unique_ptr<EvalObj> Param::Evaluate(eSystem& system) const {
  zavo::NestingGuard nesting(system);
  if (!nesting) return nullptr;
  const EvalObj* argument = zavo::CallScope::Argument(system, index_);
  if (argument == nullptr) return nullptr;
  zavo::CallerScope caller(system);
  return argument->Evaluate(system);
}

int Param::GetReal(eSystem& system, double& out) const {
  zavo::NestingGuard nesting(system);
  if (!nesting) return 0;
  const EvalObj* argument = zavo::CallScope::Argument(system, index_);
  if (argument == nullptr) return 0;
  zavo::CallerScope caller(system);
  return argument->GetReal(system, out);
}
