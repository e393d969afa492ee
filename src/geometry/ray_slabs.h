#pragma once

// Box tests for hierarchy walks: a ray prepared once (inverse direction and
// error margins), then a division-free slab test per box. The slab test only
// decides the cases it can decide beyond doubt, with a margin far above its
// own rounding and that of the face-by-face tests of GEO_Box; every other case
// (a ray through or near an edge, a corner, a face plane, a flat box, huge
// numbers) goes to those face tests. So the answers are those of
// GEO_Box::RayRange and GEO_Box::HitByRay, bit for bit.

#include <cmath>
#include <limits>
#include <type_traits>

#include "geometry/box.h"
#include "geometry/hot_inline.h"
#include "geometry/ray.h"

namespace zavo {

class RaySlabs {
public:
  explicit RaySlabs(const Ray& ray) : ray_(ray) {
    const double o[3] = {ray.origin.x, ray.origin.y, ray.origin.z};
    const double r[3] = {ray.direction.x, ray.direction.y, ray.direction.z};
    double invSum = 0.0, originMax = 0.0;
    usable_ = true;
    for (int a = 0; a < 3; ++a) {
      o_[a] = o[a];
      r_[a] = r[a];
      zero_[a] = r[a] == 0.0;
      inv_[a] = zero_[a] ? 0.0 : 1.0 / r[a];
      if (!zero_[a] && !(std::fabs(r[a]) >= 1e-150 && std::fabs(r[a]) <= 1e150)) usable_ = false;
      if (!(std::fabs(o[a]) <= 1e150)) usable_ = false;
      invSum += std::fabs(inv_[a]);
      originMax = std::max(originMax, std::fabs(o[a]));
      tolerance_[a] = kTolerance * std::fabs(inv_[a]);
      negative_[a] = inv_[a] < 0.0;
    }
    anyZero_ = zero_[0] || zero_[1] || zero_[2];
    rr_ = r[0] * r[0] + r[1] * r[1] + r[2] * r[2];
    if (zero_[0] && zero_[1] && zero_[2]) usable_ = false;
    plain_ = usable_ && !anyZero_;
    perScale_ = kMargin * invSum;
    fixed_ = kMargin * originMax * invSum;
  }

  const Ray& ray() const { return ray_; }

  // The crossings of the box g beyond 0 as GEO_Box::RayRange counts them (0,
  // 1 when the ray starts inside, 2) and where the ray enters (0 when it
  // starts inside, else the nearer crossing). `scale` is at least the largest
  // absolute coordinate of g.
  template <int kOctant = -1>
  ZAVO_INLINE int Cross(const GEO_Box& g, double scale, double& entry) const {
    ++BoxNIntr;
    Slabs s;
    switch (Measure<kOctant>(g, scale, s)) {
      case kMiss: return 0;
      case kHit:
        if (s.exit - s.entry - 2 * s.margin > 0.0 &&
            (s.exit - s.entry - 2 * s.margin) * (s.exit - s.entry - 2 * s.margin) * rr_ > kSamePoint) {
          if (s.entry > s.margin) {
            // The face crossing of the entry side as the face test computes it.
            const int a = s.entryAxis;
            const double face = negative_[a] ? Hi(g, a) : Lo(g, a);
            entry = (face - o_[a]) / r_[a];
            return 2;
          }
          if (s.entry < -s.margin && s.exit > s.margin) {
            entry = 0.0;
            return 1;
          }
        }
        break;
      default: break;
    }
    --BoxNIntr;  // counted again by the face tests
    return FaceTests(g, entry);
  }

  // As GEO_Box::HitByRay for the box b (its tolerance included). `scale` is
  // at least the largest absolute coordinate of b.
  bool Hits(const GEO_Box& b, double scale) const {
    Slabs s;
    return Hits(b, scale, s);
  }

  // As Hits, but false also for a box that the ray surely enters (within the
  // tolerance) only beyond the distance limit.
  ZAVO_INLINE bool HitsBefore(const GEO_Box& b, double scale, double limit) const {
    Slabs s;
    if (!Hits(b, scale, s)) return false;
    if (!s.valid) return true;
    return !(WidenedEntry(s) > limit + 1e-9 * std::fabs(limit) + s.margin);
  }

  // For a walk that tests what each box holds for itself (the shadow walk):
  // true for every box HitsBefore keeps, and perhaps for one the ray passes
  // within the tolerance and the rounding margin that GEO_Box::HitByRay
  // leaves out. It uses the same slab values and margin and leaves out a box
  // only where HitsBefore decides so on them; what it saves is the sorting
  // out of edges and corners and the face tests.
  template <int kOctant = -1>
  ZAVO_INLINE bool MayHitBefore(const GEO_Box& b, double scale, double limit) const {
    // The slab values in locals, which the compiler keeps in registers.
    double n0, f0, n1, f1, n2, f2;
    const bool ordered = PlainSlabs<kOctant>(b, n0, f0, n1, f1, n2, f2);
    const double margin = Margin(std::max(n0, std::max(n1, n2)), std::min(f0, std::min(f1, f2)), scale);
    if (!((kOctant >= 0 || plain_) && scale <= 1e150 && ordered && margin < std::numeric_limits<double>::infinity())) {
      return HitsBeforeOutOfLine(b, scale, limit);
    }
    ++TestBoxNIntr;
    const double entry = WidenedEntry(n0, n1, n2), exit = WidenedExit(f0, f1, f2);
    if (exit < entry - margin || exit < -margin) return false;
    return !(entry > limit + 1e-9 * std::fabs(limit) + margin);
  }

  // The signs of the direction: bit a set where it is negative on axis a.
  int Octant() const { return negative_[0] | negative_[1] << 1 | negative_[2] << 2; }
  // Whether the ray has a direction on every axis. For such a ray, the
  // tests below may be given its Octant as kOctant, which picks the sides of
  // each slab at compile time; the answers stay the same.
  bool Plain() const { return plain_; }

private:
  // The rare cases of MayHitBefore, kept out of the walk's loop.
  [[gnu::noinline]] bool HitsBeforeOutOfLine(const GEO_Box& b, double scale, double limit) const {
    return HitsBefore(b, scale, limit);
  }

  static constexpr double kMargin = 4e-15;
  static constexpr double kTolerance = 1e-7;  // that of GEO_Box::HitByRay
  // Just above the squared distance at which GEO_Box's face tests take two
  // crossings for one point.
  static constexpr double kSamePoint = 1.001e-14;
  enum { kMiss, kHit, kUndecided };

  struct Slabs {
    double near[3], far[3];
    double entry, exit, margin;
    int entryAxis;
    bool valid = false;        // the slab values were computed
    bool parallelOut = false;  // outside the box on an axis of no direction
  };

  ZAVO_INLINE bool Hits(const GEO_Box& b, double scale, Slabs& s) const {
    ++TestBoxNIntr;
    const int state = Measure(b, scale, s);
    if (state == kMiss) {
      // Outside b on an axis the ray runs parallel to: only within the
      // tolerance is that undecided here.
      if (s.parallelOut) {
        for (int a = 0; a < 3; ++a) {
          if (zero_[a] && (o_[a] < Lo(b, a) - kTolerance || o_[a] > Hi(b, a) + kTolerance)) return false;
        }
      } else if (s.valid) {
        // The slabs of b widened by the tolerance.
        const double entry = WidenedEntry(s), exit = WidenedExit(s);
        if (exit < entry - s.margin || exit < -s.margin) return false;
      }
    } else if (state == kHit) {
      if (s.exit > s.margin && s.exit - s.entry > s.margin) return true;
    }
    --TestBoxNIntr;  // counted again by the face tests
    return b.HitByRay(ray_);
  }

  // Where the ray enters and leaves the measured slabs widened by the
  // tolerance; the axes of no direction left out. The same maxima and minima
  // in any order: no slab value is NaN once measured.
  ZAVO_INLINE double WidenedEntry(double n0, double n1, double n2) const {
    return std::max(n0 - tolerance_[0], std::max(n1 - tolerance_[1], n2 - tolerance_[2]));
  }
  ZAVO_INLINE double WidenedExit(double f0, double f1, double f2) const {
    return std::min(f0 + tolerance_[0], std::min(f1 + tolerance_[1], f2 + tolerance_[2]));
  }
  ZAVO_INLINE double WidenedEntry(const Slabs& s) const {
    if (!anyZero_) return WidenedEntry(s.near[0], s.near[1], s.near[2]);
    double entry = -std::numeric_limits<double>::infinity();
    for (int a = 0; a < 3; ++a) {
      if (!zero_[a]) entry = std::max(entry, s.near[a] - tolerance_[a]);
    }
    return entry;
  }
  ZAVO_INLINE double WidenedExit(const Slabs& s) const {
    if (!anyZero_) return WidenedExit(s.far[0], s.far[1], s.far[2]);
    double exit = std::numeric_limits<double>::infinity();
    for (int a = 0; a < 3; ++a) {
      if (!zero_[a]) exit = std::min(exit, s.far[a] + tolerance_[a]);
    }
    return exit;
  }

  static double Lo(const GEO_Box& b, int a) { return a == 0 ? b.xmin : a == 1 ? b.ymin : b.zmin; }
  static double Hi(const GEO_Box& b, int a) { return a == 0 ? b.xmax : a == 1 ? b.ymax : b.zmax; }

  // kMiss: the ray surely misses the box; kHit: it surely crosses it, with one
  // entry axis and one exit axis and every other face surely not crossed;
  // kUndecided otherwise.
  // The slab of one axis: false for NaN or a box with min > max.
  bool Slab(int a, double lo, double hi, double& tNear, double& tFar) const {
    if (zero_[a]) {
      // Within the slab all along (checked before).
      tNear = -std::numeric_limits<double>::infinity();
      tFar = std::numeric_limits<double>::infinity();
      return true;
    }
    tNear = ((negative_[a] ? hi : lo) - o_[a]) * inv_[a];
    tFar = ((negative_[a] ? lo : hi) - o_[a]) * inv_[a];
    return tNear <= tFar;
  }

  template <int kOctant = -1>
  ZAVO_INLINE int Measure(const GEO_Box& b, double scale, Slabs& s) const {
    if ((kOctant >= 0 || plain_) && scale <= 1e150) {
      double n0, f0, n1, f1, n2, f2;
      if (!PlainSlabs<kOctant>(b, n0, f0, n1, f1, n2, f2)) return kUndecided;
      return Decide(n0, f0, n1, f1, n2, f2, scale, s);
    }
    if (anyZero_) {
      bool unordered = false;
      for (int a = 0; a < 3; ++a) {
        if (!zero_[a]) continue;
        if (o_[a] < Lo(b, a) || o_[a] > Hi(b, a)) {
          s.parallelOut = true;
          return kMiss;
        }
        if (!(Lo(b, a) <= o_[a] && o_[a] <= Hi(b, a))) unordered = true;  // NaN
      }
      if (unordered) return kUndecided;
    }
    if (!usable_ || !(scale <= 1e150)) return kUndecided;
    double n0, f0, n1, f1, n2, f2;
    if (!Slab(0, b.xmin, b.xmax, n0, f0) || !Slab(1, b.ymin, b.ymax, n1, f1) || !Slab(2, b.zmin, b.zmax, n2, f2)) {
      return kUndecided;
    }
    return Decide(n0, f0, n1, f1, n2, f2, scale, s);
  }

  // For a ray with a direction on every axis: the slabs of b straight from
  // the box, near and far on each axis; false where one is NaN or reversed.
  // kOctant: the ray's Octant, or -1 to read the signs at run time.
  template <int kOctant>
  ZAVO_INLINE bool PlainSlabs(const GEO_Box& b, double& n0, double& f0, double& n1, double& f1, double& n2,
                              double& f2) const {
    const bool x = kOctant < 0 ? negative_[0] : (kOctant & 1) != 0;
    const bool y = kOctant < 0 ? negative_[1] : (kOctant & 2) != 0;
    const bool z = kOctant < 0 ? negative_[2] : (kOctant & 4) != 0;
    n0 = ((x ? b.xmax : b.xmin) - o_[0]) * inv_[0];
    f0 = ((x ? b.xmin : b.xmax) - o_[0]) * inv_[0];
    n1 = ((y ? b.ymax : b.ymin) - o_[1]) * inv_[1];
    f1 = ((y ? b.ymin : b.ymax) - o_[1]) * inv_[1];
    n2 = ((z ? b.zmax : b.zmin) - o_[2]) * inv_[2];
    f2 = ((z ? b.zmin : b.zmax) - o_[2]) * inv_[2];
    return (n0 <= f0) & (n1 <= f1) & (n2 <= f2);
  }

  // The margin of slabs entered at entry and left at exit.
  ZAVO_INLINE double Margin(double entry, double exit, double scale) const {
    return fixed_ + perScale_ * scale + kMargin * std::max(std::fabs(entry), std::fabs(exit));
  }

  // The entry, the exit and the margin of the slabs in s; false (s not
  // valid) for a margin beyond all bounds.
  ZAVO_INLINE bool SetMargin(double scale, Slabs& s) const {
    const double entry = std::max(s.near[0], std::max(s.near[1], s.near[2]));
    const double exit = std::min(s.far[0], std::min(s.far[1], s.far[2]));
    const double margin = Margin(entry, exit, scale);
    if (!(margin < std::numeric_limits<double>::infinity())) return false;
    s.valid = true;
    s.entry = entry;
    s.exit = exit;
    s.margin = margin;
    return true;
  }

  // Measure from the three slabs.
  ZAVO_INLINE int Decide(double n0, double f0, double n1, double f1, double n2, double f2, double scale, Slabs& s) const {
    s.near[0] = n0;
    s.near[1] = n1;
    s.near[2] = n2;
    s.far[0] = f0;
    s.far[1] = f1;
    s.far[2] = f2;
    if (!SetMargin(scale, s)) return kUndecided;
    const double entry = s.entry, exit = s.exit, margin = s.margin;
    if (exit < entry - margin || exit < -margin) return kMiss;
    if (!(exit - entry > margin)) return kUndecided;
    // One entry side and one exit side, every other face plane crossed
    // well outside the box.
    const double nearLimit = entry - margin, farLimit = exit + margin;
    if ((n0 >= nearLimit) + (n1 >= nearLimit) + (n2 >= nearLimit) != 1) return kUndecided;
    if ((f0 <= farLimit) + (f1 <= farLimit) + (f2 <= farLimit) != 1) return kUndecided;
    s.entryAxis = n0 == entry ? 0 : n1 == entry ? 1 : 2;
    return kHit;
  }

  // The face tests of GEO_Box on g.
  int FaceTests(const GEO_Box& g, double& entry) const {
    BoxHitRecord records[2];
    const int n = g.RayRange(ray_, records, 0.0);
    if (n == 2) entry = std::min(records[0].t, records[1].t);
    if (n == 1) entry = 0.0;
    return n;
  }

  const Ray& ray_;
  double o_[3], r_[3], inv_[3], tolerance_[3];
  bool zero_[3], negative_[3];
  bool anyZero_ = false;
  double rr_ = 0.0;
  double perScale_ = 0.0, fixed_ = 0.0;
  bool usable_ = true;
  bool plain_ = false;  // usable, and no axis without direction
};

// Calls f(std::integral_constant<int, k>{}) with k the ray's Octant, or -1
// for a ray without a direction on some axis: a walk made for one octant.
template <class F>
decltype(auto) ForOctant(const RaySlabs& slabs, F&& f) {
  if (!slabs.Plain()) return f(std::integral_constant<int, -1>{});
  switch (slabs.Octant()) {
    case 0: return f(std::integral_constant<int, 0>{});
    case 1: return f(std::integral_constant<int, 1>{});
    case 2: return f(std::integral_constant<int, 2>{});
    case 3: return f(std::integral_constant<int, 3>{});
    case 4: return f(std::integral_constant<int, 4>{});
    case 5: return f(std::integral_constant<int, 5>{});
    case 6: return f(std::integral_constant<int, 6>{});
    default: return f(std::integral_constant<int, 7>{});
  }
}

// GrownForRays(b), made with the same operations, and in scale a bound of
// the grown box's absolute coordinates (as BoxScale, within rounding above).
inline GEO_Box GrownForRays(const GEO_Box& b, double& scale) {
  double m = 1.0;
  for (double v : {b.xmin, b.xmax, b.ymin, b.ymax, b.zmin, b.zmax}) m = std::max(m, v < 0.0 ? -v : v);
  const double pad = 1e-9 * m;
  scale = m + 2.0 * pad;
  return {b.xmin - pad, b.xmax + pad, b.ymin - pad, b.ymax + pad, b.zmin - pad, b.zmax + pad};
}

// The largest absolute coordinate of the box, at least 1.
inline double BoxScale(const GEO_Box& b) {
  double m = 1.0;
  for (double v : {b.xmin, b.xmax, b.ymin, b.ymax, b.zmin, b.zmax}) m = std::max(m, std::fabs(v));
  return m;
}

}  // namespace zavo
