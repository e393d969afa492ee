// zavo-render and what a load leaves: the warnings of a load that succeeded,
// and the caches that later runs find again.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "apps/render_run.h"
#include "common/temp_dir.h"

namespace {

namespace fs = std::filesystem;

using zavo::test::Outcome;
using zavo::test::RunIn;
using zavo::test::TempDir;
using zavo::test::WriteFile;

// Each error recorded by a load that still succeeded is a warning with the
// scene's name and the line; the render goes on and the exit code is 0.
TEST(ZavoRenderLoad, ErrorsOfALoadThatSucceededAreWarnings) {
  TempDir dir;
  WriteFile(dir / "warn.qz",
            "{ param render raytracing; dimx 16; dimy 12; }\n"
            "{ object name ball; model { sphere\n"
            "    center ( 0.5 , 0.5 ;\n"
            "    radius 0.8; } }\n"
            "{ object name lamp; model { pointlamp center ( 1 , 2 ; color (1,1,1); } }\n"
            ".\n");
  const Outcome run = RunIn(dir.path(), {"warn.qz"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("warn.qz:3: warning: Wrong point definition\n"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("warn.qz:5: warning: Wrong point definition\n"), std::string::npos) << run.err;
  EXPECT_TRUE(fs::exists(dir / "warn.bmp"));

  // A clean scene warns of nothing.
  WriteFile(dir / "clean.qz",
            "{ param render raytracing; dimx 16; dimy 12; }\n"
            "{ object name ball; model { sphere center ( 0.5 , 0.5 , 0 ); radius 0.8; } }\n.\n");
  const Outcome clean = RunIn(dir.path(), {"clean.qz"});
  EXPECT_EQ(clean.exitCode, 0) << clean.err;
  EXPECT_EQ(clean.err.find("warning"), std::string::npos) << clean.err;
}

std::vector<std::string> Entries(const fs::path& directory) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(directory, error)) names.push_back(entry.path().filename().string());
  return names;
}

// The identity of a file: a cache written again is a new file.
std::pair<ino_t, long> Identity(const fs::path& file) {
  struct stat info {};
  if (stat(file.c_str(), &info) != 0) return {0, 0};
  return {info.st_ino, static_cast<long>(info.st_mtim.tv_nsec)};
}

TEST(ZavoRenderLoad, AnUnnamedCsgIsComputedOnceOverManyRuns) {
  TempDir dir;
  const std::string csg =
      "{ object name both; model { union\n"
      "  first { object name left; model { sphere center ( -0.5 , 0 , 0 ); radius 1; } }\n"
      "  second { object name right; model { sphere center ( 0.5 , 0 , 0 ); radius RIGHT; } } } }\n";
  const auto scene = [&csg](const std::string& radius) {
    std::string text = csg;
    text.replace(text.find("RIGHT"), 5, radius);
    return "{ param render raytracing; dimx 24; dimy 16; _csg_convert 1; }\n" + text + ".\n";
  };
  WriteFile(dir / "csg.qz", scene("0.75"));
  const fs::path cache = dir / "csg.qzd" / "object" / "A" / "model.brp";
  std::pair<ino_t, long> first{};
  for (int run = 0; run < 3; ++run) {
    SCOPED_TRACE(run);
    const Outcome outcome = RunIn(dir.path(), {"csg.qz"});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    if (run == 0) first = Identity(cache);
    EXPECT_EQ(Identity(cache), first);
    EXPECT_EQ(Entries(dir / "csg.qzd" / "object"), std::vector<std::string>{"A"});
  }
  // Edited, it is computed again beside the first.
  WriteFile(dir / "csg.qz", scene("0.6"));
  ASSERT_EQ(RunIn(dir.path(), {"csg.qz"}).exitCode, 0);
  EXPECT_EQ(Identity(cache), first);
  ASSERT_TRUE(fs::exists(dir / "csg.qzd" / "object" / "B" / "model.brp"));
  EXPECT_EQ(Entries(dir / "csg.qzd" / "object").size(), 2u);
}

}  // namespace
