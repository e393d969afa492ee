#include "foundation/atomic_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <stdexcept>
#include <locale>
#include <ostream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/temp_dir.h"
#include "foundation/user_break.h"

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

// A full disk fails the write as a failed write, never as an exception, also
// when the writer switches the stream's locale back and forth after the
// buffer could not be flushed.
TEST(AtomicFile, AFullDiskIsAFailedWriteAndLeavesNoTemporaryFile) {
  TempDir dir;
  const auto target = dir / "mesh.brp";
  WriteFile(target, "old");
  const std::string big(1 << 20, 'x');
  bool written = true;
  {
    FileSizeLimit limit(4096);
    EXPECT_NO_THROW(written = zavo::WriteFileAtomically(target, [&](std::ostream& out) {
      const std::locale old = out.imbue(std::locale::classic());
      out << big << 1.5;
      out.imbue(old);
      return true;
    }));
  }
  EXPECT_FALSE(written);
  EXPECT_EQ(ReadFile(target), "old");
  EXPECT_EQ(EntryCount(dir.path()), 1);
}

TEST(AtomicFile, AnExceptionOfTheWriterLeavesNoTemporaryFile) {
  TempDir dir;
  EXPECT_THROW(zavo::WriteFileAtomically(dir / "f.txt",
                                         [](std::ostream& out) -> bool {
                                           out << "part";
                                           throw std::runtime_error("stop");
                                         }),
               std::runtime_error);
  EXPECT_EQ(EntryCount(dir.path()), 0);
}

// A temporary file of a run that was killed while writing the same target is
// removed by the next write; one of a process still running stays.
TEST(AtomicFile, TheNextWriteRemovesTheLeftoverOfAKilledRun) {
  TempDir dir;
  const pid_t gone = ::fork();
  if (gone == 0) _exit(0);
  ASSERT_GT(gone, 0);
  ::waitpid(gone, nullptr, 0);
  const std::string dead = ".out.bmp.tmp" + std::to_string(gone) + "_4";
  const std::string alive = ".out.bmp.tmp" + std::to_string(::getppid()) + "_0";
  const std::string other = ".other.bmp.tmp" + std::to_string(gone) + "_0";
  for (const std::string& name : {dead, alive, other}) WriteFile(dir / name, "partial");
  EXPECT_TRUE(zavo::WriteFileAtomically(dir / "out.bmp", [](std::ostream& out) {
    out << "image";
    return true;
  }));
  EXPECT_EQ(ReadFile(dir / "out.bmp"), "image");
  EXPECT_FALSE(std::filesystem::exists(dir / dead));
  EXPECT_TRUE(std::filesystem::exists(dir / alive));
  EXPECT_TRUE(std::filesystem::exists(dir / other));
}

TEST(AtomicFile, ABrokenRunWritesNothing) {
  TempDir dir;
  WriteFile(dir / "scene.qz_", "old");
  zavo::SetBreakSource([] { return true; });
  const zavo::BreakWatch watch;
  ASSERT_TRUE(zavo::BreakRequested());
  zavo::SetBreakSource({});
  EXPECT_FALSE(zavo::WriteFileAtomically(dir / "scene.qz_", [](std::ostream& out) {
    out << "new";
    return true;
  }));
  EXPECT_EQ(ReadFile(dir / "scene.qz_"), "old");
  EXPECT_EQ(EntryCount(dir.path()), 1);
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
