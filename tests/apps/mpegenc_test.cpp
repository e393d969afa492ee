// mpegenc with a stub ffmpeg first on the PATH: the stub records its
// arguments and every byte it reads from its standard input.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "apps/render_run.h"
#include "common/temp_dir.h"
#include "editor/mpeg_param_file.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;

class Mpegenc : public ::testing::Test {
protected:
  Mpegenc() {
    fs::create_directory(tools);
    fs::create_directory(empty);
    // ffmpeg exits with the status in the file "status" when there is one.
    WriteFile(tools / "ffmpeg", "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '" + (tools / "args").string() +
                                    "'\ncat > '" + (tools / "input").string() + "'\nexit $(cat '" +
                                    (tools / "status").string() + "' 2>/dev/null || echo 0)\n");
    fs::permissions(tools / "ffmpeg", fs::perms::owner_all);
    WriteFrames();
  }
  // The parameter file and the planes of two 4 x 2 frames; no ffmpeg status.
  void WriteFrames() {
    fs::remove(tools / "status");
    std::ostringstream par;
    WriteMpegParams(par, "clip", 2, 4, 2);
    WriteFile(dir / "zavo.par", par.str());
    // Frame 0 under the encoder's own name, frame 1 under the editor's.
    WriteFile(dir / "clip0.y", "ABCDEFGH");
    WriteFile(dir / "clip0.u", "ij");
    WriteFile(dir / "clip0.v", "kl");
    WriteFile(dir / "clip0001.y", "MNOPQRST");
    WriteFile(dir / "clip0001.u", "uv");
    WriteFile(dir / "clip0001.v", "wx");
  }
  Outcome Encode(const fs::path& path) {
    return RunProgramIn(ZAVO_MPEGENC_EXE, dir.path(), {"zavo.par", "out file;x.mpg"}, "",
                        path.string() + ":/usr/bin:/bin");
  }

  TempDir dir;
  fs::path tools = dir / "tools";
  fs::path empty = dir / "empty";
};

TEST_F(Mpegenc, FeedsTheFramesInOrderToFfmpeg) {
  const Outcome run = Encode(tools);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ReadFile(tools / "input"), "ABCDEFGHijklMNOPQRSTuvwx");
  EXPECT_EQ(SplitLines(ReadFile(tools / "args")),
            (std::vector<std::string>{"-hide_banner", "-loglevel", "error", "-y", "-f", "rawvideo", "-pix_fmt",
                                      "yuv420p", "-s", "4x2", "-r", "25", "-i", "pipe:0", "-c:v", "mpeg1video",
                                      "-b:v", "1152000", "-f", "mpeg1video", "file:out file;x.mpg"}));
}

TEST_F(Mpegenc, FailuresGiveAMessageAndANonZeroExit) {
  struct Case {
    const char* name;
    std::function<void()> damage;
    bool withFfmpeg;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"missing plane", [&] { fs::remove(dir / "clip0001.v"); }, true, "mpegenc: cannot read clip0001.v"},
      {"short plane", [&] { WriteFile(dir / "clip0.y", "ABC"); }, true, "mpegenc: clip0.y holds 3 bytes, not 8"},
      {"damaged parameter file", [&] { WriteFile(dir / "zavo.par", "ZAVO\nclip%d\n"); }, true,
       "mpegenc: zavo.par: the file ends at line 2"},
      {"no ffmpeg on the PATH", [] {}, false, "mpegenc: cannot run ffmpeg"},
      {"ffmpeg fails", [&] { WriteFile(tools / "status", "3\n"); }, true, "mpegenc: ffmpeg failed (exit status 3)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFrames();
    c.damage();
    const Outcome run = Encode(c.withFfmpeg ? tools : empty);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << run.err;
  }
}

}  // namespace
}  // namespace zavo::test
