#include "win/main_frame.h"

#include <wx/accel.h>
#include <wx/icon.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

#include "win/about_box.h"
#include "win/edit_win.h"
#include "win/edit_win_logic.h"
#include "win/menus.h"
#include "win/printing.h"
#include "win/smart_dialog.h"
#include "win/zavo_icon.h"

namespace zavo {
namespace {

bool IsPrintCommand(int id) { return id == 24337 || id == 24338 || id == 24340; }

}  // namespace

MainFrame::MainFrame(int test)
    : wxFrame(nullptr, wxID_ANY, "zavo", wxDefaultPosition, wxSize(800, 600)),
      commands_(*this) {
  // The editing window needs its parent when it is made: the frame exists
  // first (hidden), and the window's construction requests still come
  // before the title request below.
  editWin_ = new EditWin(this, test);
  ownDialog_ = std::make_unique<WinDialog_obj>(this);
  dialog_ = ownDialog_.get();

  SetIcon(wxIcon(kZavoIcon));
  menu_ = test != 0 ? kFullMenu : kReducedMenu;
  SetMenuBar(BuildMenuBar(menu_));
  SetAcceleratorTable(MakeAcceleratorTable());

  wxStatusBar* bar = CreateStatusBar(2, wxSTB_DEFAULT_STYLE & ~wxSTB_SIZEGRIP);
  const int widths[] = {-1, bar->GetCharWidth() * kStatusFieldChars};
  bar->SetStatusWidths(2, widths);
  const int styles[] = {wxSB_SUNKEN, wxSB_SUNKEN};
  bar->SetStatusStyles(2, styles);
  SetStatusBarPane(0);
  editWin_->SetStatusBar(bar);

  editWin_->Send(64);
  DragAcceptFiles(true);

  Bind(wxEVT_MENU, &MainFrame::OnMenu, this);
  for (int id : {24337, 24338, 24340}) Bind(wxEVT_UPDATE_UI, &MainFrame::OnUpdatePrint, this, id);
  Bind(wxEVT_CLOSE_WINDOW, &MainFrame::OnClose, this);
  Bind(wxEVT_IDLE, &MainFrame::OnIdle, this);
  Bind(wxEVT_ICONIZE, &MainFrame::OnIconize, this);
  Bind(wxEVT_DROP_FILES, &MainFrame::OnDropFiles, this);
  Bind(wxEVT_CHAR_HOOK, &MainFrame::OnCharHook, this);
}

MainFrame::~MainFrame() {
  if (commands_.ContextHelp()) wxSetCursor(wxNullCursor);
}

void MainFrame::SetDialog(Dialog_obj* dialog) { dialog_ = dialog != nullptr ? dialog : ownDialog_.get(); }

void MainFrame::SetCommandLine(const std::vector<std::string>& arguments) {
  pendingScene_ = CommandLineScene(arguments);
}

void MainFrame::Command(int id) {
  if (commands_.ContextHelp()) {
    // Context help: the command's topic, and the command does not run.
    SetContextHelp(false);
    commands_.ShowHelp(std::to_string(id));
    return;
  }
  if (FindMenuCommand(id) || (id >= kFirstPopupCommand && id <= kLastPopupCommand)) {
    editWin_->MenuCommandId(id);
    return;
  }
  if (AppCommands::Serves(id)) {
    commands_.Run(id);
    return;
  }
  if (IsPrintCommand(id)) {
    PrintCommand(id);
    return;
  }
  switch (id) {
    case 24310:
      if (!Busy()) Close();
      break;
    case 2009: ShowAboutBox(this); break;
    default: break;
  }
}

void MainFrame::PrintCommand(int id) {
  if (id == 24340) {
    ShowPrintPreview(this, *editWin_);
    return;
  }
  if (Busy()) return;
  if (id == 24337) {
    PrintWindowImage(this, *editWin_);
  } else {
    PrintSetup(this);
  }
}

bool MainFrame::HelpKey(int keyCode, bool shift) {
  if (keyCode == WXK_F1) {
    if (shift) {
      SetContextHelp(true);
    } else {
      commands_.ShowHelp(kHelpIndexTopic);
    }
    return true;
  }
  if (keyCode == WXK_ESCAPE && commands_.ContextHelp()) {
    SetContextHelp(false);
    return true;
  }
  return false;
}

void MainFrame::SetContextHelp(bool on) {
  if (on == commands_.ContextHelp()) return;
  commands_.SetContextHelp(on);
  const wxCursor cursor = on ? wxCursor(wxCURSOR_QUESTION_ARROW) : wxNullCursor;
  SetCursor(cursor);
  wxSetCursor(cursor);
}

bool MainFrame::Busy() { return editWin_->Busy() != 0; }

void MainFrame::Send(int code, const char* text) { editWin_->Send(code, 0, text); }

bool MainFrame::CanClose() { return editWin_->CanClose(); }

void MainFrame::RenderQuiet() { editWin_->RenderQuiet(0); }

Dialog_obj& MainFrame::Dialog() { return *dialog_; }

void MainFrame::OnMenu(wxCommandEvent& event) { Command(event.GetId()); }

void MainFrame::OnUpdatePrint(wxUpdateUIEvent& event) { event.Enable(PrinterUsable()); }

void MainFrame::OnClose(wxCloseEvent& event) {
  if (event.CanVeto() && !editWin_->CanClose()) {
    event.Veto();
    return;
  }
  Destroy();
}

void MainFrame::OnIdle(wxIdleEvent& event) {
  event.Skip();
  if (pendingScene_) {
    const std::string scene = *pendingScene_;
    pendingScene_.reset();
    commands_.OpenSceneInItsDirectory(scene);
  }
  // No size-limit query exists here: while the editor answers 0 the frame
  // keeps its current size.
  const bool hold = editWin_->Send(50).value == 0;
  if (hold == sizeHeld_) return;
  sizeHeld_ = hold;
  if (hold) {
    SetSizeHints(GetSize(), GetSize());
  } else {
    SetSizeHints(wxDefaultSize, wxDefaultSize);
  }
}

void MainFrame::OnIconize(wxIconizeEvent& event) {
  event.Skip();
  if (event.IsIconized()) {
    editWin_->RenderSink().minimized = 1;
  } else {
    editWin_->RenderSink().minimized = 0;
    editWin_->Send(64);
  }
}

void MainFrame::OnDropFiles(wxDropFilesEvent& event) {
  std::vector<std::string> names;
  for (int i = 0; i < event.GetNumberOfFiles(); ++i) {
    names.emplace_back(event.GetFiles()[i].utf8_str());
  }
  commands_.OpenDroppedFiles(names);
}

void MainFrame::OnCharHook(wxKeyEvent& event) {
  if (!HelpKey(event.GetKeyCode(), event.ShiftDown())) event.Skip();
}

}  // namespace zavo
