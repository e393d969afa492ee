// Arbitrary text through the evaluator's readers and both evaluation paths.
// The input is split at the first line feed: the first part is offered as a
// function definition, the rest as an expression, which is compiled,
// evaluated on both paths and printed. It must never crash or hang.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "interp/eval/eval_expression_system.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\n');
  const std::string definition = input.substr(0, split);
  const std::string expression = split == std::string::npos ? input : input.substr(split + 1);

  EvalExpressionSystem system;
  DVar* x = system.DefineVariable("x");
  DVar* y = system.DefineVariable("y");
  system.SetConstant(x, 0.5);
  system.Compile(y, "x * 2 + y");  // refers back to itself
  system.DefineFunction(definition.c_str());

  DVar* h = system.DefineVariable("h");
  DVar* r = system.DefineVariable("r");
  std::ostringstream out;
  if (system.Compile(h, expression.c_str())) {
    system.Print(h, out);
    double value;
    system.EvaluateReal(h, value);
    if (system.Evaluate(h, r)) system.Print(r, out);
    system.Evaluate(h, h);
    system.Print(h, out);
  }
  // The same text as an expression over the self-referring variable.
  if (system.Compile(y, expression.c_str())) {
    double value;
    system.EvaluateReal(y, value);
    system.Evaluate(y, r);
  }
  return 0;
}
