#pragma once

// Helpers of the display tests.

#include <functional>

#include <wx/colour.h>
#include <wx/gdicmn.h>

namespace zavo::test {

// Dispatches pending events until the condition holds (true) or the X server
// has been given a generous number of round trips without it (false). No
// sleeping as synchronisation: every round waits only for the server.
bool DrainUntil(const std::function<bool()>& condition);

// Dispatches every pending event and waits for the X server to have handled
// what was sent to it.
void Settle();

// The colour of the screen pixel, read back from the X server.
wxColour ScreenColour(wxPoint screen);

}  // namespace zavo::test
