// Unification, arithmetic comparison, output, consult and the debugging
// switches.

#include "interp/prolog/builtins.h"

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "interp/prolog/prolog_system.h"
#include "interp/prolog/term_access.h"

namespace {

using Args = Seq<pObj*>;

int Count(const Args& args) { return static_cast<int>(args.Count()); }

// A message of a built-in used against its contract; the goal fails.
int Refuse(PrologSystem& sys, const char* message) {
  sys.Emit(*sys.out, std::string(message) + "\n");
  return 0;
}

// "=": both arguments read in the goal's frame.
int Unify(PrologSystem& sys, Args& args) {
  if (Count(args) != 2) return Refuse(sys, "pred diff");
  int left = sys.LeftPos;
  int right = sys.RightPos;
  sys.RightPos = sys.LeftPos;
  int ok;
  try {
    ok = args[0]->Unify(sys, *args[1]);
  } catch (...) {
    sys.LeftPos = left;
    sys.RightPos = right;
    throw;
  }
  sys.LeftPos = left;
  sys.RightPos = right;
  return ok;
}

// The value of a term read in the goal's frame, or null.
pObj* Evaluate(PrologSystem& sys, pObj* t) {
  int frame = sys.ViewFrame;
  sys.ViewFrame = sys.LeftPos;
  pObj* r = t->Eval(sys, 1);
  sys.ViewFrame = frame;
  return r;
}

int Is(PrologSystem& sys, Args& args) {
  if (Count(args) != 2 || args[0]->Type() != zavo::kTypeVar) return Refuse(sys, "pred is");
  // The left variable stands for the end of its chain of bindings.
  zavo::FramedTerm left = zavo::Deref(sys, args[0], sys.LeftPos);
  // A left side bound to a value would be bound twice.
  if (left.term->Type() != zavo::kTypeVar) return Refuse(sys, "pred is");
  pDVar& cell = sys.Cell(left.frame, static_cast<pVar*>(left.term)->index);
  pObj* value = Evaluate(sys, args[1]);
  if (value == nullptr) return Refuse(sys, "Eval fail in is");
  return cell.Set(sys, value, -1);
}

// The comparisons evaluate both sides and compare the two numbers. A
// comparison is written as the negation of its opposite where the table says
// so: with NaN on either side "not greater" holds while "less or equal" does
// not.
template <class Compare>
int CompareValues(PrologSystem& sys, Args& args, const char* valueMessage, Compare compare) {
  if (Count(args) != 2) return Refuse(sys, "pred diff");
  std::unique_ptr<pObj> a(Evaluate(sys, args[0]));
  std::unique_ptr<pObj> b(Evaluate(sys, args[1]));
  if (a == nullptr || b == nullptr) return Refuse(sys, valueMessage);
  double x = static_cast<RealNumber*>(a.get())->value;
  double y = static_cast<RealNumber*>(b.get())->value;
  return compare(x, y) ? 1 : 0;
}

int Less(PrologSystem& sys, Args& args) {
  return CompareValues(sys, args, "pred minor", [](double a, double b) { return !(a >= b); });
}

int Greater(PrologSystem& sys, Args& args) {
  return CompareValues(sys, args, "pred minor", [](double a, double b) { return a > b; });
}

int LessOrEqual(PrologSystem& sys, Args& args) {
  return CompareValues(sys, args, "pred minor", [](double a, double b) { return !(a > b); });
}

int GreaterOrEqual(PrologSystem& sys, Args& args) {
  return CompareValues(sys, args, "pred minor", [](double a, double b) { return a >= b; });
}

int Equal(PrologSystem& sys, Args& args) {
  return CompareValues(sys, args, "pred minor",
                       [](double a, double b) { return !(a < b) && !(a > b); });
}

int NotEqual(PrologSystem& sys, Args& args) {
  return CompareValues(sys, args, "pred diff", [](double a, double b) { return a < b || a > b; });
}

int Write(PrologSystem& sys, Args& args) {
  int mode = sys.ViewMode;
  int frame = sys.ViewFrame;
  for (int i = 0; i < Count(args); ++i) {
    sys.ViewMode = 1;
    sys.ViewFrame = sys.LeftPos;
    sys.Emit(*sys.out, *args[i]);
    sys.Emit(*sys.out, " ");
  }
  sys.ViewMode = mode;
  sys.ViewFrame = frame;
  return 1;
}

int Nl(PrologSystem& sys, Args&) {
  sys.Emit(*sys.out, "\n");
  return 1;
}

int Fail(PrologSystem&, Args&) { return 0; }

// The name a consult reads, after its messages; null when the goal is wrong.
const char* ConsultName(PrologSystem& sys, Args& args) {
  if (sys.host == nullptr || !sys.host->IsQuiet()) {
    sys.ToHost("%consult " + std::to_string(Count(args)) + "\n");
  }
  if (Count(args) != 1) {
    sys.ToHost("consult: size must be 1.\n");
    return nullptr;
  }
  if (!args[0]->IsCallable()) {
    sys.ToHost("consult: arg must be a functor.\n");
    return nullptr;
  }
  const char* name = static_cast<FunctorBase*>(args[0])->def->name.Text();
  if (name == nullptr) name = "";
  sys.ToHost(std::string("name = ") + name + "\n");
  return name;
}

// Reads <library dir>/<name>.pro, each clause with the name as its source;
// without a host, or with an empty directory, <name>.pro in the working
// directory. The parts are joined as texts, so that a name such as "/" stays
// inside the directory.
int ReadLibraryFile(PrologSystem& sys, const char* name) {
  std::string file = std::string(name) + ".pro";
  std::string dir = sys.host != nullptr ? sys.host->LibraryDir().string() : std::string();
  if (!dir.empty()) file = dir + "/" + file;
  return sys.Consult(std::filesystem::path(file), name);
}

int ConsultFile(PrologSystem& sys, Args& args) {
  const char* name = ConsultName(sys, args);
  if (name == nullptr) return 0;
  return ReadLibraryFile(sys, name);
}

int ReconsultFile(PrologSystem& sys, Args& args) {
  const char* name = ConsultName(sys, args);
  if (name == nullptr) return 0;
  // The name lives in the goal, which a reconsult never removes while it runs.
  sys.RemoveSource(name);
  return ReadLibraryFile(sys, name);
}

int List(PrologSystem& sys, Args&) {
  sys.ListRules(*sys.out);
  return 1;
}

int Debug(PrologSystem& sys, Args&) {
  sys.debug = 1;
  return 1;
}

int Undebug(PrologSystem& sys, Args&) {
  sys.debug = 0;
  return 1;
}

int Spy(PrologSystem& sys, Args&) {
  if (sys.debug) {
    *sys.out << "SPY\n";
    sys.stack.Dump(sys, *sys.out);
  }
  return 1;
}

int Mem(PrologSystem&, Args&) { return 0; }

struct Builtin {
  const char* name;
  zavo::PrologPredicate fn;
};

constexpr Builtin kBuiltins[] = {
    {"=", Unify},        {"is", Is},          {"<", Less},         {">", Greater},
    {"=<", LessOrEqual}, {">=", GreaterOrEqual}, {"=\\=", NotEqual}, {"=:=", Equal},
    {"write", Write},    {"nl", Nl},          {"fail", Fail},      {"consult", ConsultFile},
    {"reconsult", ReconsultFile}, {"list", List}, {"debug", Debug}, {"undebug", Undebug},
    {"spy", Spy},        {"mem", Mem},
};

}  // namespace

zavo::PrologPredicate zavo::BuiltinPredicate(const char* name) {
  for (const Builtin& b : kBuiltins) {
    if (std::strcmp(b.name, name) == 0) return b.fn;
  }
  return nullptr;
}
