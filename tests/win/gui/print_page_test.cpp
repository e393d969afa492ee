// The print-out's page drawn on a memory canvas: the editing window's image
// at the top left, scaled from screen to printer resolution, the live window
// left as it was.
#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/image.h>

#include "win/edit_win.h"
#include "win/gui/print_fixture.h"
#include "win/print_out.h"

namespace zavo::test {
namespace {

// A page of 900 x 600 printer pixels at three times the screen's resolution.
const PageMetrics kPage{{900, 600}, {100, 100}, {300, 300}};

struct Spot {
  wxPoint at;
  wxColour colour;
};

// The image (200 x 120 on the screen) covers 600 x 360 of the page, its red
// block 240 x 180; the rest of the page stays white.
const Spot kSpots[] = {
    {{5, 5}, *wxRED},       {{234, 174}, *wxRED},   {{246, 5}, *wxBLACK},
    {{5, 186}, *wxBLACK},   {{594, 354}, *wxBLACK}, {{606, 5}, *wxWHITE},
    {{5, 366}, *wxWHITE},   {{890, 590}, *wxWHITE},
};

class PrintPage {
public:
  PrintPage() : bitmap_(kPage.page.x, kPage.page.y), dc_(bitmap_) {
    dc_.SetBackground(*wxWHITE_BRUSH);
    dc_.Clear();
  }
  wxMemoryDC& Dc() { return dc_; }
  void ExpectSpots() {
    dc_.SelectObject(wxNullBitmap);
    const wxImage image = bitmap_.ConvertToImage();
    for (const Spot& s : kSpots) {
      SCOPED_TRACE(testing::Message() << s.at.x << "," << s.at.y);
      EXPECT_EQ(wxColour(image.GetRed(s.at.x, s.at.y), image.GetGreen(s.at.x, s.at.y),
                         image.GetBlue(s.at.x, s.at.y)),
                s.colour);
    }
  }

private:
  wxBitmap bitmap_;
  wxMemoryDC dc_;
};

TEST_F(PrintTest, ThePageShowsTheImageAtTheTopLeftScaledWithoutResizingTheWindow) {
  OpenWithImage();
  const wxSize client = win->GetClientSize();
  editor->ClearLog();
  PrintPage page;
  DrawPage(page.Dc(), *win, kPage);
  double x = 0;
  double y = 0;
  page.Dc().GetUserScale(&x, &y);
  EXPECT_EQ(x, 1.0);
  EXPECT_EQ(y, 1.0);
  page.ExpectSpots();
  // No relayout of the live window (which would send request 75).
  EXPECT_EQ(win->GetClientSize(), client);
  EXPECT_TRUE(Requests().empty());
}

TEST_F(PrintTest, ThePrintOutHasOnePageAndOffersNoPageChoice) {
  OpenWithImage();
  APXPrintOut out("Title", *win);
  EXPECT_EQ(out.GetTitle(), "Title");
  int range[4] = {-1, -1, -1, -1};
  out.GetDialogInfo(range[0], range[1], range[2], range[3]);
  EXPECT_EQ(std::vector<int>(range, range + 4), (std::vector<int>{0, 0, 0, 0}));
  out.GetPageInfo(&range[0], &range[1], &range[2], &range[3]);
  EXPECT_EQ(std::vector<int>(range, range + 4), (std::vector<int>{1, 1, 1, 1}));
  EXPECT_FALSE(out.HasPage(0));
  EXPECT_TRUE(out.HasPage(1));
  EXPECT_FALSE(out.HasPage(2));

  PrintPage page;
  out.SetDC(&page.Dc());
  out.SetPageSizePixels(kPage.page.x, kPage.page.y);
  out.SetPPIScreen(kPage.screenPPI);
  out.SetPPIPrinter(kPage.printerPPI);
  out.OnBeginPrinting();
  // The editing window has no font of its own: "Arial" of 12 pixels.
  EXPECT_EQ(page.Dc().GetFont().GetFaceName(), "Arial");
  EXPECT_GT(out.LineHeight(), 0);
  EXPECT_EQ(out.LinesPerPage(), kPage.page.y / out.LineHeight());
  EXPECT_FALSE(out.OnPrintPage(2));
  EXPECT_TRUE(out.OnPrintPage(1));
  out.SetDC(nullptr);
  page.ExpectSpots();
}

TEST_F(PrintTest, ThePrintFontIsTheWindowsOwnOrArialOfTwelvePixels) {
  Open();
  const wxFont fallback = PrintFont(*win);
  EXPECT_EQ(fallback.GetFaceName(), "Arial");
  // The toolkit keeps sizes in points: 12 pixels may come back rounded.
  EXPECT_NEAR(fallback.GetPixelSize().y, 12, 1);
  EXPECT_EQ(fallback.GetWeight(), wxFONTWEIGHT_NORMAL);
  const wxFont own(wxFontInfo(17).Family(wxFONTFAMILY_TELETYPE).Bold());
  win->SetFont(own);
  EXPECT_EQ(PrintFont(*win), own);
}

}  // namespace
}  // namespace zavo::test
