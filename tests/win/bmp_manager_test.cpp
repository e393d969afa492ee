#include "win/bmp_manager.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include <unistd.h>

#include "common/temp_dir.h"

namespace {

using zavo::Rgb8;
using zavo::test::ReadFile;
using zavo::test::TempDir;

std::uint32_t U32(const std::string& s, std::size_t at) {
  return static_cast<std::uint8_t>(s[at]) | static_cast<std::uint8_t>(s[at + 1]) << 8 |
         static_cast<std::uint8_t>(s[at + 2]) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[at + 3])) << 24;
}

// A BMP file built byte by byte: header fields as given, a colour table of
// tableEntries entries (entry i is blue i, green 2i, red 3i), then rows.
struct BmpFile {
  std::uint32_t headerSize = 40;
  std::int32_t width = 2;
  std::int32_t height = 2;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
  int tableEntries = 0;
  std::vector<std::uint8_t> rows;

  std::string Bytes() const {
    std::string s;
    auto put = [&](std::uint64_t v, int n) {
      for (int i = 0; i < n; ++i) s += static_cast<char>(v >> (8 * i));
    };
    put(19778, 2);
    put(0, 4);  // file size: not used by the reader
    put(0, 4);
    put(54, 4);  // pixel offset: not used either
    put(headerSize, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(bits, 2);
    put(compression, 4);
    put(12345, 4);  // image size: recomputed
    put(0, 8);
    put(coloursUsed, 4);
    put(0, 4);
    for (int i = 0; i < tableEntries; ++i) put(static_cast<std::uint32_t>(i | (2 * i % 256) << 8 | (3 * i % 256) << 16), 4);
    s.append(rows.begin(), rows.end());
    return s;
  }
};

TEST(BmpManager, CreateMakesABlack24BitPictureAndSavesIt) {
  TempDir dir;
  BmpManager bmp;
  ASSERT_EQ(bmp.Create(3, 2), 1);
  EXPECT_EQ(bmp.Width(), 3);
  EXPECT_EQ(bmp.Height(), 2);
  EXPECT_EQ(U32(std::string(bmp.InfoBlock().begin(), bmp.InfoBlock().end()), 20), 24u);
  ASSERT_EQ(bmp.Save(dir / "a.bmp"), 1);
  const std::string file = ReadFile(dir / "a.bmp");
  ASSERT_EQ(file.size(), 78u);
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(U32(file, 2), 78u);
  EXPECT_EQ(U32(file, 10), 54u);
  EXPECT_EQ(U32(file, 14), 40u);
  EXPECT_EQ(U32(file, 34), 24u);
  EXPECT_EQ(file.substr(54), std::string(24, '\0'));
}

TEST(BmpManager, ASavedPictureLoadsBackTheSame) {
  TempDir dir;
  BmpManager bmp;
  ASSERT_EQ(bmp.Create(5, 3), 1);
  bmp.FillBlock(0, 0, 1, {200, 10, 30});
  bmp.FillBlock(4, 2, 1, {1, 2, 3});
  bmp.FillBlock(2, 1, 1, {255, 128, 7});
  ASSERT_EQ(bmp.Save(dir / "p.bmp"), 1);
  BmpManager again;
  ASSERT_EQ(again.Load(dir / "p.bmp"), 1);
  ASSERT_EQ(again.Width(), 5);
  ASSERT_EQ(again.Height(), 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(again.Pixel(x, y), bmp.Pixel(x, y)) << x << "," << y;
  }
}

struct LoadCase {
  const char* name;
  BmpFile file;
  int expected;
  int tableEntries;  // of the loaded info block
};

TEST(BmpManager, LoadAcceptsWhatItCanShowAndRefusesTheRest) {
  // Rows of a 2 x 2 picture per bit count (bottom row first).
  BmpFile b24;
  b24.rows = {0, 0, 255, 0, 255, 0, 0, 0, /**/ 255, 0, 0, 10, 20, 30, 0, 0};
  BmpFile b8 = b24;
  b8.bits = 8;
  b8.coloursUsed = 3;  // the table still has 256 entries
  b8.tableEntries = 256;
  b8.rows = {1, 2, 0, 0, /**/ 3, 4, 0, 0};
  BmpFile b1 = b8;
  b1.bits = 1;
  b1.tableEntries = 2;
  b1.rows = {0x40, 0, 0, 0, /**/ 0x80, 0, 0, 0};
  BmpFile b4 = b8;
  b4.bits = 4;
  b4.tableEntries = 16;
  b4.rows = {0x12, 0, 0, 0, /**/ 0xF0, 0, 0, 0};
  auto with = [](BmpFile f, auto change) {
    change(f);
    return f;
  };
  const LoadCase cases[] = {
      {"24 bits", b24, 1, 0},
      {"8 bits", b8, 1, 256},
      {"4 bits", b4, 1, 16},
      {"1 bit", b1, 1, 2},
      {"16 bits", with(b24, [](BmpFile& f) { f.bits = 16; }), 0, 0},
      {"32 bits", with(b24, [](BmpFile& f) { f.bits = 32; f.rows.resize(16); }), 0, 0},
      {"core header", with(b24, [](BmpFile& f) { f.headerSize = 12; }), 0, 0},
      {"compressed", with(b8, [](BmpFile& f) { f.compression = 1; }), 0, 0},
      {"width 0", with(b24, [](BmpFile& f) { f.width = 0; }), 0, 0},
      {"negative height", with(b24, [](BmpFile& f) { f.height = -2; }), 0, 0},
      {"huge width", with(b24, [](BmpFile& f) { f.width = 1 << 30; }), 0, 0},
      {"width beyond the limit", with(b24, [](BmpFile& f) { f.width = 32769; }), 0, 0},
      {"row missing", with(b24, [](BmpFile& f) { f.rows.resize(8); }), 0, 0},
      {"last byte missing", with(b24, [](BmpFile& f) { f.rows.pop_back(); }), 0, 0},
      {"short colour table", with(b8, [](BmpFile& f) { f.tableEntries = 3; }), 0, 0},
  };
  TempDir dir;
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.name);
    zavo::test::WriteFile(dir / "in.bmp", c.file.Bytes());
    BmpManager bmp;
    ASSERT_EQ(bmp.Create(7, 9), 1);
    bmp.FillBlock(0, 0, 1, {9, 9, 9});
    ASSERT_EQ(bmp.Load(dir / "in.bmp"), c.expected);
    if (c.expected == 0) {
      // The old picture stays.
      EXPECT_EQ(bmp.Width(), 7);
      EXPECT_EQ(bmp.Pixel(0, 0), (Rgb8{9, 9, 9}));
      continue;
    }
    EXPECT_EQ(bmp.Width(), 2);
    EXPECT_EQ(bmp.Height(), 2);
    EXPECT_EQ(bmp.InfoBlock().size(), 40u + 4u * c.tableEntries);
    // The image size is recomputed.
    const std::string info(bmp.InfoBlock().begin(), bmp.InfoBlock().end());
    EXPECT_EQ(U32(info, 20), c.file.bits == 24 ? 16u : 8u);
  }
}

TEST(BmpManager, PalettePixelsShowThroughTheTable) {
  TempDir dir;
  // Entry i: red 3i, green 2i, blue i.
  auto entry = [](int i) { return Rgb8{static_cast<std::uint8_t>(3 * i % 256), static_cast<std::uint8_t>(2 * i % 256), static_cast<std::uint8_t>(i)}; };
  struct {
    std::uint16_t bits;
    int entries;
    std::vector<std::uint8_t> rows;
    int topLeft, topRight, bottomLeft, bottomRight;
  } cases[] = {
      {8, 256, {1, 2, 0, 0, 3, 200, 0, 0}, 3, 200, 1, 2},
      {4, 16, {0x12, 0, 0, 0, 0xF0, 0, 0, 0}, 15, 0, 1, 2},
      {1, 2, {0x40, 0, 0, 0, 0x80, 0, 0, 0}, 1, 0, 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bits);
    BmpFile f;
    f.bits = c.bits;
    f.tableEntries = c.entries;
    f.rows = c.rows;
    zavo::test::WriteFile(dir / "p.bmp", f.Bytes());
    BmpManager bmp;
    ASSERT_EQ(bmp.Load(dir / "p.bmp"), 1);
    EXPECT_EQ(bmp.Pixel(0, 0), entry(c.topLeft));
    EXPECT_EQ(bmp.Pixel(1, 0), entry(c.topRight));
    EXPECT_EQ(bmp.Pixel(0, 1), entry(c.bottomLeft));
    EXPECT_EQ(bmp.Pixel(1, 1), entry(c.bottomRight));
    // Saved, it is a 24-bit file of the same picture.
    ASSERT_EQ(bmp.Save(dir / "q.bmp"), 1);
    BmpManager again;
    ASSERT_EQ(again.Load(dir / "q.bmp"), 1);
    EXPECT_EQ(again.InfoBlock().size(), 40u);
    EXPECT_EQ(again.Pixel(0, 0), entry(c.topLeft));
  }
}

TEST(BmpManager, FreeDropsThePictureAndKeepsTheInfoBlock) {
  TempDir dir;
  BmpManager bmp;
  EXPECT_EQ(bmp.Save(dir / "none.bmp"), 0);
  ASSERT_EQ(bmp.Create(4, 3), 1);
  bmp.Free();
  EXPECT_FALSE(bmp.HasPicture());
  EXPECT_EQ(bmp.Width(), 4);
  EXPECT_EQ(bmp.Height(), 3);
  EXPECT_EQ(bmp.Save(dir / "none.bmp"), 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "none.bmp"));
  EXPECT_EQ(bmp.Load(dir / "missing.bmp"), 0);
  EXPECT_EQ(bmp.Load(dir.path()), 0);
}

TEST(BmpManager, AFailedSaveKeepsTheOldFile) {
  TempDir dir;
  BmpManager bmp;
  ASSERT_EQ(bmp.Create(2, 2), 1);
  EXPECT_EQ(bmp.Save(dir / "no" / "dir.bmp"), 0);
  zavo::test::WriteFile(dir / "old.bmp", "old");
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const int result = bmp.Save(dir / "old.bmp");
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
  if (::geteuid() != 0) {
    EXPECT_EQ(result, 0);
  }
  if (result == 0) {
    EXPECT_EQ(ReadFile(dir / "old.bmp"), "old");
  }
}

}  // namespace
