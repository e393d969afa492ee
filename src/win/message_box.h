#pragma once

// Every message box of the shell goes through one replaceable function, so
// that tests can answer the boxes.

#include <wx/string.h>

class wxWindow;

namespace zavo {

enum class BoxAnswer { Ok, Yes, No, Cancel };
enum class BoxButtons { Ok, YesNoCancel, YesNo };

using MessageBoxFunction = BoxAnswer (*)(wxWindow* owner, const wxString& text,
                                         const wxString& caption, BoxButtons buttons);

// A modal box owned by the window (none when null). The Escape key and the
// close box answer Cancel.
BoxAnswer ShowMessageBox(wxWindow* owner, const wxString& text, const wxString& caption,
                         BoxButtons buttons);

// Installs a function (null restores the real boxes) and returns the previous one.
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function);

}  // namespace zavo
