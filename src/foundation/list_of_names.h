#pragma once

// ListofNames: a fixed table of 20 owned names and the number of them in use.
// It starts with every slot null and a count of 0; destroying it frees the
// names it holds. Adding, finding and clearing names belong to its users.

#include <cstdint>

#include "foundation/char_string.h"

class ListofNames {
 public:
  static constexpr int kSlots = 20;

  ListofNames() = default;

  charString names[kSlots];
  std::int32_t count = 0;
};
