#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "foundation/matrix.h"
#include "foundation/number_text.h"
#include "foundation/scanner.h"
#include "foundation/vector.h"
#include "geometry/bounding_module.h"  // ReadBound
#include "geometry/bounding_object.h"
#include "geometry/box.h"
#include "geometry/point2d.h"
#include "geometry/point3d.h"

// Text forms of geometric values.
//
// Writers: numbers are written as the C locale's default stream format writes
// them (six significant digits), whatever the locale of the stream; no writer
// ends a line unless its form does.
//
// Readers take the scanner standing on the first token of the form. They
// answer 1 with the scanner on the token after the form, or 0 at the first
// token that does not fit, with the scanner on that token and the target
// partly filled.

// "( x , y , z )"
void WritePoint3D(const Point3D& point, std::ostream& os);
// "( x , y )"
void WritePoint2D(const Point2D& point, std::ostream& os);
// "( " the components separated by " , " " )"; "(  )" for no component. Answers 1.
int WriteVector(std::ostream& os, const Vector<double>& vector);
// "[ " the rows, each its values separated by " , ", rows separated by " ;"
// and a line break, then " ]". Answers 1.
int WriteMatrix(std::ostream& os, const Matrix<double>& matrix);
// "[ xmin , xmax , ymin , ymax , zmin , zmax ]"
void WriteNumberRecord6(std::ostream& os, double xmin, double xmax, double ymin, double ymax, double zmin,
                        double zmax);
// The same text added at the end of out.
void AppendNumberRecord6(std::string& out, double xmin, double xmax, double ymin, double ymax, double zmin,
                         double zmax);
// "{ bound\n\tmodel " then the volume's own block, then "}\n".
void WriteBound(std::ostream& os, const BoundingObject& volume);

// "(" x "," y "," z ")", every value a number token.
int ReadPoint3D(Point3D& point, ScannerMemo& scanner);
// "(" x "," y ")", every value a number token.
int ReadPoint2D(Point2D& point, ScannerMemo& scanner);
// "(" the vector's present count of numbers separated by "," ")".
int ReadVector(ScannerMemo& scanner, Vector<double>& vector);
// "[" rows of numbers separated by ",", rows separated by ";", "]": exactly
// the matrix's present rows and columns, in the order written.
int ReadMatrix(ScannerMemo& scanner, Matrix<double>& matrix);
// "[" six values separated by "," "]", each token read as a real whatever its
// kind (a token that is no number reads as 0). The box is the smallest one
// holding the corners (1st, 3rd, 5th value) and (2nd, 4th, 6th value); it is
// set only when the whole form was read.
int ReadNumberRecord6(ScannerMemo& scanner, GEO_Box& box);

namespace zavo {

// True when the token in view is the one character c.
inline bool IsToken(const ScannerMemo& scanner, char c) {
  const char* t = scanner.Text();
  return t[0] == c && t[1] == '\0';
}

// Reads open, n number tokens separated by ",", then close, and moves past it.
// Each value goes to store(index, value) as soon as it is read.
template <class Store>
int ReadNumberTuple(ScannerMemo& scanner, char open, char close, std::uint32_t n, Store store) {
  if (!IsToken(scanner, open)) return 0;
  scanner.Next();
  for (std::uint32_t i = 0; i < n; ++i) {
    if (i > 0) {
      if (!IsToken(scanner, ',')) return 0;
      scanner.Next();
    }
    double v;
    if (!TokenToDouble(scanner, v)) return 0;
    store(i, v);
    scanner.Next();
  }
  if (!IsToken(scanner, close)) return 0;
  scanner.Next();
  return 1;
}

}  // namespace zavo
