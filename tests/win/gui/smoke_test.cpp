#include <gtest/gtest.h>

#include <wx/frame.h>

#include "win/gui/gui_support.h"

TEST(WinGuiHarness, AFrameShowsUnderTheVirtualServer) {
  auto* frame = new wxFrame(nullptr, wxID_ANY, "zavo test");
  frame->Show();
  EXPECT_TRUE(zavo::test::DrainUntil([&] { return frame->IsShownOnScreen(); }));
  frame->Destroy();
  zavo::test::Settle();
}
