#pragma once

// Bounds on walking one term.
//
// There is no occurs check, so a variable may be bound to a term that holds it
// (X = f(X)), and a few bindings can share subterms so that the term they
// stand for is exponentially large. Unification, evaluation and printing
// therefore count the nesting of compounds they recurse into and the nodes
// they visit in one top-level operation, and stop at fixed bounds: the
// recursion never exhausts the machine's stack and no operation runs without
// end. A chain of variables bound to variables is followed in a loop; its
// links count as nodes, not as nesting. What
// stopping means is the operation's own: unification raises the overflow
// condition, evaluation gives no value, printing writes "...".

namespace zavo {

struct TermLimits {
  // The deepest recursion into subterms.
  int depth = 1000;
  // The most nodes one top-level operation visits.
  long steps = 10'000'000;
};

// The state of the walk in progress of one kind.
struct TermWalk {
  int depth = 0;
  long steps = 0;
  bool truncated = false;  // printing: "..." has been written for the steps
};

// One level of recursion of a walk: counts the level and one node. The outer
// level starts a new count.
class WalkLevel {
public:
  WalkLevel(TermWalk& walk, const TermLimits& limits) : walk_(walk), limits_(limits) {
    if (walk_.depth == 0) {
      walk_.steps = 0;
      walk_.truncated = false;
    }
    ++walk_.depth;
    ++walk_.steps;
  }
  ~WalkLevel() { --walk_.depth; }
  WalkLevel(const WalkLevel&) = delete;
  WalkLevel& operator=(const WalkLevel&) = delete;

  // Whether this level is within both bounds.
  bool Within() const {
    return walk_.depth <= limits_.depth && walk_.steps <= limits_.steps;
  }
  // Counts one more node at this level (a step of a loop); false beyond the
  // bound.
  bool Step() {
    ++walk_.steps;
    return walk_.steps <= limits_.steps;
  }

  // Counts one node passed on the way without recursing (a link of a chain
  // of variables) in the walk in progress; false beyond the step bound.
  // Outside any walk nothing is counted.
  static bool CountStep(TermWalk& walk, const TermLimits& limits) {
    if (walk.depth == 0) return true;
    return ++walk.steps <= limits.steps;
  }

private:
  TermWalk& walk_;
  const TermLimits& limits_;
};

}  // namespace zavo
