#include <ostream>
#include <string>

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

int WriteVector(std::ostream& os, const Vector<double>& vector) {
  os << "( ";
  for (std::uint32_t i = 0; i < vector.Count(); ++i) {
    if (i > 0) os << " , ";
    WriteReal(os, vector[i]);
  }
  os << " )";
  return 1;
}

int WriteMatrix(std::ostream& os, const Matrix<double>& matrix) {
  os << "[ ";
  for (std::uint32_t i = 0; i < matrix.Rows(); ++i) {
    if (i > 0) os << " ;\n";
    for (std::uint32_t j = 0; j < matrix.Cols(); ++j) {
      if (j > 0) os << " , ";
      WriteReal(os, matrix(i, j));
    }
  }
  os << " ]";
  return 1;
}

void AppendNumberRecord6(std::string& out, double xmin, double xmax, double ymin, double ymax, double zmin,
                         double zmax) {
  const double values[6] = {xmin, xmax, ymin, ymax, zmin, zmax};
  out += "[ ";
  for (int i = 0; i < 6; ++i) {
    if (i > 0) out += " , ";
    zavo::AppendReal(out, values[i]);
  }
  out += " ]";
}

void WriteNumberRecord6(std::ostream& os, double xmin, double xmax, double ymin, double ymax, double zmin,
                        double zmax) {
  // Made whole, then written at once: hierarchy files hold a record a node.
  std::string text;
  text.reserve(128);
  AppendNumberRecord6(text, xmin, xmax, ymin, ymax, zmin, zmax);
  os.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void WriteBound(std::ostream& os, const BoundingObject& volume) {
  os << "{ bound\n\tmodel ";
  volume.Save(os);
  os << "}\n";
}
