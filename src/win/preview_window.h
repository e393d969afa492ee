#pragma once
// The print preview: a frame over the main window showing the print-out's
// page as the printer would print it, with a tool bar to page through it.
// Two pages side by side keep their paging rules; the editing window prints
// on one page, so a second page is never drawn.

#include <memory>

#include <wx/frame.h>

#include "win/preview_paging.h"
#include "win/print_out.h"

class wxEventLoopBase;
class wxPrintData;
class wxStaticText;

namespace zavo {

class EditWin;

// The page of the printer settings in printer pixels (the paper at the
// preview's printer resolution, turned for landscape), with the screen's
// resolution.
PageMetrics PreviewMetrics(const wxPrintData& data);
// Where a page shows in a client area: centred, 95 percent of the side that
// limits it, keeping the page's aspect ratio.
wxRect FitPage(wxSize client, wxSize page);

class PreviewWindow : public wxFrame {
public:
  static constexpr int kPrevious = 24500;
  static constexpr int kNext = 24501;
  static constexpr int kOnePage = 24502;
  static constexpr int kTwoPages = 24503;
  static constexpr int kPageText = 24504;
  static constexpr int kPrint = 24337;

  // Placed over the parent's client area, one pixel beyond it on each side.
  PreviewWindow(wxWindow* parent, EditWin& window, const wxPrintData& printData,
                const wxString& title = "Print Preview");
  ~PreviewWindow() override;

  // Shows the frame and runs until it is closed, the other windows disabled;
  // then the parent is redrawn.
  void RunModal();

  const PreviewPaging& Paging() const { return paging_; }
  // The text field of the tool bar.
  wxString PageText() const;
  const PageMetrics& Metrics() const { return metrics_; }
  // Where the first page shows, in the page window.
  wxRect PageRect() const;
  wxWindow* PageWindow() const { return pageWindow_; }

private:
  class PageWindowImpl;

  void BuildToolBar();
  void OnTool(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);
  // The text field, the tools' enabled states and the page after paging.
  void ShowPages();

  wxWindow* parent_;
  EditWin& window_;
  PageMetrics metrics_;
  APXPrintOut printOut_;
  PreviewPaging paging_;
  wxWindow* pageWindow_ = nullptr;
  wxStaticText* pageText_ = nullptr;
  wxEventLoopBase* loop_ = nullptr;
  bool frozeParent_ = false;
};

}  // namespace zavo
