#pragma once

// A small stand-in for the editing window: a frame holding a focusable window
// that records what the view windows and the shell's services ask of it.

#include <functional>
#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/window.h>

#include "win/edit_win_link.h"

namespace zavo::test {

class RecordingStatusField : public StatusField {
public:
  void SetText(const char* text) override { texts.emplace_back(text); }
  std::vector<std::string> texts;
};

class StandInEditWin : public EditWinLink {
public:
  StandInEditWin();
  ~StandInEditWin() override;

  wxWindow* Window() override { return window; }
  StatusField* Status() override { return &status; }
  wxPoint ScrollOffset() const override { return scroll; }
  void DrawView(int view) override;
  void LeftButton(int view, wxPoint point, int keys, int released) override;
  void RightButton(int view, wxPoint point, int keys, int released) override;
  void MouseMove(int view, wxPoint point, int keys) override;

  wxFrame* frame;
  wxWindow* window;
  RecordingStatusField status;
  wxPoint scroll{0, 0};
  // "L view x y keys released", "R ...", "M view x y keys moved", "D view".
  std::vector<std::string> calls;
  // Called by DrawView.
  std::function<void(int)> onDrawView;
};

}  // namespace zavo::test
