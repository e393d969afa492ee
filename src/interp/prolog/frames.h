#pragma once

// The two fixed-capacity stacks that hold the whole state of a proof.
//
// The frame stack (`ValueStack`) holds one frame per clause activation: the
// clause, its binding cells, the calling frame, the trail mark and what is left
// to prove. The trail (`SignalStack`) holds every cell bound since the proof
// began, in binding order. Backtracking pops frames; popping a frame resumes
// the trail to the frame's mark, which unbinds exactly what was bound since.

#include <iosfwd>
#include <memory>

#include "interp/prolog/cell_arena.h"

class PrologSystem;
class Rule;

namespace zavo {

// Raised when a frame or a trail entry is pushed onto a full stack. It is a
// recoverable condition: whoever runs the proof catches it, empties both
// stacks and answers as for a failed query.
struct xPrologOverflow {};

// The part of a frame that a called frame saves from its parent and gives back
// when it is released.
struct Continuation {
  pObj* goal = nullptr;
  Rule* ruleCursor = nullptr;
  int goalTermFrame = -1;
  int step = 0;
};

}  // namespace zavo

// One frame, kept by value in the frame stack.
struct ValueStackItem {
  // Number of binding cells: one per variable name of the clause.
  int CellCount() const;
  // Gives the parent back its saved continuation, resumes the trail to this
  // frame's mark and frees the cells.
  void Release(PrologSystem& sys);

  // (Pointers first, then numbers: a frame has no padding.)
  Rule* rule = nullptr;       // null for a variable goal and for a cut marker
  pDVar* cells = nullptr;     // owned; null when there are none
  pDVar* goalCell = nullptr;  // variable goal: the cell holding the goal
  pObj* goal = nullptr;       // the goals still to prove in this frame
  Rule* ruleCursor = nullptr; // the next clause to try for the current goal
  zavo::Continuation saved;   // the parent's continuation when this was made
  int cellCount = 0;          // the number of cells
  int cellMark = 0;           // where the cells were taken from the frames' cells
  int goalFrame = -1;         // variable goal: RightPos when it was made
  int trailMark = 0;
  int parent = -1;            // -1 only for the first frame of a query
  int cut = 0;
  int goalTermFrame = -1;     // the frame in which `goal` is read
  int step = 0;
};

class ValueStack {
public:
  // Room for (size / 500 + 1) * 500 frames.
  explicit ValueStack(int size);
  ValueStack(const ValueStack&) = delete;
  ValueStack& operator=(const ValueStack&) = delete;

  // A clause frame for `rule` (a cut marker when null) called from `parent`;
  // `next` is stored as the saved cursor. Answers the new frame's index.
  int Add(PrologSystem& sys, Rule* rule, int parent, Rule* next);
  // A frame for the goal held in the cell `goalCell`, called from `parent`.
  int Add(PrologSystem& sys, pDVar* goalCell, int parent, Rule* next);
  // The first frame of a query: no parent, nothing saved.
  int Add(PrologSystem& sys, Rule* rule);

  // Frame i; "ValueStack::Get" when i is not below the count.
  ValueStackItem& Get(int i) {
    if (static_cast<unsigned>(i) >= static_cast<unsigned>(count_)) [[unlikely]] BadIndex();
    return items_[i];
  }
  int Count() const { return count_; }
  int Capacity() const { return capacity_; }
  // Removes the top frame and releases it.
  void Pop(PrologSystem& sys);
  // Pops frames until `n` remain.
  void PopTo(PrologSystem& sys, int n);

  // The debugging listing of every frame.
  void Dump(PrologSystem& sys, std::ostream& os);

  // Gives back the cells of a frame being released (and all taken since).
  void GiveCells(int mark) { cells_.Give(mark); }

private:
  ValueStackItem& Push(PrologSystem& sys, int parent);
  // Takes the cells for a clause frame.
  void TakeCells(ValueStackItem& f, Rule* rule);
  [[noreturn]] static void BadIndex();

  // Every frame in one array, allocated whole and never moved.
  std::unique_ptr<ValueStackItem[]> items_;
  int capacity_ = 0;
  zavo::CellArena cells_;
  int count_ = 0;
};

class SignalStack {
public:
  // Room for (size / 500 + 1) * 500 entries.
  explicit SignalStack(int size);
  SignalStack(const SignalStack&) = delete;
  SignalStack& operator=(const SignalStack&) = delete;

  // Pushes a cell about to be bound; answers the new length. Throws
  // zavo::xPrologOverflow when the trail is full.
  int Push(pDVar* cell);
  // Pushes when there is room; false (nothing pushed) when the trail is full.
  bool TryPush(pDVar* cell) {
    if (count_ >= capacity_) [[unlikely]] return false;
    items_[count_++] = cell;
    return true;
  }
  // Unbinds every cell pushed since the length was `mark`, newest first,
  // deleting the terms the cells own; "SignalStack::Resume" when the length is
  // below the mark.
  void Resume(int mark);
  int Count() const { return count_; }
  int Capacity() const { return capacity_; }

private:
  std::unique_ptr<pDVar*[]> items_;  // allocated whole, never moved
  int capacity_ = 0;
  int count_ = 0;
};
