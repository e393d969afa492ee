#pragma once

// Intrusive, owning, singly linked lists.
//
// An element type derives from ListItem (or DblListItem); the list allocates
// nothing per element and owns every element linked into it: Clear and the
// list's destructor delete them, first to last. The removal operations hand the
// element back to the caller, who then owns it.
//
// The link does not have to be the element's first base: the heads store
// pointers to the link part and convert to the element type and back with
// static_cast, which adjusts for the base's offset and keeps a null pointer null.

#include <cstddef>
#include <iterator>

#include "foundation/runtime_error_box.h"

// The link of a singly linked list: the pointer to the next item, null at the
// end. Copying an element never copies its link: a copy starts unlinked.
class ListItem {
 public:
  ListItem() = default;
  ListItem(const ListItem&) {}
  ListItem& operator=(const ListItem&) { return *this; }
  ~ListItem() = default;

  ListItem* next = nullptr;
};

// The untyped head: the pointer to the first item, null when the list is empty.
class ListItemAccess {
 public:
  bool IsEmpty() const { return first == nullptr; }

 protected:
  ListItemAccess() = default;
  ListItemAccess(const ListItemAccess&) = delete;
  ListItemAccess& operator=(const ListItemAccess&) = delete;
  ~ListItemAccess() = default;

  ListItem* first = nullptr;
};

// The typed view of a head: elements of type T, converted from and to their
// link part on every access.
template <class T>
class ListTemplate : public ListItemAccess {
 public:
  // Element of a link and link of an element; null stays null.
  static T* Element(ListItem* link) { return static_cast<T*>(link); }
  static const T* Element(const ListItem* link) { return static_cast<const T*>(link); }
  static ListItem* Link(T* item) { return static_cast<ListItem*>(item); }
  static const ListItem* Link(const T* item) { return static_cast<const ListItem*>(item); }

  T* First() const { return Element(first); }
  // The element after item, or null after the last one.
  static T* Next(const T* item) { return Element(Link(item)->next); }

  // The element at position index (from 0), or null when the list is shorter.
  T* Nth(std::size_t index) const {
    ListItem* link = first;
    while (link != nullptr && index > 0) {
      link = link->next;
      --index;
    }
    return Element(link);
  }

  // Forward iteration: for (T& item : list). The body must not unlink or
  // destroy the item it is visiting.
  class iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = T*;
    using reference = T&;

    iterator() = default;
    explicit iterator(ListItem* link) : link_(link) {}
    T& operator*() const { return *Element(link_); }
    T* operator->() const { return Element(link_); }
    iterator& operator++() {
      link_ = link_->next;
      return *this;
    }
    iterator operator++(int) {
      iterator old = *this;
      link_ = link_->next;
      return old;
    }
    bool operator==(const iterator& other) const { return link_ == other.link_; }

   private:
    ListItem* link_ = nullptr;
  };

  iterator begin() const { return iterator(first); }
  iterator end() const { return iterator(); }

 protected:
  ListTemplate() = default;
  ~ListTemplate() = default;
};

// The singly linked list: first and last item (both null when empty).
template <class T>
class ListBase : public ListTemplate<T> {
  using Base = ListTemplate<T>;

 public:
  ListBase() = default;
  ~ListBase() { Clear(); }

  T* Last() const { return Base::Element(last); }

  // Links the item at the tail.
  void Append(T* item) {
    ListItem* link = Checked(item, "ListBase::Append");
    link->next = nullptr;
    if (this->first == nullptr) {
      this->first = link;
    } else {
      last->next = link;
    }
    last = link;
  }

  // Links the item at the head.
  void Prepend(T* item) {
    ListItem* link = Checked(item, "ListBase::Prepend");
    if (this->first == nullptr) last = link;
    link->next = this->first;
    this->first = link;
  }

  // Links the item directly after position; a null position links it at the head.
  void InsertAfter(T* position, T* item) {
    if (position == nullptr) {
      Prepend(item);
      return;
    }
    ListItem* link = Checked(item, "ListBase::InsertAfter");
    ListItem* at = Base::Link(position);
    link->next = at->next;
    at->next = link;
    if (last == at) last = link;
  }

  // Unlinks item, which must directly follow previous (a null previous means
  // that item is the first), and returns it.
  T* RemoveAfter(T* previous, T* item) {
    if (previous == nullptr) {
      if (item == nullptr || Base::Link(item) != this->first) RuntimeErrorBox("ListBase::RemoveAfter");
      return RemoveHead();
    }
    ListItem* prev = Base::Link(previous);
    ListItem* link = item == nullptr ? nullptr : Base::Link(item);
    if (link == nullptr || prev->next != link) RuntimeErrorBox("ListBase::RemoveAfter");
    prev->next = link->next;
    if (last == link) last = prev;
    link->next = nullptr;
    return item;
  }

  // Unlinks and returns the first item, or null when the list is empty.
  T* RemoveHead() {
    ListItem* link = this->first;
    if (link == nullptr) return nullptr;
    this->first = link->next;
    if (this->first == nullptr) last = nullptr;
    link->next = nullptr;
    return Base::Element(link);
  }

  // Appends a copy (copy-constructed) of every item of other, in order.
  void CopyFrom(const ListBase& other) {
    const ListItem* stop = other.first == nullptr ? nullptr : other.last;
    for (const ListItem* link = other.first; link != nullptr; link = link->next) {
      Append(new T(*Base::Element(link)));
      if (link == stop) break;  // copying a list into itself ends at its old tail
    }
  }

  // Destroys every item, first to last, and leaves the list empty.
  void Clear() {
    while (this->first != nullptr) {
      ListItem* link = this->first;
      this->first = link->next;
      link->next = nullptr;
      delete Base::Element(link);
    }
    last = nullptr;
  }

 protected:
  static ListItem* Checked(T* item, const char* operation) {
    if (item == nullptr) RuntimeErrorBox(operation);
    return Base::Link(item);
  }

  ListItem* last = nullptr;
};

// The ordinary singly linked list.
template <class T>
class List : public ListBase<T> {
 public:
  List() = default;
};
