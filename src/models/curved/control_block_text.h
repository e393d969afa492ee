#pragma once
// The control-point block of the curve texts: "{" point "," value ";" ...
// "}", one entry for every control point.

#include <cstdint>

#include "foundation/seq.h"
#include "geometry/geo_text.h"
#include "geometry/point3d.h"
#include "scene/scene.h"

namespace zavo {

// Reads the block standing on "{" into controls; readValue(i) reads the value
// after the i-th point's comma (with its ";") and answers 0 on failure.
template <class ReadValue>
int ReadControlBlock(CG_GraphicScene& scene, ScannerMemo& s, Seq<Point3D>& controls, ReadValue readValue) {
  if (!scene.Expect(s, '{')) return 0;
  s.Next();
  for (std::uint32_t i = 0; i < controls.Count(); ++i) {
    Point3D point;
    if (!ReadPoint3D(point, s)) {
      scene.SetError(5, "Wrong point definition");
      return 0;
    }
    controls[i] = point;
    if (!scene.Expect(s, ',')) return 0;
    s.Next();
    if (!readValue(i)) return 0;
  }
  if (!scene.Expect(s, '}')) return 0;
  s.Next();
  return 1;
}

}  // namespace zavo
