// Naive reverse of a 30-element list: 496 logical inferences per run, on a
// system with the editor's stack sizes.

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

void NaiveReverse(benchmark::State& state, const char* goal) {
  PrologSystem sys(10000, 10000);
  std::istringstream program(kProgram);
  sys.Consult(program, nullptr);
  std::istringstream text(goal);
  pParser p(text, zavo::kPrologGoalScannerConfig);
  std::unique_ptr<Rule> query(sys.ReadClause(p));
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
  state.SetItemsProcessed(state.iterations() * kInferences);
  state.counters["LIPS"] = benchmark::Counter(static_cast<double>(state.iterations()) * kInferences,
                                              benchmark::Counter::kIsRate);
}

// The whole search: after the solution every choice point is tried again.
void BM_NaiveReverse30(benchmark::State& state) { NaiveReverse(state, "?- bench."); }
// The first solution only: a cut in the query drops the choice points.
void BM_NaiveReverse30FirstSolution(benchmark::State& state) {
  NaiveReverse(state, "?- bench, !.");
}

}  // namespace

BENCHMARK(BM_NaiveReverse30);
BENCHMARK(BM_NaiveReverse30FirstSolution);
