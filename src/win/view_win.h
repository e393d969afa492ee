#pragma once

// The child windows that show the editor's views. Each holds its view's pixel
// buffer (the size of its client area), which the view's drawing surface draws
// into; painting an active view asks the editing window to draw the view and
// copies the buffer to the screen. Mouse events go to the editing window.
// View windows never take the keyboard focus (typed keys and Escape belong to
// the editing window).

#include <wx/window.h>

#include "editor/views/raster_image.h"
#include "win/edit_win_link.h"

namespace zavo {

// The key-state word passed with mouse events.
inline constexpr int kKeyLeft = 1;
inline constexpr int kKeyRight = 2;
inline constexpr int kKeyShift = 4;
inline constexpr int kKeyControl = 8;
inline constexpr int kKeyMiddle = 16;

int KeyStateWord(const wxMouseState& state);

// What both view window classes share.
class ViewWinBase : public wxWindow {
public:
  // A visible child window with a simple border.
  ViewWinBase(wxWindow* parent, EditWinLink* editWin, int index);

  bool AcceptsFocus() const override { return false; }
  bool AcceptsFocusFromKeyboard() const override { return false; }

  int index;
  // Paints the view only when non-zero.
  int active = 0;

  // The view's pixel buffer.
  RasterWireFrameImage& Buffer() { return buffer_; }
  // True while the view is being painted.
  bool Painting() const { return painting_; }
  // The rectangle (client coordinates) changed in the buffer: shown by the
  // next paint (a paint in progress shows it anyway).
  void Touched(const wxRect& rect);
  void TouchedAll();

protected:
  EditWinLink* editWin_;
  // Records the move and passes it on.
  void OnMotion(wxMouseEvent& event);

private:
  void OnPaint(wxPaintEvent& event);
  void OnSize(wxSizeEvent& event);
  void FollowClientSize();

  RasterWireFrameImage buffer_;
  bool painting_ = false;
};

// Views of the first set: white background, every button event passed on.
class ViewWin : public ViewWinBase {
public:
  ViewWin(wxWindow* parent, EditWinLink* editWin, int index);

private:
  void OnButton(wxMouseEvent& event);
};

// Views of the second set: the default background; only moves and button
// releases are passed on, with key-state word 0.
class ViewWin2 : public ViewWinBase {
public:
  ViewWin2(wxWindow* parent, EditWinLink* editWin, int index);

private:
  void OnRelease(wxMouseEvent& event);
};

}  // namespace zavo
