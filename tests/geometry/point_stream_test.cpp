#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "geometry/point_stream.h"

namespace {

TEST(Point3DBinary, LittleEndianBytesRoundTrip) {
  std::ostringstream os;
  WritePoint3DBinary({1.0, -2.0, 0.1}, os);
  const std::string bytes = os.str();
  ASSERT_EQ(bytes.size(), 24u);
  EXPECT_EQ(bytes.substr(0, 8), std::string("\x00\x00\x00\x00\x00\x00\xf0\x3f", 8));
  EXPECT_EQ(bytes.substr(8, 8), std::string("\x00\x00\x00\x00\x00\x00\x00\xc0", 8));
  EXPECT_EQ(bytes.substr(16, 8), std::string("\x9a\x99\x99\x99\x99\x99\xb9\x3f", 8));

  // Any 24 bytes read and written again come out the same.
  std::string in;
  for (int i = 0; i < 24; ++i) in += static_cast<char>(37 * i + 11);
  std::istringstream is(in);
  Point3D p;
  ASSERT_EQ(ReadPoint3DBinary(p, is), 1);
  std::ostringstream again;
  WritePoint3DBinary(p, again);
  EXPECT_EQ(again.str(), in);

  std::istringstream back(bytes);
  ASSERT_EQ(ReadPoint3DBinary(p, back), 1);
  EXPECT_EQ(p, (Point3D{1.0, -2.0, 0.1}));
}

TEST(Point3DBinary, ShortInputLeavesThePoint) {
  std::istringstream is(std::string(23, '\0'));
  Point3D p{1, 2, 3};
  EXPECT_EQ(ReadPoint3DBinary(p, is), 0);
  EXPECT_EQ(p, (Point3D{1, 2, 3}));
}

}  // namespace
