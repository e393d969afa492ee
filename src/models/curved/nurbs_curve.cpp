#include "models/curved/nurbs_curve.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "foundation/runtime_error_box.h"

namespace {

bool IsFinite(const Point3D& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

}  // namespace

// The sums of one evaluation: W, P and the unweighted sum of the controls.
struct CG_NURBSCurve::Sums {
  double w = 0.0;
  Point3D p;
  Point3D plain;
};

CG_NURBSCurveDescription::CG_NURBSCurveDescription(const CG_NURBSCurveDescription& other) { *this = other; }

CG_NURBSCurveDescription& CG_NURBSCurveDescription::operator=(const CG_NURBSCurveDescription& other) {
  controls = other.controls;
  static_cast<Seq<double>&>(knots) = other.knots;
  static_cast<Seq<double>&>(weights) = other.weights;
  div = other.div;
  order = other.order;
  open = other.open;
  progress = other.progress;
  return *this;
}

CG_NURBSCurve::CG_NURBSCurve(CG_GraphicObjectCommData& data, const CG_NURBSCurveDescription& description)
    : SampledCurve(data) {
  SetDescription(description);
}

void CG_NURBSCurve::GetDescription(CG_NURBSCurveDescription& description) const {
  description.controls = controls_;
  static_cast<Seq<double>&>(description.knots) = knots_;
  static_cast<Seq<double>&>(description.weights) = weights_;
  description.div = div_;
  description.order = order_;
  description.open = open_;
  description.progress = progress_;
}

void CG_NURBSCurve::SetDescription(const CG_NURBSCurveDescription& description) {
  controls_ = description.controls;
  static_cast<Seq<double>&>(knots_) = description.knots;
  static_cast<Seq<double>&>(weights_) = description.weights;
  div_ = description.div;
  order_ = std::clamp(description.order, 1, zavo::kMaxNURBSOrder);
  open_ = description.open;
  progress_ = description.progress;

  const std::uint32_t n = controls_.Count();
  const std::uint32_t oldWeights = weights_.Count();
  if (oldWeights != n) {
    weights_.Resize(n);
    for (std::uint32_t i = oldWeights; i < n; ++i) weights_[i] = 1.0;
  }
  const std::uint32_t knotCount = n + static_cast<std::uint32_t>(order_);
  const std::uint32_t oldKnots = knots_.Count();
  if (oldKnots != knotCount) {
    const double fill = oldKnots > 0 ? knots_[oldKnots - 1] : 0.0;
    knots_.Resize(knotCount);
    for (std::uint32_t i = oldKnots; i < knotCount; ++i) knots_[i] = fill;
  }
  KnotsChanged();
  RenewBounding(controls_);
}

void CG_NURBSCurve::KnotsChanged() {
  knotsRise_ = true;
  for (std::uint32_t i = 1; i < knots_.Count(); ++i) {
    if (!(knots_[i - 1] <= knots_[i])) knotsRise_ = false;
  }
}

double CG_NURBSCurve::ParamMin() const { return knots_[static_cast<std::uint32_t>(order_ - 1)]; }

double CG_NURBSCurve::ParamMax() const { return knots_[controls_.Count()]; }

// The basis functions N(i, order)(t) follow the recursion of SplineBasis term
// for term, computed once per level over a window of indices instead of once
// per call (SplineBasis evaluates every lower order again for each function:
// about 2^order steps per function). N(i, 1) is 1 on the active spans only, so
// every function whose support holds no active span is exactly 0 and adds
// nothing to the sums: the window runs from order - 1 below the first active
// span to the last one, and the sums are those of the full recursion.
//
// The active spans of the half-open basis are those with knots[j] <= t <
// knots[j + 1]. With closedRight the one active span is the last with
// knots[j] < t <= knots[j + 1]: the basis seen from below at t.
CG_NURBSCurve::Sums CG_NURBSCurve::SumsAt(double t, bool closedRight) const {
  Sums sums;
  const int n = static_cast<int>(controls_.Count());
  const int k = order_;
  const int K = static_cast<int>(knots_.Count());  // n + order
  if (n == 0) return sums;
  const double* knots = knots_.Data();

  std::vector<int> spans;
  if (knotsRise_) {
    if (closedRight) {
      const int m = static_cast<int>(std::lower_bound(knots, knots + K, t) - knots);
      if (m >= 1 && m <= K - 1) spans.push_back(m - 1);
    } else {
      const int j = static_cast<int>(std::upper_bound(knots, knots + K, t) - knots) - 1;
      if (j >= 0 && j <= K - 2) spans.push_back(j);
    }
  } else if (closedRight) {
    for (int j = K - 2; j >= 0; --j) {
      if (knots[j] < t && t <= knots[j + 1]) {
        spans.push_back(j);
        break;
      }
    }
  } else {
    for (int j = 0; j <= K - 2; ++j) {
      if (knots[j] <= t && t < knots[j + 1]) spans.push_back(j);
    }
  }
  if (spans.empty()) return sums;

  const int a = std::max(0, spans.front() - k + 1);
  const int b = spans.back();
  const int width = b - a + 1;
  std::vector<double> level(static_cast<std::size_t>(width), 0.0);
  for (int j : spans) level[static_cast<std::size_t>(j - a)] = 1.0;
  std::vector<double> next(static_cast<std::size_t>(width), 0.0);
  for (int order = 2; order <= k; ++order) {
    const int top = std::min(b, K - 1 - order);
    for (int i = a; i <= b; ++i) {
      double value = 0.0;
      if (i <= top) {
        const double lower = level[static_cast<std::size_t>(i - a)];
        const double upper = i + 1 <= b ? level[static_cast<std::size_t>(i + 1 - a)] : 0.0;
        const double left = knots[i + order - 1] - knots[i];
        if (left != 0.0) value += (t - knots[i]) * lower / left;
        const double right = knots[i + order] - knots[i + 1];
        if (right != 0.0) value += (knots[i + order] - t) * upper / right;
      }
      next[static_cast<std::size_t>(i - a)] = value;
    }
    std::swap(level, next);
  }

  const int last = std::min(b, n - 1);
  for (int i = a; i <= last; ++i) {
    const double basis = level[static_cast<std::size_t>(i - a)];
    const double weight = weights_[static_cast<std::uint32_t>(i)];
    const Point3D& control = controls_[static_cast<std::uint32_t>(i)];
    sums.w += basis * weight;
    sums.p += (weight * basis) * control;
    sums.plain += basis * control;
  }
  return sums;
}

int CG_NURBSCurve::Evaluate(double t, Point3D& point) const {
  if (controls_.Count() == 0) {
    point = Point3D{};
    return 0;
  }
  Sums sums = SumsAt(t, false);
  if (sums.w != 0.0) {
    const Point3D result = sums.p * (1.0 / sums.w);
    if (IsFinite(result)) {
      point = result;
      return 1;
    }
  }
  // The limit from inside the parameter range.
  double low = ParamMin();
  double high = ParamMax();
  if (high < low) std::swap(low, high);
  const double inside = std::isnan(t) ? low : std::clamp(t, low, high);
  sums = SumsAt(inside, inside == high);
  if (sums.w != 0.0) {
    const Point3D result = sums.p * (1.0 / sums.w);
    if (IsFinite(result)) {
      point = result;
      return 1;
    }
  }
  point = IsFinite(sums.plain) ? sums.plain : Point3D{};
  return 0;
}

int CG_NURBSCurve::Derive(double, Point3D&) const { RuntimeErrorBox("NURBS Derive not def"); }

int CG_NURBSCurve::GetControl(int i, Point3D& point) const {
  if (i < 0 || static_cast<std::uint32_t>(i) >= controls_.Count()) return 0;
  point = controls_[static_cast<std::uint32_t>(i)];
  return 1;
}

int CG_NURBSCurve::SetControl(int i, const Point3D& point) {
  if (i < 0 || static_cast<std::uint32_t>(i) >= controls_.Count()) return 0;
  controls_[static_cast<std::uint32_t>(i)] = point;
  RenewBounding(controls_);
  return 1;
}

int CG_NURBSCurve::CopyControl(int a, int b) {
  const std::uint32_t n = controls_.Count();
  if (a < 0 || b < 0 || static_cast<std::uint32_t>(a) >= n || static_cast<std::uint32_t>(b) >= n) return 0;
  controls_[static_cast<std::uint32_t>(b)] = controls_[static_cast<std::uint32_t>(a)];
  weights_[static_cast<std::uint32_t>(b)] = weights_[static_cast<std::uint32_t>(a)];
  RenewBounding(controls_);
  return 1;
}

int CG_NURBSCurve::SetControlCount(int m) {
  const std::uint32_t count = m > 0 ? static_cast<std::uint32_t>(m) : 0;
  const std::uint32_t old = controls_.Count();
  const auto order = static_cast<std::uint32_t>(order_);
  controls_.Resize(count);
  weights_.Resize(count);
  knots_.Resize(count + order);
  for (std::uint32_t i = old; i < count; ++i) {
    weights_[i] = 1.0;
    knots_[order + i] = static_cast<double>(order + i);
  }
  KnotsChanged();
  RenewBounding(controls_);
  return 1;
}
