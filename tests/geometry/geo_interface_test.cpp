#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "geometry/geo_interface.h"
#include "geometry/log_support.h"

namespace {

// Keeps copies of everything it is sent.
class Recorder : public GeoInterface {
public:
  std::vector<std::string> lines;
  int breakAfter = -1;
  void Status(const char* text) override { lines.push_back(std::string("status: ") + text); }
  void Message(const char* text) override { lines.push_back(std::string("message: ") + text); }
  std::int32_t UserBreak() override { return breakAfter >= 0 && static_cast<int>(lines.size()) >= breakAfter; }
};

// A long operation as the builders run it: texts composed in a string stream
// and gone right after the call; it polls for a break after each step.
int RunSteps(GeoInterface& gi, int steps) {
  int done = 0;
  for (int i = 0; i < steps; ++i) {
    std::ostringstream text;
    text << "Creating hierarchy: level 0 - " << i * 100 / steps << "%";
    gi.Status(text.str().c_str());
    ++done;
    if (gi.UserBreak()) break;
  }
  gi.Message("done");
  return done;
}

TEST(GeoInterface, ARecorderSeesCopiesOfWhatIsSent) {
  Recorder r;
  EXPECT_EQ(RunSteps(r, 2), 2);
  EXPECT_EQ(r.lines, (std::vector<std::string>{"status: Creating hierarchy: level 0 - 0%",
                                               "status: Creating hierarchy: level 0 - 50%", "message: done"}));
  Recorder stopper;
  stopper.breakAfter = 1;
  EXPECT_EQ(RunSteps(stopper, 5), 1);
}

TEST(GeoInterface, TheNullInterfaceIgnoresTextsAndNeverBreaks) {
  NullGeoInterface null;
  EXPECT_EQ(RunSteps(null, 4), 4);
  EXPECT_EQ(null.UserBreak(), 0);
}

TEST(LogSupport, WritesOnlyWhileTheFlagIsSet) {
  LogSupport log;
  EXPECT_EQ(log.Log(), nullptr);
  std::ostringstream os;
  log.SetLog(0, &os);
  EXPECT_EQ(log.Log(), nullptr);
  log.SetLog(1, &os);
  EXPECT_EQ(log.Log(), &os);
}

}  // namespace
