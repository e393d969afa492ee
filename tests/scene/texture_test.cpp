#include "scene/texture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <sstream>
#include <string>

#include "common/temp_dir.h"

namespace {

using zavo::test::TempDir;
using zavo::test::WriteFile;

// A 4 x 2 image whose pixel (x, y) is (10 x + 1, 10 y + 2, 3), saved as
// <dir>/<file>, and a texture named name loaded from it.
std::unique_ptr<CG_Texture> FourByTwo(const TempDir& dir, const char* name = "t",
                                      const char* file = "t.bmp", const char* stem = "t") {
  BitmapManager image;
  EXPECT_EQ(image.Create(4, 2), 1);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) image.SetPixel(x, y, 10 * x + 1, 10 * y + 2, 3);
  }
  EXPECT_EQ(image.Save(dir / file), 1);
  return std::make_unique<CG_Texture>(name, (dir / stem).string().c_str());
}

Point3D Pixel(int x, int y) { return {(10 * x + 1) / 255.0, (10 * y + 2) / 255.0, 3 / 255.0}; }

TEST(CG_Texture, ColorAtWrapsAndCountsRowsFromTheBottom) {
  TempDir dir;
  const auto t = FourByTwo(dir);
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double u, v;
    int x, y;
  } cases[] = {
      {0, 0, 0, 1},         // bottom-left
      {0.99, 0.99, 3, 0},   // top-right
      {0.25, 0.5, 1, 0},    // column 1 of the top row
      {1.25, -0.5, 1, 0},   // whole numbers added wrap to the same texel
      {-0.25, 0.49, 3, 1},
      {-1e-20, -1e-20, 0, 1},  // u - floor(u) rounds to 1: the modulo wraps it to 0
      {nan, 0.75, 0, 0},
      {inf, -inf, 0, 1},
      {1e300, 0.6, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(t->ColorAt(c.u, c.v), Pixel(c.x, c.y)) << c.u << ", " << c.v;
  }
}

TEST(CG_Texture, ChannelsAreDividedBy255) {
  TempDir dir;
  BitmapManager image;
  ASSERT_EQ(image.Create(2, 1), 1);
  image.SetPixel(0, 0, 255, 255, 255);
  image.SetPixel(1, 0, 128, 0, 255);
  ASSERT_EQ(image.Save(dir / "w.bmp"), 1);
  CG_Texture t("w", (dir / "w").string().c_str());
  EXPECT_EQ(t.ColorAt(0.1, 0.5), (Point3D{1, 1, 1}));
  EXPECT_EQ(t.ColorAt(0.6, 0.5), (Point3D{128 / 255.0, 0, 1}));
}

TEST(CG_Texture, LoadsThroughThePathResolverAndThrowsWhenItCannot) {
  TempDir dir;
  // Saved as Wood.BMP, asked for as "wood": the stem gains ".bmp" and the case is forgiven.
  const auto t = FourByTwo(dir, "wood", "Wood.BMP", "wood");
  EXPECT_STREQ(t->name.Text(), "wood");
  EXPECT_EQ(t->image.Width(), 4);
  EXPECT_EQ(t->ColorAt(0.5, 0.5), Pixel(2, 0));

  EXPECT_THROW(CG_Texture("x", (dir / "missing").string().c_str()), xQZTexture);
  EXPECT_THROW(CG_Texture("x", nullptr), xQZTexture);
  // Not a 24-bit BMP.
  std::string eight(70, '\0');
  eight[0] = 'B';
  eight[1] = 'M';
  eight[10] = 54;
  eight[14] = 40;
  eight[18] = 2;
  eight[22] = 2;
  eight[26] = 1;
  eight[28] = 8;
  WriteFile(dir / "eight.bmp", eight);
  EXPECT_THROW(CG_Texture("x", (dir / "eight").string().c_str()), xQZTexture);
  // A stem that already names the file finds "<stem>.bmp", not the stem itself.
  EXPECT_THROW(CG_Texture("x", (dir / "Wood.BMP").string().c_str()), xQZTexture);
}

TEST(CG_Texture, WriteAndTheList) {
  TempDir dir;
  DblList<CG_Texture> list;
  list.Append(FourByTwo(dir, "wood").release());
  list.Append(FourByTwo(dir, "Wood").release());
  list.Append(FourByTwo(dir, "wood").release());

  std::ostringstream one;
  list.First()->Write(one);
  EXPECT_EQ(one.str(), "{ texture name wood ;}\n");
  std::ostringstream all;
  list.WriteAll(all);
  EXPECT_EQ(all.str(),
            "{ texture name wood ;}\n\n{ texture name Wood ;}\n\n{ texture name wood ;}\n\n");

  EXPECT_EQ(list.Find("wood"), list.First());
  EXPECT_EQ(list.Find("Wood"), list.Nth(1));
  EXPECT_EQ(list.Find("WOOD"), nullptr);
  EXPECT_EQ(list.Find("woo"), nullptr);
  EXPECT_EQ(list.Find(nullptr), nullptr);

  CG_Texture* cursor = list.Last();
  list.ResetIteration(cursor);
  std::string names;
  while (list.Next(cursor)) names += cursor->name.Text() + std::string(";");
  EXPECT_EQ(names, "wood;Wood;wood;");
  EXPECT_EQ(cursor, nullptr);

  // Copies hold their own images.
  DblList<CG_Texture> copy;
  copy.CopyFrom(list);
  copy.First()->image.SetPixel(0, 1, 0, 0, 0);
  EXPECT_EQ(list.First()->ColorAt(0, 0), Pixel(0, 1));
  EXPECT_EQ(copy.First()->ColorAt(0, 0), (Point3D{0, 0, 0}));

  list.Delete(list.Find("Wood"));
  EXPECT_EQ(list.Find("Wood"), nullptr);
  EXPECT_EQ(list.Nth(1), list.Last());
}

}  // namespace
