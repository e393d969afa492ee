#pragma once

// Operators and name definitions of the Prolog interpreter.
//
// Every name the interpreter knows has a definition (`DFunc`): an ordinary
// name, an evaluable arithmetic functor or a built-in predicate. Operators live
// in a list of their own; each operator has its own definition linked to it.
// Both lists keep definition order, and every lookup takes the first match.

#include "foundation/char_string.h"
#include "foundation/list.h"
#include "foundation/seq.h"

class PrologSystem;
class pObj;

namespace zavo {

// An arithmetic evaluator: a new number term owned by the caller, or null.
using PrologEvaluator = pObj* (*)(PrologSystem&, Seq<pObj*>&);
// A built-in predicate: nonzero for success, 0 for failure.
using PrologPredicate = int (*)(PrologSystem&, Seq<pObj*>&);

// Operator kinds.
inline constexpr int kPrefix = 0;
inline constexpr int kInfix = 1;
inline constexpr int kPostfix = 2;

}  // namespace zavo

class pOperator : public ListItem {
public:
  // Copies the name; the kind follows from the type (5, 6 prefix; 3, 4 postfix;
  // 0, 1, 2 infix); a new operator is active.
  pOperator(const char* name, int type, int priority);

  // True when a must be reduced before b is pushed (reader), or when a as an
  // argument of b needs no parentheses (printer). False also when the pair has
  // no order at all (see zavo::OperatorOrder).
  static bool IsBig(const pOperator* a, const pOperator* b);

  charString name;
  int type;      // 0 xfx, 1 xfy, 2 yfx, 3 xf, 4 yf, 5 fx, 6 fy
  int kind;      // zavo::kPrefix, kInfix or kPostfix
  int priority;  // smaller binds more tightly
  int active = 1;
};

namespace zavo {

// The order of two operators: 1 when a goes first (IsBig true), 0 when b goes
// first, -1 when the pair has no order: equal names and priorities with a of a
// non-associative type (xfx, xf, or fx before another prefix operator). A chain
// of such operators is a syntax error and is printed with parentheses.
int OperatorOrder(const pOperator* a, const pOperator* b);

}  // namespace zavo

class pOperatorManager {
public:
  pOperatorManager() = default;
  pOperatorManager(const pOperatorManager&) = delete;
  pOperatorManager& operator=(const pOperatorManager&) = delete;

  // Appends; the list owns the operator.
  void Add(pOperator* op);
  // The first active operator of that name and kind, or null.
  pOperator* Find(const char* name, int kind) const;
  // Operators in definition order.
  const List<pOperator>& All() const { return list_; }
  int Count() const;

private:
  List<pOperator> list_;
};

class DFunc : public ListItem {
public:
  DFunc(const char* name, pOperator* op);
  virtual ~DFunc();
  DFunc(const DFunc&) = delete;
  DFunc& operator=(const DFunc&) = delete;

  // 1 for a built-in predicate.
  virtual int IsPredicate() const;
  // A new term owned by the caller, or null when the name is not evaluable.
  virtual pObj* Evaluate(PrologSystem& sys, int mode, Seq<pObj*>& args);

  charString name;
  pOperator* op;  // the linked operator, or null; not owned
  // Read by the engine without a virtual call or a comparison of names:
  // IsPredicate(), and whether the name is "!".
  bool predicate = false;
  bool cut = false;
};

// An ordinary name, or an operator without behaviour of its own.
class DFuncNorm : public DFunc {
public:
  using DFunc::DFunc;
};

// An evaluable functor: one evaluator slot per evaluation mode. Evaluation
// always asks for mode 1; slot 0 stays empty.
class DFuncEval : public DFunc {
public:
  DFuncEval(const char* name, pOperator* op, int slots);
  pObj* Evaluate(PrologSystem& sys, int mode, Seq<pObj*>& args) override;

  Seq<zavo::PrologEvaluator> evaluators;
};

// A built-in predicate implemented by a function.
class DFuncPred : public DFunc {
public:
  DFuncPred(const char* name, pOperator* op, zavo::PrologPredicate fn);
  int IsPredicate() const override;

  zavo::PrologPredicate fn;
};

class DFuncManager {
public:
  DFuncManager() = default;
  DFuncManager(const DFuncManager&) = delete;
  DFuncManager& operator=(const DFuncManager&) = delete;

  // The first definition of that name; a name never seen gets a new plain
  // definition without operator, appended at the end.
  DFunc* Get(const char* name);
  // The first definition of that name, or null (creates nothing).
  DFunc* Find(const char* name) const;
  // The first definition linked to the operator, or null.
  DFunc* Linked(const pOperator* op) const;
  // Appends; the list owns the definition.
  void Add(DFunc* def);
  // Definitions in creation order.
  const List<DFunc>& All() const { return list_; }
  int Count() const;

private:
  List<DFunc> list_;
};
