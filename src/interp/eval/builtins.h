#pragma once
#include <memory>

#include "interp/eval/eval_obj.h"

// The evaluation routines of the standard operators and functions: for each, a
// real evaluator (GetReal of every argument, no allocation) and a value
// evaluator (Evaluate of every argument, computed by the arguments' kinds).
namespace zavo::builtins {

int RealAdd(eSystem& system, const EvalArgs& args, double& out);
int RealSub(eSystem& system, const EvalArgs& args, double& out);
int RealMul(eSystem& system, const EvalArgs& args, double& out);
int RealDiv(eSystem& system, const EvalArgs& args, double& out);
int RealNeg(eSystem& system, const EvalArgs& args, double& out);
int RealSin(eSystem& system, const EvalArgs& args, double& out);
int RealAbs(eSystem& system, const EvalArgs& args, double& out);
int RealZero(eSystem& system, const EvalArgs& args, double& out);
int RealAcos(eSystem& system, const EvalArgs& args, double& out);
int RealAsin(eSystem& system, const EvalArgs& args, double& out);
int RealAtan(eSystem& system, const EvalArgs& args, double& out);
int RealCos(eSystem& system, const EvalArgs& args, double& out);
int RealCosh(eSystem& system, const EvalArgs& args, double& out);
int RealExp(eSystem& system, const EvalArgs& args, double& out);
int RealLog(eSystem& system, const EvalArgs& args, double& out);
int RealLog10(eSystem& system, const EvalArgs& args, double& out);
int RealSinh(eSystem& system, const EvalArgs& args, double& out);
int RealSqrt(eSystem& system, const EvalArgs& args, double& out);
int RealTan(eSystem& system, const EvalArgs& args, double& out);
int RealTanh(eSystem& system, const EvalArgs& args, double& out);
int RealProdscal(eSystem& system, const EvalArgs& args, double& out);

std::unique_ptr<EvalObj> ValueAdd(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueSub(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueMul(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueDiv(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueNeg(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueSin(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueAbs(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueZero(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueAcos(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueAsin(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueAtan(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueCos(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueCosh(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueExp(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueLog(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueLog10(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueSinh(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueSqrt(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueTan(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueTanh(eSystem& system, const EvalArgs& args);
std::unique_ptr<EvalObj> ValueProdscal(eSystem& system, const EvalArgs& args);

}  // namespace zavo::builtins
