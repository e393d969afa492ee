#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "prolog_test_support.h"

namespace {

using zavo::test::Ask;
using zavo::test::ConsultText;

// Loops that pass their result down bind one variable to the next per call:
// printing, evaluation and the comparisons follow such chains of any length.
const char* const kListProgram =
    "mk(0, []).\n"
    "mk(N, [N | T]) :- N > 0, M is N - 1, mk(M, T).\n"
    "lena([], A, A).\n"
    "lena([_ | T], A, N) :- B is A + 1, lena(T, B, N).\n"
    "rev([], A, A).\n"
    "rev([H | T], A, R) :- rev(T, [H | A], R).\n";

// "[ from , from+step , ... , to ]"
std::string Counted(int from, int to, int step) {
  std::string s = "[ ";
  for (int i = from;; i += step) {
    s += std::to_string(i);
    if (i == to) break;
    s += " , ";
  }
  return s + " ]";
}

TEST(PrologChains, LongChainsOfVariablesPrintAndEvaluateWhole) {
  struct Size {
    int elements;
    int stacks;
  };
  const Size sizes[] = {{2000, 100000}, {100000, 2000000}};
  for (const Size& size : sizes) {
    const int n = size.elements;
    SCOPED_TRACE(n);
    PrologSystem sys(size.stacks, size.stacks);
    ConsultText(sys, kListProgram);
    const std::string down = Counted(n, 1, -1);
    const std::string goal = "?- mk(" + std::to_string(n) + ", L), lena(L, 0, N), N > 5, M is N * 2.";
    EXPECT_EQ(Ask(sys, goal),
              "L = " + down + "\nN = " + std::to_string(n) + "\nM = " + std::to_string(2 * n) +
                  "\nyes\n");
    EXPECT_EQ(Ask(sys, "?- mk(" + std::to_string(n) + ", L), rev(L, [], R)."),
              "L = " + down + "\nR = " + Counted(1, n, 1) + "\nyes\n");
  }
}

// "is" binds the variable at the end of the chain of its left side; the
// comparisons evaluate variables through their chains.
TEST(PrologChains, IsAndTheComparisonsFollowVariablesBoundToVariables) {
  PrologSystem sys(1000, 1000);
  ConsultText(sys, "same(X, X).\n");
  const struct {
    const char* goal;
    const char* answer;
  } cases[] = {
      {"?- X = Y, X is 3 .", "X = 3\nY = 3\nyes\n"},
      {"?- X = Y, Y = Z, X is 1 + 2, Z =:= 3 .", "X = 3\nY = 3\nZ = 3\nyes\n"},
      {"?- same(A, B), same(B, C), C is 2, A > 1, 1 < B, A =< 2, B >= 2, C =\\= 3 .",
       "A = 2\nB = 2\nC = 2\nyes\n"},
      {"?- X = Y, Y = 4, X is 4 .", "pred is\nno\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
  }
}

// A variable goal is called wherever it stands in a body or a query, and a
// cut inside it cuts only within it.
TEST(PrologChains, VariableGoalsRunInAnyPositionWithALocalCut) {
  PrologSystem sys(1000, 1000);
  ConsultText(sys,
              "colour(red). colour(green).\n"
              "call1(G) :- G.\n"
              "first(X) :- G = (colour(X), !), G.\n"
              "every(X) :- colour(X), G = !, G.\n"
              "once(X) :- colour(X), !.\n"
              "local :- G = (!, fail), G.\n"
              "local.\n");
  const struct {
    const char* goal;
    const char* answer;
  } cases[] = {
      {"?- call1(colour(C)).", "C = red\nC = green\nyes\n"},
      {"?- G = colour(C), G.", "G = colour(red)\nC = red\nG = colour(green)\nC = green\nyes\n"},
      {"?- G = colour(C), H = G, H.",
       "G = colour(red)\nC = red\nH = colour(red)\nG = colour(green)\nC = green\n"
       "H = colour(green)\nyes\n"},
      {"?- call1((colour(C), colour(D))), C = D.",
       "C = red\nD = red\nC = green\nD = green\nyes\n"},
      {"?- first(X).", "X = red\nyes\n"},
      {"?- every(X).", "X = red\nX = green\nyes\n"},
      {"?- once(X).", "X = red\nyes\n"},
      {"?- local.", "yes\n"},
      {"?- call1(G).", "no\n"},
      {"?- G = 3, G.", "no\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
    EXPECT_EQ(sys.stack.Count(), 0);
  }
}

// The longest chain of variables met by links(V): the cells passed from V's
// cell on to the first one not bound to a variable.
int longestChain = 0;

int Links(PrologSystem& sys, Seq<pObj*>& args) {
  if (args.Count() != 1 || args[0]->Type() != zavo::kTypeVar) return 0;
  int frame = sys.LeftPos;
  pObj* t = args[0];
  int links = 0;
  for (;;) {
    pDVar& c = sys.Cell(frame, static_cast<pVar*>(t)->index);
    if (c.term == nullptr || c.term->Type() != zavo::kTypeVar) break;
    if (c.frame != -1) frame = c.frame;
    t = c.term;
    ++links;
  }
  longestChain = std::max(longestChain, links);
  return 1;
}

// A limit passed down a recursion is bound past the variables it came
// through: at any depth it is at most one link from its value, so following
// it costs the same at every level (the whole count is linear, not
// quadratic). The answers stay those of binding one variable to the next.
TEST(PrologChains, ALimitPassedDownStaysOneLinkFromItsValue) {
  PrologSystem sys(100000, 100000);
  sys.DefinePredicate("links", Links);
  ConsultText(sys,
              "count(I, N) :- I >= N, !, links(N).\n"
              "count(I, N) :- I1 is I + 1, count(I1, N).\n"
              "pass(X, X).\n"
              "down(0, L, L) :- links(L).\n"
              "down(K, L, R) :- K > 0, J is K - 1, pass(L, M), down(J, M, R).\n");
  struct ChainCase {
    const char* goal;
    const char* answer;
    int links;
  };
  const ChainCase cases[] = {
      {"?- count(0, 3000).", "yes\n", 0},
      {"?- M is 1000 * 3, count(0, M).", "M = 3000\nyes\n", 1},
      {"?- down(3000, L, R).", "L = X_2\nR = X_2\nyes\n", 1},
      {"?- L = f(a), down(3000, L, R).", "L = f(a)\nR = f(a)\nyes\n", 0},
  };
  for (const ChainCase& c : cases) {
    SCOPED_TRACE(c.goal);
    longestChain = 0;
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
    EXPECT_LE(longestChain, c.links);
  }
}

}  // namespace
