#pragma once

// Stored clauses and the clause list.

#include "foundation/char_string.h"
#include "foundation/dbl_list.h"
#include "foundation/list_of_names.h"

class pObj;

namespace zavo {

// Variable-name lists: the names of one clause in order of first occurrence,
// at most ListofNames::kSlots of them.
// The position of `name`, appended when absent; -1 when the list is full.
int FindOrAddName(ListofNames& names, const char* name);
// The name at `i`; "ListName::[]" through the internal-error box when `i` is
// outside the list.
const char* NameAt(const ListofNames& names, int i);
int NameCount(const ListofNames& names);

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
};

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
  Rule* First() const;
  Rule* Next(const Rule* r) const;
  int Count() const;

private:
  DblList<Rule> list_;
};
