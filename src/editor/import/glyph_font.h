#pragma once

// The font layer of the 3-D text tool, over FreeType and fontconfig: a font
// chosen by face name, weight and slant is resolved by fontconfig to a file
// and face index and opened at its size in pixels; each character gives its
// advance and its outline records (glyph_outline.h).

#include <memory>
#include <string>

#include "editor/import/glyph_outline.h"
#include "editor/text_tool_shell.h"

namespace zavo {

class GlyphFont {
public:
  virtual ~GlyphFont() = default;
  // 1 when the font's outlines are quadratic (TrueType).
  virtual bool HasQuadraticOutlines() const = 0;
  // The glyph of a Unicode code point (the font's missing-glyph shape when
  // it has none); false when it cannot be loaded as an outline.
  virtual bool Glyph(char32_t code, GlyphOutline& outline) = 0;
};

// The font resolved and opened; null when none is found or it does not open
// (also when the program is built without FreeType).
std::unique_ptr<GlyphFont> OpenGlyphFont(const TextFont& font);

}  // namespace zavo
