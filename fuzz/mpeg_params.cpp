// Arbitrary bytes as the encoder's parameter file "zavo.par": reading never
// fails without a reason, and what it accepts is within the encoder's limits
// and writes back to a file that reads to the same values.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "editor/mpeg_param_file.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  zavo::MpegParams params;
  std::string error;
  if (!zavo::ReadMpegParams(in, params, error)) {
    Check(!error.empty());
    return 0;
  }
  Check(params.frames >= 0 && params.frames <= zavo::kMpegMaxFrames);
  Check(params.width >= 2 && params.width <= zavo::kMpegMaxSide && params.width % 2 == 0);
  Check(params.height >= 2 && params.height <= zavo::kMpegMaxSide && params.height % 2 == 0);
  const std::size_t at = params.pattern.rfind("%d");
  Check(at != std::string::npos);
  (void)zavo::MpegFrameName(params.pattern, params.firstFrame + params.frames, 4);

  std::ostringstream out;
  zavo::WriteMpegParams(out, params.pattern.substr(0, at), params.frames, params.width, params.height);
  std::istringstream back(out.str());
  zavo::MpegParams again;
  Check(zavo::ReadMpegParams(back, again, error));
  Check(again.frames == params.frames && again.width == params.width && again.height == params.height);
  return 0;
}
