#pragma once

// Helpers of the display tests.

#include <functional>

#include <gtest/gtest.h>

#include <wx/colour.h>
#include <wx/frame.h>
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

// A test whose dialogs have a shown top-level frame, owner_, as their parent;
// the frame is destroyed after the test.
class OwnerFrameTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  wxFrame* owner_ = nullptr;
};

}  // namespace zavo::test
