#pragma once

// The console window of the Prolog system: a separate top-level window with
// the output lines, an input line and the buttons "Enter" and "Ok". It is
// created hidden; "Ok" hides it and it keeps its lines while hidden.

#include <functional>

#include <wx/frame.h>

#include "editor/window_interfaces.h"
#include "win/console_lines.h"

class wxButton;
class wxListBox;
class wxTextCtrl;

namespace zavo {

class ConsoleWin : public wxFrame {
public:
  enum { kListId = 101, kInputId = 102, kEnterId = 103, kOkId = 104 };
  // Characters the input line takes.
  static constexpr int kInputLimit = 500;

  explicit ConsoleWin(wxWindow* parent);

  // Appends the text to the output lines.
  void Write(const char* text);

  // Called with 1 by "Ok".
  void SetOkHandler(std::function<void(int)> handler) { okHandler_ = std::move(handler); }
  // Called with the input line's text by "Enter" (nothing before one is set).
  void SetEnterHandler(Console::InputHandler handler) { enterHandler_ = std::move(handler); }
  // Asked by "Enter" first: while it answers true the line is not handed on.
  void SetRenderRunningTest(std::function<bool()> test) { renderRunning_ = std::move(test); }
  // Called when Escape is pressed while the focus is in the window.
  void SetEscapeHandler(std::function<void()> handler) { escapeHandler_ = std::move(handler); }

  const ConsoleLines& Lines() const { return lines_; }
  wxListBox* List() const { return list_; }
  wxTextCtrl* Input() const { return input_; }
  wxButton* EnterButton() const { return enter_; }
  wxButton* OkButton() const { return ok_; }

  // What the buttons do (also reached by clicking them).
  void PressEnter();
  void PressOk();

private:
  void OnSize(wxSizeEvent& event);
  void OnCharHook(wxKeyEvent& event);
  void PlaceControls(const ConsolePlaces& places);

  ConsoleLines lines_;
  wxListBox* list_;
  wxTextCtrl* input_;
  wxButton* enter_;
  wxButton* ok_;
  std::function<void(int)> okHandler_;
  Console::InputHandler enterHandler_;
  std::function<bool()> renderRunning_;
  std::function<void()> escapeHandler_;
};

}  // namespace zavo
