#pragma once
#include <iosfwd>
#include <vector>

#include "foundation/seq.h"

// Root of the evaluator's node and value classes; System is the context object
// handed to every operation.
template <class System>
class ObjectBase {
public:
  virtual ~ObjectBase() = default;
  // 1 for a call node, 0 for everything else.
  virtual int IsCall() const { return 0; }
  virtual int Kind() const = 0;
  // Writes the node or value as text.
  virtual void Print(System& system, std::ostream& out) const = 0;
};

// A node that owns a sequence of nodes: destroying it destroys every element.
template <class Obj, class System, class Scanner>
class ObjectSeq : public Obj {
public:
  // Room for n elements, all null until set.
  explicit ObjectSeq(unsigned n) : items_(n) {
    for (unsigned i = 0; i < n; ++i) items_[i] = nullptr;
  }
  ObjectSeq(const ObjectSeq&) = delete;
  ObjectSeq& operator=(const ObjectSeq&) = delete;
  // Elements that are sequences themselves are emptied before they are
  // destroyed, and their elements handled here in turn: a tree of any depth
  // is destroyed without recursion.
  ~ObjectSeq() override {
    std::vector<Obj*> pending;
    TakeItems(pending);
    while (!pending.empty()) {
      Obj* item = pending.back();
      pending.pop_back();
      static_cast<ObjectSeq*>(item)->TakeItems(pending);
      delete item;
    }
  }

  unsigned Count() const { return items_.Count(); }
  const Obj* Item(unsigned i) const { return items_[i]; }
  // Adopts the node as element i (an element set before is destroyed).
  void Set(unsigned i, Obj* item) {
    delete items_[i];
    items_[i] = item;
  }
  const Seq<Obj*>& Items() const { return items_; }

private:
  // Empties the sequence: elements that are sequences go to `pending`, the
  // others are destroyed.
  void TakeItems(std::vector<Obj*>& pending) {
    for (unsigned i = 0; i < items_.Count(); ++i) {
      Obj* item = items_[i];
      items_[i] = nullptr;
      if (dynamic_cast<ObjectSeq*>(item) != nullptr) {
        pending.push_back(item);
      } else {
        delete item;
      }
    }
  }

  Seq<Obj*> items_;
};
