#include <gtest/gtest.h>

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

// A vector literal of n elements.
std::string VectorOf(int n) {
  std::string text = "[v 1";
  for (int i = 1; i < n; ++i) text += ", 1";
  return text + " ]";
}

std::string Nested(int depth) { return std::string(depth, '(') + "1" + std::string(depth, ')'); }

struct TreeCase {
  std::string text;
  std::string tree;
};
void PrintTo(const TreeCase& c, std::ostream* os) { *os << c.text.substr(0, 60); }

class ParseTreeTest : public EvalTest, public ::testing::WithParamInterface<TreeCase> {};

TEST_P(ParseTreeTest, BuildsTheTree) { EXPECT_EQ(Parsed(GetParam().text), GetParam().tree); }

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseTreeTest,
    ::testing::Values(
        // Priorities: a smaller number binds tighter.
        TreeCase{"1 + 2 * 3", "+(1,*(2,3))"}, TreeCase{"2 * 3 + 1", "+(*(2,3),1)"},
        // "-" and "/" group to the left, "+" and "*" to the right.
        TreeCase{"a - b - c", "-(-(a,b),c)"}, TreeCase{"a / b / c", "/(/(a,b),c)"},
        TreeCase{"a + b + c", "+(a,+(b,c))"}, TreeCase{"a * b * c", "*(a,*(b,c))"},
        // Equal priorities and different names group from the left.
        TreeCase{"a - b + c", "+(-(a,b),c)"}, TreeCase{"a + b - c", "-(+(a,b),c)"},
        TreeCase{"a / b * c", "*(/(a,b),c)"},
        // The prefix minus binds tighter than "*".
        TreeCase{"-x * y", "*(-(x),y)"}, TreeCase{"x * -y", "*(x,-(y))"},
        TreeCase{"- - x", "-(-(x))"}, TreeCase{"x - -y", "-(x,-(y))"},
        TreeCase{"-u prodscal v", "prodscal(-(u),v)"},
        TreeCase{"a * u prodscal v", "*(a,prodscal(u,v))"},
        // A word operator and its call form build the same call.
        TreeCase{"u prodscal v", "prodscal(u,v)"}, TreeCase{"prodscal(u, v)", "prodscal(u,v)"},
        TreeCase{"(a + b) * c", "*(+(a,b),c)"}, TreeCase{"sin(x) + 1", "+(sin(x),1)"},
        TreeCase{"[c 1.5, 2 ]", "[c 1.5,2]"},
        TreeCase{"[v 1, x + 1, [c 0, 1 ] ]", "[v 1,+(x,1),[c 0,1]]"},
        TreeCase{"[vector 1 ]", "[v 1]"},
        // Numbers: unsigned, with a fraction and an exponent.
        TreeCase{"1e3 + .5 * 2.5E-1", "+(1000,*(0.5,0.25))"},
        TreeCase{"1e-999", "0"},
        // Comments are blanks; what follows the expression is not read.
        TreeCase{"1 /* two */ + // rest\n 2", "+(1,2)"}, TreeCase{"x y", "x"},
        TreeCase{"1 + 2 )", "+(1,2)"}, TreeCase{"1 2", "1"},
        // At the limits of the stacks and lists.
        TreeCase{Nested(50), "1"}));

TEST_F(EvalTest, TheStacksHoldOneHundredEntries) {
  EXPECT_NE(Parsed(Chain(100, "+")), "<refused>");
  EXPECT_NE(Parsed(VectorOf(100)), "<refused>");
  EXPECT_NE(Parsed(std::string(100, '-') + "x"), "<refused>");
}

TEST_F(EvalTest, AnExpressionEndsBeforeTheFirstTokenThatIsNoOperator) {
  std::istringstream in("x y + 1");
  eScanner scanner(in);
  scanner.Next();
  DVar* h = system_.DefineVariable("h");
  ASSERT_EQ(system_.CompileFrom(h, scanner), 1);
  EXPECT_EQ(Tree(*h->Value()), "x");
  EXPECT_STREQ(scanner.Text(), "y");
}

struct RefusedCase {
  std::string what;
  std::string text;
};
void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.what; }

class RefusedTextTest : public EvalTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedTextTest, CompileAnswersZeroAndKeepsTheValue) {
  DVar* h = system_.DefineVariable("h");
  system_.SetConstant(h, 7.0);
  EXPECT_EQ(system_.Compile(h, GetParam().text.c_str()), 0) << GetParam().what;
  EXPECT_EQ(Printed(h), "7") << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RefusedTextTest,
    ::testing::Values(
        RefusedCase{"a name that is no variable", "q + 1"},
        RefusedCase{"a chain of a non-associative operator", "u prodscal v prodscal w"},
        RefusedCase{"an undefined function", "h(1)"},
        RefusedCase{"a wrong number of arguments", "sin(1, 2)"},
        RefusedCase{"an empty argument list", "sin()"},
        RefusedCase{"a broken argument list", "sin(1"},
        RefusedCase{"101 pending operands", Chain(101, "+")},
        RefusedCase{"101 pending prefix operators", std::string(101, '-') + "x"},
        RefusedCase{"101 vector elements", VectorOf(101)},
        RefusedCase{"101 call arguments", "sin(" + Chain(101, ",") + ")"},
        RefusedCase{"a signed complex part", "[c -1, 2 ]"},
        RefusedCase{"a complex part that is an expression", "[c 1 + 1, 2 ]"},
        RefusedCase{"an unclosed complex literal", "[c 1, 2"},
        RefusedCase{"an unknown bracket literal", "[x 1 ]"},
        RefusedCase{"an empty vector", "[v ]"},
        RefusedCase{"an unclosed vector", "[v 1, 2"},
        RefusedCase{"a missing operand", "1 +"},
        RefusedCase{"a missing parenthesis", "(1 + 2"},
        RefusedCase{"an operator in place of an operand", "* 2"},
        RefusedCase{"an empty text", ""}, RefusedCase{"only a comment", "/* 1 */"},
        RefusedCase{"a number too large for a double", "1e999"},
        RefusedCase{"a token too long for the ring", "1" + std::string(150, '0')},
        RefusedCase{"parentheses nested too deep", Nested(1000)}));

TEST_F(EvalTest, InsideADefinitionAParameterHidesAVariable) {
  Set("a", 100.0);
  ASSERT_EQ(system_.DefineFunction("h(a) = a + 1"), 1);
  EXPECT_EQ(Evaluated("h(1)"), "2");
  DFun* h = system_.System().FindFunction("h");
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(Tree(*static_cast<DFunExt*>(h)->Body()), "+($0,1)");
}

TEST(OperatorIsBig, ComparesPrioritiesThenNamesThenTypes) {
  Operator plus("+", kXfy, 100), minus("-", kYfx, 100), neg("-", kFx, 25), times("*", kXfy, 50);
  Operator prodscal("prodscal", kXfx, 25), post("!", kYf, 10), post2("?", kXf, 10);
  EXPECT_EQ(plus.Position(), kInfix);
  EXPECT_EQ(neg.Position(), kPrefix);
  EXPECT_EQ(post.Position(), kPostfix);
  EXPECT_EQ(Operator::IsBig(times, plus), 1);
  EXPECT_EQ(Operator::IsBig(plus, times), 0);
  EXPECT_EQ(Operator::IsBig(plus, minus), 1);
  EXPECT_EQ(Operator::IsBig(plus, plus), 0);
  EXPECT_EQ(Operator::IsBig(minus, minus), 1);
  EXPECT_EQ(Operator::IsBig(neg, prodscal), 1);
  EXPECT_EQ(Operator::IsBig(post, post), 1);
  EXPECT_EQ(Operator::IsBig(prodscal, prodscal), kNoGrouping);
  EXPECT_EQ(Operator::IsBig(post2, post2), kNoGrouping);
}

}  // namespace
}  // namespace zavo::test
