#pragma once

// Texts of Bezier patches and NURBS patches for the tests.

#include <functional>
#include <sstream>
#include <string>

#include "geometry/point3d.h"

namespace zavo::test {

inline std::string PointText(const Point3D& p) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os << "( " << p.x << " , " << p.y << " , " << p.z << " )";
  return os.str();
}

// One "{ patch ... }" with control point (r, c) = at(r, c), listed column by column.
inline std::string BezierPatchText(const std::function<Point3D(int r, int c)>& at) {
  std::string text = "{ patch\n";
  for (int k = 0; k < 16; ++k) text += PointText(at(k % 4, k / 4)) + "\n";
  return text + "}\n";
}

// A flat patch over x and y from x0 to x0 + 3 s, y0 to y0 + 3 s at height z.
inline std::string FlatBezierPatch(double x0, double y0, double s, double z = 0.0) {
  return BezierPatchText([=](int r, int c) { return Point3D{x0 + r * s, y0 + c * s, z}; });
}

inline std::string BezierText(const std::string& patches) { return "{ bezier\n" + patches + "}\n"; }

// The bilinear NURBS patch over the corners (0,0,0), (1,0,0), (0,1,0),
// (1,1,1) (row r along x, column c along y), weights 1 but w11 for (1, 1).
inline std::string BilinearNURBSPatch(double w11 = 1.0) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os << "{ patch orderx 2; ordery 2; dimx 2; dimy 2;\n{ 0; 0; 1; 1; }\n{ 0; 0; 1; 1; }\n"
     << "( 0 , 0 , 0 ) , 1;\n( 1 , 0 , 0 ) , 1;\n( 0 , 1 , 0 ) , 1;\n( 1 , 1 , 1 ) , " << w11 << ";\n}\n";
  return os.str();
}

inline std::string NURBSText(const std::string& patches) { return "{ NURBS\n" + patches + "}\n"; }

}  // namespace zavo::test
