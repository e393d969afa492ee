#pragma once

// The editor's console over a ConsoleWin. Binding creates the window once,
// hidden, as a child of the owner's window; later binds only change the owner.

#include <functional>

#include <wx/weakref.h>

#include "editor/window_interfaces.h"
#include "win/console_win.h"
#include "win/edit_win_link.h"

namespace zavo {


class WinConsole : public Console {
public:
  WinConsole() = default;
  ~WinConsole() override;
  WinConsole(const WinConsole&) = delete;
  WinConsole& operator=(const WinConsole&) = delete;

  void Bind(EditWinLink* owner);

  void Show(int flag) override;
  void Write(const char* text) override;
  void SetInputHandler(InputHandler handler) override;

  // Asked by "Enter" before the line is handed on (the owner's render guard).
  void SetRenderRunningTest(std::function<bool()> test);

  ConsoleWin* Window() const { return window_.get(); }
  EditWinLink* Owner() const { return owner_; }

private:
  // Cleared when the window goes with its parent.
  wxWeakRef<ConsoleWin> window_;
  EditWinLink* owner_ = nullptr;
  InputHandler handler_;
  std::function<bool()> renderRunning_;
};

}  // namespace zavo
