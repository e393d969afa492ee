#include "interp/eval/definitions.h"

#include <cstring>

#include "interp/eval/e_system.h"

DVar::DVar(const char* name) : name_(name) {}

const char* DVar::Name() const { return name_.Text(); }

DFun::DFun(const char* name, int arity, const Operator* op)
    : name_(name), arity_(arity), operator_(op) {}

DFun::~DFun() = default;

const char* DFun::Name() const { return name_.Text(); }

NameList::NameList(const NameList& other) : names_(other.names_) {}

const char* NameList::Name(int i) const { return names_[i].Text(); }

void NameList::Append(const char* name) {
  names_.Resize(names_.Count() + 1);
  names_[names_.Count() - 1] = name;
}

int NameList::Find(const char* name) const {
  for (int i = 0; i < Count(); ++i) {
    if (names_[i] == name) return i;
  }
  return -1;
}

DFunExt::DFunExt(const char* name, std::unique_ptr<EvalObj> body, const NameList& parameters)
    : DFun(name, parameters.Count(), nullptr), body_(std::move(body)), parameters_(parameters) {}

int DFunExt::EvaluateReal(eSystem& system, const EvalArgs& args, double& out) const {
  zavo::CallScope call(system, args);
  return body_->GetReal(system, out);
}

std::unique_ptr<EvalObj> DFunExt::Evaluate(eSystem& system, const EvalArgs& args) const {
  zavo::CallScope call(system, args);
  return body_->Evaluate(system);
}

Operator::Operator(const char* name, int type, int priority)
    : name_(name), type_(type), priority_(priority) {
  if (type == zavo::kFx || type == zavo::kFy) {
    position_ = zavo::kPrefix;
  } else if (type == zavo::kXf || type == zavo::kYf) {
    position_ = zavo::kPostfix;
  } else {
    position_ = zavo::kInfix;
  }
}

const char* Operator::Name() const { return name_.Text(); }

int Operator::IsBig(const Operator& stacked, const Operator& incoming) {
  if (stacked.priority_ < incoming.priority_) return 1;
  if (stacked.priority_ > incoming.priority_) return 0;
  if (stacked.name_ != incoming.name_) return 1;
  switch (stacked.type_) {
    case zavo::kXfy:
    case zavo::kFy:
      return 0;
    case zavo::kYfx:
    case zavo::kYf:
      return 1;
    default:
      return zavo::kNoGrouping;
  }
}
