#pragma once

// One 24-bit colour image in memory, read from and written to uncompressed
// Windows BMP files.
//
// Memory holds the pixel rows in file order: the first row is the bottom row of
// the picture, each row blue, green, red per pixel, padded to Stride() bytes.
// GetPixel and SetPixel count x from the left and y from the top, so pixel
// (x, y) lies in memory row Height() - 1 - y.
//
// Files are checked before anything is allocated: the magic "BM", an info
// header of at least 40 bytes, 24 bits per pixel, no compression, a width and
// height in 1..kMaxBitmapSide (bottom-up rows only), at most kMaxBitmapBytes of
// pixel data, a pixel offset of at least 54, and a file long enough to hold
// every row. Anything else loads nothing.

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>

namespace zavo {

// The 40-byte info header of a BMP file, field by field.
struct BmpInfoHeader {
  std::uint32_t size = 40;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t planes = 1;
  std::uint16_t bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t sizeImage = 0;
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
  std::uint32_t clrUsed = 0;
  std::uint32_t clrImportant = 0;
};

// Size limits of an image, for Create and Load alike.
inline constexpr std::int32_t kMaxBitmapSide = 65535;
inline constexpr std::int64_t kMaxBitmapBytes = std::int64_t{1} << 30;  // 1 GiB of pixel rows

// Bytes per pixel row of a 24-bit image: 3 * width rounded up to a multiple of 4.
constexpr std::int64_t BitmapStride(std::int64_t width) { return (3 * width + 3) / 4 * 4; }

}  // namespace zavo

class BitmapManager {
public:
  BitmapManager();
  ~BitmapManager();
  // Copies are deep: a texture list copies its textures with their images.
  BitmapManager(const BitmapManager& other);
  BitmapManager& operator=(const BitmapManager& other);

  // Releases what the image held, then makes a width x height image whose pixels
  // are all black and whose padding bytes are 0. Returns 1; returns 0 holding
  // nothing when a side is not in 1..kMaxBitmapSide or the rows would exceed
  // kMaxBitmapBytes.
  int Create(int width, int height);

  // Replaces the image by a BMP file. 1 on success. 0 when the file does not
  // open (the image stays as it was) or is not a valid 24-bit BMP (the image is
  // then empty).
  int Load(const std::filesystem::path& fileName);
  // Saves the image as a BMP file through a temporary file in the same directory
  // and a rename. 1 on success; 0, leaving any existing file untouched and no
  // temporary file behind, when no header or no pixels are held or the file
  // cannot be written.
  int Save(const std::filesystem::path& fileName) const;

  // The same on binary streams holding a file from the current position on.
  // Load: 0 with the image empty on a failed read or an invalid file. Save:
  // writes the headers and then the pixels; with a header but no pixels it
  // writes the headers only and returns 0; 0 when the stream fails.
  int Load(std::istream& in);
  int Save(std::ostream& out) const;

  // The channels 0..255 of pixel (x, y), y counted from the top. 1, or 0 without
  // touching the outputs when (x, y) lies outside or no pixels are held.
  int GetPixel(int x, int y, int& red, int& green, int& blue) const;
  // Stores the low byte of each channel into pixel (x, y). 1, or 0 without
  // effect when (x, y) lies outside or no pixels are held.
  int SetPixel(int x, int y, int red, int green, int blue);

  // Size in pixels; 0 when no header is held.
  int Width() const;
  int Height() const;

  // For display code: the held info header (null when none), the pixel rows
  // bottom-up (null when none) and the bytes per row.
  const zavo::BmpInfoHeader* InfoHeader() const { return header_.get(); }
  const unsigned char* PixelData() const { return pixels_.get(); }
  int Stride() const { return stride_; }

  // Row access on BMP files and in memory; rows are counted in file order
  // (row 0 is the bottom row) and a row buffer holds Stride() bytes. Each
  // returns 0 without effect when what it requires is not held, when the row
  // or pixel lies outside the image, or when the stream fails.

  // As Create, but allocates no pixel memory: afterwards a header is held and
  // no pixels. Always returns 0.
  int CreateHeader(int width, int height);
  // Requires a header. Reads or writes one row of a BMP file at its place.
  int ReadFileRow(std::istream& in, int row, unsigned char* buffer) const;
  int WriteFileRow(std::ostream& out, int row, const unsigned char* buffer) const;
  // Reads one pixel of a BMP file (requires a header) or writes one (requires a
  // header and pixels); x from the left, channels 0..255.
  int ReadFilePixel(std::istream& in, int x, int row, int& red, int& green, int& blue) const;
  int WriteFilePixel(std::ostream& out, int x, int row, int red, int green, int blue) const;
  // Require a header and pixels. Copy one row in or out of memory.
  int SetRow(int row, const unsigned char* buffer);
  int GetRow(int row, unsigned char* buffer) const;

private:
  void Release();
  // Sets up the header of a fresh width x height image; false when the size is refused.
  bool SetUpHeader(int width, int height);
  std::size_t ImageBytes() const;
  bool InImage(int x, int y) const;

  std::unique_ptr<zavo::BmpInfoHeader> header_;
  std::int32_t headerLength_ = 40;  // info header bytes as written to a file
  std::int32_t stride_ = 0;
  std::int32_t pixelOffset_ = 54;   // where the pixel rows of a file start
  std::unique_ptr<unsigned char[]> pixels_;
};
