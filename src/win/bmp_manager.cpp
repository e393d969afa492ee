#include "win/bmp_manager.h"

#include <array>
#include <fstream>
#include <ostream>
#include <system_error>

#include "foundation/atomic_file.h"

namespace zavo {

std::int64_t BmpRowSize(std::int64_t width, int bits) {
  if (bits == 24) return (width * 3 + 3) / 4 * 4;
  return (width * bits + 31) / 32 * 4;
}

}  // namespace zavo

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

std::uint32_t Get32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t Get16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
void Put32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Put16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

// The info header that Create makes for a 24-bit picture of that size.
std::vector<std::uint8_t> InfoHeader24(int width, int height) {
  std::vector<std::uint8_t> info(kInfoHeaderSize, 0);
  Put32(&info[0], kInfoHeaderSize);
  Put32(&info[4], static_cast<std::uint32_t>(width));
  Put32(&info[8], static_cast<std::uint32_t>(height));
  Put16(&info[12], 1);
  Put16(&info[14], 24);
  Put32(&info[20], static_cast<std::uint32_t>(zavo::BmpRowSize(width, 24) * height));
  return info;
}

bool ReadAt(std::ifstream& in, std::int64_t offset, std::uint8_t* to, std::int64_t count) {
  in.clear();
  in.seekg(offset);
  in.read(reinterpret_cast<char*>(to), count);
  return in && in.gcount() == count;
}

}  // namespace

int BmpManager::Create(int width, int height) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return 0;
  info_ = InfoHeader24(width, height);
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3, 0);
  pictureWidth_ = width;
  pictureHeight_ = height;
  return 1;
}

int BmpManager::Width() const {
  return info_.size() >= kInfoHeaderSize ? static_cast<int>(Get32(&info_[4])) : 0;
}

int BmpManager::Height() const {
  return info_.size() >= kInfoHeaderSize ? static_cast<int>(Get32(&info_[8])) : 0;
}

void BmpManager::Free() {
  pixels_.clear();
  pixels_.shrink_to_fit();
  pictureWidth_ = 0;
  pictureHeight_ = 0;
}

zavo::Rgb8 BmpManager::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= pictureWidth_ || y >= pictureHeight_) return {};
  const std::uint8_t* p = pixels_.data() + (static_cast<std::size_t>(y) * pictureWidth_ + x) * 3;
  return {p[0], p[1], p[2]};
}

void BmpManager::FillBlock(int x, int y, int n, zavo::Rgb8 colour) {
  zavo::FillRgbBlock(pixels_.data(), pictureWidth_, pictureHeight_, x, y, n, colour);
}

int BmpManager::Save(const std::filesystem::path& file) const {
  if (!HasPicture()) return 0;
  const int w = pictureWidth_, h = pictureHeight_;
  const std::vector<std::uint8_t> info = InfoHeader24(w, h);
  const std::int64_t rowSize = zavo::BmpRowSize(w, 24);
  const std::int64_t imageSize = rowSize * h;
  std::array<std::uint8_t, kFileHeaderSize> head{};
  Put16(&head[0], 19778);
  Put32(&head[2], static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + imageSize));
  Put32(&head[10], kFileHeaderSize + kInfoHeaderSize);
  const bool ok = zavo::WriteFileAtomically(file, [&](std::ostream& os) {
    os.write(reinterpret_cast<const char*>(head.data()), head.size());
    os.write(reinterpret_cast<const char*>(info.data()), static_cast<std::streamsize>(info.size()));
    std::vector<std::uint8_t> row(static_cast<std::size_t>(rowSize), 0);
    for (int y = h - 1; y >= 0 && os; --y) {
      const std::uint8_t* p = pixels_.data() + static_cast<std::size_t>(y) * w * 3;
      for (int x = 0; x < w; ++x, p += 3) {
        row[x * 3] = p[2];
        row[x * 3 + 1] = p[1];
        row[x * 3 + 2] = p[0];
      }
      os.write(reinterpret_cast<const char*>(row.data()), rowSize);
    }
    return static_cast<bool>(os);
  });
  return ok ? 1 : 0;
}

int BmpManager::Load(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return 0;
  std::ifstream in(file, std::ios::binary);
  if (!in) return 0;
  in.seekg(0, std::ios::end);
  const std::int64_t fileSize = in.tellg();
  if (fileSize < kFileHeaderSize + kInfoHeaderSize) return 0;
  std::vector<std::uint8_t> info(kInfoHeaderSize);
  if (!ReadAt(in, kFileHeaderSize, info.data(), kInfoHeaderSize)) return 0;
  if (Get32(&info[0]) != kInfoHeaderSize) return 0;
  const std::int32_t width = static_cast<std::int32_t>(Get32(&info[4]));
  const std::int32_t height = static_cast<std::int32_t>(Get32(&info[8]));
  const int bits = Get16(&info[14]);
  const std::uint32_t compression = Get32(&info[16]);
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return 0;
  if (compression != 0) return 0;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return 0;

  const int tableEntries = bits <= 8 ? 1 << bits : 0;
  const std::int64_t infoLength = kInfoHeaderSize + 4 * tableEntries;
  const std::int64_t rowSize = zavo::BmpRowSize(width, bits);
  const std::int64_t imageSize = rowSize * height;
  // The rows follow the full colour table, whatever the file's pixel offset says.
  if (fileSize < kFileHeaderSize + infoLength + imageSize) return 0;
  info.resize(static_cast<std::size_t>(infoLength));
  if (tableEntries > 0 &&
      !ReadAt(in, kFileHeaderSize + kInfoHeaderSize, info.data() + kInfoHeaderSize, 4 * tableEntries)) {
    return 0;
  }
  Put32(&info[20], static_cast<std::uint32_t>(imageSize));

  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(rowSize));
  in.clear();
  in.seekg(kFileHeaderSize + infoLength);
  for (std::int32_t r = 0; r < height; ++r) {
    in.read(reinterpret_cast<char*>(row.data()), rowSize);
    if (!in || in.gcount() != rowSize) return 0;
    std::uint8_t* out = pixels.data() + static_cast<std::size_t>(height - 1 - r) * width * 3;
    for (std::int32_t x = 0; x < width; ++x, out += 3) {
      if (bits == 24) {
        out[0] = row[x * 3 + 2];
        out[1] = row[x * 3 + 1];
        out[2] = row[x * 3];
        continue;
      }
      const int perByte = 8 / bits;
      const int byte = row[x / perByte];
      const int shift = 8 - bits * (x % perByte + 1);
      const int index = (byte >> shift) & ((1 << bits) - 1);
      const std::uint8_t* entry = &info[kInfoHeaderSize + 4 * index];  // blue, green, red, 0
      out[0] = entry[2];
      out[1] = entry[1];
      out[2] = entry[0];
    }
  }
  info_ = std::move(info);
  pixels_ = std::move(pixels);
  pictureWidth_ = width;
  pictureHeight_ = height;
  return 1;
}
