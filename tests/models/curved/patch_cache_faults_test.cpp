// A patch model's mesh cache that cannot be written or read: the conversion
// gives the mesh all the same, a warning names the file, and no temporary file
// is left.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "curved_scene.h"
#include "patch_text.h"

namespace {

namespace fs = std::filesystem;

using zavo::test::BezierText;
using zavo::test::Converted;
using zavo::test::CurvedFiles;
using zavo::test::FlatBezierPatch;
using zavo::test::ReadFile;
using zavo::test::WriteFile;

std::vector<std::string> Names(const fs::path& dir) {
  std::vector<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Files may grow to limit bytes while it lives, as on a nearly full disk.
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t limit) {
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &old_);
    rlimit now = old_;
    now.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &now);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }

private:
  rlimit old_{};
  void (*oldHandler_)(int);
};

class PatchCacheFaults : public CurvedFiles, public ::testing::Test {
protected:
  PatchCacheFaults() { WriteFile(dir_ / "wing.bzr", BezierText(FlatBezierPatch(-0.5, -0.5, 1.0 / 3))); }

  GBezier* Wing() {
    if (!LoadObject("bezier name wing; div 12; cache 1; }")) return nullptr;
    shown_.messages.clear();
    return Find<GBezier>();
  }
};

TEST_F(PatchCacheFaults, AFullDiskOnlyWarns) {
  GBezier* b = Wing();
  ASSERT_NE(b, nullptr);
  Converted mesh;
  {
    FileSizeLimit limit(2000);
    ASSERT_EQ(b->DeclassToRayTraceable(mesh.parts), 1);
  }
  ASSERT_NE(mesh.brep(), nullptr);
  EXPECT_EQ(mesh.brep()->VertexCount(), 144);
  EXPECT_EQ(shown_.messages, (std::vector<std::string>{"Cannot write the cache wing.brp"}));
  EXPECT_EQ(Names(dir_.path()), (std::vector<std::string>{"models", "wing.bzr"}));
}

TEST_F(PatchCacheFaults, ACacheThatIsADirectoryIsLeftAloneAndOnlyWarns) {
  fs::create_directory(dir_ / "wing.brp");
  GBezier* b = Wing();
  ASSERT_NE(b, nullptr);
  Converted mesh;
  ASSERT_EQ(b->DeclassToRayTraceable(mesh.parts), 1);
  ASSERT_NE(mesh.brep(), nullptr);
  EXPECT_EQ(mesh.brep()->VertexCount(), 144);
  EXPECT_EQ(shown_.messages, (std::vector<std::string>{"Cannot write the cache wing.brp"}));
  EXPECT_TRUE(fs::is_directory(dir_ / "wing.brp"));
  EXPECT_EQ(Names(dir_.path()), (std::vector<std::string>{"models", "wing.brp", "wing.bzr"}));
}

}  // namespace
