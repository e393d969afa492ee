// zavo-render making ray-traced images: pixels read back, the hierarchy modes
// and the cache, output names, failed writes and the user's interrupt.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/temp_dir.h"
#include "geometry/bitmap_manager.h"

namespace {

namespace fs = std::filesystem;
using zavo::test::ReadFile;
using zavo::test::TempDir;
using zavo::test::WriteFile;

struct Outcome {
  int exitCode = -1;
  std::string err;
};

// Runs zavo-render in dir with the arguments; stdout is dropped, stderr kept.
// With interruptAfter set, SIGINT goes to the program once stderr holds that text.
Outcome RunIn(const fs::path& dir, std::vector<std::string> args, const std::string& interruptAfter = "") {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(127);
    dup2(pipeFds[1], 2);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    close(pipeFds[0]);
    close(pipeFds[1]);
    std::vector<char*> argv;
    std::string exe = ZAVO_RENDER_EXE;
    argv.push_back(exe.data());
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(exe.c_str(), argv.data());
    _exit(127);
  }
  close(pipeFds[1]);
  Outcome run;
  bool sent = false;
  char buffer[4096];
  ssize_t n;
  while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) {
    run.err.append(buffer, static_cast<std::size_t>(n));
    if (!sent && !interruptAfter.empty() && run.err.find(interruptAfter) != std::string::npos) {
      kill(pid, SIGINT);
      sent = true;
    }
  }
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

struct Rgb {
  int r = -1, g = -1, b = -1;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
std::ostream& operator<<(std::ostream& os, const Rgb& c) { return os << '(' << c.r << ',' << c.g << ',' << c.b << ')'; }
Rgb Pixel(const BitmapManager& image, int x, int y) {
  Rgb c;
  image.GetPixel(x, y, c.r, c.g, c.b);
  return c;
}

// The eye of the default view is (0.5, 0.5, 1), its window [0, 1] x [0, 1]
// on z = 0: the sphere sits on the axis of the view, the lamp behind the eye.
const char kGreenBall[] =
    "{ param\n  dimx 21;\n  dimy 21;\n  backcolor (0,0,1);\n}\n"
    "{ material\n\tname green;\n\tmodel { phong Ka 0.1; Kd 0.8; Ks 0; Od (0,1,0); }\n}\n"
    "{ object\n\tname ball;\n\tmaterial green;\n\tmodel { sphere center ( 0.5 , 0.5 , -3 ); radius 1; }\n}\n"
    "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( 0.5 , 0.5 , 10 );\n\tcolor (1,1,1);\n}\n}\n.\n";

TEST(ZavoRenderImage, AGreenBallUnderAWhiteLamp) {
  TempDir dir;
  WriteFile(dir / "ball.qz", kGreenBall);
  const Outcome run = RunIn(dir.path(), {"ball.qz"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("Start Time : "), std::string::npos);
  EXPECT_NE(run.err.find("Total Time : H="), std::string::npos);
  BitmapManager image;
  ASSERT_EQ(image.Load(dir / "ball.bmp"), 1);
  EXPECT_EQ(image.Width(), 21);
  EXPECT_EQ(image.Height(), 21);
  EXPECT_EQ(Pixel(image, 10, 10), (Rgb{0, 229, 0}));
  EXPECT_EQ(Pixel(image, 0, 0), (Rgb{0, 0, 255}));
  // The lamp section was read without a temporary file.
  EXPECT_FALSE(fs::exists(dir / "__lamp__.~~~"));
}

// Separated spheres and boxes under one lamp.
std::string Spread(const std::string& extra) {
  std::string text = "{ param\n  dimx 40;\n  dimy 30;\n  backcolor (0.2,0.2,0.3);\n  mode 3;\n" + extra + "}\n";
  const double places[][3] = {{0, 0, -4}, {1.2, 1, -5}, {-0.4, 1.1, -3}, {1.1, -0.2, -3.5}, {0.3, 0.8, -6}};
  for (int i = 0; i < 5; ++i) {
    const double* p = places[i];
    text += "{ object\n\tname s" + std::to_string(i) + ";\n\tmodel { sphere center ( " + std::to_string(p[0]) +
            " , " + std::to_string(p[1]) + " , " + std::to_string(p[2]) + " ); radius 0.3; }\n}\n";
    text += "{ object\n\tname b" + std::to_string(i) + ";\n\tmodel { box xmin " + std::to_string(p[0] - 0.2) +
            "; xmax " + std::to_string(p[0] + 0.2) + "; ymin " + std::to_string(p[1] - 0.7) + "; ymax " +
            std::to_string(p[1] - 0.45) + "; zmin " + std::to_string(p[2] - 0.2) + "; zmax " +
            std::to_string(p[2] + 0.2) + "; }\n}\n";
  }
  text += "{ lamp\n\tname L;\n\tmodel { pointlamp\npos ( 3 , 4 , 5 );\n\tcolor (1,1,1);\n}\n}\n.\n";
  return text;
}

TEST(ZavoRenderImage, EveryHierarchyModeGivesTheSameImage) {
  TempDir dir;
  WriteFile(dir / "list.qz", Spread("  buildhier 0;\n"));
  ASSERT_EQ(RunIn(dir.path(), {"list.qz"}).exitCode, 0);
  const std::string reference = ReadFile(dir / "list.bmp");
  BitmapManager image;
  ASSERT_EQ(image.Load(dir / "list.bmp"), 1);
  int objectPixels = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) objectPixels += Pixel(image, x, y) != Pixel(image, 0, 0);
  }
  EXPECT_GT(objectPixels, 100);

  struct Case {
    const char* name;
    const char* params;
  } cases[] = {
      {"best_first", "  buildhier 1;\n"},
      {"ordered", "  buildhier 2;\n"},
      {"depth_first", "  buildhier 3;\n"},
      {"hier", "  buildhier 1;\n  _general_optimiz hier;\n"},
      {"auto", "  buildhier 1;\n  _general_optimiz auto;\n"},
      {"median", "  buildhier 2;\n  _general_optimiz median;\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string scene = std::string(c.name) + ".qz";
    WriteFile(dir / scene, Spread(c.params));
    const Outcome first = RunIn(dir.path(), {scene});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_NE(first.err.find("Creating hierarchy"), std::string::npos);
    EXPECT_EQ(ReadFile(dir / (std::string(c.name) + ".bmp")), reference);
  }
  // A second run loads the cache and gives the same image.
  fs::remove(dir / "ordered.bmp");
  const Outcome again = RunIn(dir.path(), {"ordered.qz"});
  ASSERT_EQ(again.exitCode, 0);
  EXPECT_NE(again.err.find("Loading hierarchy " + (dir / "ordered").string() + ".qz_"), std::string::npos)
      << again.err;
  EXPECT_EQ(again.err.find("Creating hierarchy"), std::string::npos);
  EXPECT_EQ(ReadFile(dir / "ordered.bmp"), reference);
}

TEST(ZavoRenderImage, OutputNamesAndFailedWrites) {
  TempDir dir;
  WriteFile(dir / "ball.qz", kGreenBall);
  fs::create_directories(dir / "out");
  ASSERT_EQ(RunIn(dir.path(), {"ball.qz", "-o", "out/picture"}).exitCode, 0);
  EXPECT_TRUE(fs::exists(dir / "out" / "picture.bmp"));
  EXPECT_FALSE(fs::exists(dir / "ball.bmp"));

  // An output whose temporary neighbour cannot be made: the old file stays.
  const std::string name(250, 'n');
  WriteFile(dir / (name + ".bmp"), "old");
  const Outcome failed = RunIn(dir.path(), {"ball.qz", "-o", name});
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_NE(failed.err.find("Cannot write " + (dir / name).string() + ".bmp\n"), std::string::npos) << failed.err;
  EXPECT_EQ(ReadFile(dir / (name + ".bmp")), "old");
  EXPECT_EQ(failed.err.find("Start Time"), std::string::npos);

  const Outcome missing = RunIn(dir.path(), {"ball.qz", "-o", "nowhere/picture"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("Cannot write " + (dir / "nowhere" / "picture").string() + ".bmp\n"),
            std::string::npos);
}

TEST(ZavoRenderImage, UnknownModesAndMethodsFail) {
  TempDir dir;
  std::string text = kGreenBall;
  WriteFile(dir / "mode.qz", "{ param\n  render raytrace;\n}\n" + text);
  Outcome run = RunIn(dir.path(), {"mode.qz"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("Unknown render mode raytrace\n"), std::string::npos) << run.err;
  WriteFile(dir / "shade.qz", "{ param\n  shade gouraud;\n}\n" + text);
  run = RunIn(dir.path(), {"shade.qz"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("Unknown shading method gouraud\n"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(dir / "mode.bmp"));
  EXPECT_FALSE(fs::exists(dir / "shade.bmp"));
}

TEST(ZavoRenderImage, AnInterruptStopsTheRenderAtTheNextRow) {
  TempDir dir;
  // Large and supersampled enough that the interrupt comes long before the end.
  std::string text = Spread("  dimx 600;\n  dimy 1000;\n  anti_alias 3;\n  anti_al_toll 0;\n");
  WriteFile(dir / "slow.qz", text);
  WriteFile(dir / "slow.bmp", "older");
  const Outcome run = RunIn(dir.path(), {"slow.qz"}, "Line 0 ");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(ReadFile(dir / "slow.bmp"), "older");
  EXPECT_EQ(run.err.find("Line 999 "), std::string::npos);
  EXPECT_EQ(run.err.find("Start Time"), std::string::npos);
  EXPECT_NE(run.err.find("Line 0 "), std::string::npos) << run.err;
}

}  // namespace
