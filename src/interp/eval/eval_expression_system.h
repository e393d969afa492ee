#pragma once
#include <iosfwd>
#include <memory>

#include "interp/eval/common_defs_system.h"
#include "interp/eval/definitions.h"
#include "interp/eval/e_scanner.h"

// The evaluator's public object: one system with the standard operators and
// functions. Variables double as handles: every expression, constant and
// result lives in a variable (a DVar* returned by DefineVariable, valid as long
// as this object). Operations answer 1 for success and 0 for failure.
//
// Expressions are read with comments "/*" "*/" and "//"; text after the
// expression is not examined. An evaluation fails on a combination of value
// kinds an operation does not accept, a domain a built-in refuses, a variable
// without value, a variable that refers back to itself, and a floating-point
// fault (division by zero, invalid operation, overflow) during the evaluation.
class EvalExpressionSystem {
public:
  EvalExpressionSystem();
  ~EvalExpressionSystem();
  EvalExpressionSystem(const EvalExpressionSystem&) = delete;
  EvalExpressionSystem& operator=(const EvalExpressionSystem&) = delete;

  // Appends a new variable without value, even when one of that name exists
  // (expressions that name it find the oldest).
  DVar* DefineVariable(const char* name);

  // Parses one expression from the start of the text; on success it becomes
  // the handle's value (the previous one is destroyed). On a syntax error the
  // handle keeps its value.
  int Compile(DVar* handle, const char* text);
  // The same, reading from an open text stream.
  int CompileStream(DVar* handle, std::istream& in);
  // The same with the caller's scanner, standing on the first token of the
  // expression; it is left at the first token after the expression.
  int CompileFrom(DVar* handle, eScanner& scanner);

  // The handle's value becomes the real constant. Always 1.
  int SetConstant(DVar* handle, double value);

  // Writes the handle's value as text; 0 when it has none.
  int Print(DVar* handle, std::ostream& out);

  // Evaluates the source's value and stores the result as the target's value
  // (the previous one is destroyed). On failure the target is unchanged. Source
  // and target may be the same handle: the expression is replaced by its value.
  int Evaluate(DVar* source, DVar* target);
  // The real path: no value objects are made for an expression whose values
  // stay real. 1 with the real stored in `value`.
  int EvaluateReal(DVar* handle, double& value);

  // Reads one function definition, name(a, b) = body, and appends it to the
  // functions. Built-in functions come first: a definition named like one is
  // never called.
  int DefineFunction(const char* text);
  int DefineFunctionFrom(eScanner& scanner);

  // The system, for the parser and evaluator internals and for tests.
  eSystem& System() { return *system_; }

private:
  std::unique_ptr<CommonDefseSystem> system_;
};
