#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "win/plot_colour.h"
#include "win/win_qz_interface.h"

namespace {

using zavo::PixelBuffer;
using zavo::Rgb8;

// An editing window that is only a scroll offset.
class ScrolledEditWin : public zavo::EditWinLink {
public:
  explicit ScrolledEditWin(wxPoint scroll) : scroll_(scroll) {}
  wxWindow* Window() override { return nullptr; }
  wxPoint ScrollOffset() const override { return scroll_; }
  void DrawView(int) override {}
  void LeftButton(int, wxPoint, int, int) override {}
  void RightButton(int, wxPoint, int, int) override {}
  void MouseMove(int, wxPoint, int) override {}

private:
  wxPoint scroll_;
};

TEST(PlotPixel, ComponentsAreScaledTruncatedAndKeepTheirLowBits) {
  const struct {
    double component;
    int expected;
  } cases[] = {{0.0, 0},    {0.999, 254}, {1.0, 255}, {0.5, 127},
               {1.5, 382 & 255}, {-0.1, (-25) & 255}, {std::nan(""), 0},
               {std::numeric_limits<double>::infinity(), 255}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.component);
    EXPECT_EQ(zavo::PlotComponent(c.component), c.expected);
  }
}

TEST(PlotPixel, APixelBecomesABlockShiftedByTheScrollOffsetInTheWindowOnly) {
  const struct {
    const char* name;
    wxPoint scroll;
    bool withEditWin;
  } cases[] = {{"no scroll", {0, 0}, true}, {"scrolled", {4, 2}, true}, {"no editing window", {4, 2}, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScrolledEditWin edit(c.scroll);
    WinQZInterface qz(c.withEditWin ? &edit : nullptr, nullptr);
    PixelBuffer window(20, 10), memory(20, 10);
    qz.SetTarget(&window, &memory, 3);
    qz.PlotPixel(2, 1, 0.999, 1.0, 0.2);
    const Rgb8 colour{254, 255, 51};
    const wxPoint s = c.withEditWin ? c.scroll : wxPoint(0, 0);
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 20; ++x) {
        const bool inMemory = x >= 6 && x <= 8 && y >= 3 && y <= 5;
        const bool inWindow = x + s.x >= 6 && x + s.x <= 8 && y + s.y >= 3 && y + s.y <= 5;
        EXPECT_EQ(memory.Pixel(x, y), inMemory ? colour : Rgb8{}) << x << "," << y;
        EXPECT_EQ(window.Pixel(x, y), inWindow ? colour : Rgb8{}) << x << "," << y;
      }
    }
  }
}

TEST(PlotPixel, NothingIsDrawnWithoutAWindowTarget) {
  WinQZInterface qz(nullptr, nullptr);
  PixelBuffer memory(8, 8);
  qz.SetTarget(nullptr, &memory, 1);
  qz.PlotPixel(1, 1, 1, 1, 1);
  EXPECT_EQ(memory.Pixel(1, 1), Rgb8{});
  PixelBuffer window(8, 8);
  qz.SetTarget(&window, &memory, 1);
  qz.ClearTarget();
  qz.PlotPixel(1, 1, 1, 1, 1);
  EXPECT_EQ(window.Pixel(1, 1), Rgb8{});
  EXPECT_EQ(memory.Pixel(1, 1), Rgb8{});
  // The peek flag changes nothing without an event loop.
  qz.peek = 1;
  qz.SetTarget(&window, nullptr, 2);
  qz.PlotPixel(3, 3, 0, 0, 1);
  EXPECT_EQ(window.Pixel(7, 7), (Rgb8{0, 0, 255}));
  // Blocks beyond the picture are clipped, far ones ignored.
  qz.PlotPixel(-1, 0, 1, 0, 0);
  qz.PlotPixel(2000000000, 2000000000, 1, 0, 0);
  EXPECT_EQ(window.Pixel(0, 0), Rgb8{});
}

TEST(WinQZInterface, StartsAsTheShellExpects) {
  WinQZInterface qz(nullptr, nullptr);
  EXPECT_EQ(qz.EditWin(), nullptr);
  EXPECT_EQ(qz.secondWindow, nullptr);
  EXPECT_EQ(qz.WindowTarget(), nullptr);
  EXPECT_EQ(qz.MemoryTarget(), nullptr);
  EXPECT_EQ(qz.pixelSize, 1);
  EXPECT_EQ(qz.showMessageBoxes, 1);
  EXPECT_EQ(qz.pumpMessages, 0);
  EXPECT_EQ(qz.peek, 0);
  EXPECT_EQ(qz.minimized, 0);
  EXPECT_EQ(qz.UserBreak(), 0);
}

}  // namespace
