#include "win/smart_layout.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <sstream>
#include <typeinfo>

SmartKind SmartKindOf(const gcg_obj& item) {
  const std::type_info& t = typeid(item);
  if (t == typeid(Edit_obj)) return SmartKind::Edit;
  if (t == typeid(Bitmap_obj)) return SmartKind::Bitmap;
  if (t == typeid(Button_obj)) return SmartKind::Button;
  if (t == typeid(ScrollBar_obj)) return SmartKind::ScrollBar;
  if (t == typeid(ListBox_obj)) return SmartKind::ListBox;
  if (t == typeid(Color_obj)) return SmartKind::Color;
  if (t == typeid(LogicalSet_obj)) return SmartKind::LogicalSet;
  if (t == typeid(Check_obj)) return SmartKind::Check;
  return SmartKind::None;
}

int SmartWindowCount(SmartKind kind) {
  switch (kind) {
    case SmartKind::None: return 0;
    case SmartKind::Color: return 3;
    case SmartKind::ScrollBar: return 4;
    default: return 2;
  }
}

std::vector<SmartItemShape> SmartShapesOf(const gcg_list& items) {
  std::vector<SmartItemShape> out;
  for (const gcg_obj& item : items) {
    const char* label = item.label;
    out.push_back({SmartKindOf(item), label != nullptr ? static_cast<int>(std::strlen(label)) : 0});
  }
  return out;
}

SmartLayout LayOutSmartDialog(const std::vector<SmartItemShape>& items, const SmartMetrics& m,
                              bool showCancel) {
  SmartLayout out;
  int longest = 10;
  for (const SmartItemShape& s : items) {
    if (s.kind == SmartKind::None || s.kind == SmartKind::ListBox || s.kind == SmartKind::Bitmap ||
        s.kind == SmartKind::Check)
      continue;
    longest = std::max(longest, s.labelLength);
  }
  const int lw = (longest + 5) * m.avgWidth;
  const int cw = 20 * m.avgWidth;
  const int rh = m.charHeight + 10;
  out.labelWidth = lw;
  out.controlWidth = cw;
  out.rowHeight = rh;

  int y = 2 * m.charHeight + 20;
  int id = 100;
  for (size_t i = 0; i < items.size(); ++i) {
    const SmartKind kind = items[i].kind;
    if (kind == SmartKind::None) continue;
    SmartRow row;
    row.item = i;
    row.kind = kind;
    row.firstId = id;
    row.top = y;
    auto& w = row.windows;
    switch (kind) {
      case SmartKind::Edit:
        w = {{0, y, lw, rh}, {lw, y, cw, rh}};
        break;
      case SmartKind::ListBox:
        w = {{0, y, lw, rh}, {lw, y, cw, 5 * rh}};
        break;
      case SmartKind::ScrollBar:
        w = {{0, y, lw, rh}, {lw + 30, y, cw - 60, rh}, {lw, y, 30, rh}, {lw + cw - 30, y, 30, rh}};
        break;
      case SmartKind::Button:
      case SmartKind::LogicalSet:
        w = {{0, y, 1, 1}, {lw / 2, y, cw, rh}};
        break;
      case SmartKind::Color:
        w = {{0, y, 1, 1}, {lw / 2, y, cw, rh}, {lw / 2 + cw, y, lw / 3, rh}};
        break;
      case SmartKind::Bitmap:
        w = {{0, y, lw, rh}, {lw, y, 50, 50}};
        break;
      case SmartKind::Check:
        // The empty static is never placed again: it keeps its creation
        // size and shows nothing.
        w = {{0, y, 80, 22}, {lw / 2, y, cw, rh}};
        break;
      case SmartKind::None:
        break;
    }
    id += SmartWindowCount(kind);
    y += kind == SmartKind::Bitmap ? 60 : rh + 5;
    out.rows.push_back(std::move(row));
  }

  out.width = lw + cw + 10;
  out.height = y + 30;
  out.ok = {10, 10, 5 * m.avgWidth + 10, m.charHeight + 10};
  out.cancel = showCancel ? SmartRect{7 * m.avgWidth + 20, 10, 10 * m.avgWidth, m.charHeight + 10}
                          : SmartRect{-5, -5, 0, 0};
  // Integer division truncates toward zero; a dialog larger than the desktop
  // keeps its negative place.
  out.x = (m.desktopWidth - out.width) / 2;
  out.y = (m.desktopHeight - out.height) / 2;
  return out;
}

namespace {

char Fold(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

bool BeginsNoCase(const std::string& text, const std::string& prefix) {
  if (prefix.size() > text.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Fold(text[i]) != Fold(prefix[i])) return false;
  return true;
}

}  // namespace

int SmartInitialChoice(const std::vector<std::string>& entries, const std::string& chosen) {
  const int n = static_cast<int>(entries.size());
  for (int i = 0; i < n; ++i)
    if (EqualNoCase(entries[i], chosen)) return i;
  for (int k = 1; k <= n; ++k) {
    const int i = k % n;
    if (BeginsNoCase(entries[i], chosen)) return i;
  }
  return -1;
}

int SmartScrollPosition(double from, double to, double value) {
  if (from == to) return 0;
  const double p = (value - from) / (to - from) * 100.0;
  if (!(p >= 0.0)) return 0;  // below the range, or NaN
  if (p >= 100.0) return 100;
  return static_cast<int>(p);
}

double SmartScrollValue(double from, double to, int position) {
  return from + position * 0.01 * (to - from);
}

std::string SmartNumberText(double value) {
  std::ostringstream s;
  s << value;
  return s.str();
}
