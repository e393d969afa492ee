#pragma once

// Intrusive, owning, doubly linked lists: the singly linked operations of
// ListBase plus the previous links, constant-time Remove and Delete.

#include "foundation/list.h"

// The link of a doubly linked list: next (from ListItem) and the previous item,
// null at the head. Copying an element never copies its links.
class DblListItem : public ListItem {
 public:
  DblListItem() = default;
  DblListItem(const DblListItem& other) : ListItem(other) {}
  DblListItem& operator=(const DblListItem&) { return *this; }
  ~DblListItem() = default;

  DblListItem* prev = nullptr;
};

// The doubly linked list: first and last item (both null when empty).
template <class T>
class DblListBase : public ListTemplate<T> {
  using Base = ListTemplate<T>;

 public:
  DblListBase() = default;
  ~DblListBase() { Clear(); }

  static DblListItem* Link(T* item) { return static_cast<DblListItem*>(item); }
  static const DblListItem* Link(const T* item) { return static_cast<const DblListItem*>(item); }
  static T* Element(ListItem* link) { return Base::Element(link); }
  static const T* Element(const ListItem* link) { return Base::Element(link); }

  T* Last() const { return Element(last); }
  // The element before item, or null before the first one.
  static T* Prev(const T* item) { return static_cast<T*>(Link(item)->prev); }

  // Links the item at the tail.
  void Append(T* item) {
    DblListItem* link = Checked(item, "DblListBase::Append");
    link->next = nullptr;
    link->prev = last;
    if (this->first == nullptr) {
      this->first = link;
    } else {
      last->next = link;
    }
    last = link;
  }

  // Links the item at the head.
  void Prepend(T* item) {
    DblListItem* link = Checked(item, "DblListBase::Prepend");
    link->prev = nullptr;
    link->next = this->first;
    if (this->first == nullptr) {
      last = link;
    } else {
      static_cast<DblListItem*>(this->first)->prev = link;
    }
    this->first = link;
  }

  // Links the item directly after position; a null position links it at the head.
  void InsertAfter(T* position, T* item) {
    if (position == nullptr) {
      Prepend(item);
      return;
    }
    DblListItem* link = Checked(item, "DblListBase::InsertAfter");
    DblListItem* at = Link(position);
    link->prev = at;
    link->next = at->next;
    if (at->next != nullptr) static_cast<DblListItem*>(at->next)->prev = link;
    at->next = link;
    if (last == at) last = link;
  }

  // Unlinks item, which must directly follow previous (a null previous means
  // that item is the first), and returns it.
  T* RemoveAfter(T* previous, T* item) {
    if (previous == nullptr) {
      if (item == nullptr || Link(item) != this->first) RuntimeErrorBox("DblListBase::RemoveAfter");
      return RemoveHead();
    }
    DblListItem* prev = Link(previous);
    DblListItem* link = item == nullptr ? nullptr : Link(item);
    if (link == nullptr || prev->next != link) RuntimeErrorBox("DblListBase::RemoveAfter");
    prev->next = link->next;
    if (link->next != nullptr) static_cast<DblListItem*>(link->next)->prev = prev;
    if (last == link) last = prev;
    link->next = nullptr;
    link->prev = nullptr;
    return item;
  }

  // Unlinks and returns the first item, or null when the list is empty.
  T* RemoveHead() {
    DblListItem* link = static_cast<DblListItem*>(this->first);
    if (link == nullptr) return nullptr;
    this->first = link->next;
    if (this->first == nullptr) {
      last = nullptr;
    } else {
      static_cast<DblListItem*>(this->first)->prev = nullptr;
    }
    link->next = nullptr;
    link->prev = nullptr;
    return Element(link);
  }

  // Unlinks the item (which must be in this list) and returns it.
  T* Remove(T* item) {
    if (item == nullptr) RuntimeErrorBox("DblListBase::Remove");
    DblListItem* link = Link(item);
    if (link == this->first) return RemoveHead();
    if (link->prev == nullptr) RuntimeErrorBox("DblListBase::Remove");
    return RemoveAfter(Element(link->prev), item);
  }

  // Unlinks the item and destroys it.
  void Delete(T* item) { delete Remove(item); }

  // Appends a copy (copy-constructed) of every item of other, in order.
  void CopyFrom(const DblListBase& other) {
    const ListItem* stop = other.last;
    for (const ListItem* link = other.first; link != nullptr; link = link->next) {
      Append(new T(*Element(link)));
      if (link == stop) break;  // copying a list into itself ends at its old tail
    }
  }

  // Destroys every item, first to last, and leaves the list empty.
  void Clear() {
    while (this->first != nullptr) {
      DblListItem* link = static_cast<DblListItem*>(this->first);
      this->first = link->next;
      link->next = nullptr;
      link->prev = nullptr;
      delete Element(link);
    }
    last = nullptr;
  }

 protected:
  static DblListItem* Checked(T* item, const char* operation) {
    if (item == nullptr) RuntimeErrorBox(operation);
    return Link(item);
  }

  DblListItem* last = nullptr;
};

// The ordinary doubly linked list.
template <class T>
class DblList : public DblListBase<T> {
 public:
  DblList() = default;
};
