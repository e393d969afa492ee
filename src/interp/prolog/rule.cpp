#include "interp/prolog/rule.h"

#include <cstring>

#include "foundation/runtime_error_box.h"
#include "interp/prolog/definitions.h"
#include "interp/prolog/terms.h"

namespace {

bool Named(const Functor& f, const char* name) {
  return f.def != nullptr && f.def->name.Text() != nullptr &&
         std::strcmp(f.def->name.Text(), name) == 0;
}

}  // namespace

Rule::~Rule() { delete term; }

void Rule::Set(pObj* t) {
  term = t;
  head = nullptr;
  body = nullptr;
  if (t != nullptr && t->IsCompound()) {
    auto* f = static_cast<Functor*>(t);
    if (Named(*f, ":-") && f->Arity() == 2) {
      head = f->args[0];
      body = f->args[1];
      return;
    }
    if (Named(*f, "?-") && f->Arity() == 1) {
      body = f->args[0];
      return;
    }
  }
  head = t;
}

void RuleManager::Append(Rule* r) { list_.Append(r); }

void RuleManager::Delete(Rule* r) { list_.Delete(r); }

void RuleManager::Clear() { list_.Clear(); }

Rule* RuleManager::First() const { return list_.First(); }

Rule* RuleManager::Next(const Rule* r) const { return list_.Next(r); }

int RuleManager::Count() const {
  int n = 0;
  for (Rule* r = First(); r != nullptr; r = Next(r)) ++n;
  return n;
}

int zavo::FindOrAddName(ListofNames& names, const char* name) {
  for (int i = 0; i < names.count; ++i) {
    if (names.names[i] == name) return i;
  }
  if (names.count >= ListofNames::kSlots) return -1;
  names.names[names.count] = name;
  return names.count++;
}

const char* zavo::NameAt(const ListofNames& names, int i) {
  if (i < 0 || i >= names.count) RuntimeErrorBox("ListName::[]");
  return names.names[i].Text();
}

int zavo::NameCount(const ListofNames& names) { return names.count; }
