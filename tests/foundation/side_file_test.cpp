#include "foundation/side_file.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "common/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using zavo::test::ReadFile;
using zavo::test::TempDir;
using zavo::test::WriteFile;

int EntryCount(const fs::path& dir) {
  int n = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
  return n;
}

TEST(WriteLogFile, ReplacesItsOwnFileAndMakesANewOne) {
  TempDir dir;
  EXPECT_TRUE(zavo::WriteLogFile(dir / "hierbl2.log", "first run, a longer text\n"));
  EXPECT_TRUE(zavo::WriteLogFile(dir / "hierbl2.log", "second\n"));
  EXPECT_EQ(ReadFile(dir / "hierbl2.log"), "second\n");
}

// Nothing that is not a plain file of its own is written through: the link,
// the file it points to, a second name of a file, a directory, a pipe.
TEST(WriteLogFile, NeverWritesThroughANameThatIsNotItsOwn) {
  struct Case {
    const char* what;
    void (*make)(const fs::path& dir);
  } cases[] = {
      {"symbolic link", [](const fs::path& d) { fs::create_symlink(d / "user.txt", d / "x.log"); }},
      {"dangling symbolic link", [](const fs::path& d) { fs::create_symlink(d / "nowhere.txt", d / "x.log"); }},
      {"hard link", [](const fs::path& d) { fs::create_hard_link(d / "user.txt", d / "x.log"); }},
      {"directory", [](const fs::path& d) { fs::create_directory(d / "x.log"); }},
      {"pipe", [](const fs::path& d) { ASSERT_EQ(::mkfifo((d / "x.log").c_str(), 0600), 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    WriteFile(dir / "user.txt", "the user's data");
    c.make(dir.path());
    const auto before = fs::symlink_status(dir / "x.log").type();
    EXPECT_FALSE(zavo::WriteLogFile(dir / "x.log", "log text"));
    EXPECT_EQ(ReadFile(dir / "user.txt"), "the user's data");
    EXPECT_EQ(fs::symlink_status(dir / "x.log").type(), before);
    EXPECT_FALSE(fs::exists(dir / "nowhere.txt"));
  }
}

TEST(OpenScratchFile, HasNoNameAndReadsBackWhatWasWritten) {
  TempDir dir;
  WriteFile(dir / "scene.img", "the user's image");
  const int fd = zavo::OpenScratchFile(dir.path());
  ASSERT_GE(fd, 0);
  EXPECT_EQ(EntryCount(dir.path()), 1);
  ASSERT_EQ(::write(fd, "depth", 5), 5);
  char back[5] = {};
  ASSERT_EQ(::pread(fd, back, 5, 0), 5);
  EXPECT_EQ(std::string(back, 5), "depth");
  EXPECT_EQ(EntryCount(dir.path()), 1);
  ::close(fd);
  EXPECT_EQ(ReadFile(dir / "scene.img"), "the user's image");
  EXPECT_LT(zavo::OpenScratchFile(dir / "missing"), 0);
}

}  // namespace
