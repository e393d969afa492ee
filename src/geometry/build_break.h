#pragma once

// The user break as the hierarchy builders ask for it: once every so many
// steps (groupings, nodes), so that a build of a million elements stops
// within a few milliseconds of the request without paying for a clock read
// per step. The first call asks at once, so a build started after a break
// does no work. Once it has said yes it stays yes.
//
// A builder that is told to stop still returns a valid tree: what it has not
// grouped yet goes into one node (a run not yet split becomes one leaf), and
// the levels above close over at once. The tree is thrown away with the run;
// nothing of it is written.

#include <cstdint>

#include "foundation/user_break.h"

namespace zavo {

class BuildBreak {
public:
  // Steps between two questions.
  static constexpr std::uint32_t kEvery = 256;

  bool operator()() {
    if (broken_) return true;
    if (++steps_ < kEvery) return false;
    steps_ = 0;
    broken_ = BreakRequested();
    return broken_;
  }

private:
  std::uint32_t steps_ = kEvery - 1;
  bool broken_ = false;
};

}  // namespace zavo
