#pragma once

// One entry of a list of names (pick candidates, object names on a ray): an
// owned name string on a singly linked list.

#include "foundation/char_string.h"
#include "foundation/list.h"

class GenericName : public ListItem {
public:
  explicit GenericName(const char* text) : name(text) {}

  charString name;
};
