#pragma once

// The drawing surface of one editor view. Coordinates are pixels of the
// view's client area, origin top left, y downward; colours are three integers
// 0 to 255 (red, green, blue). The editor holds one surface per view and never
// deletes it. Every operation other than BeginPen, PenLine and EndPen stands on
// its own and may be called at any time; PenLine draws only between a
// BeginPen and its EndPen.

class CG_WireFrameImage {
public:
  virtual ~CG_WireFrameImage() = default;

  // Paints the whole client area white.
  virtual void Clear() = 0;
  // A solid one-pixel line, both end points included.
  virtual void DrawLine(int x1, int y1, int x2, int y2, int r, int g, int b) = 0;
  // Client width and height in pixels; -1 when the surface has no window.
  virtual int GetWidth() = 0;
  virtual int GetHeight() = 0;
  // Not provided by any surface: reports "Can't DeleteLine" through the
  // internal-error box when the surface has a window.
  virtual void DeleteLine() = 0;
  // A one-pixel line that inverts every pixel it covers; drawing it twice
  // restores the picture.
  virtual void DrawXorLine(int x1, int y1, int x2, int y2) = 0;
  // Makes a one-pixel pen of the colour current for PenLine; EndPen restores
  // the pen that was current before. Called in pairs.
  virtual void BeginPen(int r, int g, int b) = 0;
  virtual void EndPen() = 0;
  virtual void PenLine(int x1, int y1, int x2, int y2) = 0;
  // Fills the whole client area with the colour.
  virtual void Fill(int r, int g, int b) = 0;
  // Width and height in pixels of the text in the surface's font.
  virtual void TextSize(const char* text, int& width, int& height) = 0;
  // Draws the text with its top left corner at (x, y), background transparent.
  virtual void DrawText(const char* text, int x, int y) = 0;
  // Not provided: reports "WinWireFrameImage::ShowBitmap not def" through the
  // internal-error box.
  virtual void ShowBitmap() = 0;
  // A filled triangle, outline and inside in the colour.
  virtual void FillTriangle(int x1, int y1, int x2, int y2, int x3, int y3, int r, int g, int b) = 0;
};
