#pragma once

// Surfaces of revolution of bicubic Bezier patches: a profile in the x-z
// plane (y = 0) turned about the world z axis. The profile is cut into cubic
// segments (points 3s .. 3s + 3; an incomplete last segment is left out) and
// every segment gives four quarter patches, 0 to 90, 90 to 180, 180 to 270
// and 270 to 360 degrees, their tangent handles weighted by 0.45.

#include <iosfwd>
#include <vector>

#include "geometry/point3d.h"

namespace zavo {

// The number of complete cubic segments of n points: floor((n - 1) / 3).
int CubicSegmentCount(int n);

// The patch text of a ".bzr" model file: "{ bezier", an empty line, the
// quarter patches of every segment, then "}" and "." on lines of their own.
void WriteRevolutionFile(std::ostream& os, const std::vector<Point3D>& profile);

}  // namespace zavo
