#include "interp/eval/builtins.h"

#include <cmath>
#include <complex>

namespace zavo::builtins {
namespace {

using Complex = std::complex<double>;

// ---- real path -------------------------------------------------------------

int RealArgs2(eSystem& system, const EvalArgs& args, double& left, double& right) {
  return args.Count() == 2 && args[0]->GetReal(system, left) && args[1]->GetReal(system, right);
}

int RealArg1(eSystem& system, const EvalArgs& args, double& x) {
  return args.Count() == 1 && args[0]->GetReal(system, x);
}

template <double (*F)(double)>
int RealUnary(eSystem& system, const EvalArgs& args, double& out) {
  double x;
  if (!RealArg1(system, args, x)) return 0;
  out = F(x);
  return 1;
}

// ---- value path ------------------------------------------------------------

bool IsNumber(const EvalObj& v) { return v.Kind() == kRealKind || v.Kind() == kComplexKind; }

// A real taking part in a complex computation has imaginary part 0.
Complex AsComplex(const EvalObj& v) {
  if (v.Kind() == kRealKind) return Complex(static_cast<const RealNum&>(v).Value(), 0.0);
  const auto& c = static_cast<const ComplexNum&>(v);
  return Complex(c.Re(), c.Im());
}

double AsReal(const EvalObj& v) { return static_cast<const RealNum&>(v).Value(); }

std::unique_ptr<EvalObj> MakeReal(double x) { return std::make_unique<RealNum>(x); }
std::unique_ptr<EvalObj> MakeComplex(double re, double im) {
  return std::make_unique<ComplexNum>(re, im);
}
std::unique_ptr<EvalObj> MakeComplex(Complex z) { return MakeComplex(z.real(), z.imag()); }

enum class Arith { kAdd, kSub, kMul, kDiv };

double RealArith(Arith op, double a, double b) {
  switch (op) {
    case Arith::kAdd:
      return a + b;
    case Arith::kSub:
      return a - b;
    case Arith::kMul:
      return a * b;
    case Arith::kDiv:
      return a / b;
  }
  return 0.0;
}

// The parts are combined by hand (not through std::complex's operators) so that
// the product and the quotient are computed in exactly the textbook form.
std::unique_ptr<EvalObj> ComplexArith(Arith op, Complex l, Complex r) {
  const double a = l.real(), b = l.imag(), c = r.real(), d = r.imag();
  switch (op) {
    case Arith::kAdd:
      return MakeComplex(a + c, b + d);
    case Arith::kSub:
      return MakeComplex(a - c, b - d);
    case Arith::kMul:
      return MakeComplex(a * c - b * d, b * c + a * d);
    case Arith::kDiv: {
      // The left operand times the conjugate of the right, each part divided
      // by c^2 + d^2.
      const double e = -d;
      const double norm = c * c + d * d;
      return MakeComplex((a * c - b * e) / norm, (b * c + a * e) / norm);
    }
  }
  return nullptr;
}

std::unique_ptr<EvalObj> ValueArith(eSystem& system, const EvalArgs& args, Arith op) {
  if (args.Count() != 2) return nullptr;
  std::unique_ptr<EvalObj> left = args[0]->Evaluate(system);
  if (!left) return nullptr;
  std::unique_ptr<EvalObj> right = args[1]->Evaluate(system);
  if (!right) return nullptr;
  if (left->Kind() == kRealKind && right->Kind() == kRealKind) {
    return MakeReal(RealArith(op, AsReal(*left), AsReal(*right)));
  }
  if (IsNumber(*left) && IsNumber(*right)) {
    return ComplexArith(op, AsComplex(*left), AsComplex(*right));
  }
  return nullptr;
}

std::unique_ptr<EvalObj> EvaluateArg1(eSystem& system, const EvalArgs& args) {
  if (args.Count() != 1) return nullptr;
  return args[0]->Evaluate(system);
}

// A one-argument function: the real function for a real argument, the complex
// one (when there is one) for a complex argument; a vector fails.
template <double (*RealF)(double), Complex (*ComplexF)(Complex)>
std::unique_ptr<EvalObj> ValueUnary(eSystem& system, const EvalArgs& args) {
  std::unique_ptr<EvalObj> x = EvaluateArg1(system, args);
  if (!x) return nullptr;
  if (x->Kind() == kRealKind) return MakeReal(RealF(AsReal(*x)));
  if constexpr (ComplexF != nullptr) {
    if (x->Kind() == kComplexKind) return MakeComplex(ComplexF(AsComplex(*x)));
  }
  return nullptr;
}

double Sin(double x) { return std::sin(x); }
double Cos(double x) { return std::cos(x); }
double Abs(double x) { return std::fabs(x); }
double Zero(double x) { return x == 0.0 ? 1.0 : 0.0; }
double Acos(double x) { return std::acos(x); }
double Asin(double x) { return std::asin(x); }
double Atan(double x) { return std::atan(x); }
double Cosh(double x) { return std::cosh(x); }
double Exp(double x) { return std::exp(x); }
double Log(double x) { return std::log(x); }
double Log10(double x) { return std::log10(x); }
double Sinh(double x) { return std::sinh(x); }
double Tan(double x) { return std::tan(x); }
double Tanh(double x) { return std::tanh(x); }

Complex AbsC(Complex z) { return Complex(std::abs(z), 0.0); }
Complex AcosC(Complex z) { return std::acos(z); }
Complex AsinC(Complex z) { return std::asin(z); }
Complex AtanC(Complex z) { return std::atan(z); }
Complex CoshC(Complex z) { return std::cosh(z); }
Complex ExpC(Complex z) { return std::exp(z); }
Complex LogC(Complex z) { return std::log(z); }
Complex Log10C(Complex z) { return std::log10(z); }
Complex SinhC(Complex z) { return std::sinh(z); }
Complex TanC(Complex z) { return std::tan(z); }
Complex TanhC(Complex z) { return std::tanh(z); }

}  // namespace

int RealAdd(eSystem& s, const EvalArgs& a, double& out) {
  double l, r;
  if (!RealArgs2(s, a, l, r)) return 0;
  out = l + r;
  return 1;
}
int RealSub(eSystem& s, const EvalArgs& a, double& out) {
  double l, r;
  if (!RealArgs2(s, a, l, r)) return 0;
  out = l - r;
  return 1;
}
int RealMul(eSystem& s, const EvalArgs& a, double& out) {
  double l, r;
  if (!RealArgs2(s, a, l, r)) return 0;
  out = l * r;
  return 1;
}
int RealDiv(eSystem& s, const EvalArgs& a, double& out) {
  double l, r;
  if (!RealArgs2(s, a, l, r)) return 0;
  out = l / r;
  return 1;
}
int RealNeg(eSystem& s, const EvalArgs& a, double& out) {
  double x;
  if (!RealArg1(s, a, x)) return 0;
  out = -x;
  return 1;
}
int RealSin(eSystem& s, const EvalArgs& a, double& out) { return RealUnary<Sin>(s, a, out); }
int RealAbs(eSystem& s, const EvalArgs& a, double& out) { return RealUnary<Abs>(s, a, out); }
int RealZero(eSystem& s, const EvalArgs& a, double& out) { return RealUnary<Zero>(s, a, out); }
int RealAcos(eSystem& s, const EvalArgs& a, double& out) { return RealUnary<Acos>(s, a, out); }
int RealAsin(eSystem& s, const EvalArgs& a, double& out) { return RealUnary<Asin>(s, a, out); }
int RealAtan(eSystem& s, const EvalArgs& a, double& out) { return RealUnary<Atan>(s, a, out); }
int RealCos(eSystem& s, const EvalArgs& a, double& out) { return RealUnary<Cos>(s, a, out); }
int RealCosh(eSystem& s, const EvalArgs& a, double& out) { return RealUnary<Cosh>(s, a, out); }
int RealExp(eSystem& s, const EvalArgs& a, double& out) { return RealUnary<Exp>(s, a, out); }
int RealLog(eSystem& s, const EvalArgs& a, double& out) { return RealUnary<Log>(s, a, out); }
int RealLog10(eSystem& s, const EvalArgs& a, double& out) { return RealUnary<Log10>(s, a, out); }
int RealSinh(eSystem& s, const EvalArgs& a, double& out) { return RealUnary<Sinh>(s, a, out); }
int RealTan(eSystem& s, const EvalArgs& a, double& out) { return RealUnary<Tan>(s, a, out); }
int RealTanh(eSystem& s, const EvalArgs& a, double& out) { return RealUnary<Tanh>(s, a, out); }

int RealSqrt(eSystem& s, const EvalArgs& a, double& out) {
  double x;
  if (!RealArg1(s, a, x)) return 0;
  if (!(x >= 0.0)) return 0;  // negative or not comparable
  out = std::sqrt(x);
  return 1;
}

// The scalar product has no real path: only Evaluate yields it.
int RealProdscal(eSystem&, const EvalArgs&, double&) { return 0; }

std::unique_ptr<EvalObj> ValueAdd(eSystem& s, const EvalArgs& a) { return ValueArith(s, a, Arith::kAdd); }
std::unique_ptr<EvalObj> ValueSub(eSystem& s, const EvalArgs& a) { return ValueArith(s, a, Arith::kSub); }
std::unique_ptr<EvalObj> ValueMul(eSystem& s, const EvalArgs& a) { return ValueArith(s, a, Arith::kMul); }
std::unique_ptr<EvalObj> ValueDiv(eSystem& s, const EvalArgs& a) { return ValueArith(s, a, Arith::kDiv); }

std::unique_ptr<EvalObj> ValueNeg(eSystem& s, const EvalArgs& a) {
  std::unique_ptr<EvalObj> x = EvaluateArg1(s, a);
  if (!x) return nullptr;
  if (x->Kind() == kRealKind) return MakeReal(-AsReal(*x));
  if (x->Kind() == kComplexKind) {
    const auto& c = static_cast<const ComplexNum&>(*x);
    return MakeComplex(-c.Re(), -c.Im());
  }
  return nullptr;
}

// sin, cos and zero are defined for real arguments only.
std::unique_ptr<EvalObj> ValueSin(eSystem& s, const EvalArgs& a) { return ValueUnary<Sin, nullptr>(s, a); }
std::unique_ptr<EvalObj> ValueCos(eSystem& s, const EvalArgs& a) { return ValueUnary<Cos, nullptr>(s, a); }
std::unique_ptr<EvalObj> ValueZero(eSystem& s, const EvalArgs& a) { return ValueUnary<Zero, nullptr>(s, a); }
std::unique_ptr<EvalObj> ValueAbs(eSystem& s, const EvalArgs& a) { return ValueUnary<Abs, AbsC>(s, a); }
std::unique_ptr<EvalObj> ValueAcos(eSystem& s, const EvalArgs& a) { return ValueUnary<Acos, AcosC>(s, a); }
std::unique_ptr<EvalObj> ValueAsin(eSystem& s, const EvalArgs& a) { return ValueUnary<Asin, AsinC>(s, a); }
std::unique_ptr<EvalObj> ValueAtan(eSystem& s, const EvalArgs& a) { return ValueUnary<Atan, AtanC>(s, a); }
std::unique_ptr<EvalObj> ValueCosh(eSystem& s, const EvalArgs& a) { return ValueUnary<Cosh, CoshC>(s, a); }
std::unique_ptr<EvalObj> ValueExp(eSystem& s, const EvalArgs& a) { return ValueUnary<Exp, ExpC>(s, a); }
std::unique_ptr<EvalObj> ValueLog(eSystem& s, const EvalArgs& a) { return ValueUnary<Log, LogC>(s, a); }
std::unique_ptr<EvalObj> ValueLog10(eSystem& s, const EvalArgs& a) { return ValueUnary<Log10, Log10C>(s, a); }
std::unique_ptr<EvalObj> ValueSinh(eSystem& s, const EvalArgs& a) { return ValueUnary<Sinh, SinhC>(s, a); }
std::unique_ptr<EvalObj> ValueTan(eSystem& s, const EvalArgs& a) { return ValueUnary<Tan, TanC>(s, a); }
std::unique_ptr<EvalObj> ValueTanh(eSystem& s, const EvalArgs& a) { return ValueUnary<Tanh, TanhC>(s, a); }

// A real of 0 or more gives the real root; any other real the imaginary root
// 0 + sqrt(-x) i; a complex argument the principal complex root.
std::unique_ptr<EvalObj> ValueSqrt(eSystem& s, const EvalArgs& a) {
  std::unique_ptr<EvalObj> x = EvaluateArg1(s, a);
  if (!x) return nullptr;
  if (x->Kind() == kRealKind) {
    const double v = AsReal(*x);
    if (v >= 0.0) return MakeReal(std::sqrt(v));
    return MakeComplex(0.0, std::sqrt(-v));
  }
  if (x->Kind() == kComplexKind) return MakeComplex(std::sqrt(AsComplex(*x)));
  return nullptr;
}

// Both arguments must be vectors of one length whose elements are reals; an
// element that is a complex value or a vector makes the product fail.
std::unique_ptr<EvalObj> ValueProdscal(eSystem& s, const EvalArgs& a) {
  if (a.Count() != 2) return nullptr;
  std::unique_ptr<EvalObj> left = a[0]->Evaluate(s);
  if (!left) return nullptr;
  std::unique_ptr<EvalObj> right = a[1]->Evaluate(s);
  if (!right) return nullptr;
  if (left->Kind() != kVectorKind || right->Kind() != kVectorKind) return nullptr;
  const auto& u = static_cast<const eVector&>(*left);
  const auto& v = static_cast<const eVector&>(*right);
  if (u.Count() != v.Count()) return nullptr;
  double sum = 0.0;
  for (unsigned i = 0; i < u.Count(); ++i) {
    const EvalObj* x = u.Item(i);
    const EvalObj* y = v.Item(i);
    if (x->Kind() != kRealKind || y->Kind() != kRealKind) return nullptr;
    sum += AsReal(*x) * AsReal(*y);
  }
  return MakeReal(sum);
}

}  // namespace zavo::builtins
