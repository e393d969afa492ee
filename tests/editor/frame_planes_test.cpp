// Frames as the encoder takes them: studio-range BT.601 planes, 4:2:0, rows
// from the top, odd last column and row left out; the plane files of a frame
// replace older ones.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/temp_dir.h"
#include "editor/frame_planes.h"
#include "geometry/bitmap_manager.h"

namespace zavo::test {
namespace {

TEST(FramePlanes, SamplesOfColours) {
  struct Case {
    int r, g, b;
    int y, u, v;
  };
  for (const Case& c : {Case{255, 255, 255, 235, 128, 128}, Case{0, 0, 0, 16, 128, 128},
                        Case{255, 0, 0, 81, 90, 240}, Case{0, 255, 0, 145, 54, 34}, Case{0, 0, 255, 41, 240, 110},
                        Case{77, 77, 77, 82, 128, 128}, Case{203, 203, 203, 190, 128, 128}}) {
    SCOPED_TRACE(std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b));
    BitmapManager image;
    ASSERT_EQ(image.Create(2, 2), 1);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 2; ++x) image.SetPixel(x, y, c.r, c.g, c.b);
    }
    const YuvPlanes planes = ToYuvPlanes(image);
    ASSERT_EQ(planes.y.size(), 4u);
    ASSERT_EQ(planes.u.size(), 1u);
    EXPECT_EQ(planes.y[3], c.y);
    EXPECT_EQ(planes.u[0], c.u);
    EXPECT_EQ(planes.v[0], c.v);
  }
}

// A 5 x 3 image: planes of 4 x 2 and 2 x 1; the top row comes first, and
// each colour sample is the rounded mean of its block.
TEST(FramePlanes, LayoutAndBlockMeans) {
  BitmapManager image;
  ASSERT_EQ(image.Create(5, 3), 1);
  // Top left block: red and blue in the top row, white and black below.
  image.SetPixel(0, 0, 255, 0, 0);
  image.SetPixel(1, 0, 0, 0, 255);
  image.SetPixel(0, 1, 255, 255, 255);
  image.SetPixel(1, 1, 0, 0, 0);
  // The right block all green; the unused column and row white.
  for (int y = 0; y < 2; ++y) {
    for (int x = 2; x < 4; ++x) image.SetPixel(x, y, 0, 255, 0);
  }
  for (int y = 0; y < 3; ++y) image.SetPixel(4, y, 255, 255, 255);
  for (int x = 0; x < 5; ++x) image.SetPixel(x, 2, 255, 255, 255);
  const YuvPlanes planes = ToYuvPlanes(image);
  EXPECT_EQ(planes.width, 4);
  EXPECT_EQ(planes.height, 2);
  EXPECT_EQ(std::vector<int>(planes.y.begin(), planes.y.end()), (std::vector<int>{81, 41, 145, 145, 235, 16, 145, 145}));
  // Cb: (90.21 + 240 + 128 + 128) / 4 = 146.55; Cr: (240 + 109.79 + 128 + 128) / 4 = 151.45.
  EXPECT_EQ(std::vector<int>(planes.u.begin(), planes.u.end()), (std::vector<int>{147, 54}));
  EXPECT_EQ(std::vector<int>(planes.v.begin(), planes.v.end()), (std::vector<int>{151, 34}));
}

TEST(FramePlanes, FrameNames) {
  EXPECT_EQ(FrameName("zavo", 0), "zavo0000");
  EXPECT_EQ(FrameName("anim/doc", 42), "anim/doc0042");
  EXPECT_EQ(FrameName("zavo", 12345), "zavo12345");
  EXPECT_EQ(FrameName("100%d", 7), "100%d0007");
}

TEST(FramePlanes, FilesReplaceOlderOnesAMissingImageGivesEmptyPlanesAndFailuresAreNamed) {
  TempDir dir;
  const std::string frame = (dir / "f0003").string();
  WriteFile(frame + ".y", std::string(1000, 'x'));
  BitmapManager image;
  ASSERT_EQ(image.Create(6, 4), 1);
  ASSERT_EQ(image.Save(frame + ".bmp"), 1);
  std::string failed;
  EXPECT_TRUE(ConvertFrameToYUV(frame, failed));
  EXPECT_EQ(std::filesystem::file_size(frame + ".y"), 24u);
  EXPECT_EQ(std::filesystem::file_size(frame + ".u"), 6u);
  EXPECT_EQ(ReadFile(frame + ".v"), std::string(6, '\x80'));

  std::filesystem::remove(frame + ".bmp");
  EXPECT_TRUE(ConvertFrameToYUV(frame, failed));
  EXPECT_EQ(std::filesystem::file_size(frame + ".y"), 0u);

  std::filesystem::remove(frame + ".u");
  std::filesystem::create_directory(frame + ".u");
  EXPECT_FALSE(ConvertFrameToYUV(frame, failed));
  EXPECT_EQ(failed, frame + ".u");
}

}  // namespace
}  // namespace zavo::test
