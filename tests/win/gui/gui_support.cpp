#include "win/gui/gui_support.h"

#include <chrono>

#include <wx/app.h>
#include <wx/evtloop.h>

#include "win/event_queue.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace zavo::test {

void Settle() {
  for (int i = 0; i < 3; ++i) {
    zavo::DrainEventQueue();
    if (wxTheApp != nullptr) wxTheApp->ProcessIdle();
  }
  zavo::DrainEventQueue();
}

bool DrainUntil(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    Settle();
    // Waits for the next event from the server (at most a short while).
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->DispatchTimeout(20);
  }
  return true;
}

wxColour ScreenColour(wxPoint screen) {
  static Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return wxColour();
  XImage* image = XGetImage(display, DefaultRootWindow(display), screen.x, screen.y, 1, 1, AllPlanes,
                            ZPixmap);
  if (image == nullptr) return wxColour();
  const unsigned long pixel = XGetPixel(image, 0, 0);
  auto channel = [&](unsigned long mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
      mask >>= 1;
      ++shift;
    }
    return static_cast<unsigned char>((pixel >> shift) & mask);
  };
  const wxColour colour(channel(image->red_mask), channel(image->green_mask), channel(image->blue_mask));
  XDestroyImage(image);
  return colour;
}

void OwnerFrameTest::SetUp() {
  owner_ = new wxFrame(nullptr, wxID_ANY, "owner");
  owner_->Show();
  ASSERT_TRUE(DrainUntil([&] { return owner_->IsShownOnScreen(); }));
}

void OwnerFrameTest::TearDown() {
  owner_->Destroy();
  Settle();
}

}  // namespace zavo::test
