#include "win/console_lines.h"

namespace zavo {

void ConsoleLines::Write(const char* text) {
  if (lines_.empty()) lines_.emplace_back();
  if (text == nullptr) return;
  const char* piece = text;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p != '\n') continue;
    lines_.back().append(piece, p);
    lines_.emplace_back();
    if (lines_.size() > kMaxLines) lines_.erase(lines_.begin());
    piece = p + 1;
  }
  lines_.back().append(piece);
}

ConsolePlaces ConsoleInitialPlaces() {
  return {{10, 10, 300, 300}, {10, 310, 300, 30}, {10, 350, 100, 30}, {120, 350, 100, 30}};
}

ConsolePlaces ConsoleSizedPlaces(int width, int height) {
  return {{0, 0, width, height - 60},
          {0, height - 60, width, 30},
          {0, height - 30, 100, 30},
          {130, height - 30, 100, 30}};
}

}  // namespace zavo
