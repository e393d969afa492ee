// The editing window's input: typed characters, the Escape key, and the mouse
// events that the view windows pass on.

#include <string>

#include "editor/fly_menu.h"
#include "geometry/box.h"
#include "geometry/face3.h"
#include "win/edit_win.h"
#include "win/message_box.h"

namespace zavo {

void EditWin::OnKeyDown(wxKeyEvent& event) {
  if (event.GetKeyCode() == WXK_ESCAPE) escapePressed = 1;
  event.Skip();
}

void EditWin::OnChar(wxKeyEvent& event) {
  const int ch = event.GetUnicodeKey() != WXK_NONE ? static_cast<int>(event.GetUnicodeKey())
                                                    : event.GetKeyCode();
  event.Skip();
  Char(ch);
}

void EditWin::Char(int ch) {
  // The key goes to the selected object's module, which may change the
  // scene: not while a render walks it.
  if (ch >= 'a' && ch <= 'z') SendEvent(48, ch);
  if (ch == 't') ShowTestMenu();
  if (ch == '|') ShowMemoryBox();
}

void EditWin::ShowTestMenu() {
  FlyMenuItem root("Test");
  root.SetSubCount(3);
  root.Sub(0).name = "Cosa1";
  root.Sub(1).name = "Cosa2";
  root.Sub(2).name = "Cosa3";
  Seq<int> path;
  if (flyMenu_.Show(root, path) != 0) {
    sink_.Message(std::to_string(path.Count()).c_str());
  }
}

void EditWin::ShowMemoryBox() {
  const MemoryFigures now = CurrentMemoryFigures();
  const RayCounters counters{BoxNIntr, TestBoxNIntr, FaceNIntr};
  const std::string report = MemoryReport(counters, now, lastMemory_ ? &*lastMemory_ : nullptr);
  lastMemory_ = now;
  ShowMessageBox(this, wxString::FromUTF8(report), "Memory", BoxButtons::Ok);
}

void EditWin::DrawView(int view) {
  if (busy_ == 0) Send(36, view);
}

void EditWin::LeftButton(int view, wxPoint point, int keys, int released) {
  if (busy_ != 0 || holder_.Get() == nullptr) return;
  holder_->MouseEvent(MakeMouseRecord(view, point.x, point.y, keys, 1, released != 0));
}

void EditWin::RightButton(int view, wxPoint point, int keys, int released) {
  if (busy_ != 0 || holder_.Get() == nullptr) return;
  holder_->MouseEvent(MakeMouseRecord(view, point.x, point.y, keys, 2, released != 0));
}

void EditWin::MouseMove(int view, wxPoint point, int keys) {
  if (busy_ != 0 || holder_.Get() == nullptr) return;
  holder_->MouseEvent(MakeMouseRecord(view, point.x, point.y, keys, 0, false));
}

}  // namespace zavo
