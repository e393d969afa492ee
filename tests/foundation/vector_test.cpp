#include "foundation/vector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

Vector<double> Make(std::vector<double> values) {
  Vector<double> v(static_cast<std::uint32_t>(values.size()));
  for (std::uint32_t i = 0; i < v.Count(); ++i) v[i] = values[i];
  return v;
}

std::vector<double> Values(const Vector<double>& v) {
  return std::vector<double>(v.Data(), v.Data() + v.Count());
}

TEST(Vector, OperatorsComputeElementByElement) {
  const Vector<double> x = Make({1, 2, 3});
  const Vector<double> y = Make({4, -5, 6});
  EXPECT_EQ(Values(x + y), (std::vector<double>{5, -3, 9}));
  EXPECT_EQ(Values(x - y), (std::vector<double>{-3, 7, -3}));
  EXPECT_EQ(Values(-x), (std::vector<double>{-1, -2, -3}));
  EXPECT_EQ(Values(x * 2.0), (std::vector<double>{2, 4, 6}));
  EXPECT_EQ(x * y, 12.0);
  EXPECT_EQ(Make({3, 4}).Norm(), 5.0);
  const Vector<double> unit = zavo::Normalized(Make({0, 3, 4}));
  EXPECT_NEAR(unit[1], 0.6, 1e-15);
  EXPECT_NEAR(unit[2], 0.8, 1e-15);
  EXPECT_NEAR(unit.Norm(), 1.0, 1e-15);
}

TEST(Vector, DotAccumulatesInIndexOrder) {
  // Any other order (or pairwise sums) gives 1 instead of 0.
  EXPECT_EQ(Make({1e16, 1, -1e16}) * Make({1, 1, 1}), 0.0);
}

TEST(Vector, StatusOperationsAnswerZeroAndWriteNothingOnACountMismatch) {
  const Vector<double> three = Make({1, 2, 3});
  const Vector<double> two = Make({1, 2});
  using Op = std::function<int(Vector<double>& result)>;
  const std::pair<const char*, Op> ops[] = {
      {"Add other", [&](Vector<double>& z) { return three.Add(z, two); }},
      {"Add result", [&](Vector<double>& z) { return two.Add(z, two); }},
      {"Subtract", [&](Vector<double>& z) { return three.Subtract(z, two); }},
      {"Negate", [&](Vector<double>& z) { return two.Negate(z); }},
      {"Scale", [&](Vector<double>& z) { return two.Scale(z, 2.0); }},
      {"Normalize", [&](Vector<double>& z) { return two.Normalize(z); }},
      {"CopyFrom", [&](Vector<double>& z) { return z.CopyFrom(two); }},
      {"Dot", [&](Vector<double>& z) { return z.Dot(z[0], two); }},
  };
  for (const auto& [name, op] : ops) {
    Vector<double> result = Make({7, 7, 7});
    EXPECT_EQ(op(result), 0) << name;
    EXPECT_EQ(Values(result), (std::vector<double>{7, 7, 7})) << name;
  }
  EXPECT_EQ(three.Equals(two), 0);
  EXPECT_EQ(three.Equals(Make({1, 2, 3})), 1);
  EXPECT_EQ(three.Equals(Make({1, 2, 4})), 0);
}

TEST(Vector, OperatorsThrowOnACountMismatch) {
  const Vector<double> three = Make({1, 2, 3});
  const Vector<double> two = Make({1, 2});
  EXPECT_THROW(three + two, xVector);
  EXPECT_THROW(three - two, xVector);
  EXPECT_THROW((void)(three * two), xVector);
  Vector<double> target = Make({0, 0});
  EXPECT_THROW(target = three, xVector);
  EXPECT_EQ(Values(target), (std::vector<double>{0, 0}));
}

TEST(Vector, AssignmentCopiesButCopyConstructionTakesTheOthersCount) {
  Vector<double> target = Make({0, 0, 0});
  const double* storage = target.Data();
  target = Make({1, 2, 3});
  EXPECT_EQ(target.Data(), storage);
  EXPECT_EQ(Values(target), (std::vector<double>{1, 2, 3}));

  const Vector<double> two = Make({5, 6});
  Vector3<double> built(two);
  EXPECT_EQ(built.Count(), 2u);
  EXPECT_EQ(Values(built), (std::vector<double>{5, 6}));
  Vector4<double> copy(Vector4<double>{});
  EXPECT_EQ(copy.Count(), 4u);
}

TEST(Vector, FixedVectorsGiveResultsOfTheirOwnType) {
  Vector3<double> x;
  Vector3<double> y;
  x[0] = 1;
  y[1] = 1;
  const Vector3<double> sum = x + y;
  EXPECT_EQ(Values(sum), (std::vector<double>{1, 1, 0}));
  const Vector3<double> cross = x * y;  // two Vector3: the cross product
  EXPECT_EQ(Values(cross), (std::vector<double>{0, 0, 1}));
  EXPECT_EQ(x * static_cast<const Vector<double>&>(y), 0.0);  // the dot product
  const Vector2<double> half = Vector2<double>() * 0.5;
  EXPECT_EQ(half.Count(), 2u);

  EXPECT_THROW(x + Make({1, 2}), xVector);
  const Vector3<double> short_one(Make({1, 2}));
  EXPECT_THROW(short_one * y, xVector);
  EXPECT_THROW(-short_one, xVector);  // the result has three elements
}

}  // namespace
