#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "prolog_test_support.h"

namespace {

using zavo::test::ReadRule;

// The printed form of the clause term read from `text`, with its own names.
std::string Printed(PrologSystem& sys, const std::string& text) {
  auto rule = ReadRule(sys, text);
  if (rule == nullptr) return "<refused>";
  std::ostringstream os;
  sys.ViewMode = 0;
  sys.names = &rule->names;
  sys.Emit(os, *rule->term);
  sys.names = nullptr;
  return os.str();
}

struct PrintCase {
  const char* text;
  const char* printed;
};

const PrintCase kPrintCases[] = {
    {"[a, b, c].", "[ a , b , c ]"},
    {"[a | T].", "[ a | T ]"},
    {"[a, b | c].", "[ a , b | c ]"},
    {"[[a], []].", "[ [ a ] , [] ]"},
    {"a + b.", "a + b"},
    {"(a + b) * c.", "( a + b ) * c"},
    {"a * (b + c).", "a * ( b + c )"},
    {"a - (b - c).", "a - ( b - c )"},
    {"(a - b) - c.", "a - b - c"},
    {"x(2 * 3 * 4).", "x(2 * 3 * 4)"},
    {"x(8 / 4 / 2).", "x(8 / 4 / 2)"},
    {"f(a, b).", "f(a,b)"},
    {"f(_).", "f(_)"},
    {"f(X, Y, X).", "f(X,Y,X)"},
    {"p(X) :- q(X, Y).", "p(X) :- q(X,Y)"},
    {"a :- b, c ; d.", "a :- b , c ; d"},
    // Among arguments a "," term is enclosed, so that it reads as one.
    {"x(((a , b) , c)).", "x(( ( a , b ) , c ))"},
    {"x((a , b , c)).", "x(( a , b , c ))"},
    {"x(2.5, 100000, 1000000, 1.0E20, 0.1, 3.0).", "x(2.5,100000,1e+06,1e+20,0.1,3)"},
    {"x(- 1).", "x( - 1)"},
    {"x(- 1 - 2).", "x( - 1 - 2)"},
    {"x(- (- 1)).", "x( - (  - 1 ))"},
    {"x(not a).", "x( not a)"},
    {"?- p.", " ?- p"},
    // Operators without an order get parentheses, so the form reads back.
    {"x(a = (b = c)).", "x(a = ( b = c ))"},
    {"=(=(a, b), c).", "( a = b ) = c"},
    // An operator's definition with the wrong number of arguments prints in
    // functional notation.
    {"is(a).", "is(a)"},
    {"x(=(a, b, c)).", "x(=(a,b,c))"},
    {"x(is(a) + b).", "x(is(a) + b)"},
};

TEST(PrologOutput, PrintsTermsInTheirForms) {
  for (const PrintCase& c : kPrintCases) {
    SCOPED_TRACE(c.text);
    PrologSystem sys(1000, 1000);
    EXPECT_EQ(Printed(sys, c.text), c.printed);
  }
}

// Reads `text`, prints it with its own names, reads the printed form again:
// both trees must be the same.
void ExpectReadsBack(const std::string& text) {
  SCOPED_TRACE(text);
  PrologSystem sys(1000, 1000);
  auto first = ReadRule(sys, text);
  ASSERT_NE(first, nullptr);
  std::string printed = Printed(sys, text) + " .";
  auto again = ReadRule(sys, printed);
  ASSERT_NE(again, nullptr) << printed;
  EXPECT_EQ(zavo::test::Tree(sys, again->term), zavo::test::Tree(sys, first->term)) << printed;
}

TEST(PrologOutput, PrintedFormsReadBackAsTheSameTree) {
  const char* texts[] = {
      "x(2 * 3 * 4).", "x((a + b) * c).", "x(a = (b = c)).", "x(- 1 - 2).", "=(=(a, b), c).",
      "x([a, b | c]).",
      // Same priority: the right operand of a left-grouping operator and the
      // left operand of a right-grouping one keep their parentheses.
      "x(a - (b - c)).", "x(2 * (3 * 4)).", "x(8 / (4 / 2)).", "x(a - (b + c)).",
      "x(a + (b - c)).", "x(7 mod (3 mod 2)).", "x(2 * (3 / 4)).", "x((a , b) , c).",
      "x(a , (b , c)).", "x((a ; b) ; c).", "x(- (a - b)).", "x(- (- a)).", "x(not (a = b)).",
      "x(a - (- b)).", "x((- a) * b).", "x(a * (- b)).", "x(a = - b).", "x((a :- b) :- c).",
      "p :- (a :- b).", "x(f((a , b)), [(a , b), c | (d , e)]).", "x(f((a ; b , c))).",
      "x([(a :- b , c)]).", "p(X) :- q(X), X > 1, Y is X * (2 - 3), r(Y).",
  };
  for (const char* text : texts) ExpectReadsBack(text);
}

// Random trees over every operator of the table and parentheses everywhere:
// what the reader accepts prints as a text that reads as the same tree.
TEST(PrologOutput, RandomOperatorTermsReadBackAsTheSameTree) {
  const char* infix[] = {":-", ";", ",", "=", "is", "<", "=<", "+", "-", "*", "/", "mod", "div"};
  const char* prefix[] = {"-", "+", "not", "?-", ":-"};
  unsigned state = 12345;
  auto next = [&state](unsigned n) {
    state = state * 1103515245u + 12345u;
    return (state >> 16) % n;
  };
  std::function<std::string(int)> term = [&](int depth) -> std::string {
    unsigned pick = depth <= 0 ? 0 : next(6);
    switch (pick) {
      case 0:
        return std::string(1, static_cast<char>('a' + next(3)));
      case 1:
        return "f(" + term(depth - 1) + ", " + term(depth - 1) + ")";
      case 2:
        return "[" + term(depth - 1) + "]";
      case 3:
        return "(" + std::string(prefix[next(5)]) + " " + term(depth - 1) + ")";
      default:
        return "(" + term(depth - 1) + " " + infix[next(13)] + " " + term(depth - 1) + ")";
    }
  };
  int read = 0;
  for (int i = 0; i < 400; ++i) {
    std::string text = "x(" + term(5) + ").";
    PrologSystem sys(1000, 1000);
    if (ReadRule(sys, text) == nullptr) continue;
    ++read;
    ExpectReadsBack(text);
  }
  EXPECT_GT(read, 200);
}

TEST(PrologOutput, AnUnboundVariablePrintsByNameOrWithItsFrame) {
  PrologSystem sys(1000, 1000);
  auto rule = ReadRule(sys, "x(Y, X).");
  ASSERT_NE(rule, nullptr);
  sys.stack.Add(sys, rule.get());
  for (int i = 1; i <= 3; ++i) sys.stack.Add(sys, rule.get(), i - 1, nullptr);
  auto* x = static_cast<Functor*>(rule->term)->args[1];

  std::ostringstream mode1;
  sys.ViewMode = 1;
  sys.ViewFrame = 3;
  sys.Emit(mode1, *x);
  EXPECT_EQ(mode1.str(), "X_3");

  std::ostringstream mode0;
  sys.ViewMode = 0;
  sys.names = &rule->names;
  sys.Emit(mode0, *x);
  EXPECT_EQ(mode0.str(), "X");
  sys.names = nullptr;
  sys.stack.PopTo(sys, 0);
}

TEST(PrologOutput, FollowsBindingsInViewModeOne) {
  PrologSystem sys(1000, 1000);
  auto shown = ReadRule(sys, "x([a | T], X * c, Y).");
  auto values = ReadRule(sys, "x([b, c | U], a + b, U).");
  ASSERT_NE(shown, nullptr);
  ASSERT_NE(values, nullptr);
  sys.stack.Add(sys, shown.get());
  sys.stack.Add(sys, values.get(), 0, nullptr);
  auto* s = static_cast<Functor*>(shown->term);
  auto* v = static_cast<Functor*>(values->term);
  sys.LeftPos = 0;
  sys.RightPos = 1;
  // T = [b, c | U], X = a + b, Y = U (unbound in frame 1)
  ASSERT_TRUE(static_cast<Functor*>(s->args[0])->args[1]->Unify(sys, *v->args[0]));
  ASSERT_TRUE(static_cast<Functor*>(s->args[1])->args[0]->Unify(sys, *v->args[1]));
  ASSERT_TRUE(s->args[2]->Unify(sys, *v->args[2]));

  sys.ViewMode = 1;
  sys.ViewFrame = 0;
  std::ostringstream os;
  sys.Emit(os, *s);
  EXPECT_EQ(os.str(), "x([ a , b , c | U_1 ],( a + b ) * c,U_1)");
  EXPECT_EQ(sys.ViewFrame, 0);
  sys.stack.PopTo(sys, 0);
}

}  // namespace
