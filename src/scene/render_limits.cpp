#include "scene/render_limits.h"

#include "scene/render_param.h"

namespace zavo {

std::string RenderLimitError(const GParam& param) {
  struct Bound {
    const char* key;
    int value;
    int high;
  };
  // Values below the ranges are harmless: a depth below 2 traces no further
  // ray, an anti_alias below -1 refines nothing, a jitterfreq below 1 takes
  // one sample, an AngleFreq below 1 no spread.
  const Bound bounds[] = {
      {"mode", param.mode, kMaxTraceDepth},
      {"anti_alias", param.anti_alias, kMaxAntiAlias},
      {"jitterfreq", param.jitterfreq, kMaxJitterSamples},
      {"AngleFreq", param.AngleFreq, kMaxAngleFreq},
  };
  for (const Bound& b : bounds) {
    if (b.value <= b.high) continue;
    return std::string(b.key) + " " + std::to_string(b.value) + " is more than " + std::to_string(b.high) +
           ", the largest allowed";
  }
  return {};
}

}  // namespace zavo
