#include "win/gui/stand_in_edit_win.h"

#include "win/gui/gui_support.h"

namespace zavo::test {

StandInEditWin::StandInEditWin() {
  frame = new wxFrame(nullptr, wxID_ANY, "zavo", wxPoint(10, 10), wxSize(500, 400));
  window = new wxWindow(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS);
  frame->Show();
  DrainUntil([&] { return frame->IsShownOnScreen(); });
}

StandInEditWin::~StandInEditWin() {
  frame->Destroy();
  Settle();
}

void StandInEditWin::DrawView(int view) {
  calls.push_back("D " + std::to_string(view));
  if (onDrawView) onDrawView(view);
}

void StandInEditWin::LeftButton(int view, wxPoint p, int keys, int released) {
  calls.push_back("L " + std::to_string(view) + " " + std::to_string(p.x) + " " + std::to_string(p.y) +
                  " " + std::to_string(keys) + " " + std::to_string(released));
}

void StandInEditWin::RightButton(int view, wxPoint p, int keys, int released) {
  calls.push_back("R " + std::to_string(view) + " " + std::to_string(p.x) + " " + std::to_string(p.y) +
                  " " + std::to_string(keys) + " " + std::to_string(released));
}

void StandInEditWin::MouseMove(int view, wxPoint p, int keys) {
  calls.push_back("M " + std::to_string(view) + " " + std::to_string(p.x) + " " + std::to_string(p.y) +
                  " " + std::to_string(keys) + " " + std::to_string(mouseMoved));
}

}  // namespace zavo::test
