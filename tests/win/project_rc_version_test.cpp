// The program's version data: the strings the build generates, each
// answered only when it is not empty.
#include <gtest/gtest.h>

#include <string>

#include "win/project_rc_version.h"

namespace {

TEST(ProjectRCVersion, AnswersOnlyTheStringsThatExist) {
  const zavo::ProjectRCVersion version({"zavo", "", "Copyright 2026 ZI", ""});
  std::string text = "kept";
  EXPECT_TRUE(version.GetProductName(text));
  EXPECT_EQ(text, "zavo");
  text = "kept";
  EXPECT_FALSE(version.GetProductVersion(text));
  EXPECT_EQ(text, "kept");
  EXPECT_TRUE(version.GetCopyright(text));
  EXPECT_EQ(text, "Copyright 2026 ZI");
  text = "kept";
  EXPECT_FALSE(version.GetSpecialBuild(text));
  EXPECT_EQ(text, "kept");
}

TEST(ProjectRCVersion, TheBuildGivesTheProductNameVersionAndBuildNote) {
  const zavo::ProjectRCVersion built;
  std::string text;
  ASSERT_TRUE(built.GetProductName(text));
  EXPECT_EQ(text, "zavo");
  ASSERT_TRUE(built.GetProductVersion(text));
  EXPECT_EQ(text, ZAVO_VERSION);
  ASSERT_TRUE(built.GetSpecialBuild(text));
  EXPECT_FALSE(text.empty());
}

}  // namespace
