#include "win/edit_win_logic.h"

#include <sys/resource.h>
#include <sys/sysinfo.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "geometry/box.h"
#include "geometry/face3.h"
#include "win/view_win.h"

namespace zavo {
namespace {

using A = MenuAction;

MenuCommand Req(int id, int request, bool exempt = false) {
  return {id, A::Request, request, 0, exempt};
}
MenuCommand Own(int id, MenuAction action, int request = 0, int value = 0) {
  return {id, action, request, value, false};
}

std::vector<MenuCommand> BuildTable() {
  std::vector<MenuCommand> t = {
      Req(1, 22),   Req(2, 40),   Req(3, 23),   Req(4, 24),   Req(5, 25),   Req(6, 26),
      Req(7, 29),   Req(8, 39),   Req(9, 44),   Req(10, 49),  Req(11, 62),
      Own(12, A::RequestThenSingle, 78, 0),     Own(13, A::RequestThenSingle, 78, 1),
      Own(14, A::RequestThenSingle, 78, 2),     Own(15, A::RequestThenSingle, 78, -1),
      Req(16, 63),  Req(17, 79, true),          Req(18, 84, true),
      Own(101, A::LayoutSingle),                Own(103, A::OptionsDialog, 47),
      Req(104, 51), Own(105, A::LayoutAll),     Own(106, A::LayoutImage),
      Own(107, A::RenderImage),                 Req(108, 5),  Req(109, 7),  Req(110, 8),
      Req(111, 6),  Req(112, 9),  Req(113, 16), Req(114, 10), Req(115, 13), Req(116, 18),
      Req(117, 17), Req(118, 19), Req(119, 21), Req(120, 20), Req(121, 12), Req(122, 11),
      Req(123, 15), Req(124, 14), Req(125, 41), Req(126, 31), Req(127, 27), Req(128, 28),
      Req(129, 32), Req(130, 30), Req(131, 34), Req(132, 33), Req(133, 35), Req(134, 37),
      Req(135, 43), Req(136, 42), Req(137, 53), Req(138, 52), Req(139, 55), Req(140, 54),
      Req(141, 57), Req(142, 56), Own(145, A::InterfaceOptions),
      Req(146, 59), Req(147, 60), Req(148, 58), Own(149, A::RenderAllFrames),
      Own(222, A::Beep),
      // The library dialogs change the scene: served only while no render runs.
      Req(223, 82), Req(224, 83), Req(225, 85),
      Req(523, 86, true),
  };
  for (int id = 24321; id <= 24326; ++id) t.push_back(Own(id, A::NotActive));
  t.push_back(Req(24329, 38));
  std::sort(t.begin(), t.end(), [](const MenuCommand& a, const MenuCommand& b) { return a.id < b.id; });
  return t;
}

}  // namespace

const std::vector<MenuCommand>& MenuCommands() {
  static const std::vector<MenuCommand> table = BuildTable();
  return table;
}

std::optional<MenuCommand> FindMenuCommand(int id) {
  const auto& t = MenuCommands();
  auto it = std::lower_bound(t.begin(), t.end(), id,
                             [](const MenuCommand& c, int v) { return c.id < v; });
  if (it == t.end() || it->id != id) return std::nullopt;
  return *it;
}

int MouseRecordFlags(int keys, int kind, bool released) {
  int flags = 0;
  if ((keys & kKeyLeft) != 0) flags |= kMouseLeft;
  if ((keys & kKeyRight) != 0) flags |= kMouseRight;
  if ((keys & kKeyMiddle) != 0) flags |= kMouseMiddle;
  if ((keys & kKeyControl) != 0) flags |= kMouseCtrl;
  if ((keys & kKeyShift) != 0) flags |= kMouseShift;
  if (kind == 1 || kind == 2) {
    flags |= released ? kMouseReleased : kMousePressed;
    flags |= kind == 1 ? kMouseLeft : kMouseRight;
  }
  return flags;
}

MouseEventRecord MakeMouseRecord(int view, int x, int y, int keys, int kind, bool released) {
  MouseEventRecord r;
  r.x = x;
  r.y = y;
  r.flags = MouseRecordFlags(keys, kind, released);
  r.kind = kind;
  r.view = view;
  return r;
}

int SingleViewIndex(int answer) {
  if (answer >= 0 && answer <= 2) return answer;
  if (answer == -1) return 3;
  return -1;
}

std::optional<std::vector<ViewPlace>> PlaceViews(int mode, int width, int height, int single) {
  std::vector<ViewPlace> places(4, ViewPlace{-10, -10, 0, 0, false});
  if (mode == kLayoutAll) {
    const int w = width / 2;
    const int h = height / 2;
    places[0] = {0, h, w, h, true};
    places[1] = {0, 0, w, h, true};
    places[2] = {w, 0, w, h, true};
    places[3] = {w, h, w, h, true};
  } else if (mode == kLayoutSingle) {
    const int chosen = SingleViewIndex(single);
    if (chosen < 0) return std::nullopt;
    places[chosen] = {0, 0, width, height, true};
  }
  return places;
}

ScrollRange ImageScrollRange(int mode, bool hasImage, int imageWidth, int imageHeight,
                             int clientWidth, int clientHeight) {
  if (mode != kLayoutImage || !hasImage) return {};
  return {std::max(0, (imageWidth - clientWidth) / 10),
          std::max(0, (imageHeight - clientHeight) / 10)};
}

MemoryFigures CurrentMemoryFigures() {
  MemoryFigures f;
  struct sysinfo info {};
  if (sysinfo(&info) == 0) {
    const std::int64_t unit = info.mem_unit != 0 ? info.mem_unit : 1;
    f.totalPhys = static_cast<std::int64_t>(info.totalram) * unit;
    f.availPhys = static_cast<std::int64_t>(info.freeram + info.bufferram) * unit;
    f.totalPageFile = f.totalPhys + static_cast<std::int64_t>(info.totalswap) * unit;
    f.availPageFile = f.availPhys + static_cast<std::int64_t>(info.freeswap) * unit;
    if (f.totalPhys > 0) f.load = (f.totalPhys - f.availPhys) * 100 / f.totalPhys;
  }
  // The process's address space: its limit (the user half of a 64-bit space
  // when unlimited) and what of it is not mapped.
  std::int64_t limit = std::int64_t{1} << 47;
  struct rlimit rl {};
  if (getrlimit(RLIMIT_AS, &rl) == 0 && rl.rlim_cur != RLIM_INFINITY &&
      rl.rlim_cur < static_cast<rlim_t>(limit)) {
    limit = static_cast<std::int64_t>(rl.rlim_cur);
  }
  f.totalVirtual = limit;
  std::int64_t pages = 0;
  std::ifstream statm("/proc/self/statm");
  if (statm >> pages) {
    f.availVirtual = std::max<std::int64_t>(0, limit - pages * sysconf(_SC_PAGESIZE));
  } else {
    f.availVirtual = limit;
  }
  return f;
}

std::string MemoryReport(const RayCounters& counters, const MemoryFigures& now,
                         const MemoryFigures* previous) {
  std::ostringstream out;
  out << kBoxNIntrLabel << counters.box << "\n";
  out << kTestBoxNIntrLabel << counters.testBox << "\n";
  out << kFaceNIntrLabel << counters.face << "\n";
  out << "\n";
  out << "dwMemoryLoad " << now.load << "\n";
  out << "dwTotalPhys " << now.totalPhys << "\n";
  out << "dwAvailPhys " << now.availPhys << "\n";
  out << "dwTotalPageFile " << now.totalPageFile << "\n";
  out << "dwAvailPageFile " << now.availPageFile << "\n";
  out << "dwTotalVirtual " << now.totalVirtual << "\n";
  out << "dwAvailVirtual " << now.availVirtual;
  if (previous != nullptr) {
    const MemoryFigures& p = *previous;
    out << "\n";
    out << "DMemoryLoad " << now.load - p.load << "\n";
    out << "DTotalPhys " << now.totalPhys - p.totalPhys << "\n";
    out << "DAvailPhys " << now.availPhys - p.availPhys << "\n";
    out << "DTotalPageFile " << now.totalPageFile - p.totalPageFile << "\n";
    out << "DAvailPageFile " << now.availPageFile - p.availPageFile << "\n";
    out << "DTotalVirtual " << now.totalVirtual - p.totalVirtual << "\n";
    out << "DAvailVirtual " << now.availVirtual - p.availVirtual;
  }
  return out.str();
}

std::string DirectoryOfPath(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return "./";
  return path.substr(0, slash + 1);
}

std::string ProgramDirectory() {
  std::string buffer(4096, '\0');
  const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return "./";
  buffer.resize(static_cast<std::size_t>(n));
  return DirectoryOfPath(buffer);
}

}  // namespace zavo
