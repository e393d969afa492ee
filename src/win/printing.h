#pragma once
// Printing and print preview of the editing window's image: the print-out
// has one page, which shows what the window's paint shows, scaled from
// screen to printer resolution.

class wxFrame;
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

}  // namespace zavo
