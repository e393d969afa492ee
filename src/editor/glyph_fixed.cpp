#include "editor/glyph_fixed.h"

double FixedToDouble(GlyphFixed fixed) { return fixed.value + fixed.fract / 65535.0; }
