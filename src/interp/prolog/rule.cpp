#include "interp/prolog/rule.h"

#include <atomic>
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

bool zavo::KeyOf(const pObj* t, ClauseKey& key) {
  if (t == nullptr) return false;
  if (t->Tag() == kTypeAtom) {
    key = {static_cast<const Atom*>(t)->def, -1};
    return true;
  }
  if (t->Tag() == kTypeFunctor) {
    auto* f = static_cast<const Functor*>(t);
    key = {f->def, f->Arity()};
    return true;
  }
  return false;
}

namespace {

// The place in [begin, end) of the first clause at or after stored place
// `order`.
std::ptrdiff_t FirstFromOrder(Rule* const* begin, Rule* const* end, std::int64_t order) {
  std::ptrdiff_t lo = 0;
  std::ptrdiff_t hi = end - begin;
  while (lo < hi) {
    std::ptrdiff_t mid = (lo + hi) / 2;
    if (begin[mid]->order < order) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

void Renumber(std::vector<Rule*>& v, std::size_t from) {
  for (std::size_t i = from; i < v.size(); ++i) v[i]->slot = static_cast<int>(i);
}

std::size_t HashOf(const zavo::ClauseKey& k) {
  auto h = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(k.def));
  h ^= static_cast<std::uint64_t>(static_cast<std::uint32_t>(k.arity)) << 40;
  h *= 0x9e3779b97f4a7c15u;
  return static_cast<std::size_t>(h >> 20);
}

}  // namespace

std::uint64_t RuleManager::FreshVersion() {
  static std::atomic<std::uint64_t> next{1};
  return next.fetch_add(1, std::memory_order_relaxed);
}

std::vector<Rule*>* RuleManager::Keyed(const zavo::ClauseKey& key) const {
  if (table_.empty()) return nullptr;
  std::size_t mask = table_.size() - 1;
  for (std::size_t i = HashOf(key) & mask;; i = (i + 1) & mask) {
    const KeySlot& e = table_[i];
    if (e.clauses == nullptr) return nullptr;
    if (e.key == key) return e.clauses;
  }
}

std::vector<Rule*>& RuleManager::AddKey(const zavo::ClauseKey& key) {
  if (std::vector<Rule*>* v = Keyed(key)) return *v;
  if ((buckets_.size() + 1) * 2 > table_.size()) {
    std::vector<KeySlot> old = std::move(table_);
    table_.assign(old.empty() ? 64 : old.size() * 2, KeySlot{});
    std::size_t mask = table_.size() - 1;
    for (const KeySlot& e : old) {
      if (e.clauses == nullptr) continue;
      std::size_t i = HashOf(e.key) & mask;
      while (table_[i].clauses != nullptr) i = (i + 1) & mask;
      table_[i] = e;
    }
  }
  buckets_.push_back(std::make_unique<std::vector<Rule*>>());
  keysVersion_ = FreshVersion();
  std::size_t mask = table_.size() - 1;
  std::size_t i = HashOf(key) & mask;
  while (table_[i].clauses != nullptr) i = (i + 1) & mask;
  table_[i] = {key, buckets_.back().get()};
  return *buckets_.back();
}

void RuleManager::Index(Rule* r) {
  if (r->head == nullptr) return;
  zavo::ClauseKey key;
  std::vector<Rule*>& v = zavo::KeyOf(r->head, key) ? AddKey(key) : other_;
  r->slot = static_cast<int>(v.size());
  v.push_back(r);
}

void RuleManager::Unindex(Rule* r) {
  if (r->head == nullptr || r->slot < 0) return;
  zavo::ClauseKey key;
  std::vector<Rule*>* v = &other_;
  if (zavo::KeyOf(r->head, key)) {
    v = Keyed(key);
    if (v == nullptr) return;
  }
  auto at = static_cast<std::size_t>(r->slot);
  if (at >= v->size() || (*v)[at] != r) return;
  v->erase(v->begin() + static_cast<std::ptrdiff_t>(at));
  Renumber(*v, at);
  r->slot = -1;
}

void RuleManager::Append(Rule* r) {
  list_.Append(r);
  r->order = nextOrder_++;
  r->slot = -1;
  Index(r);
}

void RuleManager::Delete(Rule* r) {
  Unindex(r);
  list_.Delete(r);
}

void RuleManager::Clear() {
  list_.Clear();
  table_.clear();
  buckets_.clear();
  other_.clear();
  keysVersion_ = FreshVersion();
}

Rule* const* RuleManager::Candidates::FirstFrom(Rule* const* begin, Rule* const* end,
                                                const Rule* from) {
  if (begin == end || (*begin)->order >= from->order) return begin;
  // The cursor is mostly a clause of the same list: its slot is the place.
  if (from->slot >= 0 && from->slot < end - begin && begin[from->slot] == from) {
    return begin + from->slot;
  }
  if (end[-1]->order < from->order) return end;
  return begin + FirstFromOrder(begin, end, from->order);
}

Rule* RuleManager::Candidates::NextMerged() {
  Rule* a = k_ != kEnd_ ? *k_ : nullptr;
  Rule* b = *o_;
  if (a != nullptr && a->order < b->order) {
    ++k_;
    return a;
  }
  ++o_;
  return b;
}

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

