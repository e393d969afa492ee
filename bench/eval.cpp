// Evaluations per second of a field-like expression on the evaluator's two
// paths, with new coordinates set before every evaluation as a field does per
// point.
#include <benchmark/benchmark.h>

#include "interp/eval/eval_expression_system.h"

namespace {

struct Field {
  EvalExpressionSystem system;
  DVar* x = system.DefineVariable("x");
  DVar* y = system.DefineVariable("y");
  DVar* z = system.DefineVariable("z");
  DVar* expression = system.DefineVariable("f");
  DVar* result = system.DefineVariable("result");

  explicit Field(const char* text) {
    if (!system.Compile(expression, text)) throw "expression refused";
  }
  void SetPoint(int i) {
    system.SetConstant(x, 0.001 * i);
    system.SetConstant(y, 0.5 - 0.002 * i);
    system.SetConstant(z, 0.25);
  }
};

constexpr const char* kSphere = "x * x + y * y + z * z - 1";

void BM_EvaluateReal(benchmark::State& state) {
  Field field(kSphere);
  int i = 0;
  double sum = 0.0;
  for (auto _ : state) {
    field.SetPoint(i++ & 1023);
    double value;
    if (!field.system.EvaluateReal(field.expression, value)) state.SkipWithError("failed");
    sum += value;
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateReal);

void BM_Evaluate(benchmark::State& state) {
  Field field(kSphere);
  int i = 0;
  for (auto _ : state) {
    field.SetPoint(i++ & 1023);
    if (!field.system.Evaluate(field.expression, field.result)) state.SkipWithError("failed");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Evaluate);

}  // namespace
