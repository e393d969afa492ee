// Arithmetic on doubles for "is" and the comparisons.

#include "interp/prolog/arithmetic.h"

#include <cmath>
#include <limits>
#include <locale>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "foundation/number_text.h"
#include "interp/prolog/prolog_system.h"

namespace {

// How one evaluator traces: its name, its result label, and whether it is the
// product, which also traces the frame it evaluates in.
struct Trace {
  const char* name;
  const char* label;
  bool product = false;
};

std::string NumberText(double v) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os << v;
  return os.str();
}

void TraceFrame(PrologSystem& sys) {
  *sys.log << "molt1: ps.Pos = " << sys.ViewFrame << "\n";
}

// "Arg i = " and the argument as written through its bindings, two blanks.
void TraceArgument(PrologSystem& sys, const Trace& trace, int i, pObj* arg) {
  if (trace.product) TraceFrame(sys);
  *sys.log << (trace.product ? "molt1: Arg " : "Arg ") << i << " = ";
  int mode = sys.ViewMode;
  sys.ViewMode = 1;
  sys.Emit(*sys.log, *arg);
  sys.ViewMode = mode;
  *sys.log << "  \n";
}

// The value of one argument, evaluated with mode 1; nothing when it has none.
std::optional<double> Value(PrologSystem& sys, pObj* arg) {
  std::unique_ptr<pObj> r(arg->Eval(sys, 1));
  if (r == nullptr || r->Type() != zavo::kTypeNumber) return std::nullopt;
  return static_cast<RealNumber*>(r.get())->value;
}

// Evaluates the arguments of an evaluator of `count` arguments and applies
// `op` to their values: a new number, or null.
template <class Op>
pObj* Evaluate(PrologSystem& sys, Seq<pObj*>& args, int count, const Trace& trace, Op op) {
  if (static_cast<int>(args.Count()) != count) return nullptr;
  if (sys.debug) *sys.log << trace.name << "\n";
  double values[2] = {0, 0};
  bool valid = true;
  for (int i = 0; i < count; ++i) {
    if (sys.debug) TraceArgument(sys, trace, i, args[i]);
    std::optional<double> v = Value(sys, args[i]);
    if (!v) {
      valid = false;
    } else {
      values[i] = *v;
    }
  }
  if (!valid) return nullptr;
  std::optional<double> result = op(values[0], values[1]);
  if (!result) return nullptr;
  if (sys.debug) {
    if (trace.product) TraceFrame(sys);
    *sys.log << trace.label << NumberText(*result) << "\n";
  }
  return new RealNumber(*result);
}

template <class F>
pObj* Unary(PrologSystem& sys, Seq<pObj*>& args, const Trace& trace, F f) {
  return Evaluate(sys, args, 1, trace,
                  [f](double a, double) -> std::optional<double> { return f(a); });
}

template <class F>
pObj* Binary(PrologSystem& sys, Seq<pObj*>& args, const Trace& trace, F f) {
  return Evaluate(sys, args, 2, trace,
                  [f](double a, double b) -> std::optional<double> { return f(a, b); });
}

}  // namespace

pObj* fneval_plus1(PrologSystem& sys, Seq<pObj*>& args) {
  return Binary(sys, args, {"fneval_plus1", "plus1 res = "},
                [](double a, double b) { return a + b; });
}

pObj* fneval_minus1(PrologSystem& sys, Seq<pObj*>& args) {
  return Binary(sys, args, {"fneval_minus1", "minus1 res = "},
                [](double a, double b) { return a - b; });
}

pObj* fneval_molt1(PrologSystem& sys, Seq<pObj*>& args) {
  return Binary(sys, args, {"fneval_molt1", "molt1: res = ", true},
                [](double a, double b) { return a * b; });
}

pObj* fneval_div1(PrologSystem& sys, Seq<pObj*>& args) {
  return Binary(sys, args, {"fneval_div1", "div res = "},
                [](double a, double b) { return a / b; });
}

pObj* fneval_mod1(PrologSystem& sys, Seq<pObj*>& args) {
  return Evaluate(sys, args, 2, {"fneval_mod1", "mod1 res = "},
                  [](double a, double b) -> std::optional<double> {
                    int x = zavo::SaturateToInt(a);
                    int y = zavo::SaturateToInt(b);
                    // An integer division by zero has no value; the smallest
                    // int by -1 overflows, its remainder is 0.
                    if (y == 0) return std::nullopt;
                    if (y == -1) return 0.0;
                    return static_cast<double>(x % y);
                  });
}

pObj* fneval_pow1(PrologSystem& sys, Seq<pObj*>& args) {
  return Binary(sys, args, {"fneval_pow1", "pow1 res = "},
                [](double a, double b) { return std::pow(a, b); });
}

pObj* fneval_sin1(PrologSystem& sys, Seq<pObj*>& args) {
  return Unary(sys, args, {"fneval_sin1", "sin1 res = "}, [](double a) { return std::sin(a); });
}

pObj* fneval_cos1(PrologSystem& sys, Seq<pObj*>& args) {
  return Unary(sys, args, {"fneval_cos1", "cos1 res = "}, [](double a) { return std::cos(a); });
}

pObj* fneval_tan1(PrologSystem& sys, Seq<pObj*>& args) {
  return Unary(sys, args, {"fneval_tan1", "tan1 res = "}, [](double a) { return std::tan(a); });
}

pObj* fneval_asin1(PrologSystem& sys, Seq<pObj*>& args) {
  return Unary(sys, args, {"fneval_asin1", "asin res = "},
               [](double a) { return std::asin(a); });
}

pObj* fneval_acos1(PrologSystem& sys, Seq<pObj*>& args) {
  return Unary(sys, args, {"fneval_acos1", "acos res = "},
               [](double a) { return std::acos(a); });
}

pObj* fneval_atan1(PrologSystem& sys, Seq<pObj*>& args) {
  return Unary(sys, args, {"fneval_atan1", "atan1 res = "},
               [](double a) { return std::atan(a); });
}

pObj* fneval_sqrt1(PrologSystem& sys, Seq<pObj*>& args) {
  return Unary(sys, args, {"fneval_sqrt1", "sqrt res = "},
               [](double a) { return std::sqrt(a); });
}

pObj* fneval_log1(PrologSystem& sys, Seq<pObj*>& args) {
  return Unary(sys, args, {"fneval_log1", "log1 res = "}, [](double a) { return std::log(a); });
}

pObj* fneval_exp1(PrologSystem& sys, Seq<pObj*>& args) {
  return Unary(sys, args, {"fneval_exp1", "exp1 res = "}, [](double a) { return std::exp(a); });
}

pObj* fneval_fminus1(PrologSystem& sys, Seq<pObj*>& args) {
  return Unary(sys, args, {"fneval_fminus1", "fminus1 res = "}, [](double a) { return -a; });
}

pObj* fneval_fplus1(PrologSystem& sys, Seq<pObj*>& args) {
  return Unary(sys, args, {"fneval_fplus1", "fplus1 res = "}, [](double a) { return a; });
}
