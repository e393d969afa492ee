// The Prolog text reader: primaries by recursive descent, operators by
// precedence with two bounded stacks, a clause as a term followed by ".".

#include <array>
#include <cstring>
#include <memory>
#include <string>

#include "foundation/number_text.h"
#include "interp/prolog/parser.h"
#include "interp/prolog/prolog_system.h"

using zavo::ReadResult;

pParser::pParser(std::istream& in, const zavo::ScannerConfig& config)
    : PrologScanner<ScannerMemo>(in, config) {
  SetCutEndsInput(true);
  SetDotEndsClause(true);
  Next();
}

namespace {

bool Is(const pParser& p, const char* text) { return std::strcmp(p.Text(), text) == 0; }

bool IsVariableName(const pParser& p) {
  if (p.Kind() != zavo::kTokenIdentifier) return false;
  char c = p.Text()[0];
  return (c >= 'A' && c <= 'Z') || c == '_';
}

// A bounded stack of terms that destroys what it still holds.
class TermStack {
public:
  TermStack() = default;
  ~TermStack() {
    for (int i = 0; i < count_; ++i) delete items_[i];
  }
  TermStack(const TermStack&) = delete;
  TermStack& operator=(const TermStack&) = delete;

  // Takes the term; false (the term destroyed) when the stack is full.
  bool Push(pObj* t) {
    if (count_ >= zavo::kArgumentCapacity) {
      delete t;
      return false;
    }
    items_[count_++] = t;
    return true;
  }
  // Gives the top term to the caller.
  pObj* Pop() { return items_[--count_]; }
  int Count() const { return count_; }
  // Moves every term, bottom first, into the arguments of f.
  void MoveInto(Functor& f) {
    for (int i = 0; i < count_; ++i) f.args[i] = items_[i];
    count_ = 0;
  }

private:
  std::array<pObj*, zavo::kArgumentCapacity> items_{};
  int count_ = 0;
};

// Switches the comma operator off for the arguments of a compound or the
// elements of a list, and on again when the outermost of them ends.
class ArgumentNesting {
public:
  explicit ArgumentNesting(PrologSystem& sys) : sys_(sys) {
    sys_.comma->active = 0;
    ++sys_.nesting;
  }
  ~ArgumentNesting() {
    if (--sys_.nesting == 0) sys_.comma->active = 1;
  }
  ArgumentNesting(const ArgumentNesting&) = delete;
  ArgumentNesting& operator=(const ArgumentNesting&) = delete;

private:
  PrologSystem& sys_;
};

// Inside parentheses the comma is an operator again, whatever surrounds them.
class ParenthesisNesting {
public:
  explicit ParenthesisNesting(PrologSystem& sys)
      : sys_(sys), nesting_(sys.nesting), active_(sys.comma->active) {
    sys_.nesting = 0;
    sys_.comma->active = 1;
  }
  ~ParenthesisNesting() {
    sys_.nesting = nesting_;
    sys_.comma->active = active_;
  }
  ParenthesisNesting(const ParenthesisNesting&) = delete;
  ParenthesisNesting& operator=(const ParenthesisNesting&) = delete;

private:
  PrologSystem& sys_;
  int nesting_;
  int active_;
};

class DepthGuard {
public:
  explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

private:
  int& depth_;
};

// The operator stack of one term.
class OperatorStack {
public:
  bool Push(pOperator* op) {
    if (count_ >= zavo::kArgumentCapacity) return false;
    items_[count_++] = op;
    return true;
  }
  pOperator* Top() const { return items_[count_ - 1]; }
  pOperator* Pop() { return items_[--count_]; }
  bool Empty() const { return count_ == 0; }

private:
  std::array<pOperator*, zavo::kArgumentCapacity> items_{};
  int count_ = 0;
};

// Pops the top operator and combines it with its operands into a compound of
// the operator's own definition; false when the operands are missing.
bool Reduce(PrologSystem& sys, OperatorStack& ops, TermStack& operands) {
  pOperator* op = ops.Pop();
  int arity = op->kind == zavo::kInfix ? 2 : 1;
  DFunc* def = sys.definitions.Linked(op);
  if (def == nullptr || operands.Count() < arity) return false;
  auto* f = new Functor(def, arity);
  for (int i = arity - 1; i >= 0; --i) f->args[i] = operands.Pop();
  return operands.Push(f);
}

// Reduces while the operator on top goes before `op`; false on a failed
// reduction or when the two have no order (a = b = c).
bool ReduceBefore(PrologSystem& sys, const pOperator* op, OperatorStack& ops,
                  TermStack& operands) {
  while (!ops.Empty()) {
    int order = zavo::OperatorOrder(ops.Top(), op);
    if (order < 0) return false;
    if (order == 0) break;
    if (!Reduce(sys, ops, operands)) return false;
  }
  return true;
}

}  // namespace

ReadResult PrologSystem::ReadPrimary(pParser& p) {
  ReadResult r = ReadAnonymous(p);
  if (r.kind != ReadResult::kNothing) return r;
  r = ReadNumber(p);
  if (r.kind != ReadResult::kNothing) return r;
  r = ReadName(p);
  if (r.kind != ReadResult::kNothing) return r;
  r = ReadVariable(p);
  if (r.kind != ReadResult::kNothing) return r;
  if (Is(p, "(")) return ReadParenthesised(p);
  return ReadResult::Error();
}

ReadResult PrologSystem::ReadAnonymous(pParser& p) {
  if (p.Kind() != zavo::kTokenIdentifier || !Is(p, "_")) return ReadResult::Nothing();
  p.Next();
  return ReadResult::Of(new Anonim);
}

ReadResult PrologSystem::ReadNumber(pParser& p) {
  int kind = p.Kind();
  if (kind != zavo::kTokenInteger && kind != zavo::kTokenFloat && kind != zavo::kTokenScient) {
    return ReadResult::Nothing();
  }
  double value = 0;
  if (!zavo::TokenToDouble(p, value)) return ReadResult::Error();
  p.Next();
  return ReadResult::Of(new RealNumber(value));
}

ReadResult PrologSystem::ReadName(pParser& p) {
  if (Is(p, "[")) {
    p.Next();
    return ReadList(p);
  }
  if (Is(p, "!")) {
    p.Next();
    return ReadResult::Of(new Atom(definitions.Get("!")));
  }
  if (p.Kind() != zavo::kTokenIdentifier || IsVariableName(p)) return ReadResult::Nothing();
  std::string name = p.Text();
  p.Adv(1);
  bool compound = Is(p, "(");
  p.Adv(0);
  p.Next();
  if (!compound) return ReadResult::Of(new Atom(definitions.Get(name.c_str())));
  p.Next();
  return ReadArguments(p, name.c_str());
}

ReadResult PrologSystem::ReadArguments(pParser& p, const char* name) {
  ArgumentNesting nest(*this);
  TermStack args;
  for (;;) {
    ReadResult r = ReadTerm(p);
    if (r.kind != ReadResult::kTerm || !args.Push(r.term)) return ReadResult::Error();
    if (Is(p, ")")) {
      p.Next();
      break;
    }
    if (!Is(p, ",")) return ReadResult::Error();
    p.Next();
  }
  auto* f = new Functor(definitions.Get(name), args.Count());
  args.MoveInto(*f);
  return ReadResult::Of(f);
}

ReadResult PrologSystem::ReadList(pParser& p) {
  ArgumentNesting nest(*this);
  if (Is(p, "]")) {
    p.Next();
    return ReadResult::Of(new Atom(emptyListDef));
  }
  TermStack elements;
  std::unique_ptr<pObj> tail;
  for (;;) {
    ReadResult r = ReadTerm(p);
    if (r.kind != ReadResult::kTerm || !elements.Push(r.term)) return ReadResult::Error();
    if (Is(p, ",")) {
      p.Next();
      continue;
    }
    if (Is(p, "|")) {
      p.Next();
      ReadResult t = ReadTerm(p);
      if (t.kind != ReadResult::kTerm) return ReadResult::Error();
      tail.reset(t.term);
      if (!Is(p, "]")) return ReadResult::Error();
    }
    if (!Is(p, "]")) return ReadResult::Error();
    p.Next();
    break;
  }
  pObj* rest = tail ? tail.release() : new Atom(emptyListDef);
  while (elements.Count() > 0) {
    auto* cell = new Functor(listDef, 2);
    cell->args[1] = rest;
    cell->args[0] = elements.Pop();
    rest = cell;
  }
  return ReadResult::Of(rest);
}

ReadResult PrologSystem::ReadVariable(pParser& p) {
  if (!IsVariableName(p)) return ReadResult::Nothing();
  if (names == nullptr) return ReadResult::Error();
  int index = zavo::FindOrAddName(*names, p.Text());
  if (index < 0) return ReadResult::Error();
  p.Next();
  return ReadResult::Of(new pVar(index));
}

ReadResult PrologSystem::ReadParenthesised(pParser& p) {
  p.Next();
  ReadResult r;
  {
    ParenthesisNesting inside(*this);
    r = ReadTerm(p);
  }
  if (r.kind != ReadResult::kTerm) return ReadResult::Error();
  if (!Is(p, ")")) {
    delete r.term;
    return ReadResult::Error();
  }
  p.Next();
  return r;
}

ReadResult PrologSystem::ReadTerm(pParser& p) {
  if (readDepth_ >= zavo::kReadDepth) return ReadResult::Error();
  DepthGuard depth(readDepth_);
  TermStack operands;
  OperatorStack ops;
  bool ended = false;
  for (;;) {
    if (p.Kind() == zavo::kTokenError) ended = true;
    while (pOperator* op = operators.Find(p.Text(), zavo::kPrefix)) {
      if (!ops.Push(op)) return ReadResult::Error();
      p.Next();
    }
    ReadResult r = ReadPrimary(p);
    if (r.kind != ReadResult::kTerm || !operands.Push(r.term)) return ReadResult::Error();
    while (pOperator* op = operators.Find(p.Text(), zavo::kPostfix)) {
      if (!ReduceBefore(*this, op, ops, operands) || !ops.Push(op)) return ReadResult::Error();
      p.Next();
    }
    pOperator* op = operators.Find(p.Text(), zavo::kInfix);
    if (op == nullptr) break;
    if (!ReduceBefore(*this, op, ops, operands) || !ops.Push(op)) return ReadResult::Error();
    p.Next();
    if (ended) break;
  }
  while (!ops.Empty()) {
    if (!Reduce(*this, ops, operands)) return ReadResult::Error();
  }
  if (operands.Count() != 1) return ReadResult::Error();
  return ReadResult::Of(operands.Pop());
}

Rule* PrologSystem::ReadClause(pParser& p) {
  nesting = 0;
  auto rule = std::make_unique<Rule>();
  ListofNames* previous = names;
  names = &rule->names;
  ReadResult r = ReadTerm(p);
  names = previous;
  if (r.kind != ReadResult::kTerm) return nullptr;
  if (!r.term->IsCallable() || !Is(p, ".")) {
    delete r.term;
    return nullptr;
  }
  p.Next();
  rule->Set(r.term);
  return rule.release();
}
