#include "win/view_win.h"

#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/bitmap.h>

namespace zavo {

int KeyStateWord(const wxMouseState& state) {
  int keys = 0;
  if (state.LeftIsDown()) keys |= kKeyLeft;
  if (state.RightIsDown()) keys |= kKeyRight;
  if (state.ShiftDown()) keys |= kKeyShift;
  if (state.ControlDown()) keys |= kKeyControl;
  if (state.MiddleIsDown()) keys |= kKeyMiddle;
  return keys;
}

ViewWinBase::ViewWinBase(wxWindow* parent, EditWinLink* editWin, int viewIndex)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SIMPLE),
      index(viewIndex), editWin_(editWin), buffer_(0, 0) {
  // The paint handler paints every pixel (the background of an inactive view too).
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &ViewWinBase::OnPaint, this);
  Bind(wxEVT_SIZE, &ViewWinBase::OnSize, this);
  Bind(wxEVT_MOTION, &ViewWinBase::OnMotion, this);
  FollowClientSize();
}

void ViewWinBase::FollowClientSize() {
  const wxSize size = GetClientSize();
  if (size.x != buffer_.Width() || size.y != buffer_.Height()) buffer_.Resize(size.x, size.y);
}

void ViewWinBase::OnSize(wxSizeEvent& event) {
  FollowClientSize();
  Refresh(false);
  event.Skip();
}

void ViewWinBase::Touched(const wxRect& rect) {
  if (!painting_) RefreshRect(rect, false);
}

void ViewWinBase::TouchedAll() {
  if (!painting_) Refresh(false);
}

void ViewWinBase::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  FollowClientSize();
  if (active == 0 || editWin_ == nullptr || buffer_.Width() == 0 || buffer_.Height() == 0) {
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    return;
  }
  painting_ = true;
  editWin_->DrawView(index);
  painting_ = false;
  // The image only borrows the buffer's bytes for the copy.
  wxImage image(buffer_.Width(), buffer_.Height(),
                const_cast<unsigned char*>(buffer_.Buffer().data()), true);
  dc.DrawBitmap(wxBitmap(image), 0, 0);
}

void ViewWinBase::OnMotion(wxMouseEvent& event) {
  event.Skip();
  if (editWin_ == nullptr) return;
  const wxPoint point = event.GetPosition();
  editWin_->lastMouse = ClientToScreen(point);
  editWin_->mouseKnown = 1;
  editWin_->mouseMoved = 1;
  editWin_->MouseMove(index, point, KeyStateWord(event));
}

ViewWin::ViewWin(wxWindow* parent, EditWinLink* editWin, int viewIndex)
    : ViewWinBase(parent, editWin, viewIndex) {
  SetBackgroundColour(*wxWHITE);
  Bind(wxEVT_LEFT_DOWN, &ViewWin::OnButton, this);
  Bind(wxEVT_LEFT_UP, &ViewWin::OnButton, this);
  Bind(wxEVT_RIGHT_DOWN, &ViewWin::OnButton, this);
  Bind(wxEVT_RIGHT_UP, &ViewWin::OnButton, this);
  // Double clicks are ignored: each click is one press and one release.
}

void ViewWin::OnButton(wxMouseEvent& event) {
  event.Skip();
  if (editWin_ == nullptr) return;
  const wxEventType type = event.GetEventType();
  const int released = type == wxEVT_LEFT_UP || type == wxEVT_RIGHT_UP ? 1 : 0;
  const int keys = KeyStateWord(event);
  if (type == wxEVT_LEFT_DOWN || type == wxEVT_LEFT_UP) {
    editWin_->LeftButton(index, event.GetPosition(), keys, released);
  } else {
    editWin_->RightButton(index, event.GetPosition(), keys, released);
  }
}

ViewWin2::ViewWin2(wxWindow* parent, EditWinLink* editWin, int viewIndex)
    : ViewWinBase(parent, editWin, viewIndex) {
  Bind(wxEVT_LEFT_UP, &ViewWin2::OnRelease, this);
  Bind(wxEVT_RIGHT_UP, &ViewWin2::OnRelease, this);
}

void ViewWin2::OnRelease(wxMouseEvent& event) {
  event.Skip();
  if (editWin_ == nullptr) return;
  if (event.GetEventType() == wxEVT_LEFT_UP) {
    editWin_->LeftButton(index, event.GetPosition(), 0, 1);
  } else {
    editWin_->RightButton(index, event.GetPosition(), 0, 1);
  }
}

}  // namespace zavo
