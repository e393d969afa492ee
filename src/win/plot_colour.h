#pragma once

// The colour arithmetic of rendered pixels: a component 0 to 1 becomes
// component x 255 truncated toward zero (saturating, NaN gives 0), of which the
// low 8 bits count (0.999 gives 254, 1.0 255, 1.5 the low 8 bits of 382).

#include <cstdint>

#include "foundation/number_text.h"

namespace zavo {

inline std::uint8_t PlotComponent(double component) {
  return static_cast<std::uint8_t>(static_cast<unsigned>(SaturateToInt(component * 255.0)) & 0xFFu);
}

}  // namespace zavo
