#pragma once

// Helpers shared by the Prolog tests: test hosts, reading clauses from text,
// a canonical form of terms that shows which definition each name carries.

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "interp/prolog/parser.h"
#include "interp/prolog/prolog_system.h"

namespace zavo::test {

// A host that records what it is given. Its Poll counts the calls and asks
// to stop once `stopAfter` calls have been answered (never when negative).
class RecordingHost : public PrologInterface {
public:
  explicit RecordingHost(int quiet, std::filesystem::path dir = ".")
      : library(std::move(dir)), quiet_(quiet) {}
  int Poll() override {
    ++polls;
    return stopAfter >= 0 && polls > stopAfter ? 1 : 0;
  }
  int IsQuiet() override { return quiet_; }
  void Output(const std::string& text) override { outputs.push_back(text); }
  std::filesystem::path LibraryDir() override { return library; }

  std::filesystem::path library;
  int polls = 0;
  int stopAfter = -1;

  std::string Joined() const {
    std::string all;
    for (const std::string& s : outputs) all += s;
    return all;
  }

  std::vector<std::string> outputs;

private:
  int quiet_;
};

// Reads the first clause of `text` as a goal text is read; null when refused.
inline std::unique_ptr<Rule> ReadRule(PrologSystem& sys, const std::string& text,
                                      const ScannerConfig& config = kPrologFileScannerConfig) {
  std::istringstream in(text);
  pParser p(in, config);
  return std::unique_ptr<Rule>(sys.ReadClause(p));
}

// Consults a text into the system's clause list.
inline void ConsultText(PrologSystem& sys, const std::string& text) {
  std::istringstream in(text);
  sys.Consult(in, nullptr);
}

// Reads a goal text as the embedding program does, solves it and answers:
// everything written to `out` during the run; "Cannot create the rule" when
// the text is no clause.
inline std::string Ask(PrologSystem& sys, const std::string& goal) {
  std::istringstream in(goal);
  pParser p(in, kPrologGoalScannerConfig);
  std::unique_ptr<Rule> query(sys.ReadClause(p));
  std::ostringstream os;
  std::ostream* previous = sys.out;
  sys.out = &os;
  if (query == nullptr) {
    os << "Cannot create the rule";
  } else {
    sys.Solve(query.get());
    sys.Answer();
  }
  sys.out = previous;
  return os.str();
}

// 1-based position of a definition in the definition list, 0 when absent.
inline int EntryOf(const PrologSystem& sys, const DFunc* def) {
  int i = 1;
  for (const DFunc& d : sys.definitions.All()) {
    if (&d == def) return i;
    ++i;
  }
  return 0;
}

// The tree of a term: compounds as name#entry(args) where the name's
// definition is linked to an operator, name(args) otherwise; variables as V
// and their index; numbers in the default format.
inline std::string Tree(const PrologSystem& sys, const pObj* t) {
  switch (t->Type()) {
    case kTypeAnonim:
      return "_";
    case kTypeVar:
      return "V" + std::to_string(static_cast<const pVar*>(t)->index);
    case kTypeNumber: {
      std::ostringstream os;
      os << static_cast<const RealNumber*>(t)->value;
      return os.str();
    }
    case kTypeAtom:
      return static_cast<const Atom*>(t)->def->name.Text();
    default: {
      auto* f = static_cast<const Functor*>(t);
      std::string s = f->def->name.Text();
      if (f->def->op != nullptr) s += "#" + std::to_string(EntryOf(sys, f->def));
      s += "(";
      for (int i = 0; i < f->Arity(); ++i) {
        if (i > 0) s += ",";
        s += Tree(sys, f->args[i]);
      }
      return s + ")";
    }
  }
}

// The clause as written by the listing (with its own names, ViewMode 0).
inline std::string Written(PrologSystem& sys, const Rule& r) {
  std::ostringstream os;
  sys.WriteClause(&r, os);
  return os.str();
}

}  // namespace zavo::test
