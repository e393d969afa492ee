#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "prolog_test_support.h"

namespace {

using zavo::test::Ask;
using zavo::test::ConsultText;

struct Case {
  const char* goal;
  const char* answer;
};

TEST(PrologArithmetic, IsEvaluatesOnDoubles) {
  PrologSystem sys(1000, 1000);
  // A "." after digits ends the goal when the text ends after it.
  const Case cases[] = {
      {"?- X is 2 + 3 * 4 .", "X = 14\nyes\n"},
      {"?- X is 2 + 3 * 4.", "X = 14\nyes\n"},
      {"?- X is 2.5 * 2.", "X = 5\nyes\n"},
      {"?- X is 2 * 3 * 4 .", "X = 24\nyes\n"},
      {"?- X is 10 - 2 - 3 .", "X = 5\nyes\n"},
      {"?- X is 12 / 2 / 3 .", "X = 2\nyes\n"},
      {"?- X is 7 / 2 .", "X = 3.5\nyes\n"},
      {"?- X is 7 mod 2 .", "X = 1\nyes\n"},
      {"?- X is (- 7) mod 2 .", "X = -1\nyes\n"},
      {"?- X is 7 mod (- 2) .", "X = 1\nyes\n"},
      {"?- X is 7.9 mod 2.5 .", "X = 1\nyes\n"},
      {"?- X is pow(2, 10).", "X = 1024\nyes\n"},
      {"?- X is - 3 .", "X = -3\nyes\n"},
      {"?- X is + 3 .", "X = 3\nyes\n"},
      {"?- X is -(2 + 3).", "X = -5\nyes\n"},
      {"?- X is sin(0) + cos(0) + tan(0).", "X = 1\nyes\n"},
      {"?- X is asin(1) * 2 - acos(-1).", "X = 0\nyes\n"},
      {"?- X is atan(1) * 4 .", "X = 3.14159\nyes\n"},
      {"?- X is sqrt(16) + exp(0) + log(1).", "X = 5\nyes\n"},
      {"?- X is 1 / 0 .", "X = inf\nyes\n"},
      {"?- Y = 4, X is Y * Y .", "Y = 4\nX = 16\nyes\n"},
      {"?- X is 2, Y is X + X .", "X = 2\nY = 4\nyes\n"},
      // No value: an atom, an unbound variable, a name without evaluator,
      // a wrong argument count, an integer division by zero.
      {"?- X is 1 + a .", "Eval fail in is\nno\n"},
      {"?- X is Y + 1 .", "Eval fail in is\nno\n"},
      {"?- X is 1 div 2 .", "Eval fail in is\nno\n"},
      {"?- X is sin(1, 2).", "Eval fail in is\nno\n"},
      {"?- X is pow(2).", "Eval fail in is\nno\n"},
      {"?- X is sin .", "Eval fail in is\nno\n"},
      {"?- X is 7 mod 0 .", "Eval fail in is\nno\n"},
      {"?- X is 7 mod 0.5 .", "Eval fail in is\nno\n"},
      {"?- X is f(1).", "Eval fail in is\nno\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
  }
}

TEST(PrologArithmetic, ComparisonsEvaluateBothSides) {
  PrologSystem sys(1000, 1000);
  const Case cases[] = {
      {"?- 3 < 3 .", "no\n"},
      {"?- 2 < 3 .", "yes\n"},
      {"?- 3 =< 3 .", "yes\n"},
      {"?- 4 =< 3 .", "no\n"},
      {"?- 3 > 2 .", "yes\n"},
      {"?- 3 > 3 .", "no\n"},
      {"?- 3 >= 3 .", "yes\n"},
      {"?- 2 >= 3 .", "no\n"},
      {"?- 2 =:= 2.0 .", "yes\n"},
      {"?- 1 + 1 =:= 3 .", "no\n"},
      {"?- 1 =\\= 2 .", "yes\n"},
      {"?- 2 =\\= 2 .", "no\n"},
      {"?- X = 2, X * X =:= 4 .", "X = 2\nyes\n"},
      // NaN is neither less nor greater: the forms written as negations hold.
      {"?- sqrt(- 1) < 0 .", "yes\n"},
      {"?- sqrt(- 1) =< 0 .", "yes\n"},
      {"?- sqrt(- 1) =:= 1 .", "yes\n"},
      {"?- sqrt(- 1) > 0 .", "no\n"},
      {"?- sqrt(- 1) >= 0 .", "no\n"},
      {"?- sqrt(- 1) =\\= 1 .", "no\n"},
      {"?- 1 < a .", "pred minor\nno\n"},
      {"?- X > 1 .", "pred minor\nno\n"},
      {"?- 1 =:= 1 mod 0 .", "pred minor\nno\n"},
      {"?- 1 =\\= a .", "pred diff\nno\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
  }
}

TEST(PrologArithmetic, BuiltinsUsedAgainstTheirContractFail) {
  PrologSystem sys(1000, 1000);
  ConsultText(sys, "colour(red).");
  const Case cases[] = {
      {"?- X = 1, X is 2 .", "pred is\nno\n"},
      {"?- is(X, 1, 2).", "pred is\nno\n"},
      {"?- 3 is 3 .", "pred is\nno\n"},
      {"?- =(a).", "pred diff\nno\n"},
      {"?- <(1).", "pred diff\nno\n"},
      {"?- =:=(1, 2, 3).", "pred diff\nno\n"},
      {"?- colour(X), X is 2 .", "pred is\nno\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
    EXPECT_EQ(Ask(sys, "?- colour(C)."), "C = red\nyes\n");
  }
}

TEST(PrologArithmetic, EvaluatorsTraceToTheLogWhileDebugging) {
  PrologSystem sys(1000, 1000);
  std::ostringstream log;
  sys.log = &log;
  sys.debug = 1;
  auto rule = zavo::test::ReadRule(sys, "x(Y) :- Y is 2 * 3 + (- 1).");
  ASSERT_NE(rule, nullptr);
  auto* is = static_cast<Functor*>(rule->body);
  sys.stack.Add(sys, rule.get());
  sys.ViewFrame = 0;
  std::unique_ptr<pObj> value(is->args[1]->Eval(sys, 1));
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(static_cast<RealNumber*>(value.get())->value, 5);
  EXPECT_EQ(log.str(),
            "fneval_plus1\n"
            "Arg 0 = 2 * 3  \n"
            "fneval_molt1\n"
            "molt1: ps.Pos = 0\n"
            "molt1: Arg 0 = 2  \n"
            "molt1: ps.Pos = 0\n"
            "molt1: Arg 1 = 3  \n"
            "molt1: ps.Pos = 0\n"
            "molt1: res = 6\n"
            "Arg 1 =  - 1  \n"
            "fneval_fminus1\n"
            "Arg 0 = 1  \n"
            "fminus1 res = -1\n"
            "plus1 res = 5\n");
  sys.stack.PopTo(sys, 0);
}

}  // namespace
