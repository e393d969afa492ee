#include "win/app_icon.h"

#include <algorithm>
#include <cmath>

#include <wx/image.h>

namespace zavo {

wxBitmap AppIconBitmap(int side) {
  side = std::max(side, 1);
  wxImage picture(side, side);
  picture.InitAlpha();
  const double r = side / 2.0 - 1.0;
  const double c = side / 2.0;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const double dx = (x + 0.5 - c) / r;
      const double dy = (y + 0.5 - c) / r;
      const double d2 = dx * dx + dy * dy;
      if (d2 > 1.0) {
        picture.SetRGB(x, y, 0, 0, 0);
        picture.SetAlpha(x, y, 0);
        continue;
      }
      // Lit from the upper left.
      const double dz = std::sqrt(1.0 - d2);
      const double light = std::clamp(0.25 + 0.75 * (-0.5 * dx - 0.5 * dy + 0.7 * dz), 0.0, 1.0);
      picture.SetRGB(x, y, static_cast<unsigned char>(40 * light),
                     static_cast<unsigned char>(90 * light),
                     static_cast<unsigned char>(80 + 175 * light));
      picture.SetAlpha(x, y, 255);
    }
  }
  return wxBitmap(picture);
}

wxIcon AppIcon() {
  wxIcon icon;
  icon.CopyFromBitmap(AppIconBitmap(32));
  return icon;
}

}  // namespace zavo
