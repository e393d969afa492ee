#include "win/event_queue.h"

#include <chrono>

#include <wx/app.h>
#include <wx/evtloop.h>

namespace zavo {

void DrainEventQueue() {
  wxEventLoopBase* loop = wxEventLoopBase::GetActive();
  if (loop == nullptr) return;
  // A bound against a source that never runs dry (an idle handler asking for
  // more): the queue is drained again by the next call.
  for (int guard = 0; guard < 100000; ++guard) {
    bool busy = false;
    while (loop->Pending()) {
      loop->Dispatch();
      busy = true;
    }
    if (wxTheApp != nullptr && wxTheApp->HasPendingEvents()) {
      wxTheApp->ProcessPendingEvents();
      busy = true;
    }
    if (!busy) break;
  }
}

void PeekEventQueue() {
  using Clock = std::chrono::steady_clock;
  // Called once per rendered pixel: the clock is read every 64th call only.
  static unsigned calls = 0;
  if (++calls % 64 != 0) return;
  static Clock::time_point last;
  const Clock::time_point now = Clock::now();
  if (now - last < std::chrono::milliseconds(5)) return;
  last = now;
  wxEventLoopBase* loop = wxEventLoopBase::GetActive();
  if (loop != nullptr) loop->Pending();
}

}  // namespace zavo
