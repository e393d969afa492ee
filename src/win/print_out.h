#pragma once
// The print-out of the editing window: one page showing what the window
// paints (the image at the top left), scaled from screen to printer
// resolution. The live window is not resized for the page.

#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/print.h>

class wxDC;
class wxWindow;

namespace zavo {

class EditWin;

// A page as the printer sees it: its size in printer pixels and the
// resolutions of screen and printer (pixels per inch).
struct PageMetrics {
  wxSize page;
  wxSize screenPPI;
  wxSize printerPPI;
};

// The page's size in screen pixels: page x screen / printer resolution, in
// integers, multiplied before dividing. A resolution that is not positive
// counts as the screen's (no scaling).
wxSize PageInScreenPixels(const PageMetrics& metrics);
// The factors from screen to printer pixels (page size over its size in
// screen pixels).
wxRealPoint ScreenToPageScale(const PageMetrics& metrics);

// Paints the window's image onto the page drawn on the canvas, scaled from
// screen to printer pixels on top of the canvas's own scale (the preview's
// reduction), which is restored.
void DrawPage(wxDC& dc, EditWin& window, const PageMetrics& metrics);

// The font of the print-out: the window's own font, or "Arial" of 12 pixels
// when the window has none of its own.
wxFont PrintFont(const wxWindow& window);

class APXPrintOut : public wxPrintout {
public:
  APXPrintOut(const wxString& title, EditWin& window);

  // The page choice of the print dialog: 0 to 0 (none offered).
  void GetDialogInfo(int& minPage, int& maxPage, int& selFromPage, int& selToPage) const;

  // ---- wxPrintout ----
  // The pages printed: 1 to 1.
  void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override;
  bool HasPage(int page) override;
  // Selects the print font and counts the lines a page holds.
  void OnBeginPrinting() override;
  bool OnPrintPage(int page) override;

  // What OnBeginPrinting found.
  int LineHeight() const { return lineHeight_; }
  int LinesPerPage() const { return linesPerPage_; }

private:
  PageMetrics Metrics() const;

  EditWin& window_;
  // The editing window prints on one page.
  static constexpr int kPages = 1;
  int firstPage_ = 1;
  int lastPage_ = kPages;
  int lineHeight_ = 0;
  int linesPerPage_ = 0;
};

}  // namespace zavo
