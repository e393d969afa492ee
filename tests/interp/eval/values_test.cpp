#include <gtest/gtest.h>

#include <functional>

#include <sstream>
#include <string>

#include "eval_fixture.h"

namespace zavo::test {
namespace {

struct ValueCase {
  std::string text;
  std::string value;  // printed result of Evaluate, or "<failed>"
  std::string real;   // printed result of EvaluateReal, or "<failed>"
};
void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.text; }

class ValueTest : public EvalTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(ValueTest, EvaluatesOnBothPaths) {
  EXPECT_EQ(Evaluated(GetParam().text), GetParam().value) << GetParam().text;
  EXPECT_EQ(EvaluatedReal(GetParam().text), GetParam().real) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValueTest,
    ::testing::Values(
        ValueCase{"8 - 4 - 2", "2", "2"}, ValueCase{"8 / 4 / 2", "1", "1"},
        ValueCase{"2 - 3 + 4", "3", "3"}, ValueCase{"1 + 2 * 3", "7", "7"},
        ValueCase{"-2 * 3", "-6", "-6"}, ValueCase{"1 / 3", "0.333333", "0.333333"},
        // Reals and complex values mix; the real path needs reals all the way down.
        ValueCase{"2 + [c 0, 1 ]", "[c 2,1 ]", "<failed>"},
        ValueCase{"[c 0, 1 ] * [c 0, 1 ]", "[c -1,0 ]", "<failed>"},
        ValueCase{"[c 1, 2 ] - 1", "[c 0,2 ]", "<failed>"},
        ValueCase{"1 - [c 1, 2 ]", "[c 0,-2 ]", "<failed>"},
        ValueCase{"2 * [c 1, 2 ]", "[c 2,4 ]", "<failed>"},
        ValueCase{"[c 1, 2 ] / [c 3, 4 ]", "[c 0.44,0.08 ]", "<failed>"},
        ValueCase{"-[c 1, 2 ]", "[c -1,-2 ]", "<failed>"},
        ValueCase{"[c 3, 0 ] + 1", "[c 4,0 ]", "4"},
        // Only sqrt looks at its argument's domain.
        ValueCase{"sqrt(-4)", "[c 0,2 ]", "<failed>"}, ValueCase{"sqrt(2)", "1.41421", "1.41421"},
        ValueCase{"sqrt([c 0, 0 ] - 4)", "[c 0,2 ]", "<failed>"},
        ValueCase{"abs([c 3, 4 ])", "[c 5,0 ]", "<failed>"}, ValueCase{"abs(-3)", "3", "3"},
        // sin, cos and zero have no complex form; the real path reads a
        // complex value with imaginary part 0 as its real part.
        ValueCase{"sin([c 0, 1 ])", "<failed>", "<failed>"},
        ValueCase{"cos([c 2, 0 ])", "<failed>", "-0.416147"},
        ValueCase{"sin([c 2, 0 ])", "<failed>", "0.909297"},
        ValueCase{"zero(0)", "1", "1"}, ValueCase{"zero(0.5)", "0", "0"},
        ValueCase{"zero([c 0, 0 ])", "<failed>", "1"},
        ValueCase{"exp([c 0, 0 ])", "[c 1,0 ]", "1"}, ValueCase{"log(1)", "0", "0"},
        ValueCase{"log10(1000)", "3", "3"}, ValueCase{"tanh(0) + cosh(0)", "1", "1"},
        // Vectors: only the scalar product accepts them.
        ValueCase{"[v 1, 2, 3 ] prodscal [v 4, 5, 6 ]", "32", "<failed>"},
        ValueCase{"prodscal([v 1 ], [v 2 ])", "2", "<failed>"},
        ValueCase{"[v 1, 2 ] prodscal [v 1, 2, 3 ]", "<failed>", "<failed>"},
        ValueCase{"[v 1, [c 1, 0 ] ] prodscal [v 1, 2 ]", "<failed>", "<failed>"},
        ValueCase{"[v 1, [v 1 ] ] prodscal [v 1, 2 ]", "<failed>", "<failed>"},
        ValueCase{"1 prodscal [v 1 ]", "<failed>", "<failed>"},
        ValueCase{"[v 1, 2 ] + [v 3, 4 ]", "<failed>", "<failed>"},
        ValueCase{"-[v 1 ]", "<failed>", "<failed>"}, ValueCase{"sqrt([v 4 ])", "<failed>", "<failed>"},
        ValueCase{"[v 1, 2, 3 ]", "[v 1, 2, 3 ]", "<failed>"},
        ValueCase{"[v 5 ]", "[v 5 ]", "<failed>"},
        ValueCase{"[v 1 + 1, [c 1, 2 ], [v 3 ] ]", "[v 2, [c 1,2 ], [v 3 ] ]", "<failed>"},
        // Numbers print with six significant digits.
        ValueCase{"1000000", "1e+06", "1e+06"}, ValueCase{"123456", "123456", "123456"},
        ValueCase{"0.0001", "0.0001", "0.0001"}, ValueCase{"0.00001", "1e-05", "1e-05"},
        ValueCase{"2.5", "2.5", "2.5"}));

TEST_F(EvalTest, AComplexResultWithImaginaryPartZeroGivesARealThroughGetReal) {
  DVar* h = system_.DefineVariable("h");
  DVar* r = system_.DefineVariable("r");
  ASSERT_EQ(system_.Compile(h, "[c 0, 1 ] * [c 0, 1 ]"), 1);
  double value = 0.0;
  EXPECT_EQ(system_.EvaluateReal(h, value), 0);
  ASSERT_EQ(system_.Evaluate(h, r), 1);
  EXPECT_EQ(r->Value()->Kind(), kComplexKind);
  ASSERT_EQ(system_.EvaluateReal(r, value), 1);
  EXPECT_EQ(value, -1.0);
}

struct PrintCase {
  std::string text;
  std::string printed;
};
void PrintTo(const PrintCase& c, std::ostream* os) { *os << c.text; }

class PrintTreeTest : public EvalTest, public ::testing::WithParamInterface<PrintCase> {};

TEST_P(PrintTreeTest, PrintsTheCompiledTree) {
  DVar* h = system_.DefineVariable("h");
  ASSERT_EQ(system_.Compile(h, GetParam().text.c_str()), 1);
  EXPECT_EQ(Printed(h), GetParam().printed);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PrintTreeTest,
    ::testing::Values(PrintCase{"x * (y + z)", "x * ( y + z )"}, PrintCase{"(x * y) + z", "x * y + z"},
                      PrintCase{"-x", " - x"}, PrintCase{"-(x + y)", " - ( x + y )"},
                      PrintCase{"sin(x)", "sin(x)"}, PrintCase{"abs(x - 1)", "abs(x - 1)"},
                      PrintCase{"prodscal(u, v)", "u prodscal v"},
                      PrintCase{"(x - y) * z", "( x - y ) * z"},
                      PrintCase{"a - (b - c)", "a - ( b - c )"}, PrintCase{"(a - b) - c", "a - b - c"},
                      PrintCase{"a / (b / c)", "a / ( b / c )"}, PrintCase{"(a / b) / c", "a / b / c"},
                      PrintCase{"a + (b + c)", "a + b + c"}, PrintCase{"(a + b) + c", "( a + b ) + c"},
                      // A chain of a non-associative operator keeps its parentheses.
                      PrintCase{"(u prodscal v) prodscal w", "( u prodscal v ) prodscal w"},
                      PrintCase{"u prodscal (v prodscal w)", "u prodscal ( v prodscal w )"},
                      PrintCase{"[v 1, x ]", "[v 1, x ]"}, PrintCase{"[c 1.5, 2 ]", "[c 1.5,2 ]"}));

TEST_F(EvalTest, APrintedTreeReadsBackAsTheSameTree) {
  for (const char* text :
       {"x * (y + z) - -x / 2", "(u prodscal v) prodscal w", "sin(x * (y - 1))", "-(x + y) * z",
        "[v 1, [c 0, 1 ], x ]", "a - (b - c)", "a / (b / c)", "a - (b + c)", "a + (b - c)",
        "(a + b) + c", "a * (b / c)", "a / (b * c)", "(a * b) * c", "-(-x)", "x - -y", "-x * y",
        "-(x * y)", "x * -y", "u prodscal -v", "-(u prodscal v)", "(-u) prodscal v",
        "abs(a - (b - c)) / (x / [v a / (b / c) ])"}) {
    DVar* h = system_.DefineVariable("h");
    ASSERT_EQ(system_.Compile(h, text), 1) << text;
    DVar* again = system_.DefineVariable("again");
    ASSERT_EQ(system_.Compile(again, Printed(h).c_str()), 1) << Printed(h);
    EXPECT_EQ(Tree(*again->Value()), Tree(*h->Value())) << text << " printed " << Printed(h);
  }
}

// Random trees over every operator, fully parenthesised: whatever the parser
// accepts prints as a text that parses as the same tree.
TEST_F(EvalTest, RandomOperatorTreesReadBackAsTheSameTree) {
  const char* infix[] = {"+", "-", "*", "/", "prodscal"};
  unsigned state = 777;
  auto next = [&state](unsigned n) {
    state = state * 1103515245u + 12345u;
    return (state >> 16) % n;
  };
  std::function<std::string(int)> term = [&](int depth) -> std::string {
    switch (depth <= 0 ? 0 : next(5)) {
      case 0:
        return std::string(1, static_cast<char>('a' + next(3)));
      case 1:
        return "(-" + term(depth - 1) + ")";
      case 2:
        return "abs(" + term(depth - 1) + ")";
      default:
        return "(" + term(depth - 1) + " " + infix[next(5)] + " " + term(depth - 1) + ")";
    }
  };
  int parsed = 0;
  for (int i = 0; i < 400; ++i) {
    const std::string text = term(6);
    DVar* h = system_.DefineVariable("h");
    if (system_.Compile(h, text.c_str()) == 0) continue;
    ++parsed;
    DVar* again = system_.DefineVariable("again");
    ASSERT_EQ(system_.Compile(again, Printed(h).c_str()), 1) << text << " printed " << Printed(h);
    EXPECT_EQ(Tree(*again->Value()), Tree(*h->Value())) << text << " printed " << Printed(h);
  }
  EXPECT_GT(parsed, 200);
}

// A chain of operands grouping to the left is a tree as deep as it is long:
// it is printed and destroyed without recursing through its depth.
TEST_F(EvalTest, LongChainsPrintAndAreDestroyedWithoutRecursion) {
  for (int operands : {5000, 300000}) {
    std::string text = "x";
    for (int i = 1; i < operands; ++i) text += "-x";
    DVar* h = system_.DefineVariable("h");
    ASSERT_EQ(system_.Compile(h, text.c_str()), 1);
    std::string expected = "x";
    for (int i = 1; i < operands; ++i) expected += " - x";
    EXPECT_EQ(Printed(h), expected);
    system_.SetConstant(h, 1.0);
  }
}

TEST_F(EvalTest, NodesAnswerTheirKindAndClassName) {
  ASSERT_EQ(system_.DefineFunction("id(p) = p"), 1);
  const EvalObj* param = static_cast<DFunExt*>(system_.System().FindFunction("id"))->Body();
  struct Row {
    const char* text;
    int kind;
    int isCall;
    const char* className;
  };
  for (const Row& row : {Row{"1", 1, 0, "RealNum"}, Row{"x", 2, 0, "Var"}, Row{"sin(x)", 4, 1, "Fun"},
                         Row{"[c 1, 2 ]", 100, 0, "ComplexNum"}, Row{"[v 1 ]", 101, 0, "eVector"}}) {
    DVar* h = system_.DefineVariable("h");
    ASSERT_EQ(system_.Compile(h, row.text), 1);
    EXPECT_EQ(h->Value()->Kind(), row.kind) << row.text;
    EXPECT_EQ(h->Value()->IsCall(), row.isCall) << row.text;
    EXPECT_STREQ(h->Value()->ClassName(), row.className) << row.text;
  }
  EXPECT_EQ(param->Kind(), 3);
  EXPECT_EQ(param->IsCall(), 0);
  EXPECT_STREQ(param->ClassName(), "Param");
}

}  // namespace
}  // namespace zavo::test
