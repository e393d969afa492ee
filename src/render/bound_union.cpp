#include "render/bound_union.h"

#include <typeinfo>

namespace zavo {

namespace {

// a.Union(b) as a new volume; a plain ref without its volume stands for a box
// volume of its box.
std::unique_ptr<BoundingObject> UnionVolumeObject(const BoundRef& a, const BoundRef& b) {
  if (a.volume == nullptr) {
    const BoundingBox box(a.box);
    return UnionVolumeObject(BoundRef::Of(box), b);
  }
  if (b.volume == nullptr) {
    const BoundingBox box(b.box);
    return a.volume->Union(box);
  }
  return a.volume->Union(*b.volume);
}

}  // namespace

BoundRef BoundRef::Of(const BoundingObject& volume) {
  BoundRef ref;
  ref.volume = &volume;
  ref.box = volume.GetBox();
  ref.plain = typeid(volume) == typeid(BoundingBox);
  ref.proper = ref.plain && IsProper(ref.box);
  return ref;
}

BoundRef BoundRef::OfBox(const GEO_Box& box) {
  BoundRef ref;
  ref.box = box;
  ref.plain = true;
  ref.proper = IsProper(box);
  return ref;
}

GEO_Box UnionOfBoxes(const GEO_Box& a, const GEO_Box& b) {
  // a.Union(b) asks b for b.UnionBox(a), which extends b's box by a's.
  GEO_Box out;
  GEO_Box::Union(b, out, a);
  return out;
}

double VolumeOf(const BoundRef& a) { return a.plain ? a.box.Volume() : a.volume->Volume(); }

double UnionVolumeSlow(const BoundRef& a, const BoundRef& b) {
  if (a.plain && b.plain) return UnionOfBoxes(a.box, b.box).Volume();
  return UnionVolumeObject(a, b)->Volume();
}

BoundUnion::BoundUnion(const BoundRef& first) : plain_(first.plain), box_(first.box) {
  if (!plain_) volume_ = first.volume->Clone();  // a ref that is not plain has its volume
}

BoundUnion::BoundUnion(const BoundRef& first, const BoundRef& second) : plain_(first.plain && second.plain) {
  if (plain_) {
    box_ = UnionOfBoxes(first.box, second.box);
  } else {
    volume_ = UnionVolumeObject(first, second);
  }
}

void BoundUnion::Add(const BoundRef& other) {
  if (plain_ && other.plain) {
    box_ = UnionOfBoxes(box_, other.box);
    return;
  }
  // From here on the bound is asked through its operations.
  volume_ = UnionVolumeObject(Ref(), other);
  plain_ = false;
}

BoundRef BoundUnion::Ref() const {
  if (plain_) return BoundRef::OfBox(box_);
  return BoundRef::Of(*volume_);
}

std::unique_ptr<BoundingObject> BoundUnion::Take() {
  if (plain_) return std::make_unique<BoundingBox>(box_);
  return std::move(volume_);
}

}  // namespace zavo
