// The control points, knots and log lines that a contour's records give.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "editor/import/text_curves.h"

namespace zavo::test {
namespace {

GlyphPointFx Fx(int x, int y) { return GlyphPointFx{GlyphFixed{0, static_cast<std::int16_t>(x)}, GlyphFixed{0, static_cast<std::int16_t>(y)}}; }

std::string PointsText(const std::vector<Point3D>& points) {
  std::ostringstream os;
  for (const Point3D& p : points) os << "(" << p.x << "," << p.y << "," << p.z << ")";
  return os.str();
}

TEST(TextCurves, RecordsGivePointsAndKnots) {
  // S, A, B, E: the corners of a glyph cell.
  const GlyphPointFx S = Fx(12, 0), A = Fx(37, 0), B = Fx(37, 45), E = Fx(12, 45);
  struct Case {
    const char* what;
    GlyphContour contour;
    int penX;
    bool onlyPolyline;
    const char* points;
    std::vector<double> knots;
  };
  const Case cases[] = {
      {"one spline record", {S, {{2, {A, B, E}}}}, 0, false,
       "(12,0,0)(37,0,0)(37,45,0)(12,45,0)(12,45,0)(12,45,0)(12,0,0)", {0, 0, 0, 1, 2, 2, 2, 3, 3, 3}},
      {"straight records only", {S, {{1, {A, B}}, {1, {E}}}}, 0, true, "(12,0,0)(37,0,0)(37,45,0)(12,45,0)", {}},
      {"a line point in a mixed contour", {S, {{1, {A}}, {2, {B, E}}}}, 0, false,
       "(12,0,0)(12,0,0)(37,0,0)(37,0,0)(37,45,0)(12,45,0)(12,45,0)(12,45,0)(12,0,0)",
       {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3}},
      {"the pen offset moves every point", {S, {{2, {A, B, E}}}}, 51, false,
       "(63,0,0)(88,0,0)(88,45,0)(63,45,0)(63,45,0)(63,45,0)(63,0,0)", {0, 0, 0, 1, 2, 2, 2, 3, 3, 3}},
      {"another record type adds nothing", {S, {{3, {B}}, {1, {A}}}}, 0, true, "(12,0,0)(37,0,0)", {}},
      {"a start point alone", {S, {}}, 0, true, "(12,0,0)", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::ostringstream log;
    const ContourCurve curve = BuildContourCurve(c.contour, c.penX, log);
    EXPECT_EQ(curve.onlyPolyline, c.onlyPolyline);
    EXPECT_EQ(PointsText(curve.points), c.points);
    EXPECT_EQ(curve.knots, c.knots);
    if (!curve.onlyPolyline) {
      EXPECT_EQ(curve.knots.size(), curve.points.size() + 3);
    }
  }
}

TEST(TextCurves, LogNamesTheRecordsAndTheirPointsWithoutThePenOffset) {
  const GlyphContour contour{Fx(12, 0), {{1, {Fx(37, 0)}}, {2, {Fx(37, 45), Fx(12, 45)}}}};
  std::ostringstream log;
  BuildContourCurve(contour, 51, log);
  EXPECT_EQ(log.str(),
            "header\nonlypolyline=0\nfirst point=( 12 , 0 , 0 )\n"
            "CURVE Polyline\np=( 37 , 0 , 0 )\n"
            "CURVE BSpline\np=( 37 , 45 , 0 )\np=( 12 , 45 , 0 )\n");
}

}  // namespace
}  // namespace zavo::test
