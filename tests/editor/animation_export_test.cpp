// Request 61: frames rendered one by one, turned into planes with mpeg on,
// "zavo.par" written and the encoder beside the program run on it. The
// encoder here is a stub that records its working directory and arguments.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "document_fixture.h"
#include "editor/mpeg_param_file.h"
#include "models/core/anim.h"

namespace zavo::test {
namespace {

namespace fs = std::filesystem;


// The file's lines; none for a missing file.
std::vector<std::string> Lines(const fs::path& file) {
  return fs::exists(file) ? SplitLines(ReadFile(file)) : std::vector<std::string>();
}

class AnimationExport : public DocumentTest {
protected:
  AnimationExport() {
    fs::create_directory(program);
    editor->text = (program.string() + "/").c_str();
    WriteStub();
    Read(kAnimScene);
    editor->scene.GetParam().backcolor = Point3D(1, 0, 0);
    editor->scene.GetParam().mpeg = 1;
    editor->currentFrame = 2;
    editor->frameCount = 3;
    Spin()->SetFrame(2);
  }
  // The stub mpegenc appends its working directory and each argument, one
  // a line, to its log.
  void WriteStub() {
    const fs::path stub = program / "mpegenc";
    WriteFile(stub, "#!/bin/sh\n{ echo \"cwd $(pwd)\"; for a in \"$@\"; do echo \"arg $a\"; done; } >> \"" +
                        (program / "mpegenc.log").string() + "\"\n");
    fs::permissions(stub, fs::perms::owner_all);
  }
  std::vector<std::string> EncoderRuns() { return Lines(program / "mpegenc.log"); }
  GAnim* Spin() { return dynamic_cast<GAnim*>(editor->scene.FindObject("spin")); }
  void Size(int w, int h) {
    editor->scene.SetDimX(w);
    editor->scene.SetDimY(h);
  }

  fs::path program = dir.path() / "program dir";
};

TEST_F(AnimationExport, FramesPlanesParameterFileAndEncoder) {
  struct Case {
    const char* name;
    const char* document;  // null: unnamed
    int w, h, frames;
  };
  for (const Case& c : {Case{"unnamed, odd size", nullptr, 321, 241, 3},
                        Case{"named with its folder", "anim/my doc;$(touch pwned)", 12, 8, 2},
                        Case{"no frames", nullptr, 12, 8, 0}}) {
    SCOPED_TRACE(c.name);
    fs::remove(program / "mpegenc.log");
    fs::remove(kMpegParamFile);
    fs::remove_all(dir / "anim");
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.path())) {
      if (entry.is_regular_file()) fs::remove(entry.path());
    }
    Size(c.w, c.h);
    editor->frameCount = c.frames;
    fs::create_directories(dir / "anim");
    editor->name = c.document;
    editor->named = c.document != nullptr ? 1 : 0;
    const std::string base = c.document != nullptr ? c.document : "zavo";
    driver.Request(61);

    const int w = c.w / 2 * 2, h = c.h / 2 * 2;
    for (int k = 0; k < c.frames; ++k) {
      const std::string frame = base + "000" + std::to_string(k);
      EXPECT_FALSE(fs::exists(frame + ".bmp"));
      ASSERT_EQ(fs::file_size(frame + ".y"), static_cast<std::uintmax_t>(w * h)) << frame;
      EXPECT_EQ(fs::file_size(frame + ".u"), static_cast<std::uintmax_t>(w * h / 4));
      EXPECT_EQ(fs::file_size(frame + ".v"), static_cast<std::uintmax_t>(w * h / 4));
      // The first samples show the red background.
      const std::string y = ReadFile(frame + ".y"), u = ReadFile(frame + ".u"), v = ReadFile(frame + ".v");
      EXPECT_EQ(static_cast<unsigned char>(y[0]), 81);
      EXPECT_EQ(static_cast<unsigned char>(u[0]), 90);
      EXPECT_EQ(static_cast<unsigned char>(v[0]), 240);
    }
    EXPECT_FALSE(fs::exists(base + "000" + std::to_string(c.frames) + ".y"));
    const std::vector<std::string> par = Lines(kMpegParamFile);
    ASSERT_EQ(par.size(), 55u);
    EXPECT_EQ(par[1], base + "%d");
    EXPECT_EQ(par[7], std::to_string(c.frames));
    EXPECT_EQ(par[14], std::to_string(w));
    EXPECT_EQ(par[15], std::to_string(h));
    EXPECT_EQ(EncoderRuns(), (std::vector<std::string>{"cwd " + fs::current_path().string(), "arg zavo.par",
                                                       "arg " + base + ".mpg"}));
    EXPECT_FALSE(fs::exists("pwned"));
    // The anims are back at the remembered frame, and the frame stays.
    EXPECT_EQ(Spin()->Frame(), 2.0);
    EXPECT_EQ(editor->currentFrame, 2);
    EXPECT_EQ(editor->rendering, 0);
  }
}

// A second export replaces the planes of the first: the encoder never reads
// stale frames.
TEST_F(AnimationExport, SecondExportReplacesThePlanes) {
  Size(12, 8);
  driver.Request(61);
  driver.Request(61);
  EXPECT_EQ(fs::file_size("zavo0001.y"), 96u);
  EXPECT_EQ(fs::file_size("zavo0001.u"), 24u);
  EXPECT_EQ(EncoderRuns().size(), 6u);
}

TEST_F(AnimationExport, WithoutMpegTheFramesStayAsImages) {
  Size(12, 8);
  editor->scene.GetParam().mpeg = 0;
  driver.Request(61);
  for (const char* file : {"zavo0000.bmp", "zavo0001.bmp", "zavo0002.bmp"}) EXPECT_TRUE(fs::exists(file)) << file;
  EXPECT_FALSE(fs::exists("zavo0000.y"));
  EXPECT_FALSE(fs::exists(kMpegParamFile));
  EXPECT_FALSE(fs::exists(program / "mpegenc.log"));
  EXPECT_EQ(Spin()->Frame(), 2.0);
}

TEST_F(AnimationExport, EncoderParameterFileOrPlaneFailuresAreShown) {
  Size(12, 8);
  // A plane that cannot be written ends the export there: its image stays,
  // later frames are not rendered, nothing runs.
  fs::create_directory("zavo0001.v");
  driver.Request(61);
  EXPECT_EQ(LastMessage(), "Cannot write zavo0001.v");
  EXPECT_TRUE(fs::exists("zavo0001.bmp"));
  EXPECT_FALSE(fs::exists("zavo0000.bmp"));
  EXPECT_FALSE(fs::exists("zavo0002.bmp"));
  EXPECT_FALSE(fs::exists(kMpegParamFile));
  EXPECT_FALSE(fs::exists(program / "mpegenc.log"));
  EXPECT_EQ(Spin()->Frame(), 2.0);
  fs::remove("zavo0001.v");

  // "zavo.par" cannot be written: nothing runs.
  fs::create_directory(kMpegParamFile);
  driver.Request(61);
  EXPECT_EQ(LastMessage(), "Cannot write zavo.par");
  EXPECT_FALSE(fs::exists(program / "mpegenc.log"));
  fs::remove(kMpegParamFile);

  // No encoder beside the program.
  fs::remove(program / "mpegenc");
  driver.Request(61);
  EXPECT_EQ(LastMessage(), "Cannot run " + (program / "mpegenc").string());
  EXPECT_EQ(Lines(kMpegParamFile).size(), 55u);
}

// A New sent while the first frame renders waits until the whole export has
// ended: every frame still renders the anim, which is put back at its frame
// before the New destroys it.
class NewWhileRendering : public FakeGraphicSystem {
public:
  void Status(const char* text) override {
    FakeGraphicSystem::Status(text);
    if (editor == nullptr) return;
    if (editor->rendering != 0) spinSeen.push_back(editor->scene.FindObject("spin") != nullptr);
    if (sent) return;
    sent = true;
    EDCommand command;
    command.code = 65;
    editor->Command(command);
  }
  CG_GraphicEditor* editor = nullptr;
  bool sent = false;
  std::vector<bool> spinSeen;
};

TEST_F(AnimationExport, RequestsSentDuringTheExportWaitForItsEnd) {
  Size(12, 8);
  NewWhileRendering system;
  system.editor = editor.get();
  editor->SetGraphicSystem(&system);
  driver.Request(61);
  editor->SetGraphicSystem(&fakes.system);
  ASSERT_TRUE(system.sent);
  EXPECT_GE(system.spinSeen.size(), 3u);
  EXPECT_EQ(std::count(system.spinSeen.begin(), system.spinSeen.end(), false), 0);
  EXPECT_EQ(editor->scene.FindObject("spin"), nullptr);
  EXPECT_EQ(fs::file_size("zavo0002.y"), 96u);
  EXPECT_EQ(EncoderRuns().size(), 3u);
}

}  // namespace
}  // namespace zavo::test
