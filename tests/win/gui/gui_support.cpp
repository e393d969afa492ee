#include "win/gui/gui_support.h"

#include <chrono>

#include <wx/app.h>
#include <wx/evtloop.h>

#include "win/event_queue.h"

namespace zavo::test {

void Settle() {
  for (int i = 0; i < 3; ++i) {
    zavo::DrainEventQueue();
    if (wxTheApp != nullptr) wxTheApp->ProcessIdle();
  }
  zavo::DrainEventQueue();
}

bool DrainUntil(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    Settle();
    // Waits for the next event from the server (at most a short while).
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->DispatchTimeout(20);
  }
  return true;
}

}  // namespace zavo::test
