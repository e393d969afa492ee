#include "win/generic_list.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

constexpr int kOkId = 1;
constexpr int kCancelId = 2;
constexpr int kDownId = 102;
constexpr int kUpId = 103;
constexpr int kFieldLimit = 199;

wxString WxText(const char* s) { return wxString::FromUTF8(s != nullptr ? s : ""); }

// A rectangle given in dialog units, in pixels.
wxRect Units(wxWindow* w, int x, int y, int width, int height) {
  return wxRect(w->ConvertDialogToPixels(wxPoint(x, y)), w->ConvertDialogToPixels(wxSize(width, height)));
}

}  // namespace

GenerList::GenerList(wxWindow* parent, const char* title, const std::vector<std::string>& entries)
    : wxDialog(parent, wxID_ANY, WxText(title)) {
  SetClientSize(ConvertDialogToPixels(wxSize(207, 111)));
  auto* ok = new wxButton(this, kOkId, "OK");
  ok->SetDefault();
  ok->SetSize(Units(this, 149, 6, 50, 14));
  (new wxButton(this, kCancelId, "Cancel"))->SetSize(Units(this, 148, 24, 50, 14));
  list_ = new wxListBox(this, 101, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                        wxLB_SINGLE | wxLB_ALWAYS_SB | wxBORDER_SIMPLE);
  list_->SetSize(Units(this, 10, 10, 93, 89));
  for (const std::string& e : entries) list_->Append(wxString::FromUTF8(e));
  SetEscapeId(kCancelId);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Accept(); }, kOkId);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(kCancelId); }, kCancelId);
  Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) { Accept(); }, 101);
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { EndModal(kCancelId); });
}

void GenerList::Accept() {
  const int i = list_->GetSelection();
  if (i == wxNOT_FOUND) return;  // nothing chosen yet: stay open
  chosen_ = list_->GetString(static_cast<unsigned>(i)).utf8_str().data();
  EndModal(kOkId);
}

bool GenerList::Run(std::string& chosen) {
  if (ShowModal() != kOkId) return false;
  chosen = chosen_;
  return true;
}

char* WinGenericList::Choose(const char* title) {
  if (parent_ == nullptr) return nullptr;
  GenerList dialog(parent_, title, strings_);
  std::string chosen;
  if (!dialog.Run(chosen)) return nullptr;
  // The chosen text is given back whole, however long.
  char* out = new char[std::max<size_t>(300, chosen.size() + 1)];
  std::memcpy(out, chosen.c_str(), chosen.size() + 1);
  return out;
}

MultiEditDlg2::MultiEditDlg2(wxWindow* parent, const char* title, const Seq<charString>& labels,
                             Seq<charString>& values)
    : wxDialog(parent, wxID_ANY, WxText(title)), labels_(labels), values_(values) {
  SetClientSize(ConvertDialogToPixels(wxSize(207, 111)));
  auto* ok = new wxButton(this, kOkId, "OK");
  ok->SetDefault();
  ok->SetSize(Units(this, 148, 6, 50, 14));
  (new wxButton(this, kCancelId, "Cancel"))->SetSize(Units(this, 148, 24, 50, 14));
  // "Down" and "Up" are out of sight (hidden: GTK warns about visible
  // widgets of no size); Page Down and Page Up act as them.
  for (const auto& [id, label] : {std::pair{kDownId, "Down"}, std::pair{kUpId, "Up"}}) {
    auto* button = new wxButton(this, id, label);
    button->SetSize(-5, -5, 0, 0);
    button->Hide();
  }
  const unsigned rows = labels_.Count();
  for (unsigned i = 0; i < rows; ++i) {
    labelWindows_.push_back(new wxStaticText(this, 100 + static_cast<int>(i), WxText(labels_[i])));
    const char* v = i < values_.Count() ? static_cast<const char*>(values_[i]) : "";
    auto* field = new wxTextCtrl(this, 200 + static_cast<int>(i), WxText(v));
    field->SetMaxLength(std::max<unsigned long>(kFieldLimit, field->GetValue().length()));
    fields_.push_back(field);
  }
  PlaceRows();
  SetEscapeId(kCancelId);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    const unsigned n = std::min<unsigned>(labels_.Count(), values_.Count());
    for (unsigned i = 0; i < n; ++i)
      values_[i] = fields_[i]->GetValue().BeforeFirst('\n').utf8_str().data();
    EndModal(kOkId);
  }, kOkId);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(kCancelId); }, kCancelId);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Shift(-100); }, kDownId);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Shift(100); }, kUpId);
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
    if (e.GetKeyCode() == WXK_PAGEDOWN) Shift(-100);
    else if (e.GetKeyCode() == WXK_PAGEUP) Shift(100);
    else e.Skip();
  });
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { EndModal(kCancelId); });
}

void MultiEditDlg2::PlaceRows() {
  for (size_t i = 0; i < fields_.size(); ++i) {
    const int y = 27 * static_cast<int>(i) + offset_;
    labelWindows_[i]->SetSize(0, y, 80, 22);
    fields_[i]->SetSize(80, y, 120, 22);
  }
}

void MultiEditDlg2::Shift(int dy) {
  offset_ += dy;
  PlaceRows();
}

int MultiEditDlg2::Run() { return ShowModal() == kOkId ? 1 : 0; }

int WinMultiEdit::Edit(const char* title, const Seq<charString>& labels, Seq<charString>& texts) {
  if (parent_ == nullptr) return 0;
  MultiEditDlg2 dialog(parent_, title, labels, texts);
  return dialog.Run();
}
