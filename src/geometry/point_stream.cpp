#include "geometry/point_stream.h"

#include <bit>
#include <cstdint>
#include <istream>
#include <ostream>

#include "geometry/geo_text.h"
#include "geometry/real_text.h"

namespace {

double DecodeLE(const unsigned char* b) {
  std::uint64_t u = 0;
  for (int i = 7; i >= 0; --i) u = (u << 8) | b[i];
  return std::bit_cast<double>(u);
}

void EncodeLE(double v, unsigned char* b) {
  std::uint64_t u = std::bit_cast<std::uint64_t>(v);
  for (int i = 0; i < 8; ++i, u >>= 8) b[i] = static_cast<unsigned char>(u & 0xff);
}

}  // namespace

int ReadPoint3DBinary(Point3D& point, std::istream& is) {
  unsigned char bytes[24];
  if (!is.read(reinterpret_cast<char*>(bytes), sizeof bytes)) return 0;
  point = {DecodeLE(bytes), DecodeLE(bytes + 8), DecodeLE(bytes + 16)};
  return 1;
}

void WritePoint3DBinary(const Point3D& point, std::ostream& os) {
  unsigned char bytes[24];
  EncodeLE(point.x, bytes);
  EncodeLE(point.y, bytes + 8);
  EncodeLE(point.z, bytes + 16);
  os.write(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

void WritePoint3DShort(const Point3D& point, std::ostream& os) {
  os << '(';
  zavo::WriteReal(os, point.x);
  os << ',';
  zavo::WriteReal(os, point.y);
  os << ',';
  zavo::WriteReal(os, point.z);
  os << ')';
}

int ReadPoint3DShort(Point3D& point, ScannerMemo& scanner) {
  double* const coords[3] = {&point.x, &point.y, &point.z};
  return zavo::ReadNumberTuple(scanner, '(', ')', 3, [&](std::uint32_t i, double v) { *coords[i] = v; });
}
