#pragma once

// The application object "zavo": installs the integer-fault handler when it
// is made and the boxed internal-error handler when it starts, reads the Test
// flag, builds and shows the main frame, and hands it the command line (its
// own parsing: exactly one argument is a scene to open).

#include <wx/app.h>

namespace zavo {

// The settings file's `Editor` `Test` value (default 0), the settings file
// being the one win.ini names.
int ReadTestFlag();

// Shows an internal error in a modal "Runtime Error" box; the program then
// ends with exit code 1 (the caller of the handler sees to that).
void ShowRuntimeErrorBox(const char* text);
// Installs ShowRuntimeErrorBox as the internal-error handler.
void InstallGuiRuntimeErrorHandler();

class ZavoApp : public wxApp {
public:
  ZavoApp();
  bool OnInit() override;
};

}  // namespace zavo
