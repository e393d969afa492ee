#include "win/console_win.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

namespace zavo {

namespace {

wxPoint At(const ConsoleRect& r) { return {r.x, r.y}; }
wxSize Size(const ConsoleRect& r) { return {r.w, r.h}; }

}  // namespace

ConsoleWin::ConsoleWin(wxWindow* parent)
    : wxFrame(parent, wxID_ANY, wxString(), wxDefaultPosition, wxSize(300, 300), wxDEFAULT_FRAME_STYLE) {
  const ConsolePlaces p = ConsoleInitialPlaces();
  list_ = new wxListBox(this, kListId, At(p.list), Size(p.list));
  input_ = new wxTextCtrl(this, kInputId, wxString(), At(p.input), Size(p.input));
  input_->SetMaxLength(kInputLimit);
  enter_ = new wxButton(this, kEnterId, "Enter", At(p.enter), Size(p.enter));
  ok_ = new wxButton(this, kOkId, "Ok", At(p.ok), Size(p.ok));
  enter_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PressEnter(); });
  ok_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PressOk(); });
  Bind(wxEVT_SIZE, &ConsoleWin::OnSize, this);
  Bind(wxEVT_CHAR_HOOK, &ConsoleWin::OnCharHook, this);
}

void ConsoleWin::Write(const char* text) {
  lines_.Write(text);
  const std::vector<std::string>& lines = lines_.Lines();
  // Only the entries that differ are touched.
  while (list_->GetCount() > lines.size()) list_->Delete(list_->GetCount() - 1);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const wxString line = wxString::FromUTF8(lines[i].c_str());
    if (i < list_->GetCount()) {
      if (list_->GetString(static_cast<unsigned>(i)) != line) list_->SetString(static_cast<unsigned>(i), line);
    } else {
      list_->Append(line);
    }
  }
}

void ConsoleWin::PressEnter() {
  if (!enterHandler_) return;
  if (renderRunning_ && renderRunning_()) return;
  const std::string line = input_->GetValue().utf8_string();
  enterHandler_(line.c_str());
}

void ConsoleWin::PressOk() {
  if (okHandler_) okHandler_(1);
}

void ConsoleWin::OnSize(wxSizeEvent& event) {
  event.Skip();
  const wxSize client = GetClientSize();
  PlaceControls(ConsoleSizedPlaces(client.x, client.y));
  Refresh();
}

void ConsoleWin::PlaceControls(const ConsolePlaces& places) {
  list_->SetSize(places.list.x, places.list.y, places.list.w, places.list.h);
  input_->SetSize(places.input.x, places.input.y, places.input.w, places.input.h);
  enter_->SetSize(places.enter.x, places.enter.y, places.enter.w, places.enter.h);
  ok_->SetSize(places.ok.x, places.ok.y, places.ok.w, places.ok.h);
}

void ConsoleWin::OnCharHook(wxKeyEvent& event) {
  if (event.GetKeyCode() == WXK_ESCAPE && escapeHandler_) escapeHandler_();
  event.Skip();
}

}  // namespace zavo
