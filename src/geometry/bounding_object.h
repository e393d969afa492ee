#pragma once

#include <iosfwd>
#include <memory>

#include "geometry/box.h"
#include "geometry/ray.h"

class BoundingBox;

// A bounding volume. The pairs Intersect/IntersectBox, Union/UnionBox and
// ToBox/BoxOf are double dispatch: the first is called on one volume with the
// other as argument and calls the second on the argument. The caller owns
// every volume returned.
class BoundingObject {
public:
  virtual GEO_Box GetBox() const = 0;
  // Writes the volume's own text block.
  virtual void Save(std::ostream& os) const = 0;
  virtual std::unique_ptr<BoundingObject> Clone() const = 0;
  virtual ~BoundingObject() = default;

  virtual int HitByRay(const Ray& ray) const { return GetBox().HitByRay(ray); }
  // The volume common to this one and the other; null when they do not meet.
  virtual std::unique_ptr<BoundingObject> Intersect(const BoundingObject& other) const;
  virtual std::unique_ptr<BoundingBox> IntersectBox(const BoundingObject& other) const;
  // A volume containing this one and the other.
  virtual std::unique_ptr<BoundingObject> Union(const BoundingObject& other) const;
  virtual std::unique_ptr<BoundingBox> UnionBox(const BoundingObject& other) const;
  // A box volume of this volume's box; the other only chooses the implementation.
  virtual std::unique_ptr<BoundingObject> ToBox(const BoundingObject& other) const;
  virtual std::unique_ptr<BoundingBox> BoxOf(const BoundingObject& other) const;
  virtual double Volume() const { return GetBox().Volume(); }
};

// The box volume, written as a "{ box" block.
class BoundingBox : public BoundingObject {
public:
  GEO_Box box;

  BoundingBox() = default;
  explicit BoundingBox(const GEO_Box& b) : box(b) {}
  // The box of one point, to be widened with Extend.
  explicit BoundingBox(const Point3D& p) { box.SetPoint(p); }
  void Extend(const Point3D& p) { box.Extend(p); }

  GEO_Box GetBox() const override { return box; }
  // "\t{ box\n", one line "\t\t<key> <value>;\n" per limit in the order xmin,
  // xmax, ymin, ymax, zmin, zmax, then "\t}\n".
  void Save(std::ostream& os) const override;
  std::unique_ptr<BoundingObject> Clone() const override { return std::make_unique<BoundingBox>(box); }
};
