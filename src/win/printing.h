#pragma once
// Printing and print preview of the editing window's image: the print-out
// has one page, which shows what the window's paint shows, scaled from
// screen to printer resolution.

#include <string>

class wxFrame;
class wxPrintData;
class wxWindow;

namespace zavo {

class EditWin;

// True when a printer can be used: the three print items of the menu are
// enabled exactly then. Asked at each print command (no printer-change
// message exists here).
bool PrinterUsable();
// "&Print...": the print dialog (page range 0 to 0), then the page.
void PrintWindowImage(wxWindow* parent, EditWin& editWin);
// "P&rint Setup...": the printer set-up dialog.
void PrintSetup(wxWindow* parent);
// "Print Pre&view...": the preview frame "Print Preview" over the main frame.
void ShowPrintPreview(wxFrame* frame, EditWin& editWin);

// The name of the default printer, empty when there is none.
using DefaultPrinterQuery = std::string (*)();
// Installs a query (null restores the one of the system's print service) and
// returns the previous one.
DefaultPrinterQuery SetDefaultPrinterQuery(DefaultPrinterQuery query);
// The program's printer settings (paper, orientation), kept from one print
// command to the next.
wxPrintData& PrinterSettings();
// Prints and previews running now.
int PrintsInProgress();

}  // namespace zavo
