#include "interp/prolog/prolog_system.h"

#include <sstream>
#include <locale>

#include "foundation/runtime_error_box.h"
#include "interp/prolog/arithmetic.h"
#include "interp/prolog/builtins.h"

namespace {

// The fixed operator and definition table, in its order. Predicate entries
// get the built-in of their name, evaluable entries their evaluator.
enum class Entry { kPlain, kPredicate, kEvaluable };

struct TableRow {
  const char* name;
  int type;      // -1: no operator
  int priority;
  Entry entry;
  zavo::PrologEvaluator evaluator = nullptr;
};

// "*", "/" and "mod" group to the left (type 2), so that their chains read.
const TableRow kTable[] = {
    {":-", 0, 1200, Entry::kPlain},
    {":-", 5, 1200, Entry::kPlain},
    {"?-", 5, 1200, Entry::kPlain},
    {";", 1, 1100, Entry::kPlain},
    {",", 1, 1000, Entry::kPlain},
    {"=", 0, 700, Entry::kPredicate},
    {"is", 0, 700, Entry::kPredicate},
    {"<", 0, 700, Entry::kPredicate},
    {">", 0, 700, Entry::kPredicate},
    {"=<", 0, 700, Entry::kPredicate},
    {">=", 0, 700, Entry::kPredicate},
    {"==", 0, 700, Entry::kPlain},
    {"=\\=", 0, 700, Entry::kPredicate},
    {"\\==", 0, 700, Entry::kPlain},
    {"=:=", 0, 700, Entry::kPredicate},
    {"+", 2, 500, Entry::kEvaluable, fneval_plus1},
    {"-", 2, 500, Entry::kEvaluable, fneval_minus1},
    {"*", 2, 400, Entry::kEvaluable, fneval_molt1},
    {"/", 2, 400, Entry::kEvaluable, fneval_div1},
    {"mod", 2, 300, Entry::kEvaluable, fneval_mod1},
    {"sin", -1, 0, Entry::kEvaluable, fneval_sin1},
    {"cos", -1, 0, Entry::kEvaluable, fneval_cos1},
    {"tan", -1, 0, Entry::kEvaluable, fneval_tan1},
    {"asin", -1, 0, Entry::kEvaluable, fneval_asin1},
    {"acos", -1, 0, Entry::kEvaluable, fneval_acos1},
    {"atan", -1, 0, Entry::kEvaluable, fneval_atan1},
    {"sqrt", -1, 0, Entry::kEvaluable, fneval_sqrt1},
    {"log", -1, 0, Entry::kEvaluable, fneval_log1},
    {"exp", -1, 0, Entry::kEvaluable, fneval_exp1},
    {"pow", -1, 0, Entry::kEvaluable, fneval_pow1},
    {"+", 5, 500, Entry::kEvaluable, fneval_fplus1},
    {"-", 5, 500, Entry::kEvaluable, fneval_fminus1},
    {"not", 5, 500, Entry::kPlain},
    {"*", 2, 400, Entry::kPlain},
    {"/", 2, 400, Entry::kPlain},
    {"div", 0, 400, Entry::kPlain},
    {"mod", 2, 300, Entry::kPlain},
};

constexpr const char* kBuiltins[] = {"write",   "nl",    "fail",    "consult", "reconsult",
                                     "list",    "debug", "undebug", "spy",     "mem"};

}  // namespace

PrologSystem::PrologSystem(int trailSize, int stackSize)
    : log(&discard_), out(&discard_), stack(stackSize), trail(trailSize) {
  for (const TableRow& row : kTable) {
    switch (row.entry) {
      case Entry::kPlain:
        DefineOperator(row.name, row.type, row.priority);
        break;
      case Entry::kPredicate:
        DefineOperatorPredicate(row.name, row.type, row.priority,
                                zavo::BuiltinPredicate(row.name));
        break;
      case Entry::kEvaluable: {
        DFuncEval* d = row.type < 0 ? DefineEvaluable(row.name)
                                    : DefineEvaluableOperator(row.name, row.type, row.priority);
        d->evaluators[1] = row.evaluator;
        break;
      }
    }
  }
  comma = operators.Find(",", zavo::kInfix);
  conjunction_ = definitions.Linked(comma);
  listDef = new DFuncNorm(".", nullptr);
  definitions.Add(listDef);
  emptyListDef = new DFuncNorm("[]", nullptr);
  definitions.Add(emptyListDef);
  for (const char* name : kBuiltins) DefinePredicate(name, zavo::BuiltinPredicate(name));
}

PrologSystem::~PrologSystem() {
  stack.PopTo(*this, 0);
  trail.Resume(0);
  rules.Clear();
}

DFunc* PrologSystem::DefineOperator(const char* name, int type, int priority) {
  auto* op = new pOperator(name, type, priority);
  operators.Add(op);
  auto* d = new DFuncNorm(name, op);
  definitions.Add(d);
  return d;
}

DFunc* PrologSystem::DefineOperatorPredicate(const char* name, int type, int priority,
                                             zavo::PrologPredicate fn) {
  auto* op = new pOperator(name, type, priority);
  operators.Add(op);
  auto* d = new DFuncPred(name, op, fn);
  definitions.Add(d);
  return d;
}

DFuncEval* PrologSystem::DefineEvaluableOperator(const char* name, int type, int priority) {
  auto* op = new pOperator(name, type, priority);
  operators.Add(op);
  auto* d = new DFuncEval(name, op, zavo::kEvaluatorSlots);
  definitions.Add(d);
  return d;
}

DFuncEval* PrologSystem::DefineEvaluable(const char* name) {
  auto* d = new DFuncEval(name, nullptr, zavo::kEvaluatorSlots);
  definitions.Add(d);
  return d;
}

DFunc* PrologSystem::DefinePredicate(const char* name, zavo::PrologPredicate fn) {
  auto* d = new DFuncPred(name, nullptr, fn);
  definitions.Add(d);
  return d;
}

void PrologSystem::BadCell() { RuntimeErrorBox("ValueStack::Get"); }

bool PrologSystem::Talking(const std::ostream& s) const {
  return capture_ == 0 && &s != log && host != nullptr && !host->IsQuiet();
}

void PrologSystem::Emit(std::ostream& s, std::string_view text) {
  if (Talking(s)) {
    host->Output(std::string(text));
  } else {
    s << text;
  }
}

void PrologSystem::Emit(std::ostream& s, pObj& term) {
  if (!Talking(s)) {
    term.Out(*this, s);
    return;
  }
  std::ostringstream text;
  text.imbue(std::locale::classic());
  ++capture_;
  try {
    term.Out(*this, text);
  } catch (...) {
    --capture_;
    throw;
  }
  --capture_;
  host->Output(text.str());
}
