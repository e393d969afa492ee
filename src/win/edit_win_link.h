#pragma once

// What the shell's parts need of the editing window: the window itself (owner
// of message boxes, focus of the Escape test), its status field, the state the
// view windows record (last mouse position, mouse-moved flag, Escape presses)
// and the operations the view windows call. The editing window implements it;
// the tests have a small stand-in.

#include <wx/gdicmn.h>

class wxWindow;

namespace zavo {

// The text field of the status bar.
class StatusField {
public:
  virtual ~StatusField() = default;
  // The field shows the text (a window may show it a little later, see Flush).
  virtual void SetText(const char* text) = 0;
  // Shows the last text at once.
  virtual void Flush() {}
};

class EditWinLink {
public:
  virtual ~EditWinLink() = default;

  // The editing window; its parent is the main frame.
  virtual wxWindow* Window() = 0;
  // The status bar's text field; null when there is none.
  virtual StatusField* Status() { return nullptr; }
  // The scroll offset of the rendered image in pixels.
  virtual wxPoint ScrollOffset() const { return {0, 0}; }

  // Draws the view (0 to 3) into its surface.
  virtual void DrawView(int view) = 0;
  // Mouse events of a view window; points are client coordinates of the view
  // window; keys is the key-state word of the event (view_win.h: kKeyLeft
  // ...); released is 0 for a press, 1 for a release.
  virtual void LeftButton(int view, wxPoint point, int keys, int released) = 0;
  virtual void RightButton(int view, wxPoint point, int keys, int released) = 0;
  virtual void MouseMove(int view, wxPoint point, int keys) = 0;

  // Set to 1 by every mouse move over a view window; read and reset by Poll.
  int mouseMoved = 0;
  // The pointer's last position over a view window, in screen coordinates,
  // and whether one is known.
  wxPoint lastMouse;
  int mouseKnown = 0;
  // An Escape key-down seen by the editing window or the console since the
  // last break test.
  int escapePressed = 0;
};

}  // namespace zavo
