#pragma once

// The check that keeps a camera's view coordinate system sound: its normal
// VPN and up vector VUP must span a plane.

#include "geometry/point3d.h"

namespace zavo {

inline constexpr const char* kParallelVectorsText = "VUP and VPN are parallel. Cannot change.";

// True when VUP x VPN is the zero vector: no u axis can be made from them.
inline bool VectorsParallel(const Point3D& vpn, const Point3D& vup) { return Length(Cross(vpn, vup)) == 0.0; }

}  // namespace zavo
