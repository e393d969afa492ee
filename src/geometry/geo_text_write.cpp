#include <ostream>

#include "geometry/geo_text.h"
#include "geometry/real_text.h"

using zavo::WriteReal;

void WritePoint3D(const Point3D& point, std::ostream& os) {
  os << "( ";
  WriteReal(os, point.x);
  os << " , ";
  WriteReal(os, point.y);
  os << " , ";
  WriteReal(os, point.z);
  os << " )";
}

void WritePoint2D(const Point2D& point, std::ostream& os) {
  os << "( ";
  WriteReal(os, point.x);
  os << " , ";
  WriteReal(os, point.y);
  os << " )";
}

void WriteNumberRecord6(std::ostream& os, double xmin, double xmax, double ymin, double ymax, double zmin,
                        double zmax) {
  const double values[6] = {xmin, xmax, ymin, ymax, zmin, zmax};
  os << "[ ";
  for (int i = 0; i < 6; ++i) {
    if (i > 0) os << " , ";
    WriteReal(os, values[i]);
  }
  os << " ]";
}

void WriteBound(std::ostream& os, const BoundingObject& volume) {
  os << "{ bound\n\tmodel ";
  volume.Save(os);
  os << "}\n";
}
