#pragma once

// The status bar's text field. Status texts may come once per image row or
// per imported triangle: the field keeps the latest text and repaints at most
// about twenty times a second; a text held back shows as soon as the event
// loop runs again, and Flush shows it at once.

#include <chrono>
#include <string>

#include <wx/event.h>

#include "win/edit_win_link.h"

class wxStatusBar;

namespace zavo {

class WxStatusField : public StatusField, public wxEvtHandler {
public:
  // The last field of the status bar (which must outlive this object).
  explicit WxStatusField(wxStatusBar* bar);

  void SetText(const char* text) override;
  void Flush() override;

  // The latest text, shown or not.
  const std::string& Text() const { return text_; }

private:
  void Show();

  wxStatusBar* bar_;
  std::string text_;
  bool pending_ = false;
  bool flushQueued_ = false;
  std::chrono::steady_clock::time_point lastShown_{};
};

}  // namespace zavo
