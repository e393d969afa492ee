#pragma once

// The scene's output while it renders, in the shell: status texts, messages,
// the Escape break test and the plotting of rendered pixels into the window
// image and its off-screen copy.

#include "scene/system_interface.h"
#include "win/edit_win_link.h"
#include "win/pixel_target.h"

class wxWindow;

class WinQZInterface : public CG_GraphicSystemInterface {
public:
  // The editing window (may be null) and the status bar's text field (may be
  // null).
  WinQZInterface(zavo::EditWinLink* editWin, zavo::StatusField* statusField);

  // With the minimized flag set, the text goes to the main frame's caption,
  // otherwise to the status field; then the queue is peeked once, and drained
  // when the pump-messages flag is set.
  void Status(const char* text) override;
  // A box captioned "Message" when an editing window is set and the
  // show-message-boxes flag is non-zero.
  void Message(const char* text) override;
  // 1 when the focus is on the editing window or the second window and Escape
  // is down or was pressed since the previous query; the recorded press is
  // cleared. 0 without an editing window. Dispatches nothing.
  std::int32_t UserBreak() override;
  // Pixel (x, y) becomes an n x n block: in the window target shifted left
  // and up by the editing window's scroll offset, in the memory image
  // unshifted. Nothing without a window target.
  void PlotPixel(int x, int y, double r, double g, double b) override;

  void SetTarget(zavo::PixelTarget* window, zavo::PixelTarget* memory, int pixelSize);
  void ClearTarget();

  // The second window (the console) whose focus also counts for Escape.
  wxWindow* secondWindow = nullptr;
  int pixelSize = 1;
  int showMessageBoxes = 1;
  int pumpMessages = 0;
  int peek = 0;
  int minimized = 0;

  zavo::EditWinLink* EditWin() const { return editWin_; }
  zavo::PixelTarget* WindowTarget() const { return window_; }
  zavo::PixelTarget* MemoryTarget() const { return memory_; }

private:
  zavo::EditWinLink* editWin_;
  zavo::StatusField* statusField_;
  zavo::PixelTarget* window_ = nullptr;
  zavo::PixelTarget* memory_ = nullptr;
};
