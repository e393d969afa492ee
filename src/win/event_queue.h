#pragma once

// The window system's message queue, seen from long operations that run on
// the window thread.

namespace zavo {

// Dispatches every pending event of the active event loop, then every pending
// event of the application's handlers, and returns when the queue is empty.
// Re-entrant: the editing window's busy flag guards what must not nest. Without an
// active event loop there is nothing to drain.
void DrainEventQueue();

// Looks at the queue without dispatching anything: lets the window system read
// its input. Cheap: it looks at most once every few milliseconds.
void PeekEventQueue();

}  // namespace zavo
