#pragma once

// The encoder's parameter file "zavo.par": 55 lines in the layout of the
// public MPEG-2 reference encoder's parameter file (title, source name
// pattern, frame count, first frame, sizes, bit rate ...), each ended by
// "\n". The editor writes it beside the frames it renders; mpegenc reads the
// few values it encodes with.

#include <iosfwd>
#include <string>

namespace zavo {

inline constexpr const char* kMpegParamFile = "zavo.par";

// What mpegenc takes from the file.
struct MpegParams {
  std::string pattern;   // line 2: the frame files' base, "%d" standing for the frame number
  int frames = 0;        // line 8
  int firstFrame = 0;    // line 9
  int width = 0;         // line 15
  int height = 0;        // line 16
  double bitRate = 0.0;  // line 19, bits per second
};

// Largest frame side the encoder accepts (MPEG-1 sizes are 12-bit) and the
// most frames one file may name.
inline constexpr int kMpegMaxSide = 4095;
inline constexpr int kMpegMaxFrames = 1000000;

// The 55 lines for the frames' base name B (the source pattern is B
// followed by "%d"), the frame count and the image size (each side rounded
// down to an even number here).
void WriteMpegParams(std::ostream& out, const std::string& base, int frames, int width, int height);

// Reads the values above. False, with the reason in error, for a file with
// fewer than 19 lines, a pattern without "%d", a count or first frame that is
// no whole number in 0..kMpegMaxFrames, sizes that are not even numbers in
// 2..kMpegMaxSide or a bit rate that is not a positive number. Lines may end
// in "\r\n".
bool ReadMpegParams(std::istream& in, MpegParams& params, std::string& error);

// The name of frame k's files without extension: the pattern's last "%d"
// replaced by k, written with at least `digits` digits (leading zeros);
// nothing else in the pattern is special.
std::string MpegFrameName(const std::string& pattern, int k, int digits = 1);

}  // namespace zavo
