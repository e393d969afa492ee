#include "foundation/string_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(StringBuffer, KeepsTheFirstCapacityCharacters) {
  StringBuffer b;
  b.Alloc(5);
  for (char c : std::string("abcdefg")) b.Add(c);
  b.Close();
  EXPECT_EQ(std::string(b.Get()), "abcde");
  EXPECT_EQ(b.Length(), 5u);
  b.Free();
  b.Add('x');
  b.Close();
  EXPECT_EQ(std::string(b.Get()), "x");
}

TEST(StringBuffer, AttachClosedKeepsTheTextAttachOpenEmptiesIt) {
  char storage[8] = "token";
  StringBuffer b;
  EXPECT_EQ(b.Attach(storage, 7, 1), 0);
  EXPECT_EQ(std::string(b.Get()), "token");
  EXPECT_EQ(b.Length(), 5u);

  b.Attach(storage, 7, 0);
  EXPECT_FALSE(b.IsClosed());
  EXPECT_EQ(b.Length(), 0u);
  b.Close();
  EXPECT_EQ(std::string(b.Get()), "");
  EXPECT_EQ(storage[0], '\0');
}

TEST(StringBuffer, AllocAfterAttachLeavesTheCallersStorageAlone) {
  char storage[4] = "abc";
  StringBuffer b;
  b.Attach(storage, 3, 1);
  b.Alloc(2);  // must not free the caller's storage (the sanitizers would tell)
  b.Add('x');
  b.Close();
  EXPECT_EQ(std::string(b.Get()), "x");
  EXPECT_EQ(std::string(storage), "abc");
}

}  // namespace
