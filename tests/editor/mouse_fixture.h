#pragma once
// A document with four raster views (Top, Side, Front, Preview; 120 x 80,
// default boxes -10..10) for the mouse tests: the status texts, a mouse mode
// armed as a pop-up menu arms it, and counts of the pixels a view shows.

#include <string>
#include <vector>

#include "document_fixture.h"

namespace zavo::test {

class MouseTest : public DocumentTest {
protected:
  // The last text of the graphic system's status and of the status bar ("" when none).
  std::string Status() const { return fakes.system.statuses.empty() ? std::string() : fakes.system.statuses.back(); }
  std::string StatusBar() const {
    return fakes.winSupp.statuses.empty() ? std::string() : fakes.winSupp.statuses.back();
  }
  // The mode as a right click at (x, y) of the view and a menu choice leave it.
  void Arm(int mode, int view, int x, int y) {
    editor->dragView = view;
    editor->dragStartX = editor->dragLastX = x;
    editor->dragStartY = editor->dragLastY = y;
    editor->EnterMouseMode(mode);
  }
  // Every pixel of the view white.
  void Whiten() {
    for (RasterWireFrameImage* view : {&top, &side, &front, &preview}) view->Fill(255, 255, 255);
  }
  // The pixels of the image that are not white.
  static std::vector<std::pair<int, int>> Marked(const RasterWireFrameImage& image) {
    std::vector<std::pair<int, int>> out;
    for (int y = 0; y < image.Height(); ++y) {
      for (int x = 0; x < image.Width(); ++x) {
        if (!(image.Pixel(x, y) == RasterPixel{255, 255, 255})) out.emplace_back(x, y);
      }
    }
    return out;
  }
  // The pixels of one line as the raster draws it.
  static std::vector<std::pair<int, int>> LinePixels(int x1, int y1, int x2, int y2) {
    RasterWireFrameImage image(120, 80);
    image.DrawLine(x1, y1, x2, y2, 0, 0, 0);
    return Marked(image);
  }
  double* Box(int view) { return editor->viewBoxes[view]; }
};

}  // namespace zavo::test
