#include "win/win_supp.h"

#include <string>

#include <wx/utils.h>
#include <wx/window.h>

#include "win/event_queue.h"
#include "win/message_box.h"
#include "win/profile_file.h"
#include "win/win_ini.h"

namespace {

wxString FromText(const char* text) { return wxString::FromUTF8(text != nullptr ? text : ""); }

}  // namespace

WinSupp::~WinSupp() {
  while (waitDepth_ > 0) EndWait();
}

void WinSupp::SetTitle(const char* text) {
  if (editWin_ == nullptr || editWin_->Window() == nullptr) return;
  wxWindow* parent = editWin_->Window()->GetParent();
  if (parent != nullptr) parent->SetLabel(FromText(text));
}

void WinSupp::SetStatus(const char* text) {
  if (editWin_ == nullptr) return;
  if (zavo::StatusField* field = editWin_->Status()) {
    field->SetText(text != nullptr ? text : "");
    field->Flush();
  }
}

void WinSupp::BeginWait() {
  ++waitDepth_;
  wxBeginBusyCursor();
}

void WinSupp::EndWait() {
  if (waitDepth_ == 0) return;
  --waitDepth_;
  wxEndBusyCursor();
}

int WinSupp::Ask(const char* question, const char* title) {
  wxWindow* owner = editWin_ != nullptr ? editWin_->Window() : nullptr;
  switch (zavo::ShowMessageBox(owner, FromText(question), FromText(title),
                               zavo::BoxButtons::YesNoCancel)) {
    case zavo::BoxAnswer::Yes: return 1;
    case zavo::BoxAnswer::No: return 0;
    default: return -1;
  }
}

int WinSupp::Poll() {
  zavo::DrainEventQueue();
  if (editWin_ == nullptr) return 0;
  const int moved = editWin_->mouseMoved;
  editWin_->mouseMoved = 0;
  return moved;
}

int WinSupp::WriteSetting(const char* section, const char* key, const char* value) {
  const std::filesystem::path file = zavo::SettingsFilePath();
  if (file.empty()) return 0;
  return zavo::WriteProfileString(file, section, key, value != nullptr ? value : "") ? 1 : 0;
}

void WinSupp::ReadSetting(const char* section, const char* key, const char* defaultText,
                          charString& result) {
  const char* fallback = defaultText != nullptr ? defaultText : "";
  const std::filesystem::path file = zavo::SettingsFilePath();
  if (file.empty()) {
    result = fallback;
    return;
  }
  result = zavo::ReadProfileString(file, section, key, fallback).c_str();
}
