#include "win/message_box.h"

#include <wx/msgdlg.h>

namespace zavo {
namespace {

BoxAnswer RealBox(wxWindow* owner, const wxString& text, const wxString& caption,
                  BoxButtons buttons) {
  const long style = buttons == BoxButtons::Ok       ? wxOK
                     : buttons == BoxButtons::YesNo ? wxYES_NO
                                                    : wxYES_NO | wxCANCEL;
  wxMessageDialog box(owner, text, caption, style);
  switch (box.ShowModal()) {
    case wxID_OK: return BoxAnswer::Ok;
    case wxID_YES: return BoxAnswer::Yes;
    case wxID_NO: return BoxAnswer::No;
    default: return BoxAnswer::Cancel;
  }
}

MessageBoxFunction current = RealBox;

}  // namespace

BoxAnswer ShowMessageBox(wxWindow* owner, const wxString& text, const wxString& caption,
                         BoxButtons buttons) {
  return current(owner, text, caption, buttons);
}

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function) {
  const MessageBoxFunction old = current;
  current = function != nullptr ? function : RealBox;
  return old;
}

}  // namespace zavo
