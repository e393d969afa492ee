#include "foundation/user_break.h"

#include <gtest/gtest.h>

namespace {

// Installs a source for the lifetime of the object, none afterwards.
class Source {
public:
  explicit Source(std::function<bool()> f) { zavo::SetBreakSource(std::move(f)); }
  ~Source() { zavo::SetBreakSource({}); }
};

TEST(UserBreak, SeenInsideTheWatchAndKeptUntilTheOutermostEnds) {
  int asked = 0;
  bool pressed = false;
  const Source source([&] {
    ++asked;
    return pressed;
  });
  // Outside a run the source is never asked.
  pressed = true;
  EXPECT_FALSE(zavo::BreakRequested());
  EXPECT_EQ(asked, 0);
  pressed = false;
  {
    const zavo::BreakWatch watch;
    EXPECT_FALSE(zavo::BreakRequested());
    EXPECT_EQ(asked, 1);
    pressed = true;
    {
      const zavo::BreakWatch inner;
      // Polls are spaced in time: ask until the poll is due.
      while (!zavo::BreakRequested()) {
      }
    }
    pressed = false;
    // Seen in the inner run, it holds for the outer one.
    EXPECT_TRUE(zavo::BreakRequested());
  }
  EXPECT_FALSE(zavo::BreakRequested());
  {
    const zavo::BreakWatch next;
    EXPECT_FALSE(zavo::BreakRequested());
  }
}

TEST(UserBreak, WithoutASourceNothingBreaks) {
  const zavo::BreakWatch watch;
  EXPECT_FALSE(zavo::BreakRequested());
}

}  // namespace
