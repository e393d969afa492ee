// The raster drawing surface of the views.

#include "editor/views/raster_image.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "editor_fakes.h"

namespace zavo::test {
namespace {

using Pixels = std::set<std::pair<int, int>>;

const RasterPixel kWhite{255, 255, 255};

// The pixels that are not white.
Pixels Marked(const RasterWireFrameImage& image) {
  Pixels out;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      if (!(image.Pixel(x, y) == kWhite)) out.insert({x, y});
    }
  }
  return out;
}

TEST(RasterImage, LinesSetTheSamePixelsInBothDirectionsWithBothEnds) {
  const int lines[][4] = {{2, 3, 37, 17}, {5, 28, 31, 1}, {0, 0, 39, 29}, {10, 4, 10, 25},
                          {3, 12, 36, 12}, {7, 2, 9, 27}, {20, 20, 20, 20}, {33, 5, 4, 9}};
  for (const auto& l : lines) {
    SCOPED_TRACE(testing::Message() << l[0] << ' ' << l[1] << ' ' << l[2] << ' ' << l[3]);
    RasterWireFrameImage forward(40, 30), backward(40, 30);
    forward.DrawLine(l[0], l[1], l[2], l[3], 10, 20, 30);
    backward.DrawLine(l[2], l[3], l[0], l[1], 10, 20, 30);
    const Pixels set = Marked(forward);
    EXPECT_EQ(set, Marked(backward));
    EXPECT_TRUE(set.count({l[0], l[1]}));
    EXPECT_TRUE(set.count({l[2], l[3]}));
    const int dx = std::abs(l[2] - l[0]), dy = std::abs(l[3] - l[1]);
    EXPECT_EQ(set.size(), static_cast<std::size_t>(std::max(dx, dy) + 1));  // one pixel a step
    EXPECT_EQ(forward.Pixel(l[0], l[1]), (RasterPixel{10, 20, 30}));
  }
}

TEST(RasterImage, XorLineTwiceRestoresEveryPixel) {
  RasterWireFrameImage image(40, 30);
  image.Fill(200, 120, 40);
  image.DrawLine(0, 29, 39, 0, 0, 0, 255);
  image.FillTriangle(5, 5, 20, 8, 9, 22, 90, 10, 10);
  const std::vector<std::uint8_t> before = image.Buffer();
  image.DrawXorLine(3, 27, 38, 2);
  EXPECT_NE(image.Buffer(), before);
  EXPECT_EQ(image.Pixel(38, 2), (RasterPixel{55, 135, 215}));
  image.DrawXorLine(38, 2, 3, 27);
  EXPECT_EQ(image.Buffer(), before);
}

TEST(RasterImage, CrossOfTwoLinesCoversNineByNine) {
  // A cross marker of half size 4 around (20, 15).
  RasterWireFrameImage image(40, 30);
  const int x = 20, y = 15, k = 4;
  image.DrawLine(x - k, y - k, x + k, y + k, 255, 0, 0);
  image.DrawLine(x + k, y - k, x - k, y + k, 255, 0, 0);
  const Pixels set = Marked(image);
  EXPECT_EQ(set.size(), 17u);
  int minX = 99, maxX = -1, minY = 99, maxY = -1;
  for (const auto& [px, py] : set) {
    minX = std::min(minX, px), maxX = std::max(maxX, px);
    minY = std::min(minY, py), maxY = std::max(maxY, py);
  }
  EXPECT_EQ(maxX - minX + 1, 9);
  EXPECT_EQ(maxY - minY + 1, 9);
}

TEST(RasterImage, FillTriangleSetsOutlineAndInside) {
  for (bool reversed : {false, true}) {
    RasterWireFrameImage image(12, 12);
    if (reversed) {
      image.FillTriangle(0, 8, 8, 0, 0, 0, 1, 2, 3);
    } else {
      image.FillTriangle(0, 0, 8, 0, 0, 8, 1, 2, 3);
    }
    Pixels expected;
    for (int y = 0; y <= 8; ++y) {
      for (int x = 0; x + y <= 8; ++x) expected.insert({x, y});
    }
    EXPECT_EQ(Marked(image), expected);
  }
}

TEST(RasterImage, ColoursKeepTheirLowBitsAndOutsidePixelsAreSkipped) {
  RasterWireFrameImage image(10, 10);
  image.DrawLine(-5, 3, 20, 3, 256 + 7, -1, 511);
  EXPECT_EQ(image.Pixel(0, 3), (RasterPixel{7, 255, 255}));
  EXPECT_EQ(image.Pixel(9, 3), (RasterPixel{7, 255, 255}));
  EXPECT_EQ(Marked(image).size(), 10u);
  image.DrawLine(-2000000000, -2000000000, 2000000000, 2000000000, 0, 0, 0);  // cut, not stepped
  EXPECT_EQ(image.Pixel(4, 4), (RasterPixel{0, 0, 0}));
}

TEST(RasterImage, PenLinesUseTheInnermostPen) {
  RasterWireFrameImage image(10, 10);
  image.PenLine(0, 0, 9, 0);  // no pen: nothing
  EXPECT_TRUE(Marked(image).empty());
  image.BeginPen(255, 0, 0);
  image.BeginPen(0, 0, 255);
  image.PenLine(0, 1, 9, 1);
  image.EndPen();
  image.PenLine(0, 2, 9, 2);
  image.EndPen();
  EXPECT_EQ(image.Pixel(5, 1), (RasterPixel{0, 0, 255}));
  EXPECT_EQ(image.Pixel(5, 2), (RasterPixel{255, 0, 0}));
}

TEST(RasterImage, SurfaceWithoutAWindow) {
  RasterWireFrameImage image(16, 9);
  EXPECT_EQ(image.GetWidth(), 16);
  EXPECT_EQ(image.GetHeight(), 9);
  image.SetHasWindow(false);
  EXPECT_EQ(image.GetWidth(), -1);
  EXPECT_EQ(image.GetHeight(), -1);
  image.DrawLine(0, 0, 15, 8, 0, 0, 0);
  image.DeleteLine();  // nothing without a window
  EXPECT_TRUE(Marked(image).empty());
}

TEST(RasterImage, TextInTheFixedFont) {
  RasterWireFrameImage image(60, 12);
  int w = 0, h = 0;
  image.TextSize("Front", w, h);
  EXPECT_EQ(w, 30);
  EXPECT_EQ(h, 8);
  image.Fill(200, 200, 200);
  image.DrawText("Top", 2, 2);
  const Pixels set = [&] {
    Pixels out;
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 60; ++x)
        if (image.Pixel(x, y) == (RasterPixel{0, 0, 0})) out.insert({x, y});
    return out;
  }();
  EXPECT_FALSE(set.empty());
  for (const auto& [x, y] : set) {
    EXPECT_GE(x, 2);
    EXPECT_LT(x, 2 + w);
    EXPECT_GE(y, 2);
    EXPECT_LT(y, 2 + h);
  }
  EXPECT_EQ(image.Pixel(0, 0), (RasterPixel{200, 200, 200}));  // background kept
  EXPECT_EQ(image.Pixel(4, 2), (RasterPixel{0, 0, 0}));        // the bar of the T
}

// Names are told apart by case ("camera" is not "Camera"): every small letter
// has a glyph of its own, unlike its capital and unlike the open box of an
// unknown character, and stays inside its cell.
TEST(RasterImage, SmallLettersHaveTheirOwnGlyphs) {
  auto glyph = [](char c) {
    RasterWireFrameImage image(6, 8);
    const char text[2] = {c, '\0'};
    image.DrawText(text, 0, 0);
    return Marked(image);
  };
  const Pixels unknown = glyph('\x7f');
  std::set<Pixels> seen;
  for (char c = 'a'; c <= 'z'; ++c) {
    SCOPED_TRACE(std::string(1, c));
    const Pixels small = glyph(c);
    EXPECT_FALSE(small.empty());
    EXPECT_NE(small, glyph(static_cast<char>(c - 'a' + 'A')));
    EXPECT_NE(small, unknown);
    EXPECT_TRUE(seen.insert(small).second);
    for (const auto& [x, y] : small) {
      EXPECT_LT(x, 5);
      EXPECT_LT(y, 7);
    }
  }
}

TEST(RasterImageDeathTest, UnprovidedOperationsAreInternalErrors) {
  RasterWireFrameImage image(4, 4);
  EXPECT_EXIT(image.DeleteLine(), testing::ExitedWithCode(1), "Runtime Error: Can't DeleteLine");
  EXPECT_EXIT(image.ShowBitmap(), testing::ExitedWithCode(1), "Runtime Error: WinWireFrameImage::ShowBitmap not def");
}

TEST(RecordingSurface, PenLineOutsideAPenPairFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        RecordingWireFrameImage surface(10, 10);
        surface.PenLine(0, 0, 5, 5);
      },
      "PenLine outside BeginPen/EndPen");
  RecordingWireFrameImage surface(10, 10);
  surface.BeginPen(1, 2, 3);
  surface.PenLine(0, 0, 5, 5);
  surface.EndPen();
  EXPECT_EQ(surface.calls, (std::vector<std::string>{"BeginPen 1 2 3", "PenLine 0 0 5 5", "EndPen"}));
  EXPECT_EQ(surface.image.Pixel(3, 3), (RasterPixel{1, 2, 3}));
}

}  // namespace
}  // namespace zavo::test
