#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "prolog_test_support.h"

namespace {

using zavo::test::EntryOf;

TEST(PrologTables, AFreshSystemHoldsTheTableAndNoClauses) {
  PrologSystem sys(10000, 10000);
  EXPECT_EQ(sys.operators.Count(), 27);
  EXPECT_EQ(sys.definitions.Count(), 37 + 2 + 10);
  EXPECT_EQ(sys.rules.Count(), 0);

  std::vector<std::string> names;
  for (const DFunc& d : sys.definitions.All()) names.push_back(d.name.Text());
  const std::vector<std::string> expected = {
      ":-",   ":-",   "?-",   ";",    ",",    "=",         "is",   "<",     ">",
      "=<",   ">=",   "==",   "=\\=", "\\==", "=:=",       "+",    "-",     "*",
      "/",    "mod",  "sin",  "cos",  "tan",  "asin",      "acos", "atan",  "sqrt",
      "log",  "exp",  "pow",  "+",    "-",    "not",       "*",    "/",     "div",
      "mod",  ".",    "[]",   "write", "nl",  "fail",      "consult", "reconsult", "list",
      "debug", "undebug", "spy", "mem"};
  EXPECT_EQ(names, expected);

  // Kinds of definition: predicates, evaluable functors, plain names.
  int i = 1;
  for (DFunc& d : const_cast<List<DFunc>&>(sys.definitions.All())) {
    SCOPED_TRACE(i);
    bool predicate = (i >= 6 && i <= 11) || i == 13 || i == 15 || i >= 40;
    bool evaluable = (i >= 16 && i <= 32);
    EXPECT_EQ(d.IsPredicate(), predicate ? 1 : 0);
    EXPECT_EQ(dynamic_cast<DFuncEval*>(&d) != nullptr, evaluable);
    bool hasOperator = i <= 20 || (i >= 31 && i <= 37);
    EXPECT_EQ(d.op != nullptr, hasOperator);
    ++i;
  }
  EXPECT_EQ(EntryOf(sys, sys.listDef), 38);
  EXPECT_EQ(EntryOf(sys, sys.emptyListDef), 39);
  EXPECT_EQ(EntryOf(sys, sys.definitions.Linked(sys.comma)), 5);
}

TEST(PrologTables, FindsActiveOperatorsByNameAndKind) {
  PrologSystem sys(1000, 1000);
  EXPECT_EQ(EntryOf(sys, sys.definitions.Linked(sys.operators.Find("-", zavo::kPrefix))), 32);
  EXPECT_EQ(EntryOf(sys, sys.definitions.Linked(sys.operators.Find("-", zavo::kInfix))), 17);
  EXPECT_EQ(EntryOf(sys, sys.definitions.Linked(sys.operators.Find("*", zavo::kInfix))), 18);
  EXPECT_EQ(sys.operators.Find("-", zavo::kPostfix), nullptr);
  EXPECT_EQ(sys.operators.Find("sin", zavo::kPrefix), nullptr);
  EXPECT_EQ(sys.operators.Find(",", zavo::kInfix), sys.comma);
  sys.comma->active = 0;
  EXPECT_EQ(sys.operators.Find(",", zavo::kInfix), nullptr);
  sys.comma->active = 1;
}

TEST(PrologTables, GetCreatesOnePlainDefinitionPerNewName) {
  PrologSystem sys(1000, 1000);
  int before = sys.definitions.Count();
  DFunc* d = sys.definitions.Get("colour");
  EXPECT_EQ(sys.definitions.Count(), before + 1);
  EXPECT_EQ(d->op, nullptr);
  EXPECT_EQ(d->IsPredicate(), 0);
  EXPECT_EQ(sys.definitions.Get("colour"), d);
  EXPECT_EQ(sys.definitions.Count(), before + 1);
  // An existing name gives its first definition.
  EXPECT_EQ(EntryOf(sys, sys.definitions.Get("+")), 16);
  EXPECT_EQ(EntryOf(sys, sys.definitions.Get(":-")), 1);
}

TEST(PrologTables, DefineAppendsAlsoForAKnownName) {
  PrologSystem sys(1000, 1000);
  int before = sys.definitions.Count();
  DFunc* again = sys.DefinePredicate("write", nullptr);
  EXPECT_EQ(sys.definitions.Count(), before + 1);
  EXPECT_NE(sys.definitions.Get("write"), again);
  DFunc* op = sys.DefineOperator("~", 6, 200);
  EXPECT_EQ(sys.operators.Find("~", zavo::kPrefix), op->op);
  EXPECT_EQ(sys.definitions.Linked(op->op), op);
}

struct OrderCase {
  const char* a;
  int aKind;
  const char* b;
  int bKind;
  int order;  // 1 IsBig, 0 not, -1 no order
};

TEST(PrologTables, OrdersOperators) {
  using zavo::kInfix;
  using zavo::kPrefix;
  const OrderCase cases[] = {
      {"*", kInfix, "+", kInfix, 1},        {"+", kInfix, "*", kInfix, 0},
      {"+", kInfix, "-", kInfix, 1},        {",", kInfix, ",", kInfix, 0},
      {"*", kInfix, "*", kInfix, 1},        {"/", kInfix, "/", kInfix, 1},
      {"mod", kInfix, "mod", kInfix, 1},    {"-", kInfix, "-", kInfix, 1},
      {"=", kInfix, "=", kInfix, -1},       {"is", kInfix, "is", kInfix, -1},
      {"=", kInfix, "is", kInfix, 1},       {":-", kInfix, ":-", kInfix, -1},
      {"-", kPrefix, "-", kInfix, 1},       {"-", kPrefix, "-", kPrefix, -1},
      {":-", kPrefix, ":-", kInfix, 1},     {":-", kInfix, ":-", kPrefix, -1},
      {"-", kPrefix, "+", kInfix, 1},       {";", kInfix, ",", kInfix, 0},
  };
  PrologSystem sys(1000, 1000);
  for (const OrderCase& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " " + c.b);
    const pOperator* a = sys.operators.Find(c.a, c.aKind);
    const pOperator* b = sys.operators.Find(c.b, c.bKind);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(zavo::OperatorOrder(a, b), c.order);
    EXPECT_EQ(pOperator::IsBig(a, b), c.order == 1);
  }
}

}  // namespace
