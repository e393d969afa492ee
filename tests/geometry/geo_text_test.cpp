#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "geometry/geo_scanner.h"
#include "geometry/geo_text.h"
#include "geometry/point_stream.h"

namespace {

// A scanner over a text, standing on its first token.
struct Scan {
  std::istringstream in;
  GeoScanner s;
  explicit Scan(const std::string& text) : in(text), s(in) { s.Next(); }
  std::string Text() const { return s.Text(); }
};

TEST(GeoText, PointWritersAndReaders) {
  std::ostringstream os;
  WritePoint3D({1, 2.5, 0}, os);
  EXPECT_EQ(os.str(), "( 1 , 2.5 , 0 )");
  Scan in(os.str() + " next");
  Point3D p{9, 9, 9};
  ASSERT_EQ(ReadPoint3D(p, in.s), 1);
  EXPECT_EQ(p, (Point3D{1, 2.5, 0}));
  EXPECT_EQ(in.Text(), "next");

  std::ostringstream os2;
  WritePoint2D({-3, 1e-7}, os2);
  EXPECT_EQ(os2.str(), "( -3 , 1e-07 )");
  Scan in2(os2.str());
  Point2D q;
  ASSERT_EQ(ReadPoint2D(q, in2.s), 1);
  EXPECT_EQ(q, (Point2D{-3, 1e-7}));
  EXPECT_EQ(in2.s.Kind(), zavo::kTokenError);
}

// Every reader stops at the first token that does not fit, answers 0, leaves
// what it read so far in the target and the scanner on that token.
TEST(GeoText, PointReadersStopAtTheFirstMisfit) {
  const struct {
    const char* text;
    Point3D partly;
    const char* stoppedAt;
  } cases[] = {
      {"( 1 , 2 )", {1, 2, 9}, ")"},
      {"( 1 , 2 , x )", {1, 2, 9}, "x"},
      {"( 1 ; 2 , 3 )", {1, 9, 9}, ";"},
      {"[ 1 , 2 , 3 ]", {9, 9, 9}, "["},
      {"( 1 , 2 , 3 ]", {1, 2, 3}, "]"},
      {"( 1 , 2 , 3", {1, 2, 3}, ""},
      {"(1,2,-)", {1, 2, 9}, "-"},
      {"( 1 , 2 , 1e999 )", {1, 2, 9}, "1E999"},  // too large for a double
      {"( 1 , 2 , 7e )", {1, 2, 9}, "7E"},        // not a number token
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Scan in(c.text);
    Point3D p{9, 9, 9};
    EXPECT_EQ(ReadPoint3D(p, in.s), 0);
    EXPECT_EQ(p, c.partly);
    EXPECT_EQ(in.Text(), c.stoppedAt);
  }
}

TEST(GeoText, NumberRecord6) {
  std::ostringstream os;
  WriteNumberRecord6(os, 0, 1.5, -2, 3, 4, 1234567);
  EXPECT_EQ(os.str(), "[ 0 , 1.5 , -2 , 3 , 4 , 1.23457e+06 ]");

  const struct {
    const char* text;
    int ok;
    GEO_Box box;
  } cases[] = {
      {"[ 1 , 0 , 2 , 3 , 4 , 5 ]", 1, {0, 1, 2, 3, 4, 5}},       // normalised
      {"[ 0 , 1.5 , -2 , 3 , 4 , 1.23457e+06 ]", 1, {0, 1.5, -2, 3, 4, 1234570}},
      {"[ 1 , 2 , abc , 3 , 4 , 5 ]", 1, {1, 2, 0, 3, 4, 5}},     // any token, as a real
      {"[ 1 , 2 , 3 , 4 , 5 ]", 0, {7, 7, 7, 7, 7, 7}},
      {"[ 1 , 2 , 3 , 4 , 5 , 6 )", 0, {7, 7, 7, 7, 7, 7}},
      {"[ 1 , 2 , 3 , 4 , 5 , 1e999 ]", 0, {7, 7, 7, 7, 7, 7}},
      {"[ 1 , 2 , 3 , 4 , 5 ,", 0, {7, 7, 7, 7, 7, 7}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Scan in(c.text);
    GEO_Box b{7, 7, 7, 7, 7, 7};
    EXPECT_EQ(ReadNumberRecord6(in.s, b), c.ok);
    EXPECT_EQ(b, c.box);
  }
}

TEST(PointShort, WritesWithoutBlanksAndReadsWithAnySpacing) {
  std::ostringstream os;
  WritePoint3DShort({1, 0.5, -2}, os);
  EXPECT_EQ(os.str(), "(1,0.5,-2)");
  EXPECT_EQ(os.str().size(), 10u);
  for (const char* text : {"(1,0.5,-2)", " ( 1 , 0.5 , -2 ) ", "(\n1\t,0.5 /* c */ ,-2)"}) {
    SCOPED_TRACE(text);
    Scan in(text);
    Point3D p;
    ASSERT_EQ(ReadPoint3DShort(p, in.s), 1);
    EXPECT_EQ(p, (Point3D{1, 0.5, -2}));
    EXPECT_EQ(in.s.Kind(), zavo::kTokenError);
  }
  Scan two("(4,5)");
  Point3D p{9, 9, 9};
  EXPECT_EQ(ReadPoint3DShort(p, two.s), 0);
  EXPECT_EQ(p, (Point3D{4, 5, 9}));
  EXPECT_EQ(two.Text(), ")");
}

}  // namespace
