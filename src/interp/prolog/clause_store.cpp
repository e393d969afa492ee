// The clause store: consult, listing and clause search.

#include <cstring>
#include <fstream>
#include <memory>

#include "foundation/runtime_error_box.h"
#include "interp/prolog/parser.h"
#include "interp/prolog/prolog_system.h"

namespace {

// True when two terms cannot unify whatever their variables hold: atoms or
// compounds of different names or arities.
bool Differ(const pObj* goal, const pObj* head) {
  int tg = goal->Type();
  int th = head->Type();
  if ((tg != zavo::kTypeAtom && tg != zavo::kTypeFunctor) ||
      (th != zavo::kTypeAtom && th != zavo::kTypeFunctor)) {
    return false;
  }
  if (tg != th) return true;
  if (static_cast<const FunctorBase*>(goal)->def != static_cast<const FunctorBase*>(head)->def) {
    return true;
  }
  return tg == zavo::kTypeFunctor &&
         static_cast<const Functor*>(goal)->Arity() != static_cast<const Functor*>(head)->Arity();
}

// The first argument of a compound, else null.
pObj* FirstArgument(pObj* t) {
  if (t->Tag() != zavo::kTypeFunctor) return nullptr;
  auto* f = static_cast<Functor*>(t);
  return f->Arity() > 0 ? f->args[0] : nullptr;
}

// True when two terms that are no variables cannot unify.
bool Clash(const pObj* a, const pObj* b) {
  int ta = a->Tag();
  if (ta != b->Tag()) return true;
  switch (ta) {
    case zavo::kTypeNumber:
      return static_cast<const RealNumber*>(a)->value != static_cast<const RealNumber*>(b)->value;
    case zavo::kTypeAtom:
      return static_cast<const Atom*>(a)->def != static_cast<const Atom*>(b)->def;
    case zavo::kTypeFunctor:
      return static_cast<const Functor*>(a)->def != static_cast<const Functor*>(b)->def ||
             static_cast<const Functor*>(a)->Arity() != static_cast<const Functor*>(b)->Arity();
    default:
      return false;
  }
}

// The term reached from t (read in `frame`) through bound variables.
pObj* FollowBindings(PrologSystem& sys, pObj* t, int frame) {
  while (t->Tag() == zavo::kTypeVar) {
    pDVar& c = sys.Cell(frame, static_cast<pVar*>(t)->index);
    if (c.term == nullptr) break;
    if (c.frame != -1) frame = c.frame;
    t = c.term;
  }
  return t;
}

bool Bindable(const pObj* t) {
  return t->Tag() == zavo::kTypeVar || t->Tag() == zavo::kTypeAnonim;
}

}  // namespace

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
    if (r->removed) continue;
    WriteClause(r, os);
    Emit(os, "\n");
  }
}

Rule* PrologSystem::Find(pObj* goal, Rule*& cursor) { return Find(goal, cursor, LeftPos); }

Rule* PrologSystem::Find(pObj* goal, Rule*& cursor, int parent) {
  if (cursor == nullptr) RuntimeErrorBox("PrologSystem::Find");
  if (goal->TagCallable()) {
    // Only the clauses of the goal's name and arity (and those whose head is
    // a variable or a number) are tried, in stored order. The cursor moves as
    // the walk over every clause would move it: after the clause tried
    // last, or to null.
    RuleManager::Candidates candidates = rules.For(*static_cast<FunctorBase*>(goal));
    // The goal's first argument through its bindings: a clause whose head
    // has a first argument of another kind, name or value cannot match, and
    // gets no frame (its unification would fail, undoing all it did).
    // It is looked up at the first candidate that needs it.
    pObj* first = FirstArgument(goal);
    bool looked = false;
    for (Rule* r = candidates.Start(cursor); r != nullptr; r = candidates.Next()) {
      if (r->removed) continue;
      if (first != nullptr) {
        pObj* theirs = FirstArgument(r->head);
        if (theirs != nullptr && !Bindable(theirs)) {
          if (!looked) {
            looked = true;
            first = FollowBindings(*this, first, LeftPos);
            if (Bindable(first)) first = nullptr;
          }
          if (first != nullptr && Clash(first, theirs)) continue;
        }
      }
      RightPos = stack.Add(*this, r, parent, rules.Next(r));
      if (zavo::UnifyTerms(*this, goal, r->head)) {
        cursor = rules.Next(r);
        return r;
      }
      stack.Pop(*this);
    }
    cursor = nullptr;
    return nullptr;
  }
  while (cursor != nullptr) {
    Rule* r = cursor;
    Rule* next = rules.Next(r);
    // A query clause has no head: no goal can match it. A head of another
    // name or arity cannot match either: no frame is made for it.
    if (r->head == nullptr || r->removed || Differ(goal, r->head)) {
      cursor = next;
      continue;
    }
    RightPos = stack.Add(*this, r, parent, next);
    if (zavo::UnifyTerms(*this, goal, r->head)) {
      cursor = next;
      return r;
    }
    stack.Pop(*this);
    cursor = next;
  }
  return nullptr;
}

void PrologSystem::RemoveSource(const char* source) {
  for (Rule* r = rules.First(); r != nullptr; r = rules.Next(r)) {
    if (r->source.Text() != nullptr && source != nullptr &&
        std::strcmp(r->source.Text(), source) == 0) {
      r->removed = true;
      removed_ = true;
    }
  }
  if (stack.Count() == 0) PurgeRemoved();
}

void PrologSystem::PurgeRemoved() {
  if (!removed_ || stack.Count() != 0) return;
  Rule* r = rules.First();
  while (r != nullptr) {
    Rule* next = rules.Next(r);
    if (r->removed) rules.Delete(r);
    r = next;
  }
  removed_ = false;
}
