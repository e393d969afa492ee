#include "foundation/seq.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Values(const Seq<int>& s) {
  return std::vector<int>(s.Data(), s.Data() + s.Count());
}

Seq<int> Iota(std::uint32_t n) {
  Seq<int> s(n);
  for (std::uint32_t i = 0; i < n; ++i) s[i] = static_cast<int>(i + 1);
  return s;
}

TEST(Seq, ResizeKeepsTheFirstElementsAndZeroFreesTheArray) {
  Seq<int> s = Iota(5);
  s.Resize(3);
  EXPECT_EQ(Values(s), (std::vector<int>{1, 2, 3}));
  s.Resize(5);
  EXPECT_EQ(Values(s), (std::vector<int>{1, 2, 3, 0, 0}));
  s.Resize(0);
  EXPECT_EQ(s.Count(), 0u);
  EXPECT_EQ(s.Data(), nullptr);
  s.Resize(2);
  EXPECT_EQ(Values(s), (std::vector<int>{0, 0}));
}

TEST(Seq, SetSizeDiscardsTheContents) {
  Seq<int> s = Iota(3);
  s.SetSize(4);
  EXPECT_EQ(Values(s), (std::vector<int>{0, 0, 0, 0}));
  s.SetSize(0);
  EXPECT_EQ(s.Count(), 0u);
  EXPECT_EQ(s.Data(), nullptr);
}

TEST(Seq, AssigningAnEqualCountReusesTheArrayAnotherCountReallocates) {
  Seq<int> target = Iota(3);
  const int* before = target.Data();
  Seq<int> same(3);
  same[1] = 42;
  target = same;
  EXPECT_EQ(target.Data(), before);
  EXPECT_EQ(Values(target), (std::vector<int>{0, 42, 0}));

  Seq<int> longer = Iota(4);
  target = longer;
  EXPECT_NE(target.Data(), before);
  EXPECT_NE(target.Data(), longer.Data());
  EXPECT_EQ(Values(target), (std::vector<int>{1, 2, 3, 4}));

  target = Seq<int>();
  EXPECT_EQ(target.Count(), 0u);
  EXPECT_EQ(target.Data(), nullptr);
}

TEST(Seq, CopiesNeverShareStorage) {
  Seq<int> source = Iota(2);
  Seq<int> copy(source);
  copy[0] = 9;
  EXPECT_EQ(source[0], 1);
  EXPECT_NE(copy.Data(), source.Data());
}

// A stand-in for a three-double point.
struct Triple {
  double x = 0, y = 0, z = 0;
};

TEST(SeqOfSeq, ResizeKeepsDeepCopiesAndAddsAnEmptyInnerSequence) {
  Seq<Seq<Triple>> outer(2);
  outer[0].SetSize(2);
  outer[0][1] = Triple{1, 2, 3};
  outer[1].SetSize(1);
  outer[1][0] = Triple{4, 5, 6};
  Seq<Seq<Triple>> kept(outer);

  outer.Resize(3);
  ASSERT_EQ(outer.Count(), 3u);
  EXPECT_EQ(outer[0].Count(), 2u);
  EXPECT_EQ(outer[0][1].z, 3);
  EXPECT_EQ(outer[1][0].x, 4);
  EXPECT_EQ(outer[2].Count(), 0u);
  EXPECT_EQ(outer[2].Data(), nullptr);

  // Every level is a copy of its own.
  EXPECT_NE(outer[0].Data(), kept[0].Data());
  outer[0][1].z = 99;
  EXPECT_EQ(kept[0][1].z, 3);
  kept = outer;
  kept[1][0].x = -1;
  EXPECT_EQ(outer[1][0].x, 4);
}

}  // namespace
