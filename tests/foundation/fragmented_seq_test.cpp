#include "foundation/fragmented_seq.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

namespace {

template <class I>
class FragmentedSeqBlocks : public ::testing::Test {};
using IndexTypes = ::testing::Types<int, long, unsigned int>;
TYPED_TEST_SUITE(FragmentedSeqBlocks, IndexTypes);

TYPED_TEST(FragmentedSeqBlocks, GrowsByWholeBlocksAndNeverShrinks) {
  struct Step {
    TypeParam size;
    TypeParam blocks;
  };
  const Step steps[] = {{0, 0}, {100, 1}, {101, 2}, {50, 2}, {150, 2}, {200, 2}, {201, 3}, {0, 3}};
  FragmentedSeq<double, TypeParam> s;
  for (const Step& step : steps) {
    s.SetSize(step.size);
    EXPECT_EQ(s.Size(), step.size);
    EXPECT_EQ(s.NBlocks(), step.blocks) << "size " << step.size;
    EXPECT_EQ(s.BlockSize(), TypeParam(100));
  }
}

TYPED_TEST(FragmentedSeqBlocks, ElementsKeepTheirAddressesWhileTheSequenceGrows) {
  FragmentedSeq<int, TypeParam> s;
  std::vector<int*> addresses;
  for (TypeParam i = 0; i < TypeParam(1000); ++i) {
    s.SetSize(i + 1);
    s[i] = static_cast<int>(i) * 3;
    addresses.push_back(&s[i]);
  }
  for (TypeParam i = 0; i < TypeParam(1000); ++i) {
    EXPECT_EQ(&s[i], addresses[static_cast<std::size_t>(i)]);
    EXPECT_EQ(s[i], static_cast<int>(i) * 3);
  }
  EXPECT_EQ(s.NBlocks(), TypeParam(10));
}

TEST(FragmentedSeq, CopyAndAssignmentGiveEqualElementsInBlocksOf100) {
  FragmentedSeq<int, long> source;
  source.SetSize(250);
  for (long i = 0; i < 250; ++i) source[i] = static_cast<int>(i * i);
  FragmentedSeq<int, long> copy(source);
  EXPECT_EQ(copy.BlockSize(), 100);
  EXPECT_EQ(copy.Size(), 250);
  EXPECT_EQ(copy.NBlocks(), 3);
  for (long i = 0; i < 250; ++i) ASSERT_EQ(copy[i], source[i]);
  copy[7] = -1;
  EXPECT_EQ(source[7], 49);

  FragmentedSeq<int, long> target;
  target.SetSize(420);
  target = source;
  EXPECT_EQ(target.Size(), 250);
  EXPECT_EQ(target.NBlocks(), 5);  // assignment never shrinks the storage
  for (long i = 0; i < 250; ++i) ASSERT_EQ(target[i], source[i]);
}

TEST(FragmentedSeq, ClearFreesEverythingAndDoesNothingWhenEmpty) {
  FragmentedSeq<int, int> s;
  s.Clear();
  EXPECT_EQ(s.Size(), 0);
  EXPECT_EQ(s.NBlocks(), 0);
  s.SetSize(120);
  s.Clear();
  EXPECT_EQ(s.Size(), 0);
  EXPECT_EQ(s.NBlocks(), 0);
  s.SetSize(1);
  EXPECT_EQ(s.NBlocks(), 1);
}

// An element whose constructor throws at a chosen construction; counts the
// live elements so that a leak or a double destruction shows.
struct Fragile {
  static inline int constructed = 0;
  static inline int live = 0;
  static inline int throw_at = -1;
  Fragile() {
    if (constructed++ == throw_at) throw std::bad_alloc();
    ++live;
  }
  Fragile(const Fragile&) : Fragile() {}
  Fragile& operator=(const Fragile&) = default;
  ~Fragile() { --live; }
  int value = 0;
};

class FragmentedSeqFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    Fragile::constructed = 0;
    Fragile::live = 0;
    Fragile::throw_at = -1;
  }
  void TearDown() override { EXPECT_EQ(Fragile::live, 0); }
};

TEST_F(FragmentedSeqFailure, AFailedGrowthKeepsThePreviousTableSizeAndBlocks) {
  FragmentedSeq<Fragile, unsigned int> s;
  s.SetSize(150);
  s[149].value = 7;
  Fragile* kept = &s[149];
  // Growing to 450 needs three blocks; the second one fails halfway.
  Fragile::throw_at = Fragile::constructed + 150;
  EXPECT_THROW(s.SetSize(450), std::bad_alloc);
  EXPECT_EQ(s.Size(), 150u);
  EXPECT_EQ(s.NBlocks(), 2u);
  EXPECT_EQ(&s[149], kept);
  EXPECT_EQ(s[149].value, 7);
  EXPECT_EQ(Fragile::live, 200);  // the blocks made by the failed call are gone

  Fragile::throw_at = -1;
  s.SetSize(450);
  EXPECT_EQ(s.NBlocks(), 5u);
  EXPECT_EQ(&s[149], kept);
  EXPECT_EQ(Fragile::live, 500);
}

TEST_F(FragmentedSeqFailure, AFailedCopyLeavesNothingBehind) {
  FragmentedSeq<Fragile, int> source;
  source.SetSize(300);
  Fragile::throw_at = Fragile::constructed + 250;
  using Sequence = FragmentedSeq<Fragile, int>;
  EXPECT_THROW({ Sequence copy(source); }, std::bad_alloc);
  EXPECT_EQ(Fragile::live, 300);
}

}  // namespace
