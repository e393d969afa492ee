#include "win/wx_status_field.h"

#include <wx/statusbr.h>

namespace zavo {
namespace {

constexpr std::chrono::milliseconds kRepaintInterval(50);

}  // namespace

WxStatusField::WxStatusField(wxStatusBar* bar) : bar_(bar) {}

void WxStatusField::SetText(const char* text) {
  text_ = text != nullptr ? text : "";
  pending_ = true;
  if (std::chrono::steady_clock::now() - lastShown_ >= kRepaintInterval) {
    Show();
  } else if (!flushQueued_) {
    flushQueued_ = true;
    CallAfter([this] {
      flushQueued_ = false;
      Flush();
    });
  }
}

void WxStatusField::Flush() {
  if (pending_) Show();
}

void WxStatusField::Show() {
  pending_ = false;
  lastShown_ = std::chrono::steady_clock::now();
  if (bar_ == nullptr) return;
  // The text field is the bar's last field (the frame's menu hints go to
  // the first).
  bar_->SetStatusText(wxString::FromUTF8(text_), bar_->GetFieldsCount() - 1);
  bar_->Update();
}

}  // namespace zavo
