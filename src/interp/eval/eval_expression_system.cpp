#include "interp/eval/eval_expression_system.h"

#include <cfenv>
#include <sstream>
#include <string>

namespace {

// The floating-point faults that make an evaluation fail. They are read from
// the status flags: no signal handler is involved and no trap is enabled.
constexpr int kFaults = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

// Clears the fault flags. Testing is much cheaper than clearing (which reloads
// the whole floating-point environment), and after a good evaluation the
// flags are clear already.
void ClearFaults() {
  if (std::fetestexcept(kFaults) != 0) std::feclearexcept(kFaults);
}

}  // namespace

EvalExpressionSystem::EvalExpressionSystem() : system_(std::make_unique<CommonDefseSystem>()) {}

EvalExpressionSystem::~EvalExpressionSystem() = default;

DVar* EvalExpressionSystem::DefineVariable(const char* name) {
  return system_->AddVariable(name != nullptr ? name : "");
}

int EvalExpressionSystem::Compile(DVar* handle, const char* text) {
  if (handle == nullptr || text == nullptr) return 0;
  std::istringstream in{std::string(text)};
  return CompileStream(handle, in);
}

int EvalExpressionSystem::CompileStream(DVar* handle, std::istream& in) {
  if (handle == nullptr) return 0;
  eScanner scanner(in);
  scanner.Next();
  return CompileFrom(handle, scanner);
}

int EvalExpressionSystem::CompileFrom(DVar* handle, eScanner& scanner) {
  if (handle == nullptr) return 0;
  zavo::ParseAnswer<EvalObj> answer = system_->ParseExpression(scanner);
  if (!answer.IsNode()) return 0;
  handle->SetValue(std::move(answer.node));
  return 1;
}

int EvalExpressionSystem::SetConstant(DVar* handle, double value) {
  if (handle == nullptr) return 0;
  // A constant replaces a constant in place: the field model sets its
  // coordinates once per point.
  EvalObj* old = handle->Value();
  if (old != nullptr && old->Kind() == zavo::kRealKind) {
    static_cast<RealNum*>(old)->SetValue(value);
  } else {
    handle->SetValue(std::make_unique<RealNum>(value));
  }
  return 1;
}

int EvalExpressionSystem::Print(DVar* handle, std::ostream& out) {
  if (handle == nullptr || handle->Value() == nullptr) return 0;
  handle->Value()->Print(*system_, out);
  return 1;
}

int EvalExpressionSystem::Evaluate(DVar* source, DVar* target) {
  if (source == nullptr || target == nullptr || source->Value() == nullptr) return 0;
  ClearFaults();
  std::unique_ptr<EvalObj> result = source->Value()->Evaluate(*system_);
  if (std::fetestexcept(kFaults) != 0 || !result) return 0;
  target->SetValue(std::move(result));
  return 1;
}

int EvalExpressionSystem::EvaluateReal(DVar* handle, double& value) {
  if (handle == nullptr || handle->Value() == nullptr) return 0;
  ClearFaults();
  double result;
  if (!handle->Value()->GetReal(*system_, result)) return 0;
  if (std::fetestexcept(kFaults) != 0) return 0;
  value = result;
  return 1;
}

int EvalExpressionSystem::DefineFunction(const char* text) {
  if (text == nullptr) return 0;
  std::istringstream in{std::string(text)};
  eScanner scanner(in);
  scanner.Next();
  return DefineFunctionFrom(scanner);
}

int EvalExpressionSystem::DefineFunctionFrom(eScanner& scanner) {
  std::unique_ptr<DFunExt> function = system_->ParseDefinition(scanner);
  if (!function) return 0;
  system_->AddFunction(function.release());
  return 1;
}
