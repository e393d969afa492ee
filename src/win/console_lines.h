#pragma once

// The text of the console window: the most recent output lines, the last of
// them the line in progress. A text without a newline extends the line in
// progress; each newline closes it and opens a new empty last line; the
// oldest lines are dropped beyond kMaxLines.

#include <string>
#include <vector>

namespace zavo {

class ConsoleLines {
public:
  static constexpr std::size_t kMaxLines = 30;

  void Write(const char* text);
  const std::vector<std::string>& Lines() const { return lines_; }

private:
  std::vector<std::string> lines_;
};

// Places of the console window's controls, in client pixels.
struct ConsoleRect {
  int x, y, w, h;
  bool operator==(const ConsoleRect&) const = default;
};
struct ConsolePlaces {
  ConsoleRect list, input, enter, ok;
  bool operator==(const ConsolePlaces&) const = default;
};

// Where the controls are created.
ConsolePlaces ConsoleInitialPlaces();
// Where they go when the client area becomes width x height.
ConsolePlaces ConsoleSizedPlaces(int width, int height);

}  // namespace zavo
