#pragma once

// An animation frame as the encoder takes it: three raw 4:2:0 planes in
// studio-range BT.601 (Y 16..235, Cb and Cr 16..240 around 128), rows from the
// top, one byte per sample, no header. W and H are the image's width and
// height rounded down to even numbers; a last odd column or row is not used.

#include <string>
#include <vector>

class BitmapManager;

namespace zavo {

struct YuvPlanes {
  int width = 0;   // W; the colour planes are W/2 x H/2
  int height = 0;  // H
  std::vector<unsigned char> y, u, v;
};

// The planes of an image; an empty image gives empty planes.
YuvPlanes ToYuvPlanes(const BitmapManager& image);

// The three samples of one colour (r, g, b 0..255), each rounded to the
// nearest integer and clamped to 0..255; Cb and Cr before the 2 x 2 mean
// as reals.
int LumaOf(int r, int g, int b);
double BlueDifferenceOf(int r, int g, int b);
double RedDifferenceOf(int r, int g, int b);

// The frame name S: the base followed by k in four digits with leading
// zeros (five and more digits as they are).
std::string FrameName(const std::string& base, int k);

// Converts S.bmp into S.y, S.u and S.v, each replacing any older file of that
// name (a missing or unreadable BMP gives empty files). False, with the name
// of the first plane file that could not be written in failed, on failure.
bool ConvertFrameToYUV(const std::string& frameName, std::string& failed);

}  // namespace zavo
