#include <gtest/gtest.h>

#include <filesystem>

#include "common/temp_dir.h"
#include "geometry/make_directory.h"

namespace fs = std::filesystem;

namespace {

TEST(MakeDirectoryPath, CreatesAndJoinsWithSlash) {
  zavo::test::TempDir tmp;
  bool exists = false;
  const fs::path made = MakeDirectoryPath(tmp.path(), "scene.qzd", &exists);
  EXPECT_EQ(made, tmp.path() / "scene.qzd");
  EXPECT_EQ(made.string(), tmp.path().string() + "/scene.qzd");
  EXPECT_TRUE(exists);
  EXPECT_TRUE(fs::is_directory(made));

  // An existing directory is no failure.
  exists = false;
  EXPECT_EQ(MakeDirectoryPath(tmp.path(), "scene.qzd", &exists), made);
  EXPECT_TRUE(exists);

  // Without a name: the base itself.
  const fs::path base = tmp.path() / "editor";
  EXPECT_EQ(MakeDirectoryPath(base, nullptr, &exists), base);
  EXPECT_TRUE(exists);
  EXPECT_TRUE(fs::is_directory(base));
  EXPECT_EQ(MakeDirectoryPath(base, nullptr), base);
}

TEST(MakeDirectoryPath, FailureIsMadeKnown) {
  zavo::test::TempDir tmp;
  zavo::test::WriteFile(tmp / "plain", "not a directory");
  bool exists = true;
  const fs::path made = MakeDirectoryPath(tmp / "plain", "undo", &exists);
  EXPECT_EQ(made, tmp / "plain" / "undo");
  EXPECT_FALSE(exists);
  EXPECT_FALSE(fs::exists(made));
  // A regular file where the directory should be is no directory either.
  EXPECT_EQ(MakeDirectoryPath(tmp.path(), "plain", &exists), tmp / "plain");
  EXPECT_FALSE(exists);
}

}  // namespace
