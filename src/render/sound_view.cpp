#include "render/sound_view.h"

#include <cmath>

#include "geometry/geo_interface.h"
#include "scene/view_reference.h"

namespace zavo {

namespace {

bool Finite(const Point3D& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

}  // namespace

bool SoundView(const CG_ViewReference& view) {
  if (!Finite(view.vrp) || !Finite(view.prp) || !Finite(view.vpn) || !Finite(view.vup)) return false;
  if (!std::isfinite(view.umin) || !std::isfinite(view.umax) || !std::isfinite(view.vmin) ||
      !std::isfinite(view.vmax)) {
    return false;
  }
  if ((view.fon && !std::isfinite(view.f)) || (view.bon && !std::isfinite(view.b))) return false;
  // The axes must come out finite and of unit length: a normal or an up vector
  // so small or so large that their lengths over- or underflow counts as none.
  const double n = Length(view.vpn);
  const double across = Length(Cross(view.vup, view.vpn));
  if (!(n > 0) || !std::isfinite(n) || !(across > 0) || !std::isfinite(across)) return false;
  const double width = view.umax - view.umin;
  const double height = view.vmax - view.vmin;
  if (width == 0 || height == 0 || !std::isfinite(width) || !std::isfinite(height)) return false;
  return view.prp.z != 0;
}

bool CheckView(const CG_ViewReference& view, GeoInterface& ui) {
  if (SoundView(view)) return true;
  ui.Message(kDegenerateView);
  return false;
}

bool FiniteMatrix(const Transformation& m) {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      if (!std::isfinite(m(r, c))) return false;
    }
  }
  return true;
}

}  // namespace zavo
