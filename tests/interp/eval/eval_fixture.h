#pragma once
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "interp/eval/eval_expression_system.h"

namespace zavo::test {

// A tree in a compact prefix form: numbers, names, "op(a,b)", "[c re,im]",
// "[v a,b]", "$i" for parameter i.
std::string Tree(const EvalObj& node);

// An evaluator with the variables a, b, c, u, v, w, x, y, z (values 0 unless set).
class EvalTest : public ::testing::Test {
protected:
  EvalTest();

  DVar* Var(const char* name) { return system_.System().FindVariable(name); }
  void Set(const char* name, double value) { system_.SetConstant(Var(name), value); }

  // The printed value of a handle; "<none>" when it has none.
  std::string Printed(DVar* handle);
  // Compiles the text into a fresh handle and answers its tree, or "<refused>".
  std::string Parsed(const std::string& text);
  // Compiles and evaluates the text into a result handle: its printed value, or
  // "<refused>" / "<failed>".
  std::string Evaluated(const std::string& text);
  // Compiles and evaluates the text through the real path: the number printed,
  // or "<refused>" / "<failed>".
  std::string EvaluatedReal(const std::string& text);

  EvalExpressionSystem system_;
};

}  // namespace zavo::test
