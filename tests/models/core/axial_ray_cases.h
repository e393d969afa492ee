#pragma once
// Ray cases shared by the tests of the axial solids (cone and cylinder): each
// ray with the crossings it must give, nearest first, and the part hit.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "geometry/ray.h"
#include "models/core/axial_solid.h"
#include "scene/graphic_object.h"

struct AxialHit {
  double t;  // along the unnormalised direction
  int part;
};

struct AxialRayCase {
  const char* what;
  Point3D origin, direction;
  std::vector<AxialHit> hits;
};

// Runs every case through `solid`'s Intersect (and IntersectAny when asked)
// and compares counts, distances and parts.
inline void ExpectAxialHits(const CG_GraphicObject& solid, const std::vector<AxialRayCase>& cases,
                            bool checkIntersectAny) {
  std::unique_ptr<CG_GraphicObjectIntrInfo> record = solid.NewIntrInfo();
  auto* hits = dynamic_cast<zavo::AxialSolidIntrInfo*>(record.get());
  ASSERT_NE(hits, nullptr);
  for (const AxialRayCase& c : cases) {
    SCOPED_TRACE(c.what);
    const Ray ray = Ray::FromDirection(c.origin, c.direction);
    const double scale = Length(c.direction);
    hits->count = 2;
    ASSERT_EQ(solid.Intersect(ray, *record), static_cast<int>(c.hits.size()));
    ASSERT_EQ(record->Count(), static_cast<int>(c.hits.size()));
    for (std::size_t i = 0; i < c.hits.size(); ++i) {
      EXPECT_NEAR(record->Value(static_cast<int>(i)), c.hits[i].t * scale, 1e-12);
      EXPECT_EQ(hits->part[i], c.hits[i].part);
    }
    if (checkIntersectAny) { EXPECT_EQ(solid.IntersectAny(ray, *record), static_cast<int>(c.hits.size())); }
  }
}
