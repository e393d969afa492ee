// The print preview under the display: its tool bar, the paging texts and
// enabled buttons for the one-page print-out, the page it shows, and the
// modal run from the print-preview command.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <wx/cmndata.h>
#include <wx/settings.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

#include "win/edit_win.h"
#include "win/gui/gui_support.h"
#include "win/gui/print_fixture.h"
#include "win/preview_window.h"
#include "win/printing.h"

namespace zavo::test {
namespace {

using Ids = std::vector<std::string>;

PreviewWindow* OpenPreview() {
  for (wxWindow* w : wxTopLevelWindows) {
    auto* preview = dynamic_cast<PreviewWindow*>(w);
    if (preview != nullptr && preview->IsShown()) return preview;
  }
  return nullptr;
}

class PreviewTest : public PrintTest {
protected:
  void TearDown() override {
    if (preview != nullptr) {
      preview->Destroy();
      Settle();
    }
    PrintTest::TearDown();
  }

  void Preview(wxPrintOrientation orientation) {
    wxPrintData data;
    data.SetPaperId(wxPAPER_A4);
    data.SetOrientation(orientation);
    preview = new PreviewWindow(frame, *win, data);
    preview->Show();
    ASSERT_TRUE(DrainUntil([&] { return preview->PageWindow()->IsShownOnScreen(); }));
    Settle();
  }
  bool Enabled(int id) const { return preview->GetToolBar()->GetToolEnabled(id); }
  void Command(int id) {
    wxCommandEvent event(wxEVT_TOOL, id);
    event.SetEventObject(preview->GetToolBar());
    preview->GetEventHandler()->ProcessEvent(event);
  }

  PreviewWindow* preview = nullptr;
};

TEST_F(PreviewTest, ToolBarHoldsTheButtonsTheFieldAndTheGapsInOrder) {
  Open();
  Preview(wxPORTRAIT);
  EXPECT_EQ(preview->GetTitle(), "Print Preview");
  wxToolBar* bar = preview->GetToolBar();
  Ids tools;
  for (size_t i = 0; i < bar->GetToolsCount(); ++i) {
    const wxToolBarToolBase* tool = bar->GetToolByPos(static_cast<int>(i));
    if (tool->IsControl() && tool->GetId() != PreviewWindow::kPageText) {
      tools.push_back("gap " + std::to_string(tool->GetControl()->GetSize().x));
    } else {
      tools.push_back(std::to_string(tool->GetId()));
    }
  }
  EXPECT_EQ(tools, (Ids{"24500", "24501", "gap 6", "24502", "24503", "gap 12", "24504", "gap 20",
                        "24337"}));
  EXPECT_EQ(bar->FindById(PreviewWindow::kPrint)->GetShortHelp(), "Print this document");
  EXPECT_TRUE(bar->FindById(PreviewWindow::kOnePage)->GetKind() == wxITEM_RADIO);
  EXPECT_TRUE(bar->FindById(PreviewWindow::kTwoPages)->GetKind() == wxITEM_RADIO);
  EXPECT_TRUE(bar->GetToolState(PreviewWindow::kOnePage));
  EXPECT_FALSE(bar->GetToolState(PreviewWindow::kTwoPages));
  // Room for 10 characters.
  EXPECT_GE(bar->FindControl(PreviewWindow::kPageText)->GetSize().x, 10 * bar->GetCharWidth());
}

TEST_F(PreviewTest, OnePageShowsPageOneWithPagingDisabledWhateverIsPressed) {
  Open();
  Preview(wxPORTRAIT);
  EXPECT_EQ(preview->PageText(), "Page 1");
  EXPECT_FALSE(Enabled(PreviewWindow::kPrevious));
  EXPECT_FALSE(Enabled(PreviewWindow::kNext));
  EXPECT_TRUE(Enabled(PreviewWindow::kOnePage));
  EXPECT_TRUE(Enabled(PreviewWindow::kTwoPages));
  EXPECT_TRUE(Enabled(PreviewWindow::kPrint));
  const int commands[] = {PreviewWindow::kNext, PreviewWindow::kTwoPages, PreviewWindow::kNext,
                          PreviewWindow::kPrevious, PreviewWindow::kOnePage};
  for (int id : commands) {
    SCOPED_TRACE(id);
    Command(id);
    EXPECT_EQ(preview->PageText(), "Page 1");
    EXPECT_EQ(preview->Paging().First(), 1);
    EXPECT_EQ(preview->Paging().Last(), 1);
    EXPECT_FALSE(Enabled(PreviewWindow::kPrevious));
    EXPECT_FALSE(Enabled(PreviewWindow::kNext));
  }
}

TEST_F(PreviewTest, ALandscapePageDisablesTwoPages) {
  Open();
  Preview(wxLANDSCAPE);
  const wxSize page = preview->Metrics().page;
  EXPECT_GT(page.x, page.y);
  EXPECT_FALSE(Enabled(PreviewWindow::kTwoPages));
  Command(PreviewWindow::kTwoPages);
  EXPECT_FALSE(preview->Paging().TwoUp());
  EXPECT_EQ(preview->PageText(), "Page 1");
}

TEST_F(PreviewTest, ThePageShowsTheImageAtItsTopLeftOverTheParentsClientArea) {
  OpenWithImage();
  Preview(wxPORTRAIT);
  // One pixel beyond the parent's client area on each side.
  EXPECT_EQ(preview->GetPosition(), frame->ClientToScreen(wxPoint(0, 0)) - wxPoint(1, 1));
  EXPECT_EQ(preview->GetSize(), frame->GetClientSize() + wxSize(2, 2));
  const wxRect rect = preview->PageRect();
  const wxSize area = preview->PageWindow()->GetClientSize();
  // 95 percent of the height, which limits an upright page here.
  EXPECT_NEAR(rect.height, 0.95 * area.y, 1.0);
  EXPECT_NEAR(rect.x, (area.x - rect.width) / 2, 1.0);
  const PageMetrics& metrics = preview->Metrics();
  EXPECT_NEAR(double(rect.width) / rect.height, double(metrics.page.x) / metrics.page.y, 0.01);
  // Screen pixels to preview pixels.
  const double zoom = ScreenToPageScale(metrics).x * rect.width / metrics.page.x;
  ASSERT_GT(kRedWidth * zoom, 6);
  ASSERT_GT(kRedHeight * zoom, 6);
  const auto at = [&](double x, double y) {
    return ScreenColour(preview->PageWindow()->ClientToScreen(
        rect.GetPosition() + wxPoint(static_cast<int>(x), static_cast<int>(y))));
  };
  EXPECT_EQ(at(kRedWidth * zoom / 2, kRedHeight * zoom / 2), *wxRED);
  EXPECT_EQ(at(kImageWidth * zoom + 3, 2), *wxWHITE);
  EXPECT_EQ(at(rect.width - 3, rect.height - 3), *wxWHITE);
  EXPECT_EQ(at(-4, rect.height / 2),
            wxSystemSettings::GetColour(wxSYS_COLOUR_APPWORKSPACE));
}

TEST_F(PrintTest, PreviewRunsModallyAndLeavesTheFrameRepainted) {
  OpenWithImage();
  std::vector<std::string> seen;
  int ticks = 0;
  wxTimer timer;
  timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
    PreviewWindow* preview = OpenPreview();
    if (preview == nullptr || (!preview->IsShownOnScreen() && ++ticks < 200)) return;
    seen.push_back(preview->PageText().ToStdString());
    seen.push_back("counter " + std::to_string(PrintsInProgress()));
    seen.push_back(frame->IsEnabled() ? "frame enabled" : "frame disabled");
    preview->Close();
  });
  timer.Start(20);
  ShowPrintPreview(frame, *win);
  timer.Stop();
  EXPECT_EQ(seen, (std::vector<std::string>{"Page 1", "counter 1", "frame disabled"}));
  EXPECT_EQ(PrintsInProgress(), 0);
  EXPECT_TRUE(frame->IsEnabled());
  EXPECT_FALSE(frame->IsFrozen());
  Settle();
  EXPECT_EQ(OpenPreview(), nullptr);
  // The image shows again where the preview was.
  EXPECT_TRUE(DrainUntil([&] {
    return ScreenColour(win->ClientToScreen(wxPoint(kRedWidth / 2, kRedHeight / 2))) == *wxRED;
  }));
}

}  // namespace
}  // namespace zavo::test
