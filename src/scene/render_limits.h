#pragma once

// Upper bounds of the render parameters whose values drive recursion depth or
// the work spent on one pixel. A scene beyond them is refused before anything
// is built, so that no input can overflow the stack or make a render endless.

#include <string>

class GParam;

namespace zavo {

inline constexpr int kMaxTraceDepth = 256;        // "mode": reflection/refraction recursion
inline constexpr int kMaxAntiAlias = 8;           // "anti_alias": adaptive levels + 1
inline constexpr int kMaxJitterSamples = 4096;    // "jitterfreq": samples a pixel
inline constexpr int kMaxAngleFreq = 1000000;     // "AngleFreq": spread-sample density
// The samples of one spread reflection or refraction (a material's "angles"
// or "anglet" squared times "AngleFreq") are at most this many.
inline constexpr int kMaxSpreadSamples = 4096;

// "" when every bounded parameter is within its range, else the message that
// names the first one out of range, e.g. "mode 1000 is more than 256, the
// largest allowed".
std::string RenderLimitError(const GParam& param);

}  // namespace zavo
