#pragma once
#include <memory>

#include "foundation/list.h"
#include "interp/eval/definitions.h"
#include "interp/eval/e_scanner.h"
#include "interp/eval/eval_obj.h"
#include "interp/eval/interp.h"

namespace zavo {

// A user-defined function call in progress: its argument expressions and the
// call that was in progress when it began (null outside any).
struct CallFrame {
  const EvalArgs* args;
  const CallFrame* caller;
};

// The deepest nesting of calls, variable and parameter references and vector
// elements that one evaluation follows; deeper evaluations (a variable whose
// expression refers back to itself) fail. The bound keeps the deepest
// evaluation well inside a default thread stack, even in unoptimised builds.
inline constexpr int kMaxEvalNesting = 1000;
// The most such steps one evaluation takes. Every parameter and variable
// reference evaluates its expression anew, so nested calls of a function that
// uses its parameter twice take exponential time; past this budget the
// evaluation fails instead of running for hours.
inline constexpr long kMaxEvalSteps = 1'000'000;

class CallScope;
class CallerScope;
class NestingGuard;

}  // namespace zavo

// The system object: the operators, functions and variables an expression can
// name, and the state of the parse or evaluation in progress. The lists own
// their entries; entries are appended, lookups take the first match.
class eSystem : public Interp<EvalObj, eSystem, Fun, eScanner> {
public:
  using DFunManager = List<DFun>;
  using DVarManager = List<DVar>;

  eSystem() = default;
  // Destroys the variables (with their values), then the functions, then the operators.
  ~eSystem() override;

  // Appends a function (the list owns it).
  void AddFunction(DFun* function) { functions_.Append(function); }
  // The first function of that name, or null.
  DFun* FindFunction(const char* name) const;
  // The first function that implements the operator, or null.
  DFun* FindFunctionOf(const Operator* op) const;
  const DFunManager& Functions() const { return functions_; }

  // Appends a new variable without value, even when one of that name exists.
  DVar* AddVariable(const char* name);
  // The first variable of that name, or null.
  DVar* FindVariable(const char* name) const;
  const DVarManager& Variables() const { return variables_; }

  // One operand: a number, a call, a parameter (while a definition is read), a
  // variable, a vector or complex literal, or a parenthesised expression.
  zavo::ParseAnswer<EvalObj> ParsePrimary(eScanner& scanner) override;
  // One definition: name "(" [ parameter { "," parameter } ] ")" "=" body.
  // Null when any token is out of place or the body does not parse.
  std::unique_ptr<DFunExt> ParseDefinition(eScanner& scanner);

  // The parameter names of the definition being read, else null.
  const NameList* ParameterNames() const { return parameterNames_; }
  int IsDefining() const { return defining_; }

  // The user-defined call in progress, or null.
  const zavo::CallFrame* CurrentCall() const { return currentCall_; }

private:
  friend class zavo::CallScope;
  friend class zavo::CallerScope;
  friend class zavo::NestingGuard;

  zavo::ParseAnswer<EvalObj> ParseCall(eScanner& scanner);
  zavo::ParseAnswer<EvalObj> ParseVector(eScanner& scanner);
  zavo::ParseAnswer<EvalObj> ParseComplex(eScanner& scanner);
  zavo::ParseAnswer<EvalObj> ParseParenthesised(eScanner& scanner);

  // Declared in this order so that the variables go first.
  DFunManager functions_;
  DVarManager variables_;
  const zavo::CallFrame* currentCall_ = nullptr;
  const NameList* parameterNames_ = nullptr;
  int defining_ = 0;
  int nesting_ = 0;
  long steps_ = 0;
};

namespace zavo {

// Counts one level of evaluation nesting for its lifetime and one step of the
// evaluation's budget (which starts afresh at the outermost level); false when
// either limit is passed.
class NestingGuard {
public:
  explicit NestingGuard(eSystem& system) : system_(system) {
    if (system.nesting_ == 0) system.steps_ = 0;
    ok_ = ++system.nesting_ <= kMaxEvalNesting && ++system.steps_ <= kMaxEvalSteps;
  }
  ~NestingGuard() { --system_.nesting_; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;
  explicit operator bool() const { return ok_; }

private:
  eSystem& system_;
  bool ok_;
};

// Makes a user-defined call's arguments current for its lifetime, keeping and
// then restoring the call that was current before.
class CallScope {
public:
  CallScope(eSystem& system, const EvalArgs& args)
      : system_(system), frame_{&args, system.currentCall_} {
    system.currentCall_ = &frame_;
  }
  ~CallScope() { system_.currentCall_ = frame_.caller; }
  CallScope(const CallScope&) = delete;
  CallScope& operator=(const CallScope&) = delete;

  // Argument i of the call in progress, or null when there is none.
  static const EvalObj* Argument(const eSystem& system, int i) {
    const CallFrame* call = system.currentCall_;
    if (call == nullptr || i < 0 || static_cast<unsigned>(i) >= call->args->Count()) return nullptr;
    return (*call->args)[i];
  }

private:
  eSystem& system_;
  CallFrame frame_;
};

// For its lifetime, makes current the call that was in force when the current
// one began: an argument expression is evaluated where the call was written.
class CallerScope {
public:
  explicit CallerScope(eSystem& system) : system_(system), saved_(system.currentCall_) {
    system.currentCall_ = saved_ != nullptr ? saved_->caller : nullptr;
  }
  ~CallerScope() { system_.currentCall_ = saved_; }
  CallerScope(const CallerScope&) = delete;
  CallerScope& operator=(const CallerScope&) = delete;

private:
  eSystem& system_;
  const CallFrame* saved_;
};

}  // namespace zavo
