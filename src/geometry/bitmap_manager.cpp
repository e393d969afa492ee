#include "geometry/bitmap_manager.h"

#include <cstring>
#include <fstream>
#include <istream>
#include <new>
#include <ostream>

#include "foundation/atomic_file.h"

namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr int kHeadersBytes = kFileHeaderBytes + kInfoHeaderBytes;

std::uint16_t Get16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t Get32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void Put16(unsigned char* p, std::uint32_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}
void Put32(unsigned char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

bool ReadAt(std::istream& in, std::streamoff base, std::int64_t offset, unsigned char* to,
            std::int64_t count) {
  in.clear();
  if (!in.seekg(base + static_cast<std::streamoff>(offset))) return false;
  in.read(reinterpret_cast<char*>(to), static_cast<std::streamsize>(count));
  return in.gcount() == static_cast<std::streamsize>(count);
}

bool SizeAllowed(std::int64_t width, std::int64_t height) {
  return width >= 1 && height >= 1 && width <= zavo::kMaxBitmapSide &&
         height <= zavo::kMaxBitmapSide &&
         height * zavo::BitmapStride(width) <= zavo::kMaxBitmapBytes;
}

}  // namespace

BitmapManager::BitmapManager() = default;
BitmapManager::~BitmapManager() = default;

BitmapManager::BitmapManager(const BitmapManager& other)
    : headerLength_(other.headerLength_), stride_(other.stride_), pixelOffset_(other.pixelOffset_) {
  if (other.header_) header_ = std::make_unique<zavo::BmpInfoHeader>(*other.header_);
  if (other.pixels_) {
    const std::size_t bytes = other.ImageBytes();
    pixels_ = std::make_unique<unsigned char[]>(bytes);
    std::memcpy(pixels_.get(), other.pixels_.get(), bytes);
  }
}

BitmapManager& BitmapManager::operator=(const BitmapManager& other) {
  if (this != &other) {
    BitmapManager copy(other);
    header_ = std::move(copy.header_);
    pixels_ = std::move(copy.pixels_);
    headerLength_ = copy.headerLength_;
    stride_ = copy.stride_;
    pixelOffset_ = copy.pixelOffset_;
  }
  return *this;
}

void BitmapManager::Release() {
  pixels_.reset();
  header_.reset();
  stride_ = 0;
}

std::size_t BitmapManager::ImageBytes() const {
  return header_ ? static_cast<std::size_t>(header_->height) * static_cast<std::size_t>(stride_)
                 : 0;
}

bool BitmapManager::InImage(int x, int y) const {
  return header_ && x >= 0 && y >= 0 && x < header_->width && y < header_->height;
}

bool BitmapManager::SetUpHeader(int width, int height) {
  Release();
  if (!SizeAllowed(width, height)) return false;
  header_ = std::make_unique<zavo::BmpInfoHeader>();
  header_->width = width;
  header_->height = height;
  headerLength_ = kInfoHeaderBytes;
  pixelOffset_ = kHeadersBytes;
  stride_ = static_cast<std::int32_t>(zavo::BitmapStride(width));
  header_->sizeImage = static_cast<std::uint32_t>(ImageBytes());
  return true;
}

int BitmapManager::Create(int width, int height) {
  if (!SetUpHeader(width, height)) return 0;
  pixels_.reset(new (std::nothrow) unsigned char[ImageBytes()]());
  if (!pixels_) {
    Release();
    return 0;
  }
  return 1;
}

int BitmapManager::CreateHeader(int width, int height) {
  SetUpHeader(width, height);
  return 0;
}

int BitmapManager::Width() const { return header_ ? header_->width : 0; }
int BitmapManager::Height() const { return header_ ? header_->height : 0; }

int BitmapManager::GetPixel(int x, int y, int& red, int& green, int& blue) const {
  if (!pixels_ || !InImage(x, y)) return 0;
  const unsigned char* p =
      pixels_.get() + static_cast<std::size_t>(header_->height - 1 - y) * stride_ + 3 * x;
  blue = p[0];
  green = p[1];
  red = p[2];
  return 1;
}

int BitmapManager::SetPixel(int x, int y, int red, int green, int blue) {
  if (!pixels_ || !InImage(x, y)) return 0;
  unsigned char* p =
      pixels_.get() + static_cast<std::size_t>(header_->height - 1 - y) * stride_ + 3 * x;
  p[0] = static_cast<unsigned char>(blue);
  p[1] = static_cast<unsigned char>(green);
  p[2] = static_cast<unsigned char>(red);
  return 1;
}

// --- files -----------------------------------------------------------------

int BitmapManager::Load(const std::filesystem::path& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in.is_open()) return 0;
  return Load(in);
}

int BitmapManager::Load(std::istream& in) {
  Release();
  const std::streamoff base = in.tellg();
  if (base < 0) return 0;
  in.seekg(0, std::ios::end);
  const std::streamoff end = in.tellg();
  if (end < base) return 0;
  const std::int64_t length = end - base;

  unsigned char head[kHeadersBytes];
  if (!ReadAt(in, base, 0, head, kHeadersBytes)) return 0;
  const std::uint32_t pixelOffset = Get32(head + 10);
  zavo::BmpInfoHeader h;
  h.size = Get32(head + 14);
  h.width = static_cast<std::int32_t>(Get32(head + 18));
  h.height = static_cast<std::int32_t>(Get32(head + 22));
  h.planes = Get16(head + 26);
  h.bitCount = Get16(head + 28);
  h.compression = Get32(head + 30);
  h.sizeImage = Get32(head + 34);
  h.xPelsPerMeter = static_cast<std::int32_t>(Get32(head + 38));
  h.yPelsPerMeter = static_cast<std::int32_t>(Get32(head + 42));
  h.clrUsed = Get32(head + 46);
  h.clrImportant = Get32(head + 50);

  if (head[0] != 'B' || head[1] != 'M') return 0;
  if (h.bitCount != 24 || h.size < kInfoHeaderBytes || h.compression != 0) return 0;
  if (!SizeAllowed(h.width, h.height)) return 0;
  if (pixelOffset < static_cast<std::uint32_t>(kHeadersBytes) || pixelOffset > 0x7fffffffu) return 0;
  const std::int64_t stride = zavo::BitmapStride(h.width);
  const std::int64_t bytes = stride * h.height;
  if (static_cast<std::int64_t>(pixelOffset) + bytes > length) return 0;

  std::unique_ptr<unsigned char[]> pixels(new (std::nothrow) unsigned char[bytes]);
  if (!pixels || !ReadAt(in, base, pixelOffset, pixels.get(), bytes)) return 0;

  // The image keeps the header as read and the file's pixel offset for the row
  // operations; a save writes the standard 40-byte header (a longer one is not
  // kept) with the pixels right after it.
  h.size = kInfoHeaderBytes;
  h.sizeImage = static_cast<std::uint32_t>(bytes);
  header_ = std::make_unique<zavo::BmpInfoHeader>(h);
  headerLength_ = kInfoHeaderBytes;
  pixelOffset_ = static_cast<std::int32_t>(pixelOffset);
  stride_ = static_cast<std::int32_t>(stride);
  pixels_ = std::move(pixels);
  return 1;
}

int BitmapManager::Save(const std::filesystem::path& fileName) const {
  if (!header_ || !pixels_) return 0;
  return zavo::WriteFileAtomically(fileName, [this](std::ostream& out) { return Save(out) == 1; })
             ? 1
             : 0;
}

int BitmapManager::Save(std::ostream& out) const {
  if (!header_) return 0;
  const std::uint32_t imageBytes = static_cast<std::uint32_t>(ImageBytes());
  unsigned char head[kHeadersBytes] = {};
  head[0] = 'B';
  head[1] = 'M';
  Put32(head + 2, kFileHeaderBytes + headerLength_ + imageBytes);
  Put32(head + 10, kFileHeaderBytes + headerLength_);
  Put32(head + 14, header_->size);
  Put32(head + 18, static_cast<std::uint32_t>(header_->width));
  Put32(head + 22, static_cast<std::uint32_t>(header_->height));
  Put16(head + 26, header_->planes);
  Put16(head + 28, header_->bitCount);
  Put32(head + 30, header_->compression);
  Put32(head + 34, imageBytes);
  Put32(head + 38, static_cast<std::uint32_t>(header_->xPelsPerMeter));
  Put32(head + 42, static_cast<std::uint32_t>(header_->yPelsPerMeter));
  Put32(head + 46, header_->clrUsed);
  Put32(head + 50, header_->clrImportant);
  out.write(reinterpret_cast<const char*>(head), kHeadersBytes);
  if (!out || !pixels_) return 0;
  out.write(reinterpret_cast<const char*>(pixels_.get()), static_cast<std::streamsize>(imageBytes));
  return out ? 1 : 0;
}

// --- rows and single pixels ---------------------------------------------------

int BitmapManager::ReadFileRow(std::istream& in, int row, unsigned char* buffer) const {
  if (!header_ || !InImage(0, row)) return 0;
  in.clear();
  if (!in.seekg(pixelOffset_ + static_cast<std::streamoff>(row) * stride_)) return 0;
  in.read(reinterpret_cast<char*>(buffer), stride_);
  return in.gcount() == stride_ ? 1 : 0;
}

int BitmapManager::WriteFileRow(std::ostream& out, int row, const unsigned char* buffer) const {
  if (!header_ || !InImage(0, row)) return 0;
  if (!out.seekp(pixelOffset_ + static_cast<std::streamoff>(row) * stride_)) return 0;
  out.write(reinterpret_cast<const char*>(buffer), stride_);
  return out ? 1 : 0;
}

int BitmapManager::ReadFilePixel(std::istream& in, int x, int row, int& red, int& green,
                                 int& blue) const {
  if (!header_ || !InImage(x, row)) return 0;
  in.clear();
  if (!in.seekg(pixelOffset_ + static_cast<std::streamoff>(row) * stride_ + 3 * x)) return 0;
  unsigned char bgr[3];
  in.read(reinterpret_cast<char*>(bgr), 3);
  if (in.gcount() != 3) return 0;
  blue = bgr[0];
  green = bgr[1];
  red = bgr[2];
  return 1;
}

int BitmapManager::WriteFilePixel(std::ostream& out, int x, int row, int red, int green,
                                  int blue) const {
  if (!header_ || !pixels_ || !InImage(x, row)) return 0;
  if (!out.seekp(pixelOffset_ + static_cast<std::streamoff>(row) * stride_ + 3 * x)) return 0;
  const unsigned char bgr[3] = {static_cast<unsigned char>(blue), static_cast<unsigned char>(green),
                                static_cast<unsigned char>(red)};
  out.write(reinterpret_cast<const char*>(bgr), 3);
  return out ? 1 : 0;
}

int BitmapManager::SetRow(int row, const unsigned char* buffer) {
  if (!header_ || !pixels_ || !InImage(0, row)) return 0;
  std::memcpy(pixels_.get() + static_cast<std::size_t>(row) * stride_, buffer, stride_);
  return 1;
}

int BitmapManager::GetRow(int row, unsigned char* buffer) const {
  if (!header_ || !pixels_ || !InImage(0, row)) return 0;
  std::memcpy(buffer, pixels_.get() + static_cast<std::size_t>(row) * stride_, stride_);
  return 1;
}
