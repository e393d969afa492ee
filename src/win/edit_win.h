#pragma once

// The editing window: the client window of the main frame. It owns the editor
// document (made through a replaceable factory) and every window-side
// implementation of the editor's interfaces, turns menu commands, typed
// characters and mouse events into editor requests and mouse records, lays
// out the four view windows, renders the scene's image into itself and shows
// it, and asks before a modified scene is closed.
//
// Busy flag: set while an image is rendered. The render drains the event
// queue, so commands, paints and size events re-enter the window; every
// handler tests the flag.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <wx/bitmap.h>
#include <wx/scrolwin.h>

#include "editor/back_to_editor.h"
#include "win/bmp_manager.h"
#include "win/edit_win_link.h"
#include "win/edit_win_logic.h"
#include "win/generic_list.h"
#include "win/shell_settings.h"
#include "win/smart_dialog.h"
#include "win/view_win.h"
#include "win/win_console.h"
#include "win/win_fly_menu.h"
#include "win/win_qz_interface.h"
#include "win/win_supp.h"
#include "win/win_text_tool_shell.h"
#include "win/win_wire_frame_image.h"

class wxStatusBar;

namespace zavo {

class WxStatusField;

// Makes the editor document for the test flag.
using EditorFactory = std::function<std::unique_ptr<BackToEditor>(int test)>;
// Replaces the factory of the editing windows made from now on (null restores
// the real editor document); answers the previous one.
EditorFactory SetEditorFactory(EditorFactory factory);

class EditWin : public wxScrolledCanvas, public EditWinLink {
public:
  // The view types of views 0 to 3: top, front, side, perspective.
  static constexpr std::array<int, 4> kViewTypes{2, 4, 3, 1};

  // Builds the window, the document and everything wired to it, reads the
  // settings and sends the start-up requests (1, 2, 81, 45 with a settings
  // file, 64, 80). test is the application's Test flag.
  EditWin(wxWindow* parent, int test);
  ~EditWin() override;
  EditWin(const EditWin&) = delete;
  EditWin& operator=(const EditWin&) = delete;

  // The window made last (the 3-D text tool reaches the window through it);
  // null when none lives.
  static EditWin* Current();
  // Its editor holder; null when no window lives.
  static VirtualEditor* CurrentEditor();

  // ---- EditWinLink ----
  wxWindow* Window() override { return this; }
  StatusField* Status() override;
  wxPoint ScrollOffset() const override;
  // Scrolling repaints the image at its new offset and moves no child window
  // (the views are hidden whenever the image can be scrolled).
  void ScrollWindow(int dx, int dy, const wxRect* rect = nullptr) override;

  // Unless busy: request 36 with the view.
  void DrawView(int view) override;
  // Unless busy: the mouse record to the editor.
  void LeftButton(int view, wxPoint point, int keys, int released) override;
  void RightButton(int view, wxPoint point, int keys, int released) override;
  void MouseMove(int view, wxPoint point, int keys) override;

  // ---- Requests and commands ----

  // Sends one request whatever the busy flag; answers the record after the
  // call (value and value2 hold the answers).
  EDCommand Send(int code, int value = 0, const char* text = nullptr);
  // Unless busy, Send.
  std::optional<EDCommand> SendEvent(int code, int value = 0);
  // A menu command (the table of edit_win_logic.h); ids 5000 to 9999 are
  // pop-up menu choices.
  void MenuCommandId(int id);
  // A typed character (the key to the selected object's module, the "t" test
  // menu, the "|" memory box).
  void Char(int ch);
  // May the window close: never while busy; asks when the scene is modified.
  bool CanClose();

  // ---- Layout and image ----
  void Relayout(int width, int height);
  // With the stored size.
  void Relayout();
  void AdjustScroller();
  int LayoutMode() const { return layoutMode_; }
  void SetLayoutMode(int mode) { layoutMode_ = mode; }
  int RenderImage();
  void ShowAndRenderImage();
  void RenderAllFrames();
  // Unless busy, renders with the render sink's message boxes set to show;
  // 1, or 0 when busy.
  int RenderQuiet(int show);

  // ---- Settings ----
  void WriteSettings();
  void CmInterfaceOptions();

  void SetStatusBar(wxStatusBar* bar);

  // ---- State ----
  int Busy() const { return busy_; }
  VirtualEditor& Editor() { return holder_; }
  WinQZInterface& RenderSink() { return sink_; }
  WinConsole& ConsoleImpl() { return console_; }
  WinFlyMenu& FlyMenuImpl() { return flyMenu_; }
  WinSupp& Support() { return winSupp_; }
  ShellSettings& Settings() { return settings_; }
  // View window i (0 to 3) of set 0 (A) or 1 (B), and its surface.
  ViewWinBase* View(int set, int i) const { return views_[set][i]; }
  WinWireFrameImage& Surface(int set, int i) { return *surfaces_[set][i]; }
  const BmpManager& Image() const { return image_; }
  ScrollRange Range() const { return range_; }
  int TestDB() const { return testDB_; }
  const std::string& ProgramDir() const { return programDir_; }
  wxSize StoredSize() const { return {width_, height_}; }

private:
  class StatusGadget;

  void OnSize(wxSizeEvent& event);
  void OnPaint(wxPaintEvent& event);
  void OnChar(wxKeyEvent& event);
  void OnKeyDown(wxKeyEvent& event);
  void OnMenu(wxCommandEvent& event);
  void Paint(wxDC& dc);
  void ShowTestMenu();
  void ShowMemoryBox();
  // Steps 2 to 8 of a render (the window target, request 3, the bitmap);
  // then runs `render` and ends the render.
  void RenderInto(const std::function<void()>& render);

  // Member order follows the construction steps.
  VirtualEditor holder_;
  std::unique_ptr<StatusGadget> statusGadget_;
  WinQZInterface sink_;
  WinMultiEdit multiEdit_;
  WinGenericList listShower_;
  WinConsole console_;
  WinSupp winSupp_;
  WinDialog_obj dialog_;
  WinFlyMenu flyMenu_;
  std::array<std::array<ViewWinBase*, 4>, 2> views_{};
  std::array<std::array<std::unique_ptr<WinWireFrameImage>, 4>, 2> surfaces_;
  int layoutMode_ = kLayoutAll;
  int busy_ = 0;
  ShellSettings settings_;
  int width_ = 0;
  int height_ = 0;
  BmpManager image_;
  wxBitmap shown_;       // image_ as a bitmap, made when painted
  bool shownStale_ = true;
  bool drawingImage_ = false;  // the image is the render's memory target
  wxStatusBar* statusBar_ = nullptr;

  int testDB_ = 0;
  std::string programDir_;
  bool firstSize_ = true;
  ScrollRange range_;
  std::optional<MemoryFigures> lastMemory_;

  // Printing: what the paint shows, drawn onto another canvas.
public:
  // The kept image with its top left at the canvas's origin (no scroll
  // offset, no background); nothing without an image.
  void PaintImageOn(wxDC& dc);

  // 3-D text: the font chooser and text settings, handed to the document.
private:
  WinTextToolShell textToolShell_{*this};
};

}  // namespace zavo
