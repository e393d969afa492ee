#pragma once

// The support services that the editor document asks of the shell: titles,
// status text, cursors, the Yes/No/Cancel question, queue draining with the
// mouse-moved flag, and the settings file named by win.ini.

#include "editor/window_interfaces.h"
#include "win/edit_win_link.h"

class WinSupp : public CG_WinSupp {
public:
  WinSupp() = default;
  ~WinSupp() override;
  WinSupp(const WinSupp&) = delete;
  WinSupp& operator=(const WinSupp&) = delete;

  // The editing window, set once by the editing window.
  void SetEditWin(zavo::EditWinLink* editWin) { editWin_ = editWin; }

  // The caption of the editing window's parent; nothing without a parent.
  void SetTitle(const char* text) override;
  void SetStatus(const char* text) override;
  // The busy cursor; every BeginWait is ended by one EndWait (an EndWait
  // without its BeginWait does nothing, and the destructor ends what is open).
  void BeginWait() override;
  void EndWait() override;
  // 1 Yes, 0 No, -1 Cancel, Escape or the close box.
  int Ask(const char* question, const char* title) override;
  void Idle() override {}
  // Drains the queue, then answers the mouse-moved flag and resets it.
  int Poll() override;
  // The settings file is the one win.ini names at the time of the call.
  // Without one, reads give the default and writes answer 0.
  int WriteSetting(const char* section, const char* key, const char* value) override;
  void ReadSetting(const char* section, const char* key, const char* defaultText,
                   charString& result) override;

private:
  zavo::EditWinLink* editWin_ = nullptr;
  int waitDepth_ = 0;
};
