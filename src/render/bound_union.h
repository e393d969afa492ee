#pragma once

// How the hierarchy builders unite and weigh bounding volumes.
//
// A union is what asking one volume for its union with another gives
// (a.Union(b)); a volume is BoundingObject::Volume. For plain box volumes
// (exactly BoundingBox, which overrides neither) the same numbers come from
// the boxes without making a volume: the builders weigh many unions that they
// then throw away. Any other kind of volume is asked through its virtual
// operations.

#include <memory>

#include "geometry/bounding_object.h"
#include "geometry/box.h"

namespace zavo {

// A volume as the builders see it: the volume (not owned), its box, whether
// it is a plain box, and whether that box is also proper (min <= max on every
// axis, no NaN).
struct BoundRef {
  const BoundingObject* volume = nullptr;
  GEO_Box box;
  bool plain = false;
  bool proper = false;

  static BoundRef Of(const BoundingObject& volume);
  static BoundRef OfBox(const GEO_Box& box);  // a plain box without its volume
};

inline bool IsProper(const GEO_Box& b) { return b.xmin <= b.xmax && b.ymin <= b.ymax && b.zmin <= b.zmax; }

// The box of a.Union(b) for plain boxes: b's box extended by a's.
GEO_Box UnionOfBoxes(const GEO_Box& a, const GEO_Box& b);
// The volume of a.
double VolumeOf(const BoundRef& a);
// The volume of a.Union(b) through the boxes' operations or the volumes'.
double UnionVolumeSlow(const BoundRef& a, const BoundRef& b);

// The volume of a.Union(b). For two proper plain boxes extending one box by
// the other gives the least and greatest limits on every axis, so the volume
// is taken from those directly (a zero may come out with the other sign,
// which no comparison sees).
inline double UnionVolume(const BoundRef& a, const BoundRef& b) {
  if (a.proper && b.proper) {
    const GEO_Box& p = a.box;
    const GEO_Box& q = b.box;
    const double ex = (p.xmax > q.xmax ? p.xmax : q.xmax) - (p.xmin < q.xmin ? p.xmin : q.xmin);
    const double ey = (p.ymax > q.ymax ? p.ymax : q.ymax) - (p.ymin < q.ymin ? p.ymin : q.ymin);
    const double ez = (p.zmax > q.zmax ? p.zmax : q.zmax) - (p.zmin < q.zmin ? p.zmin : q.zmin);
    return ex * ey * ez;
  }
  return UnionVolumeSlow(a, b);
}

// A bound being grown: started as a clone of one volume or as the union of
// two, then united with further volumes one at a time (bound.Union(other)).
class BoundUnion {
public:
  explicit BoundUnion(const BoundRef& first);
  BoundUnion(const BoundRef& first, const BoundRef& second);
  BoundUnion(const BoundUnion&) = delete;
  BoundUnion& operator=(const BoundUnion&) = delete;

  // The bound becomes its union with other.
  void Add(const BoundRef& other);
  // The bound as it stands; valid until the next Add or Take.
  BoundRef Ref() const;
  double Volume() const { return VolumeOf(Ref()); }
  // The bound as a new volume, owned by the caller; the object is spent.
  std::unique_ptr<BoundingObject> Take();

private:
  bool plain_;
  GEO_Box box_;                              // while plain
  std::unique_ptr<BoundingObject> volume_;   // otherwise
};

}  // namespace zavo
