#pragma once
// Scene texts shared by the editor's benchmarks.

#include <memory>
#include <sstream>
#include <string>

#include "models/core/point_lamp.h"
#include "scene/scene.h"

namespace zavo::bench {

// The scene text of n boxes spread over the default window (-10..10), with
// the closing ".".
inline std::string Boxes(int n) {
  std::ostringstream text;
  for (int i = 0; i < n; ++i) {
    const double x = -9.3 + 18.1 * ((i * 37) % n) / n;
    const double y = -6.1 + 11.9 * ((i * 61) % n) / n;
    text << "{ object name b" << i << "; model { box xmin " << x << "; xmax " << x + 0.73 << "; ymin " << y
         << "; ymax " << y + 0.41 << "; zmin 0.1; zmax 1.3; } }\n";
  }
  return text.str() + ".\n";
}

// The two point lamps "l1" and "l2" of the editor's benchmark scenes.
inline void AddTwoLamps(CG_GraphicScene& scene) {
  CG_PointLampDescription at;
  at.pos = Point3D(3.3, -2.1, 4.7);
  scene.AddLight(std::make_unique<GPointLamp>("l1", nullptr, at));
  at.pos = Point3D(-6.2, 4.4, 8.1);
  scene.AddLight(std::make_unique<GPointLamp>("l2", nullptr, at));
}

}  // namespace zavo::bench
