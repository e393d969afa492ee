#pragma once

// A uniform grid of object ids over a box: n cells along each axis, each cell
// listing the objects whose box touches it (and one more layer of cells on
// the upper side of each axis). The grid-variant hierarchy builder looks for
// an object's partners only among the objects listed near it.
//
// The grid spans the box enlarged on each axis by 1.1 times its extent on
// either side; a cell is that span divided by n - 1. So every cell index of a
// box inside the original box, the extra layer included, lies in 0 .. n - 1
// when n is at least 2. Indices are clamped to 0 .. n - 1 all the same: a
// grid over a flat or infinite box never yields an index outside the table.
//
// Objects are numbered in registration order; a cell lists the numbers.
// Each object carries two flags: used (it sits in a first-level node) and a
// visit mark for one neighbourhood scan. Clearing the marks costs nothing: a
// scan counter is advanced instead of touching every object. The flags are
// held in dense tables, apart from the ids, because every scan reads them.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "foundation/runtime_error_box.h"
#include "geometry/box.h"

// The largest dimension a grid is made with: n * n * n cells must stay a
// table that fits in memory.
inline constexpr int kGridMaxDimension = 128;

// Where the cells of a grid of dimension n over a box lie: the grid's span
// and the cells a box is listed in.
class GridSpan {
public:
  // n cells along each axis over box b (n from 1 to kGridMaxDimension).
  GridSpan(int n, const GEO_Box& b) : n_(n) {
    if (n < 1 || n > kGridMaxDimension) RuntimeErrorBox("Grid::Grid");
    const double lo[3] = {b.xmin, b.ymin, b.zmin};
    const double hi[3] = {b.xmax, b.ymax, b.zmax};
    for (int a = 0; a < 3; ++a) AxisSpan(lo[a], hi[a], n, min_[a], max_[a], size_[a]);
    box_ = {min_[0], max_[0], min_[1], max_[1], min_[2], max_[2]};
  }

  int Dimension() const { return n_; }
  const GEO_Box& Box() const { return box_; }
  double CellSize(int axis) const { return size_[axis]; }

  // The cells a box is listed in along one axis: from trunc((min - g) / s)
  // to trunc((max - g) / s + 1), both included, clamped to 0 .. n - 1.
  void CellRange(const GEO_Box& b, int axis, int& first, int& last) const {
    const double lo = axis == 0 ? b.xmin : (axis == 1 ? b.ymin : b.zmin);
    const double hi = axis == 0 ? b.xmax : (axis == 1 ? b.ymax : b.zmax);
    first = Index((lo - min_[axis]) / size_[axis]);
    last = Index((hi - min_[axis]) / size_[axis] + 1);
  }

  // The grid's span on one axis and the size of a cell along it.
  static void AxisSpan(double lo, double hi, int n, double& first, double& last, double& size) {
    const double d = hi - lo;
    first = lo - 1.1 * d;
    last = hi + 1.1 * d;
    size = (last - first) / (n - 1);
  }

private:
  // trunc toward zero, clamped to 0 .. n - 1 (NaN gives 0).
  int Index(double q) const {
    if (!(q >= 1.0)) return 0;
    if (q >= static_cast<double>(n_ - 1)) return n_ - 1;
    return static_cast<int>(q);
  }

  int n_;
  double min_[3];
  double max_[3];
  double size_[3];
  GEO_Box box_;
};

template <class T>
class Grid {
public:
  // The largest dimension a grid is made with: n * n * n cells must stay a
  // table that fits in memory. Callers check before they make a grid.
  static constexpr int kMaxDimension = kGridMaxDimension;

  // Whether a grid of dimension n over box b has cells of a positive, finite
  // size on every axis (n of 2 or more, b not flat on any axis, no overflow)
  // and a cell table of reasonable size.
  static bool CanMake(int n, const GEO_Box& b) {
    if (n < 2 || n > kMaxDimension) return false;
    const double lo[3] = {b.xmin, b.ymin, b.zmin};
    const double hi[3] = {b.xmax, b.ymax, b.zmax};
    for (int a = 0; a < 3; ++a) {
      double first, last, size;
      GridSpan::AxisSpan(lo[a], hi[a], n, first, last, size);
      if (!(hi[a] - lo[a] > 0.0) || !std::isfinite(first) || !std::isfinite(last) || !std::isfinite(size) ||
          !(size > 0.0)) {
        return false;
      }
    }
    return true;
  }

  // n cells along each axis over box b (n from 1 to kMaxDimension).
  Grid(int n, const GEO_Box& b) : span_(n, b) { cells_.resize(static_cast<std::size_t>(n) * n * n); }

  int Dimension() const { return span_.Dimension(); }
  // The span of the grid.
  const GEO_Box& Box() const { return span_.Box(); }
  // The size of one cell along an axis (0 x, 1 y, 2 z).
  double CellSize(int axis) const { return span_.CellSize(axis); }
  // Where the cells lie, without the cell table.
  const GridSpan& Span() const { return span_; }

  // The cells a box is listed in along one axis (GridSpan::CellRange).
  void CellRange(const GEO_Box& b, int axis, int& first, int& last) const { span_.CellRange(b, axis, first, last); }

  // Appends a record for the object, then lists it in every cell of its box.
  void Insert(const T& id, const GEO_Box& b) {
    const auto number = static_cast<std::uint32_t>(ids_.size());
    ids_.push_back(id);
    used_.push_back(0);
    marks_.push_back(0);
    int first[3], last[3];
    for (int a = 0; a < 3; ++a) CellRange(b, a, first[a], last[a]);
    for (int i = first[0]; i <= last[0]; ++i) {
      for (int j = first[1]; j <= last[1]; ++j) {
        for (int k = first[2]; k <= last[2]; ++k) Cell(i, j, k).push_back(number);
      }
    }
  }

  // Cell [i][j][k], i along x: the numbers of the objects listed there, in
  // the order they were inserted. Indices must lie in 0 .. n - 1.
  std::vector<std::uint32_t>& Cell(int i, int j, int k) {
    return cells_[CellIndex(i, j, k)];
  }
  const std::vector<std::uint32_t>& Cell(int i, int j, int k) const { return cells_[CellIndex(i, j, k)]; }
  long ObjectCount() const { return static_cast<long>(ids_.size()); }
  const T& Id(std::uint32_t number) const { return ids_[number]; }

  bool Used(std::uint32_t number) const { return used_[number] != 0; }
  void SetUsed(std::uint32_t number) { used_[number] = 1; }
  void ClearUsed() { std::fill(used_.begin(), used_.end(), 0); }

  // Starts a new scan: no object counts as marked any more.
  void ClearMarks() {
    if (++scan_ == 0) {  // the counter wrapped: clear for real
      std::fill(marks_.begin(), marks_.end(), 0);
      scan_ = 1;
    }
  }
  bool Marked(std::uint32_t number) const { return marks_[number] == scan_; }
  void Mark(std::uint32_t number) { marks_[number] = scan_; }

  // Calls visit with the number of every object listed in the cells of box b
  // that is not used and not yet marked in this scan, after marking it: cells
  // x outermost, then y, then z, each cell's numbers in insertion order. Used
  // objects leave the cells on the way: they are never looked at again.
  template <class Visit>
  void VisitFresh(const GEO_Box& b, Visit visit) {
    int first[3], last[3];
    for (int a = 0; a < 3; ++a) CellRange(b, a, first[a], last[a]);
    for (int i = first[0]; i <= last[0]; ++i) {
      for (int j = first[1]; j <= last[1]; ++j) {
        for (int k = first[2]; k <= last[2]; ++k) {
          std::vector<std::uint32_t>& cell = Cell(i, j, k);
          std::size_t kept = 0;
          for (std::size_t r = 0; r < cell.size(); ++r) {
            const std::uint32_t number = cell[r];
            if (Used(number)) continue;
            cell[kept++] = number;
            if (Marked(number)) continue;
            Mark(number);
            visit(number);
          }
          cell.resize(kept);
        }
      }
    }
  }

private:
  std::size_t CellIndex(int i, int j, int k) const {
    const auto n = static_cast<std::size_t>(span_.Dimension());
    return (static_cast<std::size_t>(i) * n + static_cast<std::size_t>(j)) * n + static_cast<std::size_t>(k);
  }

  GridSpan span_;
  std::vector<std::vector<std::uint32_t>> cells_;
  std::vector<T> ids_;
  std::vector<std::uint8_t> used_;
  std::vector<std::uint32_t> marks_;
  std::uint32_t scan_ = 1;
};
