#pragma once
#include <memory>

#include "foundation/char_string.h"
#include "foundation/list.h"
#include "foundation/seq.h"
#include "interp/eval/eval_obj.h"

class Operator;

// A named variable; its value (a constant, an expression or a result) is
// owned and null until something is stored.
class DVar : public ListItem {
public:
  explicit DVar(const char* name);
  DVar(const DVar&) = delete;
  DVar& operator=(const DVar&) = delete;

  const char* Name() const;
  bool NameIs(const char* text) const { return name_ == text; }
  const EvalObj* Value() const { return value_.get(); }
  EvalObj* Value() { return value_.get(); }
  // Replaces the value (the previous one is destroyed).
  void SetValue(std::unique_ptr<EvalObj> value) { value_ = std::move(value); }

private:
  charString name_;
  std::unique_ptr<EvalObj> value_;
};

// A function: built-in, implementing an operator, or defined in the language.
class DFun : public ListItem {
public:
  DFun(const char* name, int arity, const Operator* op);
  DFun(const DFun&) = delete;
  DFun& operator=(const DFun&) = delete;
  virtual ~DFun();

  const char* Name() const;
  bool NameIs(const char* text) const { return name_ == text; }
  int Arity() const { return arity_; }
  // The operator this function implements, or null for a function called by name.
  const Operator* GetOperator() const { return operator_; }

  // The real path: 1 with the result stored, 0 on failure.
  virtual int EvaluateReal(eSystem& system, const EvalArgs& args, double& out) const = 0;
  // The value path: a new value owned by the caller, or null.
  virtual std::unique_ptr<EvalObj> Evaluate(eSystem& system, const EvalArgs& args) const = 0;

private:
  charString name_;
  int arity_;
  const Operator* operator_;
};

// A built-in function: two plain routines.
class DFunInt : public DFun {
public:
  using RealEvaluator = int (*)(eSystem& system, const EvalArgs& args, double& out);
  using ValueEvaluator = std::unique_ptr<EvalObj> (*)(eSystem& system, const EvalArgs& args);

  DFunInt(const char* name, int arity, const Operator* op, RealEvaluator real,
          ValueEvaluator value)
      : DFun(name, arity, op), real_(real), value_(value) {}

  int EvaluateReal(eSystem& system, const EvalArgs& args, double& out) const override {
    return real_(system, args, out);
  }
  std::unique_ptr<EvalObj> Evaluate(eSystem& system, const EvalArgs& args) const override {
    return value_(system, args);
  }

private:
  RealEvaluator real_;
  ValueEvaluator value_;
};

// An ordered list of owned names (the parameters of a definition).
class NameList {
public:
  NameList() = default;
  NameList(const NameList& other);
  NameList& operator=(const NameList&) = delete;

  int Count() const { return static_cast<int>(names_.Count()); }
  const char* Name(int i) const;
  void Append(const char* name);
  // Index of the first name equal to the text, or -1.
  int Find(const char* name) const;

private:
  Seq<charString> names_;
};

// A function defined in the expression language. Arguments are not evaluated
// at the call: each parameter reference evaluates its argument expression
// anew, in the context of the expression that made the call.
class DFunExt : public DFun {
public:
  DFunExt(const char* name, std::unique_ptr<EvalObj> body, const NameList& parameters);

  const EvalObj* Body() const { return body_.get(); }
  const NameList& Parameters() const { return parameters_; }

  int EvaluateReal(eSystem& system, const EvalArgs& args, double& out) const override;
  std::unique_ptr<EvalObj> Evaluate(eSystem& system, const EvalArgs& args) const override;

private:
  std::unique_ptr<EvalObj> body_;
  NameList parameters_;
};

namespace zavo {

// Operator types.
enum OperatorType : int {
  kXfx = 0,
  kXfy = 1,
  kYfx = 2,
  kXf = 3,
  kYf = 4,
  kFx = 5,
  kFy = 6,
};
// Operator positions.
enum OperatorPosition : int { kPrefix = 0, kInfix = 1, kPostfix = 2 };

// Answer of Operator::IsBig when no grouping is valid (a second operator of
// the same name and priority after a non-associative one).
inline constexpr int kNoGrouping = -1;

}  // namespace zavo

class Operator : public ListItem {
public:
  // The position follows from the type: fx and fy prefix, xf and yf postfix,
  // the others infix.
  Operator(const char* name, int type, int priority);
  Operator(const Operator&) = delete;
  Operator& operator=(const Operator&) = delete;

  const char* Name() const;
  bool NameIs(const char* text) const { return name_ == text; }
  int Type() const { return type_; }
  int Position() const { return position_; }
  int Priority() const { return priority_; }
  int IsActive() const { return active_; }

  // 1 when the stacked operator must be applied before the incoming one is
  // pushed, 0 when not, zavo::kNoGrouping when the two cannot follow each
  // other (a chain of a non-associative operator).
  static int IsBig(const Operator& stacked, const Operator& incoming);

private:
  charString name_;
  int type_;
  int position_;
  int priority_;
  int active_ = 1;
};
