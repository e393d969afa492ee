#pragma once

// The shell's part of the 3-D text tool: wx's font dialog as the font
// chooser, the shell's message box, and ConvertText and TextQuality as the
// editing window keeps them in its editor holder. Made as a member of the
// editing window, it hands itself to the window's document (when that is the
// real editor document).

#include "editor/text_tool_shell.h"

namespace zavo {

class EditWin;

class WinTextToolShell : public TextToolShell {
public:
  explicit WinTextToolShell(EditWin& window);
  WinTextToolShell(const WinTextToolShell&) = delete;
  WinTextToolShell& operator=(const WinTextToolShell&) = delete;

  // The font dialog started from the font; OK gives its face, weight, slant
  // and its point size in pixels at the screen's vertical resolution.
  int ChooseFont(TextFont& font) override;
  void StopBox(const char* text, const char* caption) override;
  int ConvertText() const override;
  int TextQuality() const override;

private:
  EditWin& window_;
};

}  // namespace zavo
