#pragma once

// The drawing surfaces of the editor's views in the shell. Every operation
// draws into the view window's pixel buffer and marks what it changed for the
// next paint; without a view window nothing is drawn (the size is then -1).
// WinWireFrameImage belongs to ViewWin, WinWireFrameImage2 to ViewWin2; they
// differ in the background of text: transparent in the first, painted (white)
// in the second.

#include "editor/wire_frame_image.h"
#include "win/view_win.h"

class WinWireFrameImage : public CG_WireFrameImage {
public:
  WinWireFrameImage() = default;

  // The view window (may be null).
  void SetWindow(zavo::ViewWinBase* window) { window_ = window; }
  zavo::ViewWinBase* Window() const { return window_; }

  void Clear() override;
  void DrawLine(int x1, int y1, int x2, int y2, int r, int g, int b) override;
  int GetWidth() override;
  int GetHeight() override;
  // "Can't DeleteLine" through the internal-error box with a window; nothing
  // without one.
  void DeleteLine() override;
  void DrawXorLine(int x1, int y1, int x2, int y2) override;
  // A pass of PenLine calls; each BeginPen pairs with one EndPen.
  void BeginPen(int r, int g, int b) override;
  void EndPen() override;
  void PenLine(int x1, int y1, int x2, int y2) override;
  void Fill(int r, int g, int b) override;
  void TextSize(const char* text, int& width, int& height) override;
  void DrawText(const char* text, int x, int y) override;
  // "WinWireFrameImage::ShowBitmap not def" through the internal-error box.
  void ShowBitmap() override;
  void FillTriangle(int x1, int y1, int x2, int y2, int x3, int y3, int r, int g, int b) override;

protected:
  // The buffer to draw into; null without a window.
  zavo::RasterWireFrameImage* Buffer();
  void Touched(int x1, int y1, int x2, int y2);

private:
  zavo::ViewWinBase* window_ = nullptr;
  // The open passes that drew into a buffer (those opened without a window
  // draw nothing and close without effect).
  int passes_ = 0;
  int windowlessPasses_ = 0;
};

class WinWireFrameImage2 : public WinWireFrameImage {
public:
  // The text on a white background.
  void DrawText(const char* text, int x, int y) override;
};
