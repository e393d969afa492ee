#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "foundation/runtime_error_box.h"
#include "prolog_test_support.h"

namespace {

using zavo::test::ConsultText;
using zavo::test::ReadRule;

// A term that reports its destruction.
class Probe : public Atom {
public:
  Probe(DFunc* d, bool* deleted) : Atom(d), deleted_(deleted) {}
  ~Probe() override { *deleted_ = true; }

private:
  bool* deleted_;
};

TEST(PrologFrames, StacksHoldWholeBlocksOfFiveHundred) {
  PrologSystem editor(10000, 10000);
  EXPECT_EQ(editor.trail.Capacity(), 10500);
  EXPECT_EQ(editor.stack.Capacity(), 10500);
  PrologSystem small(499, 1000);
  EXPECT_EQ(small.trail.Capacity(), 500);
  EXPECT_EQ(small.stack.Capacity(), 1500);
  EXPECT_EQ(small.trail.Count(), 0);
  EXPECT_EQ(small.stack.Count(), 0);
}

TEST(PrologFrames, ResumingUndoesBindingsAndDeletesOnlyOwnedTerms) {
  PrologSystem sys(1000, 1000);
  auto rule = ReadRule(sys, "x(A, B).");
  ASSERT_NE(rule, nullptr);
  sys.stack.Add(sys, rule.get());
  bool ownedDeleted = false;
  bool sharedDeleted = false;
  auto* owned = new Probe(sys.definitions.Get("n"), &ownedDeleted);
  Probe shared(sys.definitions.Get("s"), &sharedDeleted);
  sys.Cell(0, 0).Set(sys, owned, -1);
  sys.Cell(0, 1).Set(sys, &shared, 0);
  ASSERT_EQ(sys.trail.Count(), 2);

  sys.trail.Resume(2);
  EXPECT_EQ(sys.Cell(0, 0).term, owned);
  EXPECT_FALSE(ownedDeleted);

  sys.trail.Resume(0);
  EXPECT_TRUE(ownedDeleted);
  EXPECT_FALSE(sharedDeleted);
  EXPECT_EQ(sys.Cell(0, 0).term, nullptr);
  EXPECT_EQ(sys.Cell(0, 1).term, nullptr);
  sys.stack.PopTo(sys, 0);
}

TEST(PrologFrames, PoppingAFrameUndoesItsBindingsAlsoInOlderFrames) {
  PrologSystem sys(1000, 1000);
  auto query = ReadRule(sys, "?- p(X).");
  auto fact = ReadRule(sys, "p(a).");
  sys.stack.Add(sys, query.get());
  sys.stack.Add(sys, fact.get(), 0, nullptr);
  sys.LeftPos = 0;
  sys.RightPos = 1;
  ASSERT_EQ(query->body->Unify(sys, *fact->head), 1);
  EXPECT_NE(sys.Cell(0, 0).term, nullptr);
  sys.stack.Pop(sys);
  EXPECT_EQ(sys.Cell(0, 0).term, nullptr);
  EXPECT_EQ(sys.trail.Count(), 0);
  sys.stack.PopTo(sys, 0);
}

TEST(PrologFrames, ClauseSearchTriesClausesInOrderAndMovesTheCursor) {
  PrologSystem sys(1000, 1000);
  ConsultText(sys, "p(a). q(b). p(c). ?- p(X). p(d).");
  ASSERT_EQ(sys.rules.Count(), 5);
  Rule* pa = sys.rules.First();
  Rule* qb = sys.rules.Next(pa);
  Rule* pc = sys.rules.Next(qb);
  Rule* query = sys.rules.Next(pc);
  Rule* pd = sys.rules.Next(query);
  ASSERT_EQ(query->head, nullptr);

  auto goal = ReadRule(sys, "?- p(X).");
  sys.stack.Add(sys, goal.get());
  sys.LeftPos = 0;
  Rule*& cursor = sys.stack.Get(0).ruleCursor;
  ASSERT_EQ(cursor, pa);

  EXPECT_EQ(sys.Find(goal->body, cursor), pa);
  EXPECT_EQ(cursor, qb);
  EXPECT_EQ(sys.stack.Count(), 2);
  EXPECT_EQ(sys.RightPos, 1);
  EXPECT_EQ(sys.stack.Get(1).saved.ruleCursor, qb);

  // Popping the frame gives the parent the clause after the one it used.
  cursor = nullptr;
  sys.stack.Pop(sys);
  EXPECT_EQ(cursor, qb);

  EXPECT_EQ(sys.Find(goal->body, cursor), pc);
  EXPECT_EQ(cursor, query);
  sys.stack.Pop(sys);
  // The query clause in the list is never matched.
  EXPECT_EQ(sys.Find(goal->body, cursor), pd);
  EXPECT_EQ(cursor, nullptr);
  sys.stack.Pop(sys);

  cursor = qb;
  auto other = ReadRule(sys, "?- r(X).");
  EXPECT_EQ(sys.Find(other->body, cursor), nullptr);
  EXPECT_EQ(cursor, nullptr);
  EXPECT_EQ(sys.stack.Count(), 1);
  EXPECT_EQ(sys.trail.Count(), 0);
  sys.stack.PopTo(sys, 0);
}

TEST(PrologFrames, AVariableGoalFrameFollowsTheCellToACallableTerm) {
  PrologSystem sys(1000, 1000);
  auto rule = ReadRule(sys, "x(G, H, N) :- G = H, H = go(N).");
  sys.stack.Add(sys, rule.get());
  sys.LeftPos = 0;
  sys.RightPos = 0;
  auto* body = static_cast<Functor*>(rule->body);
  auto* first = static_cast<Functor*>(body->args[0]);
  auto* second = static_cast<Functor*>(body->args[1]);
  ASSERT_EQ(first->args[0]->Unify(sys, *first->args[1]), 1);
  ASSERT_EQ(second->args[0]->Unify(sys, *second->args[1]), 1);
  sys.RightPos = 0;
  int v = sys.stack.Add(sys, &sys.Cell(0, 0), 0, nullptr);
  ValueStackItem& f = sys.stack.Get(v);
  EXPECT_EQ(f.rule, nullptr);
  EXPECT_EQ(f.cells, nullptr);
  EXPECT_EQ(f.goal, second->args[1]);
  EXPECT_EQ(f.goalTermFrame, 0);
  EXPECT_EQ(f.goalFrame, 0);

  // An unbound cell gives no goal.
  int w = sys.stack.Add(sys, &sys.Cell(0, 2), 0, nullptr);
  EXPECT_EQ(sys.stack.Get(w).goal, nullptr);
  EXPECT_EQ(sys.stack.Get(w).goalTermFrame, -1);
  sys.stack.PopTo(sys, 0);
}

TEST(PrologFrames, FullStacksRaiseTheOverflowCondition) {
  PrologSystem sys(1, 1);
  auto rule = ReadRule(sys, "x(A).");
  sys.stack.Add(sys, rule.get());
  for (int i = 1; i < 500; ++i) sys.stack.Add(sys, rule.get(), i - 1, nullptr);
  EXPECT_THROW(sys.stack.Add(sys, rule.get(), 0, nullptr), zavo::xPrologOverflow);
  EXPECT_EQ(sys.stack.Count(), 500);

  Atom a(sys.definitions.Get("a"));
  for (int i = 0; i < 500; ++i) sys.Cell(i, 0).Set(sys, &a, i);
  bool deleted = false;
  auto* owned = new Probe(sys.definitions.Get("n"), &deleted);
  pDVar spare;
  EXPECT_THROW(spare.Set(sys, owned, -1), zavo::xPrologOverflow);
  EXPECT_TRUE(deleted);
  EXPECT_EQ(spare.term, nullptr);
  EXPECT_EQ(sys.trail.Count(), 500);

  sys.stack.PopTo(sys, 0);
  EXPECT_EQ(sys.trail.Count(), 0);
}

TEST(PrologFrames, DumpsEveryFrame) {
  PrologSystem sys(1000, 1000);
  ConsultText(sys, "p(a). p(b) :- q(Y).");
  auto goal = ReadRule(sys, "?- p(X).");
  sys.stack.Add(sys, goal.get());
  sys.LeftPos = 0;
  Rule*& cursor = sys.stack.Get(0).ruleCursor;
  ASSERT_NE(sys.Find(goal->body, cursor), nullptr);
  sys.stack.Add(sys, static_cast<Rule*>(nullptr), 0, cursor);
  sys.stack.Get(2).cut = 1;
  std::ostringstream os;
  sys.stack.Dump(sys, os);
  EXPECT_EQ(os.str(),
            "ValueStack  3\n"
            "0>  ?- p(X).\n"
            "waiting p(X)\n"
            "Next :p(b) :- q(Y).\n"
            "cut 0\n"
            "generated -1\n"
            "X = a\n"
            "\n"
            "1> p(a).\n"
            "waiting NULL\n"
            "Next :p(a).\n"
            "cut 0\n"
            "generated 0\n"
            "p(X)\n"
            "Next :p(b) :- q(Y).\n"
            "\n"
            "2> Cutting sign!\n"
            "waiting \n"
            "cut 1\n"
            "generated 0\n"
            "p(X)\n"
            "Next :p(b) :- q(Y).\n"
            "\n"
            "\n");
  sys.stack.PopTo(sys, 0);
}

using PrologFramesDeathTest = ::testing::Test;

TEST(PrologFramesDeathTest, InternalInconsistenciesEndInTheBox) {
  PrologSystem sys(1000, 1000);
  auto rule = ReadRule(sys, "x(A).");
  EXPECT_EXIT(sys.stack.Get(0), ::testing::ExitedWithCode(1), "Runtime Error: ValueStack::Get");
  EXPECT_EXIT(sys.trail.Resume(1), ::testing::ExitedWithCode(1),
              "Runtime Error: SignalStack::Resume");
  EXPECT_EXIT(sys.stack.Add(sys, rule.get(), -1, nullptr), ::testing::ExitedWithCode(1),
              "Runtime Error: ValueStack::Add not first");
  Rule* none = nullptr;
  EXPECT_EXIT(sys.Find(rule->head, none), ::testing::ExitedWithCode(1),
              "Runtime Error: PrologSystem::Find");
  sys.stack.Add(sys, rule.get());
  Atom a(sys.definitions.Get("a"));
  sys.Cell(0, 0).Set(sys, &a, 0);
  EXPECT_EXIT(sys.Cell(0, 0).Set(sys, &a, 0), ::testing::ExitedWithCode(1),
              "Runtime Error: pDVar::Set");
  EXPECT_EXIT(sys.Cell(0, 1), ::testing::ExitedWithCode(1), "Runtime Error: ValueStack::Get");
  std::ostringstream os;
  EXPECT_EXIT(rule->head->Out(sys, os), ::testing::ExitedWithCode(1),
              "Runtime Error: ListName::\\[\\]");
  Atom nameless(nullptr);
  EXPECT_EXIT(nameless.Out(sys, os), ::testing::ExitedWithCode(1), "Runtime Error: Atom::Out");
  sys.stack.PopTo(sys, 0);
}

}  // namespace
