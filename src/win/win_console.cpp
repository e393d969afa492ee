#include "win/win_console.h"

#include "win/console_win.h"

namespace zavo {

WinConsole::~WinConsole() {
  if (ConsoleWin* window = window_.get()) window->Destroy();
}

void WinConsole::Bind(EditWinLink* owner) {
  owner_ = owner;
  if (window_ != nullptr) return;
  window_ = new ConsoleWin(owner != nullptr ? owner->Window() : nullptr);
  ConsoleWin* window = window_.get();
  window_->SetOkHandler([window](int) { window->Hide(); });
  window_->SetEnterHandler(handler_);
  window_->SetRenderRunningTest(renderRunning_);
  window_->SetEscapeHandler([this] {
    if (owner_ != nullptr) owner_->escapePressed = 1;
  });
}

void WinConsole::Show(int /*flag*/) {
  if (window_ != nullptr) window_->Show();
}

void WinConsole::Write(const char* text) {
  if (window_ != nullptr) window_->Write(text);
}

void WinConsole::SetInputHandler(InputHandler handler) {
  handler_ = std::move(handler);
  if (window_ != nullptr) window_->SetEnterHandler(handler_);
}

void WinConsole::SetRenderRunningTest(std::function<bool()> test) {
  renderRunning_ = std::move(test);
  if (window_ != nullptr) window_->SetRenderRunningTest(renderRunning_);
}

}  // namespace zavo
