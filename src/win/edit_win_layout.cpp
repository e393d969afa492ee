// The editing window's layout: the four views, the scroll range of the image,
// size events.

#include "win/edit_win.h"

namespace zavo {

void EditWin::Relayout() { Relayout(width_, height_); }

void EditWin::Relayout(int width, int height) {
  AdjustScroller();
  width_ = width;
  height_ = height;
  int single = 0;
  if (layoutMode_ == kLayoutSingle) single = Send(74).value;
  const auto places = PlaceViews(layoutMode_, width, height, single);
  if (places) {
    for (int i = 0; i < 4; ++i) {
      ViewWinBase* view = views_[0][i];
      const ViewPlace& p = (*places)[i];
      view->active = p.active ? 1 : 0;
      // An inactive view is hidden as well: its surface then has no size
      // and the editor skips it.
      if (!p.active) view->Hide();
      view->SetSize(p.x, p.y, p.width, p.height, wxSIZE_ALLOW_MINUS_ONE);
      if (p.active) {
        view->Show();
        view->Refresh(false);
      }
    }
    Refresh(false);
  }
  Send(75);
}

void EditWin::AdjustScroller() {
  const wxSize client = GetClientSize();
  range_ = ImageScrollRange(layoutMode_, image_.HasPicture(), image_.Width(), image_.Height(),
                            client.x, client.y);
  Scroll(0, 0);
  if (range_.x != 0 || range_.y != 0) {
    SetVirtualSize(client.x + range_.x * 10, client.y + range_.y * 10);
    Refresh(false);
  } else {
    SetVirtualSize(0, 0);
  }
}

wxPoint EditWin::ScrollOffset() const {
  int x = 0;
  int y = 0;
  GetViewStart(&x, &y);
  return {x * 10, y * 10};
}

void EditWin::ScrollWindow(int, int, const wxRect*) { Refresh(false); }

void EditWin::OnSize(wxSizeEvent& event) {
  const wxSize client = GetClientSize();
  Relayout(client.x, client.y);
  if (sink_.minimized == 0) AdjustScroller();
  if (firstSize_) {
    firstSize_ = false;
    Send(65);
  }
  event.Skip();
}

}  // namespace zavo
