#pragma once
#include <iosfwd>
#include <memory>

#include "foundation/seq.h"
#include "interp/eval/object_base.h"

class eSystem;
class eScanner;
class DVar;
class DFun;

namespace zavo {

// The Kind codes of the node and value classes. Evaluate yields only kinds
// kRealKind, kComplexKind and kVectorKind.
enum EvalKind : int {
  kRealKind = 1,
  kVarKind = 2,
  kParamKind = 3,
  kFunKind = 4,
  kComplexKind = 100,
  kVectorKind = 101,
};

// Writes a number in the stream's default format (six significant digits),
// independent of any locale.
void WriteEvalNumber(std::ostream& out, double value);

}  // namespace zavo

// A parsed expression or a computed value.
class EvalObj : public ObjectBase<eSystem> {
public:
  virtual const char* ClassName() const = 0;
  // A new value (real, complex or vector) owned by the caller, or null when
  // the evaluation fails.
  virtual std::unique_ptr<EvalObj> Evaluate(eSystem& system) const = 0;
  // The allocation-free path for real results: stores the real and answers 1,
  // or answers 0. This base version evaluates and accepts a real result only.
  virtual int GetReal(eSystem& system, double& out) const;
};

// The argument sequence of a call.
using EvalArgs = Seq<EvalObj*>;

class RealNum : public EvalObj {
public:
  explicit RealNum(double value) : value_(value) {}
  double Value() const { return value_; }
  void SetValue(double value) { value_ = value; }

  int Kind() const override { return zavo::kRealKind; }
  void Print(eSystem& system, std::ostream& out) const override;
  const char* ClassName() const override { return "RealNum"; }
  std::unique_ptr<EvalObj> Evaluate(eSystem& system) const override;
  int GetReal(eSystem& system, double& out) const override;

private:
  double value_;
};

class ComplexNum : public EvalObj {
public:
  ComplexNum(double re, double im) : re_(re), im_(im) {}
  double Re() const { return re_; }
  double Im() const { return im_; }

  int Kind() const override { return zavo::kComplexKind; }
  void Print(eSystem& system, std::ostream& out) const override;
  const char* ClassName() const override { return "ComplexNum"; }
  std::unique_ptr<EvalObj> Evaluate(eSystem& system) const override;
  // Fails unless the imaginary part is zero.
  int GetReal(eSystem& system, double& out) const override;

private:
  double re_;
  double im_;
};

class EvalSeq : public ObjectSeq<EvalObj, eSystem, eScanner> {
public:
  using ObjectSeq::ObjectSeq;
};

// A vector: its elements are expressions in a literal and values in a result.
class eVector : public EvalSeq {
public:
  using EvalSeq::EvalSeq;

  int Kind() const override { return zavo::kVectorKind; }
  void Print(eSystem& system, std::ostream& out) const override;
  const char* ClassName() const override { return "eVector"; }
  std::unique_ptr<EvalObj> Evaluate(eSystem& system) const override;
  // A vector never yields a real.
  int GetReal(eSystem& system, double& out) const override;
};

// A call of a function (built-in, operator or user-defined); it owns its
// argument expressions, not the function.
class Fun : public EvalSeq {
public:
  Fun(DFun* function, unsigned argumentCount) : EvalSeq(argumentCount), function_(function) {}
  DFun* Function() const { return function_; }

  int IsCall() const override { return 1; }
  int Kind() const override { return zavo::kFunKind; }
  void Print(eSystem& system, std::ostream& out) const override;
  const char* ClassName() const override { return "Fun"; }
  std::unique_ptr<EvalObj> Evaluate(eSystem& system) const override;
  int GetReal(eSystem& system, double& out) const override;

private:
  DFun* function_;
};

// A reference to a variable of the system (not owned).
class Var : public EvalObj {
public:
  explicit Var(DVar* variable) : variable_(variable) {}
  DVar* Variable() const { return variable_; }

  int Kind() const override { return zavo::kVarKind; }
  void Print(eSystem& system, std::ostream& out) const override;
  const char* ClassName() const override { return "Var"; }
  std::unique_ptr<EvalObj> Evaluate(eSystem& system) const override;
  int GetReal(eSystem& system, double& out) const override;

private:
  DVar* variable_;
};

// A reference to parameter `index` (from 0) of the user-defined function
// whose body holds it.
class Param : public EvalObj {
public:
  explicit Param(int index) : index_(index) {}
  int Index() const { return index_; }

  int Kind() const override { return zavo::kParamKind; }
  void Print(eSystem& system, std::ostream& out) const override;
  const char* ClassName() const override { return "Param"; }
  std::unique_ptr<EvalObj> Evaluate(eSystem& system) const override;
  int GetReal(eSystem& system, double& out) const override;

private:
  int index_;
};
