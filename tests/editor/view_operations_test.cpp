// The document's view operations: the axes of the parallel views, fitting a
// view's box to its proportions, and the marks drawn in a view.

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor_fakes.h"

namespace zavo::test {
namespace {

TEST(ViewOperations, AxesOfTheParallelViews) {
  auto editor = CG_GraphicEditor::Create(0);
  struct Case {
    int mode;
    int invertY;
    int horizontal, vertical, flip;
  };
  const Case cases[] = {
      {2, 0, 0, 1, 0}, {2, 1, 0, 1, 1}, {3, 0, 1, 2, 1}, {4, 0, 0, 2, 1},
      {1, 0, -7, -7, -7}, {0, 0, -7, -7, -7}, {5, 1, -7, -7, -7},  // other modes leave the outputs
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    editor->options.InvertY = c.invertY;
    int h = -7, v = -7, flip = -7;
    editor->GetViewAxes(c.mode, h, v, flip);
    EXPECT_EQ(h, c.horizontal);
    EXPECT_EQ(v, c.vertical);
    EXPECT_EQ(flip, c.flip);
  }
}

TEST(ViewOperations, FittingNarrowsOneAxisAboutItsCentre) {
  struct Case {
    int w, h, horizontal, vertical;
    std::vector<double> box;
    std::vector<double> fitted;
  };
  const std::vector<double> cube{-10, -10, -10, 10, 10, 10};
  const Case cases[] = {
      {200, 100, 0, 1, cube, {-10, -5, -10, 10, 5, 10}},               // Top, wide: y narrowed
      {60, 40, 0, 1, cube, {-10, -10 / 1.5, -10, 10, 10 / 1.5, 10}},     // 120 x 80 view
      {50, 100, 1, 2, cube, {-10, -5, -10, 10, 5, 10}},                // Side, tall: y (across) narrowed
      {100, 100, 0, 2, cube, cube},                                     // square: unchanged
      {40, 60, 0, 2, {1, 0, 2, 4, 0, 8}, {1.5, 0, 2, 3.5, 0, 8}},      // off-centre box, Front
      {0, 40, 0, 1, cube, cube},                                        // no width: unchanged
      {60, 0, 0, 1, cube, cube},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
    double box[6];
    for (int i = 0; i < 6; ++i) box[i] = c.box[i];
    CG_GraphicEditor::FitWindowToView(box, c.w, c.h, c.horizontal, c.vertical);
    for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(box[i], c.fitted[i]) << i;
  }
}

class ViewMarks : public ::testing::Test {
protected:
  ViewMarks() : editor(CG_GraphicEditor::Create(0)), surface(40, 30) {
    editor->SetView(1, &surface, 2);
    editor->options.Background[0] = 0.5;
    editor->options.Background[1] = 0.25;
    editor->options.Background[2] = 1.0;
  }

  std::unique_ptr<CG_GraphicEditor> editor;
  RecordingWireFrameImage surface;
};

TEST_F(ViewMarks, TheCrossMarkerCoversNineByNinePixelsInRed) {
  editor->DrawCrossMarker(1, 20, 15, 0);
  int red = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      const RasterPixel p = surface.image.Pixel(x, y);
      if (p == RasterPixel{255, 255, 255}) continue;
      EXPECT_EQ(p, (RasterPixel{255, 0, 0})) << x << "," << y;
      EXPECT_TRUE(x >= 16 && x <= 24 && y >= 11 && y <= 19) << x << "," << y;
      ++red;
    }
  }
  EXPECT_EQ(red, 17);  // two diagonals of nine pixels sharing the centre
  EXPECT_EQ(surface.image.Pixel(16, 11), (RasterPixel{255, 0, 0}));
  EXPECT_EQ(surface.image.Pixel(24, 11), (RasterPixel{255, 0, 0}));
  EXPECT_EQ(surface.image.Pixel(16, 19), (RasterPixel{255, 0, 0}));
  EXPECT_EQ(surface.image.Pixel(24, 19), (RasterPixel{255, 0, 0}));
}

TEST_F(ViewMarks, MarksDrawTheirLinesInTheirColourOrTheBackground) {
  editor->markSize = 3;
  using Draw = void (CG_GraphicEditor::*)(int, int, int, int);
  struct Case {
    const char* name;
    Draw draw;
    std::vector<std::string> lines;  // "x1 y1 x2 y2" around (10, 12)
    const char* colour;
  };
  const std::vector<std::string> mark3{"7 12 13 12", "13 12 13 9", "13 9 7 9", "7 9 7 12", "10 12 10 15"};
  std::vector<std::string> mark4 = mark3;
  for (const char* l : {"10 12 13 15", "10 12 7 15", "10 12 13 18", "10 12 7 18"}) mark4.emplace_back(l);
  const Case cases[] = {
      {"cross", &CG_GraphicEditor::DrawCrossMarker, {"7 9 13 15", "13 9 7 15"}, "255 0 0"},
      {"mark1", &CG_GraphicEditor::DrawMark1, {"7 12 13 12", "13 12 10 15", "7 12 10 15"}, "0 0 255"},
      {"mark2", &CG_GraphicEditor::DrawMark2, {"7 15 13 15", "7 15 13 9", "7 9 13 9"}, "0 0 255"},
      {"mark3", &CG_GraphicEditor::DrawMark3, mark3, "0 0 255"},
      {"mark4", &CG_GraphicEditor::DrawMark4, mark4, "0 255 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (int erase : {0, 1}) {
      surface.calls.clear();
      (editor.get()->*c.draw)(1, 10, 12, erase);
      std::vector<std::string> want;
      for (const std::string& l : c.lines) want.push_back("DrawLine " + l + " " + (erase ? "127 63 255" : c.colour));
      EXPECT_EQ(surface.calls, want);
    }
    surface.calls.clear();
    (editor.get()->*c.draw)(0, 10, 12, 0);  // a view without a surface
    (editor.get()->*c.draw)(4, 10, 12, 0);  // no such view
    EXPECT_TRUE(surface.calls.empty());
    // Far off the view (saturated pixel values): drawn off the view, no overflow.
    surface.image.Fill(255, 255, 255);
    (editor.get()->*c.draw)(1, std::numeric_limits<int>::max(), std::numeric_limits<int>::min(), 0);
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 40; ++x) ASSERT_EQ(surface.image.Pixel(x, y), (RasterPixel{255, 255, 255}));
    }
  }
}

}  // namespace
}  // namespace zavo::test
