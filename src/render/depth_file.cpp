#include "render/depth_file.h"

#include <bit>
#include <istream>
#include <ostream>
#include <vector>

#include "foundation/number_text.h"
#include "geometry/bitmap_manager.h"

namespace zavo {

namespace {

void PutLE(std::uint64_t value, int bytes, unsigned char* to) {
  for (int i = 0; i < bytes; ++i) to[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint64_t GetLE(const unsigned char* from, int bytes) {
  std::uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint64_t>(from[i]) << (8 * i);
  return value;
}

void PutInt32(std::int32_t value, unsigned char* to) { PutLE(static_cast<std::uint32_t>(value), 4, to); }

std::int32_t GetInt32(const unsigned char* from) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(GetLE(from, 4)));
}

}  // namespace

void WriteDepthSize(std::ostream& os, std::int32_t width, std::int32_t height) {
  unsigned char bytes[kDepthHeaderBytes];
  PutInt32(width, bytes);
  PutInt32(height, bytes + 4);
  os.write(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

void WriteDepthRow(std::ostream& os, std::span<const DepthRecord> row) {
  std::vector<unsigned char> bytes(row.size() * kDepthRecordBytes);
  unsigned char* to = bytes.data();
  for (const DepthRecord& record : row) {
    PutInt32(record.miss, to);
    PutLE(std::bit_cast<std::uint64_t>(record.distance), 8, to + 4);
    to += kDepthRecordBytes;
  }
  os.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool ReadDepthSize(std::istream& is, std::int32_t& width, std::int32_t& height) {
  unsigned char bytes[kDepthHeaderBytes];
  if (!is.read(reinterpret_cast<char*>(bytes), sizeof bytes)) return false;
  width = GetInt32(bytes);
  height = GetInt32(bytes + 4);
  return true;
}

bool ReadDepthRow(std::istream& is, std::span<DepthRecord> row) {
  std::vector<unsigned char> bytes(row.size() * kDepthRecordBytes);
  if (!is.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
    return false;
  }
  const unsigned char* from = bytes.data();
  for (DepthRecord& record : row) {
    record.miss = GetInt32(from);
    record.distance = std::bit_cast<double>(GetLE(from + 4, 8));
    from += kDepthRecordBytes;
  }
  return true;
}

void DepthRange::Widen(double distance) {
  if (empty_) {
    smallest_ = largest_ = distance;
    empty_ = false;
    return;
  }
  if (distance < smallest_) smallest_ = distance;
  if (distance > largest_) largest_ = distance;
}

int DepthRange::Grey(const DepthRecord& record, int greyMin, int greyMax, int back) const {
  if (record.miss != 0) return back;
  const double span = largest_ - smallest_;
  // Every hit at one distance: 0 / 0 would give no grey at all.
  if (!(span > 0)) return greyMin;
  return SaturateToInt((record.distance - smallest_) / span * (static_cast<double>(greyMax) - greyMin) +
                       greyMin);
}

bool ReadDepthImage(std::istream& is, int width, int height, const DepthRange& range, int greyMin, int greyMax,
                    int back, BitmapManager& image, const std::function<void(int row)>& rowDone) {
  std::int32_t fileWidth = 0;
  std::int32_t fileHeight = 0;
  if (!ReadDepthSize(is, fileWidth, fileHeight) || fileWidth != width || fileHeight != height || width <= 0 ||
      height <= 0) {
    return false;
  }
  BitmapManager made;
  if (!made.Create(width, height)) return false;
  std::vector<DepthRecord> row(static_cast<std::size_t>(width));
  for (int i = 0; i < height; ++i) {
    if (!ReadDepthRow(is, row)) return false;
    for (int j = 0; j < width; ++j) {
      const int grey = range.Grey(row[static_cast<std::size_t>(j)], greyMin, greyMax, back);
      made.SetPixel(j, i, grey, grey, grey);
    }
    if (rowDone) rowDone(i);
  }
  image = std::move(made);
  return true;
}

}  // namespace zavo
