#include "foundation/list_of_names.h"

#include <gtest/gtest.h>

namespace {

TEST(ListofNames, StartsWithTwentyNullSlotsAndOwnsItsNames) {
  auto* list = new ListofNames;
  EXPECT_EQ(list->count, 0);
  for (const charString& name : list->names) EXPECT_EQ(name.Text(), nullptr);
  for (int i = 0; i < ListofNames::kSlots; ++i) list->names[i] = "name";
  list->count = ListofNames::kSlots;
  ListofNames copy(*list);
  delete list;  // the leak checker sees any name left behind
  EXPECT_STREQ(copy.names[19].Text(), "name");
}

}  // namespace
