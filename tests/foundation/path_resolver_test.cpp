#include "foundation/path_resolver.h"

#include <gtest/gtest.h>

#include "common/temp_dir.h"

namespace {

using zavo::test::ScopedCwd;
using zavo::test::TempDir;
using zavo::test::WriteFile;

TEST(PathResolver, BackslashesBecomeSlashes) {
  EXPECT_EQ(zavo::PathFromName("tex\\wood.bmp").string(), "tex/wood.bmp");
  EXPECT_EQ(zavo::PathFromName("a\\b/c\\").string(), "a/b/c/");
  EXPECT_EQ(zavo::PathFromName("plain").string(), "plain");
}

TEST(PathResolver, ExactFirstThenCaseInsensitiveInTheSameDirectory) {
  TempDir dir;
  std::filesystem::create_directory(dir / "tex");
  WriteFile(dir / "tex" / "Wood.BMP", "W");
  WriteFile(dir / "tex" / "stone.bmp", "s");
  WriteFile(dir / "tex" / "STONE.bmp", "S");
  WriteFile(dir / "Top.bmp", "t");
  ScopedCwd cwd(dir.path());

  struct Case {
    const char* name;
    const char* found;  // null: nothing
  } cases[] = {
      {"tex/Wood.BMP", "tex/Wood.BMP"},
      {"tex/wood.bmp", "tex/Wood.BMP"},
      {"tex\\WOOD.bmp", "tex/Wood.BMP"},
      {"tex/stone.bmp", "tex/stone.bmp"},  // the exact name wins over another case
      {"tex/Stone.bmp", "tex/STONE.bmp"},  // several loose matches: the first in byte order
      {"top.bmp", "Top.bmp"},              // a bare name looks in the working directory
      {"TEX/wood.bmp", nullptr},           // directories above must be spelled exactly
      {"tex/wood.bm", nullptr},
      {"tex/missing.bmp", nullptr},
      {"nodir/wood.bmp", nullptr},
      {"", nullptr},
  };
  for (const Case& c : cases) {
    const auto found = zavo::ResolvePath(c.name);
    if (!c.found) {
      EXPECT_FALSE(found.has_value()) << c.name;
      continue;
    }
    ASSERT_TRUE(found.has_value()) << c.name;
    EXPECT_EQ(found->string(), c.found) << c.name;
  }
  // Absolute paths work the same way.
  const auto absolute = zavo::ResolvePath(dir / "tex" / "WOOD.BMP");
  ASSERT_TRUE(absolute.has_value());
  EXPECT_EQ(*absolute, dir / "tex" / "Wood.BMP");
}

}  // namespace
