#pragma once

// What the 3-D text tool (request 63) asks of the window shell: its font
// chooser, a stop-icon message box, and the two text settings that the
// editing window keeps in the editor holder. Without one, request 63 does
// nothing. Global, like the
// other window-side interfaces of the editor.

#include <string>

// A font as the tool asks for it: a face name resolved by the font layer,
// the size in pixels (the shell turns a chosen point size into pixels at the
// screen resolution: points x dots per inch / 72), the weight (400 regular,
// 700 bold) and the slant.
struct TextFont {
  std::string face = "fixedsys";
  double pixelSize = 9.0;
  int weight = 400;
  bool italic = false;
};

class TextToolShell {
public:
  virtual ~TextToolShell() = default;
  // The chooser started from font: 1 on OK with font replaced by the choice,
  // 0 on cancel, -1 when the chooser itself failed.
  virtual int ChooseFont(TextFont& font) = 0;
  // A message box with the stop icon.
  virtual void StopBox(const char* text, const char* caption) = 0;
  // ConvertText (0 or 1) and TextQuality.
  virtual int ConvertText() const = 0;
  virtual int TextQuality() const = 0;
};
