#pragma once

// Keyword lookup in the registries' module lists.

#include <cstring>

#include "foundation/list.h"

// The first element, from the head, whose Keyword() equals text exactly
// (case-sensitive); null when none does or text is null.
template <class T>
T* FindByKeyword(const ListTemplate<T>& list, const char* text) {
  if (text == nullptr) return nullptr;
  for (T& item : list) {
    const char* keyword = item.Keyword();
    if (keyword != nullptr && std::strcmp(keyword, text) == 0) return &item;
  }
  return nullptr;
}
