#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // Fork-and-exec death tests work under the sanitizers; the fast style does not.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
