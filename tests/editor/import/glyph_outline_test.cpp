// Outline fonts' contours of on/off-curve points made into outline records,
// and the typed text decoded into code points.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "editor/import/glyph_outline.h"
#include "editor/import/utf8_decode.h"

namespace zavo::test {
namespace {

// One pixel in 26.6.
constexpr long kPx = 64;

OutlinePoint On(double x, double y) { return {static_cast<long>(x * kPx), static_cast<long>(y * kPx), true}; }
OutlinePoint Off(double x, double y) { return {static_cast<long>(x * kPx), static_cast<long>(y * kPx), false}; }

std::string PointText(const GlyphPointFx& p) {
  std::ostringstream os;
  os << "(" << FixedToDouble(p.x) << "," << FixedToDouble(p.y) << ")";
  return os.str();
}

// "S(x,y) L(..)(..) Q(..)(..)", contours separated by " | ".
std::string Describe(const std::vector<GlyphContour>& contours) {
  std::string text;
  for (const GlyphContour& contour : contours) {
    if (!text.empty()) text += " | ";
    text += "S" + PointText(contour.start);
    for (const GlyphCurve& curve : contour.curves) {
      text += curve.type == 1 ? " L" : " Q";
      for (const GlyphPointFx& p : curve.points) text += PointText(p);
    }
  }
  return text;
}

TEST(OutlineRecords, RunsOfLinesAndConicsBecomeOneRecordEach) {
  struct Case {
    const char* what;
    std::vector<OutlinePoint> points;
    std::vector<int> ends;
    const char* records;
  };
  const Case cases[] = {
      {"lines only, no closing line", {On(0, 0), On(3, 0), On(3, 2), On(0, 2)}, {3}, "S(0,0) L(3,0)(3,2)(0,2)"},
      {"conic then line", {On(0, 0), Off(2, 0), On(2, 2), On(0, 2)}, {3}, "S(0,0) Q(2,0)(2,2) L(0,2)"},
      {"off points in a row", {On(0, 0), Off(1, 0), Off(2, 1), On(2, 2)}, {3}, "S(0,0) Q(1,0)(2,1)(2,2)"},
      {"two conics meeting on the curve",
       {On(0, 0), Off(1, 0), On(2, 1), Off(2, 2), On(1, 3)},
       {4},
       "S(0,0) Q(1,0)(2,1) Q(2,2)(1,3)"},
      {"closing conic ends at the start", {On(0, 0), On(2, 0), Off(2, 2)}, {2}, "S(0,0) L(2,0) Q(2,2)(0,0)"},
      {"starts off, last on", {Off(2, 0), On(2, 2), On(0, 2), On(0, 0)}, {3}, "S(0,0) Q(2,0)(2,2) L(0,2)"},
      {"all off: the midpoint of last and first",
       {Off(1, 0), Off(2, 1), Off(1, 2), Off(0, 1)},
       {3},
       "S(0.500008,0.500008) Q(1,0)(2,1)(1,2)(0,1)(0.500008,0.500008)"},
      {"two contours", {On(0, 0), On(4, 0), On(4, 4), On(1, 1), On(3, 1), On(3, 3)}, {2, 5},
       "S(0,0) L(4,0)(4,4) | S(1,1) L(3,1)(3,3)"},
      {"negative coordinates", {On(-1.5, -2), On(1, -2)}, {1}, "S(-1.49999,-2) L(1,-2)"},
      {"an end beyond the points", {On(0, 0), On(1, 0)}, {5}, ""},
      {"ends that go back", {On(0, 0), On(1, 0), On(2, 2)}, {1, 0}, "S(0,0) L(1,0)"},
      {"no contours", {On(0, 0)}, {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Describe(OutlineRecords(c.points, c.ends)), c.records);
  }
}

TEST(OutlineRecords, FixedPointKeepsTheFractionAndSaturates) {
  struct Case {
    long value;  // 26.6
    int integer;
    unsigned fraction;
  };
  const Case cases[] = {{64, 1, 0}, {96, 1, 32768}, {-32, -1, 32768}, {-64, -1, 0}, {1L << 40, 32767, 65535},
                        {-(1L << 40), -32768, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const GlyphFixed fixed = FixedFrom26Dot6(c.value);
    EXPECT_EQ(fixed.value, c.integer);
    EXPECT_EQ(fixed.fract, c.fraction);
  }
}

TEST(Utf8Decode, EachCodePointIsOneCharacterAndBadBytesAreReplaced) {
  struct Case {
    const char* what;
    std::string text;
    std::u32string codes;
  };
  const Case cases[] = {
      {"ascii", "ll o", U"ll o"},
      {"two and three bytes", "\xC3\xA9\xE2\x82\xAC", U"\u00E9\u20AC"},
      {"four bytes", "\xF0\x9F\x98\x80", U"\U0001F600"},
      {"stray continuation", "a\x80" "b", U"a\uFFFDb"},
      {"cut sequence", "a\xE2\x82", U"a\uFFFD\uFFFD"},
      {"overlong", "\xC0\xAF", U"\uFFFD\uFFFD"},
      {"surrogate", "\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},
      {"byte 0xFF", "\xFFz", U"\uFFFDz"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DecodeUtf8(c.text), c.codes);
  }
}

}  // namespace
}  // namespace zavo::test
