// The print preview's paging rules, the screen-to-printer scale of the page
// and the printer query.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win/preview_paging.h"
#include "win/print_out.h"
#include "win/printing.h"

namespace {

using zavo::PreviewPaging;

TEST(PreviewPaging, CommandsMoveThePagesShownAndNameThem) {
  // Commands: p previous, n next, 1 one page, 2 two pages.
  const struct {
    int highest;
    std::string commands;
    int first;
    int last;
    std::string text;
    bool canPrevious;
    bool canNext;
  } cases[] = {
      // The editing window's single page: nothing moves, two pages show one.
      {1, "", 1, 1, "Page 1", false, false},
      {1, "npn", 1, 1, "Page 1", false, false},
      {1, "2", 1, 1, "Page 1", false, false},
      {1, "21", 1, 1, "Page 1", false, false},
      // Several pages.
      {3, "n", 2, 2, "Page 2", true, true},
      {3, "nnn", 3, 3, "Page 3", true, false},
      {3, "nnp", 2, 2, "Page 2", true, true},
      {3, "2", 1, 2, "Page 1 - 2", false, true},
      {3, "2n", 2, 3, "Page 2 - 3", true, false},
      {3, "2nn", 2, 3, "Page 2 - 3", true, false},
      {3, "2np", 1, 2, "Page 1 - 2", false, true},
      // At the highest page the pair moves back by one.
      {3, "nn2", 2, 3, "Page 2 - 3", true, false},
      // A second "two pages" changes nothing; one page keeps the first.
      {3, "22", 1, 2, "Page 1 - 2", false, true},
      {3, "2n1", 2, 2, "Page 2", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.highest) + " '" + c.commands + "'");
    PreviewPaging paging(1, c.highest);
    for (const char command : c.commands) {
      switch (command) {
        case 'p': paging.Previous(); break;
        case 'n': paging.Next(); break;
        case '1': paging.OnePage(); break;
        default: paging.TwoPages(); break;
      }
    }
    EXPECT_EQ(paging.First(), c.first);
    EXPECT_EQ(paging.Last(), c.last);
    EXPECT_EQ(paging.Text(), c.text);
    EXPECT_EQ(paging.CanPrevious(), c.canPrevious);
    EXPECT_EQ(paging.CanNext(), c.canNext);
  }
}

TEST(PreviewPaging, TwoPagesOnlyForPagesNotWiderThanHigh) {
  EXPECT_TRUE(PreviewPaging::CanTwoPages(2480, 3508));
  EXPECT_TRUE(PreviewPaging::CanTwoPages(100, 100));
  EXPECT_FALSE(PreviewPaging::CanTwoPages(3508, 2480));
}

TEST(PageScale, PageSizeInScreenPixelsAndTheScaleFromScreenToPage) {
  const struct {
    zavo::PageMetrics metrics;
    wxSize screenPage;
    double scaleX;
    double scaleY;
  } cases[] = {
      // Twice the screen's resolution.
      {{{400, 300}, {100, 100}, {200, 200}}, {200, 150}, 2.0, 2.0},
      // Integers, multiplied before dividing: 4961 * 96 / 600 = 793.
      {{{4961, 7016}, {96, 96}, {600, 600}}, {793, 1122}, 4961.0 / 793, 7016.0 / 1122},
      // Different resolutions across and down.
      {{{1200, 1200}, {96, 96}, {300, 150}}, {384, 768}, 1200.0 / 384, 1200.0 / 768},
      // Products beyond the int range.
      {{{200000, 200000}, {20000, 20000}, {600, 600}}, {6666666, 6666666}, 0.03, 0.03},
      // A resolution that is not known: no scaling.
      {{{500, 400}, {96, 0}, {0, 600}}, {500, 400}, 1.0, 1.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.metrics.page.x);
    EXPECT_EQ(zavo::PageInScreenPixels(c.metrics), c.screenPage);
    const wxRealPoint scale = zavo::ScreenToPageScale(c.metrics);
    EXPECT_NEAR(scale.x, c.scaleX, 1e-6);
    EXPECT_NEAR(scale.y, c.scaleY, 1e-6);
  }
}

int printerQueries = 0;

TEST(PrinterUsable, AsksForTheDefaultPrinterAtEachCall) {
  static std::string printer;
  const zavo::DefaultPrinterQuery old = zavo::SetDefaultPrinterQuery([] {
    ++printerQueries;
    return printer;
  });
  printerQueries = 0;
  printer = "";
  EXPECT_FALSE(zavo::PrinterUsable());
  printer = "lp";
  EXPECT_TRUE(zavo::PrinterUsable());
  printer = "";
  EXPECT_FALSE(zavo::PrinterUsable());
  EXPECT_EQ(printerQueries, 3);
  zavo::SetDefaultPrinterQuery(old);
}

}  // namespace
