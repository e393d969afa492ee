#pragma once

// The picture that the editing window shows (the rendered image), kept as RGB
// pixels, with the BMP info block that describes it. It reads uncompressed
// BMP files of 1, 4, 8 and 24 bits (palette pictures are converted through
// their colour table) and writes 24-bit files:
//
//   offset 0   "BM", file size, two reserved words 0, pixel offset
//   offset 14  the 40-byte info header
//   offset 54  the colour table (4 bytes an entry, 2^bits entries; bit
//              counts up to 8 only)
//   then       the pixel rows, bottom row first, each padded to a multiple
//              of 4 bytes
//
// All numbers are little-endian.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "win/pixel_target.h"

class BmpManager : public zavo::PixelTarget {
public:
  // The largest width and height a loaded file may have.
  static constexpr int kMaxSide = 32768;

  // A new black 24-bit picture of that size with a fresh info header. 1, or 0
  // (the old picture stays) when the size is not 1 to kMaxSide a side.
  int Create(int width, int height);
  // The width and height of the info header (0 before the first picture).
  int Width() const;
  int Height() const;
  // Writes the picture as a 24-bit file through a temporary file. 1, or 0
  // when there is no picture or the file cannot be written (an old file
  // stays).
  int Save(const std::filesystem::path& file) const;
  // Reads a file. 1, or 0 when it cannot be read or is not an uncompressed
  // BMP of 1, 4, 8 or 24 bits with a 40-byte info header, a size of 1 to
  // kMaxSide a side, its whole colour table and every pixel row; then the old
  // picture and info block stay.
  int Load(const std::filesystem::path& file);
  // Drops the picture; the info block stays.
  void Free();

  bool HasPicture() const { return !pixels_.empty(); }
  // The pixel at (x, y) from the top; black outside the picture.
  zavo::Rgb8 Pixel(int x, int y) const;
  // The info header followed by the colour table, if any.
  const std::vector<std::uint8_t>& InfoBlock() const { return info_; }

  void FillBlock(int x, int y, int n, zavo::Rgb8 colour) override;

private:
  int PictureWidth() const { return pictureWidth_; }

  std::vector<std::uint8_t> info_;
  std::vector<std::uint8_t> pixels_;  // rows from the top, r g b
  int pictureWidth_ = 0;
  int pictureHeight_ = 0;
};

namespace zavo {

// Bytes of one row of pixels: width x 3 rounded up to 4 for 24 bits,
// (width x bits + 31) / 32 x 4 for 1, 4 and 8 bits.
std::int64_t BmpRowSize(std::int64_t width, int bits);

}  // namespace zavo
