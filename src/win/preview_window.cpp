#include "win/preview_window.h"

#include <algorithm>
#include <cmath>

#include <wx/cmndata.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/evtloop.h>
#include <wx/paper.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include "win/edit_win.h"
#include "win/printing.h"

namespace zavo {
namespace {

// The printer resolution the preview lays its page out at.
constexpr int kPreviewPrinterPPI = 600;
// A4 in millimetres, when the settings name no paper.
constexpr int kDefaultPaperWidthMM = 210;
constexpr int kDefaultPaperHeightMM = 297;
constexpr int kToolSide = 16;

int MillimetresToPixels(int mm) {
  return static_cast<int>(std::lround(mm * kPreviewPrinterPPI / 25.4));
}

// The pictures of the tool-bar buttons.
wxBitmap ToolBitmap(int id) {
  wxBitmap bitmap(kToolSide, kToolSide);
  wxMemoryDC dc(bitmap);
  dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
  dc.Clear();
  dc.SetPen(*wxBLACK_PEN);
  dc.SetBrush(*wxBLACK_BRUSH);
  switch (id) {
    case PreviewWindow::kPrevious: {
      const wxPoint arrow[] = {{11, 3}, {11, 12}, {5, 8}};
      dc.DrawPolygon(3, arrow);
      break;
    }
    case PreviewWindow::kNext: {
      const wxPoint arrow[] = {{5, 3}, {5, 12}, {11, 8}};
      dc.DrawPolygon(3, arrow);
      break;
    }
    case PreviewWindow::kOnePage:
      dc.SetBrush(*wxWHITE_BRUSH);
      dc.DrawRectangle(4, 2, 8, 12);
      break;
    case PreviewWindow::kTwoPages:
      dc.SetBrush(*wxWHITE_BRUSH);
      dc.DrawRectangle(1, 3, 7, 10);
      dc.DrawRectangle(8, 3, 7, 10);
      break;
    default:  // print: a printer with a sheet
      dc.SetBrush(*wxWHITE_BRUSH);
      dc.DrawRectangle(4, 1, 8, 6);
      dc.SetBrush(*wxGREY_BRUSH);
      dc.DrawRectangle(1, 6, 14, 7);
      break;
  }
  dc.SelectObject(wxNullBitmap);
  return bitmap;
}

}  // namespace

PageMetrics PreviewMetrics(const wxPrintData& data) {
  wxSize mm = data.GetPaperSize();
  if (data.GetPaperId() != wxPAPER_NONE && wxThePrintPaperDatabase != nullptr) {
    if (const wxPrintPaperType* paper = wxThePrintPaperDatabase->FindPaperType(data.GetPaperId())) {
      mm = paper->GetSizeMM();
    }
  }
  if (mm.x <= 0 || mm.y <= 0) mm = wxSize(kDefaultPaperWidthMM, kDefaultPaperHeightMM);
  // The paper's size is given upright.
  if (mm.x > mm.y) std::swap(mm.x, mm.y);
  if (data.GetOrientation() == wxLANDSCAPE) std::swap(mm.x, mm.y);
  PageMetrics m;
  m.page = wxSize(MillimetresToPixels(mm.x), MillimetresToPixels(mm.y));
  m.screenPPI = wxGetDisplayPPI();
  m.printerPPI = wxSize(kPreviewPrinterPPI, kPreviewPrinterPPI);
  return m;
}

wxRect FitPage(wxSize client, wxSize page) {
  if (client.x <= 0 || client.y <= 0 || page.x <= 0 || page.y <= 0) return {};
  const double scale = 0.95 * std::min(double(client.x) / page.x, double(client.y) / page.y);
  const int w = std::max(1, static_cast<int>(page.x * scale));
  const int h = std::max(1, static_cast<int>(page.y * scale));
  return {(client.x - w) / 2, (client.y - h) / 2, w, h};
}

// The page window: the first page shown, on the workspace colour.
class PreviewWindow::PageWindowImpl : public wxWindow {
public:
  explicit PageWindowImpl(PreviewWindow& owner) : wxWindow(&owner, wxID_ANY), owner_(owner) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &PageWindowImpl::OnPaint, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
      Refresh();
      event.Skip();
    });
  }

private:
  void OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_APPWORKSPACE)));
    dc.Clear();
    const wxRect rect = owner_.PageRect();
    if (rect.IsEmpty()) return;
    const wxSize page = owner_.metrics_.page;
    wxBitmap picture(rect.GetSize());
    {
      wxMemoryDC memory(picture);
      memory.SetBackground(*wxWHITE_BRUSH);
      memory.Clear();
      memory.SetUserScale(double(rect.width) / page.x, double(rect.height) / page.y);
      owner_.printOut_.SetDC(&memory);
      owner_.printOut_.OnPrintPage(owner_.paging_.First());
      owner_.printOut_.SetDC(nullptr);
    }
    dc.DrawBitmap(picture, rect.GetPosition());
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(wxRect(rect).Inflate(1));
  }

  PreviewWindow& owner_;
};

PreviewWindow::PreviewWindow(wxWindow* parent, EditWin& window, const wxPrintData& printData,
                             const wxString& title)
    : wxFrame(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize,
              wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxFRAME_FLOAT_ON_PARENT),
      parent_(parent),
      window_(window),
      metrics_(PreviewMetrics(printData)),
      printOut_(title, window),
      paging_(1, 1) {
  printOut_.SetPageSizePixels(metrics_.page.x, metrics_.page.y);
  printOut_.SetPPIScreen(metrics_.screenPPI);
  printOut_.SetPPIPrinter(metrics_.printerPPI);
  SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_APPWORKSPACE));
  BuildToolBar();
  pageWindow_ = new PageWindowImpl(*this);
  if (parent_ != nullptr) {
    // (-1, -1) is a real place here, not the default one.
    const wxPoint at = parent_->ClientToScreen(wxPoint(0, 0)) - wxPoint(1, 1);
    const wxSize size = parent_->GetClientSize() + wxSize(2, 2);
    SetSize(at.x, at.y, size.x, size.y, wxSIZE_ALLOW_MINUS_ONE);
  }
  Bind(wxEVT_TOOL, &PreviewWindow::OnTool, this);
  Bind(wxEVT_CLOSE_WINDOW, &PreviewWindow::OnClose, this);
  ShowPages();
}

PreviewWindow::~PreviewWindow() {
  if (frozeParent_ && parent_ != nullptr) parent_->Thaw();
}

void PreviewWindow::BuildToolBar() {
  wxToolBar* bar = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
  const auto separator = [bar](int width) {
    bar->AddControl(new wxStaticText(bar, wxID_ANY, "", wxDefaultPosition,
                                     wxSize(width, kToolSide), wxST_NO_AUTORESIZE));
  };
  bar->AddTool(kPrevious, "Previous page", ToolBitmap(kPrevious));
  bar->AddTool(kNext, "Next page", ToolBitmap(kNext));
  separator(6);
  bar->AddRadioTool(kOnePage, "One page", ToolBitmap(kOnePage));
  bar->AddRadioTool(kTwoPages, "Two pages", ToolBitmap(kTwoPages));
  separator(12);
  // A recessed field of 10 characters.
  pageText_ = new wxStaticText(bar, kPageText, "", wxDefaultPosition,
                               wxSize(bar->GetCharWidth() * 10 + 8, -1),
                               wxBORDER_SUNKEN | wxST_NO_AUTORESIZE | wxALIGN_CENTRE_HORIZONTAL);
  bar->AddControl(pageText_);
  separator(20);
  bar->AddTool(kPrint, "Print", ToolBitmap(kPrint), "Print this document");
  bar->Realize();
  bar->ToggleTool(kOnePage, true);
}

wxString PreviewWindow::PageText() const { return pageText_->GetLabel(); }

wxRect PreviewWindow::PageRect() const {
  return FitPage(pageWindow_->GetClientSize(), metrics_.page);
}

void PreviewWindow::ShowPages() {
  pageText_->SetLabel(paging_.Text());
  wxToolBar* bar = GetToolBar();
  bar->EnableTool(kPrevious, paging_.CanPrevious());
  bar->EnableTool(kNext, paging_.CanNext());
  bar->EnableTool(kTwoPages, PreviewPaging::CanTwoPages(metrics_.page.x, metrics_.page.y));
  pageWindow_->Refresh();
}

void PreviewWindow::OnTool(wxCommandEvent& event) {
  switch (event.GetId()) {
    case kPrevious:
      paging_.Previous();
      break;
    case kNext:
      paging_.Next();
      break;
    case kOnePage:
      paging_.OnePage();
      break;
    case kTwoPages:
      if (!PreviewPaging::CanTwoPages(metrics_.page.x, metrics_.page.y)) return;
      paging_.TwoPages();
      break;
    case kPrint:
      PrintWindowImage(this, window_);
      return;
    default:
      event.Skip();
      return;
  }
  ShowPages();
}

void PreviewWindow::OnClose(wxCloseEvent&) {
  if (loop_ == nullptr) {
    Destroy();
    return;
  }
  // The main window is not redrawn until the preview has gone.
  if (parent_ != nullptr && !frozeParent_) {
    parent_->Freeze();
    frozeParent_ = true;
  }
  Hide();
  loop_->Exit();
}

void PreviewWindow::RunModal() {
  Show();
  {
    wxWindowDisabler others(this);
    wxGUIEventLoop loop;
    loop_ = &loop;
    loop.Run();
    loop_ = nullptr;
  }
  if (parent_ != nullptr) {
    if (frozeParent_) {
      parent_->Thaw();
      frozeParent_ = false;
    }
    parent_->Refresh();
  }
}

}  // namespace zavo
