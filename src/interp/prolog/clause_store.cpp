// The clause store: consult, listing and clause search.

#include <fstream>
#include <memory>

#include "foundation/runtime_error_box.h"
#include "interp/prolog/parser.h"
#include "interp/prolog/prolog_system.h"

int PrologSystem::Consult(const std::filesystem::path& file, const char* source) {
  std::ifstream in(file);
  if (!in.is_open()) return 0;
  Consult(in, source);
  return 1;
}

void PrologSystem::Consult(std::istream& in, const char* source) {
  pParser p(in, zavo::kPrologFileScannerConfig);
  while (Rule* r = ReadClause(p)) {
    if (source != nullptr) r->source = source;
    rules.Append(r);
  }
}

void PrologSystem::WriteClause(const Rule* r, std::ostream& os) {
  int mode = ViewMode;
  ListofNames* previous = names;
  ViewMode = 0;
  names = const_cast<ListofNames*>(&r->names);
  if (r->term == nullptr) {
    os << "NOTDEF\n";
  } else {
    Emit(os, *r->term);
    Emit(os, ".");
  }
  names = previous;
  ViewMode = mode;
}

void PrologSystem::ListRules(std::ostream& os) {
  for (Rule* r = rules.First(); r != nullptr; r = rules.Next(r)) {
    WriteClause(r, os);
    Emit(os, "\n");
  }
}

Rule* PrologSystem::Find(pObj* goal, Rule*& cursor) {
  if (cursor == nullptr) RuntimeErrorBox("PrologSystem::Find");
  while (cursor != nullptr) {
    Rule* r = cursor;
    Rule* next = rules.Next(r);
    // A query clause has no head: no goal can match it.
    if (r->head == nullptr) {
      cursor = next;
      continue;
    }
    RightPos = stack.Add(*this, r, LeftPos, next);
    if (goal->Unify(*this, *r->head)) {
      cursor = next;
      return r;
    }
    stack.Pop(*this);
    cursor = next;
  }
  return nullptr;
}
