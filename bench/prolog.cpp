// Prolog engine speed:
// - naive reverse of a 30-element list (496 logical inferences a run) on a
//   system with the editor's stack sizes, alone and with 5000 unrelated
//   clauses loaded before it;
// - a counter that passes its limit along the recursion, count(0, N): every
//   level unifies the limit with a variable of the level before.

#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <string>

#include "interp/prolog/parser.h"
#include "interp/prolog/prolog_system.h"

namespace {

constexpr int kInferences = 496;

const char* const kProgram =
    "app([], L, L).\n"
    "app([H|T], L, [H|R]) :- app(T, L, R).\n"
    "nrev([], []).\n"
    "nrev([H|T], R) :- nrev(T, RT), app(RT, [H], R).\n"
    "list30([1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,\n"
    "        21,22,23,24,25,26,27,28,29,30]).\n"
    "bench :- list30(L), nrev(L, _).\n";

const char* const kCount =
    "count(N, N).\n"
    "count(I, N) :- I < N, I1 is I + 1, count(I1, N).\n";

// 5000 facts and rules of 50 names that no goal of the benchmarks calls.
std::string UnrelatedClauses() {
  std::ostringstream text;
  for (int i = 0; i < 5000; ++i) {
    int name = i % 50;
    if (i % 3 == 0) {
      text << "item" << name << "(" << i << ", [a, b | T], T).\n";
    } else {
      text << "rel" << name << "(X, " << i << ") :- item" << name << "(X, _, _).\n";
    }
  }
  return text.str();
}

std::unique_ptr<Rule> ReadGoal(PrologSystem& sys, const char* goal) {
  std::istringstream text(goal);
  pParser p(text, zavo::kPrologGoalScannerConfig);
  return std::unique_ptr<Rule>(sys.ReadClause(p));
}

void Run(benchmark::State& state, PrologSystem& sys, const char* goal) {
  std::unique_ptr<Rule> query = ReadGoal(sys, goal);
  std::ostringstream out;
  sys.out = &out;
  if (query == nullptr) {
    state.SkipWithError("the goal does not read");
    return;
  }
  for (auto _ : state) {
    sys.Solve(query.get());
    if (!sys.Succeeded()) {
      state.SkipWithError("no solution");
      break;
    }
  }
}

void NaiveReverse(benchmark::State& state, const char* goal, bool unrelated) {
  PrologSystem sys(10000, 10000);
  if (unrelated) {
    std::istringstream more(UnrelatedClauses());
    sys.Consult(more, nullptr);
  }
  std::istringstream program(kProgram);
  sys.Consult(program, nullptr);
  Run(state, sys, goal);
  state.SetItemsProcessed(state.iterations() * kInferences);
  state.counters["LIPS"] = benchmark::Counter(static_cast<double>(state.iterations()) * kInferences,
                                              benchmark::Counter::kIsRate);
}

// The whole search: after the solution every choice point is tried again.
void BM_NaiveReverse30(benchmark::State& state) { NaiveReverse(state, "?- bench.", false); }
// The first solution only: a cut in the query drops the choice points.
void BM_NaiveReverse30FirstSolution(benchmark::State& state) {
  NaiveReverse(state, "?- bench, !.", false);
}
// The same with 5000 clauses of other names loaded before the program.
void BM_NaiveReverse30Among5000Clauses(benchmark::State& state) {
  NaiveReverse(state, "?- bench.", true);
}
void BM_NaiveReverse30Among5000ClausesFirstSolution(benchmark::State& state) {
  NaiveReverse(state, "?- bench, !.", true);
}

// count(0, N) to the depth N given as the argument; first solution.
void BM_CountChain(benchmark::State& state) {
  const int steps = static_cast<int>(state.range(0));
  PrologSystem sys(4 * steps + 1000, 2 * steps + 1000);
  std::istringstream program(kCount);
  sys.Consult(program, nullptr);
  std::string goal = "?- count(0, " + std::to_string(steps) + "), !.";
  Run(state, sys, goal.c_str());
  state.SetItemsProcessed(state.iterations() * steps);
}

}  // namespace

BENCHMARK(BM_NaiveReverse30);
BENCHMARK(BM_NaiveReverse30FirstSolution);
BENCHMARK(BM_NaiveReverse30Among5000Clauses);
BENCHMARK(BM_NaiveReverse30Among5000ClausesFirstSolution);
BENCHMARK(BM_CountChain)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);
