#pragma once

// The editing window's rules that need no display: the menu-command table,
// the mouse record, the placement of the four views, the image's scroll
// range, the memory report and the program directory.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/back_to_editor.h"

namespace zavo {

// What a menu command does besides (or instead of) sending its request.
enum class MenuAction {
  Request,           // send the request (with the value when given)
  RequestThenSingle, // send the request with the value, then layout mode 1
  LayoutAll,         // layout mode 0
  LayoutSingle,      // layout mode 1
  LayoutImage,       // layout mode 2
  OptionsDialog,     // the editor's options (47); the settings are written
                     // when its answer value is non-zero
  RenderImage,       // show and render the image
  RenderAllFrames,   // render every animation frame
  InterfaceOptions,  // the "Interface options" dialog
  Beep,              // a plain beep
  NotActive,         // "Command not active" through the render sink
};

struct MenuCommand {
  int id = 0;
  MenuAction action = MenuAction::Request;
  int request = 0;  // 0 when no request is sent
  int value = 0;
  // Served while an image is being rendered.
  bool busyExempt = false;
};

// Every command of the editing window, in id order.
const std::vector<MenuCommand>& MenuCommands();
// The command of the id; nothing for an id the window does not serve.
std::optional<MenuCommand> FindMenuCommand(int id);

// Pop-up menu choices arrive as these command ids.
inline constexpr int kFirstPopupCommand = 5000;
inline constexpr int kLastPopupCommand = 9999;

// The mouse record's flags from the view window's key-state word (view_win.h:
// kKeyLeft, kKeyRight, kKeyShift, kKeyControl, kKeyMiddle). kind 0 is a move
// (key-state bits only), 1 a left-button and 2 a right-button event, which
// add the press (128) or release (64) bit and their own button bit; bits are
// combined, never added.
int MouseRecordFlags(int keys, int kind, bool released);
MouseEventRecord MakeMouseRecord(int view, int x, int y, int keys, int kind, bool released);

// Layout modes of the editing window.
inline constexpr int kLayoutAll = 0;
inline constexpr int kLayoutSingle = 1;
inline constexpr int kLayoutImage = 2;

struct ViewPlace {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool active = false;
};

// Where the four views go for a client area of width x height. Mode 0 shares
// the area out; mode 1 shows the view that `single` names (0, 1, 2, or -1 for
// view 3) over the whole area; mode 2 shows none. Inactive views go to
// (-10, -10) with size 0 x 0. Nothing when mode 1 names no view (the views
// then stay where they are).
std::optional<std::vector<ViewPlace>> PlaceViews(int mode, int width, int height, int single);

// The view a single-view answer names: 0, 1, 2, 3 for -1; -1 for any other
// answer.
int SingleViewIndex(int answer);

// The image's scroll range in units of 10 pixels: in image mode with an image,
// what the image exceeds the client area by (integer division, at least 0);
// otherwise (0, 0).
struct ScrollRange {
  int x = 0;
  int y = 0;
  friend bool operator==(const ScrollRange&, const ScrollRange&) = default;
};
ScrollRange ImageScrollRange(int mode, bool hasImage, int imageWidth, int imageHeight,
                             int clientWidth, int clientHeight);

// The memory figures of the "|" report: load in percent, then bytes.
struct MemoryFigures {
  std::int64_t load = 0;
  std::int64_t totalPhys = 0;
  std::int64_t availPhys = 0;
  std::int64_t totalPageFile = 0;
  std::int64_t availPageFile = 0;
  std::int64_t totalVirtual = 0;
  std::int64_t availVirtual = 0;
};

// The figures of this machine and process: sysinfo for memory and swap
// (page file = physical plus swap), the address-space limit of the process
// and what of it is not mapped (/proc/self/statm) for the virtual figures.
MemoryFigures CurrentMemoryFigures();

struct RayCounters {
  std::uint64_t box = 0;
  std::uint64_t testBox = 0;
  std::uint64_t face = 0;
};

// The text of the "Memory" box: one line per value, label then value; the
// differences to the previous figures follow when there were any.
std::string MemoryReport(const RayCounters& counters, const MemoryFigures& now,
                         const MemoryFigures* previous);

// The directory of an executable's path with its trailing "/"; "./" for a
// path without one.
std::string DirectoryOfPath(const std::string& path);
// The directory of the running program (/proc/self/exe) with its trailing
// "/"; "./" when it cannot be read.
std::string ProgramDirectory();

}  // namespace zavo
