// The random numbers of the renderers and the status and time texts.

#include <gtest/gtest.h>

#include <ctime>
#include <sstream>
#include <string>

#include "render/random.h"
#include "render/render_fixtures.h"
#include "render/render_times.h"

namespace zavo::test {
namespace {

TEST(RandomSigned, FollowsTheGeneratorFromAFreshSeed) {
  zavo::ResetRandomGenerator();
  const int r[] = {346, 130, 10982, 1090, 11656, 7117};
  const double signedValues[] = {-0.9654, -0.987, 0.0982, -0.891, 0.1656, -0.2883};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(zavo::NextRandom(), r[i]);
  zavo::ResetRandomGenerator();
  for (double v : signedValues) EXPECT_NEAR(RandomSigned(), v, 1e-12);
}

TEST(SecondsToHMS, SplitsInOrder) {
  struct Case {
    double x;
    int h, m, s;
  } cases[] = {{297, 0, 4, 57}, {3722, 1, 2, 2}, {0, 0, 0, 0}, {59.9, 0, 0, 59}, {86399, 23, 59, 59}};
  for (const Case& c : cases) {
    int h = -1, m = -1, s = -1;
    SecondsToHMS(c.x, h, m, s);
    EXPECT_EQ(h, c.h) << c.x;
    EXPECT_EQ(m, c.m) << c.x;
    EXPECT_EQ(s, c.s) << c.x;
  }
}

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

TEST(RenderTimes, RowStatusEstimatesTheTimeLeft) {
  RenderScene f;
  f.scene.GetParam().dimy = 100;
  f.scene.SetStartTime(f.now);
  f.now += 3;
  f.scene.ReportLine(0);
  EXPECT_EQ(f.scene.GetRemainingTime(), 297);
  f.scene.ReportLine(-1);
  EXPECT_EQ(f.scene.GetRemainingTime(), 0);
  f.scene.ReportLine(49);  // half the rows in 3 s
  EXPECT_EQ(f.ui.statuses, (std::vector<std::string>{"Line 0   H=0  M=4  S=57", "Line -1   H=0  M=0  S=0",
                                                      "Line 49   H=0  M=0  S=3"}));
}

TEST(RenderTimes, TimeTextAndCalendarText) {
  RenderScene f;
  f.scene.SetStartTime(LocalTime(2026, 12, 5, 10, 15, 7));
  f.scene.SetEndTime(LocalTime(2026, 12, 5, 11, 17, 9));
  std::ostringstream os;
  f.scene.ReportTimes(os);
  EXPECT_EQ(os.str(),
            "Start Time : Sat Dec 05 10:15:07 2026\n\nEnd Time : Sat Dec 05 11:17:09 2026\n\n"
            "Total Time : H=1 M=2 S=2\n");
  EXPECT_EQ(zavo::CalendarText(LocalTime(2026, 12, 5, 10, 15, 7)).size(), 24u);

  f.scene.SetEndTime(f.scene.GetStartTime());
  std::ostringstream same;
  f.scene.ReportTimes(same);
  const std::string text = same.str();
  EXPECT_EQ(text.substr(text.rfind("Total")), "Total Time : H=0 M=0 S=0\n");
}

}  // namespace
}  // namespace zavo::test
