#pragma once

// Stored clauses and the clause list.

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/char_string.h"
#include "foundation/dbl_list.h"
#include "foundation/list_of_names.h"

#include "interp/prolog/terms.h"

class DFunc;

namespace zavo {

// Variable-name lists: the names of one clause in order of first occurrence,
// at most ListofNames::kSlots of them.
// The position of `name`, appended when absent; -1 when the list is full.
int FindOrAddName(ListofNames& names, const char* name);
// The name at `i`; "ListName::[]" through the internal-error box when `i` is
// outside the list.
const char* NameAt(const ListofNames& names, int i);
inline int NameCount(const ListofNames& names) { return names.count; }

}  // namespace zavo

class Rule : public DblListItem {
public:
  Rule() = default;
  ~Rule();
  Rule(const Rule&) = delete;
  Rule& operator=(const Rule&) = delete;

  // Takes the clause term and splits it: ":-" with two arguments gives head
  // and body, "?-" with one argument a query without head, anything else a
  // fact.
  void Set(pObj* t);

  pObj* term = nullptr;  // owned
  pObj* head = nullptr;  // part of term; null for a query
  pObj* body = nullptr;  // part of term; null for a fact
  charString source;     // the name the clause was consulted under, or null
  ListofNames names;     // one binding cell per name in every frame
  // Taken out by reconsult while a search still ran: no longer found or
  // listed, destroyed once the stacks are empty.
  bool removed = false;

  // Set by the clause list: the place in stored order (growing along the
  // list) and in the clauses of the same head name and arity.
  std::int64_t order = 0;
  int slot = -1;
};

namespace zavo {

// The name and arity of a head or goal: atoms have arity -1, so that an atom
// and a compound of no arguments stay apart.
struct ClauseKey {
  const DFunc* def;
  int arity;
  bool operator==(const ClauseKey&) const = default;
};

// The key of a term that is an atom or a compound; false for any other term.
bool KeyOf(const pObj* t, ClauseKey& key);

}  // namespace zavo

class RuleManager {
public:
  RuleManager() = default;
  RuleManager(const RuleManager&) = delete;
  RuleManager& operator=(const RuleManager&) = delete;

  // Appends at the end; the list owns the clause.
  void Append(Rule* r);
  // Unlinks the clause and destroys it.
  void Delete(Rule* r);
  // Destroys every clause.
  void Clear();
  Rule* First() const { return list_.First(); }
  Rule* Next(const Rule* r) const { return list_.Next(r); }
  int Count() const;

  // The clauses a goal of this key can match, in stored order: the clauses
  // whose head has the key, merged with those whose head is no atom or
  // compound (a variable or a number matches by unification alone). Query
  // clauses (no head) are in neither.
  class Candidates {
  public:
    // The first candidate at or after `from` in stored order, or null; the
    // walk goes on from there with Next.
    Rule* Start(const Rule* from) {
      k_ = FirstFrom(k_, kEnd_, from);
      if (o_ != oEnd_) o_ = FirstFrom(o_, oEnd_, from);
      return Next();
    }
    Rule* Next() {
      if (o_ == oEnd_) return k_ != kEnd_ ? *k_++ : nullptr;
      return NextMerged();
    }

  private:
    friend class RuleManager;
    // The clauses of the key, and those with other heads, not yet passed.
    Rule* const* k_ = nullptr;
    Rule* const* kEnd_ = nullptr;
    Rule* const* o_ = nullptr;
    Rule* const* oEnd_ = nullptr;
    Rule* NextMerged();
    // The first clause of [begin, end) at or after `from` in stored order;
    // `end` when there is none.
    static Rule* const* FirstFrom(Rule* const* begin, Rule* const* end, const Rule* from);
  };
  // Those of the key of an atom or compound term: the look-up is remembered
  // in the term.
  Candidates For(const FunctorBase& t) const {
    if (t.clausesSeenAt != keysVersion_) {
      zavo::ClauseKey key;
      zavo::KeyOf(&t, key);
      t.clausesSeen = Keyed(key);
      t.clausesSeenAt = keysVersion_;
    }
    Candidates c;
    if (t.clausesSeen != nullptr) {
      c.k_ = t.clausesSeen->data();
      c.kEnd_ = c.k_ + t.clausesSeen->size();
    }
    c.o_ = other_.data();
    c.oEnd_ = c.o_ + other_.size();
    return c;
  }

private:
  // The clauses of a key in stored order; null when no clause had the key.
  std::vector<Rule*>* Keyed(const zavo::ClauseKey& key) const;
  std::vector<Rule*>& AddKey(const zavo::ClauseKey& key);
  void Index(Rule* r);
  void Unindex(Rule* r);

  // One entry of the open-addressing table of keys (a power of two long,
  // at most half full).
  struct KeySlot {
    zavo::ClauseKey key{nullptr, 0};
    std::vector<Rule*>* clauses = nullptr;  // null: the entry is free
  };

  DblList<Rule> list_;
  std::int64_t nextOrder_ = 0;
  std::vector<KeySlot> table_;
  std::vector<std::unique_ptr<std::vector<Rule*>>> buckets_;
  std::vector<Rule*> other_;  // heads that are neither atoms nor compounds
  // A version of the table of keys, taken anew whenever a key is added or
  // the table is emptied: what a term remembered of the table before is then
  // looked up again. Versions are unique in the process, so a term never
  // takes what it remembered of one clause list for another's, and never 0,
  // which is what a new term holds.
  static std::uint64_t FreshVersion();
  std::uint64_t keysVersion_ = FreshVersion();
};
