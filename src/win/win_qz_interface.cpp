#include "win/win_qz_interface.h"

#include <wx/utils.h>
#include <wx/window.h>

#include "win/event_queue.h"
#include "win/message_box.h"
#include "win/plot_colour.h"

WinQZInterface::WinQZInterface(zavo::EditWinLink* editWin, zavo::StatusField* statusField)
    : editWin_(editWin), statusField_(statusField) {}

void WinQZInterface::Status(const char* text) {
  const char* shown = text != nullptr ? text : "";
  wxWindow* window = editWin_ != nullptr ? editWin_->Window() : nullptr;
  wxWindow* parent = window != nullptr ? window->GetParent() : nullptr;
  if (minimized != 0 && parent != nullptr) {
    parent->SetLabel(wxString::FromUTF8(shown));
  } else if (statusField_ != nullptr) {
    statusField_->SetText(shown);
  }
  zavo::PeekEventQueue();
  if (pumpMessages != 0) zavo::DrainEventQueue();
}

void WinQZInterface::Message(const char* text) {
  if (editWin_ == nullptr || showMessageBoxes == 0) return;
  zavo::ShowMessageBox(editWin_->Window(), wxString::FromUTF8(text != nullptr ? text : ""),
                       "Message", zavo::BoxButtons::Ok);
}

std::int32_t WinQZInterface::UserBreak() {
  if (editWin_ == nullptr) return 0;
  const int pressed = editWin_->escapePressed;
  editWin_->escapePressed = 0;
  wxWindow* focus = wxWindow::FindFocus();
  if (focus == nullptr) return 0;
  // The console counts with any of its controls holding the focus.
  const bool ours = focus == editWin_->Window() ||
                    (secondWindow != nullptr && (focus == secondWindow || secondWindow->IsDescendant(focus)));
  if (!ours) return 0;
  return pressed != 0 || wxGetKeyState(WXK_ESCAPE) ? 1 : 0;
}

void WinQZInterface::PlotPixel(int x, int y, double r, double g, double b) {
  if (peek != 0) zavo::PeekEventQueue();
  if (window_ == nullptr) return;
  const zavo::Rgb8 colour{zavo::PlotComponent(r), zavo::PlotComponent(g), zavo::PlotComponent(b)};
  const int n = pixelSize;
  const long long px = static_cast<long long>(x) * n;
  const long long py = static_cast<long long>(y) * n;
  if (px > INT32_MAX || py > INT32_MAX || px < INT32_MIN || py < INT32_MIN) return;
  const wxPoint scroll = editWin_ != nullptr ? editWin_->ScrollOffset() : wxPoint(0, 0);
  window_->FillBlock(static_cast<int>(px) - scroll.x, static_cast<int>(py) - scroll.y, n, colour);
  if (memory_ != nullptr) memory_->FillBlock(static_cast<int>(px), static_cast<int>(py), n, colour);
}

void WinQZInterface::SetTarget(zavo::PixelTarget* window, zavo::PixelTarget* memory, int size) {
  window_ = window;
  memory_ = memory;
  pixelSize = size;
}

void WinQZInterface::ClearTarget() {
  window_ = nullptr;
  memory_ = nullptr;
}
