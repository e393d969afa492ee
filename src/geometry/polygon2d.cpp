#include "geometry/polygon2d.h"

#include "foundation/runtime_error_box.h"

void Polygon2D::Init(unsigned n) {
  points_.assign(n, Point2D{});
  count_ = 0;
}

void Polygon2D::Append(const Point2D& point) {
  if (IsFull()) RuntimeErrorBox("Polygon2D::Append");
  points_[count_++] = point;
}

Point2D Polygon2D::Point(unsigned i) const {
  if (i >= points_.size()) RuntimeErrorBox("Polygon2D::Point");
  return points_[i];
}

int Polygon2D::CountCrossings(const Point2D& p) const {
  const size_t n = points_.size();
  int count = 0;
  for (size_t i = 0; i < n; ++i) {
    if (CrossesBelow(p, points_[i], points_[(i + 1) % n])) ++count;
  }
  return count;
}

double Polygon2D::SignedArea() const {
  const size_t n = points_.size();
  double sum = 0.0;
  for (size_t i = 0; i < n; ++i) {
    const Point2D& a = points_[i];
    const Point2D& b = points_[(i + 1) % n];
    sum += (a.y + b.y) * (b.x - a.x);
  }
  return 0.5 * sum;
}
