#include "interp/eval/e_system.h"

#include <cstring>
#include <string>

#include "foundation/number_text.h"

namespace {

using Answer = zavo::ParseAnswer<EvalObj>;

bool IsSpecial(const eScanner& scanner, char c) {
  return scanner.Kind() == zavo::kTokenSpecial && scanner.Text()[0] == c && scanner.Text()[1] == 0;
}

bool IsIdentifier(const eScanner& scanner) {
  return scanner.Kind() == zavo::kTokenIdentifier && !scanner.TokenCut();
}

bool IsNumber(const eScanner& scanner) {
  const int kind = scanner.Kind();
  return kind == zavo::kTokenInteger || kind == zavo::kTokenFloat || kind == zavo::kTokenScient;
}

// Whether the token after the current one passes the test; nothing is consumed.
template <class Test>
bool NextTokenIs(eScanner& scanner, Test test) {
  if (!scanner.Adv(1)) return false;
  const bool result = test(scanner);
  scanner.Adv(0);
  return result;
}

// Nodes parsed for a list (call arguments, vector elements), destroyed unless
// handed over.
class PendingNodes {
public:
  PendingNodes() : nodes_(zavo::kParseStackSize) {}
  ~PendingNodes() {
    while (!nodes_.IsEmpty()) delete nodes_.Pop();
  }
  int Count() const { return nodes_.Count(); }
  bool Push(std::unique_ptr<EvalObj> node) {
    if (!nodes_.Push(node.get())) return false;
    node.release();
    return true;
  }
  // Moves the nodes, in order, into the sequence node.
  template <class SeqNode>
  void MoveInto(SeqNode& target) {
    for (int i = nodes_.Count() - 1; i >= 0; --i) target.Set(static_cast<unsigned>(i), nodes_.Pop());
  }

private:
  cStack<EvalObj*> nodes_;
};

// One or more expressions separated by "," and closed by `close`, at most
// zavo::kParseStackSize of them.
bool ParseList(eSystem& system, eScanner& scanner, char close, PendingNodes& items) {
  for (;;) {
    Answer item = system.ParseExpression(scanner);
    if (!item.IsNode() || !items.Push(std::move(item.node))) return false;
    if (IsSpecial(scanner, ',')) {
      scanner.Next();
      continue;
    }
    if (!IsSpecial(scanner, close)) return false;
    scanner.Next();
    return true;
  }
}

// Clears the definition state when the body has been read.
class DefinitionScope {
public:
  DefinitionScope(const NameList*& names, int& defining, const NameList& parameters)
      : names_(names), defining_(defining) {
    names = &parameters;
    defining = 1;
  }
  ~DefinitionScope() {
    names_ = nullptr;
    defining_ = 0;
  }

private:
  const NameList*& names_;
  int& defining_;
};

// At most this many parameters in a definition.
constexpr int kMaxParameters = 99;

}  // namespace

eSystem::~eSystem() {
  variables_.Clear();
  functions_.Clear();
}

DFun* eSystem::FindFunction(const char* name) const {
  for (DFun& function : functions_) {
    if (function.NameIs(name)) return &function;
  }
  return nullptr;
}

DFun* eSystem::FindFunctionOf(const Operator* op) const {
  for (DFun& function : functions_) {
    if (function.GetOperator() == op) return &function;
  }
  return nullptr;
}

DVar* eSystem::AddVariable(const char* name) {
  auto* variable = new DVar(name);
  variables_.Append(variable);
  return variable;
}

DVar* eSystem::FindVariable(const char* name) const {
  for (DVar& variable : variables_) {
    if (variable.NameIs(name)) return &variable;
  }
  return nullptr;
}

Answer eSystem::ParsePrimary(eScanner& scanner) {
  if (scanner.TokenCut()) return Answer::Error();
  if (IsNumber(scanner)) {
    double value;
    if (!zavo::TokenToDouble(scanner, value)) return Answer::Error();
    scanner.Next();
    return Answer::Node(std::make_unique<RealNum>(value));
  }
  if (IsIdentifier(scanner)) {
    Answer call = ParseCall(scanner);
    if (call.status != zavo::ParseStatus::kNoMatch) return call;
    if (defining_ && parameterNames_ != nullptr) {
      const int index = parameterNames_->Find(scanner.Text());
      if (index >= 0) {
        scanner.Next();
        return Answer::Node(std::make_unique<Param>(index));
      }
    }
    DVar* variable = FindVariable(scanner.Text());
    if (variable == nullptr) return Answer::Error();
    scanner.Next();
    return Answer::Node(std::make_unique<Var>(variable));
  }
  if (IsSpecial(scanner, '[')) {
    Answer vector = ParseVector(scanner);
    if (vector.status != zavo::ParseStatus::kNoMatch) return vector;
    Answer complex = ParseComplex(scanner);
    if (complex.status != zavo::ParseStatus::kNoMatch) return complex;
    return Answer::Error();
  }
  if (IsSpecial(scanner, '(')) return ParseParenthesised(scanner);
  return Answer::Error();
}

// A name followed by "(" is always a call; a call that cannot be built (no
// such function, a wrong number of arguments, an empty or broken argument
// list) is a syntax error.
Answer eSystem::ParseCall(eScanner& scanner) {
  if (!NextTokenIs(scanner, [](const eScanner& s) { return IsSpecial(s, '('); })) {
    return Answer::NoMatch();
  }
  DFun* function = FindFunction(scanner.Text());
  scanner.Next();
  scanner.Next();
  if (function == nullptr) return Answer::Error();
  PendingNodes arguments;
  if (!ParseList(*this, scanner, ')', arguments)) return Answer::Error();
  if (arguments.Count() != function->Arity()) return Answer::Error();
  auto call = std::make_unique<Fun>(function, arguments.Count());
  arguments.MoveInto(*call);
  return Answer::Node(std::move(call));
}

// "[" and an identifier whose first letter is "v", then element expressions.
Answer eSystem::ParseVector(eScanner& scanner) {
  if (!NextTokenIs(scanner, [](const eScanner& s) { return IsIdentifier(s) && s.Text()[0] == 'v'; })) {
    return Answer::NoMatch();
  }
  scanner.Next();
  scanner.Next();
  PendingNodes elements;
  if (!ParseList(*this, scanner, ']', elements)) return Answer::Error();
  auto vector = std::make_unique<eVector>(elements.Count());
  elements.MoveInto(*vector);
  return Answer::Node(std::move(vector));
}

// "[" "c" number "," number "]": the parts are unsigned number literals.
Answer eSystem::ParseComplex(eScanner& scanner) {
  if (!NextTokenIs(scanner, [](const eScanner& s) { return IsIdentifier(s) && std::strcmp(s.Text(), "c") == 0; })) {
    return Answer::NoMatch();
  }
  scanner.Next();
  scanner.Next();
  double re, im;
  if (!IsNumber(scanner) || !zavo::TokenToDouble(scanner, re)) return Answer::Error();
  scanner.Next();
  if (!IsSpecial(scanner, ',')) return Answer::Error();
  scanner.Next();
  if (!IsNumber(scanner) || !zavo::TokenToDouble(scanner, im)) return Answer::Error();
  scanner.Next();
  if (!IsSpecial(scanner, ']')) return Answer::Error();
  scanner.Next();
  return Answer::Node(std::make_unique<ComplexNum>(re, im));
}

Answer eSystem::ParseParenthesised(eScanner& scanner) {
  scanner.Next();
  Answer inner = ParseExpression(scanner);
  if (!inner.IsNode() || !IsSpecial(scanner, ')')) return Answer::Error();
  scanner.Next();
  return inner;
}

std::unique_ptr<DFunExt> eSystem::ParseDefinition(eScanner& scanner) {
  if (!IsIdentifier(scanner)) return nullptr;
  const std::string name = scanner.Text();
  scanner.Next();
  if (!IsSpecial(scanner, '(')) return nullptr;
  scanner.Next();
  NameList parameters;
  if (!IsSpecial(scanner, ')')) {
    for (;;) {
      if (!IsIdentifier(scanner) || parameters.Count() >= kMaxParameters) return nullptr;
      parameters.Append(scanner.Text());
      scanner.Next();
      if (IsSpecial(scanner, ')')) break;
      if (!IsSpecial(scanner, ',')) return nullptr;
      scanner.Next();
    }
  }
  scanner.Next();
  if (!IsSpecial(scanner, '=')) return nullptr;
  scanner.Next();
  Answer body;
  {
    DefinitionScope definition(parameterNames_, defining_, parameters);
    body = ParseExpression(scanner);
  }
  if (!body.IsNode()) return nullptr;
  return std::make_unique<DFunExt>(name.c_str(), std::move(body.node), parameters);
}
