#pragma once
#include <memory>

#include "foundation/list.h"
#include "interp/eval/c_stack.h"
#include "interp/eval/definitions.h"

namespace zavo {

// The three answers of a parsing routine.
enum class ParseStatus { kNoMatch, kError, kNode };

// A parsing routine's answer: no match (nothing consumed), a syntax error, or
// the new node, owned by the caller.
template <class Obj>
struct ParseAnswer {
  ParseStatus status = ParseStatus::kError;
  std::unique_ptr<Obj> node;

  static ParseAnswer NoMatch() { return {ParseStatus::kNoMatch, nullptr}; }
  static ParseAnswer Error() { return {ParseStatus::kError, nullptr}; }
  static ParseAnswer Node(std::unique_ptr<Obj> node) { return {ParseStatus::kNode, std::move(node)}; }
  bool IsNode() const { return status == ParseStatus::kNode; }
};

// Places of the operator and operand stacks of one expression, and the most
// arguments of a call or elements of a vector literal.
inline constexpr int kParseStackSize = 100;
// The deepest nesting of parenthesised expressions, call arguments and vector
// elements that is parsed; deeper texts are syntax errors.
inline constexpr int kMaxParseNesting = 64;

}  // namespace zavo

// The operator-precedence parser, written against an abstract primary-term
// parser (ParsePrimary) and the system's operator list. System must offer
// FindFunctionOf(const Operator*) (the function that implements an operator);
// Call is the call node built by a reduction.
template <class Obj, class System, class Call, class Scanner>
class Interp {
public:
  using OperatorManager = List<Operator>;

  Interp() = default;
  Interp(const Interp&) = delete;
  Interp& operator=(const Interp&) = delete;
  virtual ~Interp() = default;

  // One operand at the current token.
  virtual zavo::ParseAnswer<Obj> ParsePrimary(Scanner& scanner) = 0;

  // The longest expression that starts at the current token; it ends at the
  // first token after an operand that is neither a postfix nor an infix
  // operator, which is left unread.
  zavo::ParseAnswer<Obj> ParseExpression(Scanner& scanner);

  // Appends an operator (the list owns it).
  void AddOperator(Operator* op) { operators_.Append(op); }
  // The first active operator of that name and position, or null.
  const Operator* FindOperator(const char* name, int position) const;
  const OperatorManager& Operators() const { return operators_; }

private:
  using OperatorStack = cStack<const Operator*>;
  using OperandStack = cStack<Obj*>;

  zavo::ParseAnswer<Obj> ParseNested(Scanner& scanner);
  // The operator named by the current token in that position, or null.
  const Operator* TokenOperator(const Scanner& scanner, int position) const;
  // Applies the top operator to its operands; false when it cannot be applied.
  bool Reduce(OperatorStack& operators, OperandStack& operands);
  // Reduces while the stacked operator binds before the incoming one.
  bool ReduceBefore(const Operator& incoming, OperatorStack& operators, OperandStack& operands);

  OperatorManager operators_;
  int nesting_ = 0;
};

template <class Obj, class System, class Call, class Scanner>
const Operator* Interp<Obj, System, Call, Scanner>::FindOperator(const char* name,
                                                                 int position) const {
  for (const Operator& op : operators_) {
    if (op.IsActive() && op.Position() == position && op.NameIs(name)) return &op;
  }
  return nullptr;
}

template <class Obj, class System, class Call, class Scanner>
const Operator* Interp<Obj, System, Call, Scanner>::TokenOperator(const Scanner& scanner,
                                                                  int position) const {
  const int kind = scanner.Kind();
  if (kind != zavo::kTokenIdentifier && kind != zavo::kTokenSpecial) return nullptr;
  if (scanner.TokenCut()) return nullptr;
  return FindOperator(scanner.Text(), position);
}

template <class Obj, class System, class Call, class Scanner>
bool Interp<Obj, System, Call, Scanner>::Reduce(OperatorStack& operators, OperandStack& operands) {
  const Operator* op = operators.Pop();
  const int needed = op->Position() == zavo::kInfix ? 2 : 1;
  if (operands.Count() < needed) return false;
  DFun* function = static_cast<System*>(this)->FindFunctionOf(op);
  if (function == nullptr || function->Arity() != needed) return false;
  auto call = std::make_unique<Call>(function, needed);
  for (int i = needed - 1; i >= 0; --i) call->Set(i, operands.Pop());
  return operands.Push(call.release());  // never full: at least one entry was popped
}

template <class Obj, class System, class Call, class Scanner>
bool Interp<Obj, System, Call, Scanner>::ReduceBefore(const Operator& incoming,
                                                      OperatorStack& operators,
                                                      OperandStack& operands) {
  while (!operators.IsEmpty()) {
    const int big = Operator::IsBig(*operators.Top(), incoming);
    if (big == zavo::kNoGrouping) return false;
    if (big == 0) break;
    if (!Reduce(operators, operands)) return false;
  }
  return true;
}

template <class Obj, class System, class Call, class Scanner>
zavo::ParseAnswer<Obj> Interp<Obj, System, Call, Scanner>::ParseExpression(Scanner& scanner) {
  if (nesting_ >= zavo::kMaxParseNesting) return zavo::ParseAnswer<Obj>::Error();
  ++nesting_;
  zavo::ParseAnswer<Obj> answer = ParseNested(scanner);
  --nesting_;
  return answer;
}

template <class Obj, class System, class Call, class Scanner>
zavo::ParseAnswer<Obj> Interp<Obj, System, Call, Scanner>::ParseNested(Scanner& scanner) {
  OperatorStack operators(zavo::kParseStackSize);
  OperandStack operands(zavo::kParseStackSize);
  // Every way out but success destroys the operands parsed so far.
  struct Cleanup {
    OperandStack& operands;
    ~Cleanup() {
      while (!operands.IsEmpty()) delete operands.Pop();
    }
  } cleanup{operands};
  const auto error = zavo::ParseAnswer<Obj>::Error;

  for (;;) {
    // Prefix operators are pushed without comparing priorities.
    while (const Operator* prefix = TokenOperator(scanner, zavo::kPrefix)) {
      if (!operators.Push(prefix)) return error();
      scanner.Next();
    }
    zavo::ParseAnswer<Obj> primary = ParsePrimary(scanner);
    if (!primary.IsNode()) return error();
    if (!operands.Push(primary.node.get())) return error();
    primary.node.release();

    while (const Operator* postfix = TokenOperator(scanner, zavo::kPostfix)) {
      if (!ReduceBefore(*postfix, operators, operands)) return error();
      if (!operators.Push(postfix)) return error();
      scanner.Next();
    }
    const Operator* infix = TokenOperator(scanner, zavo::kInfix);
    if (infix == nullptr) break;
    if (!ReduceBefore(*infix, operators, operands)) return error();
    if (!operators.Push(infix)) return error();
    scanner.Next();
  }
  while (!operators.IsEmpty()) {
    if (!Reduce(operators, operands)) return error();
  }
  if (operands.Count() != 1) return error();
  return zavo::ParseAnswer<Obj>::Node(std::unique_ptr<Obj>(operands.Pop()));
}
