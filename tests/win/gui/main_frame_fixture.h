#pragma once

// The main frame around an editing window whose editor is the recording
// stand-in: the settings, message boxes and editor factory of EditWinTest.

#include <string>
#include <vector>

#include "win/edit_win.h"
#include "win/gui/edit_win_fixture.h"
#include "win/gui/gui_support.h"
#include "win/main_frame.h"

namespace zavo::test {

class MainFrameTest : public EditWinTest {
protected:
  // Makes the frame for the Test flag; shown with the client size unless
  // show is false.
  void OpenMain(int test, bool show = true) {
    main = new MainFrame(test);
    frame = main;
    win = &main->Edit();
    if (!show) return;
    main->SetClientSize(wxSize(640, 480));
    main->Show();
    ASSERT_TRUE(DrainUntil([&] { return win->IsShownOnScreen(); }));
    Settle();
  }
  // The requests without the frame's idle size query (50).
  std::vector<std::string> Sent() const {
    std::vector<std::string> out;
    for (const std::string& r : editor->Requests()) {
      if (r.rfind("C 50 ", 0) != 0) out.push_back(r);
    }
    return out;
  }

  MainFrame* main = nullptr;
};

}  // namespace zavo::test
