#pragma once

// The raw file of a depth image and the grey levels made from it.
//
// Layout, whatever the host's byte order: the width and the height as two
// 32-bit little-endian integers, then one 12-byte record a pixel, row 0 first,
// each row from the left: a 32-bit little-endian miss flag (1: the ray hit
// nothing, 0: it hit) and the hit distance as a little-endian IEEE double. No
// padding anywhere. The distance of a miss is written as 0 and never read.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <span>

class BitmapManager;

namespace zavo {

inline constexpr int kDepthHeaderBytes = 8;
inline constexpr int kDepthRecordBytes = 12;

struct DepthRecord {
  std::int32_t miss = 1;
  double distance = 0;
};

// Writers: the stream's state tells whether every byte got out.
void WriteDepthSize(std::ostream& os, std::int32_t width, std::int32_t height);
// The records of one row, in one write.
void WriteDepthRow(std::ostream& os, std::span<const DepthRecord> row);

// Readers: true when every byte was there (the outputs are then set).
bool ReadDepthSize(std::istream& is, std::int32_t& width, std::int32_t& height);
bool ReadDepthRow(std::istream& is, std::span<DepthRecord> row);

// The smallest and the largest hit distance of one depth image: both start at
// the first hit and widen with each later one.
class DepthRange {
public:
  void Widen(double distance);
  bool Empty() const { return empty_; }
  double Smallest() const { return smallest_; }
  double Largest() const { return largest_; }

  // The grey level of a record: back for a miss; for a hit at distance d,
  // trunc((d - smallest) / (largest - smallest) * (greyMax - greyMin) + greyMin),
  // or greyMin when every hit lies at one distance (nothing to spread).
  int Grey(const DepthRecord& record, int greyMin, int greyMax, int back) const;

private:
  bool empty_ = true;
  double smallest_ = 0;
  double largest_ = 0;
};

// Reads a whole raw depth file of a width x height image into image, made
// here, each record as range.Grey of the three grey levels; rowDone runs after
// each row. False when the size in the file is not width x height or a record
// is missing (image is then left as it is).
bool ReadDepthImage(std::istream& is, int width, int height, const DepthRange& range, int greyMin, int greyMax,
                    int back, BitmapManager& image, const std::function<void(int row)>& rowDone);

}  // namespace zavo
