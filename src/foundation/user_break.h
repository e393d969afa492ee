#pragma once

// The user's request to stop a long computation (Escape in the editor, Ctrl-C
// in zavo-render). The program installs once how to notice it without side
// effects (a flag set by a signal handler, a key state): the break source.
// A run (a render, a read) marks its extent with a BreakWatch; every long
// loop inside it (tessellation, mesh booleans, hierarchy builds, pixel loops,
// ray recursion) asks BreakRequested, which is cheap and asks the source at
// most every few milliseconds. Once the source has said yes, the answer stays
// yes until the outermost watch ends: the loops stop early, what they made is
// thrown away, and the atomic writer writes nothing. The row-by-row tests of
// the output interface's UserBreak stay as they are beside it.

#include <functional>

namespace zavo {

// Installs the break source (an empty function: none, the default). It is
// called from the thread that calls BreakRequested, never from two threads at
// once, and must not block.
void SetBreakSource(std::function<bool()> source);

class BreakWatch {
public:
  BreakWatch();
  ~BreakWatch();
  BreakWatch(const BreakWatch&) = delete;
  BreakWatch& operator=(const BreakWatch&) = delete;
};

// True when the source has asked to stop during the running outermost watch.
// False outside any watch and when no source is installed.
bool BreakRequested();

}  // namespace zavo
