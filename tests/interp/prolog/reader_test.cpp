#include <gtest/gtest.h>

#include <string>

#include "prolog_test_support.h"

namespace {

using zavo::test::ReadRule;
using zavo::test::Tree;

struct ReadCase {
  const char* text;
  const char* tree;  // null: the clause is refused
};

// Entries: 1 ":-", 2 prefix ":-", 4 ";", 5 ",", 6 "=", 7 "is", 16 "+",
// 17 "-", 18 "*", 19 "/", 31 prefix "+", 32 prefix "-".
const ReadCase kReadCases[] = {
    {"p(a, b).", "p(a,b)"},
    {"p((a, b)).", "p(,#5(a,b))"},
    {"[a, b | T].", ".(a,.(b,V0))"},
    {"[a, (b, c)].", ".(a,.(,#5(b,c),[]))"},
    {"[].", "[]"},
    {"[ ].", "[]"},
    // A "." after digits before white space or the end is the full stop.
    {"X is 2 + 3.\n", "is#7(V0,+#16(2,3))"},
    {"X > 1.", ">#9(V0,1)"},
    {"X > 1.% comment", ">#9(V0,1)"},
    {"X = 1.5e3.", "=#6(V0,1500)"},
    {"X = 2.5.", "=#6(V0,2.5)"},
    {"X = 1.e.", nullptr},
    {"X is 2 + 3 .\n", "is#7(V0,+#16(2,3))"},
    {"a :- b, c; d.", ":-#1(a,;#4(,#5(b,c),d))"},
    {"- 1 + 2 .", "+#16(-#32(1),2)"},
    {"3 .", nullptr},
    {"X .", nullptr},
    {"_ .", nullptr},
    {"-(1).", "-#32(1)"},
    {"+(1, 2).", "+#31(,#5(1,2))"},
    {"=(a, b).", "=#6(a,b)"},
    {"f(=(a, b)).", "f(=#6(a,b))"},
    {":- a.", ":-#2(a)"},
    {"?- p(X).", "?-#3(p(V0))"},
    {"!.", "!"},
    {"p :- !, q.", ":-#1(p,,#5(!,q))"},
    {"p(_, X, _).", "p(_,V0,_)"},
    {"x(1.5, 2E3, .5).", "x(1.5,2000,0.5)"},
    {"f(a) g.", nullptr},
    {"f(a)", nullptr},
    {"f(a, ).", nullptr},
    {"[a | b, c].", nullptr},
    {"[a, b.", nullptr},
    {"(a, b.", nullptr},
    {"f (a).", "f(a)"},
    {"not p.", "not#33(p)"},
    {"X = 7 mod 2 .", "=#6(V0,mod#20(7,2))"},
    {"p :- a % comment\n, b /* block */ .", ":-#1(p,,#5(a,b))"},
    // Chains: "*", "/" and "mod" group to the left; comparisons do not chain.
    {"X is 2 * 3 * 4 .", "is#7(V0,*#18(*#18(2,3),4))"},
    {"X is 8 / 4 / 2 .", "is#7(V0,/#19(/#19(8,4),2))"},
    {"X is 8 mod 4 mod 2 .", "is#7(V0,mod#20(mod#20(8,4),2))"},
    {"X is 1 - 2 - 3 .", "is#7(V0,-#17(-#17(1,2),3))"},
    {"a = b = c.", nullptr},
    {"a is b is c.", nullptr},
    {"a < b < c.", nullptr},
    {"a = (b = c).", "=#6(a,=#6(b,c))"},
    {"X = - 1 - 2 .", "=#6(V0,-#17(-#32(1),2))"},
    {"X = - - 1 .", "=#6(V0,-#32(-#32(1)))"},
    {"a :- b :- c.", nullptr},
    {":- a :- b.", ":-#1(:-#2(a),b)"},
    {"X = 1 + 2 * 3 .", "=#6(V0,+#16(1,*#18(2,3)))"},
    {"X = (1 + 2) * 3 .", "=#6(V0,*#18(+#16(1,2),3))"},
};

TEST(PrologReader, ReadsTextsIntoTheirTrees) {
  for (const ReadCase& c : kReadCases) {
    SCOPED_TRACE(c.text);
    PrologSystem sys(1000, 1000);
    auto rule = ReadRule(sys, c.text);
    if (c.tree == nullptr) {
      EXPECT_EQ(rule, nullptr);
      continue;
    }
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(Tree(sys, rule->term), c.tree);
  }
}

TEST(PrologReader, NumbersVariablesInOrderOfFirstOccurrenceAndNeverTheAnonymousOne) {
  PrologSystem sys(1000, 1000);
  auto rule = ReadRule(sys, "foo(X, _, Y, X, _Z, _).");
  ASSERT_NE(rule, nullptr);
  EXPECT_EQ(Tree(sys, rule->term), "foo(V0,_,V1,V0,V2,_)");
  ASSERT_EQ(zavo::NameCount(rule->names), 3);
  EXPECT_STREQ(zavo::NameAt(rule->names, 0), "X");
  EXPECT_STREQ(zavo::NameAt(rule->names, 1), "Y");
  EXPECT_STREQ(zavo::NameAt(rule->names, 2), "_Z");
}

TEST(PrologReader, SplitsClausesIntoHeadAndBody) {
  PrologSystem sys(1000, 1000);
  auto rule = ReadRule(sys, "p(X) :- q(X).");
  ASSERT_NE(rule, nullptr);
  EXPECT_EQ(Tree(sys, rule->head), "p(V0)");
  EXPECT_EQ(Tree(sys, rule->body), "q(V0)");

  auto query = ReadRule(sys, "?- q(a).");
  ASSERT_NE(query, nullptr);
  EXPECT_EQ(query->head, nullptr);
  EXPECT_EQ(Tree(sys, query->body), "q(a)");

  auto fact = ReadRule(sys, ":- q(a).");
  ASSERT_NE(fact, nullptr);
  EXPECT_EQ(fact->head, fact->term);
  EXPECT_EQ(fact->body, nullptr);
}

TEST(PrologReader, NamesTakeTheFirstDefinitionAndOperatorsTheirOwn) {
  PrologSystem sys(1000, 1000);
  auto byName = ReadRule(sys, "X = -(1, 2).");
  // A prefix operator is taken as the operator wherever an operand may start.
  ASSERT_NE(byName, nullptr);
  EXPECT_EQ(Tree(sys, byName->term), "=#6(V0,-#32(,#5(1,2)))");
  auto star = ReadRule(sys, "X = *(1, 2).");
  ASSERT_NE(star, nullptr);
  EXPECT_EQ(Tree(sys, star->term), "=#6(V0,*#18(1,2))");
  auto div = ReadRule(sys, "X = div(1, 2).");
  ASSERT_NE(div, nullptr);
  EXPECT_EQ(Tree(sys, div->term), "=#6(V0,div#36(1,2))");
}

TEST(PrologReader, RestoresTheCommaOperatorAfterArgumentsAndErrors) {
  PrologSystem sys(1000, 1000);
  EXPECT_EQ(ReadRule(sys, "p(a, [b, (c"), nullptr);
  EXPECT_EQ(sys.comma->active, 1);
  EXPECT_EQ(sys.nesting, 0);
  auto rule = ReadRule(sys, "q :- a, b.");
  ASSERT_NE(rule, nullptr);
  EXPECT_EQ(Tree(sys, rule->term), ":-#1(q,,#5(a,b))");
}

TEST(PrologReader, LeavesTheStoppingTokenAndTheNameListAsTheyWere) {
  PrologSystem sys(1000, 1000);
  std::istringstream in("p(X) q. r(Y).");
  pParser p(in);
  ListofNames* outer = sys.names;
  EXPECT_EQ(sys.ReadClause(p), nullptr);
  EXPECT_STREQ(p.Text(), "q");
  EXPECT_EQ(sys.names, outer);
  p.Next();
  p.Next();
  std::unique_ptr<Rule> r(sys.ReadClause(p));
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(Tree(sys, r->term), "r(V0)");
}

std::string Repeat(const std::string& piece, int n, const std::string& sep) {
  std::string s;
  for (int i = 0; i < n; ++i) {
    if (i > 0) s += sep;
    s += piece;
  }
  return s;
}

TEST(PrologReader, AcceptsAHundredOfEverythingAndRefusesMore) {
  struct Limit {
    std::string at, beyond;
  };
  const Limit limits[] = {
      // arguments of one compound
      {"p(" + Repeat("a", 100, ", ") + ").", "p(" + Repeat("a", 101, ", ") + ")."},
      // elements of one list
      {"[" + Repeat("a", 100, ", ") + "].", "[" + Repeat("a", 101, ", ") + "]."},
      // pending operands ("," groups to the right, so nothing reduces early)
      {Repeat("a", 100, ", ") + ".", Repeat("a", 101, ", ") + "."},
      // pending prefix operators
      {"p(" + Repeat("-", 100, " ") + " 1).", "p(" + Repeat("-", 101, " ") + " 1)."},
  };
  for (const Limit& l : limits) {
    SCOPED_TRACE(l.at.substr(0, 12));
    PrologSystem sys(1000, 1000);
    EXPECT_NE(ReadRule(sys, l.at), nullptr);
    EXPECT_EQ(ReadRule(sys, l.beyond), nullptr);
    EXPECT_EQ(sys.comma->active, 1);
  }
}

TEST(PrologReader, AClauseHasAtMostTwentyVariableNames) {
  std::string twenty, more;
  for (int i = 0; i < 20; ++i) twenty += (i ? ", V" : "V") + std::to_string(i);
  more = twenty + ", W";
  PrologSystem sys(1000, 1000);
  auto rule = ReadRule(sys, "p(" + twenty + ", V0, _).");
  ASSERT_NE(rule, nullptr);
  EXPECT_EQ(zavo::NameCount(rule->names), 20);
  EXPECT_EQ(ReadRule(sys, "p(" + more + ")."), nullptr);
  EXPECT_EQ(sys.comma->active, 1);
}

TEST(PrologReader, RefusesTextNestedTooDeeplyWithoutRunningOutOfStack) {
  PrologSystem sys(1000, 1000);
  std::string deep = "p(" + std::string(100000, '(') + "a" + std::string(100000, ')') + ").";
  EXPECT_EQ(ReadRule(sys, deep), nullptr);
  std::string lists = "p(" + std::string(100000, '[') + "a" + std::string(100000, ']') + ").";
  EXPECT_EQ(ReadRule(sys, lists), nullptr);
  std::string fine = "p(" + std::string(50, '(') + "a" + std::string(50, ')') + ").";
  EXPECT_NE(ReadRule(sys, fine), nullptr);
  EXPECT_EQ(sys.comma->active, 1);
  EXPECT_EQ(sys.nesting, 0);
}

TEST(PrologReader, RefusesATokenLongerThanItsSlot) {
  PrologSystem sys(1000, 1000);
  std::string name50(50, 'a');
  std::string name51(51, 'a');
  EXPECT_NE(ReadRule(sys, "p(" + name50 + ").", zavo::kPrologGoalScannerConfig), nullptr);
  EXPECT_EQ(ReadRule(sys, "p(" + name51 + ").", zavo::kPrologGoalScannerConfig), nullptr);
  EXPECT_NE(ReadRule(sys, "p(" + name51 + ").", zavo::kPrologFileScannerConfig), nullptr);
  EXPECT_EQ(ReadRule(sys, "p(" + std::string(101, 'b') + ")."), nullptr);
}

TEST(PrologReader, RefusesNumbersThatDoNotFitADouble) {
  PrologSystem sys(1000, 1000);
  EXPECT_EQ(ReadRule(sys, "p(1E999)."), nullptr);
  EXPECT_EQ(ReadRule(sys, "p(7e)."), nullptr);
  auto tiny = ReadRule(sys, "p(1E-999).");
  ASSERT_NE(tiny, nullptr);
  EXPECT_EQ(Tree(sys, tiny->term), "p(0)");
}

}  // namespace
