#include "geometry/bitmap_manager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"

namespace {

using zavo::test::ReadFile;
using zavo::test::TempDir;
using zavo::test::WriteFile;

std::uint32_t U32(const std::string& s, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s.at(at + i));
  return v;
}
std::int32_t I32(const std::string& s, std::size_t at) { return static_cast<std::int32_t>(U32(s, at)); }
std::uint16_t U16(const std::string& s, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(s.at(at)) |
                                    (static_cast<unsigned char>(s.at(at + 1)) << 8));
}
void Put32(std::string& s, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}
void Put16(std::string& s, std::size_t at, std::uint32_t v) {
  s[at] = static_cast<char>(v);
  s[at + 1] = static_cast<char>(v >> 8);
}

// A BMP file built field by field; pixel bytes are i * 7 + 1 from the offset on.
struct BmpSpec {
  std::int32_t width = 3;
  std::int32_t height = 2;
  std::uint32_t infoSize = 40;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t pixelOffset = 54;
  const char* magic = "BM";
  long cutTail = 0;  // bytes removed from the end
};

std::string MakeBmp(const BmpSpec& b) {
  const std::int64_t stride = (3 * static_cast<std::int64_t>(b.width) + 3) / 4 * 4;
  const std::int64_t rows = b.height < 0 ? -static_cast<std::int64_t>(b.height) : b.height;
  const std::int64_t pixelBytes = b.width > 0 ? stride * rows : 0;
  std::size_t size = std::max<std::size_t>(b.pixelOffset, 14 + b.infoSize) + pixelBytes;
  std::string s(size, '\0');
  s[0] = b.magic[0];
  s[1] = b.magic[1];
  Put32(s, 2, static_cast<std::uint32_t>(size));
  Put32(s, 10, b.pixelOffset);
  Put32(s, 14, b.infoSize);
  Put32(s, 18, static_cast<std::uint32_t>(b.width));
  Put32(s, 22, static_cast<std::uint32_t>(b.height));
  Put16(s, 26, 1);
  Put16(s, 28, b.bits);
  Put32(s, 30, b.compression);
  Put32(s, 34, static_cast<std::uint32_t>(pixelBytes));
  for (std::int64_t i = 0; i < pixelBytes; ++i) s[b.pixelOffset + i] = static_cast<char>(i * 7 + 1);
  s.resize(size - b.cutTail);
  return s;
}

std::string SaveToString(const BitmapManager& image) {
  std::ostringstream out(std::ios::binary);
  EXPECT_EQ(image.Save(out), 1);
  return out.str();
}

int LoadFromString(BitmapManager& image, const std::string& bytes) {
  std::istringstream in(bytes, std::ios::binary);
  return image.Load(in);
}

TEST(BitmapManager, TwoByTwoFileHasTheStandardLayout) {
  TempDir dir;
  BitmapManager image;
  ASSERT_EQ(image.Create(2, 2), 1);
  EXPECT_EQ(image.SetPixel(0, 0, 255, 0, 300), 1);
  ASSERT_EQ(image.Save(dir / "a.bmp"), 1);
  const std::string f = ReadFile(dir / "a.bmp");
  ASSERT_EQ(f.size(), 70u);
  EXPECT_EQ(f.substr(0, 2), "BM");
  EXPECT_EQ(U32(f, 2), 70u);
  EXPECT_EQ(U32(f, 6), 0u);  // both reserved words
  EXPECT_EQ(U32(f, 10), 54u);
  EXPECT_EQ(U32(f, 14), 40u);
  EXPECT_EQ(I32(f, 18), 2);
  EXPECT_EQ(I32(f, 22), 2);
  EXPECT_EQ(U16(f, 26), 1);
  EXPECT_EQ(U16(f, 28), 24);
  EXPECT_EQ(U32(f, 30), 0u);
  EXPECT_EQ(U32(f, 34), 16u);
  for (std::size_t at : {38u, 42u, 46u, 50u}) EXPECT_EQ(U32(f, at), 0u) << at;
  // Pixel (0, 0) is the top-left one: the first pixel of the last row in the file.
  EXPECT_EQ(static_cast<unsigned char>(f[62]), 0x2C);
  EXPECT_EQ(static_cast<unsigned char>(f[63]), 0x00);
  EXPECT_EQ(static_cast<unsigned char>(f[64]), 0xFF);
  // Everything else, padding included, is 0.
  for (std::size_t i = 54; i < 70; ++i) {
    if (i < 62 || i > 64) {
      EXPECT_EQ(f[i], '\0') << i;
    }
  }

  BitmapManager back;
  ASSERT_EQ(back.Load(dir / "a.bmp"), 1);
  int r = -1, g = -1, b = -1;
  ASSERT_EQ(back.GetPixel(0, 0, r, g, b), 1);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 0);
  EXPECT_EQ(b, 44);
}

TEST(BitmapManager, StrideAndFileSizeFollowTheWidth) {
  struct Case {
    int width;
    int stride;
  } cases[] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}};
  for (const Case& c : cases) {
    BitmapManager image;
    ASSERT_EQ(image.Create(c.width, 1), 1);
    EXPECT_EQ(image.Stride(), c.stride) << c.width;
    EXPECT_EQ(zavo::BitmapStride(c.width), c.stride);
    const std::string f = SaveToString(image);
    EXPECT_EQ(f.size(), 54u + c.stride) << c.width;
    EXPECT_EQ(U32(f, 34), static_cast<std::uint32_t>(c.stride)) << c.width;
  }
  // A 1 x 1 image: 58 bytes, blue, green, red and one padding byte.
  BitmapManager one;
  ASSERT_EQ(one.Create(1, 1), 1);
  one.SetPixel(0, 0, 1, 2, 3);
  EXPECT_EQ(SaveToString(one).substr(54), std::string("\x03\x02\x01\x00", 4));
}

TEST(BitmapManager, FreshImageAndOutsidePixels) {
  BitmapManager fresh;
  int r = 7, g = 8, b = 9;
  EXPECT_EQ(fresh.Width(), 0);
  EXPECT_EQ(fresh.Height(), 0);
  EXPECT_EQ(fresh.GetPixel(0, 0, r, g, b), 0);
  EXPECT_EQ(fresh.SetPixel(0, 0, 1, 1, 1), 0);
  EXPECT_EQ(fresh.InfoHeader(), nullptr);

  BitmapManager image;
  ASSERT_EQ(image.Create(3, 2), 1);
  const std::string before = SaveToString(image);
  const int outside[][2] = {{-1, 0}, {0, -1}, {3, 0}, {0, 2}, {3, 2}, {-1, -1}};
  for (const auto& p : outside) {
    EXPECT_EQ(image.GetPixel(p[0], p[1], r, g, b), 0);
    EXPECT_EQ(image.SetPixel(p[0], p[1], 255, 255, 255), 0);
  }
  EXPECT_EQ(r, 7);
  EXPECT_EQ(g, 8);
  EXPECT_EQ(b, 9);
  EXPECT_EQ(SaveToString(image), before);
}

TEST(BitmapManager, FailedLoads) {
  TempDir dir;
  BitmapManager image;
  ASSERT_EQ(image.Create(2, 3), 1);
  // A file that does not open leaves the image as it was.
  EXPECT_EQ(image.Load(dir / "missing.bmp"), 0);
  EXPECT_EQ(image.Width(), 2);
  EXPECT_EQ(image.Height(), 3);
  // An 8-bit file empties it.
  BmpSpec eight;
  eight.bits = 8;
  WriteFile(dir / "eight.bmp", MakeBmp(eight));
  EXPECT_EQ(image.Load(dir / "eight.bmp"), 0);
  EXPECT_EQ(image.Width(), 0);
  EXPECT_EQ(image.Height(), 0);
  EXPECT_EQ(image.PixelData(), nullptr);
}

TEST(BitmapManager, RandomImageSurvivesSaveAndLoad) {
  TempDir dir;
  std::mt19937 random(5);
  BitmapManager image;
  ASSERT_EQ(image.Create(5, 3), 1);
  int colours[3][5][3];
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      for (int c = 0; c < 3; ++c) colours[y][x][c] = static_cast<int>(random() % 256);
      image.SetPixel(x, y, colours[y][x][0], colours[y][x][1], colours[y][x][2]);
    }
  }
  const std::string saved = SaveToString(image);
  ASSERT_EQ(saved.size(), 54u + 3 * 16);

  BitmapManager fromFile;
  ASSERT_EQ(image.Save(dir / "r.bmp"), 1);
  EXPECT_EQ(ReadFile(dir / "r.bmp"), saved);
  ASSERT_EQ(fromFile.Load(dir / "r.bmp"), 1);
  BitmapManager fromStream;
  ASSERT_EQ(LoadFromString(fromStream, saved), 1);
  for (const BitmapManager* loaded : {&fromFile, &fromStream}) {
    EXPECT_EQ(SaveToString(*loaded), saved);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) {
        int r, g, b;
        ASSERT_EQ(loaded->GetPixel(x, y, r, g, b), 1);
        EXPECT_EQ(r, colours[y][x][0]);
        EXPECT_EQ(g, colours[y][x][1]);
        EXPECT_EQ(b, colours[y][x][2]);
      }
    }
  }
}

TEST(BitmapManager, LoadedHeaderIsWrittenBackAsRead) {
  std::string f = MakeBmp({});
  Put32(f, 2, 12345);     // file size: recomputed
  Put32(f, 6, 0x01020304);  // reserved: written as 0
  Put32(f, 34, 999);      // image size: recomputed
  Put16(f, 26, 3);        // planes
  Put32(f, 38, 2835);     // resolutions
  Put32(f, 42, 1417);
  Put32(f, 46, 5);        // colours used and important
  Put32(f, 50, 6);
  BitmapManager image;
  ASSERT_EQ(LoadFromString(image, f), 1);
  const std::string out = SaveToString(image);
  std::string expected = f;
  Put32(expected, 2, static_cast<std::uint32_t>(f.size()));
  Put32(expected, 6, 0);
  Put32(expected, 34, 2 * 12);
  EXPECT_EQ(out, expected);
}

TEST(BitmapManager, MalformedFilesLoadNothing) {
  struct Case {
    const char* what;
    BmpSpec spec;
  };
  auto with = [](auto change) {
    BmpSpec s;
    change(s);
    return s;
  };
  const Case cases[] = {
      {"magic", with([](BmpSpec& s) { s.magic = "MB"; })},
      {"info header 39", with([](BmpSpec& s) { s.infoSize = 39; })},
      {"info header 12", with([](BmpSpec& s) { s.infoSize = 12; })},
      {"width 0", with([](BmpSpec& s) { s.width = 0; })},
      {"width negative", with([](BmpSpec& s) { s.width = -3; })},
      {"height 0", with([](BmpSpec& s) { s.height = 0; })},
      {"height negative (top-down)", with([](BmpSpec& s) { s.height = -2; })},
      {"compression 1", with([](BmpSpec& s) { s.compression = 1; })},
      {"compression 3", with([](BmpSpec& s) { s.compression = 3; })},
      {"bits 32", with([](BmpSpec& s) { s.bits = 32; })},
      {"pixel offset 53", with([](BmpSpec& s) { s.pixelOffset = 53; })},
      {"pixel offset 0", with([](BmpSpec& s) { s.pixelOffset = 0; })},
      {"one byte short", with([](BmpSpec& s) { s.cutTail = 1; })},
      {"one row short", with([](BmpSpec& s) { s.cutTail = 12; })},
      {"headers only", with([](BmpSpec& s) { s.cutTail = 24; })},
  };
  for (const Case& c : cases) {
    BitmapManager image;
    ASSERT_EQ(image.Create(4, 4), 1);
    EXPECT_EQ(LoadFromString(image, MakeBmp(c.spec)), 0) << c.what;
    EXPECT_EQ(image.Width(), 0) << c.what;
    EXPECT_EQ(image.Height(), 0) << c.what;
    EXPECT_EQ(image.PixelData(), nullptr) << c.what;
  }

  // Sizes beyond the limit, without the pixel data: refused before allocating.
  struct Huge {
    std::int32_t width, height;
  } huge[] = {{65536, 1}, {1, 65536}, {65535, 65535}, {0x7fffffff, 0x7fffffff}};
  for (const Huge& h : huge) {
    std::string f = MakeBmp({});
    Put32(f, 18, static_cast<std::uint32_t>(h.width));
    Put32(f, 22, static_cast<std::uint32_t>(h.height));
    BitmapManager image;
    EXPECT_EQ(LoadFromString(image, f), 0) << h.width << "x" << h.height;
    EXPECT_EQ(image.Width(), 0);
  }
  // Short inputs: nothing at all, a file header alone.
  for (const std::string& f : {std::string(), MakeBmp({}).substr(0, 14), MakeBmp({}).substr(0, 53)}) {
    BitmapManager image;
    EXPECT_EQ(LoadFromString(image, f), 0) << f.size();
  }
}

TEST(BitmapManager, LongInfoHeaderLoadsFromItsPixelOffset) {
  BmpSpec spec;
  spec.infoSize = 124;
  spec.pixelOffset = 14 + 124;
  const std::string f = MakeBmp(spec);
  BitmapManager image;
  ASSERT_EQ(LoadFromString(image, f), 1);
  EXPECT_EQ(image.Width(), 3);
  EXPECT_EQ(image.Height(), 2);
  // Top-left is the first pixel of the second (last) file row: bytes 12..14.
  int r, g, b;
  ASSERT_EQ(image.GetPixel(0, 0, r, g, b), 1);
  EXPECT_EQ(b, 12 * 7 + 1);
  EXPECT_EQ(g, 13 * 7 + 1);
  EXPECT_EQ(r, 14 * 7 + 1);
  // Saved with the standard header and the pixels right after it.
  const std::string out = SaveToString(image);
  ASSERT_EQ(out.size(), 54u + 24);
  EXPECT_EQ(U32(out, 10), 54u);
  EXPECT_EQ(U32(out, 14), 40u);
  EXPECT_EQ(out.substr(54), f.substr(spec.pixelOffset));
}

TEST(BitmapManager, CreateRefusesBadSizes) {
  const int bad[][2] = {{0, 1}, {1, 0}, {-5, 10}, {10, -5}, {65536, 1}, {1, 65536},
                        {65535, 65535}};
  for (const auto& s : bad) {
    BitmapManager image;
    ASSERT_EQ(image.Create(3, 3), 1);
    EXPECT_EQ(image.Create(s[0], s[1]), 0) << s[0] << "x" << s[1];
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Height(), 0);
    EXPECT_EQ(image.PixelData(), nullptr);
  }
  BitmapManager edge;
  EXPECT_EQ(edge.Create(65535, 1), 1);
}

TEST(BitmapManager, SaveFailuresKeepWhatIsOnDisk) {
  TempDir dir;
  BitmapManager image;
  ASSERT_EQ(image.Create(2, 2), 1);
  EXPECT_EQ(image.Save(dir / "no" / "such" / "dir.bmp"), 0);
  std::filesystem::create_directory(dir / "isdir.bmp");
  EXPECT_EQ(image.Save(dir / "isdir.bmp"), 0);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "isdir.bmp"));

  WriteFile(dir / "old.bmp", "old contents");
  BitmapManager empty;
  EXPECT_EQ(empty.Save(dir / "old.bmp"), 0);
  BitmapManager headerOnly;
  EXPECT_EQ(headerOnly.CreateHeader(2, 2), 0);
  EXPECT_EQ(headerOnly.Width(), 2);
  EXPECT_EQ(headerOnly.Save(dir / "old.bmp"), 0);
  EXPECT_EQ(ReadFile(dir / "old.bmp"), "old contents");

  // A good save replaces the old file.
  ASSERT_EQ(image.Save(dir / "old.bmp"), 1);
  EXPECT_EQ(ReadFile(dir / "old.bmp").size(), 70u);

  // No temporary file is left anywhere.
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"isdir.bmp", "old.bmp"}));

  // The stream variant writes the headers of a header-only image and reports 0.
  std::ostringstream out(std::ios::binary);
  EXPECT_EQ(headerOnly.Save(out), 0);
  EXPECT_EQ(out.str().size(), 54u);
}

TEST(BitmapManager, RowAndFilePixelOperations) {
  BitmapManager none;
  unsigned char row[16] = {};
  int r = 0, g = 0, b = 0;
  std::stringstream file(std::ios::in | std::ios::out | std::ios::binary);
  EXPECT_EQ(none.SetRow(0, row), 0);
  EXPECT_EQ(none.GetRow(0, row), 0);
  EXPECT_EQ(none.ReadFileRow(file, 0, row), 0);
  EXPECT_EQ(none.WriteFileRow(file, 0, row), 0);
  EXPECT_EQ(none.ReadFilePixel(file, 0, 0, r, g, b), 0);
  EXPECT_EQ(none.WriteFilePixel(file, 0, 0, 1, 2, 3), 0);

  // A header alone serves the file rows and pixel reads, not the memory rows or pixel writes.
  BitmapManager header;
  header.CreateHeader(5, 2);
  EXPECT_EQ(header.SetRow(0, row), 0);
  EXPECT_EQ(header.WriteFilePixel(file, 0, 0, 1, 2, 3), 0);

  BitmapManager image;
  ASSERT_EQ(image.Create(5, 2), 1);
  image.SetPixel(1, 1, 10, 20, 30);  // bottom row in file order 0
  ASSERT_EQ(image.Save(file), 1);
  EXPECT_EQ(header.ReadFilePixel(file, 1, 0, r, g, b), 1);
  EXPECT_EQ(r, 10);
  EXPECT_EQ(g, 20);
  EXPECT_EQ(b, 30);
  EXPECT_EQ(image.WriteFilePixel(file, 4, 1, 7, 8, 9), 1);
  EXPECT_EQ(header.ReadFileRow(file, 1, row), 1);
  EXPECT_EQ(row[12], 9);
  EXPECT_EQ(row[13], 8);
  EXPECT_EQ(row[14], 7);
  EXPECT_EQ(image.SetRow(1, row), 1);
  ASSERT_EQ(image.GetPixel(4, 0, r, g, b), 1);
  EXPECT_EQ(r, 7);
  unsigned char copy[16] = {};
  EXPECT_EQ(image.GetRow(0, copy), 1);
  EXPECT_EQ(copy[3], 30);
  // Rows outside the image are refused.
  EXPECT_EQ(image.GetRow(2, copy), 0);
  EXPECT_EQ(image.SetRow(-1, copy), 0);
  EXPECT_EQ(header.ReadFileRow(file, 2, row), 0);
}

TEST(BitmapManager, CopiesAreDeep) {
  BitmapManager a;
  ASSERT_EQ(a.Create(2, 1), 1);
  a.SetPixel(0, 0, 1, 2, 3);
  BitmapManager b(a);
  b.SetPixel(0, 0, 9, 9, 9);
  int r, g, bl;
  a.GetPixel(0, 0, r, g, bl);
  EXPECT_EQ(r, 1);
  BitmapManager c;
  c = b;
  c.SetPixel(0, 0, 4, 4, 4);
  b.GetPixel(0, 0, r, g, bl);
  EXPECT_EQ(r, 9);
  EXPECT_EQ(SaveToString(c).size(), 62u);
}

}  // namespace
