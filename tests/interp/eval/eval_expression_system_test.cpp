#include <gtest/gtest.h>

#include <cfenv>
#include <csignal>
#include <locale>
#include <sstream>
#include <string>

#include "eval_fixture.h"

namespace zavo::test {
namespace {

// n operands joined by op.
std::string Chain(int n, const std::string& op) {
  std::string text = "1";
  for (int i = 1; i < n; ++i) text += " " + op + " 1";
  return text;
}

// ---- handles ---------------------------------------------------------------

TEST_F(EvalTest, CompileStoresTheFirstExpressionOfTheText) {
  DVar* h = system_.DefineVariable("h");
  ASSERT_EQ(system_.Compile(h, "1 2"), 1);
  EXPECT_EQ(Printed(h), "1");
}

TEST_F(EvalTest, CompileStreamReadsFromAnOpenStream) {
  DVar* h = system_.DefineVariable("h");
  std::istringstream in("2 * x // the rest\n");
  ASSERT_EQ(system_.CompileStream(h, in), 1);
  EXPECT_EQ(Printed(h), "2 * x");
}

TEST_F(EvalTest, AFailedCompileKeepsThePreviousExpression) {
  DVar* h = system_.DefineVariable("h");
  ASSERT_EQ(system_.Compile(h, "x + 1"), 1);
  EXPECT_EQ(system_.Compile(h, "undefined + 1"), 0);
  EXPECT_EQ(Printed(h), "x + 1");
}

TEST_F(EvalTest, EvaluatingIntoTheSourceReplacesTheExpressionByItsValue) {
  DVar* h = system_.DefineVariable("h");
  Set("x", 3.0);
  ASSERT_EQ(system_.Compile(h, "x * 2"), 1);
  ASSERT_EQ(system_.Evaluate(h, h), 1);
  EXPECT_EQ(Printed(h), "6");
  Set("x", 10.0);
  ASSERT_EQ(system_.Evaluate(h, h), 1);
  EXPECT_EQ(Printed(h), "6");
}

TEST_F(EvalTest, SetConstantReplacesTheValue) {
  DVar* h = system_.DefineVariable("h");
  ASSERT_EQ(system_.Compile(h, "x + 1"), 1);
  EXPECT_EQ(system_.SetConstant(h, 2.0), 1);
  EXPECT_EQ(Printed(h), "2");
}

TEST_F(EvalTest, AComplexLiteralEvaluatedIntoASecondHandlePrintsThere) {
  DVar* h = system_.DefineVariable("h");
  DVar* r = system_.DefineVariable("r");
  ASSERT_EQ(system_.Compile(h, "[c 1, 2]"), 1);
  ASSERT_EQ(system_.Evaluate(h, r), 1);
  EXPECT_EQ(Printed(r), "[c 1,2 ]");
}

TEST_F(EvalTest, ExpressionsBindToTheFirstVariableOfAName) {
  DVar* first = system_.DefineVariable("t");
  DVar* second = system_.DefineVariable("t");
  ASSERT_NE(first, second);
  system_.SetConstant(first, 1.0);
  system_.SetConstant(second, 2.0);
  EXPECT_EQ(EvaluatedReal("t"), "1");
}

TEST_F(EvalTest, AVariableIsReadAtEvaluationTime) {
  DVar* h = system_.DefineVariable("h");
  DVar* r = system_.DefineVariable("r");
  ASSERT_EQ(system_.Compile(h, "x * x + y"), 1);
  Set("x", 2.0);
  Set("y", 1.0);
  ASSERT_EQ(system_.Evaluate(h, r), 1);
  EXPECT_EQ(Printed(r), "5");
  Set("x", 3.0);
  ASSERT_EQ(system_.Evaluate(h, r), 1);
  EXPECT_EQ(Printed(r), "10");
  double value = 0.0;
  ASSERT_EQ(system_.EvaluateReal(h, value), 1);
  EXPECT_EQ(value, 10.0);
}

TEST_F(EvalTest, VariablesMayNameEachOther) {
  DVar* r2 = system_.DefineVariable("r2");
  DVar* rx = system_.DefineVariable("rx");
  ASSERT_EQ(system_.Compile(r2, "x * x + y * y"), 1);
  ASSERT_EQ(system_.Compile(rx, "sqrt(r2) - 1"), 1);
  Set("x", 3.0);
  Set("y", 4.0);
  EXPECT_EQ(EvaluatedReal("rx"), "4");
}

TEST_F(EvalTest, AHandleWithoutValueAnswersZero) {
  DVar* empty = system_.DefineVariable("empty");
  DVar* r = system_.DefineVariable("r");
  system_.SetConstant(r, 5.0);
  std::ostringstream out;
  double value = 1.0;
  EXPECT_EQ(system_.Print(empty, out), 0);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(system_.Evaluate(empty, r), 0);
  EXPECT_EQ(system_.EvaluateReal(empty, value), 0);
  EXPECT_EQ(value, 1.0);
  EXPECT_EQ(Printed(r), "5");
}

TEST_F(EvalTest, AFailedEvaluationLeavesTheTargetUnchanged) {
  DVar* h = system_.DefineVariable("h");
  DVar* r = system_.DefineVariable("r");
  system_.SetConstant(r, 5.0);
  ASSERT_EQ(system_.Compile(h, "[v 1 ] + 1"), 1);
  EXPECT_EQ(system_.Evaluate(h, r), 0);
  EXPECT_EQ(Printed(r), "5");
}

// ---- user-defined functions ------------------------------------------------

TEST_F(EvalTest, ADefinedFunctionIsCalledWithItsArguments) {
  ASSERT_EQ(system_.DefineFunction("g(a, b) = a * b + 1"), 1);
  EXPECT_EQ(Evaluated("g(2, 3)"), "7");
  EXPECT_EQ(EvaluatedReal("g(2, 3)"), "7");
  EXPECT_EQ(Evaluated("g([c 0, 1 ], [c 0, 1 ])"), "[c 0,0 ]");
}

TEST_F(EvalTest, AnArgumentIsEvaluatedWhereTheCallWasWritten) {
  // sq's parameter refers to "t + 1", whose t is f's own parameter.
  ASSERT_EQ(system_.DefineFunction("sq(t) = t * t"), 1);
  ASSERT_EQ(system_.DefineFunction("f(t) = sq(t + 1)"), 1);
  EXPECT_EQ(Evaluated("f(2)"), "9");
  EXPECT_EQ(EvaluatedReal("f(2)"), "9");
  EXPECT_EQ(Evaluated("f(f(0))"), "4");
  EXPECT_EQ(system_.System().CurrentCall(), nullptr);
}

TEST_F(EvalTest, AFunctionBodyReadsVariablesAtEvaluationTime) {
  ASSERT_EQ(system_.DefineFunction("shift(p) = p + x"), 1);
  Set("x", 1.0);
  EXPECT_EQ(EvaluatedReal("shift(2)"), "3");
  Set("x", 5.0);
  EXPECT_EQ(EvaluatedReal("shift(2)"), "7");
}

TEST_F(EvalTest, AFunctionWithoutParametersIsDefinedButNeverCallable) {
  ASSERT_EQ(system_.DefineFunction("f() = 1"), 1);
  DFun* f = system_.System().FindFunction("f");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->Arity(), 0);
  EXPECT_EQ(Parsed("f()"), "<refused>");
}

TEST_F(EvalTest, ADefinitionHasAtMostNinetyNineParameters) {
  auto definition = [](int n) {
    std::string text = "many(p0";
    for (int i = 1; i < n; ++i) text += ", p" + std::to_string(i);
    return text + ") = p0";
  };
  EXPECT_EQ(system_.DefineFunction(definition(100).c_str()), 0);
  EXPECT_EQ(system_.System().FindFunction("many"), nullptr);
  EXPECT_EQ(system_.DefineFunction(definition(99).c_str()), 1);
  EXPECT_EQ(system_.System().FindFunction("many")->Arity(), 99);
}

TEST_F(EvalTest, BuiltInsComeBeforeAUserFunctionOfTheSameName) {
  ASSERT_EQ(system_.DefineFunction("sin(a) = 2"), 1);
  EXPECT_EQ(Evaluated("sin(0)"), "0");
}

TEST_F(EvalTest, ABadDefinitionAddsNothing) {
  for (const char* text : {"g(a, ) = a", "g a = 1", "g(a) a", "g(a) = ", "g(1) = 1", "(a) = 1",
                           "g(a) = q", "g(a = a", "", "g(a) = f(a)"}) {
    EXPECT_EQ(system_.DefineFunction(text), 0) << text;
    EXPECT_EQ(system_.System().FindFunction("g"), nullptr) << text;
  }
}

// ---- faults of evaluation ----------------------------------------------------

struct FaultCase {
  const char* text;
  const char* variable;  // set at run time, so that nothing can be folded
  double value;
};
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.text; }

class FaultTest : public EvalTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FaultTest, EvaluationFailsAndTheNextOneWorks) {
  Set(GetParam().variable, GetParam().value);
  DVar* h = system_.DefineVariable("h");
  DVar* r = system_.DefineVariable("r");
  system_.SetConstant(r, 5.0);
  ASSERT_EQ(system_.Compile(h, GetParam().text), 1);
  EXPECT_EQ(system_.Evaluate(h, r), 0);
  EXPECT_EQ(Printed(r), "5");
  double value = 1.0;
  EXPECT_EQ(system_.EvaluateReal(h, value), 0);
  EXPECT_EQ(value, 1.0);
  EXPECT_EQ(Evaluated("2 + 2"), "4");
  EXPECT_EQ(EvaluatedReal("2 + 2"), "4");
}

INSTANTIATE_TEST_SUITE_P(Texts, FaultTest,
                         ::testing::Values(FaultCase{"1 / z", "z", 0.0}, FaultCase{"log(z)", "z", 0.0},
                                           FaultCase{"exp(z)", "z", 1000.0},
                                           FaultCase{"acos(z)", "z", 2.0},
                                           FaultCase{"log(z)", "z", -1.0},
                                           FaultCase{"z * z", "z", 1e200},
                                           FaultCase{"[c 1, 1 ] / (z * [c 1, 0 ])", "z", 0.0}));

TEST_F(EvalTest, AFaultFlagRaisedBeforeTheEvaluationDoesNotCount) {
  std::feraiseexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
  EXPECT_EQ(Evaluated("1 + 1"), "2");
  std::feraiseexcept(FE_DIVBYZERO);
  EXPECT_EQ(EvaluatedReal("1 + 1"), "2");
}

void MarkerHandler(int) {}

TEST_F(EvalTest, EvaluationLeavesTheSignalHandlingAlone) {
  auto previous = std::signal(SIGFPE, MarkerHandler);
  Set("z", 0.0);
  EXPECT_EQ(Evaluated("1 / z"), "<failed>");
  EXPECT_EQ(std::signal(SIGFPE, previous), MarkerHandler);
}

TEST_F(EvalTest, AVariableThatRefersToItselfFails) {
  DVar* self = system_.DefineVariable("self");
  ASSERT_EQ(system_.Compile(self, "self + 1"), 1);
  DVar* p = system_.DefineVariable("p");
  DVar* q = system_.DefineVariable("q");
  ASSERT_EQ(system_.Compile(p, "q * 2"), 1);
  ASSERT_EQ(system_.Compile(q, "[v p ]"), 1);
  DVar* r = system_.DefineVariable("r");
  double value;
  EXPECT_EQ(system_.Evaluate(self, r), 0);
  EXPECT_EQ(system_.EvaluateReal(self, value), 0);
  EXPECT_EQ(system_.Evaluate(p, r), 0);
  EXPECT_EQ(system_.EvaluateReal(p, value), 0);
  EXPECT_EQ(Evaluated("x + 1"), "1");
}

TEST_F(EvalTest, AVariableWithoutValueFails) {
  system_.DefineVariable("unset");
  EXPECT_EQ(Evaluated("unset + 1"), "<failed>");
  EXPECT_EQ(EvaluatedReal("unset + 1"), "<failed>");
  EXPECT_EQ(Evaluated("x + 1"), "1");
}

TEST_F(EvalTest, ALongChainOfVariablesEvaluates) {
  DVar* previous = system_.DefineVariable("k0");
  system_.SetConstant(previous, 0.0);
  for (int i = 1; i <= 300; ++i) {
    const std::string name = "k" + std::to_string(i);
    DVar* next = system_.DefineVariable(name.c_str());
    const std::string text = "k" + std::to_string(i - 1) + " + 1";
    ASSERT_EQ(system_.Compile(next, text.c_str()), 1);
    previous = next;
  }
  EXPECT_EQ(Evaluated("k300"), "300");
  EXPECT_EQ(EvaluatedReal("k300"), "300");
}

TEST_F(EvalTest, AnEvaluationNestedTooDeeplyFailsCleanly) {
  // 63 levels of parentheses, each holding a chain of 99 right-grouping "+".
  std::string text;
  for (int level = 0; level < 63; ++level) text += Chain(99, "+") + " + (";
  text += "1" + std::string(63, ')');
  DVar* h = system_.DefineVariable("h");
  ASSERT_EQ(system_.Compile(h, text.c_str()), 1);
  DVar* r = system_.DefineVariable("r");
  double value;
  EXPECT_EQ(system_.Evaluate(h, r), 0);
  EXPECT_EQ(system_.EvaluateReal(h, value), 0);
  EXPECT_EQ(Printed(h).substr(0, 9), "1 + 1 + 1");
  EXPECT_EQ(Evaluated("x + 1"), "1");
}

TEST_F(EvalTest, AnEvaluationOfExponentialCostFailsInsteadOfHanging) {
  ASSERT_EQ(system_.DefineFunction("twice(t) = t + t"), 1);
  std::string text = "1";
  for (int i = 0; i < 60; ++i) text = "twice(" + text + ")";
  EXPECT_EQ(Evaluated(text), "<failed>");
  EXPECT_EQ(EvaluatedReal(text), "<failed>");
  EXPECT_EQ(Evaluated("twice(twice(twice(1)))"), "8");
}

// A locale that writes 1234.5 as "1.234,5".
struct GermanPunct : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST_F(EvalTest, PrintingIgnoresTheStreamsLocale) {
  std::ostringstream out;
  out.imbue(std::locale(std::locale::classic(), new GermanPunct));
  DVar* h = system_.DefineVariable("h");
  ASSERT_EQ(system_.Compile(h, "[v 1234.5, [c 0.25, 1e6 ] ]"), 1);
  ASSERT_EQ(system_.Print(h, out), 1);
  EXPECT_EQ(out.str(), "[v 1234.5, [c 0.25,1e+06 ] ]");
}

}  // namespace
}  // namespace zavo::test
