#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "interp/prolog/term_access.h"
#include "prolog_test_support.h"

namespace {

using zavo::test::ConsultText;
using zavo::test::DataPath;
using zavo::test::RecordingHost;
using zavo::test::Ask;

struct Case {
  const char* goal;
  const char* answer;
};

class ColourTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(sys_.Consult(DataPath("interp/prolog/colour.pro")), 1);
    ASSERT_EQ(sys_.rules.Count(), 4);
  }
  PrologSystem sys_{10000, 10000};
};

TEST_F(ColourTest, EverySolutionIsPrintedWhenFound) {
  const Case cases[] = {
      {"?- colour(C).", "C = red\nC = green\nC = blue\nyes\n"},
      {"?- colour(white).", "no\n"},
      {"?- colour(green).", "yes\n"},
      {"?- first(C).", "C = red\nyes\n"},
      // A side effect appears once for every path that reaches it.
      {"?- colour(C), write(C).", "red C = red\ngreen C = green\nblue C = blue\nyes\n"},
      // A variable goal whose term holds a variable of the query.
      {"?- G = colour(C), G, write(C).",
       "red G = colour(red)\nC = red\ngreen G = colour(green)\nC = green\n"
       "blue G = colour(blue)\nC = blue\nyes\n"},
      {"?- colour(X), colour(Y), X = Y, write(X).",
       "red X = red\nY = red\ngreen X = green\nY = green\nblue X = blue\nY = blue\nyes\n"},
      // An unbound variable prints as ???, one inside a value by name and frame.
      {"?- X = f(Y).", "X = f(Y_0)\nY = ???\nyes\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys_, c.goal), c.answer);
    EXPECT_EQ(sys_.stack.Count(), 0);
    EXPECT_EQ(sys_.trail.Count(), 0);
  }
}

TEST(PrologEngine, ClausesAndConjunctionsRunInOrder) {
  PrologSystem sys(10000, 10000);
  ConsultText(sys,
              "p :- !, fail.\n"
              "p.\n"
              "go :- write(go1).\n"
              "go :- write(go2).\n"
              "done :- write(done).\n"
              "run :- X = go, X, done.\n"
              "app([], L, L).\n"
              "app([H|T], L, [H|R]) :- app(T, L, R).\n");
  const Case cases[] = {
      {"?- p.", "no\n"},
      // The variable goal runs the clauses of go before done is tried.
      {"?- run.", "go1 done go2 done yes\n"},
      {"?- app(X, Y, [a, b]).",
       "X = []\nY = [ a , b ]\n"
       "X = [ a ]\nY = [ b ]\n"
       "X = [ a , b ]\nY = []\nyes\n"},
      {"?- app([a], [b], L), write(L), nl.", "[ a , b ] \nL = [ a , b ]\nyes\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
  }
}

TEST(PrologEngine, OperatorsWithoutBehaviourAreSearchedAmongTheClauses) {
  PrologSystem sys(10000, 10000);
  const Case without[] = {
      {"?- (true ; true).", "no\n"}, {"?- not(fail).", "no\n"},
      {"?- a == a.", "no\n"},        {"?- a \\== b.", "no\n"},
  };
  ConsultText(sys, "true.");
  for (const Case& c : without) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
  }
  ConsultText(sys, "X == X. (A ; B) :- A, true. (A ; B) :- B, true. not(G) :- G, !, fail. not(G).");
  ASSERT_EQ(sys.rules.Count(), 6);
  const Case with[] = {
      {"?- a == a.", "yes\n"},
      {"?- a == b.", "no\n"},
      {"?- (fail ; true).", "yes\n"},
      {"?- not(fail).", "yes\n"},
      {"?- not(true).", "no\n"},
  };
  for (const Case& c : with) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
  }
}

// The cut removes the alternatives of the clause that holds it and the choice
// points made since that clause began; nothing else.
TEST(PrologEngine, TheCutIsLocalToItsClause) {
  PrologSystem sys(10000, 10000);
  ConsultText(sys,
              "a :- b, c.\n"
              "a :- d.\n"
              "b :- !.\n"
              "d :- write(d).\n"
              "e :- f, !, write(e1).\n"
              "e :- write(e2).\n"
              "f :- g.\n"
              "g.\n"
              "g.\n"
              "h :- !, k.\n"
              "h :- write(h2).\n"
              "k :- !, fail.\n"
              "k.\n"
              "m(X) :- colour(X), !.\n"
              "m(none).\n"
              "colour(red).\n"
              "colour(green).\n");
  const Case cases[] = {
      // A cut in b does not take away the second clause of a.
      {"?- a.", "d yes\n"},
      // A cut after a goal whose clauses have bodies of their own.
      {"?- e.", "e1 yes\n"},
      // Two cuts met one after the other on the way back.
      {"?- h.", "no\n"},
      {"?- m(X).", "X = red\nyes\n"},
      {"?- m(X), write(X), fail.", "red no\n"},
      // A cut in the query ends the search after the first solution.
      {"?- colour(X), !.", "X = red\nyes\n"},
      // A cut inside a variable goal stays inside it.
      {"?- G = (colour(X), !), G, write(X).", "red G = colour(red) , !\nX = red\nyes\n"},
      {"?- colour(X), G = !, G, write(X), fail.", "red green no\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
    EXPECT_EQ(sys.stack.Count(), 0);
  }
}

TEST(PrologEngine, VariableGoalsRunWhatTheyAreBoundTo) {
  PrologSystem sys(10000, 10000);
  ConsultText(sys,
              "colour(red).\n"
              "colour(blue).\n"
              "call(G) :- G, true.\n"
              "true.\n"
              "twice(G) :- G, G, true.\n");
  const Case cases[] = {
      {"?- call(colour(C)).", "C = red\nC = blue\nyes\n"},
      {"?- call((colour(C), write(C))).", "red C = red\nblue C = blue\nyes\n"},
      {"?- X = Y, Y = colour(C), X, write(C).",
       "red X = colour(red)\nY = colour(red)\nC = red\n"
       "blue X = colour(blue)\nY = colour(blue)\nC = blue\nyes\n"},
      {"?- twice(write(a)).", "a a yes\n"},
      {"?- call(nl).", "\nyes\n"},
      // Unbound or bound to a number: nothing to run.
      {"?- X, true.", "no\n"},
      {"?- X = 3, X, true.", "no\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
  }
}

TEST(PrologEngine, AVariableGoalRunsAlsoWithoutStoredClauses) {
  PrologSystem sys(1000, 1000);
  EXPECT_EQ(Ask(sys, "?- X = write(a), X, nl."), "a \nX = write(a)\nyes\n");
}

TEST(PrologEngine, BareVariablesAndNumbersAsGoalsFail) {
  PrologSystem sys(1000, 1000);
  ConsultText(sys, "colour(red). p :- X. q :- 3.");
  const Case cases[] = {
      {"?- X.", "no\n"},
      {"?- 3 .", "no\n"},
      {"?- _.", "no\n"},
      {"?- _, colour(red).", "no\n"},
      {"?- X = colour(red), X.", "X = colour(red)\nyes\n"},
      {"?- p.", "no\n"},
      {"?- q.", "no\n"},
      {"?- colour(C).", "C = red\nyes\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
  }
}

TEST(PrologEngine, PollIsAskedBeforeTheSearchAndBeforeEveryStep) {
  PrologSystem sys(1000, 1000);
  ConsultText(sys, "colour(red). colour(green). colour(blue).");
  RecordingHost host(1);
  sys.host = &host;
  EXPECT_EQ(Ask(sys, "?- colour(C)."), "C = red\nC = green\nC = blue\nyes\n");
  const int all = host.polls;

  // A break after the first solution stops the search there; the frames stay
  // until the next search.
  for (int n = 1; n < all; ++n) {
    SCOPED_TRACE(n);
    host.polls = 0;
    host.stopAfter = n;
    Ask(sys, "?- colour(C).");
    EXPECT_EQ(host.polls, n + 1);
  }
  host.polls = 0;
  host.stopAfter = 4;
  EXPECT_EQ(Ask(sys, "?- colour(C)."), "C = red\nyes\n");
  EXPECT_GT(sys.stack.Count(), 0);
  host.stopAfter = -1;
  EXPECT_EQ(Ask(sys, "?- colour(white)."), "no\n");
  EXPECT_EQ(sys.stack.Count(), 0);
  sys.host = nullptr;
}

TEST(PrologEngine, AStackOverflowAbortsTheQueryOnly) {
  struct Overflow {
    int trail;
    int frames;
    const char* program;
    const char* goal;
  };
  const Overflow cases[] = {
      // Frames run out: no binding at all.
      {10000, 1, "loop :- loop.", "?- loop."},
      // The trail runs out long before the frames.
      {1, 10000, "grow(X) :- X = f(Y), grow(Y).", "?- grow(A)."},
      // The trail runs out while "is" binds: the number is not lost.
      {1, 10000, "count(N) :- M is N + 1, count(M).", "?- count(0)."},
  };
  for (const Overflow& c : cases) {
    SCOPED_TRACE(c.program);
    PrologSystem sys(c.trail, c.frames);
    ConsultText(sys, c.program);
    ConsultText(sys, "colour(red).");
    EXPECT_EQ(Ask(sys, c.goal), "Prolog stack overflow\nno\n");
    EXPECT_EQ(sys.stack.Count(), 0);
    EXPECT_EQ(sys.trail.Count(), 0);
    EXPECT_EQ(sys.Succeeded(), 0);
    EXPECT_EQ(Ask(sys, "?- colour(C)."), "C = red\nyes\n");
  }
}

// A predicate of the embedding program: binds its argument to a number that
// the binding owns.
int Answer42(PrologSystem& sys, Seq<pObj*>& args) {
  if (args.Count() != 1 || args[0]->Type() != zavo::kTypeVar) return 0;
  pDVar& cell = sys.Cell(sys.LeftPos, static_cast<pVar*>(args[0])->index);
  if (cell.term != nullptr) return 0;
  return cell.Set(sys, new RealNumber(42), -1);
}

// Binds its argument to a goal term of its own: show(hello).
int MakeGoal(PrologSystem& sys, Seq<pObj*>& args) {
  if (args.Count() != 1 || args[0]->Type() != zavo::kTypeVar) return 0;
  auto* goal = new Functor(sys.definitions.Get("show"), 1);
  goal->args[0] = new Atom(sys.definitions.Get("hello"));
  return sys.Cell(sys.LeftPos, static_cast<pVar*>(args[0])->index).Set(sys, goal, -1);
}

int Succeed(PrologSystem&, Seq<pObj*>& args) { return args.Count() == 0 ? 1 : 0; }

// Describes its argument as the embedding program sees it, through its
// bindings: kind, name, arity, value and written form.
int Describe(PrologSystem& sys, Seq<pObj*>& args) {
  if (args.Count() != 1) return 0;
  zavo::FramedTerm t = zavo::Deref(sys, args[0], sys.LeftPos);
  std::ostringstream os;
  os << "[" << t.term->Type();
  if (const char* name = zavo::TermName(t.term)) os << " " << name;
  if (t.term->IsCompound()) os << "/" << static_cast<Functor*>(t.term)->Arity();
  if (t.term->Type() == zavo::kTypeNumber) os << " " << static_cast<RealNumber*>(t.term)->value;
  os << " ";
  zavo::WriteTerm(sys, t.term, t.frame, os);
  os << "]";
  sys.Emit(*sys.out, os.str());
  return 1;
}

TEST(PrologEngine, PredicatesOfTheEmbeddingProgramGiveSolutions) {
  PrologSystem sys(1000, 1000);
  sys.DefinePredicate("answer", Answer42);
  sys.DefinePredicate("make_goal", MakeGoal);
  sys.DefinePredicate("ready", Succeed);
  sys.DefinePredicate("colour", Succeed);
  ConsultText(sys, "show(X) :- write(X). colour(red). twice(X) :- answer(X).");
  const Case cases[] = {
      {"?- answer(X).", "X = 42\nyes\n"},
      {"?- answer(X), Y is X + 1 .", "X = 42\nY = 43\nyes\n"},
      {"?- twice(X), twice(Y).", "X = 42\nY = 42\nyes\n"},
      {"?- ready.", "yes\n"},
      {"?- make_goal(G), G, nl.", "hello \nG = show(hello)\nyes\n"},
      // A name defined as a predicate is never looked up among the clauses.
      {"?- colour(red).", "no\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
  }
}

TEST(PrologEngine, PredicatesSeeTermsThroughTheirBindings) {
  PrologSystem sys(1000, 1000);
  sys.DefinePredicate("describe", Describe);
  ConsultText(sys, "p(X) :- X = f(Y, g), Y = 2, describe(X).");
  const Case cases[] = {
      {"?- X = Y, Y = f(Z, a), describe(X).", "[5 f/2 f(Z_0,a)]X = f(Z_0,a)\nY = f(Z_0,a)\nZ = ???\nyes\n"},
      {"?- X = 3, describe(X).", "[100 3 3]X = 3\nyes\n"},
      {"?- describe(Y).", "[10 Y_0]Y = ???\nyes\n"},
      {"?- describe(atom).", "[4 atom atom]yes\n"},
      {"?- p(X).", "[5 f/2 f(2,g)]X = f(2,g)\nyes\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
  }
}

TEST(PrologEngine, ATalkingHostReceivesTheSolutions) {
  PrologSystem sys(1000, 1000);
  RecordingHost host(0);
  sys.host = &host;
  ConsultText(sys, "colour(red).");
  EXPECT_EQ(Ask(sys, "?- colour(C)."), "");
  EXPECT_EQ(host.outputs, (std::vector<std::string>{"C", " = ", "red", "\n", "yes\n"}));
  sys.host = nullptr;
}

TEST(PrologEngine, WithoutAQueryNothingIsFound) {
  PrologSystem sys(1000, 1000);
  std::ostringstream os;
  sys.out = &os;
  sys.Solve(nullptr);
  sys.Answer();
  EXPECT_EQ(os.str(), "no\n");
}

}  // namespace
