#include "foundation/big_seq.h"

#include <gtest/gtest.h>

namespace {

TEST(BigSeq, HasOneBlockMoreThanTheQuotient) {
  struct Case {
    std::uint32_t requested;
    std::uint32_t blocks;
    std::size_t capacity;
  };
  const Case cases[] = {{0, 1, 500}, {499, 1, 500}, {500, 2, 1000}, {501, 2, 1000}, {1000, 3, 1500}};
  for (const Case& c : cases) {
    BigSeq<int> s(c.requested);
    EXPECT_EQ(s.NBlocks(), c.blocks) << c.requested;
    EXPECT_EQ(s.Capacity(), c.capacity) << c.requested;
    EXPECT_EQ(s.BlockSize(), 500u);
  }
}

TEST(BigSeq, EveryIndexBelowTheCapacityIsItsOwnElement) {
  BigSeq<long> s(600);
  for (std::size_t i = 0; i < s.Capacity(); ++i) s.v(i) = static_cast<long>(i) * 7;
  for (std::size_t i = 0; i < s.Capacity(); ++i) ASSERT_EQ(s.v(i), static_cast<long>(i) * 7);
}

TEST(BigSeqDeathTest, AnIndexAtOrBeyondTheCapacityEndsTheProgram) {
  BigSeq<int> s(500);
  EXPECT_EXIT(s.v(1000), ::testing::ExitedWithCode(1), "^Runtime Error: BigSeq::v\n$");
  EXPECT_EXIT(s.v(static_cast<std::size_t>(-1)), ::testing::ExitedWithCode(1), "Runtime Error: BigSeq::v");
}

}  // namespace
