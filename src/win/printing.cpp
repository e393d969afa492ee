#include "printing.h"

namespace zavo {

bool PrinterUsable() { return false; }
void PrintWindowImage(wxWindow*, EditWin&) {}
void PrintSetup(wxWindow*) {}
void ShowPrintPreview(wxFrame*, EditWin&) {}

}  // namespace zavo
