// The editing window's image: rendering the scene into the window (and into
// the image bitmap that keeps it), and painting the kept image.

#include <wx/dcclient.h>
#include <wx/image.h>

#include "win/edit_win.h"
#include "win/message_box.h"

namespace zavo {
namespace {

// Pixel blocks drawn straight into the window while a render runs.
class WindowTarget : public PixelTarget {
public:
  explicit WindowTarget(wxWindow* window) : dc_(window) { dc_.SetPen(*wxTRANSPARENT_PEN); }
  void FillBlock(int x, int y, int n, Rgb8 c) override {
    dc_.SetBrush(wxBrush(wxColour(c.r, c.g, c.b)));
    dc_.DrawRectangle(x, y, n, n);
  }

private:
  wxClientDC dc_;
};

}  // namespace

void EditWin::RenderInto(const std::function<void()>& render) {
  {
    WindowTarget window(this);
    const EDCommand size = Send(3);
    const long long n = UsedDimPixel(settings_);
    const long long width = n * size.value;
    const long long height = n * size.value2;
    image_.Free();
    shownStale_ = true;
    Refresh();
    Update();
    PixelTarget* memory = nullptr;
    if (settings_.cBitmap == 1) {
      const bool made = width > 0 && height > 0 && width <= INT32_MAX && height <= INT32_MAX &&
                        image_.Create(static_cast<int>(width), static_cast<int>(height)) != 0;
      if (made) {
        memory = &image_;
        drawingImage_ = true;
      } else {
        ShowMessageBox(this, "Cannot hold the image in memory", "Error", BoxButtons::Ok);
      }
    }
    sink_.SetTarget(&window, memory, static_cast<int>(n));
    // Clears an Escape press left over from before the render.
    sink_.UserBreak();
    render();
    sink_.ClearTarget();
  }
  if (drawingImage_) {
    drawingImage_ = false;
    shownStale_ = true;
    AdjustScroller();
  }
}

int EditWin::RenderImage() {
  sink_.pumpMessages = 1;
  busy_ = 1;
  RenderInto([this] { Send(4); });
  sink_.pumpMessages = 0;
  busy_ = 0;
  return 1;
}

void EditWin::ShowAndRenderImage() {
  if (busy_ != 0) return;
  layoutMode_ = kLayoutImage;
  Relayout();
  RenderImage();
}

void EditWin::RenderAllFrames() {
  if (busy_ != 0) return;
  layoutMode_ = kLayoutImage;
  Relayout();
  sink_.pumpMessages = 1;
  busy_ = 1;
  Send(77, 1);
  const int shown = sink_.showMessageBoxes;
  sink_.showMessageBoxes = 0;
  RenderInto([this] { Send(61); });
  sink_.pumpMessages = 0;
  busy_ = 0;
  sink_.showMessageBoxes = shown;
}

int EditWin::RenderQuiet(int show) {
  if (busy_ != 0) return 0;
  const int old = sink_.showMessageBoxes;
  sink_.showMessageBoxes = show;
  ShowAndRenderImage();
  sink_.showMessageBoxes = old;
  return 1;
}

void EditWin::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  Paint(dc);
}

void EditWin::Paint(wxDC& dc) {
  dc.SetBackground(wxBrush(GetBackgroundColour()));
  dc.Clear();
  // The image's top left is at the scroll offset's negative.
  DoPrepareDC(dc);
  PaintImageOn(dc);
}

void EditWin::PaintImageOn(wxDC& dc) {
  if (!image_.HasPicture()) return;
  // The kept image changes while a render draws into it.
  if (shownStale_ || drawingImage_ || !shown_.IsOk()) {
    const int w = image_.Width();
    const int h = image_.Height();
    wxImage picture(w, h, false);
    unsigned char* bytes = picture.GetData();
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const Rgb8 c = image_.Pixel(x, y);
        *bytes++ = c.r;
        *bytes++ = c.g;
        *bytes++ = c.b;
      }
    }
    shown_ = wxBitmap(picture);
    shownStale_ = false;
  }
  dc.DrawBitmap(shown_, 0, 0);
}

}  // namespace zavo
