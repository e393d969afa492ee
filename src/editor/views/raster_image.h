#pragma once

// The drawing surface of the views as a pixel buffer: an RGB image of the
// view's client size, drawn by a software rasteriser. The window shell copies
// the buffer to the window when the view is painted; the tests read it.
//
//   - Lines include both end points and set the same pixels whatever their
//     direction.
//   - DrawXorLine replaces each pixel it covers by its complement (255 - c per
//     channel), so drawing the same line twice restores the picture.
//   - Colour components keep their low 8 bits; pixels outside the buffer are
//     skipped.
//   - Text uses a small fixed font (editor/views/bitmap_font.h) on a
//     transparent background, drawn in black.
//   - A surface marked as having no window answers -1 for its size and draws
//     nothing.

#include <cstdint>
#include <ostream>
#include <vector>

#include "editor/wire_frame_image.h"

namespace zavo {

struct RasterPixel {
  int r = 0, g = 0, b = 0;
  friend bool operator==(const RasterPixel&, const RasterPixel&) = default;
  friend std::ostream& operator<<(std::ostream& os, const RasterPixel& p) {
    return os << '(' << p.r << ',' << p.g << ',' << p.b << ')';
  }
};

class RasterWireFrameImage : public CG_WireFrameImage {
public:
  // A white image of that size (negative sizes count as 0).
  RasterWireFrameImage(int width, int height);

  // A new white image of that size (the shell calls it when the view window
  // changes size).
  void Resize(int width, int height);
  // Marks the surface as having a window (the default) or not.
  void SetHasWindow(bool hasWindow) { hasWindow_ = hasWindow; }

  // The pixel at (x, y); black outside the buffer.
  RasterPixel Pixel(int x, int y) const;
  // Rows from the top, three bytes (r, g, b) a pixel.
  const std::vector<std::uint8_t>& Buffer() const { return buffer_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  void Clear() override;
  void DrawLine(int x1, int y1, int x2, int y2, int r, int g, int b) override;
  int GetWidth() override { return hasWindow_ ? width_ : -1; }
  int GetHeight() override { return hasWindow_ ? height_ : -1; }
  void DeleteLine() override;
  void DrawXorLine(int x1, int y1, int x2, int y2) override;
  void BeginPen(int r, int g, int b) override;
  void EndPen() override;
  // Draws nothing outside a BeginPen / EndPen pair.
  void PenLine(int x1, int y1, int x2, int y2) override;
  void Fill(int r, int g, int b) override;
  void TextSize(const char* text, int& width, int& height) override;
  void DrawText(const char* text, int x, int y) override;
  void ShowBitmap() override;
  void FillTriangle(int x1, int y1, int x2, int y2, int x3, int y3, int r, int g, int b) override;

private:
  // Calls plot(x, y) for every pixel of the line, each once. A line with an
  // end point more than 32768 pixels outside the buffer is cut to that
  // margin first.
  template <class Plot>
  void Rasterise(int x1, int y1, int x2, int y2, Plot plot) const;
  void Set(int x, int y, RasterPixel colour);
  void Invert(int x, int y);
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  int width_ = 0;
  int height_ = 0;
  bool hasWindow_ = true;
  std::vector<std::uint8_t> buffer_;
  std::vector<RasterPixel> pens_;  // the pens of the open BeginPen calls
};

}  // namespace zavo
