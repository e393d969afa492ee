#include "win/print_out.h"

#include <algorithm>
#include <climits>

#include <wx/dc.h>
#include <wx/window.h>

#include "win/edit_win.h"

namespace zavo {
namespace {

int ScreenSide(int page, int screen, int printer) {
  if (screen <= 0 || printer <= 0) return page;
  const long long side = static_cast<long long>(page) * screen / printer;
  return static_cast<int>(std::clamp<long long>(side, INT_MIN, INT_MAX));
}

double Factor(int page, int screen) { return page > 0 && screen > 0 ? double(page) / screen : 1.0; }

}  // namespace

wxSize PageInScreenPixels(const PageMetrics& m) {
  return {ScreenSide(m.page.x, m.screenPPI.x, m.printerPPI.x),
          ScreenSide(m.page.y, m.screenPPI.y, m.printerPPI.y)};
}

wxRealPoint ScreenToPageScale(const PageMetrics& m) {
  const wxSize screen = PageInScreenPixels(m);
  return {Factor(m.page.x, screen.x), Factor(m.page.y, screen.y)};
}

void DrawPage(wxDC& dc, EditWin& window, const PageMetrics& metrics) {
  double oldX = 1.0;
  double oldY = 1.0;
  dc.GetUserScale(&oldX, &oldY);
  const wxRealPoint scale = ScreenToPageScale(metrics);
  dc.SetUserScale(oldX * scale.x, oldY * scale.y);
  window.PaintImageOn(dc);
  dc.SetUserScale(oldX, oldY);
}

wxFont PrintFont(const wxWindow& window) {
  // A window that was given no font answers its class's default one.
  const wxFont own = window.GetFont();
  if (own.IsOk() && own != window.GetDefaultAttributes().font) return own;
  return wxFont(wxFontInfo(wxSize(0, 12)).FaceName("Arial"));
}

APXPrintOut::APXPrintOut(const wxString& title, EditWin& window)
    : wxPrintout(title), window_(window) {}

void APXPrintOut::GetDialogInfo(int& minPage, int& maxPage, int& selFromPage,
                                int& selToPage) const {
  minPage = 0;
  maxPage = 0;
  selFromPage = 0;
  selToPage = 0;
}

void APXPrintOut::GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) {
  *minPage = firstPage_;
  *maxPage = lastPage_;
  *pageFrom = firstPage_;
  *pageTo = lastPage_;
}

bool APXPrintOut::HasPage(int page) { return page >= firstPage_ && page <= lastPage_; }

void APXPrintOut::OnBeginPrinting() {
  wxPrintout::OnBeginPrinting();
  firstPage_ = 1;
  lastPage_ = kPages;
  wxDC* dc = GetDC();
  if (dc == nullptr) return;
  dc->SetFont(PrintFont(window_));
  const wxFontMetrics metrics = dc->GetFontMetrics();
  lineHeight_ = metrics.height + metrics.externalLeading;
  if (lineHeight_ <= 0) lineHeight_ = 10;
  int width = 0;
  int height = 0;
  GetPageSizePixels(&width, &height);
  linesPerPage_ = height / lineHeight_;
}

bool APXPrintOut::OnPrintPage(int page) {
  wxDC* dc = GetDC();
  if (dc == nullptr || !HasPage(page)) return false;
  DrawPage(*dc, window_, Metrics());
  return true;
}

PageMetrics APXPrintOut::Metrics() const {
  PageMetrics m;
  GetPageSizePixels(&m.page.x, &m.page.y);
  GetPPIScreen(&m.screenPPI.x, &m.screenPPI.y);
  GetPPIPrinter(&m.printerPPI.x, &m.printerPPI.y);
  return m;
}

}  // namespace zavo
