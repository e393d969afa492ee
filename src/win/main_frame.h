#pragma once

// The main frame "zavo": the editing window as its client, menu 100 (Test
// flag non-zero) or 101, accelerator table 100, a status bar with the menu
// hints and the editing window's text field, dropped files, the help keys,
// the size limits that request 50 sets and the minimized flag of the render
// sink. Menu commands go to the editing window's table first, then to the
// application's commands.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <wx/frame.h>

#include "win/app_commands.h"

class Dialog_obj;
class wxDropFilesEvent;
class wxIconizeEvent;
class wxIdleEvent;

namespace zavo {

class EditWin;

// The status text field's width in characters.
inline constexpr int kStatusFieldChars = 20;

class MainFrame : public wxFrame, private AppHost {
public:
  // Builds the frame hidden: the editing window (whose construction sends
  // its start-up requests), the menu, accelerators and status bar, then
  // request 64 (the editor writes the title). Accepts dropped files.
  explicit MainFrame(int test);
  ~MainFrame() override;

  EditWin& Edit() { return *editWin_; }
  AppCommands& Commands() { return commands_; }
  int MenuNumber() const { return menu_; }

  // A menu command or accelerator: in context-help mode the help box for
  // the id instead; else the editing window's command, else the
  // application's.
  void Command(int id);
  // The program's arguments without its name: a single one is a scene,
  // opened at the first idle moment (once).
  void SetCommandLine(const std::vector<std::string>& arguments);
  // The help keys, before any window sees the key: F1 shows the index,
  // Shift+F1 enters context-help mode, Escape leaves it. True when the key
  // was taken.
  bool HelpKey(int keyCode, bool shift);
  // The dialog runner of "Choose a type" (null: the frame's own).
  void SetDialog(Dialog_obj* dialog);

private:
  // ---- AppHost ----
  bool Busy() override;
  void Send(int code, const char* text) override;
  bool CanClose() override;
  void RenderQuiet() override;
  wxWindow* Owner() override { return this; }
  Dialog_obj& Dialog() override;

  void OnMenu(wxCommandEvent& event);
  void OnUpdatePrint(wxUpdateUIEvent& event);
  void OnClose(wxCloseEvent& event);
  void OnIdle(wxIdleEvent& event);
  void OnIconize(wxIconizeEvent& event);
  void OnDropFiles(wxDropFilesEvent& event);
  void OnCharHook(wxKeyEvent& event);
  void SetContextHelp(bool on);
  void PrintCommand(int id);

  EditWin* editWin_ = nullptr;
  AppCommands commands_;
  int menu_ = 0;
  std::unique_ptr<Dialog_obj> ownDialog_;
  Dialog_obj* dialog_ = nullptr;
  std::optional<std::string> pendingScene_;
  // The frame's size is held while request 50 answers 0.
  bool sizeHeld_ = false;
};

}  // namespace zavo
