#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "prolog_test_support.h"

namespace {

using zavo::test::ReadRule;

// Two clauses in two fresh frames: the left one in frame 0, the right one in
// frame 1, ready to unify their first arguments.
class UnifyTest : public ::testing::Test {
protected:
  void Load(const std::string& left, const std::string& right) {
    left_ = ReadRule(sys_, left);
    right_ = ReadRule(sys_, right);
    ASSERT_NE(left_, nullptr);
    ASSERT_NE(right_, nullptr);
    sys_.stack.Add(sys_, left_.get());
    sys_.stack.Add(sys_, right_.get(), 0, nullptr);
    sys_.LeftPos = 0;
    sys_.RightPos = 1;
  }
  pObj& Arg(Rule& r, int i) { return *static_cast<Functor*>(r.term)->args[i]; }
  int Unify(int i = 0) { return Arg(*left_, i).Unify(sys_, Arg(*right_, i)); }
  std::string Value(int frame, int cell) {
    pDVar& c = sys_.Cell(frame, cell);
    if (c.term == nullptr) return "???";
    std::ostringstream os;
    sys_.ViewMode = 1;
    sys_.ViewFrame = c.frame != -1 ? c.frame : frame;
    sys_.Emit(os, *c.term);
    return os.str();
  }
  void TearDown() override { sys_.stack.PopTo(sys_, 0); }

  PrologSystem sys_{1000, 1000};
  std::unique_ptr<Rule> left_, right_;
};

TEST_F(UnifyTest, AFailedUnificationLeavesItsBindingsOnTheTrail) {
  Load("x(f(X, X)).", "x(f(1, 2)).");
  EXPECT_EQ(Unify(), 0);
  EXPECT_EQ(sys_.trail.Count(), 1);
  EXPECT_EQ(Value(0, 0), "1");
  sys_.trail.Resume(0);
  EXPECT_EQ(Value(0, 0), "???");
}

TEST_F(UnifyTest, TheAnonymousVariableBindsNothing) {
  Load("x(f(_, _), _).", "x(f(1, 2), g(Y)).");
  EXPECT_EQ(Unify(0), 1);
  EXPECT_EQ(Unify(1), 1);
  EXPECT_EQ(sys_.trail.Count(), 0);
  EXPECT_EQ(Arg(*right_, 1).Unify(sys_, Arg(*left_, 1)), 1);
  EXPECT_EQ(sys_.trail.Count(), 0);
}

struct Pair {
  const char* left;
  const char* right;
  int unifies;
};

TEST_F(UnifyTest, ComparesNumbersNamesAndArities) {
  const Pair pairs[] = {
      {"x(2).", "x(2.0).", 1},           {"x(2).", "x(2.5).", 0},
      {"x(a).", "x(a).", 1},             {"x(a).", "x(b).", 0},
      {"x(f(a)).", "x(f(a, b)).", 0},    {"x(f(a, b)).", "x(g(a, b)).", 0},
      {"x(f(a, b)).", "x(f(a, b)).", 1}, {"x(a).", "x(1).", 0},
      {"x(a).", "x(a(1)).", 0},          {"x([a | T]).", "x([a, b]).", 1},
      // -(1) reads as the prefix minus, like - 1.
      {"x(- 1).", "x(-(1)).", 1},
  };
  for (const Pair& p : pairs) {
    SCOPED_TRACE(std::string(p.left) + " " + p.right);
    sys_.stack.PopTo(sys_, 0);
    Load(p.left, p.right);
    EXPECT_EQ(Unify(), p.unifies);
  }
}

TEST_F(UnifyTest, BindsAcrossFramesAndFollowsBindings) {
  Load("x(f(X, Y), X, Y).", "x(f(a, Z), Z, b).");
  ASSERT_EQ(Unify(0), 1);  // X = a, Y = Z
  EXPECT_EQ(Value(0, 0), "a");
  EXPECT_EQ(Value(0, 1), "Z_1");
  ASSERT_EQ(Unify(1), 1);  // X (bound to a) with Z: Z = a
  EXPECT_EQ(Value(1, 0), "a");
  EXPECT_EQ(Unify(2), 0);  // Y follows Z to a, which is not b
  EXPECT_EQ(sys_.LeftPos, 0);
  EXPECT_EQ(sys_.RightPos, 1);
}

TEST_F(UnifyTest, TwoVariablesNeverBindIntoACycle) {
  Load("x(X, Y, X, Y, X).", "x(Y2, X2, Y2, X2, X2).");
  // Each pair is made equal twice over, in both directions.
  for (int i = 0; i < 5; ++i) ASSERT_EQ(Unify(i), 1) << i;
  sys_.RightPos = 0;
  EXPECT_EQ(Arg(*left_, 0).Unify(sys_, Arg(*left_, 0)), 1);  // X = X
  EXPECT_EQ(Arg(*left_, 0).Unify(sys_, Arg(*left_, 1)), 1);
  EXPECT_EQ(Arg(*left_, 1).Unify(sys_, Arg(*left_, 0)), 1);
  // Printing follows every chain to its end: all four are one variable.
  EXPECT_EQ(Value(0, 0), "Y2_1");
  EXPECT_EQ(Value(0, 1), "Y2_1");
  EXPECT_EQ(Value(1, 1), "Y2_1");
}

TEST_F(UnifyTest, ThereIsNoOccursCheck) {
  Load("x(X).", "x(f(X)).");
  sys_.RightPos = 0;
  EXPECT_EQ(Arg(*left_, 0).Unify(sys_, Arg(*right_, 0)), 1);
}

}  // namespace
