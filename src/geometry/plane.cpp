#include "geometry/plane.h"

#include "foundation/runtime_error_box.h"

Point3D Plane::AnyPoint() const {
  if (a != 0.0) return {-d / a, 0.0, 0.0};
  if (b != 0.0) return {0.0, -d / b, 0.0};
  if (c != 0.0) return {0.0, 0.0, -d / c};
  RuntimeErrorBox("Plane incoerente");
}
