#include "interp/eval/common_defs_system.h"

#include "interp/eval/builtins.h"

namespace {

using namespace zavo::builtins;

struct OperatorRow {
  const char* name;
  int type;
  int priority;
};

constexpr OperatorRow kOperators[] = {
    {"+", zavo::kXfy, 100}, {"-", zavo::kYfx, 100}, {"-", zavo::kFx, 25},
    {"*", zavo::kXfy, 50},  {"/", zavo::kYfx, 50},  {"prodscal", zavo::kXfx, 25},
};

constexpr int kNoOperator = -1;

struct FunctionRow {
  const char* name;
  int arity;
  int operatorPosition;  // the position of the operator it implements, or kNoOperator
  DFunInt::RealEvaluator real;
  DFunInt::ValueEvaluator value;
};

constexpr FunctionRow kFunctions[] = {
    {"+", 2, zavo::kInfix, RealAdd, ValueAdd},
    {"-", 2, zavo::kInfix, RealSub, ValueSub},
    {"/", 2, zavo::kInfix, RealDiv, ValueDiv},
    {"*", 2, zavo::kInfix, RealMul, ValueMul},
    {"-", 1, zavo::kPrefix, RealNeg, ValueNeg},
    {"sin", 1, kNoOperator, RealSin, ValueSin},
    {"abs", 1, kNoOperator, RealAbs, ValueAbs},
    {"zero", 1, kNoOperator, RealZero, ValueZero},
    {"acos", 1, kNoOperator, RealAcos, ValueAcos},
    {"asin", 1, kNoOperator, RealAsin, ValueAsin},
    {"atan", 1, kNoOperator, RealAtan, ValueAtan},
    {"cos", 1, kNoOperator, RealCos, ValueCos},
    {"cosh", 1, kNoOperator, RealCosh, ValueCosh},
    {"exp", 1, kNoOperator, RealExp, ValueExp},
    {"log", 1, kNoOperator, RealLog, ValueLog},
    {"log10", 1, kNoOperator, RealLog10, ValueLog10},
    {"sinh", 1, kNoOperator, RealSinh, ValueSinh},
    {"sqrt", 1, kNoOperator, RealSqrt, ValueSqrt},
    {"tan", 1, kNoOperator, RealTan, ValueTan},
    {"tanh", 1, kNoOperator, RealTanh, ValueTanh},
    {"prodscal", 2, zavo::kInfix, RealProdscal, ValueProdscal},
};

}  // namespace

CommonDefseSystem::CommonDefseSystem() {
  for (const OperatorRow& row : kOperators) AddOperator(new Operator(row.name, row.type, row.priority));
  for (const FunctionRow& row : kFunctions) {
    const Operator* op =
        row.operatorPosition == kNoOperator ? nullptr : FindOperator(row.name, row.operatorPosition);
    AddFunction(new DFunInt(row.name, row.arity, op, row.real, row.value));
  }
}
