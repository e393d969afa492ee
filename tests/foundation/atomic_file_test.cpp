#include "foundation/atomic_file.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sys/stat.h>

#include "common/temp_dir.h"

namespace {

using zavo::test::ReadFile;
using zavo::test::TempDir;
using zavo::test::WriteFile;

int EntryCount(const std::filesystem::path& dir) {
  int n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++n;
  return n;
}

TEST(AtomicFile, ReplacesWholeOrNotAtAll) {
  TempDir dir;
  const auto target = dir / "out.txt";
  WriteFile(target, "old");
  EXPECT_FALSE(zavo::WriteFileAtomically(target, [](std::ostream& out) {
    out << "half";
    return false;
  }));
  EXPECT_EQ(ReadFile(target), "old");
  EXPECT_EQ(EntryCount(dir.path()), 1);

  EXPECT_TRUE(zavo::WriteFileAtomically(target, [](std::ostream& out) {
    out << "new";
    return true;
  }));
  EXPECT_EQ(ReadFile(target), "new");
  EXPECT_EQ(EntryCount(dir.path()), 1);

  // A plain file's permissions, not those of a private temporary file.
  const mode_t mask = ::umask(022);
  ::umask(mask);
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
}

TEST(AtomicFile, UnwritableTargetsFailCleanly) {
  TempDir dir;
  auto write = [](std::ostream& out) {
    out << "x";
    return true;
  };
  EXPECT_FALSE(zavo::WriteFileAtomically(dir / "missing" / "f.txt", write));
  std::filesystem::create_directory(dir / "sub");
  EXPECT_FALSE(zavo::WriteFileAtomically(dir / "sub", write));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "sub"));
  EXPECT_EQ(EntryCount(dir.path()), 1);
  EXPECT_EQ(EntryCount(dir / "sub"), 0);
  EXPECT_FALSE(zavo::WriteFileAtomically("", write));
}

}  // namespace

namespace {

TEST(AtomicFile, TheWritabilityProbeLeavesNothingBehind) {
  TempDir dir;
  std::error_code error;
  WriteFile(dir / "kept.bmp", "old");
  EXPECT_TRUE(zavo::CanWriteFileAtomically(dir / "kept.bmp", error));
  EXPECT_TRUE(zavo::CanWriteFileAtomically(dir / "new.bmp", error));
  EXPECT_EQ(ReadFile(dir / "kept.bmp"), "old");
  EXPECT_EQ(EntryCount(dir.path()), 1);

  EXPECT_FALSE(zavo::CanWriteFileAtomically(dir / "missing" / "f.bmp", error));
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);
  std::filesystem::create_directory(dir / "sub");
  EXPECT_FALSE(zavo::CanWriteFileAtomically(dir / "sub", error));
  EXPECT_EQ(error, std::errc::is_a_directory);
  EXPECT_EQ(EntryCount(dir / "sub"), 0);
}

}  // namespace
