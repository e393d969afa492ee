#pragma once

// 3-D text (request 63): the outline of every character of a typed text, in
// a font chosen through the shell (TextToolShell), becomes planar curve
// objects in the scene, one per contour, glyph after glyph along x.

#include <string_view>

class CG_GraphicEditor;

namespace zavo {

class GlyphFont;

// The objects of the text's contours in the font, the pen starting at x = 0
// and moving on by each glyph's advance. A contour of straight records only
// becomes a closed polyline; one with a spline a closed quadratic NURBS curve
// (div 5), or with convertText an open polyline of that curve's vertices at
// div textQuality (at least 1). Each object gets a fresh "obj" name and the
// material "standard". "text.log" in the working directory is made anew for
// every character. The number of objects added (the scene is marked modified
// when there are any).
int AddTextCurves(CG_GraphicEditor& editor, GlyphFont& font, std::u32string_view text, int convertText,
                  int textQuality);

// The request: the shell's font chooser (a chooser error shows "Error in font
// dialog box!" and goes on with the initial font), a font without quadratic
// outlines refused with "The font <face> has no TrueType outlines.", the
// dialog "Enter text" (field "Text", UTF-8), then AddTextCurves with the
// shell's settings. Cancel, an empty text or no shell add nothing. 1 when
// objects were added, else 0.
int TextTo3D(CG_GraphicEditor& editor);

}  // namespace zavo
