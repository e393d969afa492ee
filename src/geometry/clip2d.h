#pragma once

// Outcode bits of a point against a clipping window.
enum : int { kClipLeft = 1, kClipRight = 2, kClipBottom = 4, kClipTop = 8 };

// Sets code for (x, y) against the window: top is tested before bottom and
// right before left; a point on the border has no bit set.
void OutCode(double x, double y, int& code, double xmin, double ymin, double xmax, double ymax);

// Clips the segment (x0, y0)-(x1, y1) to the window. Answers 1 when some part
// of it lies in the window (the coordinates then hold that part) and 0 when
// none does.
int ClipSegment2D(double& x0, double& y0, double& x1, double& y1, double xmin, double ymin, double xmax,
                  double ymax);
