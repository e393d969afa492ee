#include "interp/prolog/definitions.h"

#include <cstring>

namespace {

bool SameName(const charString& a, const char* b) {
  return a.Text() != nullptr && b != nullptr && std::strcmp(a.Text(), b) == 0;
}

}  // namespace

pOperator::pOperator(const char* name_, int type_, int priority_)
    : name(name_), type(type_), priority(priority_) {
  if (type == 5 || type == 6) {
    kind = zavo::kPrefix;
  } else if (type == 3 || type == 4) {
    kind = zavo::kPostfix;
  } else {
    kind = zavo::kInfix;
  }
}

int zavo::OperatorOrder(const pOperator* a, const pOperator* b) {
  if (a->priority < b->priority) return 1;
  if (a->priority > b->priority) return 0;
  if (!(a->name == b->name)) return 1;
  switch (a->type) {
    case 1:  // xfy: group to the right
    case 6:  // fy
      return 0;
    case 2:  // yfx: group to the left
    case 4:  // yf
      return 1;
    case 5:  // fx: a prefix operator meeting an infix or postfix one of its own
             // name and priority is reduced first, so that - 1 - 2 is (-1) - 2
      return b->kind == kPrefix ? -1 : 1;
    default:  // xfx, xf
      return -1;
  }
}

bool pOperator::IsBig(const pOperator* a, const pOperator* b) {
  return zavo::OperatorOrder(a, b) == 1;
}

void pOperatorManager::Add(pOperator* op) { list_.Append(op); }

pOperator* pOperatorManager::Find(const char* name, int kind) const {
  for (pOperator* op = list_.First(); op != nullptr; op = list_.Next(op)) {
    if (op->active && op->kind == kind && SameName(op->name, name)) return op;
  }
  return nullptr;
}

int pOperatorManager::Count() const {
  int n = 0;
  for (pOperator* op = list_.First(); op != nullptr; op = list_.Next(op)) ++n;
  return n;
}

DFunc::DFunc(const char* name_, pOperator* op_)
    : name(name_), op(op_), cut(name.Text() != nullptr && std::strcmp(name.Text(), "!") == 0) {}

DFunc::~DFunc() = default;

int DFunc::IsPredicate() const { return 0; }

pObj* DFunc::Evaluate(PrologSystem&, int, Seq<pObj*>&) { return nullptr; }

DFuncEval::DFuncEval(const char* name_, pOperator* op_, int slots)
    : DFunc(name_, op_), evaluators(slots) {
  for (int i = 0; i < slots; ++i) evaluators[i] = nullptr;
}

pObj* DFuncEval::Evaluate(PrologSystem& sys, int mode, Seq<pObj*>& args) {
  if (mode < 0 || mode >= static_cast<int>(evaluators.Count())) return nullptr;
  zavo::PrologEvaluator fn = evaluators[mode];
  return fn != nullptr ? fn(sys, args) : nullptr;
}

DFuncPred::DFuncPred(const char* name_, pOperator* op_, zavo::PrologPredicate fn_)
    : DFunc(name_, op_), fn(fn_) {
  predicate = true;
}

int DFuncPred::IsPredicate() const { return 1; }

DFunc* DFuncManager::Find(const char* name) const {
  for (DFunc* d = list_.First(); d != nullptr; d = list_.Next(d)) {
    if (SameName(d->name, name)) return d;
  }
  return nullptr;
}

DFunc* DFuncManager::Get(const char* name) {
  if (DFunc* d = Find(name)) return d;
  auto* d = new DFuncNorm(name, nullptr);
  list_.Append(d);
  return d;
}

DFunc* DFuncManager::Linked(const pOperator* op) const {
  if (op == nullptr) return nullptr;
  for (DFunc* d = list_.First(); d != nullptr; d = list_.Next(d)) {
    if (d->op == op) return d;
  }
  return nullptr;
}

void DFuncManager::Add(DFunc* def) { list_.Append(def); }

int DFuncManager::Count() const {
  int n = 0;
  for (DFunc* d = list_.First(); d != nullptr; d = list_.Next(d)) ++n;
  return n;
}
