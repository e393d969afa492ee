#include "win/win_wire_frame_image.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "win/gui/gui_support.h"
#include "win/gui/stand_in_edit_win.h"

namespace {

using zavo::RasterPixel;
using zavo::test::DrainUntil;
using zavo::test::StandInEditWin;

const RasterPixel kWhite{255, 255, 255};

// One view window of either set with its surface.
struct SurfaceKind {
  const char* name;
  std::function<zavo::ViewWinBase*(StandInEditWin&)> makeView;
  std::function<std::unique_ptr<WinWireFrameImage>()> makeSurface;
  bool opaqueText;
};

std::vector<SurfaceKind> Setups() {
  return {
      {"WinWireFrameImage", [](StandInEditWin& e) { return new zavo::ViewWin(e.window, &e, 0); },
       [] { return std::make_unique<WinWireFrameImage>(); }, false},
      {"WinWireFrameImage2", [](StandInEditWin& e) { return new zavo::ViewWin2(e.window, &e, 0); },
       [] { return std::make_unique<WinWireFrameImage2>(); }, true},
  };
}

class Surfaces : public ::testing::Test {
protected:
  StandInEditWin edit;

  // Runs the check on a 151 x 97 view of each set.
  template <class Check>
  void ForEach(Check check) {
    for (const SurfaceKind& s : Setups()) {
      SCOPED_TRACE(s.name);
      zavo::ViewWinBase* view = s.makeView(edit);
      view->SetClientSize(151, 97);
      auto surface = s.makeSurface();
      surface->SetWindow(view);
      check(s, *view, *surface);
      view->Destroy();
    }
  }
};

TEST_F(Surfaces, SizeIsTheClientSizeAndWithoutAWindowNothingIsDrawn) {
  ForEach([&](const SurfaceKind& s, zavo::ViewWinBase& view, WinWireFrameImage& surface) {
    EXPECT_EQ(surface.GetWidth(), 151);
    EXPECT_EQ(surface.GetHeight(), 97);
    // The buffer follows the client size.
    view.SetClientSize(120, 80);
    EXPECT_EQ(surface.GetWidth(), 120);
    EXPECT_EQ(view.Buffer().Width(), 120);
    EXPECT_EQ(view.Buffer().Height(), 80);

    auto alone = s.makeSurface();
    EXPECT_EQ(alone->GetWidth(), -1);
    EXPECT_EQ(alone->GetHeight(), -1);
    alone->DrawLine(0, 0, 50, 50, 1, 2, 3);
    alone->DrawXorLine(0, 0, 50, 50);
    alone->Fill(1, 2, 3);
    alone->Clear();
    alone->DeleteLine();
    alone->BeginPen(1, 2, 3);
    alone->PenLine(0, 0, 9, 9);
    alone->EndPen();
    alone->DrawText("x", 1, 1);
    alone->FillTriangle(0, 0, 9, 0, 0, 9, 1, 2, 3);
    // A surface given its window afterwards has no open pass.
    alone->SetWindow(&view);
    alone->PenLine(0, 0, 9, 9);
    EXPECT_EQ(view.Buffer().Pixel(5, 5), kWhite);
  });
}

TEST_F(Surfaces, ClearFillLinesAndTriangles) {
  ForEach([&](const SurfaceKind&, zavo::ViewWinBase& view, WinWireFrameImage& surface) {
    const auto& buffer = view.Buffer();
    surface.Fill(10, 20, 300);  // low 8 bits count
    for (auto [x, y] : {std::pair{0, 0}, {150, 96}, {75, 40}}) {
      EXPECT_EQ(buffer.Pixel(x, y), (RasterPixel{10, 20, 44}));
    }
    surface.Clear();
    for (auto [x, y] : {std::pair{0, 0}, {150, 96}, {75, 40}}) EXPECT_EQ(buffer.Pixel(x, y), kWhite);
    surface.DrawLine(10, 10, 60, 10, 255, 0, 0);
    EXPECT_EQ(buffer.Pixel(30, 10), (RasterPixel{255, 0, 0}));
    EXPECT_EQ(buffer.Pixel(30, 11), kWhite);
    surface.FillTriangle(20, 30, 80, 30, 20, 90, 0, 0, 255);
    EXPECT_EQ(buffer.Pixel(30, 40), (RasterPixel{0, 0, 255}));  // inside
    EXPECT_EQ(buffer.Pixel(80, 30), (RasterPixel{0, 0, 255}));  // corner of the outline
    EXPECT_EQ(buffer.Pixel(79, 80), kWhite);
  });
}

TEST_F(Surfaces, AnXorLineTwiceLeavesTheViewAsItWas) {
  ForEach([&](const SurfaceKind&, zavo::ViewWinBase& view, WinWireFrameImage& surface) {
    surface.Fill(200, 100, 50);
    surface.DrawLine(0, 20, 150, 25, 1, 2, 3);
    const auto before = view.Buffer().Buffer();
    surface.DrawXorLine(3, 3, 140, 77);
    EXPECT_EQ(view.Buffer().Pixel(3, 3), (RasterPixel{55, 155, 205}));
    surface.DrawXorLine(3, 3, 140, 77);
    EXPECT_EQ(view.Buffer().Buffer(), before);
  });
}

TEST_F(Surfaces, PenPassesDrawTheSamePixelsInsideAndOutsideAPaint) {
  ForEach([&](const SurfaceKind&, zavo::ViewWinBase& view, WinWireFrameImage& surface) {
    auto pass = [&] {
      surface.Clear();
      surface.EndPen();            // without its BeginPen: nothing
      surface.PenLine(0, 0, 150, 96);  // outside a pass: nothing
      surface.BeginPen(0, 255, 0);
      surface.BeginPen(255, 0, 0);
      surface.PenLine(5, 50, 100, 50);
      surface.EndPen();
      surface.PenLine(5, 60, 100, 60);
      surface.EndPen();
      surface.PenLine(5, 70, 100, 70);
    };
    pass();
    const auto outside = view.Buffer().Buffer();
    EXPECT_EQ(view.Buffer().Pixel(50, 50), (RasterPixel{255, 0, 0}));
    EXPECT_EQ(view.Buffer().Pixel(50, 60), (RasterPixel{0, 255, 0}));
    EXPECT_EQ(view.Buffer().Pixel(50, 70), kWhite);
    EXPECT_EQ(view.Buffer().Pixel(20, 12), kWhite);

    surface.Fill(0, 0, 0);
    bool painted = false;
    edit.onDrawView = [&](int) {
      EXPECT_TRUE(view.Painting());
      pass();
      painted = true;
    };
    view.active = 1;
    view.Refresh();
    ASSERT_TRUE(DrainUntil([&] { return painted; }));
    edit.onDrawView = nullptr;
    EXPECT_EQ(view.Buffer().Buffer(), outside);
  });
}

TEST_F(Surfaces, TextIsMeasuredInItsFontWithTheBackgroundOfTheClass) {
  ForEach([&](const SurfaceKind& s, zavo::ViewWinBase& view, WinWireFrameImage& surface) {
    int w = 0, h = 0;
    surface.TextSize("Top", w, h);
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);
    int w2 = 0, h2 = 0;
    surface.TextSize("TopTop", w2, h2);
    EXPECT_EQ(w2, 2 * w);
    surface.Fill(0, 0, 255);
    surface.DrawText("Top", 30, 20);
    int ink = 0, blue = 0, white = 0, outside = 0;
    for (int y = 0; y < 97; ++y) {
      for (int x = 0; x < 151; ++x) {
        const RasterPixel p = view.Buffer().Pixel(x, y);
        const bool inBox = x >= 30 && x < 30 + w && y >= 20 && y < 20 + h;
        if (!inBox) {
          outside += p != RasterPixel{0, 0, 255};
        } else if (p == RasterPixel{0, 0, 0}) {
          ++ink;
        } else if (p == RasterPixel{0, 0, 255}) {
          ++blue;
        } else if (p == kWhite) {
          ++white;
        }
      }
    }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(ink, 0);
    EXPECT_EQ(ink + blue + white, w * h);
    if (s.opaqueText) {
      EXPECT_EQ(blue, 0);
    } else {
      EXPECT_EQ(white, 0);
    }
  });
}

using SurfacesDeathTest = Surfaces;

TEST_F(SurfacesDeathTest, DeleteLineAndShowBitmapAreInternalErrors) {
  ForEach([&](const SurfaceKind& s, zavo::ViewWinBase&, WinWireFrameImage& surface) {
    EXPECT_EXIT(surface.DeleteLine(), ::testing::ExitedWithCode(1), "Runtime Error: Can't DeleteLine");
    EXPECT_EXIT(surface.ShowBitmap(), ::testing::ExitedWithCode(1),
                "Runtime Error: WinWireFrameImage::ShowBitmap not def");
    EXPECT_EXIT(s.makeSurface()->ShowBitmap(), ::testing::ExitedWithCode(1),
                "WinWireFrameImage::ShowBitmap not def");
  });
}

}  // namespace
