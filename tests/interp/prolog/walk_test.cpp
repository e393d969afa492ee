#include <gtest/gtest.h>

#include <memory>
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

// Without an occurs check a variable can be bound to a term that holds it:
// such a term prints "..." where it recurs, cannot be evaluated, and unifying
// two of them ends as a stack overflow. No goal hangs or exhausts the stack.
TEST(PrologWalk, TermsThatHoldThemselves) {
  PrologSystem sys(1000, 1000);
  sys.limits.steps = 1000000;
  ConsultText(sys, "colour(red).");
  const Case cases[] = {
      {"?- X = f(X).", "X = f(...)\nyes\n"},
      {"?- L = [a | L].", "L = [ a | ... ]\nyes\n"},
      {"?- L = [a, b | L], write(L).", "[ a , b | ... ] L = [ a , b | ... ]\nyes\n"},
      {"?- L = [L].", "L = [ ... ]\nyes\n"},
      {"?- X = f(Y), Y = g(X).", "X = f(g(...))\nY = g(f(...))\nyes\n"},
      {"?- X = 1 + X.", "X = 1 + ...\nyes\n"},
      {"?- X = 1 + X, Y is X .", "Eval fail in is\nno\n"},
      {"?- X = X + 1, X > 1 .", "pred minor\nno\n"},
      {"?- X = f(X), Y = f(Y), X = Y.", "Prolog stack overflow\nno\n"},
      {"?- X = f(X, a), Y = f(Y, a), X = Y.", "Prolog stack overflow\nno\n"},
      {"?- L = [a | L], M = [a | M], L = M.", "Prolog stack overflow\nno\n"},
      {"?- X = f(X), X = f(X).", "Prolog stack overflow\nno\n"},
      // A variable bound to itself through a chain binds nothing.
      {"?- X = Y, Y = X, X = Y.", "X = Y_0\nY = ???\nyes\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
    EXPECT_EQ(sys.stack.Count(), 0);
    EXPECT_EQ(Ask(sys, "?- colour(C)."), "C = red\nyes\n");
  }
}

TEST(PrologWalk, LongListsCostNoDepth) {
  PrologSystem sys(100000, 100000);
  ConsultText(sys,
              "len(0, []).\n"
              "len(N, [a | T]) :- N > 0, M is N - 1, len(M, T).\n"
              "same :- len(5000, L), len(5000, M), L = M.\n"
              "deep(0, a).\n"
              "deep(N, f(X)) :- N > 0, M is N - 1, deep(M, X).\n"
              "alike :- deep(3000, X), deep(3000, Y), X = Y.\n");
  EXPECT_EQ(Ask(sys, "?- same, !."), "yes\n");
  EXPECT_EQ(Ask(sys, "?- alike, !."), "yes\n");
  // Printing stops at the depth bound.
  std::string answer = Ask(sys, "?- deep(1500, X), !.");
  const size_t opened = answer.find("(...)");
  ASSERT_NE(opened, std::string::npos);
  EXPECT_EQ(answer.rfind("X = f(f(f(", 0), 0u);
  EXPECT_GT(opened, 2u * 400);
  EXPECT_LE(opened, 4 + 2u * 1000);
  EXPECT_EQ(answer.substr(answer.size() - 6), ")\nyes\n");
}

// A few bindings can make a term of exponential size: every walk of it stops
// at the step bound.
TEST(PrologWalk, ExponentialTermsStopAtTheStepBound) {
  PrologSystem sys(1000, 1000);
  sys.limits.steps = 10000;
  ConsultText(sys,
              "dag(0, a).\n"
              "dag(N, f(X, X)) :- N > 0, M is N - 1, dag(M, X).\n"
              "sum(0, 1).\n"
              "sum(N, X + X) :- N > 0, M is N - 1, sum(M, X).\n");
  EXPECT_EQ(Ask(sys, "?- dag(60, X), dag(60, Y), X = Y."), "Prolog stack overflow\nno\n");
  EXPECT_EQ(Ask(sys, "?- sum(60, X), Y is X ."), "Eval fail in is\nno\n");
  // X + X prints its right X in parentheses: "+" groups to the left.
  std::string sum = "1";
  for (int i = 0; i < 10; ++i) sum += i == 0 ? " + 1" : " + ( " + sum + " )";
  EXPECT_EQ(Ask(sys, "?- sum(10, X), Y is X, !."), "X = " + sum + "\nY = 1024\nyes\n");
  std::string printed = Ask(sys, "?- dag(60, X), write(X), fail.");
  EXPECT_LT(printed.size(), 100000u);
  EXPECT_NE(printed.find("..."), std::string::npos);
  EXPECT_EQ(printed.substr(printed.size() - 4), " no\n");
}

// A clause of 300 000 operators grouping to the left is a term 300 000
// levels deep: it is read, listed up to the depth bound, run and destroyed
// without recursing through its depth.
TEST(PrologWalk, DeepTermsAreReadListedAndDestroyedWithoutRecursion) {
  std::string text = "p :- a";
  for (int i = 0; i < 300000; ++i) text += "-a";
  text += ".\nq.\n";
  {
    PrologSystem sys(1000, 1000);
    ConsultText(sys, text);
    ASSERT_EQ(sys.rules.Count(), 2);
    std::ostringstream listing;
    sys.ListRules(listing);
    EXPECT_EQ(listing.str().rfind("p :- ( ...", 0), 0u);
    EXPECT_EQ(Ask(sys, "?- p."), "no\n");
    EXPECT_EQ(Ask(sys, "?- q."), "yes\n");
  }
  PrologSystem sys(1000, 1000);
  std::istringstream in("?- X = f(" + text.substr(5, 600001) + ").");
  pParser p(in);
  std::unique_ptr<Rule> query(sys.ReadClause(p));
  ASSERT_NE(query, nullptr);
}

}  // namespace
