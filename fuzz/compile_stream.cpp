// Arbitrary bytes as an open text stream for the evaluator: expressions are
// compiled one after another from the same stream until it gives no more
// (as a caller reading several from one file does), each printed and
// evaluated on both paths. It must never crash or hang.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "interp/eval/eval_expression_system.h"

namespace {

// At most this many expressions per input.
constexpr int kExpressions = 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));

  EvalExpressionSystem system;
  DVar* x = system.DefineVariable("x");
  DVar* y = system.DefineVariable("y");
  system.SetConstant(x, 0.5);
  system.Compile(y, "x * 2 + y");  // refers back to itself
  system.DefineFunction("g(a, b) = a * b - x");
  DVar* h = system.DefineVariable("h");
  DVar* r = system.DefineVariable("r");

  // The scanner reads the stream's buffer directly: its end is seen there.
  for (int i = 0; i < kExpressions && in.rdbuf()->sgetc() != std::char_traits<char>::eof(); ++i) {
    if (!system.CompileStream(h, in)) continue;
    std::ostringstream out;
    system.Print(h, out);
    double value;
    system.EvaluateReal(h, value);
    if (system.Evaluate(h, r)) system.Print(r, out);
    // The expression replaced by its value.
    system.Evaluate(h, h);
    system.Print(h, out);
  }
  return 0;
}
