#pragma once
// The program's icon, drawn at run time (no resource files here).

#include <wx/bitmap.h>
#include <wx/icon.h>

namespace zavo {

// A shaded sphere on a transparent square of the side given (32 by default).
wxBitmap AppIconBitmap(int side = 32);
wxIcon AppIcon();

}  // namespace zavo
