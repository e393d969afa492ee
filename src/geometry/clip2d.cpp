#include "geometry/clip2d.h"

void OutCode(double x, double y, int& code, double xmin, double ymin, double xmax, double ymax) {
  code = 0;
  if (y > ymax) {
    code |= kClipTop;
  } else if (y < ymin) {
    code |= kClipBottom;
  }
  if (x > xmax) {
    code |= kClipRight;
  } else if (x < xmin) {
    code |= kClipLeft;
  }
}

int ClipSegment2D(double& x0, double& y0, double& x1, double& y1, double xmin, double ymin, double xmax,
                  double ymax) {
  int c0, c1;
  OutCode(x0, y0, c0, xmin, ymin, xmax, ymax);
  OutCode(x1, y1, c1, xmin, ymin, xmax, ymax);
  // Each pass moves one end onto a window edge, so a few passes settle any
  // segment; the bound only keeps rounding from looping for ever.
  for (int pass = 0; pass < 64; ++pass) {
    if (c0 == 0 && c1 == 0) return 1;
    if (c0 & c1) return 0;
    const int c = c0 != 0 ? c0 : c1;
    double x = 0.0, y = 0.0;
    if (c & kClipTop) {
      y = ymax;
      x = x0 + (x1 - x0) * (ymax - y0) / (y1 - y0);
    }
    if (c & kClipBottom) {
      y = ymin;
      x = x0 + (x1 - x0) * (ymin - y0) / (y1 - y0);
    }
    if (c & kClipRight) {
      x = xmax;
      y = y0 + (y1 - y0) * (xmax - x0) / (x1 - x0);
    }
    if (c & kClipLeft) {
      x = xmin;
      y = y0 + (y1 - y0) * (xmin - x0) / (x1 - x0);
    }
    if (c == c0) {
      x0 = x;
      y0 = y;
      OutCode(x0, y0, c0, xmin, ymin, xmax, ymax);
    } else {
      x1 = x;
      y1 = y;
      OutCode(x1, y1, c1, xmin, ymin, xmax, ymax);
    }
  }
  return 0;
}
