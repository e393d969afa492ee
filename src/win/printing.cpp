#include "win/printing.h"

#include <wx/cmndata.h>
#include <wx/frame.h>
#include <wx/print.h>
#include <wx/printdlg.h>

#ifdef ZAVO_HAVE_CUPS
#include <cups/cups.h>
#endif

#include "win/edit_win.h"
#include "win/message_box.h"
#include "win/preview_window.h"
#include "win/print_out.h"

namespace zavo {
namespace {

std::string SystemDefaultPrinter() {
#ifdef ZAVO_HAVE_CUPS
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
  if (dest == nullptr) return {};
  std::string name = dest->name != nullptr ? dest->name : "";
  cupsFreeDests(1, dest);
  return name;
#else
  return {};
#endif
}

DefaultPrinterQuery defaultPrinter = SystemDefaultPrinter;
int printsInProgress = 0;

// Raised around a print or a preview.
class PrintInProgress {
public:
  PrintInProgress() { ++printsInProgress; }
  ~PrintInProgress() { --printsInProgress; }
  PrintInProgress(const PrintInProgress&) = delete;
  PrintInProgress& operator=(const PrintInProgress&) = delete;
};

}  // namespace

DefaultPrinterQuery SetDefaultPrinterQuery(DefaultPrinterQuery query) {
  const DefaultPrinterQuery old = defaultPrinter;
  defaultPrinter = query != nullptr ? query : SystemDefaultPrinter;
  return old;
}

wxPrintData& PrinterSettings() {
  static wxPrintData settings;
  return settings;
}

int PrintsInProgress() { return printsInProgress; }

bool PrinterUsable() { return !defaultPrinter().empty(); }

void PrintWindowImage(wxWindow* parent, EditWin& editWin) {
  if (editWin.Busy() != 0) return;
  APXPrintOut printOut("Title", editWin);
  wxPrintDialogData dialog(PrinterSettings());
  int minPage = 0;
  int maxPage = 0;
  int fromPage = 0;
  int toPage = 0;
  printOut.GetDialogInfo(minPage, maxPage, fromPage, toPage);
  dialog.SetMinPage(minPage);
  dialog.SetMaxPage(maxPage);
  dialog.SetFromPage(fromPage);
  dialog.SetToPage(toPage);
  dialog.EnablePageNumbers(false);
  dialog.EnableSelection(false);
  wxPrinter printer(&dialog);
  bool printed = false;
  {
    PrintInProgress counted;
    printed = printer.Print(parent, &printOut, true);
  }
  if (printed) {
    PrinterSettings() = printer.GetPrintDialogData().GetPrintData();
  } else if (wxPrinter::GetLastError() == wxPRINTER_ERROR) {
    ShowMessageBox(parent, "The page could not be printed.", "Print", BoxButtons::Ok);
  }
}

void PrintSetup(wxWindow* parent) {
  wxPageSetupDialogData data(PrinterSettings());
  wxPageSetupDialog dialog(parent, &data);
  if (dialog.ShowModal() == wxID_OK) {
    PrinterSettings() = dialog.GetPageSetupDialogData().GetPrintData();
  }
}

void ShowPrintPreview(wxFrame* frame, EditWin& editWin) {
  if (frame == nullptr) return;
  PrintInProgress counted;
  auto* preview = new PreviewWindow(frame, editWin, PrinterSettings());
  preview->RunModal();
  preview->Destroy();
}

}  // namespace zavo
