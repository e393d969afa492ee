#include "geometry/bspline_surface.h"

#include <cmath>
#include <istream>
#include <string>
#include <vector>

#include "foundation/number_text.h"
#include "foundation/runtime_error_box.h"
#include "foundation/table.h"
#include "geometry/mesh_builders.h"

namespace {

// Words longer than this are no numbers of a control grid.
constexpr std::size_t kMaxWord = 256;

bool IsBlank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// The next blank-separated word of the stream; false at the end of the text
// or for a word longer than kMaxWord.
bool NextWord(std::streambuf& in, std::string& word) {
  using Traits = std::char_traits<char>;
  word.clear();
  int c = in.sgetc();
  while (c != Traits::eof() && IsBlank(c)) c = in.snextc();
  while (c != Traits::eof() && !IsBlank(c)) {
    if (word.size() == kMaxWord) return false;
    word.push_back(Traits::to_char_type(c));
    c = in.snextc();
  }
  return !word.empty();
}

bool NextReal(std::streambuf& in, std::string& word, double& value) {
  return NextWord(in, word) && zavo::NumberTextToDouble(word, value);
}

bool NextCount(std::streambuf& in, std::string& word, std::int32_t& count) {
  double value = 0.0;
  if (!NextReal(in, word, value)) return false;
  if (!(value >= 4.0 && value <= zavo::kMaxGridSide) || value != std::trunc(value)) return false;
  count = static_cast<std::int32_t>(value);
  return true;
}

// The window index of a parameter: its integer part clamped to 0..last.
std::int32_t WindowIndex(double p, std::int32_t last) {
  const int i = zavo::SaturateToInt(p);
  if (i < 0) return 0;
  if (i > last) return last;
  return i;
}

}  // namespace

void BSplineSurface::SetGridSize(std::int32_t rows, std::int32_t cols) {
  if (rows < 0 || cols < 0) RuntimeErrorBox("BSplineSurface::SetGridSize");
  controlPoints.SetSize(static_cast<std::uint32_t>(rows));
  for (std::int32_t i = 0; i < rows; ++i) controlPoints[i].SetSize(static_cast<std::uint32_t>(cols));
  n = rows;
  m = cols;
}

void BSplineSurface::GetPatch(std::int32_t i, std::int32_t j, BSplineComp& patch) const {
  for (int k = 0; k < 4; ++k) {
    const Point3D* row = controlPoints[i + k].Data() + j;
    for (int l = 0; l < 4; ++l) {
      patch.X(k, l) = row[l].x;
      patch.Y(k, l) = row[l].y;
      patch.Z(k, l) = row[l].z;
    }
  }
}

bool BSplineSurface::Locate(double u, double v, BSplineComp& patch, double& s, double& t) const {
  if (n < 4 || m < 4) return false;
  const std::int32_t i = WindowIndex(u, n - 4);
  const std::int32_t j = WindowIndex(v, m - 4);
  GetPatch(i, j, patch);
  s = u - i;
  t = v - j;
  return true;
}

Point3D BSplineSurface::PointAt(double u, double v) const {
  BSplineComp patch;
  double s = 0.0, t = 0.0;
  if (!Locate(u, v, patch, s, t)) return {};
  return PatchPoint(patch, s, t);
}

Point3D BSplineSurface::DerivativeU(double u, double v) const {
  BSplineComp patch;
  double s = 0.0, t = 0.0;
  if (!Locate(u, v, patch, s, t)) return {};
  return PatchDerivativeU(patch, s, t);
}

Point3D BSplineSurface::DerivativeV(double u, double v) const {
  BSplineComp patch;
  double s = 0.0, t = 0.0;
  if (!Locate(u, v, patch, s, t)) return {};
  return PatchDerivativeV(patch, s, t);
}

int ReadControlGrid(BSplineSurface& surface, std::istream& in) {
  std::streambuf* buffer = in.rdbuf();
  if (!in || buffer == nullptr) return 0;
  std::string word;
  std::int32_t rows = 0, cols = 0;
  if (!NextCount(*buffer, word, rows) || !NextCount(*buffer, word, cols)) return 0;
  const std::int64_t total = std::int64_t{rows} * cols;
  if (total > zavo::kMaxGridPoints) return 0;
  // The points are collected first: a short text never allocates the grid.
  std::vector<Point3D> points;
  for (std::int64_t k = 0; k < total; ++k) {
    Point3D p;
    if (!NextReal(*buffer, word, p.x) || !NextReal(*buffer, word, p.y) || !NextReal(*buffer, word, p.z)) {
      return 0;
    }
    points.push_back(p);
  }
  surface.SetGridSize(rows, cols);
  std::size_t k = 0;
  for (std::int32_t i = 0; i < rows; ++i) {
    for (std::int32_t j = 0; j < cols; ++j) surface.ControlPoint(i, j) = points[k++];
  }
  return 1;
}

int SplineMeshSamplesPerWindow(const BSplineSurface& surface) {
  if (surface.N() < 4 || surface.M() < 4) return 0;
  const std::int64_t rows = surface.N() - 3;
  const std::int64_t cols = surface.M() - 3;
  int k = zavo::kSplineMeshSamplesPerWindow;
  while (k > 1 && (rows * k + 1) * (cols * k + 1) > zavo::kSplineMeshVertexBudget) --k;
  return k;
}

std::int64_t SplineMeshVertexCount(const BSplineSurface& surface) {
  const int k = SplineMeshSamplesPerWindow(surface);
  if (k == 0) return 0;
  return (std::int64_t{surface.N() - 3} * k + 1) * (std::int64_t{surface.M() - 3} * k + 1);
}

std::unique_ptr<BRepModel3> TessellateSplineSurface(const BSplineSurface& surface) {
  const int k = SplineMeshSamplesPerWindow(surface);
  if (k == 0) return std::make_unique<BRepModel3>("bpline");
  const auto rows = static_cast<std::uint32_t>((surface.N() - 3) * k + 1);
  const auto cols = static_cast<std::uint32_t>((surface.M() - 3) * k + 1);
  Table<Point3D> table(rows, cols);
  // r / k is exact on every window boundary, and the last sample is UMax
  // (VMax) itself, where PointAt takes the end of the last window.
  for (std::uint32_t r = 0; r < rows; ++r) {
    const double u = surface.UMin() + static_cast<double>(r) / k;
    for (std::uint32_t c = 0; c < cols; ++c) {
      table[r][c] = surface.PointAt(u, surface.VMin() + static_cast<double>(c) / k);
    }
  }
  return MakeGridBRep("bpline", table);
}

double SplineBasis(std::int32_t i, std::int32_t k, double t, const Vector<double>& knot) {
  if (i < 0 || k < 1 || std::int64_t{i} + k >= std::int64_t{knot.Count()}) RuntimeErrorBox("SplineBasis");
  if (k == 1) return knot[i] <= t && t < knot[i + 1] ? 1.0 : 0.0;
  // Both lower orders first, whatever the spans (2^k - 1 calls in all).
  const double lower = SplineBasis(i, k - 1, t, knot);
  const double upper = SplineBasis(i + 1, k - 1, t, knot);
  double value = 0.0;
  const double left = knot[i + k - 1] - knot[i];
  if (left != 0.0) value += (t - knot[i]) * lower / left;
  const double right = knot[i + k] - knot[i + 1];
  if (right != 0.0) value += (knot[i + k] - t) * upper / right;
  return value;
}
