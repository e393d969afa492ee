#pragma once

// Where rendered pixels go: the shell's window image and the copy kept off
// screen. A target is an RGB picture that takes square blocks of one colour.

#include <cstdint>
#include <vector>

namespace zavo {

struct Rgb8 {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb8&, const Rgb8&) = default;
};

class PixelTarget {
public:
  virtual ~PixelTarget() = default;
  // Sets the pixels x to x + n - 1, y to y + n - 1 (from the top) to the
  // colour; pixels outside the picture are skipped.
  virtual void FillBlock(int x, int y, int n, Rgb8 colour) = 0;
};

// A plain RGB picture, black at first.
class PixelBuffer : public PixelTarget {
public:
  PixelBuffer(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Black outside the picture.
  Rgb8 Pixel(int x, int y) const;
  // Rows from the top, three bytes (r, g, b) a pixel.
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

  void FillBlock(int x, int y, int n, Rgb8 colour) override;

private:
  int width_;
  int height_;
  std::vector<std::uint8_t> bytes_;
};

// Fills the block into an RGB byte picture of that size (rows from the top),
// clipped to it.
void FillRgbBlock(std::uint8_t* bytes, int width, int height, int x, int y, int n, Rgb8 colour);

}  // namespace zavo
