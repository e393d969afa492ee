#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "prolog_test_support.h"

namespace {

using zavo::test::Ask;
using zavo::test::ConsultText;

// Small classic programs, written for the built-ins this interpreter has, with
// the answers standard Prolog gives. Every solution is printed, so each query
// is written to end its search.
const char* const kPrograms =
    "app([], L, L).\n"
    "app([H | T], L, [H | R]) :- app(T, L, R).\n"
    "nrev([], []).\n"
    "nrev([H | T], R) :- nrev(T, RT), app(RT, [H], R).\n"
    "upto(N, N, [N]).\n"
    "upto(L, H, [L | T]) :- L < H, M is L + 1, upto(M, H, T).\n"
    // Eight queens: a queen per row, each new one safe from those placed.
    "queens(N, Qs) :- upto(1, N, Ns), place(Ns, [], Qs).\n"
    "place([], Qs, Qs).\n"
    "place(Free, Safe, Qs) :- sel(Q, Free, Rest), safe(Q, Safe, 1), place(Rest, [Q | Safe], Qs).\n"
    "sel(X, [X | T], T).\n"
    "sel(X, [H | T], [H | R]) :- sel(X, T, R).\n"
    "safe(_, [], _).\n"
    "safe(Q, [P | Ps], D) :- Q =\\= P + D, Q =\\= P - D, E is D + 1, safe(Q, Ps, E).\n"
    "hanoi(0, _, _, _, []).\n"
    "hanoi(N, F, T, V, Ms) :- N > 0, M is N - 1, hanoi(M, F, V, T, Before),\n"
    "    hanoi(M, V, T, F, After), app(Before, [F - T | After], Ms).\n"
    "qsort([], []).\n"
    "qsort([H | T], S) :- part(H, T, L, G), qsort(L, SL), qsort(G, SG), app(SL, [H | SG], S).\n"
    "part(_, [], [], []).\n"
    "part(P, [X | Xs], [X | L], G) :- X =< P, part(P, Xs, L, G).\n"
    "part(P, [X | Xs], L, [X | G]) :- X > P, part(P, Xs, L, G).\n"
    "len(L, N) :- lena(L, 0, N).\n"
    "lena([], A, A).\n"
    "lena([_ | T], A, N) :- B is A + 1, lena(T, B, N).\n"
    // A meta-interpreter over clauses kept as facts; built-ins run as goals.
    "solve(true).\n"
    "solve((A, B)) :- solve(A), solve(B).\n"
    "solve(H) :- rule(H, B), solve(B).\n"
    "solve(G) :- builtin(G), G.\n"
    "builtin(_ is _).\n"
    "builtin(_ < _).\n"
    "rule(mapp([], L, L), true).\n"
    "rule(mapp([H | T], L, [H | R]), mapp(T, L, R)).\n"
    "rule(mlen([], 0), true).\n"
    "rule(mlen([_ | T], N), (mlen(T, M), N is M + 1)).\n"
    "rule(count(N, N, [N]), true).\n"
    "rule(count(L, H, [L | T]), (L < H, M is L + 1, count(M, H, T))).\n";

// "[ a , b ]" from the texts of the elements.
std::string List(const std::vector<std::string>& items) {
  if (items.empty()) return "[]";
  std::string s = "[ ";
  for (size_t i = 0; i < items.size(); ++i) s += (i > 0 ? " , " : "") + items[i];
  return s + " ]";
}

std::vector<std::string> Numbers(int from, int to, int step) {
  std::vector<std::string> v;
  for (int i = from; step > 0 ? i <= to : i >= to; i += step) v.push_back(std::to_string(i));
  return v;
}

TEST(PrologClassicPrograms, GiveTheStandardAnswers) {
  PrologSystem sys(200000, 200000);
  ConsultText(sys, kPrograms);
  const std::string thirty = List(Numbers(1, 30, 1));
  const struct {
    std::string goal;
    std::string answer;
  } cases[] = {
      {"?- app(X, Y, [a, b]).",
       "X = []\nY = [ a , b ]\nX = [ a ]\nY = [ b ]\nX = [ a , b ]\nY = []\nyes\n"},
      {"?- app([a], [b, c], L).", "L = [ a , b , c ]\nyes\n"},
      {"?- upto(1, 30, L), nrev(L, R).",
       "L = " + thirty + "\nR = " + List(Numbers(30, 1, -1)) + "\nyes\n"},
      {"?- hanoi(3, left, right, centre, Ms).",
       "Ms = [ left - right , left - centre , right - centre , left - right , centre - left , "
       "centre - right , left - right ]\nyes\n"},
      {"?- qsort([3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 5], S).",
       "S = [ 1 , 1 , 2 , 3 , 3 , 4 , 5 , 5 , 5 , 6 , 9 ]\nyes\n"},
      {"?- len([a, b, c, d, e], N).", "N = 5\nyes\n"},
      {"?- len([], N).", "N = 0\nyes\n"},
      {"?- solve(mapp(X, Y, [a, b])).",
       "X = []\nY = [ a , b ]\nX = [ a ]\nY = [ b ]\nX = [ a , b ]\nY = []\nyes\n"},
      {"?- solve(mlen([a, b, c], N)).", "N = 3\nyes\n"},
      {"?- solve(count(1, 4, L)).", "L = [ 1 , 2 , 3 , 4 ]\nyes\n"},
      {"?- solve(mapp([a], b, c)).", "no\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Ask(sys, c.goal), c.answer);
    EXPECT_EQ(sys.stack.Count(), 0);
  }
}

// All 92 solutions of eight queens, each a valid placement, none twice.
TEST(PrologClassicPrograms, EightQueensHasNinetyTwoSolutions) {
  PrologSystem sys(200000, 200000);
  ConsultText(sys, kPrograms);
  std::istringstream answer(Ask(sys, "?- queens(8, Qs)."));
  std::set<std::vector<int>> solutions;
  std::string line;
  std::string last;
  while (std::getline(answer, line)) {
    last = line;
    if (line.rfind("Qs = [ ", 0) != 0) continue;
    std::istringstream items(line.substr(7));
    std::vector<int> rows;
    std::string item;
    while (items >> item) {
      if (item != "," && item != "]") rows.push_back(std::stoi(item));
    }
    ASSERT_EQ(rows.size(), 8u) << line;
    for (int i = 0; i < 8; ++i) {
      for (int j = i + 1; j < 8; ++j) {
        EXPECT_NE(rows[i], rows[j]) << line;
        EXPECT_NE(std::abs(rows[i] - rows[j]), j - i) << line;
      }
    }
    solutions.insert(rows);
  }
  EXPECT_EQ(solutions.size(), 92u);
  EXPECT_EQ(last, "yes");
}

}  // namespace
