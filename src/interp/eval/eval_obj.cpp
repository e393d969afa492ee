#include "interp/eval/eval_obj.h"

#include <charconv>
#include <ostream>

#include "interp/eval/definitions.h"
#include "interp/eval/e_system.h"

namespace zavo {

void WriteEvalNumber(std::ostream& out, double value) {
  // General format with six significant digits, as a stream writes a double by
  // default, but without consulting any locale.
  char text[64];
  auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
  out.write(text, result.ptr - text);
}

}  // namespace zavo

// ---- EvalObj ---------------------------------------------------------------

int EvalObj::GetReal(eSystem& system, double& out) const {
  std::unique_ptr<EvalObj> value = Evaluate(system);
  if (!value || value->Kind() != zavo::kRealKind) return 0;
  out = static_cast<const RealNum&>(*value).Value();
  return 1;
}

// ---- RealNum ---------------------------------------------------------------

void RealNum::Print(eSystem&, std::ostream& out) const { zavo::WriteEvalNumber(out, value_); }

std::unique_ptr<EvalObj> RealNum::Evaluate(eSystem&) const {
  return std::make_unique<RealNum>(value_);
}

int RealNum::GetReal(eSystem&, double& out) const {
  out = value_;
  return 1;
}

// ---- ComplexNum ------------------------------------------------------------

void ComplexNum::Print(eSystem&, std::ostream& out) const {
  out << "[c ";
  zavo::WriteEvalNumber(out, re_);
  out << ",";
  zavo::WriteEvalNumber(out, im_);
  out << " ]";
}

std::unique_ptr<EvalObj> ComplexNum::Evaluate(eSystem&) const {
  return std::make_unique<ComplexNum>(re_, im_);
}

int ComplexNum::GetReal(eSystem&, double& out) const {
  if (im_ != 0.0) return 0;
  out = re_;
  return 1;
}

// ---- eVector ---------------------------------------------------------------

std::unique_ptr<EvalObj> eVector::Evaluate(eSystem& system) const {
  zavo::NestingGuard nesting(system);
  if (!nesting) return nullptr;
  auto result = std::make_unique<eVector>(Count());
  for (unsigned i = 0; i < Count(); ++i) {
    std::unique_ptr<EvalObj> element = Item(i)->Evaluate(system);
    if (!element) return nullptr;
    result->Set(i, element.release());
  }
  return result;
}

int eVector::GetReal(eSystem&, double&) const { return 0; }

// ---- Fun -------------------------------------------------------------------

std::unique_ptr<EvalObj> Fun::Evaluate(eSystem& system) const {
  zavo::NestingGuard nesting(system);
  if (!nesting) return nullptr;
  return function_->Evaluate(system, Items());
}

int Fun::GetReal(eSystem& system, double& out) const {
  zavo::NestingGuard nesting(system);
  if (!nesting) return 0;
  return function_->EvaluateReal(system, Items(), out);
}

// ---- Var -------------------------------------------------------------------

void Var::Print(eSystem&, std::ostream& out) const { out << variable_->Name(); }

std::unique_ptr<EvalObj> Var::Evaluate(eSystem& system) const {
  zavo::NestingGuard nesting(system);
  if (!nesting) return nullptr;
  const EvalObj* value = variable_->Value();
  if (value == nullptr) return nullptr;
  return value->Evaluate(system);
}

int Var::GetReal(eSystem& system, double& out) const {
  zavo::NestingGuard nesting(system);
  if (!nesting) return 0;
  const EvalObj* value = variable_->Value();
  if (value == nullptr) return 0;
  return value->GetReal(system, out);
}

// ---- Param -----------------------------------------------------------------

// The parameter's name while a definition is read; otherwise (nothing prints
// a function body) "#" and the index.
void Param::Print(eSystem& system, std::ostream& out) const {
  const NameList* names = system.ParameterNames();
  if (names != nullptr && index_ < names->Count()) {
    out << names->Name(index_);
  } else {
    out << '#' << index_;
  }
}

std::unique_ptr<EvalObj> Param::Evaluate(eSystem& system) const {
  zavo::NestingGuard nesting(system);
  if (!nesting) return nullptr;
  const EvalObj* argument = zavo::CallScope::Argument(system, index_);
  if (argument == nullptr) return nullptr;
  zavo::CallerScope caller(system);
  return argument->Evaluate(system);
}

int Param::GetReal(eSystem& system, double& out) const {
  zavo::NestingGuard nesting(system);
  if (!nesting) return 0;
  const EvalObj* argument = zavo::CallScope::Argument(system, index_);
  if (argument == nullptr) return 0;
  zavo::CallerScope caller(system);
  return argument->GetReal(system, out);
}
